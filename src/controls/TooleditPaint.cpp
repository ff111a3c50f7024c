// The text of an edit with a button drawn while it does not have the focus (the numeric edit
// shows its formatted value this way), and the margins of an edit's text.
#include "controls/Tooledit.h"

using namespace gui;

namespace tooledit {

namespace {
// The line edit's own inset of its text (the edit control's left margin).
constexpr int kLineEditMargin = 2;
}  // namespace

TPoint EditorTextMargins(const TCustomComboEdit& editor) {
  int inset = editor.BorderStyle() == bsNone ? 0 : editor.Ctl3D() ? 1 : 2;
  return {editor.textMargins().left() + kLineEditMargin + inset, inset};
}

bool PaintComboEdit(TCustomComboEdit& editor, const std::string& text, TAlignment alignment,
                    bool standardPaint, bool paintCopy, TCanvas& canvas) {
  if (editor.isRightToLeft()) {
    if (alignment == taLeftJustify) alignment = taRightJustify;
    else if (alignment == taRightJustify) alignment = taLeftJustify;
  }
  if (standardPaint && !paintCopy) return false;
  canvas.Font = editor.Font();
  if (!editor.isEnabled() && editor.Color() != clGrayText) canvas.Font.Color = clGrayText;
  int inset = editor.ClientInset();
  TRect r = Rect(inset, inset, editor.width() - inset, editor.height() - inset);
  canvas.Brush.Color = editor.Color();
  canvas.Brush.Style = bsSolid;
  int textWidth = canvas.TextWidth(text);
  TPoint margins = EditorTextMargins(editor);
  int clientWidth = r.Width();
  int left = margins.X;
  if (!editor.PopupVisible()) {
    int buttonWidth = editor.ButtonWidth();
    if (buttonWidth > 0) ++textWidth;
    if (alignment == taRightJustify) left = clientWidth - buttonWidth - textWidth - margins.X - 2;
    else if (alignment == taCenter) left = (clientWidth - buttonWidth - textWidth) / 2;
  }
  canvas.TextRect(r, r.Left + left, r.Top + margins.Y, text);
  return true;
}

}  // namespace tooledit
