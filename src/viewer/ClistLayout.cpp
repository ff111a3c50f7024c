// The channel list's layout, built in code: every component with its name, text and place, in
// the panel's dark look. The found list stands left of the grid (">" takes a frequency over),
// the editors of the selected row on the right, the scan controls along the bottom.
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>

#include "controls/Qelprogress.h"
#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "core/HardwareTables.h"
#include "core/SystemUtils.h"
#include "gui/CustomEdit.h"
#include "viewer/Clist.h"
#include "viewer/ClistGridView.h"
#include "viewer/LayoutHelpers.h"
#include "viewer/PanelArt.h"
#include "viewer/PanelGeometry.h"
#include "viewer/Range.h"
#include "viewer/Vyxu.h"

using layout::Cp;
using layout::Ru;

namespace {

constexpr int kWidth = 751;
constexpr int kHeight = 404;
constexpr int kMargin = 8;
// The found list, the take-over buttons and the grid side by side.
constexpr QRect kFoundFrame(kMargin, kMargin, 96, 262);
constexpr QRect kGridFrame(154, kMargin, 424, 262);
constexpr int kTakeLeft = 108;
constexpr int kTakeWidth = 42;
// The row buttons: two rows of three under the grid.
constexpr int kRowButtonsTop = 276;
constexpr int kRowButtonWidth = 138;
constexpr int kRowButtonPitch = 143;
// The editors' column.
constexpr int kEditorLeft = 586;
constexpr int kEditorWidth = kWidth - kEditorLeft - kMargin;
constexpr int kSlidersTop = 150;
constexpr int kSliderPitch = 24;
constexpr int kSliderLabelWidth = 62;
constexpr int kSetForAllSize = 20;
// The scan controls and the dialog buttons.
constexpr int kScanTop = 340;
constexpr int kButtonWidth = 104;
constexpr int kGridColumnWidths[] = {25, 39, 150, 63, 25, 25, 25, 25, 25};
// The grid's texts: small enough for its narrow columns.
constexpr int kGridFontPixels = 11;

QPushButton* button(QWidget* parent, const char* name, const char* utf8, const QRect& r) {
  auto* b = new QPushButton(Ru(utf8), parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setGeometry(r);
  return b;
}

// Cells and titles close to their lines, in the window's colours (a style sheet replaces the
// palette, so the colours are written into it).
QString gridStyle(const QPalette& p) {
  auto c = [&p](QPalette::ColorRole role) { return p.color(role).name(); };
  return QStringLiteral(
             "QTableView { background-color: %1; color: %2; gridline-color: %3;"
             " selection-background-color: %4; selection-color: %5; }"
             "QTableView::item { padding: 0px 1px; }"
             "QHeaderView::section { padding: 0px 1px; background-color: %6; color: %7;"
             " border: 0px; border-right: 1px solid %3; border-bottom: 1px solid %3; }")
      .arg(c(QPalette::Base), c(QPalette::Text), c(QPalette::Mid), c(QPalette::Highlight),
           c(QPalette::HighlightedText), c(QPalette::Button), c(QPalette::ButtonText));
}

QFrame* frame(QWidget* parent, const char* name, const QRect& r) {
  auto* f = new QFrame(parent);
  f->setObjectName(QString::fromLatin1(name));
  f->setGeometry(r);
  f->setFrameShape(QFrame::NoFrame);
  f->setLineWidth(1);
  return f;
}

}  // namespace

// A dialog border with the system menu only: a close box, no sizing.
TForm6::TForm6(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  Form6 = this;
  setObjectName("Form6");
  setWindowTitle("Channels");
  if (Form1) setPalette(Form1->palette());
  setAutoFillBackground(true);
  setFixedSize(kWidth, kHeight);
  createFoundList();
  createGrid();
  createRowButtons();
  createEditors();
  createSliders();
  createScanControls();
  createCaptionBar();
  attachHandlers();
  attachEditorHandlers();
  setGridMode(true);
  Timer1.SetInterval(300);
  Timer1.SetOnTimer([this](gui::TTimer*) { Timer1Timer(); });
  IsNT4 = IsWinNT4();
}

TForm6::~TForm6() { delete StringGrid1; }

void TForm6::createGrid() {
  Panel1 = frame(this, "Panel1", kGridFrame);
  StringGrid1 = new QTableView(Panel1);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setGeometry(1, 1, kGridFrame.width() - 2, kGridFrame.height() - 2);
  gridItems_ = new ChannelGridItems(model_.Grid(), StringGrid1);
  gridItems_->SetFixedBrush(palette().brush(QPalette::Button));
  StringGrid1->setModel(gridItems_);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->setFocusPolicy(Qt::ClickFocus);  // no tab stop
  StringGrid1->setWordWrap(false);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont small = StringGrid1->font();
  small.setPixelSize(kGridFontPixels);
  small.setStretch(QFont::Condensed);
  StringGrid1->setFont(small);
  StringGrid1->horizontalHeader()->setFont(small);
  StringGrid1->horizontalHeader()->setMinimumSectionSize(1);
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->horizontalHeader()->setHighlightSections(false);
  StringGrid1->verticalHeader()->setDefaultSectionSize(17);
  StringGrid1->setStyleSheet(gridStyle(palette()));
  for (int c = 0; c < kGridColumns; ++c)
    StringGrid1->setColumnWidth(c, kGridColumnWidths[c]);
}

void TForm6::createFoundList() {
  Panel2 = frame(this, "Panel2", kFoundFrame);
  ListBox1 = new QListWidget(Panel2);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setGeometry(1, 1, kFoundFrame.width() - 2, kFoundFrame.height() - 2);
  const int below = kFoundFrame.bottom() + 7;
  Button5 = button(this, "Button5", "Удалить все",
                   QRect(kMargin, below, kFoundFrame.width(), 24));
  Button2 = button(this, "Button2", ">", QRect(kTakeLeft, 100, kTakeWidth, 26));
  Button3 = button(this, "Button3", ">>>", QRect(kTakeLeft, 132, kTakeWidth, 26));
}

void TForm6::createRowButtons() {
  struct Item {
    QPushButton** button;
    const char* name;
    const char* text;
  };
  const Item items[] = {
      {&Button8, "Button8", "Вверх"},   {&Button9, "Button9", "Вниз"},
      {&Button13, "Button13", "Добавить"}, {&Button1, "Button1", "Удалить"},
      {&Button4, "Button4", "Удалить все"}, {&Button7, "Button7", "Вернуть назад"},
  };
  for (int i = 0; i < 6; ++i) {
    const QRect r(kGridFrame.left() + (i % 3) * kRowButtonPitch, kRowButtonsTop + (i / 3) * 28,
                  kRowButtonWidth, 24);
    *items[i].button = button(this, items[i].name, items[i].text, r);
  }
}

void TForm6::createEditors() {
  RxSpinEdit1 = new rxspin::TRxSpinEdit(this);
  RxSpinEdit1->setObjectName("RxSpinEdit1");
  RxSpinEdit1->SetValueType(rxspin::vtFloat);
  RxSpinEdit1->SetDecimal(2);
  RxSpinEdit1->SetIncrement(0.01);
  RxSpinEdit1->SetMinValue(40.0);
  RxSpinEdit1->SetMaxValue(900.0);
  RxSpinEdit1->setGeometry(kEditorLeft, kMargin, 110, 22);
  RxSpinEdit1->SetValue(40.0);
  SetFieldLook(RxSpinEdit1);
  Label7 = DialogLabel(this, "Label7", kEditorLeft + 116, kMargin + 4, "Mhz");

  ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
  ScrollBar1->setObjectName("ScrollBar1");
  ScrollBar1->setRange(4000, 90000);
  ScrollBar1->setSingleStep(10);
  ScrollBar1->setPageStep(100);
  ScrollBar1->setGeometry(kEditorLeft, 36, kEditorWidth, 16);

  Label9 = DialogLabel(this, "Label9", kEditorLeft, 58, "Название");
  Edit2 = new gui::TCustomEdit(this);
  Edit2->setObjectName("Edit2");
  Edit2->setGeometry(kEditorLeft, 74, kEditorWidth, 22);
  SetFieldLook(Edit2);
  // The second name editor lies below the window and is never brought into view.
  Edit1 = new gui::TCustomEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(kEditorLeft, kHeight + 20, kEditorWidth, 22);
  SetFieldLook(Edit1);

  Label8 = DialogLabel(this, "Label8", kEditorLeft, 102, "Система");
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName("ComboBox1");
  for (const char* name : TVSystemNames) ComboBox1->addItem(QString::fromLatin1(name));
  ComboBox1->setGeometry(kEditorLeft, 118, kEditorWidth, 24);
}

void TForm6::createSliders() {
  struct Lane {
    rxslider::TRxSlider** slider;
    const char* sliderName;
    gui::TCustomLabel** label;
    const char* labelName;
    const char* text;
    QToolButton** setForAll;
    const char* buttonName;
    int max;
  };
  // The volume runs over the panel's range, so that a channel's volume survives a preview.
  const Lane lanes[] = {
      {&RxSlider1, "RxSlider1", &Label2, "Label2", "Громкость", &SpeedButton2, "SpeedButton2", 65},
      {&RxSlider2, "RxSlider2", &Label3, "Label3", "Яркость", &SpeedButton3, "SpeedButton3", 100},
      {&RxSlider3, "RxSlider3", &Label4, "Label4", "Контраст", &SpeedButton4, "SpeedButton4", 100},
      {&RxSlider4, "RxSlider4", &Label5, "Label5", "Теплота", &SpeedButton5, "SpeedButton5", 100},
      {&RxSlider5, "RxSlider5", &Label6, "Label6", "Цветность", &SpeedButton6, "SpeedButton6", 100},
  };
  const int sliderLeft = kEditorLeft + kSliderLabelWidth + 2;
  const int sliderWidth = kEditorWidth - kSliderLabelWidth - kSetForAllSize - 5;
  int top = kSlidersTop;
  for (const Lane& lane : lanes) {
    *lane.label = DialogLabel(this, lane.labelName, kEditorLeft, top + 4, lane.text);
    auto* s = new rxslider::TRxSlider(this);
    s->setObjectName(QString::fromLatin1(lane.sliderName));
    s->SetOrientation(rxslider::soHorizontal);
    s->SetRange(0, lane.max);
    s->SetImageHThumb(panelart::Bitmap(panelart::kHThumb).get());
    s->SetImageHRuler(panelart::Bitmap(panelart::kHRuler).get());
    s->SetOptions(rxslider::SetOf(rxslider::soSmooth));
    s->SetColor(panel::kWell);
    s->SetBounds(sliderLeft, top + 2, sliderWidth, 18);
    *lane.slider = s;
    auto* b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(lane.buttonName));
    b->setText(QStringLiteral("\u2193"));
    b->setToolTip("Set for all");
    b->setAutoRaise(true);
    b->setGeometry(kWidth - kMargin - kSetForAllSize, top + 1, kSetForAllSize, kSetForAllSize);
    *lane.setForAll = b;
    top += kSliderPitch;
  }
}

