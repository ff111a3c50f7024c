// Class-typed properties: string lists, collections, references to components and nested
// persistent objects.
#include <QStringList>
#include <QVariant>

#include "controls/dormant/Rxprops.h"
#include "controls/dormant/RxpropsComponents.h"
#include "gui/Cp1251.h"
#include "gui/NumberText.h"

namespace rxprops {

namespace {

// Nested objects deeper than this are not followed: a cycle of objects ends here.
constexpr int kMaxDepth = 16;

int countFrom(const std::string& text, int fallback) {
  int count = 0;
  return gui::TryStrToInt(Trim(text), count) ? count : fallback;
}

QObject* objectOf(const QMetaProperty& prop, QObject* holder) {
  return prop.read(holder).value<QObject*>();
}

// The name an owner is written by: its name, or without one its class name less a leading "T".
std::string ownerName(const QObject* owner) {
  std::string name = gui::ToCp1251(owner->objectName());
  if (!name.empty()) return name;
  name = ClassName(*owner->metaObject());
  if (!name.empty() && (name[0] == 'T' || name[0] == 't')) name.erase(0, 1);
  return name;
}

QObject* findOwner(const std::string& name) {
  for (QWidget* form : ScreenForms())
    if (gui::AnsiCompareText(gui::ToCp1251(form->objectName()), name) == 0) return form;
  return nullptr;  // this program has no data modules to look among
}

}  // namespace

std::unique_ptr<TPropsStorage> TPropsStorage::Nested(QObject* object, const std::string& section,
                                                     const std::string& prefix) const {
  std::unique_ptr<TPropsStorage> nested = CreateStorage();
  nested->AObject = object;
  nested->Owner = Owner;
  nested->Section = section;
  nested->Prefix = prefix;
  nested->OnReadString = OnReadString;
  nested->OnWriteString = OnWriteString;
  nested->OnEraseSection = OnEraseSection;
  nested->depth_ = depth_ + 1;
  return nested;
}

std::string TPropsStorage::ComponentText(const QObject* component) const {
  if (!component) return "(null)";
  std::string name = gui::ToCp1251(component->objectName());
  QObject* owner = ComponentOwner(component);
  if (!owner || owner == Owner) return name;
  return ownerName(owner) + "." + name;
}

void TPropsStorage::StoreClassProperty(const QMetaProperty& prop) {
  if (prop.metaType().id() == QMetaType::QStringList) {
    StoreStringList(prop);
    return;
  }
  QObject* object = objectOf(prop, AObject);
  auto* persistent = qobject_cast<TPersistent*>(object);
  if (!persistent) {  // a component: stored by name
    WriteString(Section, GetItemName(prop.name()), ComponentText(object));
    return;
  }
  if (auto* collection = qobject_cast<TCollection*>(persistent)) StoreCollection(prop, *collection);
  if (depth_ < kMaxDepth) Nested(persistent, Section, GetItemName(prop.name()))->StoreAll(persistent);
}

void TPropsStorage::LoadClassProperty(const QMetaProperty& prop) {
  if (prop.metaType().id() == QMetaType::QStringList) {
    LoadStringList(prop);
    return;
  }
  QObject* object = objectOf(prop, AObject);
  auto* persistent = qobject_cast<TPersistent*>(object);
  if (!persistent) {
    LoadComponentReference(prop, ReadString(Section, GetItemName(prop.name()), ""));
    return;
  }
  if (auto* collection = qobject_cast<TCollection*>(persistent)) LoadCollection(prop, *collection);
  if (depth_ < kMaxDepth) Nested(persistent, Section, GetItemName(prop.name()))->LoadAll(persistent);
}

void TPropsStorage::StoreStringList(const QMetaProperty& prop) {
  std::string section = Section + "." + GetItemName(prop.name());
  EraseSection(section);
  QStringList lines = prop.read(AObject).toStringList();
  if (lines.isEmpty()) return;
  WriteString(section, "Count", gui::IntToStr(lines.size()));
  for (qsizetype i = 0; i < lines.size(); ++i)
    WriteString(section, "Item" + gui::IntToStr(i), gui::ToCp1251(lines[i]));
}

void TPropsStorage::LoadStringList(const QMetaProperty& prop) {
  if (!prop.isWritable()) return;
  std::string section = Section + "." + GetItemName(prop.name());
  int count = countFrom(ReadString(section, "Count", "0"), 0);
  if (count <= 0) return;
  QStringList lines;
  // As many lines as the store holds, up to the count: a count larger than the lines present
  // does not make lines up.
  for (int i = 0; i < count; ++i) {
    std::string item = "Item" + gui::IntToStr(i);
    if (!HasKey(section, item)) break;
    lines << gui::FromCp1251(ReadString(section, item, ""));
  }
  prop.write(AObject, lines);
}

void TPropsStorage::StoreCollection(const QMetaProperty& prop, TCollection& collection) {
  std::string section = Section + "." + GetItemName(prop.name());
  EraseSection(section);
  WriteString(Section, GetItemName(prop.name()) + ".Count", gui::IntToStr(collection.Count()));
  if (depth_ >= kMaxDepth) return;
  for (int i = 0; i < collection.Count(); ++i) {
    TCollectionItem* item = collection.Items(i);
    Nested(item, section, "Item" + gui::IntToStr(i) + "_")->StoreAll(item);
  }
}

void TPropsStorage::LoadCollection(const QMetaProperty& prop, TCollection& collection) {
  if (depth_ >= kMaxDepth) return;
  std::string section = Section + "." + GetItemName(prop.name());
  int current = collection.Count();
  int count = countFrom(ReadString(Section, GetItemName(prop.name()) + ".Count",
                                   gui::IntToStr(current)), current);
  collection.BeginUpdate();
  struct End {
    TCollection& c;
    ~End() { c.EndUpdate(); }
  } end{collection};
  if (count != current) {
    // No more items than the store holds keys for: a huge count makes no huge collection.
    count = std::max(0, std::min(count, StoredItemCount(collection, section, count)));
    collection.Clear();
    for (int i = 0; i < count; ++i) collection.Add();
  }
  for (int i = 0; i < collection.Count(); ++i) {
    TCollectionItem* item = collection.Items(i);
    Nested(item, section, "Item" + gui::IntToStr(i) + "_")->LoadAll(item);
  }
}

int TPropsStorage::StoredItemCount(TCollection& collection, const std::string& section, int limit) {
  // A sample item tells which keys an item stores; it is made and dropped again.
  std::unique_ptr<TCollectionItem> sample(collection.Add());
  TPropInfoList props(sample.get(), tkProperties);
  sample.reset();
  int present = 0;
  for (; present < limit; ++present) {
    std::string prefix = "Item" + gui::IntToStr(present) + "_";
    bool any = false;
    for (int p = 0; p < props.Count() && !any; ++p) {
      std::string name = prefix + props.Items(p).name();
      any = HasKey(section, name) || HasKey(section + "." + name, "Count");
    }
    if (!any) break;
  }
  return present;
}

void TPropsStorage::LoadComponentReference(const QMetaProperty& prop, const std::string& stored) {
  std::string text = Trim(stored);
  if (text.empty() || !prop.isWritable()) return;
  if (gui::AnsiCompareText(text, "(null)") == 0) {
    prop.write(AObject, QVariant::fromValue<QObject*>(nullptr));
    return;
  }
  size_t dot = text.find('.');
  std::string ownerPart = dot == std::string::npos ? "" : Trim(text.substr(0, dot));
  std::string name = Trim(dot == std::string::npos ? text : text.substr(dot + 1));
  QObject* owner = ownerPart.empty() ? Owner : findOwner(ownerPart);
  if (!owner) return;
  QObject* component = FindComponent(owner, name);
  // A component of another type than the property's cannot be set; the property stays.
  QVariant value = QVariant::fromValue(component);
  if (!component || value.convert(prop.metaType()))
    prop.write(AObject, component ? value : QVariant::fromValue<QObject*>(nullptr));
}

void TPropsStorage::StoreAll(QObject* object) {
  TPropInfoList props(object, tkProperties);
  for (int i = 0; i < props.Count(); ++i) StoreAnyProperty(&props.Items(i));
}

void TPropsStorage::LoadAll(QObject* object) {
  TPropInfoList props(object, tkProperties);
  for (int i = 0; i < props.Count(); ++i) LoadAnyProperty(&props.Items(i));
}

}  // namespace rxprops
