#include "controls/dormant/PlacemntStorage.h"

#include "controls/dormant/Apputils.h"
#include "controls/dormant/Rxprops.h"

namespace placemnt {

TFormStorage::TFormStorage(QObject* Owner)
    : TFormPlacement(Owner), storedValues_(new TStoredValues(this)) {
  storedValues_->SetStorage(this);
}

TFormStorage::~TFormStorage() {
  for (const auto& watch : watches_) QObject::disconnect(watch);
}

void TFormStorage::Loaded() {
  TFormPlacement::Loaded();
  rxprops::UpdateStoredList(parent(), storedProps_, true);
  WatchComponents();
}

void TFormStorage::WriteState() { rxprops::UpdateStoredList(parent(), storedProps_, false); }

void TFormStorage::SetStoredProps(const gui::TStrings& Value) {
  storedProps_.Assign(Value);
  WatchComponents();
}

void TFormStorage::WatchComponents() {
  for (const auto& watch : watches_) QObject::disconnect(watch);
  watches_.clear();
  for (int i = 0; i < storedProps_.Count(); ++i) {
    auto* component = static_cast<QObject*>(storedProps_.Objects(i));
    if (!component) continue;
    watches_.push_back(connect(component, &QObject::destroyed, this,
                               [this, component] { ComponentRemoved(component); }));
  }
}

void TFormStorage::ComponentRemoved(QObject* component) {
  if (Destroying()) return;
  for (int i = storedProps_.Count() - 1; i >= 0; --i)
    if (storedProps_.Objects(i) == component) storedProps_.Delete(i);
}

void TFormStorage::SaveProperties() {
  rxprops::TPropsStorage storage;
  storage.Section = IniSection();
  storage.OnWriteString = [this](const std::string& s, const std::string& k, const std::string& v) {
    DoWriteString(s, k, v);
  };
  storage.OnEraseSection = [this](const std::string& s) {
    apputils::IniEraseSection(GetIniFile(), s);
  };
  storage.StoreObjectsProps(parent(), storedProps_);
}

void TFormStorage::RestoreProperties() {
  rxprops::TPropsStorage storage;
  storage.Section = IniSection();
  storage.OnReadString = [this](const std::string& s, const std::string& k, const std::string& d) {
    return DoReadString(s, k, d);
  };
  try {
    storage.LoadObjectsProps(parent(), storedProps_);
  } catch (...) {
    // A property that cannot be restored leaves the rest of the placement alone.
  }
}

void TFormStorage::SavePlacement() {
  TFormPlacement::SavePlacement();
  SaveProperties();
  storedValues_->SaveValues();
}

void TFormStorage::RestorePlacement() {
  TFormPlacement::RestorePlacement();
  setRestored(true);
  RestoreProperties();
  storedValues_->RestoreValues();
}

}  // namespace placemnt
