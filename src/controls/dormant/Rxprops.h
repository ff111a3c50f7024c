// Rxprops: stores published properties (Q_PROPERTYs) of components as text values under a section
// of a key-value store and reads them back. The store is three callbacks (read a string, write a
// string, erase a section), so the same routines serve a profile file, the registry or anything
// else. String lists get a section of their own, collections a section with numbered items,
// nested persistent objects keys of their own, and a reference to a component is stored by name.
//
// Kinds of properties, by their Qt type: integers (tkInteger), 64-bit integers (tkInt64), char
// (tkChar), QChar (tkWChar), enumerations and bool (tkEnumeration: the identifier, "False" or
// "True"), flags (tkSet: "[a,b]"), float and double (tkFloat), QByteArray (tkString: the bytes),
// QString (tkLString: its Windows-1251 text), QVariant (tkVariant), QStringList and QObject
// pointers (tkClass); any other type is a record and is not stored.
//
// Texts are Windows-1251 bytes. Numbers are written with '.' whatever the locale. String values
// are stored and read back as they are (no blanks trimmed), so edge blanks survive a store whose
// callbacks keep them; counts read back are capped by the keys that are present.
#pragma once

#include <QMetaProperty>
#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gui/Strings.h"

namespace rxprops {

enum TTypeKind {
  tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod,
  tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray
};
using TTypeKinds = unsigned;  // a set of TTypeKind, bit (1 << kind)
constexpr TTypeKinds KindBit(TTypeKind kind) { return 1u << kind; }
inline constexpr TTypeKinds tkAny = (1u << (tkDynArray + 1)) - 1;
inline constexpr TTypeKinds tkProperties = tkAny & ~KindBit(tkMethod);  // all kinds but methods

// The kind of a property by its type.
TTypeKind PropKind(const QMetaProperty& prop);

// A default that no stored text can equal (no line of a store holds a NUL): a read that returns
// it found no key.
inline constexpr std::string_view kMissingKey("\x01\x00missing\x00\x01", 11);

// Placed between a component's name and its property's name in keys.
inline constexpr char sPropNameDelimiter[] = "_";

// The published properties of an object's class whose kind is in Kinds (none for a null object).
// A persistent object's own objectName is no property of it.
class TPropInfoList {
public:
  TPropInfoList(const QObject* AObject, TTypeKinds Kinds);

  int Count() const { return int(list_.size()); }
  const QMetaProperty& Items(int Index) const { return list_.at(size_t(Index)); }
  // An entry with the same property type and a name equal ignoring case.
  bool Contains(const QMetaProperty& P) const;
  // The entry of that name (ignoring case), or null.
  const QMetaProperty* Find(const std::string& AName) const;
  void Delete(int Index);
  // Removes, from the last entry to the first, every entry that List does not contain.
  void Intersect(const TPropInfoList& List);

private:
  std::vector<QMetaProperty> list_;
};

// CompName + "." + PropName; empty when either is empty.
std::string CreateStoredItem(const std::string& CompName, const std::string& PropName);
// Splits at the first "."; both parts trimmed; true only when both are non-empty.
bool ParseStoredItem(const std::string& Item, std::string& CompName, std::string& PropName);
// Tidies a stored-property list (lines "Component.Property", each line's object the component):
// lines that do not parse are deleted. FromForm (after a layout was read): each line's component is
// looked up among Component's components by name; lines without one are deleted. Otherwise (before
// a layout is written): lines whose component still lives are rewritten with its current name,
// the others deleted.
void UpdateStoredList(QObject* Component, gui::TStrings& AStoredList, bool FromForm);

using TReadStrEvent = std::function<std::string(const std::string& ASection,
                                                const std::string& Item,
                                                const std::string& Default)>;
using TWriteStrEvent = std::function<void(const std::string& ASection, const std::string& Item,
                                          const std::string& Value)>;
using TEraseSectEvent = std::function<void(const std::string& ASection)>;

class TPropsStorage {
public:
  TPropsStorage() = default;
  virtual ~TPropsStorage() = default;

  // Every property named in the list (ignoring case), of AObject; unknown names are skipped.
  void StoreProperties(const gui::TStrings& PropList);
  void LoadProperties(const gui::TStrings& PropList);
  // The properties of a stored-property list of Component's components.
  void StoreObjectsProps(QObject* AComponent, gui::TStrings& StoredList);
  void LoadObjectsProps(QObject* AComponent, gui::TStrings& StoredList);
  void StoreAnyProperty(const QMetaProperty* PropInfo);
  // Loading never raises: a property that cannot be applied keeps its value.
  void LoadAnyProperty(const QMetaProperty* PropInfo);

  QObject* AObject = nullptr;
  QObject* Owner = nullptr;
  std::string Prefix;
  std::string Section;
  TReadStrEvent OnReadString;
  TWriteStrEvent OnWriteString;
  TEraseSectEvent OnEraseSection;

protected:
  virtual std::string ReadString(const std::string& ASection, const std::string& Item,
                                 const std::string& Default);
  virtual void WriteString(const std::string& ASection, const std::string& Item,
                           const std::string& Value);
  virtual void EraseSection(const std::string& ASection);
  virtual std::string GetItemName(const std::string& AName) const { return Prefix + AName; }
  virtual std::unique_ptr<TPropsStorage> CreateStorage() const;

private:
  // The text of a property's current value as stored (empty for class properties).
  std::string StoredText(const QMetaProperty& prop) const;
  void ApplyText(const QMetaProperty& prop, const std::string& text);
  void StoreClassProperty(const QMetaProperty& prop);
  void LoadClassProperty(const QMetaProperty& prop);
  void StoreStringList(const QMetaProperty& prop);
  void LoadStringList(const QMetaProperty& prop);
  void StoreCollection(const QMetaProperty& prop, class TCollection& collection);
  void LoadCollection(const QMetaProperty& prop, TCollection& collection);
  std::string ComponentText(const QObject* component) const;
  void LoadComponentReference(const QMetaProperty& prop, const std::string& text);
  // A nested storage for Object's own properties under Section with the given prefix.
  std::unique_ptr<TPropsStorage> Nested(QObject* object, const std::string& section,
                                        const std::string& prefix) const;
  void WalkObjectsProps(QObject* component, gui::TStrings& list, bool store);
  void StoreAll(QObject* object);
  void LoadAll(QObject* object);
  // How many items the store holds keys for, counting from item 0, at most limit.
  int StoredItemCount(class TCollection& collection, const std::string& section, int limit);
  // Whether the key exists: read with a default no stored text can hold.
  bool HasKey(const std::string& section, const std::string& item);

  int depth_ = 0;  // nesting of stored objects; a cycle of objects ends here
};

}  // namespace rxprops
