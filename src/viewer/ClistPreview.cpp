// The channel list's selection and its editors: a row or a found frequency is previewed on the
// card and shown in the editors; editing the frequency, name, standard or a value writes the
// selected row (or the found entry). While a scan runs the previews leave the card alone, since
// the scan owns the tuner.
#include <QComboBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>

#include <cmath>

#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "core/CMyMixer.h"
#include "core/CardFunctions.h"
#include "gui/CustomEdit.h"
#include "gui/NumberText.h"
#include "gui/ScopedFlag.h"
#include "viewer/Clist.h"
#include "viewer/Range.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace {

constexpr uint32_t kMixerUnitsPerStep = 1000;

// The picture values of a preview, on the card.
void previewPicture(int32_t brightness, int32_t contrast, int32_t hue, int32_t saturation) {
  SetBrightness(brightness);
  SetContrast(contrast);
  SetHue(hue);
  SetSaturation(saturation);
}

}  // namespace

void TForm6::attachHandlers() {
  using Handler = void (TForm6::*)();
  const std::pair<QAbstractButton*, Handler> buttons[] = {
      {Button7, &TForm6::Button7Click},   {Button6, &TForm6::Button6Click},
      {Button10, &TForm6::Button10Click}, {Button8, &TForm6::Button8Click},
      {Button9, &TForm6::Button9Click},   {Button13, &TForm6::Button13Click},
      {Button2, &TForm6::Button2Click},   {Button3, &TForm6::Button3Click},
      {Button1, &TForm6::Button1Click},   {Button4, &TForm6::Button4Click},
      {Button5, &TForm6::Button5Click},   {Button12, &TForm6::Button12Click},
      {Button11, &TForm6::Button11Click}, {SpeedButton2, &TForm6::SpeedButton2Click},
      {SpeedButton3, &TForm6::SpeedButton3Click}, {SpeedButton4, &TForm6::SpeedButton4Click},
      {SpeedButton5, &TForm6::SpeedButton5Click}, {SpeedButton6, &TForm6::SpeedButton6Click}};
  for (auto [button, handler] : buttons)
    connect(button, &QAbstractButton::clicked, this, [this, h = handler] { (this->*h)(); });
  // A click on a row or an entry previews it, and so do the keys moving the selection (a mouse
  // press moves it too, but its click follows).
  auto byKeys = [] { return QGuiApplication::mouseButtons() == Qt::NoButton; };
  connect(StringGrid1, &QTableView::clicked, this, [this](const QModelIndex& index) {
    model_.Grid().SetRow(index.row() + 1);
    StringGrid1Click();
  });
  connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this, byKeys](const QModelIndex& current) {
            if (selecting_ || !current.isValid() || !byKeys()) return;
            model_.Grid().SetRow(current.row() + 1);
            StringGrid1Click();
          });
  connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
  connect(ListBox1, &QListWidget::currentRowChanged, this, [this, byKeys](int row) {
    if (!selecting_ && row >= 0 && byKeys()) ListBox1Click();
  });
}

void TForm6::attachEditorHandlers() {
  RxSpinEdit1->OnChange = [this](QWidget*) { RxSpinEdit1Change(); };
  connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { ScrollBar1Change(); });
  Edit2->OnChange = [this](QWidget*) { Edit2Change(); };
  Edit2->OnExit = [this](QWidget*) { Edit2Exit(); };
  Edit1->OnDblClick = [this](QWidget*) { Edit1Done(); };
  Edit1->OnExit = [this](QWidget*) { Edit1Done(); };
  Edit1->OnKeyDown = [this](QWidget*, uint16_t& key, gui::TShiftState) {
    if (key == gui::VK_RETURN) Edit1Done();
  };
  connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
  RxSlider1->OnChange = [this](gui::TControl*) { RxSlider1Change(); };
  RxSlider2->OnChange = [this](gui::TControl*) { RxSlider2Change(); };
  RxSlider3->OnChange = [this](gui::TControl*) { RxSlider3Change(); };
  RxSlider4->OnChange = [this](gui::TControl*) { RxSlider4Change(); };
  RxSlider5->OnChange = [this](gui::TControl*) { RxSlider5Change(); };
  // The text fields, the found list and the grid keep the hot keys away while they have the
  // focus.
  for (gui::TCustomEdit* field : {Edit2, Edit1, static_cast<gui::TCustomEdit*>(RxSpinEdit1)})
    field->OnEnter = [](QWidget*) { TextFieldEntered(); };
  RxSpinEdit1->OnExit = [](QWidget*) { TextFieldLeft(); };
  for (QWidget* w : {static_cast<QWidget*>(ListBox1), static_cast<QWidget*>(StringGrid1)})
    w->installEventFilter(this);
}

void TForm6::showFrequency(double mhz) {
  RxSpinEdit1->SetValue(mhz);
  gui::ScopedFlag following(followingField_);
  ScrollBar1->setValue(int(std::trunc(mhz * 100)));
}

void TForm6::showValues(const int32_t (&values)[kChannelValues]) {
  rxslider::TRxSlider* sliders[] = {RxSlider1, RxSlider2, RxSlider3, RxSlider4, RxSlider5};
  for (int i = 0; i < kChannelValues; ++i) sliders[i]->SetValue(values[i]);
}

