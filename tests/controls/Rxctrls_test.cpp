// Screenshots of the Rxctrls controls, written as PNG files for a look by eye.
#include <gtest/gtest.h>

#include <QDir>

#include "Rxctrls_test.h"
#include "controls/Rxctrls.h"

using namespace gui;
using namespace rxctrls;

namespace rxtest {

std::string screenshotPath(const std::string& name) {
  QByteArray dir = qgetenv("VYX_SCREENSHOT_DIR");
  QString folder = dir.isEmpty() ? QDir::current().filePath("screenshots") : QString(dir);
  QDir().mkpath(folder);
  return QDir(folder).filePath(QString::fromStdString(name)).toStdString();
}

}  // namespace rxtest

namespace {

TBitmap arrowGlyph() {
  // Two frames: a dark arrow for up and a grey one for disabled.
  QImage image(32, 16, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  for (int frame = 0; frame < 2; ++frame) {
    QRgb ink = frame == 0 ? qRgb(0, 0, 128) : qRgb(128, 128, 128);
    for (int row = 0; row < 6; ++row) {
      for (int x = 8 - row; x <= 7 + row; ++x) image.setPixel(frame * 16 + x, 4 + row, ink);
    }
  }
  TBitmap bitmap;
  bitmap.SetImage(image);
  return bitmap;
}

void save(QWidget& widget, const std::string& name) {
  QImage shot = widget.grab().toImage();
  std::string path = rxtest::screenshotPath(name);
  ASSERT_TRUE(shot.save(QString::fromStdString(path))) << path;
}

TEST(RxctrlsScreenshot, ShadowLabels) {
  rxtest::Host host;
  QWidget& panel = host.window;
  panel.resize(180, 90);
  TRxLabel plain(&panel);
  plain.SetCaption("Shadow label");
  plain.SetLeft(8);
  plain.SetTop(8);
  TRxLabel big(&panel);
  TFont font = big.Font();
  font.Height = -20;
  font.Style = fsBold;
  big.SetFont(font);
  big.SetShadowColor(clGray);
  big.SetShadowSize(2);
  big.SetShadowPos(spRightBottom);
  big.SetCaption("  7 ");
  big.SetLeft(8);
  big.SetTop(28);
  TRxLabel disabled(&panel);
  disabled.SetCaption("Disabled");
  disabled.SetEnabled(false);
  disabled.SetShadowSize(0);
  disabled.SetLeft(8);
  disabled.SetTop(62);
  TRxLabel framed(&panel);
  framed.SetAutoSize(false);
  framed.SetBounds(100, 8, 70, 74);
  framed.SetColor(clWhite);
  framed.SetShadowColor(clSilver);
  framed.SetWordWrap(true);
  framed.SetAlignment(taCenter);
  framed.SetLayout(tlCenter);
  framed.SetCaption("Centred and wrapped text");
  host.Activate();
  save(panel, "RxLabel.png");
}

TEST(RxctrlsScreenshot, SpeedButtons) {
  rxtest::Host host;
  QWidget& panel = host.window;
  panel.resize(240, 60);
  TRxSpeedButton up(&panel), down(&panel), flat(&panel), grey(&panel), menu(&panel);
  TPopupMenu popup;
  int x = 8;
  for (TRxSpeedButton* b : {&up, &down, &flat, &grey, &menu}) {
    b->SetBounds(x, 8, 44, 44);
    b->SetGlyph(arrowGlyph());
    x += 46;
  }
  up.SetCaption("Up");
  down.SetGroupIndex(1);
  down.SetDown(true);
  down.SetCaption("Down");
  flat.SetFlat(true);
  flat.SetCaption("Flat");
  grey.SetEnabled(false);
  grey.SetCaption("Off");
  menu.SetDropDownMenu(&popup);
  menu.SetCaption("Menu");
  host.Activate();
  save(panel, "RxSpeedButton.png");
}

}  // namespace
