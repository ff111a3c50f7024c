// The "About" page: the program's name and version in raised letters, the build stamp and two
// contact lines that open with the desktop.
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "controls/Elabel.h"
#include "settings/Custom.h"
#include "settings/CustomLayoutHelpers.h"
#include "settings/SettingsHooks.h"

namespace {

constexpr const char* kMailAddress = "vyx-users@lists.example.org";
constexpr const char* kHomePage = "https://vyx.example.org/";
constexpr const char* kMainCaptionPrefix = "TheVyx98 v.";
constexpr gui::TColor kLinkHot = 0xFF0000;  // blue

elabel::TE3DLabel* raisedLabel(QWidget* parent, const char* name, const std::string& caption) {
  auto* label = new elabel::TE3DLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  gui::TFont font = label->Font();
  font.Height = -24;
  font.Style = gui::fsBold;
  label->SetFont(font);
  label->SetGradiental(true);
  label->SetBeginColor(gui::clBlue);
  label->SetEndColor(gui::clBlack);
  label->SetCaption(caption);
  label->setMinimumHeight(36);
  return label;
}

void colourLink(QLabel* link, bool hot) {
  link->setStyleSheet(hot ? QStringLiteral("color: #0000FF") : QStringLiteral("color: #000000"));
}

}  // namespace

void TForm7::createAboutPage() {
  auto* page = new QVBoxLayout(TabSheet7);
  E3DLabel1 = raisedLabel(TabSheet7, "E3DLabel1", "The Vyx98 v");
  E3DLabel2 = raisedLabel(TabSheet7, "E3DLabel2", "");
  StaticText3 = layout7::Text(TabSheet7, "StaticText3",
                              "This program was written " __DATE__ " at " __TIME__);
  StaticText5 = layout7::Text(TabSheet7, "StaticText5", kMailAddress);
  StaticText7 = layout7::Text(TabSheet7, "StaticText7", kHomePage);
  for (QWidget* w : {static_cast<QWidget*>(E3DLabel1), static_cast<QWidget*>(E3DLabel2),
                     static_cast<QWidget*>(StaticText3), static_cast<QWidget*>(StaticText5),
                     static_cast<QWidget*>(StaticText7)})
    page->addWidget(w);
  page->addStretch();
  for (QLabel* link : {StaticText5, StaticText7}) {
    link->setCursor(Qt::PointingHandCursor);
    link->setMouseTracking(true);
    link->installEventFilter(this);
    colourLink(link, false);
  }
  TabSheet7->setMouseTracking(true);
  TabSheet7->installEventFilter(this);
}

// The version the program was built with; without one the labels stay as they are.
void TForm7::showVersion() {
  const QString version = QCoreApplication::applicationVersion();
  if (version.isEmpty()) return;
  E3DLabel2->SetCaption(version.toStdString());
  if (DialogHooks().setMainCaption) DialogHooks().setMainCaption(kMainCaptionPrefix + version.toStdString());
}

void TForm7::StaticText5Click() { OpenLink()(std::string("mailto:") + kMailAddress); }
void TForm7::StaticText7Click() { OpenLink()(kHomePage); }
void TForm7::StaticText5MouseMove() { colourLink(StaticText5, true); }
void TForm7::StaticText7MouseMove() { colourLink(StaticText7, true); }

void TForm7::TabSheet7MouseMove() {
  colourLink(StaticText5, false);
  colourLink(StaticText7, false);
}

bool TForm7::eventFilter(QObject* watched, QEvent* event) {
  const bool move = event->type() == QEvent::MouseMove;
  const bool click = event->type() == QEvent::MouseButtonRelease;
  if (watched == StaticText5 && move) StaticText5MouseMove();
  if (watched == StaticText7 && move) StaticText7MouseMove();
  if (watched == TabSheet7 && move) TabSheet7MouseMove();
  if (watched == StaticText5 && click) StaticText5Click();
  if (watched == StaticText7 && click) StaticText7Click();
  return QWidget::eventFilter(watched, event);
}
