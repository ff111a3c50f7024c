// TGraphic, the base of the picture classes (bitmap, icon, and classes registered later such as
// the GIF image), and TPicture, which holds one graphic and knows the graphic classes by name,
// by file extension and by clipboard format.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/GdiTypes.h"

namespace gui {

class TBitmap;
class TCanvas;
class TIcon;
class TStream;

enum TProgressStage { psStarting, psRunning, psEnding };

class TGraphic {
public:
  virtual ~TGraphic() = default;

  // The class name the layouts store ("TBitmap", "TIcon", ...).
  virtual const char* ClassName() const = 0;
  // Draws the graphic into r of the canvas (stretched where the class supports it).
  virtual void Draw(TCanvas& canvas, const TRect& r) const = 0;
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int width) = 0;
  virtual void SetHeight(int height) = 0;
  virtual bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool transparent);

  // The graphic's file format, from and to the stream's position.
  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) const = 0;
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;
  // The picture data of a window layout; by default the file format.
  virtual void ReadData(TStream& stream) { LoadFromStream(stream); }
  virtual void WriteData(TStream& stream) const { SaveToStream(stream); }

  // Copies another graphic. A class that cannot take the source asks the source to assign
  // itself (AssignTo); when that fails too, EConvertError "Cannot assign a %s to a %s".
  virtual void Assign(const TGraphic* source);
  // Puts this graphic into dest when this class knows how; false otherwise.
  virtual bool AssignTo(TGraphic& dest) const { return false; }
  // True when both save to the same bytes.
  virtual bool Equals(const TGraphic& other) const;

  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  std::function<void(TGraphic*)> OnChange;
  // Progress of a long operation such as decoding: stage, percent done and a message.
  std::function<void(TGraphic*, TProgressStage, uint8_t, const std::string&)> OnProgress;

protected:
  // Marks the graphic modified and calls OnChange.
  void Changed();
  void Progress(TProgressStage stage, uint8_t percent, const std::string& message);
  [[noreturn]] void assignError(const TGraphic* source) const;

private:
  bool transparent_ = false;
  bool modified_ = false;
};

using GraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

// Clipboard format of the class library's bitmaps.
constexpr unsigned CF_BITMAP = 2;

class TPicture {
public:
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // Registry of graphic classes. TBitmap ("bmp", CF_BITMAP) and TIcon ("ico") are built in.
  static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                 const std::string& className, GraphicFactory factory);
  static void RegisterClipboardFormat(unsigned format, const std::string& className,
                                      GraphicFactory factory);
  static void UnregisterGraphicClass(const std::string& className);
  static bool SupportsClipboardFormat(unsigned format);
  // A new graphic of a class, an extension (without the dot, any case) or a clipboard format;
  // nullptr when none is registered.
  static std::unique_ptr<TGraphic> CreateByClassName(const std::string& className);
  static std::unique_ptr<TGraphic> CreateByExtension(const std::string& extension);
  static std::unique_ptr<TGraphic> CreateByClipboardFormat(unsigned format);

  TGraphic* Graphic() const { return graphic_.get(); }
  // Takes a copy of the graphic (nullptr empties the picture).
  void SetGraphic(const TGraphic* graphic);
  void SetGraphic(std::unique_ptr<TGraphic> graphic);
  // The graphic as a bitmap or icon; any other graphic is replaced by an empty one first.
  TBitmap& Bitmap();
  TIcon& Icon();
  int Width() const;
  int Height() const;
  void Assign(const TPicture& source) { SetGraphic(source.Graphic()); }

  // The class is chosen by the file's extension; an unknown one raises EInvalidGraphic
  // "Unknown picture file extension (.%s)".
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;
  // Layout data: the class name as a length byte and characters, then the graphic's data. An
  // empty or unregistered class name gives an empty picture.
  void ReadData(TStream& stream);
  void WriteData(TStream& stream) const;

  std::function<void(TPicture*)> OnChange;

private:
  void changed();

  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace gui
