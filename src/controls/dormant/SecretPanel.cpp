#include "controls/dormant/SecretPanel.h"

#include <QFontMetrics>

#include <algorithm>
#include <climits>

#include "controls/VclutilsBitmaps.h"
#include "gui/Frame3D.h"

namespace rxctrls {

using namespace gui;

namespace {

// Extra pixels between the bevels and the text area, and beside a glyph.
constexpr int kTextMargin = 3;
constexpr int kGlyphMargin = 3;
// Longest part of a line that is drawn.
constexpr size_t kMaxLineChars = 255;

void bevel(TCanvas& canvas, TRect& r, TBevelCut cut, int width) {
  switch (cut) {
    case bvLowered: Frame3D(canvas, r, clBtnShadow, clBtnHighlight, width); break;
    case bvRaised: Frame3D(canvas, r, clBtnHighlight, clBtnShadow, width); break;
    case bvSpace: Frame3D(canvas, r, clBtnFace, clBtnFace, width); break;
    case bvNone: break;
  }
}

bool blank(const std::string& line) {
  return std::all_of(line.begin(), line.end(), [](char c) { return uint8_t(c) <= ' '; });
}

int clampToInt(int64_t value) { return int(std::clamp<int64_t>(value, INT_MIN, INT_MAX)); }

}  // namespace

TSecretPanel::TSecretPanel(QWidget* parent)
    : TCustomControl(parent), timer_(std::make_unique<rxtimer::TRxTimer>(this)) {
  SetColor(clBtnFace);
  SetTabStop(false);
  timer_->SetEnabled(false);
  timer_->SetInterval(30);
  // Every tick runs on the GUI thread, whatever AsyncDrawing says: the image and the scroll
  // state are touched by that thread only.
  timer_->SetSyncEvent(true);
  timer_->SetOnTimer([this](rxtimer::TRxTimer*) { TimerExpired(); });
  lines_.OnChange = [this] { linesChanged(); };
}

TSecretPanel::~TSecretPanel() {
  destroying_ = true;
  SetActive(false);
  lines_.OnChange = nullptr;
  timer_.reset();
}

int TSecretPanel::inflateWidth() const {
  int m = borderWidth_;
  if (bevelOuter_ != bvNone) m += bevelWidth_;
  if (bevelInner_ != bvNone) m += bevelWidth_;
  return m;
}

void TSecretPanel::RecalcDrawRect() {
  const int m = inflateWidth();
  const int w = m + kTextMargin;
  TRect txt = ClientRect();
  paintRect_ = ClientRect();
  InflateRect(paintRect_, -m, -m);
  InflateRect(txt, -w, -w);
  const int gw = glyph_.Width(), gh = glyph_.Height();
  switch (glyphLayout_) {
    case glGlyphLeft:
    case glGlyphRight:
      glyphOrigin_.Y = std::max((txt.Top + txt.Bottom - gh) / 2, txt.Top);
      if (glyphLayout_ == glGlyphLeft) {
        glyphOrigin_.X = txt.Left;
        if (gw > 0) {
          glyphOrigin_.X += kGlyphMargin;
          txt.Left = glyphOrigin_.X + gw + w;
        }
      } else {
        glyphOrigin_.X = txt.Right - gw;
        if (gw > 0) {
          glyphOrigin_.X = std::max(glyphOrigin_.X - kGlyphMargin, txt.Left);
          txt.Right = glyphOrigin_.X - w;
        }
      }
      break;
    case glGlyphTop:
    case glGlyphBottom:
      glyphOrigin_.X = std::max((txt.Left + txt.Right - gw) / 2, txt.Left);
      if (glyphLayout_ == glGlyphTop) {
        glyphOrigin_.Y = txt.Top;
        if (gh > 0) {
          glyphOrigin_.Y += kGlyphMargin;
          txt.Top = glyphOrigin_.Y + gh + w + kGlyphMargin;
        }
      } else {
        glyphOrigin_.Y = txt.Bottom - gh;
        if (gh > 0) {
          glyphOrigin_.Y = std::max(glyphOrigin_.Y - kGlyphMargin, txt.Top);
          txt.Bottom = glyphOrigin_.Y - (w + kGlyphMargin);
        }
      }
      break;
  }
  if (scrollDirection_ == sdHorizontal) {
    // The block of lines is centred vertically.
    int last = -1;
    for (int i = lines_.Count() - 1; i >= 0; --i) {
      if (!blank(lines_.Get(i))) {
        last = i;
        break;
      }
    }
    int64_t h = int64_t(txt.Height()) - int64_t(last + 1 - firstLine_) * lineHeight_;
    if (h > 0) InflateRect(txt, 0, -clampToInt(h / 2));
  }
  if (IsRectEmpty(txt)) txt = TRect{};
  txtRect_ = txt;
}

void TSecretPanel::UpdateMemoryImage() {
  if (!memoryImage_) memoryImage_ = std::make_unique<TBitmap>();
  firstLine_ = lines_.Count();
  for (int i = 0; i < lines_.Count(); ++i) {
    if (!blank(lines_.Get(i))) {
      firstLine_ = i;
      break;
    }
  }
  TControl::Canvas().Font = Font();
  lineHeight_ = std::max(1, QFontMetrics(Font().ToQFont()).lineSpacing());
  if (textStyle_ != bvNone) ++lineHeight_;
  RecalcDrawRect();
  if (scrollDirection_ == sdVertical) {
    scrollMax_ = clampToInt(int64_t(txtRect_.Height()) +
                            int64_t(lines_.Count() - firstLine_) * lineHeight_);
  } else {
    int widest = 0;
    for (int i = firstLine_; i < lines_.Count(); ++i)
      widest = std::max(widest, TControl::Canvas().TextWidth(lines_.Get(i)));
    scrollMax_ = clampToInt(int64_t(widest) + txtRect_.Width());
  }
  memoryImage_->SetSize(txtRect_.Width(), txtRect_.Height());
  TCanvas& canvas = memoryImage_->Canvas();
  canvas.Font = Font();
  canvas.Brush.Color = Color();
  canvas.SetBkMode(TRANSPARENT);
}

void TSecretPanel::TimerExpired() {
  if (scrollCnt_ >= scrollMax_) {
    if (!cycled_) {
      timer_->Synchronize([this] { Stop(); });
      return;
    }
    scrollCnt_ = 0;
  } else {
    ++scrollCnt_;
  }
  if (memoryImage_) PaintText();
}

void TSecretPanel::PaintText() {
  if (lines_.Count() == 0 || IsRectEmpty(txtRect_) || !memoryImage_) return;
  TCanvas& canvas = memoryImage_->Canvas();
  const int width = txtRect_.Width(), height = txtRect_.Height();
  int saved = canvas.SaveDC();
  canvas.SetOrigin(Point(-txtRect_.Left, -txtRect_.Top));
  canvas.Brush.Color = Color();
  canvas.Brush.Style = bsSolid;
  PaintClient(canvas, paintRect_);
  canvas.RestoreDC(saved);
  canvas.SetBkMode(TRANSPARENT);

  TRect r = Rect(0, 0, width, height);
  const bool rtl = biDiMode_ == bdRightToLeft;
  if (scrollDirection_ == sdVertical) {
    r.Top = height - scrollCnt_;
  } else if (!rtl) {
    r.Left = width - scrollCnt_;
    r.Right = scrollMax_ - width + r.Left;
  } else {
    r.Right = scrollCnt_;
    r.Left = r.Right - (scrollMax_ - width);
  }
  r.Bottom = r.Top + lineHeight_;

  static constexpr unsigned kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  unsigned flags = kAlign[alignment_] | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX;
  if (rtl) {
    // Reading right to left mirrors left and right alignment.
    if (alignment_ == taLeftJustify) flags = (flags & ~DT_LEFT) | DT_RIGHT;
    else if (alignment_ == taRightJustify) flags &= ~DT_RIGHT;
    flags |= DT_RTLREADING;
  }
  const TColor fontColor = Font().Color;
  for (int i = firstLine_; i < lines_.Count(); ++i) {
    if (r.Top >= height) break;
    if (r.Bottom > 0) {
      std::string line = lines_.Get(i).substr(0, kMaxLineChars);
      if (textStyle_ != bvNone) {
        int offset = textStyle_ == bvLowered ? 1 : textStyle_ == bvRaised ? -1 : 0;
        TRect emboss = r;
        OffsetRect(emboss, offset, offset);
        canvas.Font.Color = clBtnHighlight;
        canvas.DrawText(line, emboss, flags);
      }
      canvas.Font.Color = fontColor;
      canvas.DrawText(line, r, flags);
    }
    OffsetRect(r, 0, lineHeight_);
  }
  InvalidateRect(txtRect_);
}

void TSecretPanel::PaintClient(TCanvas& canvas, const TRect& rect) {
  if (OnPaintClient) OnPaintClient(this, canvas, rect);
  else canvas.FillRect(rect);
}

void TSecretPanel::Paint() {
  TCanvas& canvas = Canvas();
  TRect r = ClientRect();
  bevel(canvas, r, bevelOuter_, bevelWidth_);
  Frame3D(canvas, r, Color(), Color(), borderWidth_);
  bevel(canvas, r, bevelInner_, bevelWidth_);
  int saved = canvas.SaveDC();
  canvas.IntersectClipRect(r);
  canvas.Brush.Color = Color();
  canvas.Brush.Style = bsSolid;
  PaintClient(canvas, r);
  canvas.RestoreDC(saved);
  if (!active_) return;
  RecalcDrawRect();
  if (!glyph_.Empty()) vclutils::DrawBitmapTransparent(canvas, glyphOrigin_.X, glyphOrigin_.Y, glyph_, clDefault);
  // The last frame of the text comes back at once.
  if (memoryImage_ && !memoryImage_->Empty() && !IsRectEmpty(txtRect_)) {
    canvas.CopyRect(txtRect_, memoryImage_->Canvas(), Rect(0, 0, txtRect_.Width(), txtRect_.Height()));
  }
}

void TSecretPanel::SetActive(bool value) {
  if (active_ == value) return;
  active_ = value;
  if (value) {
    try {
      scrollCnt_ = 0;
      UpdateMemoryImage();
      timer_->SetEnabled(true);
      StartPlay();
    } catch (...) {
      active_ = false;
      timer_->SetEnabled(false);
      memoryImage_.reset();
      throw;
    }
  } else {
    timer_->SetEnabled(false);
    scrollCnt_ = 0;
    memoryImage_.reset();
    StopPlay();
  }
  if (!destroying_) showChildren(value);
  if (!value) hiddenList_.clear();
  if (!destroying_) Invalidate();
}

void TSecretPanel::showChildren(bool playing) {
  for (QObject* object : children()) {
    auto* child = qobject_cast<QWidget*>(object);
    if (!child || child->isWindow()) continue;
    if (playing) {
      if (!child->isHidden()) {
        hiddenList_.emplace_back(child);
        child->hide();
      }
    } else if (std::find(hiddenList_.begin(), hiddenList_.end(), child) != hiddenList_.end()) {
      child->show();
      child->update();
    }
  }
}

void TSecretPanel::StartPlay() {
  if (OnStartPlay) OnStartPlay(this);
}

void TSecretPanel::StopPlay() {
  if (OnStopPlay) OnStopPlay(this);
}

void TSecretPanel::rebuildIfActive(bool invalidate) {
  if (!active_) return;
  UpdateMemoryImage();
  if (invalidate) Invalidate();
}

void TSecretPanel::linesChanged() {
  if (!active_) return;
  scrollCnt_ = 0;
  rebuildIfActive(true);
}

void TSecretPanel::glyphChanged() { rebuildIfActive(true); }

void TSecretPanel::SetGlyph(const TBitmap& value) {
  glyph_.Assign(value);
  glyphChanged();
}

void TSecretPanel::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  if (active_) Invalidate();
}

