#include "controls/dormant/RxpropsComponents.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWindow>

#include <algorithm>

#include "gui/Cp1251.h"
#include "gui/Exceptions.h"

namespace rxprops {

// --- TPersistent, TCollectionItem, TCollection -------------------------------------------------

void TPersistent::Assign(const TPersistent* Source) {
  const char* from = Source ? Source->metaObject()->className() : "nil";
  throw gui::EConvertError(gui::FormatText(gui::texts::kAssignError, from, metaObject()->className()));
}

TCollectionItem::TCollectionItem(TCollection* Collection) : TPersistent(Collection) {
  collection_ = Collection;
  if (collection_) {
    collection_->items_.push_back(this);
    collection_->Changed(nullptr);
  }
}

TCollectionItem::~TCollectionItem() {
  if (!collection_) return;
  auto& items = collection_->items_;
  items.erase(std::remove(items.begin(), items.end(), this), items.end());
  collection_->Changed(nullptr);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto& items = collection_->items_;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : int(it - items.begin());
}

std::string TCollectionItem::GetDisplayName() const { return metaObject()->className(); }

void TCollectionItem::SetDisplayName(const std::string&) { Changed(false); }

void TCollectionItem::Changed(bool AllItems) {
  if (collection_) collection_->Changed(AllItems ? nullptr : this);
}

TCollection::TCollection(ItemFactory Factory, QObject* parent)
    : TPersistent(parent), factory_(std::move(Factory)) {}

TCollection::~TCollection() {
  updateCount_ = 1;  // no notifications from a collection on its way out
  Clear();
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw gui::EListError::IndexOutOfBounds(Index);
  return items_[size_t(Index)];
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = factory_ ? factory_(this) : new TCollectionItem(this);
  if (item && item->collection_ != this) {
    delete item;
    throw gui::EInvalidOperation("The collection's factory made an item of another collection");
  }
  return item;
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) delete items_.back();
  EndUpdate();
}

void TCollection::Delete(int Index) { delete Items(Index); }

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed(nullptr);
}

void TCollection::Update(TCollectionItem* Item) {
  if (OnUpdate) OnUpdate(this, Item);
}

void TCollection::Changed(TCollectionItem* Item) {
  if (updateCount_ == 0) Update(Item);
}

std::string ClassName(const QMetaObject& meta) {
  std::string name = meta.className();
  size_t colon = name.rfind(':');
  return colon == std::string::npos ? name : name.substr(colon + 1);
}

std::string Trim(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

// --- owners and forms --------------------------------------------------------------------------

bool IsForm(const QObject* object) {
  auto* widget = qobject_cast<const QWidget*>(object);
  if (!widget) return false;
  if (qobject_cast<const QMdiSubWindow*>(widget->parentWidget())) return true;
  if (!widget->isWindow()) return false;
  switch (widget->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Drawer:
    case Qt::Tool:
      return true;
    default:
      return false;
  }
}

QObject* ComponentOwner(const QObject* component) {
  if (!component || IsForm(component)) return nullptr;
  for (QObject* up = component->parent(); up; up = up->parent())
    if (IsForm(up)) return up;
  return component->parent();
}

std::vector<QObject*> OwnedComponents(const QObject* owner) {
  std::vector<QObject*> out;
  if (!owner) return out;
  for (QObject* child : owner->findChildren<QObject*>())
    if (ComponentOwner(child) == owner) out.push_back(child);
  return out;
}

QObject* FindComponent(const QObject* owner, const std::string& name) {
  if (!owner || name.empty()) return nullptr;
  for (QObject* component : OwnedComponents(owner))
    if (gui::AnsiCompareText(gui::ToCp1251(component->objectName()), name) == 0) return component;
  return nullptr;
}

std::vector<QWidget*> ScreenForms() {
  std::vector<QWidget*> windows;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (IsForm(w)) windows.push_back(w);
  // Qt keeps the open windows in the order they were made; the widget set has no order.
  const QWindowList order = QGuiApplication::topLevelWindows();
  auto rank = [&](QWidget* w) {
    QWindow* handle = w->windowHandle();
    qsizetype i = handle ? order.indexOf(handle) : -1;
    return i < 0 ? order.size() : i;
  };
  std::stable_sort(windows.begin(), windows.end(),
                   [&](QWidget* a, QWidget* b) { return rank(a) < rank(b); });
  std::vector<QWidget*> forms;
  for (QWidget* w : windows) {
    forms.push_back(w);
    for (QMdiArea* area : w->findChildren<QMdiArea*>())
      for (QMdiSubWindow* sub : area->subWindowList(QMdiArea::CreationOrder))
        if (sub->widget()) forms.push_back(sub->widget());
  }
  return forms;
}

}  // namespace rxprops
