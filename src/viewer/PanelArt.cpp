#include "viewer/PanelArt.h"

#include <QString>

#include <map>
#include <string>
#include <string_view>

#include "gui/Bitmap.h"
#include "gui/BuiltinBitmaps.h"

// The resources live in a static library: registering them needs a reference from its code.
// Registering again is harmless (the resource system keeps each once).
static void initPanelResources() { Q_INIT_RESOURCE(viewer_panel); }

namespace panelart {

// Each picture is decoded once: several controls show the same one (the option boxes, the
// buttons' states), and the copies share its pixels until one is changed.
QImage Picture(const char* name) {
  static std::map<std::string, QImage, std::less<>> decoded;
  if (auto it = decoded.find(std::string_view(name)); it != decoded.end()) return it->second;
  initPanelResources();
  QImage image =
      gui::ReadBuiltinPng(QStringLiteral(":/bitmaps/%1.png").arg(QString::fromLatin1(name)));
  // Pictures without alpha keep the plain 32-bit form the drawing code expects.
  if (!image.hasAlphaChannel()) image = image.convertToFormat(QImage::Format_RGB32);
  decoded.emplace(name, image);
  return image;
}

std::unique_ptr<gui::TBitmap> Bitmap(const char* name) {
  auto bitmap = std::make_unique<gui::TBitmap>();
  bitmap->SetImage(Picture(name));
  return bitmap;
}

}  // namespace panelart
