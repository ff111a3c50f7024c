// The slider's properties, value/pixel mapping, ruler, keys, images and layout property.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>

#include "controls/Rxslider.h"
#include "controls/RxsliderTrackBar.h"
#include "gui/Exceptions.h"
#include "gui/Streams.h"

using namespace gui;
using namespace rxslider;

namespace {

struct Counts {
  int change = 0;
  int changed = 0;
};

void watch(TRxSlider& slider, Counts& counts) {
  slider.OnChange = [&counts](TControl*) { ++counts.change; };
  slider.OnChanged = [&counts](TControl*) { ++counts.changed; };
}

void press(QWidget* w, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent event(QEvent::KeyPress, qtKey, modifiers);
  QCoreApplication::sendEvent(w, &event);
}

// A bitmap whose column x has the colour RGB(x, 0, 0).
TBitmap columns(int width, int height) {
  TBitmap bitmap(width, height);
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) bitmap.Canvas().SetPixel(x, y, RGB(x, 0, 0));
  }
  return bitmap;
}

std::vector<int> rowReds(const TBitmap& bitmap) {
  std::vector<int> reds;
  for (int x = 0; x < bitmap.Width(); ++x) reds.push_back(GetRValue(bitmap.Canvas().Pixel(x, 0)));
  return reds;
}

}  // namespace

TEST(Slider, StartsWithTheDeclaredDefaultsAndTheBuiltInImages) {
  TRxSlider slider;
  EXPECT_EQ(slider.Width(), 150);
  EXPECT_EQ(slider.Height(), 40);
  EXPECT_EQ(slider.MinValue(), 0);
  EXPECT_EQ(slider.MaxValue(), 100);
  EXPECT_EQ(slider.Increment(), 10);
  EXPECT_EQ(slider.Value(), 0);
  EXPECT_EQ(slider.Options(), SetOf(soShowFocus) | SetOf(soShowPoints) | SetOf(soSmooth));
  EXPECT_EQ(slider.EdgeSize(), 2);
  EXPECT_EQ(slider.NumThumbStates(), 2);
  EXPECT_EQ(slider.Orientation(), soHorizontal);
  EXPECT_EQ(slider.BevelStyle(), bvNone);
  EXPECT_EQ(slider.Color(), clWindow);
  EXPECT_TRUE(slider.TabStop());
  EXPECT_EQ(slider.UserImages(), 0);
  struct Size {
    TSliderImage index;
    int width, height;
  } sizes[] = {{siHThumb, 18, 17}, {siHRuler, 10, 8}, {siVThumb, 38, 9}, {siVRuler, 8, 10}};
  for (const Size& s : sizes) {
    ASSERT_NE(slider.GetImage(s.index), nullptr);
    EXPECT_EQ(slider.GetImage(s.index)->Width(), s.width) << int(s.index);
    EXPECT_EQ(slider.GetImage(s.index)->Height(), s.height) << int(s.index);
  }
}

TEST(Slider, ValueIsClampedAndOnlyARealChangeFiresOnChange) {
  struct Case {
    int set, stored, changes;
  } cases[] = {{50, 50, 1}, {50, 50, 0}, {105, 100, 1}, {100, 100, 0}, {-7, 0, 1}};
  TRxSlider slider;
  Counts counts;
  watch(slider, counts);
  for (const Case& c : cases) {
    counts = {};
    slider.SetValue(c.set);
    EXPECT_EQ(slider.Value(), c.stored) << c.set;
    EXPECT_EQ(counts.change, c.changes) << c.set;
  }
}

TEST(Slider, RangeChangesKeepMinBelowMaxAndShrinkTheIncrement) {
  TRxSlider slider;
  slider.SetValue(80);
  slider.SetMinValue(100);  // equal to MaxValue: dropped
  EXPECT_EQ(slider.MinValue(), 0);
  slider.SetMaxValue(-5);  // below MinValue: dropped
  EXPECT_EQ(slider.MaxValue(), 100);
  slider.SetMaxValue(3);
  EXPECT_EQ(slider.MaxValue(), 3);
  EXPECT_EQ(slider.Increment(), 3);
  EXPECT_EQ(slider.Value(), 3);  // the value follows the new range
}

