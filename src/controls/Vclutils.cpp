#include "controls/Vclutils.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPolygon>
#include <QRegion>

#include <cstdlib>
#include <initializer_list>
#include <optional>

#include "gui/Cp1251.h"
#include "gui/Exceptions.h"
#include "platform/MessageBox.h"

namespace vclutils {

namespace {

constexpr const char* kProgramResources = ":/bitmaps";
constexpr const char* kInformationCaption = "Information";
constexpr size_t kMaxEnvVarLength = 2048;

// The file of a resource in the module's folder, matched without case on the name before the
// extension and on one of the extensions ("" for none).
std::optional<QString> findResourceFile(const TModule& module, const ResourceId& id,
                                        std::initializer_list<const char*> extensions) {
  if (module.IsNull()) return std::nullopt;
  QString wanted = gui::FromCp1251(id.Text());
  if (wanted.isEmpty()) return std::nullopt;
  QDir folder(QString::fromStdString(module.folder));
  for (const QFileInfo& info : folder.entryInfoList(QDir::Files, QDir::Name)) {
    if (info.completeBaseName().compare(wanted, Qt::CaseInsensitive) != 0) continue;
    for (const char* extension : extensions) {
      if (info.suffix().compare(QLatin1String(extension), Qt::CaseInsensitive) == 0) {
        return info.filePath();
      }
    }
  }
  return std::nullopt;
}

QByteArray readResource(const TModule& module, const ResourceId& id,
                        std::initializer_list<const char*> extensions) {
  std::optional<QString> path = findResourceFile(module, id, extensions);
  if (!path) ResourceNotFound(id);
  QFile file(*path);
  if (!file.open(QIODevice::ReadOnly)) ResourceNotFound(id);
  return file.readAll();
}

std::unique_ptr<gui::TBitmap> loadBitmap(const TModule& module, const ResourceId& id) {
  QByteArray bytes = readResource(module, id, {"bmp", "png", ""});
  auto bitmap = std::make_unique<gui::TBitmap>();
  if (bytes.startsWith("BM")) {
    bitmap->LoadFromBytes(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
  } else {
    QImage image;
    if (!image.loadFromData(bytes)) throw gui::EInvalidGraphic(gui::texts::kInvalidBitmap);
    bitmap->SetImage(image);
  }
  return bitmap;
}

bool haveGuiApplication() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace

// --- rectangles and points -------------------------------------------------------------------

int WidthOf(const gui::TRect& R) { return R.Right - R.Left; }

int HeightOf(const gui::TRect& R) { return R.Bottom - R.Top; }

bool PointInRect(const gui::TPoint& P, const gui::TRect& R) {
  return R.Left <= P.X && P.X <= R.Right && R.Top <= P.Y && P.Y <= R.Bottom;
}

bool PointInPolyRgn(const gui::TPoint& P, const std::vector<gui::TPoint>& Points) {
  QPolygon polygon;
  for (const gui::TPoint& point : Points) polygon << QPoint(point.X, point.Y);
  return QRegion(polygon, Qt::WindingFill).contains(QPoint(P.X, P.Y));
}

gui::TColor PaletteColor(gui::TColor Color) {
  return gui::TColor(uint32_t(gui::ColorToRGB(Color)) | 0x02000000u);
}

std::string ResStr(const std::string& S) { return S; }

// --- resources ---------------------------------------------------------------------------------

TModule ProgramModule() { return TModule{kProgramResources}; }

void ResourceNotFound(const ResourceId& ResID) {
  throw gui::EResNotFound(gui::FormatText(gui::texts::kResourceNotFound, ResID.Text().c_str()));
}

std::unique_ptr<gui::TBitmap> MakeModuleBitmap(const TModule& Module, const ResourceId& ResID) {
  try {
    // The null module would be the system's bitmaps; this platform has none.
    if (Module.IsNull()) ResourceNotFound(ResID);
    return loadBitmap(Module, ResID);
  } catch (...) {
    return nullptr;
  }
}

std::unique_ptr<gui::TBitmap> MakeBitmap(const std::string& ResName) {
  return MakeModuleBitmap(ProgramModule(), ResName);
}

std::unique_ptr<gui::TBitmap> MakeBitmapID(uint16_t ResID) {
  return MakeModuleBitmap(ProgramModule(), int(ResID));
}

std::unique_ptr<gui::TIcon> MakeModuleIcon(const TModule& Module, const ResourceId& ResID) {
  try {
    QByteArray bytes = readResource(Module, ResID, {"ico"});
    auto icon = std::make_unique<gui::TIcon>();
    icon->LoadFromBytes(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    if (icon->Empty()) return nullptr;
    return icon;
  } catch (...) {
    return nullptr;
  }
}

std::unique_ptr<gui::TIcon> MakeIcon(const std::string& ResName) {
  return MakeModuleIcon(ProgramModule(), ResName);
}

std::unique_ptr<gui::TIcon> MakeIconID(uint16_t ResID) {
  return MakeModuleIcon(ProgramModule(), int(ResID));
}

// --- messages ------------------------------------------------------------------------------------

void NotImplemented() {
  if (haveGuiApplication()) {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  }
  platform::ShowMessageBox(kNotImplementedText, kInformationCaption,
                           platform::kMbOk | platform::kMbIconInformation);
  gui::Abort();
}

int MsgBox(const std::string& Caption, const std::string& Text, unsigned Flags) {
  return platform::ShowMessageBox(Text, Caption, Flags);
}

void Beep() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

std::string GetEnvVar(const std::string& VarName) {
  const char* value = std::getenv(VarName.c_str());
  if (!value) return {};
  std::string text(value);
  if (text.size() > kMaxEnvVarLength) text.resize(kMaxEnvVarLength);
  return text;
}

}  // namespace vclutils
