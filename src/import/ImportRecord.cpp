#include "import/ImportRecord.h"

#include <algorithm>

namespace kal::import {

std::string TargetName(ImportTarget target) {
  switch (target) {
    case ImportTarget::Schedule: return "スケジュール";
    case ImportTarget::Holiday: return "祝日・休日・記念日";
    case ImportTarget::Todo: return "ToDo";
    case ImportTarget::Weather: return "天気情報";
  }
  return {};
}

std::string FormatName(SourceFormat format) {
  switch (format) {
    case SourceFormat::Csv: return "CSV";
    case SourceFormat::Ics: return "ICS";
    case SourceFormat::Vcs: return "VCS";
    case SourceFormat::Data: return {};
  }
  return {};
}

SourceFormat FormatOfFile(const std::string& file_name) {
  const auto slash = file_name.find_last_of("/\\");
  const auto dot = file_name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return SourceFormat::Data;
  std::string ext = file_name.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); });
  if (ext == "CSV") return SourceFormat::Csv;
  if (ext == "ICS") return SourceFormat::Ics;
  if (ext == "VCS") return SourceFormat::Vcs;
  return SourceFormat::Data;
}

const std::vector<TargetField>& TargetFields(ImportTarget target) {
  static const std::vector<TargetField> schedule = {
      {"開始日", " (yyyy/mm/dd)"}, {"開始時刻", " (hh:mm)"}, {"終了日", " (yyyy/mm/dd)"},
      {"終了時刻", " (hh:mm)"},    {"件名", ""},             {"場所", ""},
      {"分類", ""},                {"メモ（内容）", ""}};
  static const std::vector<TargetField> holiday = {{"日付", " (mm/dd)"},
                                                   {"件名", ""},
                                                   {"分類", " (祝日･休日･記念日)"},
                                                   {"適用開始年", " (yyyy)"},
                                                   {"適用終了年", " (yyyy)"}};
  static const std::vector<TargetField> todo = {
      {"状況", "（未処理/処理済）"}, {"期限", "（yyyy/mm/dd）"}, {"開始日", "（yyyy/mm/dd）"},
      {"優先度", "（A～D）"},        {"件名", ""},               {"分類", ""},
      {"進捗", "（0%～100%）"},      {"処理日", "（yyyy/mm/dd）"}, {"メモ", ""}};
  static const std::vector<TargetField> weather = {
      {"日付", "（yyyy/mm/dd）"}, {"天気", ""}, {"最高気温", ""}, {"最低気温", ""}, {"降水確率", ""}};
  switch (target) {
    case ImportTarget::Schedule: return schedule;
    case ImportTarget::Holiday: return holiday;
    case ImportTarget::Todo: return todo;
    case ImportTarget::Weather: return weather;
  }
  return schedule;
}

std::string TargetFieldLabel(ImportTarget target, std::size_t index, SourceFormat format) {
  if (format == SourceFormat::Data) {
    static const std::vector<std::string> schedule = {"開始日 (dd)", "開始時刻", "終了日 (日数)", "終了時刻",
                                                      "件名",        "場所",     "分類",          "メモ（内容） (INDEX)"};
    static const std::vector<std::string> holiday = {"月 (1～12)", "日 (1～31)", "週 (1～5)", "曜日 (1～7)",
                                                     "件名", "分類 (0～4)", "適用開始年 (yyyy)", "適用終了年 (yyyy)"};
    static const std::vector<std::string> todo = {"状況（0/1）", "期限（yyyy/mm/dd）", "開始日（yyyy/mm/dd）",
                                                  "優先度（0～3）", "件名", "分類", "進捗（00～10）",
                                                  "処理日（yyyy/mm/dd）", "メモKEY（00～9999）"};
    const auto& labels = target == ImportTarget::Schedule ? schedule
                         : target == ImportTarget::Holiday ? holiday
                         : target == ImportTarget::Todo    ? todo
                                                           : schedule;
    if (target != ImportTarget::Weather && index < labels.size()) return labels[index];
  }
  const TargetField& field = TargetFields(target).at(index);
  return format == SourceFormat::Data ? field.name : field.name + field.format;
}

int FindTargetField(ImportTarget target, const std::string& name) {
  const auto& fields = TargetFields(target);
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (name == fields[i].name || name == fields[i].name + fields[i].format) return static_cast<int>(i);
  return -1;
}

Assignment EmptyAssignment(ImportTarget target) { return Assignment(TargetFields(target).size(), kNoColumn); }

Assignment IdentityAssignment(ImportTarget target) {
  Assignment a(TargetFields(target).size());
  for (std::size_t i = 0; i < a.size(); ++i) a[i] = static_cast<int>(i);
  return a;
}

char StatusCode(RecordStatus status) {
  switch (status) {
    case RecordStatus::Unchecked: return '-';
    case RecordStatus::Header:
    case RecordStatus::Duplicate: return '0';
    case RecordStatus::Import: return '1';
    case RecordStatus::Refused: return '9';
  }
  return '-';
}

std::string StatusText(RecordStatus status) {
  switch (status) {
    case RecordStatus::Unchecked: return "未チェック";
    case RecordStatus::Header: return "インポート対象外（見出し）";
    case RecordStatus::Duplicate: return "インポート対象外（重複）";
    case RecordStatus::Import: return "インポート対象";
    case RecordStatus::Refused: return "データエラー";
  }
  return {};
}

}  // namespace kal::import
