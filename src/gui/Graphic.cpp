#include "gui/Graphic.h"

#include <algorithm>

#include "gui/Bitmap.h"
#include "gui/Cp1251.h"
#include "gui/Exceptions.h"
#include "gui/Icon.h"
#include "gui/Streams.h"

namespace gui {

namespace {

struct GraphicClass {
  std::string className;
  std::string extension;  // lower case; empty for a clipboard registration
  std::string description;
  unsigned clipboardFormat = 0;
  GraphicFactory factory;
};

std::vector<GraphicClass>& registry() {
  static std::vector<GraphicClass> classes = [] {
    GraphicFactory bitmap = [] { return std::make_unique<TBitmap>(); };
    GraphicFactory icon = [] { return std::make_unique<TIcon>(); };
    return std::vector<GraphicClass>{
        {"TBitmap", "bmp", "Bitmaps", 0, bitmap},
        {"TBitmap", "", "", CF_BITMAP, bitmap},
        {"TIcon", "ico", "Icons", 0, icon},
    };
  }();
  return classes;
}

std::string lower(std::string text) {
  return AnsiLowerCase(text);
}

std::string extensionOf(const std::string& fileName) {
  size_t dot = fileName.rfind('.');
  size_t slash = fileName.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return fileName.substr(dot + 1);
}

}  // namespace

// --- TGraphic -------------------------------------------------------------------------------

void TGraphic::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Changed();
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead);
  LoadFromStream(file);
}

void TGraphic::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

void TGraphic::Assign(const TGraphic* source) {
  if (source && source->AssignTo(*this)) return;
  assignError(source);
}

void TGraphic::Progress(TProgressStage stage, uint8_t percent, const std::string& message) {
  if (OnProgress) OnProgress(this, stage, percent, message);
}

void TGraphic::assignError(const TGraphic* source) const {
  throw EConvertError(FormatText(texts::kAssignError, source ? source->ClassName() : "nil",
                                 ClassName()));
}

bool TGraphic::Equals(const TGraphic& other) const {
  if (std::string(ClassName()) != other.ClassName() || Empty() != other.Empty()) return false;
  if (Empty()) return true;
  TMemoryStream a, b;
  WriteData(a);
  other.WriteData(b);
  return a.Bytes() == b.Bytes();
}

void TGraphic::Changed() {
  modified_ = true;
  if (OnChange) OnChange(this);
}

// --- registry -------------------------------------------------------------------------------

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  const std::string& className, GraphicFactory factory) {
  registry().push_back({className, lower(extension), description, 0, std::move(factory)});
}

void TPicture::RegisterClipboardFormat(unsigned format, const std::string& className,
                                       GraphicFactory factory) {
  registry().push_back({className, "", "", format, std::move(factory)});
}

void TPicture::UnregisterGraphicClass(const std::string& className) {
  auto& classes = registry();
  classes.erase(std::remove_if(classes.begin(), classes.end(),
                               [&](const GraphicClass& c) { return c.className == className; }),
                classes.end());
}

bool TPicture::SupportsClipboardFormat(unsigned format) {
  return CreateByClipboardFormat(format) != nullptr;
}

std::unique_ptr<TGraphic> TPicture::CreateByClassName(const std::string& className) {
  for (const GraphicClass& c : registry()) {
    if (c.className == className) return c.factory();
  }
  return nullptr;
}

std::unique_ptr<TGraphic> TPicture::CreateByExtension(const std::string& extension) {
  std::string wanted = lower(extension);
  // The latest registration wins, so a class registered later can take over an extension.
  auto& classes = registry();
  for (auto it = classes.rbegin(); it != classes.rend(); ++it) {
    if (!it->extension.empty() && it->extension == wanted) return it->factory();
  }
  return nullptr;
}

std::unique_ptr<TGraphic> TPicture::CreateByClipboardFormat(unsigned format) {
  auto& classes = registry();
  for (auto it = classes.rbegin(); it != classes.rend(); ++it) {
    if (it->extension.empty() && it->clipboardFormat == format) return it->factory();
  }
  return nullptr;
}

// --- TPicture -------------------------------------------------------------------------------

void TPicture::SetGraphic(const TGraphic* graphic) {
  if (!graphic) {
    SetGraphic(std::unique_ptr<TGraphic>());
    return;
  }
  std::unique_ptr<TGraphic> copy = CreateByClassName(graphic->ClassName());
  if (!copy) throw EInvalidGraphic(FormatText(texts::kAssignError, graphic->ClassName(), "TPicture"));
  copy->Assign(graphic);
  SetGraphic(std::move(copy));
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this](TGraphic*) { changed(); };
  changed();
}

TBitmap& TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(graphic_.get())) SetGraphic(std::make_unique<TBitmap>());
  return static_cast<TBitmap&>(*graphic_);
}

TIcon& TPicture::Icon() {
  if (!dynamic_cast<TIcon*>(graphic_.get())) SetGraphic(std::make_unique<TIcon>());
  return static_cast<TIcon&>(*graphic_);
}

int TPicture::Width() const { return graphic_ ? graphic_->Width() : 0; }

int TPicture::Height() const { return graphic_ ? graphic_->Height() : 0; }

void TPicture::LoadFromFile(const std::string& fileName) {
  std::string extension = extensionOf(fileName);
  std::unique_ptr<TGraphic> graphic = CreateByExtension(extension);
  if (!graphic) throw EInvalidGraphic(FormatText(texts::kUnknownExtension, extension.c_str()));
  graphic->LoadFromFile(fileName);
  SetGraphic(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) const {
  if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::ReadData(TStream& stream) {
  uint8_t length = 0;
  stream.ReadBuffer(&length, 1);
  std::string className(length, '\0');
  stream.ReadBuffer(className.data(), length);
  // A class nobody registered leaves the picture empty, as the class library does.
  std::unique_ptr<TGraphic> graphic = CreateByClassName(className);
  if (graphic) graphic->ReadData(stream);
  SetGraphic(std::move(graphic));
}

void TPicture::WriteData(TStream& stream) const {
  std::string className = graphic_ ? graphic_->ClassName() : "";
  uint8_t length = uint8_t(std::min<size_t>(className.size(), 255));
  stream.WriteBuffer(&length, 1);
  stream.WriteBuffer(className.data(), length);
  if (graphic_) graphic_->WriteData(stream);
}

void TPicture::changed() {
  if (OnChange) OnChange(this);
}

}  // namespace gui
