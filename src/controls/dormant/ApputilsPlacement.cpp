// A form's window placement in a profile, the open MDI children and a grid's column widths.
#include <QGuiApplication>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QVariant>

#include <algorithm>
#include <cmath>

#include "controls/utils/Strutils.h"
#include "controls/VclutilsWindows.h"
#include "controls/dormant/Apputils.h"
#include "controls/dormant/Rxprops.h"
#include "controls/dormant/RxpropsComponents.h"
#include "gui/NumberText.h"
#include "platform/DisplayMode.h"

namespace apputils {

namespace {

constexpr const char* kMdiSection = "MDI Children";
constexpr const char* kMinPosProperty = "vyxMinPosition";
constexpr const char* kMaxPosProperty = "vyxMaxPosition";
constexpr const char* kFlagsProperty = "vyxPlacementFlags";

gui::TPoint pointProperty(const QWidget* form, const char* name) {
  QVariant v = form->property(name);
  if (!v.isValid()) return {-1, -1};
  QPoint p = v.toPoint();
  return {p.x(), p.y()};
}

std::string resolutionKey(const char* key) {
  gui::TPoint res = ScreenResolution();
  return std::string(key) + "(" + gui::IntToStr(res.X) + "x" + gui::IntToStr(res.Y) + ")";
}

// The key with the current resolution, else the plain key; empty when neither holds a value.
std::string readPositionKey(TProfileObject* ini, const std::string& section, const char* key) {
  std::string value = ini->ReadString(section, resolutionKey(key), "");
  return value.empty() ? ini->ReadString(section, key, "") : value;
}

void writePositionKey(TProfileObject* ini, const std::string& section, const char* key,
                      const std::string& value) {
  ini->WriteString(section, resolutionKey(key), value);
  ini->WriteString(section, key, value);
}

std::string fourNumbers(int a, int b, int c, int d) {
  return gui::FormatText("%d,%d,%d,%d", a, b, c, d);
}

// The four words of a position text (separated by blanks or commas) as numbers; a word that is
// no number reads as its fallback.
void readFour(const std::string& text, const int fallback[4], int out[4]) {
  for (int i = 0; i < 4; ++i)
    out[i] = gui::StrToIntDef(strutils::ExtractWord(i + 1, text, " ,"), fallback[i]);
}

bool isMdiForm(const QWidget* form) { return form && form->findChild<QMdiArea*>() != nullptr; }

bool isMdiChild(const QWidget* form) {
  return form && qobject_cast<const QMdiSubWindow*>(form->parentWidget()) != nullptr;
}

QMdiArea* mdiAreaOf(QWidget* mainForm) {
  QMdiArea* area = isMdiForm(mainForm) ? mainForm->findChild<QMdiArea*>() : nullptr;
  if (!area) throw gui::EInvalidOperation("Cannot create form. No MDI forms are currently active");
  return area;
}

// The window whose state a form's state is: an MDI child's sub-window, else the form.
QWidget* stateWindow(QWidget* form) { return isMdiChild(form) ? form->parentWidget() : form; }

// How many keys Item0, Item1... the section holds, up to limit.
int presentItems(TProfileObject* ini, const std::string& section, int limit) {
  const std::string missing(rxprops::kMissingKey);
  int n = 0;
  while (n < limit && ini->ReadString(section, "Item" + gui::IntToStr(n), missing) != missing) ++n;
  return n;
}

int showCmdState(int showCmd, int fallback) {
  switch (showCmd) {
    case SW_SHOWNORMAL: case SW_SHOW: case SW_RESTORE: return Qt::WindowNoState;
    case SW_SHOWMINIMIZED: case SW_MINIMIZE: case SW_SHOWMINNOACTIVE: return Qt::WindowMinimized;
    case SW_SHOWMAXIMIZED: return Qt::WindowMaximized;
    default: return fallback;
  }
}

void readPosition(QWidget* form, TProfileObject* ini, const std::string& section,
                  TWindowPlacement& wp) {
  wp.flags = ini->ReadInteger(section, "Flags", wp.flags);
  std::string minMax = readPositionKey(ini, section, "MinMaxPos");
  std::string norm = readPositionKey(ini, section, "NormPos");
  bool found = !minMax.empty() || !norm.empty();
  if (!minMax.empty()) {
    const int zeros[4] = {0, 0, 0, 0};
    int v[4];
    readFour(minMax, zeros, v);
    wp.ptMinPosition = {v[0], v[1]};
    wp.ptMaxPosition = {v[2], v[3]};
  }
  if (!norm.empty()) {
    QRect g = form->geometry();
    const int own[4] = {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    int v[4];
    readFour(norm, own, v);
    wp.rcNormalPosition = gui::Rect(v[0], v[1], v[2], v[3]);
  }
  // A placement stored at another pixel density is not applied; its state still is.
  if (ini->ReadInteger(section, "PixelsPerInch", ScreenPixelsPerInch()) != ScreenPixelsPerInch())
    found = false;
  if (!found) return;
  bool sizeable = IsSizeableForm(form);
  gui::TRect& r = wp.rcNormalPosition;
  // In 64 bits: the stored numbers may be anything a 32-bit number holds.
  int64_t width = sizeable ? int64_t(r.Right) - r.Left : form->width();
  int64_t height = sizeable ? int64_t(r.Bottom) - r.Top : form->height();
  if (width <= 0 || height <= 0) return;
  QRect inner = form->geometry(), outer = form->frameGeometry();
  QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                 outer.right() - inner.right(), outer.bottom() - inner.bottom());
  r = ClampToScreen(r.Left, r.Top, width, height, sizeable, frame);
  SetWindowPlacement(form, wp);
}

void readState(QWidget* form, TProfileObject* ini, const std::string& section) {
  bool main = MainForm() == nullptr || MainForm() == form;
  int state = main && isMdiForm(form) ? Qt::WindowMaximized : Qt::WindowNoState;
  state = showCmdState(ini->ReadInteger(section, "ShowCmd", SW_HIDE), state);
  QWidget* window = stateWindow(form);
  Qt::WindowStates others = window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
  if (state == Qt::WindowMinimized && main) {
    // The main form is minimized once the program's windows are up.
    window->setWindowState(others);
    QMetaObject::invokeMethod(window, &QWidget::showMinimized, Qt::QueuedConnection);
    return;
  }
  window->setWindowState(others | Qt::WindowStates(state));
}

}  // namespace

// --- the window placement ---------------------------------------------------------------------

TWindowPlacement GetWindowPlacement(const QWidget* Form) {
  TWindowPlacement wp;
  const QWidget* window = isMdiChild(Form) ? Form->parentWidget() : Form;
  QRect normal = window->isWindow() ? window->normalGeometry() : QRect();
  if (!normal.isValid() || window->windowState() == Qt::WindowNoState) normal = window->geometry();
  wp.rcNormalPosition = gui::Bounds(normal.x(), normal.y(), normal.width(), normal.height());
  Qt::WindowStates state = window->windowState();
  wp.showCmd = state & Qt::WindowMinimized   ? SW_SHOWMINIMIZED
               : state & Qt::WindowMaximized ? SW_SHOWMAXIMIZED
                                             : SW_SHOWNORMAL;
  wp.flags = Form->property(kFlagsProperty).toInt();
  wp.ptMinPosition = pointProperty(Form, kMinPosProperty);
  wp.ptMaxPosition = pointProperty(Form, kMaxPosProperty);
  return wp;
}

void SetWindowPlacement(QWidget* Form, const TWindowPlacement& Placement) {
  Form->setProperty(kFlagsProperty, Placement.flags);
  Form->setProperty(kMinPosProperty, QPoint(Placement.ptMinPosition.X, Placement.ptMinPosition.Y));
  Form->setProperty(kMaxPosProperty, QPoint(Placement.ptMaxPosition.X, Placement.ptMaxPosition.Y));
  QWidget* window = stateWindow(Form);
  Qt::WindowStates current = window->windowState();
  Qt::WindowStates plain = current & ~(Qt::WindowMinimized | Qt::WindowMaximized);
  const gui::TRect& r = Placement.rcNormalPosition;
  // The normal rectangle is set in the normal state; then the state asked for comes back.
  if (current != plain) window->setWindowState(plain);
  window->setGeometry(r.Left, r.Top, r.Width(), r.Height());
  if (Placement.showCmd == SW_HIDE) {
    window->setWindowState(current);
    return;
  }
  window->setWindowState(plain | Qt::WindowStates(showCmdState(Placement.showCmd, 0)));
  window->show();
}

void SetMaximizedPosition(QWidget* Form, const gui::TPoint& Position) {
  Form->setProperty(kMaxPosProperty, QPoint(Position.X, Position.Y));
}

gui::TPoint ScreenResolution() {
  if (auto mode = platform::DisplayMode::current().currentMode(); mode && mode->width > 0)
    return {mode->width, mode->height};
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {0, 0};
  return {screen->size().width(), screen->size().height()};
}

int ScreenPixelsPerInch() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? int(std::lround(screen->logicalDotsPerInch())) : 96;
}

