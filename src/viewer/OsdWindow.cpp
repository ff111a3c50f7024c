#include "viewer/OsdWindow.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "core/Settings.h"
#include "gui/Colors.h"
#include "gui/Cp1251.h"
#include "gui/CustomLabel.h"


namespace {

// Font family bits of a Windows font request, and the pitch bit of a fixed-pitch face.
constexpr int kFamilyMask = 0xF0;
constexpr int kFamilyRoman = 0x10;
constexpr int kFamilySwiss = 0x20;
constexpr int kFamilyModern = 0x30;
constexpr int kFamilyScript = 0x40;
constexpr int kFamilyDecorative = 0x50;
constexpr int kFixedPitch = 0x01;

QFont::StyleHint styleHintOf(int pitchAndFamily) {
  switch (pitchAndFamily & kFamilyMask) {
    case kFamilyRoman: return QFont::Serif;
    case kFamilySwiss: return QFont::SansSerif;
    case kFamilyModern: return QFont::TypeWriter;
    case kFamilyScript: return QFont::Cursive;
    case kFamilyDecorative: return QFont::Decorative;
    default: return QFont::AnyStyle;
  }
}

// A positive height is the whole cell (ascent + descent): scale from a reference size.
void setCellHeight(QFont& font, int cell) {
  constexpr int kReference = 100;
  font.setPixelSize(kReference);
  const int referenceCell = std::max(QFontMetrics(font).height(), 1);
  font.setPixelSize(std::max(1, int(std::lround(double(cell) * kReference / referenceCell))));
}

QColor colorOf(unsigned bgr) {
  return QColor(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF));
}

}  // namespace

OsdFontSpec OsdFontFor(int tvWindowWidth) {
  // Integer arithmetic: (Max - Min) x w / 640 truncated is the scale without rounding noise.
  const int64_t range = int64_t(Settings.OSDFontHeightMax) - Settings.OSDFontHeightMin;
  const int extra = int(range * tvWindowWidth / 640);
  OsdFontSpec wanted;
  wanted.height = Settings.OSDFontHeightMin + extra;
  wanted.width = Settings.OSDFontWidthMin + extra;
  wanted.weight = Settings.OSDFontWeight;
  wanted.italic = Settings.OSDFontItalic != 0;
  wanted.underline = Settings.OSDFontUnderline != 0;
  wanted.charset = Settings.OSDFontCharset;
  wanted.pitchAndFamily = Settings.OSDFontPitch | Settings.OSDFontFamily;
  wanted.face = Settings.OSDFontFace.substr(0, kOsdFaceMax);
  return wanted;
}

QFont OsdQFont(const OsdFontSpec& wanted) {
  QFont font(gui::FromCp1251(wanted.face));
  font.setStyleHint(styleHintOf(wanted.pitchAndFamily), QFont::NoAntialias);
  font.setFixedPitch((wanted.pitchAndFamily & 0x3) == kFixedPitch);
  // Weights share the 1..1000 scale; 0 asks for the default.
  font.setWeight(QFont::Weight(std::clamp(wanted.weight > 0 ? wanted.weight : 400, 1, 1000)));
  font.setItalic(wanted.italic);
  font.setUnderline(wanted.underline);
  // A negative height asks for the character height, as in a Windows font request.
  if (wanted.height < 0)
    font.setPixelSize(-wanted.height);
  else
    setCellHeight(font, std::max(wanted.height, 1));
  if (wanted.width > 0) {
    const int natural = std::max(QFontMetrics(font).averageCharWidth(), 1);
    font.setStretch(std::clamp(wanted.width * 100 / natural, 1, 4000));
  }
  return font;
}

OsdWindow::OsdWindow(QWidget* tvWindow, gui::TCustomLabel* label, QSize size, int id)
    : QWidget(tvWindow), label_(label), id_(id) {
  // Nothing of the window itself is drawn: where there is no text the picture shows.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setGeometry(15, 5, size.width(), size.height());
  refresh();
}

void OsdWindow::refresh() {
  setVisible(!text().empty());
  update();
}

std::string OsdWindow::text() const { return label_ ? label_->Caption() : std::string(); }

OsdWindow::Look OsdWindow::look() const {
  const int tvWidth = parentWidget() ? parentWidget()->frameGeometry().width() : 0;
  return {text(), OsdFontFor(tvWidth), Settings.OSDFontColor};
}

QImage OsdWindow::render() const { return render(look()); }

QImage OsdWindow::render(const Look& look) {
  QImage image(kOsdTextWidth, kOsdTextHeight, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  if (look.text.empty()) return image;
  {
    QPainter p(&image);
    p.setFont(OsdQFont(look.font));
    p.setPen(colorOf(look.color));
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(colorOf(kOsdKeyColor));
    p.drawText(QRect(0, 0, kOsdTextWidth, kOsdTextHeight), Qt::AlignLeft | Qt::AlignTop,
               gui::FromCp1251(look.text));
  }
  // The colour key: the overlay shows the picture wherever the key colour was drawn.
  const QRgb key = colorOf(kOsdKeyColor).rgb();
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (line[x] == key) line[x] = 0;
  }
  return image;
}

// Keeps the rectangle of the rendered text that holds visible pixels, ready to be blended.
void OsdWindow::updateCache(const Look& look) {
  cachedLook_ = look;
  cached_ = QImage();
  const QImage image = render(look);
  QRect used;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    int first = 0, last = image.width() - 1;
    while (first <= last && qAlpha(line[first]) == 0) ++first;
    while (last >= first && qAlpha(line[last]) == 0) --last;
    if (first <= last) used |= QRect(first, y, last - first + 1, 1);
  }
  if (used.isEmpty()) return;
  cached_ = image.copy(used).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  cachedAt_ = used.topLeft();
}

void OsdWindow::paintEvent(QPaintEvent*) {
  if (!label_ || label_->Caption().empty()) return;
  const Look now = look();
  if (!(now == cachedLook_)) updateCache(now);
  if (cached_.isNull()) return;
  QPainter p(this);
  p.drawImage(cachedAt_, cached_);
}
