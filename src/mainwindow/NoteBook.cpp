#include "mainwindow/NoteBook.h"

#include <algorithm>

#include "platform/Codec.h"
#include "store/MemoFile.h"
#include "store/NoteFile.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::mainwindow {
namespace {

constexpr const char* kErrorCaption = "エラー";

bool StartsNoCase(const std::string& line, std::string_view prefix) {
  if (line.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = line[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool Unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~' || c == '/';
}

}  // namespace

std::string ExpandNoteTabs(const std::string& line) {
  if (line.find('\t') == std::string::npos) return line;
  std::string out;
  std::size_t width = 0;  // CP932 bytes so far
  std::size_t i = 0;
  while (i < line.size()) {
    const std::size_t n = std::min(platform::Utf8CharLength(static_cast<unsigned char>(line[i])), line.size() - i);
    if (line[i] == '\t') {
      out += ' ';
      ++width;
      while (width % 8 != 0) {
        out += ' ';
        ++width;
      }
    } else {
      out.append(line, i, n);
      width += store::Cp932Width(std::string_view(line).substr(i, n));
    }
    i += n;
  }
  return out;
}

std::optional<NoteLink> FindNoteLink(const std::string& line) {
  if (!StartsNoCase(line, "HTTP://") && !StartsNoCase(line, "FILE://") && !StartsNoCase(line, "MAILTO:") &&
      !StartsNoCase(line, "HTTPS://"))
    return std::nullopt;
  NoteLink link;
  const std::size_t blank = line.find(' ');
  if (blank == std::string::npos) {
    link.length = line.size();
    link.target = line;
  } else {
    link.length = blank + 1;
    link.target = line.substr(0, blank);
  }
  return link;
}

std::string FileLinkUrl(const std::string& absolute_path) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string url = "file://";
  for (unsigned char c : absolute_path) {
    if (Unreserved(c)) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 0x0F];
    }
  }
  return url;
}

bool AskNotePassword(platform::Dialogs& dialogs) {
  dialogs.Error(kNotePasswordUnavailable, kNotePasswordCaption);
  return false;
}

// ---- NoteBook -------------------------------------------------------------------------------------

NoteBook::NoteBook(platform::FileSystem& fs, platform::Dialogs& dialogs) : fs_(fs), dialogs_(dialogs) {
  ask_password = [this] { return AskNotePassword(dialogs_); };
}

void NoteBook::Open(const std::string& note_folder, bool protection) {
  folder_ = note_folder;
  protection_ = protection;
  titles_.clear();
  current_ = -1;
  Guarded([&] {
    Reload(0);
    return true;
  });
}

void NoteBook::Reload(int select) {
  titles_ = store::LoadNoteTitles(fs_, folder_);
  current_ = titles_.empty() ? -1 : std::clamp(select, 0, static_cast<int>(titles_.size()) - 1);
}

bool NoteBook::Guarded(const std::function<bool()>& command) {
  try {
    return command();
  } catch (const store::FileError& e) {
    dialogs_.Error(e.what(), store::kFileErrorCaption);
    // What is on disk is what the tabs show from now on.
    try {
      const int keep = current_;
      Reload(keep);
    } catch (const store::FileError&) {
    }
    return true;
  }
}

std::string NoteBook::CurrentTitle() const {
  return current_ >= 0 ? titles_[static_cast<std::size_t>(current_)] : std::string();
}

std::string NoteBook::CurrentPath() const {
  return current_ >= 0 ? store::NotePath(folder_, CurrentTitle()) : std::string();
}

bool NoteBook::IsProtected(int index) const {
  return index >= 0 && store::NoteIsProtected(static_cast<std::size_t>(index), titles_.size(), protection_);
}

int NoteBook::SelectTab(int index) {
  if (index < 0 || index >= static_cast<int>(titles_.size())) return current_;
  if (index != current_ && IsProtected(index) && !(ask_password && ask_password())) index = 0;
  current_ = index;
  return current_;
}

void NoteBook::SetCurrent(int index) {
  if (index >= 0 && index < static_cast<int>(titles_.size())) current_ = index;
}