void TSecretPanel::SetScrollDirection(TScrollDirection value) {
  if (scrollDirection_ == value) return;
  scrollDirection_ = value;
  if (active_) scrollCnt_ = 0;
  rebuildIfActive(true);
}

void TSecretPanel::SetTextStyle(TBevelCut value) {
  if (textStyle_ == value) return;
  textStyle_ = value;
  rebuildIfActive(true);
}

void TSecretPanel::SetGlyphLayout(TGlyphLayout value) {
  if (glyphLayout_ == value) return;
  glyphLayout_ = value;
  rebuildIfActive(true);
}

void TSecretPanel::SetBiDiMode(TBiDiMode value) {
  if (biDiMode_ == value) return;
  biDiMode_ = value;
  Invalidate();
}

void TSecretPanel::SetBevelInner(TBevelCut value) {
  if (bevelInner_ == value) return;
  bevelInner_ = value;
  rebuildIfActive(true);
  Invalidate();
}

void TSecretPanel::SetBevelOuter(TBevelCut value) {
  if (bevelOuter_ == value) return;
  bevelOuter_ = value;
  rebuildIfActive(true);
  Invalidate();
}

void TSecretPanel::SetBevelWidth(int value) {
  if (bevelWidth_ == value || value < 1) return;
  bevelWidth_ = value;
  rebuildIfActive(true);
  Invalidate();
}

void TSecretPanel::SetBorderWidth(int value) {
  if (borderWidth_ == value || value < 0) return;
  borderWidth_ = value;
  rebuildIfActive(true);
  Invalidate();
}

void TSecretPanel::FontChanged() {
  TCustomControl::FontChanged();
  rebuildIfActive(false);
}

void TSecretPanel::ColorChanged() {
  TCustomControl::ColorChanged();
  rebuildIfActive(false);
}

void TSecretPanel::Resized() {
  TCustomControl::Resized();
  rebuildIfActive(true);
}

}  // namespace rxctrls
