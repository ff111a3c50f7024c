// The scan dialog and the channel list at their default sizes: every control inside its window
// (but those the layout keeps out of view), none over another, every text in its field, in
// Russian and with English texts; screenshots written to VYX_SCREENSHOT_DIR.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include <map>
#include <set>

#include "PanelFixture.h"
#include "ScreenshotPath.h"
#include "controls/Qelprogress.h"
#include "controls/Rxspin.h"
#include "gui/Cp1251.h"
#include "gui/CustomEdit.h"
#include "viewer/Clist.h"
#include "viewer/Range.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

// Texts by component name; a language file would set them so.
using Texts = std::map<std::string, const char*>;

const Texts kScanDialogEnglish = {
    {"Label4", "Scan range (MHz)"}, {"Label1", "From"}, {"Label2", "To"}, {"Label3", "Step"},
    {"Label5", "Default standard"}, {"Label7", "Default volume"},
    {"Label8", "Default brightness"}, {"Label9", "Default contrast"}, {"Label10", "Default hue"},
    {"Label11", "Default saturation"}, {"CheckBox1", "Sound off while scanning"},
    {"RadioGroup1", "Detect by"}, {"Button1", "Next"}, {"Button2", "Cancel"}};

const Texts kChannelListEnglish = {
    {"Label2", "Volume"}, {"Label3", "Brightness"}, {"Label4", "Contrast"}, {"Label5", "Hue"},
    {"Label6", "Saturation"}, {"Label7", "MHz"}, {"Label8", "Standard"}, {"Label9", "Name"},
    {"Button5", "Delete all"}, {"Button8", "Move up"}, {"Button9", "Move down"},
    {"Button13", "Add"}, {"Button1", "Delete"}, {"Button4", "Delete all"},
    {"Button7", "Undo changes"}, {"Button6", "Ok"}, {"Button10", "Cancel"},
    {"Button12", "Scan"}, {"Button11", "Stop"}};
const char* kEnglishHeader[] = {"No", "MHz", "Name", "Standard", "Vol", "Brt", "Con", "Hue", "Sat"};

void setTexts(QWidget* window, const Texts& texts) {
  for (const auto& [name, text] : texts) {
    QWidget* w = window->findChild<QWidget*>(QString::fromStdString(name));
    ASSERT_TRUE(w) << name;
    if (auto* label = dynamic_cast<gui::TCustomLabel*>(w))
      label->SetCaption(gui::ToCp1251(QString::fromUtf8(text)));
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
      button->setText(QString::fromUtf8(text));
    else if (auto* group = qobject_cast<QGroupBox*>(w))
      group->setTitle(QString::fromUtf8(text));
  }
}

std::string nameOf(const QWidget* w) { return w->objectName().toStdString(); }

// The window's own controls that show, without those the layout keeps out of view.
std::vector<QWidget*> shownControls(QWidget* window, const std::set<std::string>& outOfView) {
  std::vector<QWidget*> shown;
  for (QObject* child : window->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (!w || w->isWindow() || !w->isVisibleTo(window)) continue;
    if (outOfView.count(nameOf(w))) {
      EXPECT_FALSE(w->geometry().intersects(window->rect())) << nameOf(w) << " out of view";
      continue;
    }
    shown.push_back(w);
  }
  return shown;
}

void expectTidy(QWidget* window, const std::set<std::string>& outOfView,
                const std::string& context) {
  const std::vector<QWidget*> shown = shownControls(window, outOfView);
  for (QWidget* w : shown)
    EXPECT_TRUE(window->rect().adjusted(1, 1, -1, -1).contains(w->geometry()))
        << context << ": " << nameOf(w);
  for (size_t i = 0; i < shown.size(); ++i)
    for (size_t j = i + 1; j < shown.size(); ++j)
      EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
          << context << ": " << nameOf(shown[i]) << " and " << nameOf(shown[j]);
}