bool NoteBook::CurrentExists() const { return current_ >= 0 && fs_.Exists(CurrentPath()); }

std::vector<std::string> NoteBook::ShownLines() {
  std::vector<std::string> lines;
  if (current_ < 0) return lines;
  try {
    lines = store::LoadNote(fs_, folder_, CurrentTitle());
  } catch (const store::FileError& e) {
    dialogs_.Error(e.what(), store::kFileErrorCaption);
    return {};
  }
  for (auto& line : lines) line = ExpandNoteTabs(line);
  return lines;
}

std::optional<std::string> NoteBook::TitleRefusal(const std::string& title, int except) const {
  if (auto refused = store::CheckNoteTitle(title)) return refused;
  for (std::size_t i = 0; i < titles_.size(); ++i)
    if (static_cast<int>(i) != except && store::SameNoteTitle(titles_[i], title)) return "「" + title + "」は登録済みです。";
  return std::nullopt;
}

bool NoteBook::AddAsk() {
  auto title = dialogs_.InputText("ノートの新規作成", "タイトル: ", "");
  return title && Add(*title);
}

bool NoteBook::Add(const std::string& title) {
  if (title.empty()) return false;
  if (auto refused = TitleRefusal(title, -1)) {
    dialogs_.Error(*refused, kErrorCaption);
    return false;
  }
  return Guarded([&] {
    std::vector<std::string> titles = titles_;
    titles.insert(titles.begin(), title);
    store::SaveNoteTitles(fs_, folder_, titles);
    titles_ = std::move(titles);
    current_ = 0;
    return true;
  });
}

bool NoteBook::RenameAsk() {
  if (current_ < 0) return false;
  auto title = dialogs_.InputText("タイトルの変更", "新しいタイトル: ", CurrentTitle());
  return title && Rename(*title);
}

bool NoteBook::Rename(const std::string& new_title) {
  if (current_ < 0 || new_title.empty() || new_title == CurrentTitle()) return false;
  if (auto refused = TitleRefusal(new_title, current_)) {
    dialogs_.Error(*refused, kErrorCaption);
    return false;
  }
  const std::string old_title = CurrentTitle();
  const std::string old_path = store::NotePath(folder_, old_title);
  const std::string new_path = store::NotePath(folder_, new_title);
  if (fs_.Exists(new_path)) {
    dialogs_.Error("「" + new_title + "」は登録済みです。", kErrorCaption);
    return false;
  }
  return Guarded([&] {
    // The text goes to its new name first and is read back before the list names it.
    platform::ReadResult old = fs_.Read(old_path);
    if (!old.missing() && !old.ok()) throw store::FileError(store::ReadErrorMessage(old_path, old.error));
    if (old.ok()) {
      std::string error;
      if (!fs_.WriteAtomic(new_path, old.bytes, &error))
        throw store::FileError(store::WriteErrorMessage(new_path, error));
      platform::ReadResult check = fs_.Read(new_path);
      if (!check.ok() || check.bytes != old.bytes) {
        fs_.Remove(new_path);
        throw store::FileError(store::WriteErrorMessage(new_path, "書き込んだ内容を確認できません。"));
      }
    }
    std::vector<std::string> titles = titles_;
    titles[static_cast<std::size_t>(current_)] = new_title;
    try {
      store::SaveNoteTitles(fs_, folder_, titles);
    } catch (const store::FileError&) {
      if (old.ok()) fs_.Remove(new_path);
      throw;
    }
    titles_ = std::move(titles);
    if (old.ok()) store::RemoveFile(fs_, old_path);
    return true;
  });
}

