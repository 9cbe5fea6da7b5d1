// Test main of the widget tests: an offscreen QApplication around the GoogleTest run.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kalendor"));
  if (QFontDatabase::families().contains(QStringLiteral("IPAexGothic"))) {
    QFont font = QApplication::font();
    font.setFamily(QStringLiteral("IPAexGothic"));
    QApplication::setFont(font);
  }
  return RUN_ALL_TESTS();
}