void TForm6::createScanControls() {
  Label1 = DialogLabel(this, "Label1", kMargin, kScanTop + 4, "");
  Progress1 = new qelprogress::QELProgress(this);
  Progress1->setObjectName("Progress1");
  Progress1->SetBounds(72, kScanTop + 6, 449, 12);
  Progress1->SetBorder(0);
  Progress1->SetBarColor(gui::clTeal);
  Progress1->SetBackColor(gui::clMenu);
  const int scanLeft = kWidth - kMargin - 2 * kButtonWidth - 5;
  Button12 = button(this, "Button12", "Сканировать", QRect(scanLeft, kScanTop, kButtonWidth, 24));
  Button11 = button(this, "Button11", "Стоп",
                    QRect(scanLeft + kButtonWidth + 5, kScanTop, kButtonWidth, 24));
  Button11->setEnabled(false);
  Button6 = button(this, "Button6", "Ok", QRect(scanLeft, kScanTop + 32, kButtonWidth, 26));
  Button10 = button(this, "Button10", "Отмена",
                    QRect(scanLeft + kButtonWidth + 5, kScanTop + 32, kButtonWidth, 26));
}

// The caption bar lies right of the window's width, as the stored layout has it: the window's
// own title bar serves instead.
void TForm6::createCaptionBar() {
  Panel3 = new QLabel(QStringLiteral("Channels"), this);
  Panel3->setObjectName("Panel3");
  Panel3->setGeometry(kWidth + 8, 0, 200, 18);
  Panel3->setAutoFillBackground(true);
  Panel4 = new QLabel(QStringLiteral("X"), this);
  Panel4->setObjectName("Panel4");
  Panel4->setGeometry(kWidth + 210, 0, 18, 18);
  Panel4->setAlignment(Qt::AlignCenter);
  Panel4->setAutoFillBackground(true);
  Panel3->installEventFilter(this);
  Panel4->installEventFilter(this);
}