bool NoteBook::Delete(bool del_msg) {
  if (current_ < 0) return false;
  if (titles_.size() == 1) {
    dialogs_.Error("ノートは最低１つのタブが必要です。", kErrorCaption);
    return false;
  }
  if (titles_.size() == 2 && protection_) {
    dialogs_.Error("「" + titles_[1] + "」はパスワードで保護されています。", kErrorCaption);
    return false;
  }
  const std::string title = CurrentTitle();
  if (del_msg && dialogs_.Message("「" + title + "」を削除します。\nよろしいですか？", kErrorCaption,
                                  platform::MsgIcon::Warning, platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
    return false;
  return Guarded([&] {
    std::vector<std::string> titles = titles_;
    titles.erase(titles.begin() + current_);
    // The list first: a note that is still listed keeps its file.
    store::SaveNoteTitles(fs_, folder_, titles);
    Reload(0);
    store::RemoveFile(fs_, store::NotePath(folder_, title));
    return true;
  });
}

bool NoteBook::CanMoveUp() const { return current_ >= 1; }
bool NoteBook::CanMoveDown() const { return current_ >= 0 && current_ + 1 < static_cast<int>(titles_.size()); }

bool NoteBook::MoveUp() {
  if (!CanMoveUp()) return false;
  return Guarded([&] {
    std::vector<std::string> titles = titles_;
    std::swap(titles[static_cast<std::size_t>(current_)], titles[static_cast<std::size_t>(current_ - 1)]);
    store::SaveNoteTitles(fs_, folder_, titles);
    Reload(current_ - 1);
    return true;
  });
}

bool NoteBook::MoveDown() {
  if (!CanMoveDown()) return false;
  if (protection_ && current_ + 2 == static_cast<int>(titles_.size())) {
    dialogs_.Error("「" + titles_.back() + "」はパスワードで保護されていため移動はできません。", "ノートの移動");
    return false;
  }
  return Guarded([&] {
    std::vector<std::string> titles = titles_;
    std::swap(titles[static_cast<std::size_t>(current_)], titles[static_cast<std::size_t>(current_ + 1)]);
    store::SaveNoteTitles(fs_, folder_, titles);
    Reload(current_ + 1);
    return true;
  });
}

bool NoteBook::Clear() {
  if (current_ < 0) return false;
  if (!dialogs_.Confirm("「" + CurrentTitle() + "」の内容をすべて消去します。\nよろしいですか？", "内容の消去"))
    return false;
  return Guarded([&] {
    store::RemoveFile(fs_, CurrentPath());
    store::SaveNoteTitles(fs_, folder_, titles_);
    return true;
  });
}

bool NoteBook::DeleteLine(int line) {
  if (current_ < 0 || line < 0) return false;
  return Guarded([&] {
    std::vector<std::string> lines;
    if (!store::LoadLinesIfExists(fs_, CurrentPath(), lines)) return false;
    if (line >= static_cast<int>(lines.size())) return false;
    lines.erase(lines.begin() + line);
    if (lines.empty())
      store::RemoveFile(fs_, CurrentPath());
    else
      store::SaveLines(fs_, CurrentPath(), lines);
    return true;
  });
}

bool NoteBook::InsertLink(const std::string& absolute_path, int selected) {
  if (current_ < 0) return false;
  return Guarded([&] {
    std::vector<std::string> lines = store::LoadLines(fs_, CurrentPath());
    const std::string link = FileLinkUrl(absolute_path);  // ASCII only: the same bytes in CP932
    if (selected < 0 || selected >= static_cast<int>(lines.size()))
      lines.push_back(link);
    else
      lines.insert(lines.begin() + selected, link);
    store::SaveLines(fs_, CurrentPath(), lines);
    return true;
  });
}

bool NoteBook::InsertLinkAsk(const std::string& program_folder, int selected) {
  if (current_ < 0) return false;
  auto chosen = dialogs_.OpenFileName("", {"すべてのファイル (*.*)|*.*"}, program_folder);
  if (!chosen || chosen->empty()) return false;
  std::string path = *chosen;
  if (path.front() != '/') path = platform::JoinPath(program_folder, path);
  if (!fs_.Exists(path) || fs_.IsDirectory(path)) return false;
  return InsertLink(path, selected);
}

std::string NoteBook::EditCaption() const { return "「" + CurrentTitle() + "」の編集"; }

}  // namespace kal::mainwindow
