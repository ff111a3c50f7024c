#include "controls/dormant/PlacemntValues.h"

#include "controls/utils/Strutils.h"
#include "controls/dormant/Placemnt.h"
#include "gui/Cp1251.h"
#include "gui/Exceptions.h"

namespace placemnt {

// --- TStoredValue ------------------------------------------------------------------------------

TStoredValue::TStoredValue(rxprops::TCollection* Collection) : TCollectionItem(Collection) {}

TStoredValues* TStoredValue::Values() const { return qobject_cast<TStoredValues*>(Collection()); }

void TStoredValue::Assign(const TPersistent* Source) {
  auto* other = qobject_cast<const TStoredValue*>(Source);
  if (!other) {
    TCollectionItem::Assign(Source);
    return;
  }
  value_ = other->value_.isValid() ? other->value_ : QVariant();
  SetName(other->name_);
  keyString_ = other->keyString_;
}

std::string TStoredValue::GetDisplayName() const {
  return name_.empty() ? TCollectionItem::GetDisplayName() : name_;
}

void TStoredValue::SetDisplayName(const std::string& Value) {
  TStoredValues* values = Values();
  if (!Value.empty() && gui::AnsiCompareText(Value, name_) != 0 && values &&
      values->IndexOf(Value) >= 0)
    throw gui::EStringListError(gui::texts::kDuplicateString);
  name_ = Value;
  TCollectionItem::SetDisplayName(Value);
}

std::string TStoredValue::StoredText(const QVariant& value) const {
  std::string text = gui::ToCp1251(value.toString());
  return keyString_.empty() ? text : strutils::XorEncode(keyString_, text);
}

void TStoredValue::Save() {
  QVariant v = value_;
  if (OnSave) OnSave(this, v);
  TStoredValues* values = Values();
  if (values && values->Storage()) values->Storage()->WriteString(name_, StoredText(v));
}

void TStoredValue::Restore() {
  TStoredValues* values = Values();
  if (!values || !values->Storage()) return;
  std::string text = values->Storage()->ReadString(name_, StoredText(value_));
  if (!keyString_.empty()) text = strutils::XorDecode(keyString_, text);
  QVariant v = gui::FromCp1251(text);
  if (OnRestore) OnRestore(this, v);
  value_ = v;
}

QString TStoredValue::QName() const { return gui::FromCp1251(name_); }
void TStoredValue::SetQName(const QString& value) { SetName(gui::ToCp1251(value)); }
QString TStoredValue::QKeyString() const { return gui::FromCp1251(keyString_); }
void TStoredValue::SetQKeyString(const QString& value) { keyString_ = gui::ToCp1251(value); }

// --- TStoredValues -----------------------------------------------------------------------------

TStoredValues::TStoredValues(QObject* Owner)
    : TOwnedCollection(Owner, [](rxprops::TCollection* c) { return new TStoredValue(c); }) {}

TStoredValue* TStoredValues::Item(int Index) const {
  return static_cast<TStoredValue*>(Items(Index));
}

void TStoredValues::SaveValues() {
  for (int i = 0; i < Count(); ++i) Item(i)->Save();
}

void TStoredValues::RestoreValues() {
  for (int i = 0; i < Count(); ++i) Item(i)->Restore();
}

int TStoredValues::IndexOf(const std::string& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (gui::AnsiCompareText(Item(i)->Name(), Name) == 0) return i;
  return -1;
}

TStoredValue* TStoredValues::GetValue(const std::string& Name) const {
  int i = IndexOf(Name);
  return i < 0 ? nullptr : Item(i);
}

void TStoredValues::SetValue(const std::string& Name, const TStoredValue* Item) {
  if (TStoredValue* found = GetValue(Name)) found->Assign(Item);
}

QVariant TStoredValues::StoredValue(const std::string& Name) const {
  TStoredValue* found = GetValue(Name);
  return found ? found->Value() : QVariant::fromValue(nullptr);
}

void TStoredValues::SetStoredValue(const std::string& Name, const QVariant& Value) {
  TStoredValue* found = GetValue(Name);
  if (!found) {
    found = static_cast<TStoredValue*>(Add());
    found->SetName(Name);
  }
  found->SetValue(Value);
}

}  // namespace placemnt
