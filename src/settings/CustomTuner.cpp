// The "Тюнер" and "Карта" pages: the chosen row of the tuner and card tables in hexadecimal,
// the custom row editable, copied from another row or imported from a description file, and
// the "Записать" buttons that open the card again with the new rows.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/CBT848.h"
#include "core/CardFunctions.h"
#include "core/HardwareTables.h"
#include "core/Settings.h"
#include "platform/Clock.h"
#include "settings/Custom.h"
#include "settings/CustomInternal.h"
#include "settings/HardwareImport.h"
#include "settings/SettingsHooks.h"

namespace {

constexpr uint32_t kReopenPauseMs = 100;
constexpr uint32_t kPLLDisabled = 3;

constexpr uint32_t TunerRow::*kTunerFields[] = {
    &TunerRow::Address, &TunerRow::VHFLow,     &TunerRow::VHFHigh,  &TunerRow::UHF,
    &TunerRow::Threshold1, &TunerRow::Threshold2, &TunerRow::FMStereo, &TunerRow::FMMono,
};

constexpr uint32_t CardRow::*kCardFields[] = {
    &CardRow::VideoMux0, &CardRow::VideoMux1, &CardRow::VideoMux2, &CardRow::VideoMask,
    &CardRow::TonMux0,   &CardRow::TonMux1,   &CardRow::TonMux2,   &CardRow::TonMute,
    &CardRow::TonMask,   &CardRow::OutEn,     &CardRow::OutMask,
};

template <typename Row, size_t N, size_t M>
void showRow(const Row& row, uint32_t Row::* const (&fields)[N], const std::array<QLineEdit*, M>& edits,
             bool custom) {
  static_assert(N == M);
  for (size_t i = 0; i < N; ++i) {
    const QSignalBlocker quiet(edits[i]);
    edits[i]->setText(HexText(row.*fields[i]));
    edits[i]->setEnabled(custom);
  }
}

// A file of `extension` chosen by the user; asks again while another kind of file is picked.
std::optional<std::string> chooseDescription(QWidget* owner, const char* extension,
                                             const char* filter) {
  const std::string pattern = std::string("*.") + extension;
  for (;;) {
    std::optional<std::string> name = FileChooser()({extension, pattern, filter, owner});
    if (!name || hardware_import::HasExtension(*name, extension)) return name;
  }
}

// The card object made anew with the chosen rows, opened after a short pause, and the current
// channel applied to it.
void reopenCard() {
  delete CardDevice;
  CardDevice = nullptr;
  platform::SleepMs(kReopenPauseMs);
  OpenCard();
  if (DialogHooks().reSet) DialogHooks().reSet();
}

bool cardOpen() { return CardDevice && CardDevice->IsOpen(); }

}  // namespace

void TForm7::ComboBox1Change() {
  const int row = ComboBox1->currentIndex();
  if (row >= 0 && row < kTunerRows) showRow(TunerTable[row], kTunerFields, TunerEdits, row == 0);
}

void TForm7::ComboBox2Change() {
  const int row = ComboBox2->currentIndex();
  if (row >= 0 && row < kCardRows) showRow(CardTable[row], kCardFields, CardEdits, row == 0);
}

void TForm7::attachHardwareHandlers() {
  for (size_t i = 0; i < TunerEdits.size(); ++i)
    connect(TunerEdits[i], &QLineEdit::textEdited, this,
            [i](const QString& text) { TunerTable[0].*kTunerFields[i] = HexOf(text); });
  for (size_t i = 0; i < CardEdits.size(); ++i)
    connect(CardEdits[i], &QLineEdit::textEdited, this,
            [i](const QString& text) { CardTable[0].*kCardFields[i] = HexOf(text); });
  for (size_t i = 0; i < SystemEdits.size(); ++i) {
    connect(SystemEdits[i], &QLineEdit::textEdited, this,
            [this, i] { systemEditChanged(int(i), true); });
    connect(SystemEdits[i], &QLineEdit::textChanged, this,
            [this, i] { systemEditChanged(int(i), false); });
  }
  connect(ComboBox1, qOverload<int>(&QComboBox::currentIndexChanged), this, handler(&TForm7::ComboBox1Change));
  connect(ComboBox2, qOverload<int>(&QComboBox::currentIndexChanged), this, handler(&TForm7::ComboBox2Change));
  connect(ComboBox10, qOverload<int>(&QComboBox::activated), this, handler(&TForm7::ComboBox10Change));
  connect(ComboBox3, qOverload<int>(&QComboBox::activated), this, handler(&TForm7::ComboBox3Change));
  connect(ComboBox4, qOverload<int>(&QComboBox::activated), this, handler(&TForm7::ComboBox4Change));
  connect(ListBox1, &QListWidget::currentRowChanged, this, handler(&TForm7::ListBox1Click));
  const std::pair<QPushButton*, void (TForm7::*)()> buttons[] = {
      {Button6, &TForm7::Button6Click}, {Button5, &TForm7::Button5Click},
      {Button10, &TForm7::Button10Click}, {Button4, &TForm7::Button4Click},
      {Button3, &TForm7::Button3Click}, {Button7, &TForm7::Button7Click},
      {Button8, &TForm7::Button8Click}, {Button1, &TForm7::Button1Click},
      {Button2, &TForm7::Button2Click},
  };
  for (const auto& [button, method] : buttons) connect(button, &QPushButton::clicked, this, handler(method));
}

void TForm7::Button6Click() {
  const int row = ComboBox1->currentIndex();
  if (row <= 0 || row >= kTunerRows) return;
  TunerTable[0] = TunerTable[row];
  TunerTable[0].Id = 0;  // the custom row keeps its own number
}

void TForm7::Button5Click() {
  const int row = ComboBox2->currentIndex();
  if (row <= 0 || row >= kCardRows) return;
  CardTable[0] = CardTable[row];
  CardTable[0].Id = 0;  // the custom row keeps its own number
}

void TForm7::rewriteCard() {
  Settings.Tuner = uint32_t(std::max(ComboBox1->currentIndex(), 0));
  Settings.Card = uint32_t(std::max(ComboBox2->currentIndex(), 0));
  reopenCard();
}

void TForm7::Button4Click() {
  rewriteCard();
  SaveCustomTuner();
}

void TForm7::Button3Click() {
  rewriteCard();
  const int pll = ComboBox10->currentIndex();
  if (pll >= 0 && pll < int(kPLLDisabled) && cardOpen()) CardDevice->SetPLL(uint32_t(pll));
  SaveCustomCard();
}

void TForm7::ComboBox10Change() {
  const int pll = ComboBox10->currentIndex();
  if (pll < 0) return;
  Settings.PLL = uint32_t(pll);
  if (Settings.PLL < kPLLDisabled && cardOpen()) CardDevice->SetPLL(Settings.PLL);
}

void TForm7::Button7Click() {
  const std::optional<std::string> file = chooseDescription(this, "tun", "Tuner config|*.tun");
  if (!file) return;
  hardware_import::ReadTuner(hardware_import::FileReader(*file), TunerTable[0]);
  ComboBox1Change();
}

void TForm7::Button8Click() {
  const std::optional<std::string> file = chooseDescription(this, "crd", "Card config|*.crd");
  if (!file) return;
  Settings.PLL = hardware_import::ReadCard(hardware_import::FileReader(*file), CardTable[0]);
  ComboBox10->setCurrentIndex(int(Settings.PLL));
  ComboBox2Change();
}
