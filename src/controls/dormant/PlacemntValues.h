// Named values a form storage keeps in its section (TStoredValue, collected in TStoredValues):
// each value is written under its name, scrambled with its KeyString when it has one.
#pragma once

#include <QVariant>

#include <functional>
#include <string>

#include "controls/dormant/RxpropsComponents.h"

namespace placemnt {

class TFormPlacement;
class TStoredValues;

class TStoredValue : public rxprops::TCollectionItem {
  Q_OBJECT
  Q_PROPERTY(QString Name READ QName WRITE SetQName)
  Q_PROPERTY(QVariant Value READ Value WRITE SetValue)
  Q_PROPERTY(QString KeyString READ QKeyString WRITE SetQKeyString)

public:
  using TStoredValueEvent = std::function<void(TStoredValue* Sender, QVariant& Value)>;

  explicit TStoredValue(rxprops::TCollection* Collection = nullptr);

  void Assign(const TPersistent* Source) override;
  // Name, or the item's default name when it has none.
  std::string GetDisplayName() const override;
  // A name another value of the collection has already (ignoring case) raises
  // EStringListError "String list does not allow duplicates".
  void SetDisplayName(const std::string& Value) override;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& value) { SetDisplayName(value); }
  // Empty (invalid) after construction.
  const QVariant& Value() const { return value_; }
  void SetValue(const QVariant& value) { value_ = value; }
  const std::string& KeyString() const { return keyString_; }
  void SetKeyString(const std::string& value) { keyString_ = value; }
  void Clear() { value_ = QVariant(); }

  virtual void Save();
  virtual void Restore();

  TStoredValueEvent OnSave;
  TStoredValueEvent OnRestore;

private:
  TStoredValues* Values() const;
  // The value's text (Windows-1251), scrambled when there is a KeyString.
  std::string StoredText(const QVariant& value) const;
  QString QName() const;
  void SetQName(const QString& value);
  QString QKeyString() const;
  void SetQKeyString(const QString& value);

  std::string name_;
  QVariant value_;
  std::string keyString_;
};

class TStoredValues : public rxprops::TOwnedCollection {
  Q_OBJECT

public:
  explicit TStoredValues(QObject* Owner);

  // The placement the values are stored through.
  TFormPlacement* Storage() const { return storage_; }
  void SetStorage(TFormPlacement* value) { storage_ = value; }

  virtual void SaveValues();
  virtual void RestoreValues();
  int IndexOf(const std::string& Name) const;
  TStoredValue* GetValue(const std::string& Name) const;
  void SetValue(const std::string& Name, const TStoredValue* Item);
  // The named value; Null (a QVariant holding nullptr) when no value has that name.
  QVariant StoredValue(const std::string& Name) const;
  // The named value takes it; a missing one is made and named.
  void SetStoredValue(const std::string& Name, const QVariant& Value);
  TStoredValue* Item(int Index) const;

private:
  TFormPlacement* storage_ = nullptr;
};

}  // namespace placemnt
