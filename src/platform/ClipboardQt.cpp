#include "platform/ClipboardQt.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QMimeData>
#include <memory>

namespace platform {

namespace {

constexpr const char* kBmpMime = "image/bmp";

QGuiApplication* guiApplication() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance());
}

// The MIME type a format travels under; empty for a number without a name.
QString mimeType(unsigned format) {
  if (format == kCfBitmap) return kBmpMime;
  std::string name = format == kCfPalette ? "CF_PALETTE" : ClipboardFormatName(format);
  if (name.empty()) return {};
  return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"")
      .arg(QString::fromLatin1(name.data(), qsizetype(name.size())));
}

QByteArray toByteArray(const ClipboardBytes& data) {
  return QByteArray(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
}

ClipboardBytes bmpOf(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!QImageWriter(&buffer, "BMP").write(image.convertToFormat(QImage::Format_RGB32))) return {};
  return ClipboardBytes(bytes.begin(), bytes.end());
}

class QtBackend : public Clipboard {
public:
  bool open() override {
    if (open_ || !guiApplication()) return false;
    open_ = true;
    return true;
  }

  void close() override {
    if (open_ && pending_) QGuiApplication::clipboard()->setMimeData(pending_.release());
    pending_.reset();
    open_ = false;
  }

  void clear() override {
    if (open_) pending_ = std::make_unique<QMimeData>();
  }

  bool setData(unsigned format, const ClipboardBytes& data) override {
    QString mime = mimeType(format);
    if (!open_ || !pending_ || mime.isEmpty()) return false;
    pending_->setData(mime, toByteArray(data));
    if (format == kCfBitmap) {
      QImage image = QImage::fromData(toByteArray(data), "BMP");
      if (!image.isNull()) pending_->setImageData(image);
    }
    return true;
  }

  bool hasFormat(unsigned format) override {
    const QMimeData* mime = held();
    QString type = mimeType(format);
    if (!mime || type.isEmpty()) return false;
    return mime->hasFormat(type) || (format == kCfBitmap && mime->hasImage());
  }

  std::optional<ClipboardBytes> data(unsigned format) override {
    const QMimeData* mime = held();
    QString type = mimeType(format);
    if (!mime || type.isEmpty()) return std::nullopt;
    if (mime->hasFormat(type)) {
      QByteArray bytes = mime->data(type);
      return ClipboardBytes(bytes.begin(), bytes.end());
    }
    if (format == kCfBitmap && mime->hasImage()) {
      ClipboardBytes bmp = bmpOf(qvariant_cast<QImage>(mime->imageData()));
      if (!bmp.empty()) return bmp;
    }
    return std::nullopt;
  }

private:
  static const QMimeData* held() {
    return guiApplication() ? QGuiApplication::clipboard()->mimeData() : nullptr;
  }

  std::unique_ptr<QMimeData> pending_;
  bool open_ = false;
};

}  // namespace

Clipboard& QtClipboard() {
  static QtBackend clipboard;
  return clipboard;
}

}  // namespace platform