TEST(Slider, AnIncrementOutsideTheRangeRaisesAndIsNotTaken) {
  TRxSlider slider;
  for (int bad : {0, -1, 101}) {
    try {
      slider.SetIncrement(bad);
      ADD_FAILURE() << "no exception for " << bad;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Value must be between 1 and 100");
    }
    EXPECT_EQ(slider.Increment(), 10);
  }
  slider.SetIncrement(100);
  EXPECT_EQ(slider.Increment(), 100);
}

TEST(Slider, ValuesMapToThumbPixelsWithMaxValueAtTheTopWhenVertical) {
  // 150 x 40: a 9-pixel thumb frame leaves 141 pixels of travel; halves round to even.
  struct Case {
    int value, horizontalLeft, verticalTop;
  } cases[] = {{0, 0, 141}, {50, 70, 71}, {100, 141, 0}, {33, 47, 94}};
  TRxSlider horizontal;
  TRxSlider vertical;
  vertical.SetOrientation(soVertical);
  ASSERT_EQ(vertical.Width(), 40);
  ASSERT_EQ(vertical.Height(), 150);
  for (const Case& c : cases) {
    horizontal.SetValue(c.value);
    vertical.SetValue(c.value);
    EXPECT_EQ(horizontal.ThumbRect(), Bounds(c.horizontalLeft, 0, 9, 17)) << c.value;
    EXPECT_EQ(vertical.ThumbRect(), Bounds(0, c.verticalTop, 19, 9)) << c.value;
  }
  // The thinner ruler is centred on the thicker thumb; ticks start below or beside both.
  EXPECT_EQ(horizontal.RulerOrigin(), Point(0, 4));
  EXPECT_EQ(horizontal.PointsOrigin(), Point(0, 18));
  EXPECT_EQ(vertical.RulerOrigin(), Point(5, 0));
  EXPECT_EQ(vertical.PointsOrigin(), Point(20, 0));
}

TEST(Slider, OrientationSwapsTheSizeExceptWhileALayoutIsRead) {
  TRxSlider slider;
  slider.SetOrientation(soVertical);
  EXPECT_EQ(slider.Width(), 40);
  EXPECT_EQ(slider.Height(), 150);
  TRxSlider loading;
  loading.BeginReading();
  loading.SetOrientation(soVertical);
  loading.EndReading();
  EXPECT_EQ(loading.Width(), 150);
  EXPECT_EQ(loading.ThumbRect().Width(), 19);
}

