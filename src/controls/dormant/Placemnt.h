// Placemnt: TFormPlacement keeps a form's window placement (normal rectangle, state, active
// control) between runs, in a profile file or under a registry key (Apputils). Dropped on a form
// (made with the form as its owner, then Loaded() once its properties are set, as when a layout
// has been read) it restores the placement whenever the form is shown and saves it when a close of
// the form is accepted or the form is destroyed. Through a window hook on the form (Rxhook) it can
// limit the form's size (MinMaxInfo) or keep the user from resizing it (PreventResize). Other
// components attach through a TIniLink and are told when it saves and restores. TFormStorage
// (PlacemntStorage.h) adds stored properties and stored values.
//
// Restored positions are kept on the screen; a save waits until something was restored, so a form
// that was never shown does not overwrite what is stored.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/dormant/ApputilsProfiles.h"
#include "controls/dormant/Rxhook.h"
#include "controls/dormant/RxpropsComponents.h"

namespace placemnt {

class TFormPlacement;
class TIniLink;

// Limits of the form's size, each 0 when not set. Qt sizes a window by its minimum and maximum
// size; the maximized position and size are kept and stored but have no effect on screen.
class TWinMinMaxInfo : public rxprops::TPersistent {
  Q_OBJECT
  Q_PROPERTY(int MaxPosLeft READ MaxPosLeft WRITE SetMaxPosLeft)
  Q_PROPERTY(int MaxPosTop READ MaxPosTop WRITE SetMaxPosTop)
  Q_PROPERTY(int MaxSizeHeight READ MaxSizeHeight WRITE SetMaxSizeHeight)
  Q_PROPERTY(int MaxSizeWidth READ MaxSizeWidth WRITE SetMaxSizeWidth)
  Q_PROPERTY(int MaxTrackHeight READ MaxTrackHeight WRITE SetMaxTrackHeight)
  Q_PROPERTY(int MaxTrackWidth READ MaxTrackWidth WRITE SetMaxTrackWidth)
  Q_PROPERTY(int MinTrackHeight READ MinTrackHeight WRITE SetMinTrackHeight)
  Q_PROPERTY(int MinTrackWidth READ MinTrackWidth WRITE SetMinTrackWidth)

public:
  enum { kMaxPosLeft, kMaxPosTop, kMaxSizeHeight, kMaxSizeWidth, kMaxTrackHeight, kMaxTrackWidth,
         kMinTrackHeight, kMinTrackWidth, kCount };

  explicit TWinMinMaxInfo(TFormPlacement* OwnerPlacement);

  void Assign(const TPersistent* Source) override;
  int GetMinMaxInfo(int Index) const { return values_[Index]; }
  void SetMinMaxInfo(int Index, int Value);
  // Every value is 0.
  bool DefaultMinMaxInfo() const;

  int MaxPosLeft() const { return values_[kMaxPosLeft]; }
  void SetMaxPosLeft(int v) { SetMinMaxInfo(kMaxPosLeft, v); }
  int MaxPosTop() const { return values_[kMaxPosTop]; }
  void SetMaxPosTop(int v) { SetMinMaxInfo(kMaxPosTop, v); }
  int MaxSizeHeight() const { return values_[kMaxSizeHeight]; }
  void SetMaxSizeHeight(int v) { SetMinMaxInfo(kMaxSizeHeight, v); }
  int MaxSizeWidth() const { return values_[kMaxSizeWidth]; }
  void SetMaxSizeWidth(int v) { SetMinMaxInfo(kMaxSizeWidth, v); }
  int MaxTrackHeight() const { return values_[kMaxTrackHeight]; }
  void SetMaxTrackHeight(int v) { SetMinMaxInfo(kMaxTrackHeight, v); }
  int MaxTrackWidth() const { return values_[kMaxTrackWidth]; }
  void SetMaxTrackWidth(int v) { SetMinMaxInfo(kMaxTrackWidth, v); }
  int MinTrackHeight() const { return values_[kMinTrackHeight]; }
  void SetMinTrackHeight(int v) { SetMinMaxInfo(kMinTrackHeight, v); }
  int MinTrackWidth() const { return values_[kMinTrackWidth]; }
  void SetMinTrackWidth(int v) { SetMinMaxInfo(kMinTrackWidth, v); }

private:
  TFormPlacement* ownerPlacement_;
  int values_[kCount] = {};
};

enum TPlacementOption { fpState = 0x1, fpPosition = 0x2, fpActiveControl = 0x4 };
using TPlacementOptions = unsigned;  // a set of TPlacementOption

enum TPlacementRegRoot { prCurrentUser, prLocalMachine, prCurrentConfig, prClassesRoot, prUsers,
                         prDynData };

class TFormPlacement : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Active READ Active WRITE SetActive)
  Q_PROPERTY(bool PreventResize READ PreventResize WRITE SetPreventResize)
  Q_PROPERTY(bool UseRegistry READ UseRegistry WRITE SetUseRegistry)
  Q_PROPERTY(int Version READ Version WRITE SetVersion)
  Q_PROPERTY(placemnt::TWinMinMaxInfo* MinMaxInfo READ MinMaxInfo)

