// TImage, the class library's picture control: shows a picture at its top left corner, centred
// or stretched to its bounds, over its parent where the picture is transparent. The panel is
// built from such pictures (background, title bar, buttons, option glyphs).
#pragma once

#include "gui/Controls.h"
#include "gui/Graphic.h"

namespace gui {

class TImage : public TGraphicControl {
public:
  explicit TImage(QWidget* parent = nullptr);

  // Changing the picture repaints the control.
  TPicture& Picture() { return picture_; }
  const TPicture& Picture() const { return picture_; }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);
  bool Center() const { return center_; }
  void SetCenter(bool center);
  // A transparent picture leaves its transparent colour's pixels to what lies below.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

protected:
  void Paint() override;

private:
  TRect destRect() const;

  TPicture picture_;
  bool stretch_ = false;
  bool center_ = false;
  bool transparent_ = false;
};

}  // namespace gui
