#include "calendar/SolarTerms.h"

namespace kal::calendar {
namespace {

struct TermData {
  const char* name;
  double base;
  double coefficient;
};

const TermData kTerms[12][2] = {
    {{"小寒しょうかん", 6.3811, 0.242778}, {"大寒だいかん", 21.1046, 0.242765}},
    {{"立春りっしゅん", 4.8693, 0.242713}, {"雨水うすい", 19.7062, 0.242627}},
    {{"啓蟄けいちつ", 6.3968, 0.242512}, {"春分しゅんぶん", 21.4471, 0.242377}},
    {{"清明せいめい", 5.628, 0.242231}, {"穀雨こくう", 20.9375, 0.242083}},
    {{"立夏りっか", 6.3771, 0.241945}, {"小満しょうまん", 21.93, 0.241825}},
    {{"芒種ぼうしゅ", 6.5733, 0.241731}, {"夏至げし", 22.2747, 0.241669}},
    {{"小暑しょうしょ", 8.0091, 0.241642}, {"大暑たいしょ", 23.7317, 0.241654}},
    {{"立秋りっしゅう", 8.4102, 0.241703}, {"処暑しょしょ", 24.0125, 0.241786}},
    {{"白露はくろ", 8.5186, 0.241898}, {"秋分しゅうぶん", 23.8896, 0.242032}},
    {{"寒露かんろ", 9.1414, 0.242179}, {"霜降そうこう", 24.2487, 0.242328}},
    {{"立冬りっとう", 8.2396, 0.242469}, {"小雪しょうせつ", 23.1189, 0.242592}},
    {{"大雪たいせつ", 7.9152, 0.242689}, {"冬至とうじ", 22.6587, 0.242752}},
};

}  // namespace

int SolarTermDay(int year, int month, int term) {
  const TermData& t = kTerms[month - 1][term];
  int d = year - 1900;
  if (month <= 2) --d;
  // Truncation toward zero at both steps, as the formula is defined.
  return static_cast<int>(d * t.coefficient + t.base - static_cast<int>(d / 4));
}

std::string SolarTermName(int month, int term) { return kTerms[month - 1][term].name; }

std::vector<SolarTerm> SolarTermsOfYear(int year) {
  std::vector<SolarTerm> terms;
  for (int month = 1; month <= 12; ++month)
    for (int term = 0; term < 2; ++term)
      terms.push_back({store::MakeDate(year, month, SolarTermDay(year, month, term)), SolarTermName(month, term)});
  return terms;
}

}  // namespace kal::calendar
