#include "controls/dormant/Rxprops.h"

#include <map>

#include "controls/dormant/RxpropsComponents.h"
#include "gui/Cp1251.h"

namespace rxprops {

namespace {

bool sameName(const char* a, const std::string& b) {
  return gui::AnsiCompareText(a, b) == 0;
}

// Whether a listed object is still one of the component's own (its pointer compared only, so a
// component that is gone is never touched).
bool isOwnedBy(const QObject* component, void* object) {
  for (QObject* owned : OwnedComponents(component))
    if (owned == object) return true;
  return false;
}

struct NoCase {
  bool operator()(const std::string& a, const std::string& b) const {
    return gui::AnsiCompareText(a, b) < 0;
  }
};
using InfoLists = std::map<std::string, TPropInfoList, NoCase>;

// The property lists of the components named in the list; nothing (and no store or load) when one
// of them cannot be made.
std::unique_ptr<InfoLists> CreateInfoList(QObject* component, gui::TStrings& list) {
  UpdateStoredList(component, list, false);
  auto infos = std::make_unique<InfoLists>();
  try {
    for (int i = 0; i < list.Count(); ++i) {
      std::string compName, propName;
      auto* object = static_cast<QObject*>(list.Objects(i));
      if (!object || !ParseStoredItem(list[i], compName, propName)) continue;
      if (infos->count(compName) == 0) infos->emplace(compName, TPropInfoList(object, tkProperties));
    }
  } catch (...) {
    return nullptr;
  }
  return infos;
}

}  // namespace

// --- TPropInfoList -----------------------------------------------------------------------------

TPropInfoList::TPropInfoList(const QObject* AObject, TTypeKinds Kinds) {
  if (!AObject) return;
  const QMetaObject* meta = AObject->metaObject();
  // A persistent object is part of its holder: QObject's name is no property of it.
  int first = qobject_cast<const TPersistent*>(AObject) ? QObject::staticMetaObject.propertyCount() : 0;
  for (int i = first; i < meta->propertyCount(); ++i) {
    QMetaProperty prop = meta->property(i);
    if (Kinds & KindBit(PropKind(prop))) list_.push_back(prop);
  }
}

bool TPropInfoList::Contains(const QMetaProperty& P) const {
  for (const QMetaProperty& prop : list_)
    if (prop.metaType() == P.metaType() && sameName(prop.name(), P.name())) return true;
  return false;
}

const QMetaProperty* TPropInfoList::Find(const std::string& AName) const {
  for (const QMetaProperty& prop : list_)
    if (sameName(prop.name(), AName)) return &prop;
  return nullptr;
}

void TPropInfoList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) return;
  list_.erase(list_.begin() + Index);
}

void TPropInfoList::Intersect(const TPropInfoList& List) {
  for (int i = Count() - 1; i >= 0; --i)
    if (!List.Contains(list_[size_t(i)])) Delete(i);
}

// --- the stored-property list --------------------------------------------------------------------

std::string CreateStoredItem(const std::string& CompName, const std::string& PropName) {
  if (CompName.empty() || PropName.empty()) return {};
  return CompName + "." + PropName;
}

bool ParseStoredItem(const std::string& Item, std::string& CompName, std::string& PropName) {
  if (Item.empty()) return false;
  size_t dot = Item.find('.');
  if (dot == std::string::npos) return false;
  CompName = Trim(Item.substr(0, dot));
  PropName = Trim(Item.substr(dot + 1));
  return !CompName.empty() && !PropName.empty();
}

void UpdateStoredList(QObject* Component, gui::TStrings& AStoredList, bool FromForm) {
  for (int i = AStoredList.Count() - 1; i >= 0; --i) {
    std::string compName, propName;
    if (!ParseStoredItem(AStoredList[i], compName, propName)) {
      AStoredList.Delete(i);
      continue;
    }
    if (FromForm) {
      if (QObject* found = FindComponent(Component, compName))
        AStoredList.PutObject(i, found);
      else
        AStoredList.Delete(i);
      continue;
    }
    void* object = AStoredList.Objects(i);
    if (object && isOwnedBy(Component, object)) {
      std::string name = gui::ToCp1251(static_cast<QObject*>(object)->objectName());
      AStoredList.Put(i, CreateStoredItem(name, propName));
      AStoredList.PutObject(i, object);
    } else {
      AStoredList.Delete(i);
    }
  }
}

