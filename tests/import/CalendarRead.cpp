// Reads an iCalendar (".ics") or vCalendar (".vcs") file with the import's readers and prints
// one line per event for the export validation:
//   status<TAB>start date<TAB>start time<TAB>end date<TAB>end time<TAB>summary<TAB>location
//   <TAB>categories<TAB>description<TAB>message     (LF, TAB and backslash escaped as \n, \t, \\)
// then one "problem<TAB>text" line per problem. Exit status 1 when the file is no calendar.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "import/CalendarImport.h"

namespace {

std::string Escaped(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else out += c;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string path = argv[1];
  std::ifstream in(path, std::ios::binary);
  if (!in) return 1;
  std::stringstream buffer;
  buffer << in.rdbuf();
  const bool vcs = path.size() > 4 && path.substr(path.size() - 4) == ".vcs";
  const auto result = vcs ? kal::import::ReadVCalendar(buffer.str()) : kal::import::ReadICalendar(buffer.str());
  for (const auto& e : result.events) {
    std::cout << static_cast<int>(e.status);
    for (const std::string* f : {&e.start_date, &e.start_time, &e.end_date, &e.end_time, &e.summary, &e.location,
                                 &e.categories, &e.description, &e.message})
      std::cout << '\t' << Escaped(*f);
    std::cout << '\n';
  }
  for (const auto& p : result.problems) std::cout << "problem\t" << p << '\n';
  return result.parsed ? 0 : 1;
}
