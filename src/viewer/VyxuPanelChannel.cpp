// The panel's channel controls: the up/down steps and the channel buttons with their three
// pictures, the input label and the standard label with its menu.
#include <QAction>
#include <QApplication>
#include <QMenu>

#include "controls/RxLabel.h"
#include "controls/Rxspin.h"
#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "core/HardwareTables.h"
#include "core/Settings.h"
#include "gui/Image.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace {

constexpr uint32_t kInputTuner = 0;
constexpr uint32_t kInputAv = 1;
constexpr uint32_t kInputSvhs = 2;
constexpr uint8_t kStandards = 10;  // AUTO .. FMRADIO
constexpr const char* kNoFrequency = "00.00";

bool onTunerRow() { return CurChannel >= 0 && CurChannel < kAvRow; }

// The row a step leads to. A step from a row beyond the list (a start channel the list no
// longer holds) lands inside it: "next" on the first row, "previous" on the last.
int steppedRow(gui::TUDBtnType button) {
  if (button == gui::btPrev) {
    const int row = CurChannel - 1;
    return row < 0 || row >= NumOfChannels ? NumOfChannels - 1 : row;
  }
  const int row = CurChannel + 1;
  return row > NumOfChannels - 1 ? 0 : row;
}

void showPicture(gui::TImage* target, const gui::TImage* source) {
  target->Picture().Assign(source->Picture());
}

}  // namespace

void TForm1::attachChannelHandlers() {
  UpDown1->OnClick = [this](gui::TUpDown*, gui::TUDBtnType b) { UpDown1Click(b); };
  using gui::TControl;
  using gui::TMouseButton;
  using gui::TShiftState;
  Image3->OnMouseDown = [this](TControl*, TMouseButton b, TShiftState s, int x, int y) {
    Image3MouseDown(b, s, x, y);
  };
  Image3->OnMouseUp = [this](TControl*, TMouseButton b, TShiftState s, int x, int y) {
    Image3MouseUp(b, s, x, y);
  };
  Image3->OnMouseMove = [this](TControl*, TShiftState s, int x, int y) {
    Image3MouseMove(s, x, y);
  };
  Image4->OnMouseDown = [this](TControl*, TMouseButton b, TShiftState s, int x, int y) {
    Image4MouseDown(b, s, x, y);
  };
  Image4->OnMouseUp = [this](TControl*, TMouseButton b, TShiftState s, int x, int y) {
    Image4MouseUp(b, s, x, y);
  };
  Image4->OnMouseMove = [this](TControl*, TShiftState s, int x, int y) {
    Image4MouseMove(s, x, y);
  };
  Image2->OnMouseMove = [this](TControl*, TShiftState s, int x, int y) {
    Image2MouseMove(s, x, y);
  };
  Image21->OnClick = [this](TControl*) { Image21Click(); };
  Image22->OnClick = [this](TControl*) { Image22Click(); };
  RxLabel1->OnClick = [this](TControl*) { RxLabel1Click(); };
  RxLabel6->OnClick = [this](TControl*) { RxLabel6Click(); };
  RxLabel4->OnClick = [this](TControl*) { RxLabel4Click(); };

  // The standard label's menu opens on a right click, as a control's popup menu does.
  RxLabel4->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(RxLabel4, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu2->popup(RxLabel4->mapToGlobal(at)); });
  void (TForm1::*items[])() = {&TForm1::AUTO1Click,  &TForm1::NTSC1Click,  &TForm1::NTSCJ1Click,
                               &TForm1::PAL1Click,   &TForm1::PALM1Click,  &TForm1::PALN1Click,
                               &TForm1::PALNc1Click, &TForm1::SECAM1Click, &TForm1::Custom1Click,
                               &TForm1::FMRADIO1Click};
  const QList<QAction*> actions = PopupMenu2->actions();
  for (int i = 0; i < actions.size() && i < int(std::size(items)); ++i)
    connect(actions[i], &QAction::triggered, this, [this, handler = items[i]] { (this->*handler)(); });
}

void TForm1::UpDown1Click(gui::TUDBtnType button) {
  // A running scan owns the tuner: the hot keys, the wheel and the remote wait for its end.
  if (!onTunerRow() || ScanInProgress()) return;
  // With no channel in the list there is nothing to step to (and no row -1 to land on).
  if (NumOfChannels <= 0) return;
  CurChannel = steppedRow(button);
  FollowRadioFullScreen(CurChannel);
  ReSet();
  CheckChannelMenuItem(CurChannel);
}

