// Small helpers for building windows in code: texts written in the source as UTF-8 and kept as
// the program keeps its texts (Windows-1251), named components, pictures and labels.
#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>

#include <functional>
#include <string>

#include "gui/Colors.h"
#include "gui/CustomLabel.h"
#include "gui/Image.h"

namespace layout {

// A UTF-8 literal as Windows-1251 bytes.
std::string Cp(const char* utf8);
QString Ru(const char* utf8);

// Sets the picture of an image from pixels.
void SetPicture(gui::TImage* image, const QImage& pixels);
// A picture at `bounds`, named, transparent where its lower-left pixel's colour is.
gui::TImage* Image(QWidget* parent, const char* name, const QRect& bounds,
                      const QImage& pixels, bool visible = true);
// A transparent label at (x, y) in the panel's font colour.
gui::TCustomLabel* Label(QWidget* parent, const char* name, int x, int y, const std::string& text,
                         gui::TColor color, bool visible = true);

// A control's ShowHint: whether its hint (tool tip) shows when the mouse rests on it. The hint
// text stays as it is, so a language file may set it either way.
void SetShowHint(QWidget* control, bool show);
bool ShowHint(const QWidget* control);

// Calls `handler` whenever the watched widget loses the focus.
class FocusLossHandler : public QObject {
public:
  FocusLossHandler(QObject* parent, std::function<void()> handler);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  std::function<void()> handler_;
};

}  // namespace layout