// Labels size themselves, so their room is checked by the overlaps; buttons, check boxes, radio
// items and group titles must hold their texts.
void expectTextsFit(QWidget* window, const std::string& context) {
  for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
    if (b->text().isEmpty()) continue;
    // A push button's hint has a minimum width of its own; its text needs a margin each side.
    const int textWidth = b->fontMetrics().horizontalAdvance(b->text());
    const int needed = qobject_cast<QPushButton*>(b)   ? textWidth + 12
                       : qobject_cast<QToolButton*>(b) ? textWidth + 6
                                                       : b->sizeHint().width();
    EXPECT_LE(needed, b->width()) << context << ": " << b->text().toStdString();
  }
  for (QGroupBox* g : window->findChildren<QGroupBox*>())
    EXPECT_LE(g->fontMetrics().horizontalAdvance(g->title()) + 16, g->width()) << context;
}

class ScanWindowsLookTest : public PanelTest {};

TEST_F(ScanWindowsLookTest, ScanDialogFitsInRussianAndEnglish) {
  startWithChannels(1);
  Form4->show();
  processEvents();
  const std::set<std::string> outOfView = {"Edit4", "Label6"};
  expectTidy(Form4, outOfView, "Russian");
  expectTextsFit(Form4, "Russian");
  EXPECT_TRUE(Form4->grab().save(screenshotPath("scan_dialog_ru.png")));
  setTexts(Form4, kScanDialogEnglish);
  expectTidy(Form4, outOfView, "English");
  expectTextsFit(Form4, "English");
  EXPECT_TRUE(Form4->grab().save(screenshotPath("scan_dialog_en.png")));
}

// The grid's columns keep their widths: the header and the widest values must fit them.
void expectGridTextsFit(const std::string& context) {
  const QFontMetrics header(Form6->StringGrid1->horizontalHeader()->font());
  const QFontMetrics cells(Form6->StringGrid1->font());
  const char* widest[] = {"254", "899.99", nullptr, "PAL_BDGHI", "100", "100", "100", "100", "100"};
  for (int c = 0; c < kGridColumns; ++c) {
    const int width = Form6->StringGrid1->columnWidth(c);
    const QString title = gui::FromCp1251(Form6->Model().Grid().Cell(c, 0));
    EXPECT_LE(header.horizontalAdvance(title) + 2, width) << context << ": " << c;
    if (widest[c]) {
      EXPECT_LE(cells.horizontalAdvance(widest[c]) + 2, width) << context << ": " << widest[c];
    }
  }
}

TEST_F(ScanWindowsLookTest, ChannelListFitsInRussianAndEnglish) {
  startWith({{gui::ToCp1251(QString::fromUtf8("Первый канал")), 191.25, 3},
             {"Sim Six", 479.25, 3}, {"Radio", 105.0, 9}});
  Form1->SpeedButton2Click();
  for (const char* f : {"175.30", "191.30", "479.30"}) Form6->AppendFound(f, 0);
  Form6->Label1->SetCaption("743.30");
  Form6->Progress1->SetMax(860);
  Form6->Progress1->SetProgress(430);
  processEvents();
  const std::set<std::string> outOfView = {"Edit1", "Panel3", "Panel4"};
  expectTidy(Form6, outOfView, "Russian");
  expectTextsFit(Form6, "Russian");
  expectGridTextsFit("Russian");
  const QImage shot = Form6->grab().toImage();
  EXPECT_TRUE(shot.save(screenshotPath("channel_list_ru.png")));
  // The window's frame: white down the left edge, grey along the bottom and the right.
  EXPECT_EQ(shot.pixel(0, 100), qRgb(255, 255, 255));
  EXPECT_EQ(shot.pixel(300, shot.height() - 1), qRgb(128, 128, 128));
  EXPECT_EQ(shot.pixel(shot.width() - 1, 100), qRgb(128, 128, 128));
  setTexts(Form6, kChannelListEnglish);
  for (int c = 0; c < kGridColumns; ++c) Form6->Model().Grid().SetCell(c, 0, kEnglishHeader[c]);
  Form6->SetGridRow(Form6->GridRow());
  expectTidy(Form6, outOfView, "English");
  expectTextsFit(Form6, "English");
  expectGridTextsFit("English");
  EXPECT_TRUE(Form6->grab().save(screenshotPath("channel_list_en.png")));
}

}  // namespace
}  // namespace viewer_test
