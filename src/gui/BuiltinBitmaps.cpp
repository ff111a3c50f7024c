#include "gui/BuiltinBitmaps.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <map>

#include "gui/Bitmap.h"
#include "gui/Cp1251.h"

// The resources live in a static library: registering them needs a reference from its code.
static void initGuiResources() { Q_INIT_RESOURCE(gui); }

namespace gui {

namespace {

std::shared_ptr<TBitmap> loadFromResource(const std::string& upperName) {
  static const bool registered = (initGuiResources(), true);
  (void)registered;
  QString base = QStringLiteral(":/bitmaps/") + FromCp1251(upperName);
  QFile bmp(base + QStringLiteral(".bmp"));
  if (bmp.open(QIODevice::ReadOnly)) {
    QByteArray data = bmp.readAll();
    auto bitmap = std::make_shared<TBitmap>();
    bitmap->LoadFromBytes(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()));
    return bitmap;
  }
  QImage png = ReadBuiltinPng(base + QStringLiteral(".png"));
  if (png.isNull()) return nullptr;
  auto bitmap = std::make_shared<TBitmap>();
  bitmap->SetImage(png);
  return bitmap;
}

}  // namespace

QImage ReadBuiltinPng(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QImageReader reader(&file, "png");
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

std::shared_ptr<const TBitmap> LoadBuiltinBitmap(const std::string& name) {
  static std::map<std::string, std::weak_ptr<const TBitmap>> cache;
  std::string key = AnsiUpperCase(name);
  if (auto shared = cache[key].lock()) return shared;
  std::shared_ptr<const TBitmap> bitmap = loadFromResource(key);
  if (bitmap) cache[key] = bitmap;
  else cache.erase(key);
  return bitmap;
}

}  // namespace gui
