#include "sync/TDlgSyncSetup.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "store/IniFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeSecretStore.h"
#include "support/TempFolder.h"

namespace kal::sync {
namespace {

class TDlgSyncSetupTest : public ::testing::Test {
 protected:
  std::unique_ptr<TDlgSyncSetup> Make() {
    return std::make_unique<TDlgSyncSetup>(TDlgSyncSetup::Ports{files, dialogs, secrets}, dir / "Kalendor.ini",
                                           settings);
  }
  void Fill(TDlgSyncSetup& d, const char* url, const char* user, const char* password, int interval) {
    d.Page->EdtSyncUrl->setText(QString::fromUtf8(url));
    d.Page->EdtSyncUser->setText(QString::fromUtf8(user));
    d.Page->EdtSyncPassword->setText(QString::fromUtf8(password));
    d.Page->EdtSyncCalendar->setText(QStringLiteral("仕事"));
    d.Page->SpnSyncInterval->setValue(interval);
  }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeSecretStore secrets;
  platform::PosixFileSystem files;
  store::Settings settings;
};

TEST_F(TDlgSyncSetupTest, OkStoresTheKeysAndKeepsThePasswordInTheSecretService) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71"});
  auto d = Make();
  EXPECT_EQ(d->windowTitle(), QString("同期の設定"));
  Fill(*d, " https://dav.example.jp/alice/ ", "alice", "himitsu", 30);
  d->BtnOk->click();
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(settings.sync.url, "https://dav.example.jp/alice/");
  EXPECT_EQ(settings.sync.interval, 30);
  const std::string ini = dir.Read("Kalendor.ini");
  const store::IniFile read = store::IniFile::Load(files, dir / "Kalendor.ini");
  EXPECT_EQ(read.ReadString("Sync", "Url", ""), "https://dav.example.jp/alice/");
  EXPECT_EQ(read.ReadString("Sync", "User", ""), "alice");
  EXPECT_EQ(read.ReadString("Sync", "Calendar", ""), "仕事");
  EXPECT_EQ(read.ReadInteger("Sync", "Interval", 0), 30);
  EXPECT_EQ(read.ReadString("Kalendor", "Ver", ""), "5.71");
  EXPECT_EQ(ini.find("himitsu"), std::string::npos);
  EXPECT_EQ((secrets.secrets[{"https://dav.example.jp/alice/", "alice"}]), "himitsu");
  EXPECT_TRUE(d->session_password().empty());
}

TEST_F(TDlgSyncSetupTest, RefusedInputKeepsTheDialogOpenOnTheField) {
  struct Case {
    const char* url;
    const char* user;
    const char* message;
    const char* field;
  };
  for (const Case c : {Case{"dav.example.jp", "alice", "サーバーのアドレスは http:// または https:// で始めて下さい。",
                            "EdtSyncUrl"},
                       Case{"http://dav.example.jp/", " ", "ユーザー名を入力して下さい。", "EdtSyncUser"}}) {
    SCOPED_TRACE(c.url);
    dialogs.shown.clear();
    auto d = Make();
    d->show();
    Fill(*d, c.url, c.user, "", 0);
    d->BtnOk->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, c.message);
    EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
    EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
    EXPECT_TRUE(d->isVisible());
    ASSERT_NE(d->focusWidget(), nullptr);
    EXPECT_EQ(d->focusWidget()->objectName(), QString(c.field));
    EXPECT_FALSE(dir.Exists("Kalendor.ini"));
  }
}

TEST_F(TDlgSyncSetupTest, WithoutASecretServiceThePasswordIsKeptForThisSessionOnly) {
  secrets.available = false;
  auto d = Make();
  EXPECT_EQ(d->Page->LblSyncNote->text(),
            QString("デスクトップのキーリングが使えないため、パスワードは保存されず、同期のたびに入力します。"));
  Fill(*d, "http://127.0.0.1:5232/", "alice", "himitsu", 0);
  d->BtnOk->click();
  EXPECT_EQ(d->result(), QDialog::Accepted);
  EXPECT_EQ(d->session_password(), "himitsu");
  EXPECT_EQ(dir.Read("Kalendor.ini").find("himitsu"), std::string::npos);
}

}  // namespace
}  // namespace kal::sync
