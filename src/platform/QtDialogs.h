// Message boxes and choosers shown with Qt widgets.
#pragma once

#include <QPointer>
#include <QString>

#include "platform/Dialogs.h"

class QWidget;

namespace kal::platform {

// Button texts of the program's message boxes.
inline constexpr const char* kYesText = "はい";
inline constexpr const char* kNoText = "いいえ";
inline constexpr const char* kOkText = "OK";
inline constexpr const char* kCancelText = "キャンセル";

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr);

  // The window the boxes are centred on and modal to (may change after construction, once the
  // main window exists).
  void SetParentWidget(QWidget* parent);

  MsgAnswer Message(const std::string& text, const std::string& caption, MsgIcon icon,
                    MsgButtons buttons) override;
  std::optional<std::string> OpenFileName(const std::string& title, const FileFilter& filter,
                                          const std::string& initial) override;
  std::optional<std::string> SaveFileName(const std::string& title, const FileFilter& filter,
                                          const std::string& initial) override;
  std::optional<std::string> FolderName(const std::string& title, const std::string& initial) override;
  std::optional<int> Colour(int initial_bgr) override;
  std::optional<std::string> InputText(const std::string& caption, const std::string& prompt,
                                       const std::string& initial) override;

 private:
  QPointer<QWidget> parent_;
};

// "desc|pattern|desc|pattern" (patterns separated by ';') as a Qt name filter list
// ("desc (pattern pattern);;desc (pattern)").
QString QtNameFilters(const FileFilter& filter);

}  // namespace kal::platform
