// TRxCustomTrackBar: a slider whose images and their settings are published as one object,
// TRxSliderImages. Nothing in the program creates either.
#pragma once

#include <memory>

#include "controls/Rxslider.h"

namespace rxslider {

// The images and their settings of a track bar, as one published object.
class TRxSliderImages {
public:
  explicit TRxSliderImages(TRxCustomSlider* slider) : slider_(slider) {}

  gui::TBitmap* HorzThumb() const { return slider_->GetImage(siHThumb); }
  void SetHorzThumb(const gui::TBitmap* bitmap) { slider_->SetImage(siHThumb, bitmap); }
  gui::TBitmap* HorzRuler() const { return slider_->GetImage(siHRuler); }
  void SetHorzRuler(const gui::TBitmap* bitmap) { slider_->SetImage(siHRuler, bitmap); }
  gui::TBitmap* VertThumb() const { return slider_->GetImage(siVThumb); }
  void SetVertThumb(const gui::TBitmap* bitmap) { slider_->SetImage(siVThumb, bitmap); }
  gui::TBitmap* VertRuler() const { return slider_->GetImage(siVRuler); }
  void SetVertRuler(const gui::TBitmap* bitmap) { slider_->SetImage(siVRuler, bitmap); }
  bool StoreImage(TSliderImage index) const { return slider_->StoreImage(index); }
  TNumThumbStates NumThumbStates() const { return slider_->NumThumbStates(); }
  void SetNumThumbStates(TNumThumbStates value) { slider_->SetNumThumbStates(value); }
  int EdgeSize() const { return slider_->EdgeSize(); }
  void SetEdgeSize(int value) { slider_->SetEdgeSize(value); }

private:
  TRxCustomSlider* slider_;
};

class TRxCustomTrackBar : public TRxCustomSlider {
public:
  explicit TRxCustomTrackBar(QWidget* parent = nullptr)
      : TRxCustomSlider(parent), images_(std::make_unique<TRxSliderImages>(this)) {}
  TRxSliderImages& Images() { return *images_; }

private:
  std::unique_ptr<TRxSliderImages> images_;
};

}  // namespace rxslider
