// The CSV reader of the import, with the header rules of every target.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "import/CsvReader.h"

using namespace kal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<import::SourceRecord> records = import::ReadCsv(bytes);
  int number = 0;
  for (const auto& record : records) {
    fuzz::Check(record.number > number, "records numbered in order");
    number = record.number;
  }
  if (!records.empty()) {
    (void)import::LooksLikeHeader(records.front());
    for (auto target : {import::ImportTarget::Schedule, import::ImportTarget::Holiday, import::ImportTarget::Todo,
                        import::ImportTarget::Weather}) {
      (void)import::AssignmentFromHeader(target, records.front());
    }
  }
  return 0;
}
