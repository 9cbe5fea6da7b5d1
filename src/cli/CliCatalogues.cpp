#include <ostream>

#include "catalogues/Category.h"
#include "catalogues/ItemTable.h"
#include "cli/CliCommands.h"
#include "store/Colour.h"

namespace kal::cli {
namespace {

std::string ColourOrEmpty(const std::optional<int>& colour) { return colour ? store::ColourText(*colour) : ""; }

}  // namespace

int RunCategories(CliContext& context, const std::vector<std::string>& args) {
  if (!args.empty()) throw UsageError{"categories takes no arguments"};
  const catalogues::CategoryTable table = catalogues::LoadCategoryTable(context.files, CategoryFolder(context));
  for (std::size_t i = 0; i < table.size(); ++i) {
    const catalogues::CategoryEntry e = table.Entry(i);
    PrintRow(*context.out, {std::to_string(i), e.name, ColourOrEmpty(e.text_colour), ColourOrEmpty(e.back_colour),
                            std::to_string(e.icon), e.checked ? "1" : "0"});
  }
  return 0;
}

int RunAlarmOffsets(CliContext& context, const std::vector<std::string>& args) {
  if (!args.empty()) throw UsageError{"alarm-offsets takes no arguments"};
  const std::string folder = TableFolder(context);
  std::vector<std::size_t> ignored;
  const std::vector<int> offsets = catalogues::LoadAlarmOffsets(context.files, folder, &ignored);
  const std::string path = catalogues::ItemTablePath(folder, catalogues::ItemTableType::Alarm);
  for (std::size_t line : ignored)
    *context.err << path << ": " << line << "行目はアラーム前分(0～360)ではないため読み飛ばしました。\n";
  for (int minutes : offsets) PrintRow(*context.out, {std::to_string(minutes)});
  return 0;
}

}  // namespace kal::cli
