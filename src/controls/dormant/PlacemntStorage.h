// TFormStorage: a form placement that also keeps chosen published properties of the form's
// components (StoredProps, lines "Component.Property", stored through Rxprops) and named values
// (StoredValues) in its section.
#pragma once

#include <QMetaObject>

#include <vector>

#include "controls/dormant/Placemnt.h"
#include "controls/dormant/PlacemntValues.h"
#include "gui/Strings.h"

namespace placemnt {

class TFormStorage : public TFormPlacement {
  Q_OBJECT

public:
  explicit TFormStorage(QObject* Owner);
  ~TFormStorage() override;

  // Also finds the components of the stored-property list by their names.
  void Loaded() override;
  // Before the layout is written: the list follows its components' current names.
  void WriteState();

  // Lines "Component.Property" whose objects are the components.
  gui::TStringList& StoredProps() { return storedProps_; }
  // Assigns the list and follows its components: a component that goes away loses its lines.
  void SetStoredProps(const gui::TStrings& Value);
  TStoredValues& StoredValues() { return *storedValues_; }
  QVariant StoredValue(const std::string& Name) const { return storedValues_->StoredValue(Name); }
  void SetStoredValue(const std::string& Name, const QVariant& Value) {
    storedValues_->SetStoredValue(Name, Value);
  }

  virtual void SaveProperties();
  virtual void RestoreProperties();

protected:
  void SavePlacement() override;
  void RestorePlacement() override;

private:
  void WatchComponents();
  void ComponentRemoved(QObject* component);

  gui::TStringList storedProps_;
  TStoredValues* storedValues_;  // owned (a child)
  std::vector<QMetaObject::Connection> watches_;
};

}  // namespace placemnt
