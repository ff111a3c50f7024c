// TSecretPanel: a bevelled panel that, while Active, scrolls the lines of its Lines list through
// its text area one pixel per timer tick: vertically (credits style, from the bottom up) or
// horizontally (the lines as one block, from the right; from the left when reading right to
// left), with an optional glyph beside the text. While it plays its child controls are hidden;
// they come back when it stops, except those that were hidden before.
//
// The ticks come from a threaded timer whose handler always runs on the GUI thread: the text is
// drawn into the off-screen image there and the window shows the image when it paints, so no
// state is shared with the timer's worker.
#pragma once

#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/Rxtimer.h"
#include "controls/dormant/ListBoxWindow.h"
#include "gui/Bitmap.h"
#include "gui/Controls.h"
#include "gui/Strings.h"

namespace rxctrls {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TScrollDirection { sdVertical, sdHorizontal };
enum TGlyphLayout { glGlyphLeft, glGlyphRight, glGlyphTop, glGlyphBottom };

class TSecretPanel : public gui::TCustomControl {
public:
  using TNotifyEvent = std::function<void(TSecretPanel*)>;
  using TPanelDrawEvent = std::function<void(TSecretPanel*, gui::TCanvas&, const gui::TRect&)>;

  explicit TSecretPanel(QWidget* parent = nullptr);
  ~TSecretPanel() override;

  bool Active() const { return active_; }
  // Starting rebuilds the image and starts the timer (both undone when StartPlay raises);
  // stopping frees the image. Children are hidden while playing.
  void SetActive(bool value);
  void Play() { SetActive(true); }
  void Stop() { SetActive(false); }

  gui::TAlignment Alignment() const { return alignment_; }
  void SetAlignment(gui::TAlignment value);
  bool AsyncDrawing() const { return asyncDrawing_; }
  void SetAsyncDrawing(bool value) { asyncDrawing_ = value; }
  bool Cycled() const { return cycled_; }
  void SetCycled(bool value) { cycled_ = value; }
  const gui::TBitmap& Glyph() const { return glyph_; }
  void SetGlyph(const gui::TBitmap& value);
  TGlyphLayout GlyphLayout() const { return glyphLayout_; }
  void SetGlyphLayout(TGlyphLayout value);
  // The timer's interval in milliseconds.
  uint32_t Interval() const { return timer_->Interval(); }
  void SetInterval(uint32_t value) { timer_->SetInterval(value); }
  gui::TStringList& Lines() { return lines_; }
  void SetLines(const gui::TStrings& value) { lines_.Assign(value); }
  TScrollDirection ScrollDirection() const { return scrollDirection_; }
  void SetScrollDirection(TScrollDirection value);
  TBevelCut TextStyle() const { return textStyle_; }
  void SetTextStyle(TBevelCut value);
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode value);

  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);

  // The scroll state and areas (client coordinates).
  int ScrollCnt() const { return scrollCnt_; }
  int ScrollMax() const { return scrollMax_; }
  int LineHeight() const { return lineHeight_; }
  int FirstLine() const { return firstLine_; }
  gui::TRect TxtRect() const { return txtRect_; }
  gui::TRect PaintRect() const { return paintRect_; }
  gui::TPoint GlyphOrigin() const { return glyphOrigin_; }
  // The off-screen image of the text area; only while active.
  const gui::TBitmap* MemoryImage() const { return memoryImage_.get(); }
  rxtimer::TRxTimer& Timer() { return *timer_; }

  TPanelDrawEvent OnPaintClient;
  TNotifyEvent OnStartPlay;
  TNotifyEvent OnStopPlay;

protected:
  void Paint() override;
  virtual void PaintClient(gui::TCanvas& canvas, const gui::TRect& rect);
  // One tick: one pixel further, or the end of the run.
  virtual void TimerExpired();
  virtual void StartPlay();
  virtual void StopPlay();
  void FontChanged() override;
  void ColorChanged() override;
  void Resized() override;

  void RecalcDrawRect();
  void UpdateMemoryImage();
  void PaintText();

private:
  int inflateWidth() const;
  void linesChanged();
  void glyphChanged();
  void rebuildIfActive(bool invalidate);
  void showChildren(bool playing);

  bool active_ = false;
  gui::TAlignment alignment_ = gui::taCenter;
  gui::TStringList lines_;
  bool cycled_ = false;
  int scrollCnt_ = 0;
  int scrollMax_ = 0;
  // Pixels per line; a full int, as fonts can be taller than 255 pixels.
  int lineHeight_ = 1;
  int firstLine_ = 0;
  std::unique_ptr<rxtimer::TRxTimer> timer_;
  gui::TRect txtRect_;
  gui::TRect paintRect_;
  gui::TPoint glyphOrigin_;
  std::unique_ptr<gui::TBitmap> memoryImage_;
  gui::TBitmap glyph_;
  std::vector<QPointer<QWidget>> hiddenList_;
  TBevelCut textStyle_ = bvNone;
  TScrollDirection scrollDirection_ = sdVertical;
  TGlyphLayout glyphLayout_ = glGlyphLeft;
  bool asyncDrawing_ = true;
  TBiDiMode biDiMode_ = bdLeftToRight;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvLowered;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  bool destroying_ = false;
};

}  // namespace rxctrls
