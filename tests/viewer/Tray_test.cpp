// The tray icon's menu on the running program: channel items, the restore items, the icon's
// double click, and the panel's ten fixed channel items.
#include <QAction>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "PanelFixture.h"
#include "ScreenshotPath.h"
#include "controls/Rxshell.h"
#include "core/Channels.h"
#include "gui/Cp1251.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

QStringList captions(const QMenu* menu) {
  QStringList texts;
  for (const QAction* a : menu->actions()) texts << (a->isSeparator() ? "-" : a->text());
  return texts;
}

std::vector<int> checkedItems(const QMenu* menu) {
  std::vector<int> rows;
  const QList<QAction*> items = menu->actions();
  for (int i = 0; i < items.size(); ++i)
    if (items[i]->isChecked()) rows.push_back(i);
  return rows;
}

// The language load at the start titles the first item "всё", whatever the layout spells.
const QStringList kFixedItems = {QString::fromUtf8("Восстановить всё"),
                                 QString::fromUtf8("Восстановить TV экран"),
                                 QString::fromUtf8("Восстановить управление"), "-",
                                 QString::fromUtf8("Выход")};

TEST_F(PanelTest, TheTrayMenuListsEveryChannelBeforeTheFixedItems) {
  startWithChannels(12, 4);
  QStringList expected;
  for (int i = 1; i <= 12; ++i) expected << "C" + QString::number(i);
  expected << "-" << kFixedItems;
  EXPECT_EQ(captions(Form1->PopupMenu4), expected);
  EXPECT_EQ(checkedItems(Form1->PopupMenu4), std::vector<int>{4}) << "the start channel";

  Form1->ClearMenu();
  EXPECT_EQ(captions(Form1->PopupMenu4), kFixedItems);

  // The channel list's "Ok" builds the items again, with the names as they are now.
  ChannelTable[0].Name = gui::ToCp1251(QString::fromUtf8("Первый"));
  NumOfChannels = 2;
  Form1->FillMenu();
  EXPECT_EQ(captions(Form1->PopupMenu4),
            QStringList({QString::fromUtf8("Первый"), "C2", "-"}) + kFixedItems);
}

TEST_F(PanelTest, AChannelItemSelectsItsRowAndTakesTheCheckMark) {
  startWithChannels(12);
  const QList<QAction*> items = Form1->PopupMenu4->actions();
  items[2]->trigger();
  EXPECT_EQ(CurChannel, 2);
  EXPECT_EQ(Form1->Label1->Caption(), "C3");
  EXPECT_EQ(checkedItems(Form1->PopupMenu4), std::vector<int>{2});

  // The check mark stays on channel items: not on the separator or a fixed item for a row
  // without an item, and a fixed item is no channel.
  Form1->CnlMenuClick(items[12]);
  Form1->CnlMenuClick(Form1->Restore1);
  EXPECT_EQ(CurChannel, 2);
  Form1->RxLabel6Click();  // "AV"
  ASSERT_EQ(CurChannel, kAvRow);
  CheckChannelMenuItem(CurChannel);
  EXPECT_TRUE(checkedItems(Form1->PopupMenu4).empty());
}

TEST_F(PanelTest, TheFixedChannelItemsSelectByNumber) {
  startWithChannels(12);
  const QList<QAction*> items = Form1->PopupMenu3->actions();
  ASSERT_EQ(items.size(), 10);
  items[2]->trigger();
  EXPECT_EQ(CurChannel, 2);
  items[9]->trigger();
  EXPECT_EQ(CurChannel, 9);
  EXPECT_EQ(checkedItems(Form1->PopupMenu4), std::vector<int>{9});
}

TEST_F(PanelTest, ADoubleClickOnTheIconRestoresBothWindows) {
  startWithChannels(3);
  Form1->Image12Click();
  ASSERT_FALSE(Form1->isVisible());
  ASSERT_FALSE(TvScreenWindow->isVisible());
  Form1->RxTrayIcon1->WndProc(rxshell::kTrayCallbackMessage, platform::WM_LBUTTONDBLCLK);
  EXPECT_TRUE(Form1->isVisible());
  EXPECT_TRUE(TvScreenWindow->isVisible());
  EXPECT_FALSE(PanelHidden);
  EXPECT_FALSE(TvHiddenByUser);

  Form1->Image12Click();
  Form1->RestoreTV->trigger();
  EXPECT_TRUE(TvScreenWindow->isVisible());
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_FALSE(TvHiddenByUser);
  EXPECT_TRUE(PanelHidden);
  Form1->Restorecontrolbox1->trigger();
  EXPECT_TRUE(Form1->isVisible());
  EXPECT_FALSE(PanelHidden);
}

TEST_F(PanelTest, OnARadioChannelTheRestoreItemsLeaveTheTvWindowHidden) {
  startWith({kOneStation, kRadioStation}, 1);
  Form1->Image12Click();
  Form1->RestoreTV->trigger();
  EXPECT_FALSE(TvScreenWindow->isVisible());
  EXPECT_TRUE(TvHiddenByUser);
  Form1->Restore1->trigger();
  EXPECT_FALSE(TvScreenWindow->isVisible());
  EXPECT_TRUE(Form1->isVisible());
  EXPECT_FALSE(PanelHidden);
}

TEST_F(PanelTest, TheQuitItemShutsDown) {
  startWithChannels(1);
  try {
    Form1->Quit2Click();
    FAIL() << "no shut-down";
  } catch (const viewer::ProcessExited& e) {
    EXPECT_EQ(e.exitCode, 0);
  }
}

// The menu as it pops up: every item inside it, every caption within its item, all of it on the
// screen; written as tray_menu.png for a look.
TEST_F(PanelTest, TheTrayMenuShowsEveryCaptionWhole) {
  std::vector<Channel> channels;
  for (const char* name : {"Первый канал", "Россия", "НТВ", "Культура", "Спорт", "ТНТ", "СТС",
                           "Домашний", "Звезда", "Мир", "ТВ Центр — Международный", "Радио"})
    channels.push_back({gui::ToCp1251(QString::fromUtf8(name)), kOneStation.mhz, 6});
  startWith(channels, 2);
  QMenu* menu = Form1->PopupMenu4;
  menu->popup(QPoint(40, 40));
  processEvents();
  ASSERT_TRUE(menu->isVisible());
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.contains(menu->geometry())) << "the menu lies off the screen";
  const QFontMetrics metrics(menu->font());
  for (QAction* item : menu->actions()) {
    const QRect cell = menu->actionGeometry(item);
    EXPECT_TRUE(menu->rect().contains(cell)) << item->text().toStdString();
    if (!item->isSeparator()) {
      EXPECT_LT(metrics.horizontalAdvance(item->text()), cell.width())
          << item->text().toStdString();
    }
  }
  EXPECT_TRUE(menu->grab().save(screenshotPath("tray_menu.png")));
  menu->hide();
}

}  // namespace
}  // namespace viewer_test