// --- TPropsStorage -------------------------------------------------------------------------------

std::string TPropsStorage::ReadString(const std::string& ASection, const std::string& Item,
                                      const std::string& Default) {
  return OnReadString ? OnReadString(ASection, Item, Default) : std::string();
}

void TPropsStorage::WriteString(const std::string& ASection, const std::string& Item,
                                const std::string& Value) {
  if (OnWriteString) OnWriteString(ASection, Item, Value);
}

void TPropsStorage::EraseSection(const std::string& ASection) {
  if (OnEraseSection) OnEraseSection(ASection);
}

std::unique_ptr<TPropsStorage> TPropsStorage::CreateStorage() const {
  return std::make_unique<TPropsStorage>();
}

void TPropsStorage::StoreProperties(const gui::TStrings& PropList) {
  TPropInfoList props(AObject, tkProperties);
  for (int i = 0; i < PropList.Count(); ++i) StoreAnyProperty(props.Find(PropList[i]));
}

void TPropsStorage::LoadProperties(const gui::TStrings& PropList) {
  TPropInfoList props(AObject, tkProperties);
  for (int i = 0; i < PropList.Count(); ++i) LoadAnyProperty(props.Find(PropList[i]));
}

void TPropsStorage::StoreObjectsProps(QObject* AComponent, gui::TStrings& StoredList) {
  WalkObjectsProps(AComponent, StoredList, true);
}

void TPropsStorage::LoadObjectsProps(QObject* AComponent, gui::TStrings& StoredList) {
  WalkObjectsProps(AComponent, StoredList, false);
}

void TPropsStorage::WalkObjectsProps(QObject* component, gui::TStrings& list, bool store) {
  std::unique_ptr<InfoLists> infos = CreateInfoList(component, list);
  if (!infos) return;
  Owner = component;
  struct Reset {
    TPropsStorage* self;
    ~Reset() { self->Owner = nullptr; }
  } reset{this};
  for (int i = 0; i < list.Count(); ++i) {
    std::string compName, propName;
    if (!ParseStoredItem(list[i], compName, propName)) continue;
    AObject = static_cast<QObject*>(list.Objects(i));
    Prefix = compName;
    auto entry = infos->find(compName);
    if (entry == infos->end()) continue;
    Prefix = compName + sPropNameDelimiter;
    if (store)
      StoreAnyProperty(entry->second.Find(propName));
    else
      LoadAnyProperty(entry->second.Find(propName));
  }
}

void TPropsStorage::StoreAnyProperty(const QMetaProperty* PropInfo) {
  if (!PropInfo || !PropInfo->isValid() || !AObject) return;
  TTypeKind kind = PropKind(*PropInfo);
  if (kind == tkClass) {
    StoreClassProperty(*PropInfo);
    return;
  }
  std::string text = StoredText(*PropInfo);
  bool stringKind = kind == tkString || kind == tkLString || kind == tkWChar;
  // String values keep their blanks: the store must give them back as they were.
  if (!stringKind && kind != tkChar && kind != tkVariant) text = Trim(text);
  if (!text.empty() || stringKind) WriteString(Section, GetItemName(PropInfo->name()), text);
}

void TPropsStorage::LoadAnyProperty(const QMetaProperty* PropInfo) {
  if (!PropInfo || !PropInfo->isValid() || !AObject) return;
  try {
    TTypeKind kind = PropKind(*PropInfo);
    if (kind == tkClass) {
      LoadClassProperty(*PropInfo);  // a read-only property still holds an object to load
      return;
    }
    if (!PropInfo->isWritable()) return;
    std::string fallback = StoredText(*PropInfo);
    // A stored variant is read also while the current one is empty, or it would never return.
    bool stringKind = kind == tkString || kind == tkLString || kind == tkWChar ||
                      kind == tkChar || kind == tkVariant;
    std::string text;
    if (!fallback.empty() || stringKind) {
      text = ReadString(Section, GetItemName(PropInfo->name()), fallback);
      if (!stringKind) text = Trim(text);
    }
    ApplyText(*PropInfo, text);
  } catch (...) {
    // This property keeps its value; the others load on.
  }
}

bool TPropsStorage::HasKey(const std::string& section, const std::string& item) {
  return ReadString(section, item, std::string(kMissingKey)) != kMissingKey;
}

}  // namespace rxprops
