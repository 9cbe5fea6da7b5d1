// Parses an iCalendar file with libical and prints what the export validation compares:
//   "event<TAB>SUMMARY<TAB>DTSTART<TAB>RRULE" per VEVENT (values as libical reads them),
//   "error<TAB>text" per X-LIC-ERROR property libical added while parsing.
// Exit status 1 when the file cannot be read or parsed.
#include <libical/ical.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

std::string PropertyText(icalcomponent* c, icalproperty_kind kind) {
  icalproperty* p = icalcomponent_get_first_property(c, kind);
  if (!p) return "";
  const char* s = icalproperty_get_value_as_string(p);
  return s ? s : "";
}

void Errors(icalcomponent* c) {
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY); p;
       p = icalcomponent_get_next_property(c, ICAL_XLICERROR_PROPERTY))
    std::cout << "error\t" << icalproperty_get_xlicerror(p) << '\n';
  for (icalcomponent* s = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); s;
       s = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT))
    Errors(s);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) return 1;
  std::stringstream buffer;
  buffer << in.rdbuf();
  icalcomponent* root = icalparser_parse_string(buffer.str().c_str());
  if (!root) {
    std::cout << "error\tnot parsed\n";
    return 1;
  }
  Errors(root);
  for (icalcomponent* e = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); e;
       e = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
    icalproperty* summary = icalcomponent_get_first_property(e, ICAL_SUMMARY_PROPERTY);
    std::cout << "event\t" << (summary ? icalproperty_get_summary(summary) : "") << '\t'
              << PropertyText(e, ICAL_DTSTART_PROPERTY) << '\t' << PropertyText(e, ICAL_RRULE_PROPERTY) << '\n';
  }
  icalcomponent_free(root);
  return 0;
}
