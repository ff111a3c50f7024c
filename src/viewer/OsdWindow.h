// The on-screen display's windows: two small children of the TV window, one for the channel
// name and one for a value text, each drawing the text of a hidden panel label in the OSD font.
// The font grows with the TV window's width. The text is drawn on the overlay's colour key
// (magenta), which lets the picture show through around the letters.
#pragma once

#include <QFont>
#include <QPointer>
#include <QWidget>

#include <string>

namespace gui {
class TCustomLabel;
}

// The OSD font as the settings ask for it at a TV window width: heights in pixels of the whole
// character cell, width 0 for the face's natural width.
struct OsdFontSpec {
  int height = 0;
  int width = 0;
  int weight = 0;
  bool italic = false;
  bool underline = false;
  int charset = 0;
  int pitchAndFamily = 0;
  std::string face;  // at most kOsdFaceMax characters

  bool operator==(const OsdFontSpec&) const = default;
};

constexpr size_t kOsdFaceMax = 31;
// The rectangle the text is drawn in, whatever the window's size.
constexpr int kOsdTextWidth = 200;
constexpr int kOsdTextHeight = 100;
// The overlay's colour key: pixels of this colour show the picture.
constexpr unsigned kOsdKeyColor = 0xFF00FF;

// From the OSD settings: height OSDFontHeightMin + extra and width OSDFontWidthMin + extra, where
// extra grows from 0 at width 0 by (OSDFontHeightMax - OSDFontHeightMin) per 640 pixels.
OsdFontSpec OsdFontFor(int tvWindowWidth);
QFont OsdQFont(const OsdFontSpec& wanted);

// The window is shown only while its label has text: a shown window is painted whenever the TV
// picture under it is (every frame), and Qt's paint of a child costs even when it draws nothing.
// The text is drawn once per change of text, font or colour and kept, cut to the pixels it covers.
class OsdWindow : public QWidget {
public:
  // A child of `tvWindow` at (15, 5) of the given size, showing `label`'s text.
  OsdWindow(QWidget* tvWindow, gui::TCustomLabel* label, QSize size, int id);

  // After the label's text changed: shows the window with the new text, or hides it when the
  // text is empty.
  void refresh();

  int id() const { return id_; }
  // The text drawn now (empty when the label is gone).
  std::string text() const;
  // The picture the window lays over the TV picture: the text on transparent pixels.
  QImage render() const;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  // What the picture is drawn from.
  struct Look {
    std::string text;
    OsdFontSpec font;
    unsigned color = 0;

    bool operator==(const Look&) const = default;
  };
  Look look() const;
  static QImage render(const Look& look);
  void updateCache(const Look& look);

  QPointer<gui::TCustomLabel> label_;
  int id_;
  Look cachedLook_;
  QImage cached_;  // the text's pixels, premultiplied; null when nothing is drawn
  QPoint cachedAt_;
};

// The OSD windows of the TV window, null while there are none.
extern QPointer<OsdWindow>& OsdChannelWindow;
extern QPointer<OsdWindow>& OsdValueWindow;
