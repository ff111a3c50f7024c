// Rxprgrss: progress reporting to any control without knowing its class. A control class is
// registered with the names of its maximum, minimum and position properties; the setters then
// write those properties through Qt's meta-object system (the control's Q_PROPERTY list).
// Qt's progress bar (QProgressBar: maximum, minimum, value) is registered from the start.
//
// The registry is the unit's one list, made on first use and freed by FreeProgressList (the
// unit's finalization); the next use makes it again with only the progress bar in it.
#pragma once

#include <QMetaObject>
#include <QObject>

#include <cstdint>
#include <string>
#include <vector>

namespace rxprgrss {

// Property names are kept to this many characters; longer names are cut.
inline constexpr size_t kMaxPropNameLength = 63;

// Adds an entry at the end. The same class may be registered more than once: the entry added
// last wins for that class and every class derived from it.
void RegisterProgressControl(const QMetaObject& ControlClass, const std::string& MaxPropName,
                             const std::string& MinPropName, const std::string& ProgressPropName);
// Removes every entry whose class is ControlClass or derives from it.
void UnRegisterProgressControl(const QMetaObject& ControlClass);
// True when the control's class is, or derives from, a registered class.
bool SupportsProgressControl(const QObject* Control);

// Write the maximum, minimum or position property. False, and nothing changes, for a null
// control, a class without entry, a missing property, a property that is not an integer,
// floating-point or QVariant property, or a value that an integer property cannot hold.
bool SetProgressMax(QObject* Control, int64_t Value);
bool SetProgressMin(QObject* Control, int64_t Value);
bool SetProgressValue(QObject* Control, int64_t Value);

// The unit's finalization: frees the registry.
void FreeProgressList();

namespace detail {
// The registry's entries (kept in ControlsState).
struct ProgressEntry {
  const QMetaObject* controlClass;
  std::string maxProp;
  std::string minProp;
  std::string progressProp;
};
struct ProgressList {
  std::vector<ProgressEntry> entries;
};
}  // namespace detail

}  // namespace rxprgrss
