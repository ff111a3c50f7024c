// Owner-drawn pickers on a combo box: TColorComboBox lists the sixteen basic colours (and
// optionally the none and default entries) as swatches, TFontComboBox the font faces the system
// has, each with a mark for a scalable face. Both fix their item height to their font.
#pragma once

#include <QComboBox>

#include <functional>
#include <string>
#include <vector>

#include "gui/Colors.h"

namespace rxcombos {

using TNotifyEvent = std::function<void()>;

class TOwnerDrawComboBox : public QComboBox {
public:
  explicit TOwnerDrawComboBox(QWidget* parent = nullptr);

  // The item height: the font's character height + 1, at least 9.
  virtual int MinItemHeight() const;

protected:
  void changeEvent(QEvent* event) override;
  // Fills the list; run once the control exists and whenever its contents must change.
  virtual void PopulateList() = 0;
  void applyItemHeight();
};

// Set of options of the colour box.
enum TColorComboOption : unsigned { coIncludeDefault = 1, coIncludeNone = 2 };

class TColorComboBox : public TOwnerDrawComboBox {
public:
  explicit TColorComboBox(QWidget* parent = nullptr);

  gui::TColor ColorValue() const { return colorValue_; }
  // Selects the first entry holding `c`; a colour no entry holds leaves nothing selected while
  // ColorValue reads `c`. Nothing happens when an entry is selected and `c` is the stored colour.
  void SetColorValue(gui::TColor c);
  // Off: swatches only, each nearly as wide as the box.
  bool DisplayNames() const { return displayNames_; }
  void SetDisplayNames(bool value);
  unsigned Options() const { return options_; }
  void SetOptions(unsigned value);
  // Names that replace the built-in ones, by entry number (0..17); empty lines keep them.
  void SetColorNames(const std::vector<std::string>& names);

  // The colour of entry `index` of the list, and its name.
  gui::TColor ItemColor(int index) const;
  // Fired once for every new colour, whether picked or set.
  TNotifyEvent OnChange;
  TNotifyEvent OnClick;

  // The swatch's frame colour for `color`: black for a light colour, white when selected, else
  // the colour itself.
  static gui::TColor FrameColor(gui::TColor color, bool selected);

protected:
  void PopulateList() override;
  void paintEvent(QPaintEvent* event) override;

private:
  void itemPicked(int index);
  void DoChange();

  gui::TColor colorValue_ = gui::clBlack;
  bool displayNames_ = true;
  unsigned options_ = 0;
  std::vector<std::string> colorNames_;
};

// Set of options of the font box.
enum TFontListOption : unsigned {
  foAnsiOnly = 1,
  foTrueTypeOnly = 2,
  foFixedPitchOnly = 4,
  foNoOEMFonts = 8,
  foOEMFontsOnly = 16,
  foScalableOnly = 32,
  foNoSymbolFonts = 64,
};

class TFontComboBox : public TOwnerDrawComboBox {
public:
  explicit TFontComboBox(QWidget* parent = nullptr);

  // The face name shown.
  std::string FontName() const;
  // Selects the first face equal to `name` in any letter case; nothing is selected when no face
  // matches. Fires OnChange unless `name` is already shown.
  void SetFontName(const std::string& name);
  unsigned Options() const { return options_; }
  void SetOptions(unsigned value);
  // Each face drawn in its own font.
  bool UseFonts() const { return useFonts_; }
  void SetUseFonts(bool value);
  // Fills the list again, keeping the face shown; OnChange runs when it is gone.
  void Reset();

  int MinItemHeight() const override;

  TNotifyEvent OnChange;
  TNotifyEvent OnClick;

protected:
  void PopulateList() override;
  bool event(QEvent* event) override;

private:
  void DoChange();

  unsigned options_ = 0;
  bool useFonts_ = false;
  bool updating_ = false;
};

}  // namespace rxcombos
