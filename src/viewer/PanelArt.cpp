#include "viewer/PanelArt.h"

#include <QString>

#include "gui/Bitmap.h"
#include "gui/BuiltinBitmaps.h"

// The resources live in a static library: registering them needs a reference from its code.
// Registering again is harmless (the resource system keeps each once).
static void initPanelResources() { Q_INIT_RESOURCE(viewer_panel); }

namespace panelart {

QImage Picture(const char* name) {
  initPanelResources();
  QImage image =
      gui::ReadBuiltinPng(QStringLiteral(":/bitmaps/%1.png").arg(QString::fromLatin1(name)));
  // Pictures without alpha keep the plain 32-bit form the drawing code expects.
  return image.hasAlphaChannel() ? image : image.convertToFormat(QImage::Format_RGB32);
}

std::unique_ptr<gui::TBitmap> Bitmap(const char* name) {
  auto bitmap = std::make_unique<gui::TBitmap>();
  bitmap->SetImage(Picture(name));
  return bitmap;
}

}  // namespace panelart
