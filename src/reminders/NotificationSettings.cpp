#include "reminders/NotificationSettings.h"

#include <algorithm>

#include "store/Colour.h"
#include "store/CommaText.h"

namespace kal::reminders {
namespace {

AlarmStyle StyleOf(int type) {
  switch (type) {
    case 0: return AlarmStyle::Normal;
    case 2: return AlarmStyle::Translucent;
    default: return AlarmStyle::Roll;
  }
}

// The keys both sections have.
template <class Section>
NotificationSettings Common(const Section& section) {
  NotificationSettings n;
  n.style = StyleOf(section.type);
  n.position = std::clamp(section.pos, 0, 4);
  n.wav = section.wav;
  n.clear = section.clear;
  n.show_time = std::max(1, section.show_time);
  n.stay_on_top = section.stay_on_top;
  return n;
}

}  // namespace

NotificationSettings AlarmWindowSettings(const store::Settings& settings) { return Common(settings.alarm); }

NotificationSettings SignalWindowSettings(const store::Settings& settings) {
  const store::SignalSettings& s = settings.signal;
  NotificationSettings n = Common(s);
  n.form = s.form.empty() ? "h:nn" : s.form;
  n.text_only = s.font;
  n.font_name = s.font_name;
  return n;
}

std::optional<SignalFont> ReadSignalFont(const std::string& font_name) {
  const std::vector<std::string> items = store::FromCommaText(font_name);
  if (items.size() != 5 || items[0].empty()) return std::nullopt;
  auto number = [](const std::string& text) -> std::optional<int> {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9)
      return std::nullopt;
    return std::stoi(text);
  };
  auto size = number(items[1]);
  auto style = number(items[2]);
  if (!size || !style || *size <= 0) return std::nullopt;
  SignalFont f;
  f.name = items[0];
  f.size = *size;
  f.style = *style & 15;
  auto colour = [&](const std::string& text, int fallback) {
    if (!text.empty() && text[0] == '$') return store::ParseColourText(text, fallback);
    return number(text).value_or(fallback) & 0xFFFFFF;
  };
  f.text_colour = colour(items[3], 0x000000);
  f.back_colour = colour(items[4], 0xFFFFFF);
  return f;
}

int SignalKeyColour(int text_colour) { return text_colour == 0 ? 0xC0C0C0 : 0x000000; }

}  // namespace kal::reminders