void TForm6::StringGrid1Click() {
  setGridMode(true);
  const ChannelGrid& grid = model_.Grid();
  const int r = grid.Row();
  const double f = LeadingNumber(grid.Cell(kColFreq, r));
  const uint32_t s = StandardOfName(grid.Cell(kColSystem, r));
  int32_t values[kChannelValues];
  for (int i = 0; i < kChannelValues; ++i)
    values[i] = LeadingInteger(grid.Cell(kColVolume + i, r));
  if (!isVisible()) return;
  gui::ScopedFlag previewing(previewing_);
  if (!ScanInProgress()) {
    TuneFrequency(float(f));
    SetTVSystem(s);  // an unknown name (10) sets nothing
    PreviewTVSystem = s;
    previewPicture(values[kBrightness], values[kContrast], values[kHue], values[kSaturation]);
  }
  showValues(values);
  showFrequency(f);
  Edit2->SetText(grid.Cell(kColName, r));
  ComboBox1->setCurrentIndex(s < uint32_t(ComboBox1->count()) ? int(s) : -1);
  for (rxslider::TRxSlider* slider : {RxSlider1, RxSlider2, RxSlider3, RxSlider4, RxSlider5})
    slider->setEnabled(true);
}

void TForm6::ListBox1Click() {
  QListWidgetItem* entry = ListBox1->currentItem();
  setGridMode(false);
  if (!entry || !Form4) return;
  const double f = LeadingNumber(entry->text().toStdString());
  const NewRowDefaults d = Form4->Defaults();
  gui::ScopedFlag previewing(previewing_);
  if (!ScanInProgress()) {
    TuneFrequency(float(f));
    SetTVSystem(d.system);
    PreviewTVSystem = d.system;
    previewPicture(d.values[kBrightness], d.values[kContrast], d.values[kHue],
                   d.values[kSaturation]);
  }
  for (rxslider::TRxSlider* slider : {RxSlider1, RxSlider2, RxSlider3, RxSlider4, RxSlider5})
    slider->setEnabled(false);
  showFrequency(f);
  Edit2->SetText("");
  ComboBox1->setCurrentIndex(int(d.system));
}

// In a preview the field only shows the selection: the row or entry keeps its own text.
void TForm6::RxSpinEdit1Change() {
  const double v = RxSpinEdit1->Value();
  {
    gui::ScopedFlag following(followingField_);
    ScrollBar1->setValue(int(std::trunc(v * 100)));
  }
  if (!ScanInProgress()) TuneFrequency(float(v));
  if (previewing_) return;
  const std::string text = gui::FloatToStr(v);
  if (GridMode()) {
    model_.SetFrequencyText(text);
    showGrid();
  } else if (QListWidgetItem* entry = ListBox1->currentItem()) {
    entry->setText(QString::fromLatin1(text.c_str()));
  }
}

// Only the user's moves: the bar following the field does not set the field back, which would
// truncate a frequency such as 100.03 to 100.02.
void TForm6::ScrollBar1Change() {
  if (followingField_) return;
  RxSpinEdit1->SetValue(ScrollBar1->value() * 0.01);
}

void TForm6::Edit2Change() {
  if (!GridMode() || !Edit2->hasFocus()) return;
  model_.SetName(Edit2->Text());
  showGrid();
}

// Leaving the name field writes the name into the selected row, in grid mode only: in found-list
// mode the field is empty and belongs to no row.
void TForm6::Edit2Exit() {
  if (GridMode()) {
    model_.SetName(Edit2->Text());
    showGrid();
  }
  TextFieldLeft();
}

void TForm6::Edit1Done() {
  Edit1->move(900, Edit1->y());
  model_.SetName(Edit1->Text());
  showGrid();
  TextFieldLeft();
}

void TForm6::ComboBox1Change() {
  const int index = ComboBox1->currentIndex();
  if (index < 0) return;
  if (!ScanInProgress()) SetTVSystem(uint32_t(index));
  if (GridMode()) {
    model_.SetSystem(uint32_t(index));
    PreviewTVSystem = uint32_t(index);
    showGrid();
  }
  RxSlider5Change();
}

void TForm6::sliderChanged(ChannelValue value) {
  if (previewing_) return;
  const rxslider::TRxSlider* sliders[] = {RxSlider1, RxSlider2, RxSlider3, RxSlider4, RxSlider5};
  model_.SetValue(value, sliders[value]->Value());
  showGrid();
}

void TForm6::RxSlider1Change() {
  sliderChanged(kVolume);
  if (LineVol) LineVol->SetValue(uint32_t(RxSlider1->Value()) * kMixerUnitsPerStep);
}

void TForm6::RxSlider2Change() {
  sliderChanged(kBrightness);
  if (!ScanInProgress()) SetBrightness(RxSlider2->Value());
}

void TForm6::RxSlider3Change() {
  sliderChanged(kContrast);
  if (!ScanInProgress()) SetContrast(RxSlider3->Value());
}

void TForm6::RxSlider4Change() {
  sliderChanged(kHue);
  if (!ScanInProgress()) SetHue(RxSlider4->Value());
}

void TForm6::RxSlider5Change() {
  sliderChanged(kSaturation);
  if (!ScanInProgress()) SetSaturation(RxSlider5->Value());
}
