#include "viewer/LayoutHelpers.h"

#include <QEvent>
#include <QWidget>

#include "gui/Bitmap.h"
#include "gui/Cp1251.h"

namespace layout {

namespace {

constexpr const char* kShowHint = "ShowHint";
constexpr const char* kHintGate = "HintGate";

// Swallows the tool-tip request of a control whose ShowHint is off.
class HintGate : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    return event->type() == QEvent::ToolTip && !ShowHint(static_cast<QWidget*>(watched));
  }
};

}  // namespace

std::string Cp(const char* utf8) { return gui::ToCp1251(QString::fromUtf8(utf8)); }

QString Ru(const char* utf8) { return QString::fromUtf8(utf8); }

void SetPicture(gui::TImage* image, const QImage& pixels) {
  gui::TBitmap bitmap;
  bitmap.SetImage(pixels);
  image->Picture().SetGraphic(&bitmap);
}

gui::TImage* Image(QWidget* parent, const char* name, const QRect& bounds,
                      const QImage& pixels, bool visible) {
  auto* image = new gui::TImage(parent);
  image->setObjectName(QString::fromLatin1(name));
  image->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
  image->SetTransparent(true);
  if (!pixels.isNull()) SetPicture(image, pixels);
  image->setVisible(visible);
  return image;
}

gui::TCustomLabel* Label(QWidget* parent, const char* name, int x, int y, const std::string& text,
                         gui::TColor color, bool visible) {
  auto* label = new gui::TCustomLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->SetTransparent(true);
  label->SetLeft(x);
  label->SetTop(y);
  gui::TFont font = label->Font();
  font.Color = color;
  label->SetFont(font);
  label->SetCaption(text);
  label->setVisible(visible);
  return label;
}

void SetShowHint(QWidget* control, bool show) {
  control->setProperty(kShowHint, show);
  if (control->property(kHintGate).toBool()) return;
  control->installEventFilter(new HintGate(control));
  control->setProperty(kHintGate, true);
}

bool ShowHint(const QWidget* control) {
  const QVariant value = control->property(kShowHint);
  return !value.isValid() || value.toBool();
}

FocusLossHandler::FocusLossHandler(QObject* parent, std::function<void()> handler)
    : QObject(parent), handler_(std::move(handler)) {}

bool FocusLossHandler::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::FocusOut && handler_) handler_();
  return false;
}

}  // namespace layout
