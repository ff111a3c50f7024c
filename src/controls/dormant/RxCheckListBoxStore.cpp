// The check list box's stored states: profile keys, the form-placement link and the stored
// form layout.
#include <algorithm>

#include "controls/dormant/Apputils.h"
#include "controls/dormant/ApputilsProfiles.h"
#include "controls/dormant/RxCheckListBox.h"
#include "gui/Cp1251.h"
#include "gui/Filer.h"

namespace rxctrls {

using namespace gui;

namespace {

std::string itemKey(int index) { return "Item" + std::to_string(index); }

}  // namespace

void TRxCheckListBox::InternalSaveStates(apputils::TProfileObject& ini, const std::string& section) {
  ini.EraseSection(section);
  int count = Items().Count();
  ini.WriteInteger(section, "Count", count);
  for (int i = 0; i < count; ++i) ini.WriteInteger(section, itemKey(i), int(State(i)));
}

void TRxCheckListBox::InternalRestoreStates(apputils::TProfileObject& ini,
                                            const std::string& section) {
  int count = std::min(ini.ReadInteger(section, "Count", 0), Items().Count());
  for (int i = 0; i < count; ++i) {
    TCheckBoxState state = CheckStateFromOrdinal(ini.ReadInteger(section, itemKey(i), 0));
    SetState(i, state);
    // One radio item is checked: the first one stored as checked.
    if (checkKind_ == ckRadioButtons && state == cbChecked) break;
  }
}

void TRxCheckListBox::SaveStates(apputils::TProfileObject& ini) {
  InternalSaveStates(ini, apputils::GetDefaultSection(this));
}

void TRxCheckListBox::RestoreStates(apputils::TProfileObject& ini) {
  InternalRestoreStates(ini, apputils::GetDefaultSection(this));
}

void TRxCheckListBox::IniSave() {
  apputils::TProfileObject* ini = iniLink_->IniObject();
  if (objectName().isEmpty() || !ini) return;
  InternalSaveStates(*ini, iniLink_->RootSection() + apputils::GetDefaultSection(this));
}

void TRxCheckListBox::IniLoad() {
  apputils::TProfileObject* ini = iniLink_->IniObject();
  if (objectName().isEmpty() || !ini) return;
  InternalRestoreStates(*ini, iniLink_->RootSection() + apputils::GetDefaultSection(this));
}

void TRxCheckListBox::WriteVersion(TWriter& writer) const { writer.WriteInteger(kCheckListVersion); }

void TRxCheckListBox::ReadVersion(TReader& reader) { readerVersion_ = reader.ReadInteger(); }

bool TRxCheckListBox::ShouldWriteStrings(TRxCheckListBox* ancestor) {
  int count = Items().Count();
  if (!ancestor || ancestor->Items().Count() != count) return count > 0;
  for (int i = 0; i < count; ++i) {
    if (AnsiCompareText(Items().Get(i), ancestor->Items().Get(i)) != 0 ||
        State(i) != ancestor->State(i) || EnabledItem(i) != ancestor->EnabledItem(i))
      return true;
  }
  return false;
}

void TRxCheckListBox::WriteStrings(TWriter& writer) {
  writer.WriteListBegin();
  int count = Items().Count();
  for (int i = 0; i < count; ++i) {
    writer.WriteString(Items().Get(i));
    writer.WriteInteger(int(State(i)));
    writer.WriteBoolean(EnabledItem(i));
  }
  writer.WriteListEnd();
}

void TRxCheckListBox::ReadStrings(TReader& reader) {
  Items().BeginUpdate();
  try {
    Items().Clear();
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
      int index = Items().Add(reader.ReadString());
      if (readerVersion_ >= kCheckListVersion) {
        SetState(index, CheckStateFromOrdinal(reader.ReadInteger()));
        SetEnabledItem(index, reader.ReadBoolean());
      } else {
        // Layouts before the version property: a checked flag, and from version 1 on a state
        // after the enabled flag.
        SetState(index, reader.ReadBoolean() ? cbChecked : cbUnchecked);
        SetEnabledItem(index, reader.ReadBoolean());
        if (readerVersion_ > 0) SetState(index, CheckStateFromOrdinal(reader.ReadInteger()));
      }
    }
    reader.ReadListEnd();
  } catch (...) {
    Items().EndUpdate();
    throw;
  }
  Items().EndUpdate();
  UpdateCheckStates();
}

}  // namespace rxctrls
