#include "catalogues/CategoryEditor.h"

#include <algorithm>
#include <utility>

#include "catalogues/Category.h"
#include "store/Record.h"

namespace kal::catalogues {
namespace {

constexpr std::size_t kColoursEnd = kCategoryBackColourPos + kCategoryColourWidth - 1;  // 32
constexpr std::size_t kLineEnd = kCategoryIconPos + kCategoryIconWidth - 1;               // 35

void PutField(std::string& line, std::size_t pos, const std::string& field) {
  store::PadLine(line, pos - 1 + field.size());
  line.replace(pos - 1, field.size(), field);
}

}  // namespace

std::string DuplicateCategoryMessage(const std::string& name) { return "「" + name + "」はすでに登録済みです。"; }

bool CategoryNameTaken(const std::vector<std::string>& lines, const std::string& name_field,
                       std::optional<std::size_t> except) {
  const std::string key = CategoryKey(name_field);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (except && *except == i) continue;
    if (CategoryKey(CategoryNameField(lines[i])) == key) return true;
  }
  return false;
}

CategoryEditor::CategoryEditor(std::vector<std::string> lines) : lines_(std::move(lines)) {}

void CategoryEditor::Select(std::optional<std::size_t> index) {
  selected_ = index && *index < lines_.size() ? index : std::nullopt;
}

std::optional<std::string> CategoryEditor::CheckedName(platform::Dialogs& dialogs, const std::string& answer,
                                                       std::optional<std::size_t> except) {
  const std::string name(store::Trim(answer));
  if (name.empty()) return std::nullopt;
  std::string bad;
  auto field = NameField(name, &bad);
  if (!field) {
    dialogs.Error(store::UnencodableMessage("分類名", bad), "入力エラー");
    return std::nullopt;
  }
  if (CategoryNameTaken(lines_, *field, except)) {
    dialogs.Error(DuplicateCategoryMessage(name), kDuplicateCaption);
    return std::nullopt;
  }
  return field;
}

bool CategoryEditor::Add(platform::Dialogs& dialogs) {
  auto answer = dialogs.InputText("分類の追加", "新しい分類: ", "");
  if (!answer) return false;
  auto field = CheckedName(dialogs, *answer, std::nullopt);
  if (!field) return false;
  lines_.push_back(NewCategoryLine(*field));
  selected_ = lines_.size() - 1;
  return true;
}

bool CategoryEditor::Delete() {
  if (!selected_) return false;
  lines_.erase(lines_.begin() + static_cast<long>(*selected_));
  selected_.reset();
  return true;
}

bool CategoryEditor::Rename(platform::Dialogs& dialogs) {
  if (!selected_) return false;
  const std::size_t index = *selected_;
  const std::string current = CategoryName(lines_[index]);
  auto answer = dialogs.InputText("分類名の変更", "「" + current + "」の修正: ", current);
  if (!answer || std::string(store::Trim(*answer)) == current) return false;
  auto field = CheckedName(dialogs, *answer, index);
  if (!field) return false;
  std::string& line = lines_[index];
  store::PadLine(line, kCategoryNameWidth);
  line.replace(0, kCategoryNameWidth, *field);
  return true;
}

bool CategoryEditor::MoveUp() {
  if (!selected_ || *selected_ == 0) return false;
  std::swap(lines_[*selected_], lines_[*selected_ - 1]);
  --*selected_;
  return true;
}

bool CategoryEditor::MoveDown() {
  if (!selected_ || *selected_ + 1 >= lines_.size()) return false;
  std::swap(lines_[*selected_], lines_[*selected_ + 1]);
  ++*selected_;
  return true;
}

bool CategoryEditor::ChooseTextColour(platform::Dialogs& dialogs) {
  if (!selected_) return false;
  std::string& line = lines_[*selected_];
  auto colour = dialogs.Colour(CategoryTextColour(line).value_or(0));
  if (!colour) return false;
  PutField(line, kCategoryTextColourPos, ColourField(*colour));
  return true;
}

bool CategoryEditor::ChooseBackColour(platform::Dialogs& dialogs) {
  if (!selected_) return false;
  std::string& line = lines_[*selected_];
  auto colour = dialogs.Colour(CategoryBackColour(line).value_or(0));
  if (!colour) return false;
  const int text = CategoryTextColour(line).value_or(0);
  PutField(line, kCategoryTextColourPos, ColourField(text));
  PutField(line, kCategoryBackColourPos, ColourField(*colour));
  return true;
}

bool CategoryEditor::ClearColours() {
  if (!selected_) return false;
  std::string& line = lines_[*selected_];
  PutField(line, kCategoryTextColourPos, NoColourField());
  PutField(line, kCategoryBackColourPos, NoColourField());
  return true;
}

bool CategoryEditor::SetIcon(int number) {
  if (!selected_ || number < 1 || number > kMaxIconNumber) return false;
  std::string& line = lines_[*selected_];
  line.resize(std::min(line.size(), kColoursEnd));
  store::PadLine(line, kColoursEnd);
  line += IconField(number);
  return true;
}

bool CategoryEditor::DeleteIcon() {
  if (!selected_) return false;
  std::string& line = lines_[*selected_];
  if (line.size() > kColoursEnd) line.resize(kColoursEnd);
  return true;
}

void CategoryEditor::SetChecked(std::size_t index, bool checked) {
  if (index < lines_.size()) lines_[index] = WithCheckFlag(lines_[index], checked);
}

std::vector<std::string> CategoryEditor::RegisterLines() const {
  std::vector<std::string> out;
  out.reserve(lines_.size());
  for (const auto& line : lines_) {
    std::string written = CategoryNameField(line);
    written += CategoryChecked(line) ? '1' : '0';
    written += ' ';
    if (line.size() > kCategoryFlagPos + 1)
      written.append(line, kCategoryFlagPos + 1, kLineEnd - (kCategoryFlagPos + 1));
    out.push_back(std::move(written));
  }
  return out;
}

void CategoryEditor::Register(platform::FileSystem& fs, const std::string& category_folder) const {
  SaveCategoryLines(fs, category_folder, RegisterLines());
}

}  // namespace kal::catalogues
