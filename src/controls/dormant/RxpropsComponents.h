// The component model that the property storage walks, over Qt's objects: a component is a
// QObject named by its objectName and owned by the form it lies on; a TPersistent is an object
// that belongs to the one holding it (its properties are stored with the holder's); a TCollection
// holds numbered TCollectionItems. Published properties are Q_PROPERTYs.
#pragma once

#include <QObject>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace rxprops {

// An object stored inline with the object whose property holds it.
class TPersistent : public QObject {
  Q_OBJECT

public:
  using QObject::QObject;
  // Raises EConvertError "Cannot assign a %s to a %s" unless a derived class knows the source.
  virtual void Assign(const TPersistent* Source);
};

class TCollection;

class TCollectionItem : public TPersistent {
  Q_OBJECT

public:
  // Adds itself at the end of the collection (when one is given).
  explicit TCollectionItem(TCollection* Collection = nullptr);
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  int Index() const;
  // The item's class name by default.
  virtual std::string GetDisplayName() const;
  virtual void SetDisplayName(const std::string& Value);

protected:
  // Tells the collection of a change (of this item, or of all with AllItems).
  void Changed(bool AllItems);

private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
};

class TCollection : public TPersistent {
  Q_OBJECT

public:
  using ItemFactory = std::function<TCollectionItem*(TCollection*)>;

  // Items are made by the factory, which constructs them on the collection.
  explicit TCollection(ItemFactory Factory, QObject* parent = nullptr);
  ~TCollection() override;

  int Count() const { return int(items_.size()); }
  TCollectionItem* Items(int Index) const;
  TCollectionItem* Add();
  void Clear();
  void Delete(int Index);
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  // Called after a change while no update is open (item: the changed item; null: all).
  std::function<void(TCollection*, TCollectionItem*)> OnUpdate;

protected:
  virtual void Update(TCollectionItem* Item);
  void Changed(TCollectionItem* Item);

private:
  friend class TCollectionItem;
  ItemFactory factory_;
  std::vector<TCollectionItem*> items_;
  int updateCount_ = 0;
};

// A collection whose owner is the object given (its QObject parent).
class TOwnedCollection : public TCollection {
  Q_OBJECT

public:
  TOwnedCollection(QObject* Owner, ItemFactory Factory) : TCollection(std::move(Factory), Owner) {}
  QObject* GetOwner() const { return parent(); }
};

// A form: a window widget (no pop-up, tip or splash), or the widget of an MDI sub-window.
bool IsForm(const QObject* object);
// The component's owner: the nearest form above it; a form has none; an object outside any
// form is owned by its parent.
QObject* ComponentOwner(const QObject* component);
// The components the owner owns, in creation order below it.
std::vector<QObject*> OwnedComponents(const QObject* owner);
// The owner's component of that name (compared ignoring case); null for none or an empty name.
QObject* FindComponent(const QObject* owner, const std::string& name);
// The class's name without its namespace (TForm1).
std::string ClassName(const QMetaObject& meta);
// The text without the characters up to the blank at either end, as the class library trims.
std::string Trim(const std::string& text);

// The program's forms: open windows in the order their windows were made, then the rest, and the
// MDI children of each MDI form after it.
std::vector<QWidget*> ScreenForms();

}  // namespace rxprops
