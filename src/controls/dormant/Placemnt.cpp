#include "controls/dormant/Placemnt.h"

#include <algorithm>

#include "controls/utils/Strutils.h"
#include "controls/dormant/Apputils.h"
#include "gui/Cp1251.h"
#include "gui/VyxApplication.h"

namespace placemnt {

namespace {

apputils::TRegistryRoot registryRoot(TPlacementRegRoot root) {
  switch (root) {
    case prLocalMachine: return apputils::rrLocalMachine;
    case prCurrentConfig: return apputils::rrCurrentConfig;
    case prClassesRoot: return apputils::rrClassesRoot;
    case prUsers: return apputils::rrUsers;
    case prDynData: return apputils::rrDynData;
    case prCurrentUser: break;
  }
  return apputils::rrCurrentUser;
}

}  // namespace

// --- TWinMinMaxInfo ---------------------------------------------------------------------------

TWinMinMaxInfo::TWinMinMaxInfo(TFormPlacement* OwnerPlacement)
    : TPersistent(OwnerPlacement), ownerPlacement_(OwnerPlacement) {}

void TWinMinMaxInfo::Assign(const TPersistent* Source) {
  auto* other = qobject_cast<const TWinMinMaxInfo*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  std::copy(std::begin(other->values_), std::end(other->values_), std::begin(values_));
  if (ownerPlacement_) ownerPlacement_->MinMaxInfoModified();
}

void TWinMinMaxInfo::SetMinMaxInfo(int Index, int Value) {
  if (Index < 0 || Index >= kCount || values_[Index] == Value) return;
  values_[Index] = Value;
  if (ownerPlacement_) ownerPlacement_->MinMaxInfoModified();
}

bool TWinMinMaxInfo::DefaultMinMaxInfo() const {
  return std::all_of(std::begin(values_), std::end(values_), [](int v) { return v == 0; });
}

// --- TFormPlacement: life ---------------------------------------------------------------------

TFormPlacement::TFormPlacement(QObject* Owner)
    : QObject(Owner),
      winMinMaxInfo_(new TWinMinMaxInfo(this)),
      winHook_(new rxhook::TRxWindowHook(this)) {
  if (Form()) options_ = fpState | fpPosition;
  winHook_->AfterMessage = [this](rxhook::TRxWindowHook*, rxhook::TMessage& msg, bool&) {
    WndMessage(msg);
  };
}

TFormPlacement::~TFormPlacement() {
  IniFree();
  while (!links_.empty()) RemoveLink(links_.back());
  RestoreEvents();
}

void TFormPlacement::Loaded() {
  bool wasLoading = loading_;
  loading_ = false;
  if (wasLoading) SetEvents();
  CheckToggleHook();
}

QWidget* TFormPlacement::Form() const {
  return rxprops::IsForm(parent()) ? static_cast<QWidget*>(parent()) : nullptr;
}

// --- names and the profile -------------------------------------------------------------------

std::string TFormPlacement::IniFileName() const {
  if (!iniFileName_.empty()) return iniFileName_;
  return useRegistry_ ? apputils::GetDefaultIniRegKey() : apputils::GetDefaultIniName();
}

std::string TFormPlacement::IniSection() const {
  return iniSection_.empty() ? apputils::GetDefaultSection(parent()) : iniSection_;
}

apputils::TProfileObject* TFormPlacement::GetIniFile() const { return iniFile_.get(); }

void TFormPlacement::IniNeeded(bool ReadOnly) {
  if (iniFile_) return;
  if (useRegistry_)
    iniFile_ = std::make_unique<apputils::TRegIniFile>(IniFileName(), registryRoot(registryRoot_),
                                                       ReadOnly);
  else
    iniFile_ = std::make_unique<apputils::TIniFile>(IniFileName());
}

void TFormPlacement::IniFree() { iniFile_.reset(); }

template <typename F>
auto TFormPlacement::WithProfile(bool readOnly, F&& f) {
  bool opened = !iniFile_;
  if (opened) IniNeeded(readOnly);
  struct Close {
    TFormPlacement* self;
    bool opened;
    ~Close() {
      if (opened) self->IniFree();
    }
  } close{this, opened};
  return f(iniFile_.get());
}

std::string TFormPlacement::DoReadString(const std::string& Section, const std::string& Ident,
                                         const std::string& Default) {
  return WithProfile(true, [&](apputils::TProfileObject* ini) {
    return apputils::IniReadString(ini, Section, Ident, Default);
  });
}

void TFormPlacement::DoWriteString(const std::string& Section, const std::string& Ident,
                                   const std::string& Value) {
  WithProfile(false, [&](apputils::TProfileObject* ini) {
    apputils::IniWriteString(ini, Section, Ident, Value);
  });
}

std::string TFormPlacement::ReadString(const std::string& Ident, const std::string& Default) {
  return DoReadString(IniSection(), Ident, Default);
}

void TFormPlacement::WriteString(const std::string& Ident, const std::string& Value) {
  DoWriteString(IniSection(), Ident, Value);
}

int TFormPlacement::ReadInteger(const std::string& Ident, int Default) {
  return WithProfile(true, [&](apputils::TProfileObject* ini) {
    return apputils::IniReadInteger(ini, IniSection(), Ident, Default);
  });
}

void TFormPlacement::WriteInteger(const std::string& Ident, int Value) {
  WithProfile(false, [&](apputils::TProfileObject* ini) {
    apputils::IniWriteInteger(ini, IniSection(), Ident, Value);
  });
}

void TFormPlacement::EraseSections() {
  if (iniFile_) return;
  IniNeeded(false);
  struct Close {
    TFormPlacement* self;
    ~Close() { self->IniFree(); }
  } close{this};
  gui::TStringList sections;
  apputils::IniReadSections(iniFile_.get(), sections);
  std::string section = IniSection();
  for (int i = 0; i < sections.Count(); ++i) {
    std::string name = sections[i];
    if (name == section || strutils::IsWild(name, section + ".*", false) ||
        strutils::IsWild(name, section + "\\*", false))
      apputils::IniEraseSection(iniFile_.get(), name);
  }
}

// --- saving and restoring ---------------------------------------------------------------------

void TFormPlacement::Save() {
  if (OnSavePlacement) OnSavePlacement(this);
}

void TFormPlacement::Restore() {
  if (OnRestorePlacement) OnRestorePlacement(this);
}

void TFormPlacement::SavePlacement() {
  if (QWidget* form = Form()) {
    if (options_ & (fpState | fpPosition)) {
      apputils::WriteFormPlacement(form, iniFile_.get(), IniSection());
      apputils::IniWriteBool(iniFile_.get(), IniSection(), "Visible", destroying_);
    }
    QWidget* focus = form->focusWidget();
    if ((options_ & fpActiveControl) && focus && focus != form)
      apputils::IniWriteString(iniFile_.get(), IniSection(), "ActiveControl",
                               gui::ToCp1251(focus->objectName()));
  }
  for (TIniLink* link : std::vector<TIniLink*>(links_)) link->SaveToIni();
}

void TFormPlacement::RestorePlacement() {
  if (QWidget* form = Form())
    apputils::ReadFormPlacement(form, iniFile_.get(), IniSection(), options_ & fpState,
                                options_ & fpPosition);
  for (TIniLink* link : std::vector<TIniLink*>(links_)) link->LoadFromIni();
}

void TFormPlacement::SaveFormPlacement() {
  // A form that was never restored (never shown) does not overwrite what is stored.
  if (active_ && !restored_) return;
  IniNeeded(false);
  struct Close {
    TFormPlacement* self;
    ~Close() { self->IniFree(); }
  } close{this};
  apputils::IniWriteInteger(iniFile_.get(), IniSection(), "FormVersion", version_);
  SavePlacement();
  Save();
  saved_ = true;
}

void TFormPlacement::RestoreFormPlacement() {
  saved_ = false;
  IniNeeded(true);
  struct Close {
    TFormPlacement* self;
    ~Close() { self->IniFree(); }
  } close{this};
  // Data stored by an older layout version is left alone: the form stays as designed.
  if (apputils::IniReadInteger(iniFile_.get(), IniSection(), "FormVersion", 0) >= version_) {
    RestorePlacement();
    restored_ = true;
    Restore();
    if (options_ & fpActiveControl) RestoreActiveControl();
  }
  restored_ = true;
  UpdatePlacement();
}

void TFormPlacement::RestoreActiveControl() {
  QWidget* form = Form();
  if (!form) return;
  std::string name = apputils::IniReadString(iniFile_.get(), IniSection(), "ActiveControl", "");
  auto* control = qobject_cast<QWidget*>(rxprops::FindComponent(form, name));
  if (control && control->isEnabled() && control->focusPolicy() != Qt::NoFocus)
    control->setFocus(Qt::OtherFocusReason);
}

// --- links ------------------------------------------------------------------------------------

void TFormPlacement::AddLink(TIniLink* link) {
  links_.push_back(link);
  link->storage_ = this;
}

void TFormPlacement::RemoveLink(TIniLink* link) {
  link->storage_ = nullptr;
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

TIniLink::~TIniLink() {
  OnSave = nullptr;
  OnLoad = nullptr;
  SetStorage(nullptr);
}

void TIniLink::SetStorage(TFormPlacement* value) {
  if (storage_ == value) return;
  if (storage_) storage_->RemoveLink(this);
  if (value) value->AddLink(this);
}

apputils::TProfileObject* TIniLink::IniObject() const {
  return storage_ ? storage_->GetIniFile() : nullptr;
}

std::string TIniLink::RootSection() const {
  if (!storage_ || storage_->StoredIniSection().empty()) return {};
  return storage_->StoredIniSection() + "\\";
}

void TIniLink::SaveToIni() {
  if (OnSave) OnSave(this);
}

void TIniLink::LoadFromIni() {
  if (OnLoad) OnLoad(this);
}

}  // namespace placemnt