gui::TRect ClampToScreen(int64_t Left, int64_t Top, int64_t Width, int64_t Height, bool Sizeable,
                         const QMargins& Frame) {
  QRect screens;
  for (QScreen* screen : QGuiApplication::screens()) screens |= screen->availableGeometry();
  // The area the inside of the window may take: the screens less the frame around it.
  QRect area = screens.marginsRemoved(Frame);
  if (area.isEmpty()) return gui::Bounds(int(Left), int(Top), int(Width), int(Height));
  if (Sizeable) {
    Width = std::min<int64_t>(Width, area.width());
    Height = std::min<int64_t>(Height, area.height());
  }
  Left = std::max<int64_t>(area.left(), std::min<int64_t>(Left, area.left() + area.width() - Width));
  Top = std::max<int64_t>(area.top(), std::min<int64_t>(Top, area.top() + area.height() - Height));
  return gui::Bounds(int(Left), int(Top), int(Width), int(Height));
}

bool IsSizeableForm(const QWidget* Form) {
  const QWidget* window = isMdiChild(Form) ? Form->parentWidget() : Form;
  return window->minimumSize() != window->maximumSize() &&
         !(window->windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
}

// --- placement keys ---------------------------------------------------------------------------

void WriteFormPlacement(QWidget* Form, TProfileObject* IniFile, const std::string& Section) {
  if (!Form || !IniFile) return;
  TWindowPlacement wp = GetWindowPlacement(Form);
  // A minimized main form is the minimized program: its show command says so already.
  if (isMdiChild(Form) && wp.showCmd == SW_SHOWMINIMIZED) wp.flags |= WPF_SETMINPOSITION;
  IniFile->WriteInteger(Section, "Flags", wp.flags);
  IniFile->WriteInteger(Section, "ShowCmd", wp.showCmd);
  IniFile->WriteInteger(Section, "PixelsPerInch", ScreenPixelsPerInch());
  writePositionKey(IniFile, Section, "MinMaxPos",
                   fourNumbers(wp.ptMinPosition.X, wp.ptMinPosition.Y, wp.ptMaxPosition.X,
                               wp.ptMaxPosition.Y));
  const gui::TRect& r = wp.rcNormalPosition;
  writePositionKey(IniFile, Section, "NormPos", fourNumbers(r.Left, r.Top, r.Right, r.Bottom));
}

void WriteFormPlacementReg(QWidget* Form, TRegIniFile* IniFile, const std::string& Section) {
  WriteFormPlacement(Form, IniFile, Section);
}

void ReadFormPlacement(QWidget* Form, TProfileObject* IniFile, const std::string& Section,
                       bool LoadState, bool LoadPosition) {
  if (!Form || !IniFile || !(LoadState || LoadPosition)) return;
  TWindowPlacement wp = GetWindowPlacement(Form);
  if (!Form->isVisible()) wp.showCmd = SW_HIDE;
  if (LoadPosition) readPosition(Form, IniFile, Section, wp);
  if (LoadState) readState(Form, IniFile, Section);
  Form->update();
}

void ReadFormPlacementReg(QWidget* Form, TRegIniFile* IniFile, const std::string& Section,
                          bool LoadState, bool LoadPosition) {
  ReadFormPlacement(Form, IniFile, Section, LoadState, LoadPosition);
}

void SaveFormPlacement(QWidget* Form, const std::string& IniFileName, bool UseRegistry) {
  std::unique_ptr<TProfileObject> ini;
  if (UseRegistry)
    ini = std::make_unique<TRegIniFile>(IniFileName);
  else
    ini = std::make_unique<TIniFile>(IniFileName);
  WriteFormPlacement(Form, ini.get(), GetDefaultSection(Form));
}

void RestoreFormPlacement(QWidget* Form, const std::string& IniFileName, bool UseRegistry) {
  std::unique_ptr<TProfileObject> ini;
  if (UseRegistry)
    ini = std::make_unique<TRegIniFile>(IniFileName, rrCurrentUser, true);
  else
    ini = std::make_unique<TIniFile>(IniFileName);
  ReadFormPlacement(Form, ini.get(), GetDefaultSection(Form), true, true);
}

// --- MDI children -------------------------------------------------------------------------------

void SaveMDIChildren(QWidget* MainForm, TProfileObject* IniFile) {
  QMdiArea* area = mdiAreaOf(MainForm);
  if (!IniFile) return;
  IniFile->EraseSection(kMdiSection);
  QList<QMdiSubWindow*> children = area->subWindowList(QMdiArea::StackingOrder);
  std::reverse(children.begin(), children.end());  // the top one first
  children.removeIf([](QMdiSubWindow* sub) { return sub->widget() == nullptr; });
  if (children.isEmpty()) return;
  IniFile->WriteInteger(kMdiSection, "Count", int(children.size()));
  for (qsizetype i = 0; i < children.size(); ++i) {
    IniFile->WriteString(kMdiSection, "Item" + gui::IntToStr(i),
                         rxprops::ClassName(*children[i]->widget()->metaObject()));
  }
}

void SaveMDIChildrenReg(QWidget* MainForm, TRegIniFile* IniFile) { SaveMDIChildren(MainForm, IniFile); }

void RestoreMDIChildren(QWidget* MainForm, TProfileObject* IniFile) {
  QMdiArea* area = mdiAreaOf(MainForm);
  if (!IniFile) return;
  vclutils::StartWait();
  struct Stop {
    ~Stop() { vclutils::StopWait(); }
  } stop;
  int count = IniFile->ReadInteger(kMdiSection, "Count", 0);
  count = presentItems(IniFile, kMdiSection, std::max(0, count));
  for (int i = count - 1; i >= 0; --i) {
    std::string name = IniFile->ReadString(kMdiSection, "Item" + gui::IntToStr(i), "");
    const QMetaObject* formClass = FindFormClass(name);
    if (!formClass) continue;
    QMdiSubWindow* found = nullptr;
    for (QMdiSubWindow* sub : area->subWindowList())
      if (sub->widget() && sub->widget()->metaObject()->inherits(formClass)) found = sub;
    if (!found) found = area->addSubWindow(CreateForm(*formClass));
    found->show();
    area->setActiveSubWindow(found);
  }
}

void RestoreMDIChildrenReg(QWidget* MainForm, TRegIniFile* IniFile) {
  RestoreMDIChildren(MainForm, IniFile);
}

// --- grid columns -------------------------------------------------------------------------------

void SaveGridLayout(QTableView* Grid, TProfileObject* IniFile) {
  if (!Grid || !IniFile || !Grid->model()) return;
  std::string section = GetDefaultSection(Grid);
  for (int i = 0; i < Grid->model()->columnCount(); ++i)
    IniFile->WriteInteger(section, "Item" + gui::IntToStr(i), Grid->columnWidth(i));
}

void SaveGridLayoutReg(QTableView* Grid, TRegIniFile* IniFile) { SaveGridLayout(Grid, IniFile); }

void RestoreGridLayout(QTableView* Grid, TProfileObject* IniFile) {
  if (!Grid || !IniFile || !Grid->model()) return;
  std::string section = GetDefaultSection(Grid);
  for (int i = 0; i < Grid->model()->columnCount(); ++i)
    Grid->setColumnWidth(
        i, std::max(0, IniFile->ReadInteger(section, "Item" + gui::IntToStr(i), Grid->columnWidth(i))));
}

void RestoreGridLayoutReg(QTableView* Grid, TRegIniFile* IniFile) { RestoreGridLayout(Grid, IniFile); }

}  // namespace apputils
