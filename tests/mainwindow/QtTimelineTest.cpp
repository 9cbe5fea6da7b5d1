#include "mainwindow/QtTimeline.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include "catalogues/QtCategoryCell.h"
#include "store/Record.h"

namespace kal::mainwindow {
namespace {

// One day column from 8:00 to 20:59 in 10-pixel rows with one block, 10:00-11:00, in a red back
// colour.
class QtTimelineTest : public ::testing::Test {
 protected:
  QtTimelineTest() : settings(store::DefaultSettings(store::SettingsDefaults{"/p/", "IPAexGothic", 9})) {
    settings.view_mode(2).item_view = std::string(31, '1');
    timeline.SetSources(&settings, nullptr);
    CellContext ctx;
    ctx.settings = &settings;
    ctx.mode = 2;
    ctx.today = store::MakeDate(2027, 3, 1);
    CellDay day;
    day.date = store::MakeDate(2027, 3, 15);
    const std::string line = "15" + std::string("10:00") + "11:00" + std::string(14, ' ') + "0000" +
                             store::PadField("meeting", 40) + std::string(40, ' ') + "000" + "00";
    day.entries = {"SC50000" + line};  // order key, kind 5, index 0000, the line
    TimelinePicture picture;
    picture.settings = TimelineSettingsOf(settings, 2);
    picture.column_widths = {kTimeAxisWidth, 101};
    picture.row_height = 10;
    picture.columns = BuildTimelineColumns({day}, ctx, picture.settings);
    picture.columns[0].looks[0].back_colour = 0x0000FF;  // red
    timeline.SetPicture(std::move(picture));
    timeline.resize(149, 260);
  }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(&timeline, &press);
  }
  store::Settings settings;
  QtTimeline timeline;
};

TEST_F(QtTimelineTest, BlockIsDrawnFromItsStartToItsEndInItsColour) {
  const QRect block = timeline.BlockRect(0, 0);
  EXPECT_EQ(block, QRect(QPoint(49, 40), QPoint(147, 59)));  // rows 4 and 5
  QImage image(timeline.size(), QImage::Format_RGB32);
  timeline.render(&image);
  const QPoint inside(block.center().x(), block.top() + 5);
  EXPECT_EQ(image.pixelColor(inside), catalogues::BgrColour(0x0000FF));
  // The half-hour line across the block (Trans) in a darker shade: red less $12.
  EXPECT_EQ(image.pixelColor(QPoint(block.center().x(), 49)), QColor(255 - 0x12, 0, 0));
  EXPECT_NE(image.pixelColor(QPoint(block.center().x(), 70)), catalogues::BgrColour(0x0000FF));
  EXPECT_EQ(timeline.BlockAt(block.center(), 0), 0);
  EXPECT_EQ(timeline.BlockAt(QPoint(block.center().x(), 70), 0), -1);
}

TEST_F(QtTimelineTest, KeysMoveTheHalfHourExtendARangeAndOpenWhatIsThere) {
  std::vector<int> opened;  // rows of empty half hours opened
  std::vector<int> block;   // blocks opened
  int top = 0;
  QObject::connect(&timeline, &QtTimeline::CellDoubleClicked, [&](int row, int) { opened.push_back(row); });
  QObject::connect(&timeline, &QtTimeline::BlockDoubleClicked, [&](int, int b) { block.push_back(b); });
  QObject::connect(&timeline, &QtTimeline::LeaveTop, [&] { ++top; });
  timeline.SetCurrent(1, 0);
  Key(Qt::Key_Up);
  EXPECT_EQ(timeline.CurrentRow(), 0);
  Key(Qt::Key_Up);  // above the first row: the header takes over
  EXPECT_EQ(top, 1);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(timeline.SelectedRows(), std::make_optional(std::make_pair(0, 2)));
  Key(Qt::Key_Down);  // without Shift the range goes
  EXPECT_EQ(timeline.SelectedRows(), std::nullopt);
  Key(Qt::Key_Return);  // 9:30: empty
  EXPECT_EQ(opened, std::vector<int>{3});
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);
  Key(Qt::Key_Enter);  // 10:30: the block
  EXPECT_EQ(block, std::vector<int>{0});
  EXPECT_EQ(opened.size(), 1u);
}

}  // namespace
}  // namespace kal::mainwindow
