// Objects with a property of every kind the property storage knows, and an in-memory store for
// its three callbacks, shared by the property-storage and form-storage tests.
#pragma once

#include <QObject>
#include <QRect>
#include <QStringList>
#include <QVariant>

#include <map>
#include <stdexcept>
#include <string>

#include "controls/dormant/Rxprops.h"
#include "controls/dormant/RxpropsComponents.h"

namespace rxprops_test {

class Font : public rxprops::TPersistent {
  Q_OBJECT
  Q_PROPERTY(int Color READ Color WRITE SetColor)
  Q_PROPERTY(int Size READ Size WRITE SetSize)

public:
  using TPersistent::TPersistent;
  int Color() const { return color_; }
  void SetColor(int v) { color_ = v; }
  int Size() const { return size_; }
  void SetSize(int v) { size_ = v; }

private:
  int color_ = 0;
  int size_ = 8;
};

class Column : public rxprops::TCollectionItem {
  Q_OBJECT
  Q_PROPERTY(int Width READ Width WRITE SetWidth)
  Q_PROPERTY(QString Title READ Title WRITE SetTitle)

public:
  using TCollectionItem::TCollectionItem;
  int Width() const { return width_; }
  void SetWidth(int v) { width_ = v; }
  QString Title() const { return title_; }
  void SetTitle(const QString& v) { title_ = v; }

private:
  int width_ = 64;
  QString title_;
};

class Sample : public QObject {
  Q_OBJECT

public:
  enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
  Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
  Q_FLAG(TFontStyles)
  enum TAlign { alNone, alTop, alClient };
  Q_ENUM(TAlign)

private:
  Q_PROPERTY(int Count READ Count WRITE SetCount)
  Q_PROPERTY(uint Big READ Big WRITE SetBig)
  Q_PROPERTY(qlonglong Huge READ Huge WRITE SetHuge)
  Q_PROPERTY(char Letter READ Letter WRITE SetLetter)
  Q_PROPERTY(QChar Wide READ Wide WRITE SetWide)
  Q_PROPERTY(TAlign Align READ Align WRITE SetAlign)
  Q_PROPERTY(bool Flag READ Flag WRITE SetFlag)
  Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)
  Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
  Q_PROPERTY(float Small READ Small WRITE SetSmall)
  Q_PROPERTY(QString Text READ Text WRITE SetText)
  Q_PROPERTY(QByteArray Raw READ Raw WRITE SetRaw)
  Q_PROPERTY(QVariant Any READ Any WRITE SetAny)
  Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
  Q_PROPERTY(QObject* Link READ Link WRITE SetLink)
  Q_PROPERTY(rxprops_test::Font* Font READ GetFont)
  Q_PROPERTY(rxprops::TCollection* Columns READ Columns)
  Q_PROPERTY(QRect Bounds READ Bounds WRITE SetBounds)
  Q_PROPERTY(int Fragile READ Fragile WRITE SetFragile)

public:
  explicit Sample(QObject* parent = nullptr)
      : QObject(parent), font_(new rxprops_test::Font(this)),
        columns_(new rxprops::TCollection(
            [](rxprops::TCollection* c) { return new Column(c); }, this)) {}

  int Count() const { return count_; }
  void SetCount(int v) { count_ = v; }
  uint Big() const { return big_; }
  void SetBig(uint v) { big_ = v; }
  qlonglong Huge() const { return huge_; }
  void SetHuge(qlonglong v) { huge_ = v; }
  char Letter() const { return letter_; }
  void SetLetter(char v) { letter_ = v; }
  QChar Wide() const { return wide_; }
  void SetWide(QChar v) { wide_ = v; }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign v) { align_ = v; }
  bool Flag() const { return flag_; }
  void SetFlag(bool v) { flag_ = v; }
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles v) { style_ = v; }
  double Ratio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  float Small() const { return small_; }
  void SetSmall(float v) { small_ = v; }
  QString Text() const { return text_; }
  void SetText(const QString& v) { text_ = v; }
  QByteArray Raw() const { return raw_; }
  void SetRaw(const QByteArray& v) { raw_ = v; }
  QVariant Any() const { return any_; }
  void SetAny(const QVariant& v) { any_ = v; }
  QStringList Lines() const { return lines_; }
  void SetLines(const QStringList& v) { lines_ = v; }
  QObject* Link() const { return link_; }
  void SetLink(QObject* v) { link_ = v; }
  rxprops_test::Font* GetFont() const { return font_; }
  rxprops::TCollection* Columns() const { return columns_; }
  QRect Bounds() const { return bounds_; }
  void SetBounds(const QRect& v) { bounds_ = v; }
  int Fragile() const { return fragile_; }
  void SetFragile(int v) {
    if (v < 0) throw std::runtime_error("no negative values");
    fragile_ = v;
  }

private:
  int count_ = 0;
  uint big_ = 0;
  qlonglong huge_ = 0;
  char letter_ = 'a';
  QChar wide_ = QChar('w');
  TAlign align_ = alNone;
  bool flag_ = false;
  TFontStyles style_;
  double ratio_ = 0;
  float small_ = 0;
  QString text_;
  QByteArray raw_;
  QVariant any_;
  QStringList lines_;
  QObject* link_ = nullptr;
  rxprops_test::Font* font_;
  rxprops::TCollection* columns_;
  QRect bounds_;
  int fragile_ = 1;
};

// Sections of keys and values, as the store's callbacks see them.
class MemoryStore {
public:
  std::map<std::string, std::map<std::string, std::string>> sections;
  std::vector<std::string> erased;

  void Attach(rxprops::TPropsStorage& storage) {
    storage.OnReadString = [this](const std::string& s, const std::string& k, const std::string& d) {
      auto sec = sections.find(s);
      if (sec == sections.end()) return d;
      auto key = sec->second.find(k);
      return key == sec->second.end() ? d : key->second;
    };
    storage.OnWriteString = [this](const std::string& s, const std::string& k, const std::string& v) {
      sections[s][k] = v;
    };
    storage.OnEraseSection = [this](const std::string& s) {
      erased.push_back(s);
      sections.erase(s);
    };
  }
  bool Has(const std::string& s, const std::string& k) const {
    auto sec = sections.find(s);
    return sec != sections.end() && sec->second.count(k) != 0;
  }
  std::string Get(const std::string& s, const std::string& k) const {
    return Has(s, k) ? sections.at(s).at(k) : "<missing>";
  }
};

}  // namespace rxprops_test
