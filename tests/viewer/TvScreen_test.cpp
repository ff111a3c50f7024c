// The TV window: its style on the desktop, its handle for the card layer, its placement.
#include "viewer/TvScreen.h"

#include <gtest/gtest.h>

namespace {

TEST(TvWindowLook, StylesMapToWindowFlags) {
  const TvWindowLook popup = TvWindowLookOf(kDefaultTvWindowStyle);
  EXPECT_TRUE(popup.flags & Qt::FramelessWindowHint);
  EXPECT_FALSE(popup.flags & Qt::WindowTitleHint);
  EXPECT_TRUE(popup.visible);

  const TvWindowLook framed =
      TvWindowLookOf(kWsCaption | kWsSysMenu | kWsThickFrame | kWsMinimizeBox | kWsVisible);
  EXPECT_FALSE(framed.flags & Qt::FramelessWindowHint);
  EXPECT_TRUE(framed.flags & Qt::WindowTitleHint);
  EXPECT_TRUE(framed.flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(framed.flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(framed.flags & Qt::WindowMaximizeButtonHint);

  const TvWindowLook sizing = TvWindowLookOf(kWsPopup | kWsThickFrame);
  EXPECT_FALSE(sizing.flags & Qt::FramelessWindowHint) << "a sizing frame is kept";
  EXPECT_FALSE(sizing.visible);

  EXPECT_TRUE(TvWindowLookOf(kWsPopup | kWsDisabled).disabled);
  EXPECT_EQ(TvWindowLookOf(kWsPopup | kWsMaximize).state, Qt::WindowMaximized);
  EXPECT_EQ(TvWindowLookOf(kWsPopup | kWsMinimize).state, Qt::WindowMinimized);
}

TEST(TvScreenWindow, IsTitledPlacedAndClearsTheCardLayersHandle) {
  QWidget owner;
  auto* tv = new TvScreen(kDefaultTvWindowStyle, QRect(10, 20, 394, 294), &owner, 0);
  TvWindow = tv;
  EXPECT_EQ(tv->windowTitle(), "TV Screen");
  EXPECT_TRUE(tv->isWindow());
  EXPECT_TRUE(tv->isVisible());
  EXPECT_EQ(tv->normalRect(), QRect(10, 20, 394, 294));

  TvWindow->Hide();
  EXPECT_FALSE(tv->isVisible());
  TvWindow->Show();
  EXPECT_TRUE(tv->isVisible());

  tv->place(QRect(0, 0, 400, 300), true);
  EXPECT_TRUE(tv->isVisible()) << "making it topmost keeps it on screen";
  EXPECT_TRUE(tv->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(tv->normalRect(), QRect(0, 0, 400, 300));

  delete tv;
  EXPECT_EQ(TvWindow, nullptr);
}

}  // namespace
