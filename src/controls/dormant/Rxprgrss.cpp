#include "controls/dormant/Rxprgrss.h"

#include "controls/ControlsState.h"

#include <QMetaProperty>
#include <QProgressBar>
#include <QVariant>

#include <limits>
#include <memory>
#include <vector>

namespace rxprgrss {

namespace {

using detail::ProgressEntry;

enum class Which { kMax, kMin, kProgress };

std::unique_ptr<detail::ProgressList>& listHolder() { return detail::List; }

std::string cut(const std::string& name) { return name.substr(0, kMaxPropNameLength); }

std::vector<ProgressEntry>& progressList() {
  auto& list = listHolder();
  if (!list) {
    list = std::make_unique<detail::ProgressList>();
    list->entries.push_back({&QProgressBar::staticMetaObject, "maximum", "minimum", "value"});
  }
  return list->entries;
}

// The entry added last whose class is the control's class or one of its ancestors.
const ProgressEntry* findEntry(const QObject* control) {
  if (!control) return nullptr;
  const auto& list = progressList();
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (control->metaObject()->inherits(it->controlClass)) return &*it;
  return nullptr;
}

// Property names compare without regard to ASCII case, as published properties do.
int findProperty(const QMetaObject* meta, const std::string& name) {
  for (int i = 0; i < meta->propertyCount(); ++i)
    if (QString::compare(QLatin1String(meta->property(i).name()), QString::fromStdString(name),
                         Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

bool writeValue(QObject* control, const QMetaProperty& prop, int64_t value) {
  switch (prop.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::Long:
      if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return false;
      return prop.write(control, QVariant::fromValue(static_cast<int>(value)));
    case QMetaType::UInt:
    case QMetaType::ULong:
      if (value < 0 || value > std::numeric_limits<uint32_t>::max()) return false;
      return prop.write(control, QVariant::fromValue(static_cast<unsigned>(value)));
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar: {
      // Small integer properties take the value through QVariant's own range-checked conversion.
      QVariant v = QVariant::fromValue(static_cast<qlonglong>(value));
      return v.convert(prop.metaType()) && v.value<qlonglong>() == value && prop.write(control, v);
    }
    case QMetaType::LongLong:
      return prop.write(control, QVariant::fromValue(static_cast<qlonglong>(value)));
    case QMetaType::ULongLong:
      if (value < 0) return false;
      return prop.write(control, QVariant::fromValue(static_cast<qulonglong>(value)));
    case QMetaType::Double:
      return prop.write(control, QVariant::fromValue(static_cast<double>(value)));
    case QMetaType::Float:
      return prop.write(control, QVariant::fromValue(static_cast<float>(value)));
    case QMetaType::QVariant:
      return prop.write(control, QVariant::fromValue(static_cast<qlonglong>(value)));
    default:
      return false;  // strings, enumerations, sets, objects...
  }
}

bool setProperty(QObject* control, Which which, int64_t value) {
  const ProgressEntry* entry = findEntry(control);
  if (!entry) return false;
  const std::string& name = which == Which::kMax ? entry->maxProp
                            : which == Which::kMin ? entry->minProp
                                                   : entry->progressProp;
  int index = findProperty(control->metaObject(), name);
  if (index < 0) return false;
  QMetaProperty prop = control->metaObject()->property(index);
  if (!prop.isWritable() || prop.isEnumType()) return false;
  return writeValue(control, prop, value);
}

}  // namespace

void RegisterProgressControl(const QMetaObject& ControlClass, const std::string& MaxPropName,
                             const std::string& MinPropName, const std::string& ProgressPropName) {
  progressList().push_back(
      {&ControlClass, cut(MaxPropName), cut(MinPropName), cut(ProgressPropName)});
}

void UnRegisterProgressControl(const QMetaObject& ControlClass) {
  auto& list = listHolder();
  if (!list) return;
  auto& entries = list->entries;
  for (size_t i = entries.size(); i-- > 0;)
    if (entries[i].controlClass->inherits(&ControlClass)) entries.erase(entries.begin() + long(i));
}

bool SupportsProgressControl(const QObject* Control) { return findEntry(Control) != nullptr; }

bool SetProgressMax(QObject* Control, int64_t Value) {
  return setProperty(Control, Which::kMax, Value);
}

bool SetProgressMin(QObject* Control, int64_t Value) {
  return setProperty(Control, Which::kMin, Value);
}

bool SetProgressValue(QObject* Control, int64_t Value) {
  return setProperty(Control, Which::kProgress, Value);
}

void FreeProgressList() { listHolder().reset(); }

}  // namespace rxprgrss