// A channel button shows its pressed picture and steps; released, its hover picture; the mouse
// over it, its hover picture and the other button back to normal.
struct ChannelButton {
  gui::TImage* image;
  const gui::TImage* normal;
  const gui::TImage* hover;
  const gui::TImage* pressed;
  bool& hovered;
};

void TForm1::Image3MouseDown(gui::TMouseButton, gui::TShiftState, int, int) {
  showPicture(Image3, Image5);
  UpDown1Click(gui::btNext);
}

void TForm1::Image3MouseUp(gui::TMouseButton, gui::TShiftState, int, int) {
  showPicture(Image3, Image6);
}

void TForm1::Image3MouseMove(gui::TShiftState, int, int) {
  hoverChannelButton({Image3, Image9, Image6, Image5, ChannelUpHovered},
                     {Image4, Image10, Image8, Image7, ChannelDownHovered});
}

void TForm1::Image4MouseDown(gui::TMouseButton, gui::TShiftState, int, int) {
  showPicture(Image4, Image7);
  UpDown1Click(gui::btPrev);
}

void TForm1::Image4MouseUp(gui::TMouseButton, gui::TShiftState, int, int) {
  showPicture(Image4, Image8);
}

void TForm1::Image4MouseMove(gui::TShiftState, int, int) {
  hoverChannelButton({Image4, Image10, Image8, Image7, ChannelDownHovered},
                     {Image3, Image9, Image6, Image5, ChannelUpHovered});
}

void TForm1::hoverChannelButton(const ChannelButton& over, const ChannelButton& other) {
  if (!over.hovered) {
    showPicture(over.image, over.hover);
    over.hovered = true;
  }
  if (other.hovered) {
    showPicture(other.image, other.normal);
    other.hovered = false;
  }
}

void TForm1::Image2MouseMove(gui::TShiftState, int, int) {
  if (ChannelUpHovered || ChannelDownHovered) {
    showPicture(Image3, Image9);
    showPicture(Image4, Image10);
    ChannelUpHovered = false;
    ChannelDownHovered = false;
  }
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

void TForm1::Image21Click() {
  if (onTunerRow()) UpDown1Click(gui::btNext);
}

void TForm1::Image22Click() {
  if (onTunerRow()) UpDown1Click(gui::btPrev);
}

void TForm1::RxLabel6Click() {
  CurInput = CurInput >= kInputSvhs ? kInputTuner : CurInput + 1;
  RxLabel6->SetCaption(InputNames[CurInput]);
  if (CurInput == kInputTuner) {
    CurChannel = ChannelBeforeInput;
    RxLabel1->show();
    RxSpinEdit1->setEnabled(true);
    ReSet();
  } else {
    // The tuner row is saved on the way to "AV"; "SVHS" keeps it.
    if (CurInput == kInputAv) ChannelBeforeInput = CurChannel;
    CurChannel = CurInput == kInputAv ? kAvRow : kSvhsRow;
    RxLabel1->hide();
    ReSet();
    Label10->SetCaption(kNoFrequency);
    RxSpinEdit1->SetValue(0);
    RxSpinEdit1->setEnabled(false);
  }
  SetVideoInput(CurInput);
}

void TForm1::RxLabel4Click() {
  if (CurChannel < 0 || CurChannel >= kChannelRows) return;
  const uint8_t system = ChannelTable[size_t(CurChannel)].System;
  setStandard(system + 1 >= kStandards ? 0 : uint8_t(system + 1));
}

void TForm1::setStandard(uint8_t system) {
  if (CurChannel < 0 || CurChannel >= kChannelRows || system >= kStandards) return;
  ChannelTable[size_t(CurChannel)].System = system;
  RxLabel4->SetCaption(TVSystemNames[system]);
  SetTVSystem(system);
}

void TForm1::AUTO1Click() { setStandard(0); }
void TForm1::NTSC1Click() { setStandard(1); }
void TForm1::NTSCJ1Click() { setStandard(2); }
void TForm1::PAL1Click() { setStandard(3); }
void TForm1::PALM1Click() { setStandard(4); }
void TForm1::PALN1Click() { setStandard(5); }
void TForm1::PALNc1Click() { setStandard(7); }
void TForm1::SECAM1Click() { setStandard(6); }
void TForm1::Custom1Click() { setStandard(8); }
void TForm1::FMRADIO1Click() { setStandard(9); }
