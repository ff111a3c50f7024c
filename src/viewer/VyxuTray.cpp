// The tray icon's menu: one item per channel, then the items that bring the hidden windows back
// and the one that quits; the icon's double click restores everything. Also the ten fixed
// channel items that serve the digit hot keys.
#include <QAction>
#include <QMenu>

#include "controls/Rxshell.h"
#include "core/Channels.h"
#include "gui/Cp1251.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace {

constexpr uint8_t kFmRadio = 9;
// The fixed items at the menu's end: Restore1, RestoreTV, Restorecontrolbox1, Quit1, Quit2.
constexpr int kFixedTrayItems = 5;

bool currentRowIsRadio() {
  return CurChannel >= 0 && CurChannel < kChannelRows &&
         ChannelTable[size_t(CurChannel)].System == kFmRadio;
}

// Shown and brought to the front. A minimised window comes back as it was before; full screen
// stays full screen (the program's own state, which only its full-screen switch undoes).
void restoreWindow(QWidget* window) {
  if (!window) return;
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

void TForm1::attachTrayHandlers() {
  RxTrayIcon1->OnDblClick = [this](rxshell::TRxTrayIcon*) { Restore1Click(); };
  connect(Restore1, &QAction::triggered, this, [this] { Restore1Click(); });
  connect(RestoreTV, &QAction::triggered, this, [this] { RestoreTVClick(); });
  connect(Restorecontrolbox1, &QAction::triggered, this, [this] { Restorecontrolbox1Click(); });
  connect(Quit2, &QAction::triggered, this, [this] { Quit2Click(); });

  using Handler = void (TForm1::*)();
  const Handler channelKeys[] = {&TForm1::N11Click, &TForm1::N21Click, &TForm1::N31Click,
                                 &TForm1::N41Click, &TForm1::N51Click, &TForm1::N61Click,
                                 &TForm1::N71Click, &TForm1::N81Click, &TForm1::N91Click,
                                 &TForm1::N101Click};
  const QList<QAction*> items = PopupMenu3->actions();
  for (int i = 0; i < items.size() && i < int(std::size(channelKeys)); ++i)
    connect(items[i], &QAction::triggered, this, [this, h = channelKeys[i]] { (this->*h)(); });
}

// One item per row of the list, whatever its Used flag says, and a separator after them.
void TForm1::FillMenu() {
  QAction* fixed = PopupMenu4->actions().value(0);
  for (int k = 0; k < NumOfChannels; ++k) {
    auto* item = new QAction(gui::FromCp1251(ChannelTable[size_t(k)].Name), PopupMenu4);
    connect(item, &QAction::triggered, this, [this, item] { CnlMenuClick(item); });
    PopupMenu4->insertAction(fixed, item);
  }
  PopupMenu4->insertSeparator(fixed);
}

void TForm1::ClearMenu() {
  const QList<QAction*> items = PopupMenu4->actions();
  for (qsizetype i = 0; i < items.size() - kFixedTrayItems; ++i) {
    PopupMenu4->removeAction(items[i]);
    delete items[i];
  }
}

// A running scan owns the tuner: a channel item leaves the channel alone then.
void TForm1::CnlMenuClick(QAction* item) {
  if (ScanInProgress()) return;
  const int row = int(PopupMenu4->actions().indexOf(item));
  if (row < 0 || row >= NumOfChannels) return;
  CurChannel = row;
  ReSet();
  CheckChannelMenuItem(CurChannel);
}

void TForm1::Restore1Click() {
  if (!currentRowIsRadio()) restoreWindow(TvScreenWindow);
  restoreWindow(this);
  TvHiddenByUser = false;
  PanelHidden = false;
}

// An FM radio channel has no picture: its TV window stays hidden.
void TForm1::RestoreTVClick() {
  if (currentRowIsRadio()) return;
  restoreWindow(TvScreenWindow);
  TvHiddenByUser = false;
}

void TForm1::Restorecontrolbox1Click() {
  restoreWindow(this);
  PanelHidden = false;
}

void TForm1::Quit2Click() { BYE(); }

void TForm1::N11Click() { SelectChannelByNumber(0); }
void TForm1::N21Click() { SelectChannelByNumber(1); }
void TForm1::N31Click() { SelectChannelByNumber(2); }
void TForm1::N41Click() { SelectChannelByNumber(3); }
void TForm1::N51Click() { SelectChannelByNumber(4); }
void TForm1::N61Click() { SelectChannelByNumber(5); }
void TForm1::N71Click() { SelectChannelByNumber(6); }
void TForm1::N81Click() { SelectChannelByNumber(7); }
void TForm1::N91Click() { SelectChannelByNumber(8); }
void TForm1::N101Click() { SelectChannelByNumber(9); }
