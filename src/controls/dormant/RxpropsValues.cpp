// The text forms of the simple kinds of properties, written and read back.
#include <QMetaEnum>
#include <QStringList>
#include <QVariant>

#include <charconv>
#include <limits>

#include "controls/dormant/Rxprops.h"
#include "gui/Cp1251.h"
#include "gui/NumberText.h"

namespace rxprops {

namespace {

bool sameText(const char* a, const std::string& b) { return gui::AnsiCompareText(a, b) == 0; }

// A decimal integer with an optional sign, or a hexadecimal one after "$" or "0x". False for any
// other text and for a value that does not fit 64 bits.
bool parseInteger(const std::string& text, int64_t& value) {
  const char* p = text.data();
  const char* end = p + text.size();
  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
  int base = 10;
  if (p < end && *p == '$') {
    base = 16;
    ++p;
  } else if (end - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    base = 16;
    p += 2;
  }
  if (p == end) return false;
  uint64_t magnitude = 0;
  auto [last, ec] = std::from_chars(p, end, magnitude, base);
  if (ec != std::errc() || last != end) return false;
  if (negative) {
    if (magnitude > uint64_t(std::numeric_limits<int64_t>::max()) + 1) return false;
    value = int64_t(0 - magnitude);
  } else {
    if (magnitude > uint64_t(std::numeric_limits<int64_t>::max())) return false;
    value = int64_t(magnitude);
  }
  return true;
}

// The range an integer property can hold.
bool fitsProperty(int typeId, int64_t v) {
  switch (typeId) {
    case QMetaType::Int:
    case QMetaType::Long: return v >= INT32_MIN && v <= INT32_MAX;
    case QMetaType::UInt:
    case QMetaType::ULong: return v >= 0 && v <= int64_t(UINT32_MAX);
    case QMetaType::Short: return v >= INT16_MIN && v <= INT16_MAX;
    case QMetaType::UShort: return v >= 0 && v <= UINT16_MAX;
    case QMetaType::SChar: return v >= INT8_MIN && v <= INT8_MAX;
    case QMetaType::UChar: return v >= 0 && v <= UINT8_MAX;
    default: return true;
  }
}

int floatPrecision(int typeId) { return typeId == QMetaType::Float ? 7 : 15; }

std::string setText(const QMetaEnum& e, int value) {
  std::string text = "[";
  bool first = true;
  for (int bit = 0; bit < 32; ++bit) {
    int member = int(1u << bit);
    if (!(value & member)) continue;
    const char* key = e.valueToKey(member);
    if (!key) continue;
    if (!first) text += ",";
    text += key;
    first = false;
  }
  return text + "]";
}

int setValue(const QMetaEnum& e, const std::string& text) {
  int value = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t start = text.find_first_not_of(" ,[]", pos);
    if (start == std::string::npos) break;
    size_t end = text.find_first_of(" ,[]", start);
    std::string word = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    pos = end == std::string::npos ? text.size() : end;
    for (int k = 0; k < e.keyCount(); ++k) {
      unsigned v = unsigned(e.value(k));
      bool oneMember = v != 0 && (v & (v - 1)) == 0;  // ordinals 0 to 31
      if (oneMember && sameText(e.key(k), word)) value |= int(v);
    }
  }
  return value;
}

void applyEnumeration(QObject* object, const QMetaProperty& prop, const std::string& text) {
  if (prop.metaType().id() == QMetaType::Bool) {
    if (sameText("False", text)) prop.write(object, false);
    if (sameText("True", text)) prop.write(object, true);
    return;
  }
  QMetaEnum e = prop.enumerator();
  for (int k = 0; k < e.keyCount(); ++k)
    if (sameText(e.key(k), text)) {
      prop.write(object, e.value(k));
      return;
    }
}

void applyInteger(QObject* object, const QMetaProperty& prop, const std::string& text) {
  int64_t value = 0;
  if (!parseInteger(text, value) || !fitsProperty(prop.metaType().id(), value)) value = 0;
  QVariant v = QVariant::fromValue(qlonglong(value));
  if (v.convert(prop.metaType())) prop.write(object, v);
}

void applyInt64(QObject* object, const QMetaProperty& prop, const std::string& text) {
  if (prop.metaType().id() == QMetaType::ULongLong) {
    uint64_t value = 0;
    auto [last, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || last != text.data() + text.size()) value = 0;
    prop.write(object, QVariant::fromValue(qulonglong(value)));
    return;
  }
  int64_t value = 0;
  if (!parseInteger(text, value)) value = 0;
  prop.write(object, QVariant::fromValue(qlonglong(value)));
}

}  // namespace