TEST(Slider, TheRulerRepeatsItsMiddleSectionBetweenUnstretchedEdges) {
  // Source columns 0..9, edges of 2: the middle section is 2..7.
  struct Case {
    int length;
    std::vector<int> reds;
  } cases[] = {
      {20, {0, 1, 2, 3, 4, 5, 6, 7, 2, 3, 4, 5, 6, 7, 4, 5, 6, 7, 8, 9}},
      {10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {7, {0, 1, 2, 3, 4, 5, 6}},  // shorter than one section: only the start
  };
  TBitmap source = columns(10, 3);
  for (const Case& c : cases) {
    TRxSlider slider;
    slider.SetImageHRuler(&source);
    slider.SetBounds(0, 0, c.length, 30);
    EXPECT_EQ(rowReds(slider.Ruler()), c.reds) << c.length;
  }
}

TEST(Slider, EdgeSizeMustLeaveAMiddleSection) {
  TRxSlider slider;
  slider.SetEdgeSize(5);  // 2 x 5 is not shorter than the 10-pixel ruler
  EXPECT_EQ(slider.EdgeSize(), 2);
  slider.SetEdgeSize(4);
  EXPECT_EQ(slider.EdgeSize(), 4);
  // An image replaced afterwards may be no longer than its edges: it is stretched over the
  // whole length.
  TBitmap shortImage = columns(6, 2);
  slider.SetImageHRuler(&shortImage);
  slider.SetBounds(0, 0, 12, 30);
  EXPECT_EQ(rowReds(slider.Ruler()), (std::vector<int>{0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5}));
}

TEST(Slider, KeysJumpToTheEndsOrByOneIncrementFromZero) {
  struct Case {
    TSliderOrientation orientation;
    int start;
    int key;
    Qt::KeyboardModifiers modifiers;
    int value;
    bool consumed;
  } cases[] = {
      {soHorizontal, 50, Qt::Key_Right, Qt::NoModifier, 60, true},
      {soHorizontal, 50, Qt::Key_Left, Qt::NoModifier, 40, true},
      {soHorizontal, 50, Qt::Key_Home, Qt::NoModifier, 0, true},
      {soHorizontal, 50, Qt::Key_End, Qt::NoModifier, 100, true},
      {soHorizontal, 100, Qt::Key_End, Qt::NoModifier, 100, true},
      {soHorizontal, 50, Qt::Key_Up, Qt::NoModifier, 50, false},
      {soHorizontal, 50, Qt::Key_Right, Qt::ControlModifier, 50, false},
      {soHorizontal, 50, Qt::Key_Home, Qt::ShiftModifier, 50, false},
      {soHorizontal, 15, Qt::Key_Right, Qt::NoModifier, 30, true},  // 15 counts as 20
      {soHorizontal, 15, Qt::Key_Left, Qt::NoModifier, 10, true},
      {soHorizontal, 95, Qt::Key_Right, Qt::NoModifier, 100, true},
      {soVertical, 50, Qt::Key_Up, Qt::NoModifier, 60, true},
      {soVertical, 50, Qt::Key_Down, Qt::NoModifier, 40, true},
      {soVertical, 50, Qt::Key_Right, Qt::NoModifier, 50, false},
  };
  for (const Case& c : cases) {
    TRxSlider slider;
    slider.SetOrientation(c.orientation);
    slider.SetValue(c.start);
    Counts counts;
    watch(slider, counts);
    uint16_t seen = 0xFFFF;
    slider.OnKeyDown = [&seen](TControl*, uint16_t& key, TShiftState) { seen = key; };
    press(&slider, c.key, c.modifiers);
    EXPECT_EQ(slider.Value(), c.value) << c.start << " key " << c.key;
    // A handled key reaches OnKeyDown as 0 and always fires OnChanged, even when the value
    // stayed.
    EXPECT_EQ(seen == 0, c.consumed) << c.start << " key " << c.key;
    EXPECT_EQ(counts.changed, c.consumed ? 1 : 0) << c.start << " key " << c.key;
  }
}

TEST(Slider, AReadOnlySliderIgnoresKeys) {
  TRxSlider slider;
  slider.SetValue(50);
  slider.SetReadOnly(true);
  press(&slider, Qt::Key_End);
  EXPECT_EQ(slider.Value(), 50);
}

// A skin without position keys gives its sliders size 0, and a thumb as long as the control
// leaves no travel: nothing may divide by zero, and values are still kept.
TEST(Slider, SlidersWithoutTravelKeepTheirValueAndPaint) {
  for (int width : {0, 5, 9}) {
    TRxSlider slider;
    slider.SetBounds(0, 0, width, width);
    slider.SetValue(60);
    EXPECT_EQ(slider.Value(), 60) << width;
    EXPECT_LE(slider.ThumbRect().Left, 0) << width;
    slider.Snapshot();
    press(&slider, Qt::Key_Right);
    EXPECT_EQ(slider.Value(), 70) << width;
  }
}

TEST(Slider, ARangeReadFromALayoutMayBeEmptyWithoutBreakingTheMapping) {
  TRxSlider slider;
  slider.BeginReading();
  slider.SetMinValue(40);
  slider.SetMaxValue(40);
  slider.SetIncrement(0);  // ignored while reading, no exception
  slider.EndReading();
  EXPECT_EQ(slider.MinValue(), 40);
  EXPECT_EQ(slider.MaxValue(), 40);
  EXPECT_EQ(slider.Increment(), 10);
  slider.SetValue(70);
  EXPECT_EQ(slider.Value(), 40);
  EXPECT_EQ(slider.ThumbRect().Left, 0);
  slider.Snapshot();
  slider.SetOptions(slider.Options() & ~SetOf(soSmooth));
  slider.SetValue(10);
  EXPECT_EQ(slider.Value(), 40);
}

TEST(Slider, UserImagesAreFlaggedAndSurviveALayoutRoundTrip) {
  TRxSlider written;
  TBitmap thumb(12, 20);  // two 6 x 20 frames
  thumb.Canvas().Brush.Color = clRed;
  thumb.Canvas().FillRect(Rect(0, 0, 12, 20));
  written.SetImageHThumb(&thumb);
  EXPECT_EQ(written.UserImages(), SetOf(siHThumb));
  EXPECT_TRUE(written.StoreImage(siHThumb));
  EXPECT_FALSE(written.StoreImage(siHRuler));
  EXPECT_EQ(written.ThumbRect().Width(), 6);

  // Written with no ancestor because the set is not empty; not when an ancestor has the same.
  EXPECT_TRUE(written.ShouldWriteUserImages(nullptr));
  TRxSlider ancestor;
  EXPECT_FALSE(ancestor.ShouldWriteUserImages(nullptr));
  EXPECT_TRUE(written.ShouldWriteUserImages(&ancestor));
  ancestor.SetImageHThumb(&thumb);
  EXPECT_FALSE(written.ShouldWriteUserImages(&ancestor));

  // The layout: the stored image properties, then the "UserImages" byte.
  TMemoryStream layout;
  for (TSliderImage i : {siHThumb, siHRuler, siVThumb, siVRuler}) {
    if (written.StoreImage(i)) written.GetImage(i)->WriteData(layout);
  }
  written.WriteUserImages(layout);
  EXPECT_EQ(layout.Bytes().back(), 0x01);

  layout.SetPosition(0);
  TRxSlider read;
  read.BeginReading();
  TBitmap image;
  image.ReadData(layout);
  read.SetImageHThumb(&image);
  read.ReadUserImages(layout);
  read.EndReading();
  EXPECT_EQ(read.UserImages(), SetOf(siHThumb));
  EXPECT_EQ(read.ImageHThumb()->Canvas().Pixel(3, 3), clRed);
  EXPECT_EQ(read.ThumbRect().Width(), 6);

  // A short stream is the class library's read error.
  TMemoryStream empty;
  EXPECT_THROW(read.ReadUserImages(empty), EReadError);
}

TEST(Slider, ResettingAnImageToTheBuiltInClearsItsFlagAndItsOpaqueOption) {
  TRxSlider slider;
  TBitmap ruler(20, 6);
  slider.SetImageHRuler(&ruler);
  slider.SetOptions(slider.Options() | SetOf(soRulerOpaque) | SetOf(soThumbOpaque));
  slider.SetImageHRuler(nullptr);
  EXPECT_EQ(slider.UserImages(), 0);
  EXPECT_EQ(slider.ImageHRuler()->Width(), 10);
  EXPECT_FALSE(InSet(slider.Options(), soRulerOpaque));
  EXPECT_TRUE(InSet(slider.Options(), soThumbOpaque));
}

TEST(Slider, OneThumbStateUsesTheWholeImage) {
  TRxSlider slider;
  slider.SetNumThumbStates(1);
  EXPECT_EQ(slider.ThumbRect().Width(), 18);
  slider.SetNumThumbStates(0);  // not a number of frames
  EXPECT_EQ(slider.NumThumbStates(), 1);
}

TEST(Slider, ATrackBarsImagesObjectActsOnItsSlider) {
  TRxCustomTrackBar bar;
  TBitmap thumb(10, 12);
  bar.Images().SetHorzThumb(&thumb);
  EXPECT_TRUE(bar.Images().StoreImage(siHThumb));
  EXPECT_EQ(bar.ThumbRect().Width(), 5);
  bar.Images().SetNumThumbStates(1);
  EXPECT_EQ(bar.ThumbRect().Width(), 10);
}