public:
  using TNotifyEvent = std::function<void(TFormPlacement*)>;

  // Owner: the form it keeps (any other owner: nothing is placed). Options [fpState,
  // fpPosition] on a form, else none.
  explicit TFormPlacement(QObject* Owner);
  ~TFormPlacement() override;

  // The layout has been applied: chains the form's show, close and destroy, and puts the hook on
  // or takes it off.
  virtual void Loaded();

  bool Active() const { return active_; }
  void SetActive(bool value) { active_ = value; }
  // The stored name, or the default one (Apputils) when it is empty.
  std::string IniFileName() const;
  void SetIniFileName(const std::string& value) { iniFileName_ = value; }
  // The stored section, or the owner's default section when it is empty.
  std::string IniSection() const;
  void SetIniSection(const std::string& value) { iniSection_ = value; }
  // The section as set, without the default.
  const std::string& StoredIniSection() const { return iniSection_; }
  TPlacementOptions Options() const { return options_; }
  void SetOptions(TPlacementOptions value) { options_ = value; }
  bool PreventResize() const { return preventResize_; }
  void SetPreventResize(bool value);
  TPlacementRegRoot RegistryRoot() const { return registryRoot_; }
  void SetRegistryRoot(TPlacementRegRoot value) { registryRoot_ = value; }
  bool UseRegistry() const { return useRegistry_; }
  void SetUseRegistry(bool value) { useRegistry_ = value; }
  int Version() const { return version_; }
  void SetVersion(int value) { version_ = value; }
  TWinMinMaxInfo* MinMaxInfo() const { return winMinMaxInfo_; }
  void SetMinMaxInfo(const TWinMinMaxInfo* value) { winMinMaxInfo_->Assign(value); }

  // The open profile (the registry's or the file's), or null.
  apputils::TProfileObject* GetIniFile() const;
  void SaveFormPlacement();
  void RestoreFormPlacement();
  std::string ReadString(const std::string& Ident, const std::string& Default);
  void WriteString(const std::string& Ident, const std::string& Value);
  int ReadInteger(const std::string& Ident, int Default);
  void WriteInteger(const std::string& Ident, int Value);
  // Erases the section and its subsections (IniSection.* and IniSection\*) while no profile is open.
  void EraseSections();

  bool Saved() const { return saved_; }
  bool Restored() const { return restored_; }

  TNotifyEvent OnSavePlacement;
  TNotifyEvent OnRestorePlacement;

protected:
  virtual void SavePlacement();
  virtual void RestorePlacement();
  virtual std::string DoReadString(const std::string& Section, const std::string& Ident,
                                   const std::string& Default);
  virtual void DoWriteString(const std::string& Section, const std::string& Ident,
                             const std::string& Value);
  virtual void Save();
  virtual void Restore();

  QWidget* Form() const;
  bool loading() const { return loading_; }
  bool Destroying() const { return destroying_; }
  void IniNeeded(bool ReadOnly);
  void IniFree();
  void setRestored(bool value) { restored_ = value; }

private:
  friend class TWinMinMaxInfo;
  friend class TIniLink;
  friend class FormDestroyWatch;

  void AddLink(TIniLink* link);
  void RemoveLink(TIniLink* link);
  void SetEvents();
  void RestoreEvents();
  void FormShow();
  void FormCloseQuery(QEvent* close);
  void FormDestroy();
  void WndMessage(rxhook::TMessage& msg);
  void MinMaxInfoModified();
  void CheckToggleHook();
  void SetHook();
  void ReleaseHook();
  void ApplySizeLimits();
  void UpdatePlacement();
  void UpdatePreventResize();
  void RestoreActiveControl();
  // Opens a profile for one call when none is open.
  template <typename F>
  auto WithProfile(bool readOnly, F&& f);

  bool active_ = true;
  std::string iniFileName_;
  std::string iniSection_;
  std::unique_ptr<apputils::TProfileObject> iniFile_;
  bool useRegistry_ = false;
  TPlacementRegRoot registryRoot_ = prCurrentUser;
  std::vector<TIniLink*> links_;
  TPlacementOptions options_ = 0;
  int version_ = 0;
  bool saved_ = false;
  bool restored_ = false;
  bool destroying_ = false;
  bool preventResize_ = false;
  TWinMinMaxInfo* winMinMaxInfo_;  // owned (a child)
  bool defMaximize_ = false;
  rxhook::TRxWindowHook* winHook_;  // owned (a child)
  bool loading_ = true;
  bool eventsChained_ = false;
  bool hooked_ = false;
  QSize savedMinimum_;
  QSize savedMaximum_;
  QPointer<QWidget> destroyWatch_;
};

// A component's link to a placement: told when it saves and when it restores.
class TIniLink : public rxprops::TPersistent {
  Q_OBJECT

public:
  using TNotifyEvent = std::function<void(TIniLink*)>;

  TIniLink() = default;
  ~TIniLink() override;

  TFormPlacement* Storage() const { return storage_; }
  void SetStorage(TFormPlacement* value);
  // The placement's open profile, or null.
  apputils::TProfileObject* IniObject() const;
  // The placement's section as set, followed by "\"; empty without one.
  std::string RootSection() const;

  virtual void SaveToIni();
  virtual void LoadFromIni();

  TNotifyEvent OnSave;
  TNotifyEvent OnLoad;

private:
  friend class TFormPlacement;
  TFormPlacement* storage_ = nullptr;
};

}  // namespace placemnt
