// The "Система" page: the video standards' timing rows, the custom one (CUSTOM, row 8) edited
// through CustomTVSystem, accepted into settings.ini or tried on the card.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <variant>

#include "core/CBT848.h"
#include "core/HardwareTables.h"
#include "core/Settings.h"
#include "platform/Clock.h"
#include "settings/Custom.h"
#include "settings/CustomInternal.h"

namespace {

constexpr uint32_t kCopyPauseMs = 100;

using Field = std::variant<uint8_t TVSystemRow::*, uint16_t TVSystemRow::*, uint32_t TVSystemRow::*>;

// Edit2..Edit12, in order.
const Field kSystemFields[] = {
    &TVSystemRow::CropWidth, &TVSystemRow::CropHeight, &TVSystemRow::CropOffset,
    &TVSystemRow::DelayA,    &TVSystemRow::DelayB,     &TVSystemRow::XsfNum,
    &TVSystemRow::XsfDen,    &TVSystemRow::TotalWidth, &TVSystemRow::HDelayx1,
    &TVSystemRow::VDelay,    &TVSystemRow::HActivex1,
};

uint32_t fieldValue(const TVSystemRow& row, const Field& field) {
  return std::visit([&](auto member) { return uint32_t(row.*member); }, field);
}

// The field keeps the low bits that fit it.
void setField(TVSystemRow& row, const Field& field, uint32_t value) {
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(row.*member)>;
        row.*member = T(value);
      },
      field);
}

constexpr int kXT0Item = 0;
constexpr int kXT1Item = 1;

}  // namespace

void TForm7::ListBox1Click() { showSystemRow(ListBox1->currentRow()); }

void TForm7::showSystemRow(int row) {
  if (row < 0 || row >= kTVSystemRows) return;
  const TVSystemRow values = TVSystemTable[row];  // the edits' handlers may rewrite the row
  const bool custom = row == kCustomSystemRow;
  for (size_t i = 0; i < SystemEdits.size(); ++i) {
    SystemEdits[i]->setText(HexText(fieldValue(values, kSystemFields[i])));
    SystemEdits[i]->setEnabled(custom);
  }
  ComboBox3->setCurrentIndex(values.IFormXT == kXT0 ? kXT0Item : kXT1Item);
  ComboBox4->setCurrentIndex(values.IFormSys < ComboBox4->count() ? values.IFormSys : -1);
  for (QWidget* w : {static_cast<QWidget*>(ComboBox3), static_cast<QWidget*>(ComboBox4),
                     static_cast<QWidget*>(Button1), static_cast<QWidget*>(Button2)})
    w->setEnabled(custom);
}

// A typed change goes into the custom record; every change, typed or shown, copies the record
// into the table's custom row.
void TForm7::systemEditChanged(int field, bool typed) {
  if (loading_) return;
  if (typed) setField(CustomTVSystem, kSystemFields[field], HexOf(SystemEdits[field]->text()));
  TVSystemTable[kCustomSystemRow] = CustomTVSystem;
}

void TForm7::ComboBox3Change() {
  CustomTVSystem.IFormXT = ComboBox3->currentIndex() == kXT0Item ? kXT0 : kXT1;
  TVSystemTable[kCustomSystemRow] = CustomTVSystem;
}

void TForm7::ComboBox4Change() {
  CustomTVSystem.IFormSys = uint8_t(std::max(ComboBox4->currentIndex(), 0));
  TVSystemTable[kCustomSystemRow] = CustomTVSystem;
}

// Whatever row is shown becomes the custom one.
void TForm7::Button10Click() {
  for (size_t i = 0; i < SystemEdits.size(); ++i)
    setField(CustomTVSystem, kSystemFields[i], HexOf(SystemEdits[i]->text()));
  CustomTVSystem.IFormXT = ComboBox3->currentIndex() == kXT1Item ? kXT1 : kXT0;
  CustomTVSystem.IFormSys = uint8_t(std::max(ComboBox4->currentIndex(), 0));
  TVSystemTable[kCustomSystemRow] = CustomTVSystem;
  platform::SleepMs(kCopyPauseMs);
}

void TForm7::Button1Click() { SaveCustomSystem(); }

// The custom timing goes to the card at once, unsaved.
void TForm7::Button2Click() {
  if (!CardDevice || !CardDevice->IsOpen()) return;
  CardDevice->SetVideoFormat(kCustomSystemRow);
  CardDevice->SetSystemTiming(Settings.TVsizeX, Settings.TVsizeY, kCustomSystemRow);
}
