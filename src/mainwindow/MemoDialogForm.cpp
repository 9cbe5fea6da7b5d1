#include "mainwindow/MemoDialogForm.h"

#include "store/NoteFile.h"
#include "store/TextFile.h"

namespace kal::mainwindow {

MemoDialogForm::MemoDialogForm(platform::FileSystem& fs) : fs_(fs) {}

std::optional<std::string> MemoDialogForm::OpenTemplate(const std::string& folder) {
  mode_ = MemoDialogMode::Template;
  folder_ = folder;
  path_ = store::MemoTemplatePath(folder);
  name_ = "デイリーメモ テンプレート";
  caption_ = kMemoTemplateCaption;
  try {
    text_ = store::MemoLinesToText(store::LoadFreeText(fs_, path_));
  } catch (const store::FileError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

std::optional<std::string> MemoDialogForm::OpenMemo(const std::string& memo_folder, const store::MemoId& id) {
  mode_ = MemoDialogMode::Memo;
  folder_ = memo_folder;
  try {
    const std::string path = store::MemoPath(memo_folder, id);
    const std::string source = fs_.Exists(path) ? path : store::MemoTemplatePath(memo_folder);
    text_ = store::MemoLinesToText(store::LoadFreeText(fs_, source));
    id_ = id;
    path_ = path;
    name_ = store::MemoName(id);
    caption_ = name_;
  } catch (const store::FileError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

std::optional<std::string> MemoDialogForm::OpenNote(const std::string& note_folder, const std::string& title) {
  mode_ = MemoDialogMode::Note;
  folder_ = note_folder;
  path_ = store::NotePath(note_folder, title);
  name_ = store::NoteName(title);
  caption_ = name_ + "の編集";
  try {
    text_ = store::MemoLinesToText(store::LoadNote(fs_, note_folder, title));
  } catch (const store::FileError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

std::optional<std::string> MemoDialogForm::ChangeDate(const store::Date& date) {
  if (!has_date()) return std::nullopt;
  return OpenMemo(folder_, store::MemoId::OfDay(date));
}

std::optional<std::string> MemoDialogForm::Ok(const std::string& editor_text) {
  try {
    store::SaveFreeText(fs_, path_, store::MemoTextToLines(editor_text), name_);
  } catch (const store::FileError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

int MemoDialogForm::MemoWidth(int side_panel_width, int default_width) {
  return side_panel_width > kMemoDialogMinWidth ? side_panel_width + 20 : default_width;
}

}  // namespace kal::mainwindow
