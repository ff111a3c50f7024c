// Tooledit: the edits with a button. TCustomComboEdit is a masked edit with a small push button
// (TEditButton) at its right end and, optionally, a drop-down window (TPopupWindow) that opens
// under it; the numeric, date, file and directory edits derive from it. TComboEdit is the plain
// edit with a button. The date edit is in TooleditDate.h.
//
// While the drop-down is open the edit keeps the focus, OnChange is quiet and (when the button
// or the click key opened it) typing is blocked; Enter accepts its value, Escape rejects it, and
// so do a click elsewhere (reject), a press on the button (accept) and losing the focus (reject).
#pragma once

#include <QPointer>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/RxSpeedButton.h"
#include "controls/TooleditMask.h"
#include "controls/TooleditPopup.h"
#include "gui/Bitmap.h"
#include "gui/Controls.h"

namespace tooledit {

class TCustomComboEdit;

enum TPopupAlign { epaRight, epaLeft };
enum TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };

// Alt+Down, the default click key.
inline constexpr uint16_t kAltDown = 0x8000 | gui::VK_DOWN;  // 32808
// A short cut: the key in the low byte, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
uint16_t ShortCut(uint16_t key, gui::TShiftState shift);

// The button inside the edit. A press that closes the drop-down swallows the click after it.
class TEditButton : public rxctrls::TRxSpeedButton {
public:
  TEditButton(QWidget* holder, TCustomComboEdit* editor);
  bool NoAction() const { return noAction_; }

protected:
  // The speed button, then a separator between text and button while it is up.
  void Paint() override;
  void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void Click() override;

private:
  TCustomComboEdit* editor_;
  bool noAction_ = false;
};

class TCustomComboEdit : public TCustomMaskEdit {
public:
  using TNotifyEvent = TCustomMaskEdit::TNotifyEvent;

  explicit TCustomComboEdit(QWidget* parent = nullptr);
  ~TCustomComboEdit() override;

  TEditButton* Button() const { return button_; }
  QWidget* ButtonHolder() const { return holder_; }
  TPopupWindow* Popup() const { return popup_; }

  gui::TAlignment Alignment() const { return alignment_; }
  void SetAlignment(gui::TAlignment value);
  const std::string& ButtonHint() const { return buttonHint_; }
  void SetButtonHint(const std::string& value);
  int ButtonWidth() const;
  void SetButtonWidth(int value);
  // Whether ButtonWidth differs from what the glyph kind implies (so a layout stores it).
  bool IsButtonWidthStored() const;
  uint16_t ClickKey() const { return clickKey_; }
  void SetClickKey(uint16_t value) { clickKey_ = value; }
  // Typing allowed; off, only the button and the drop-down change the text.
  bool DirectInput() const { return directInput_; }
  void SetDirectInput(bool value);
  // The button's bitmap; setting it switches the kind to gkCustom.
  const gui::TBitmap& Glyph() const;
  void SetGlyph(const gui::TBitmap& value);
  TGlyphKind GlyphKind() const { return glyphKind_; }
  void SetGlyphKind(TGlyphKind value);
  int NumGlyphs() const;
  void SetNumGlyphs(int value);
  TPopupAlign PopupAlign() const { return popupAlign_; }
  void SetPopupAlign(TPopupAlign value) { popupAlign_ = value; }
  bool PopupVisible() const;
  bool Focused() const { return focused_; }
  // Selects all only while typing is allowed.
  void SelectAll() override;

  // The button's action and the click key: ButtonClick unless read-only.
  void EditButtonClick();
  void DoClick() { EditButtonClick(); }
  virtual void PopupDropDown(bool disableEdit);
  void PopupCloseUp(TPopupWindow* sender, bool accept);

  int GetTextHeight() const;
  int GetMinHeight() const;
  // The width of the caret the edit shows: 2 pixels for a bold font, else 1.
  int CaretWidth() const;

  TNotifyEvent OnButtonClick;

protected:
  // The descendant's built-in glyph for gkDefault, shared; nullptr when none.
  virtual std::shared_ptr<const gui::TBitmap> GetDefaultBitmap() { return nullptr; }
  virtual void ShowPopup(gui::TPoint origin);
  virtual void HidePopup();
  // True: the popup's value may be taken (descendants veto or rewrite it).
  virtual bool AcceptPopup(QVariant& value) { return true; }
  virtual void AcceptValue(const QVariant& value);
  virtual void SetPopupValue(const QVariant& value);
  virtual QVariant GetPopupValue();
  virtual void PopupChange() {}
  virtual bool EditCanModify() { return !ReadOnly(); }
  virtual void ButtonClick();
  // Fires OnChange (through the masked edit).
  void DoChange() { TCustomMaskEdit::Change(); }
  // Takes a popup made by the descendant (owned by it); wires its close-up.
  void SetPopup(TPopupWindow* popup);
  void SetDefaultGlyphCount(int count) { defaultGlyphCount_ = count; }
  // PopupVisible follows whether the drop-down is shown now.
  void UpdatePopupVisible() { popupVisible_ = popup_ && popup_->isVisible(); }

  void Change() override;
  void KeyDown(uint16_t& key, gui::TShiftState shift) override;
  void KeyPress(char& key) override;
  bool EditLocked() const override { return ReadOnly() || !directInput_ || editDisabled_; }
  void BorderChanged() override;

  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void UpdateBtnBounds();
  void SetEditRect();
  void RecreateGlyph();
  int defaultButtonWidth() const;
  void applyAlignment();
  void applyCaret();
  bool ownsWidget(const QWidget* widget) const;
  void watchOutsideClicks(bool on);

  QWidget* holder_;
  TEditButton* button_;
  QPointer<TPopupWindow> popup_;
  uint16_t clickKey_ = kAltDown;
  bool directInput_ = true;
  // The caret's style, owned here: a widget never owns the style it is given.
  QStyle* caretStyle_ = nullptr;
  bool editDisabled_ = false;  // the drop-down was opened by the button or the click key
  gui::TAlignment alignment_ = gui::taLeftJustify;
  bool popupVisible_ = false;
  bool focused_ = false;
  bool closingUp_ = false;
  TPopupAlign popupAlign_ = epaRight;
  TGlyphKind glyphKind_ = gkCustom;
  int defaultGlyphCount_ = 1;
  std::string buttonHint_;
};

// The plain edit with a button that a layout can place.
class TComboEdit : public TCustomComboEdit {
public:
  explicit TComboEdit(QWidget* parent = nullptr) : TCustomComboEdit(parent) {}
};

// A built-in glyph of the unit: "DEDITBMP" (the date edit's button), "OBM_COMBO" (the drop-down
// arrow); shared, nullptr when there is none.
std::shared_ptr<const gui::TBitmap> BuiltinGlyph(const char* name);

// The margins of an edit's text: left x and top y in its client area.
gui::TPoint EditorTextMargins(const TCustomComboEdit& editor);
// Draws the text of an edit that does not have the focus onto canvas (the edit's paint
// buffer), aligned beside the button; false when the edit should paint itself instead
// (StandardPaint outside a paint copy).
bool PaintComboEdit(TCustomComboEdit& editor, const std::string& text, gui::TAlignment alignment,
                    bool standardPaint, bool paintCopy, gui::TCanvas& canvas);

}  // namespace tooledit