TTypeKind PropKind(const QMetaProperty& prop) {
  if (!prop.isValid()) return tkUnknown;
  if (prop.isFlagType()) return tkSet;
  if (prop.isEnumType()) return tkEnumeration;
  QMetaType type = prop.metaType();
  switch (type.id()) {
    case QMetaType::Bool: return tkEnumeration;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::SChar:
    case QMetaType::UChar: return tkInteger;
    case QMetaType::Char: return tkChar;
    case QMetaType::QChar: return tkWChar;
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return tkInt64;
    case QMetaType::Double:
    case QMetaType::Float: return tkFloat;
    case QMetaType::QByteArray: return tkString;
    case QMetaType::QString: return tkLString;
    case QMetaType::QVariant: return tkVariant;
    case QMetaType::QStringList: return tkClass;
    default: break;
  }
  if (type.flags() & QMetaType::PointerToQObject) return tkClass;
  return tkRecord;
}

std::string TPropsStorage::StoredText(const QMetaProperty& prop) const {
  QVariant v = prop.read(AObject);
  switch (PropKind(prop)) {
    case tkInteger:
    case tkInt64:
      if (prop.metaType().id() == QMetaType::ULongLong) return std::to_string(v.toULongLong());
      return gui::IntToStr(v.toLongLong());
    case tkChar: return std::string(1, v.value<char>());
    case tkWChar: return gui::ToCp1251(QString(v.value<QChar>()));
    case tkEnumeration: {
      if (prop.metaType().id() == QMetaType::Bool) return v.toBool() ? "True" : "False";
      const char* key = prop.enumerator().valueToKey(v.toInt());
      return key ? key : "";
    }
    case tkSet: return setText(prop.enumerator(), v.toInt());
    case tkFloat:
      return gui::FloatToStrF(v.toDouble(), gui::ffGeneral, floatPrecision(prop.metaType().id()), 0);
    case tkString: return v.toByteArray().toStdString();
    case tkLString: return gui::ToCp1251(v.toString());
    case tkVariant: return gui::ToCp1251(v.value<QVariant>().toString());
    default: return {};
  }
}

void TPropsStorage::ApplyText(const QMetaProperty& prop, const std::string& text) {
  switch (PropKind(prop)) {
    case tkInteger: applyInteger(AObject, prop, text); break;
    case tkInt64: applyInt64(AObject, prop, text); break;
    case tkChar:
      if (!text.empty()) prop.write(AObject, QVariant::fromValue(text[0]));
      break;
    case tkWChar:
      if (!text.empty()) prop.write(AObject, QVariant::fromValue(gui::FromCp1251(text.substr(0, 1)).at(0)));
      break;
    case tkEnumeration: applyEnumeration(AObject, prop, text); break;
    case tkSet: prop.write(AObject, setValue(prop.enumerator(), text)); break;
    case tkFloat: {
      double value = 0;
      if (gui::TryStrToFloat(text, value)) prop.write(AObject, value);
      break;
    }
    case tkString: prop.write(AObject, QByteArray::fromStdString(text)); break;
    case tkLString: prop.write(AObject, gui::FromCp1251(text)); break;
    case tkVariant: prop.write(AObject, QVariant::fromValue(QVariant(gui::FromCp1251(text)))); break;
    default: break;
  }
}

}  // namespace rxprops
