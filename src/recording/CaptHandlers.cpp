// The capture window's handlers attached to its controls. As in the class library, a box's
// handler runs whenever its state changes (also from code), a list's only when the user picks.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>

#include "controls/Curredit.h"
#include "controls/Rxclock.h"
#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "controls/Rxswitch.h"
#include "controls/TooleditDate.h"
#include "controls/TooleditMask.h"
#include "recording/Capt.h"

namespace {

template <typename Handler>
void onToggle(TForm3* form, QAbstractButton* box, Handler handler) {
  QObject::connect(box, &QAbstractButton::toggled, form, [form, handler] { (form->*handler)(); });
}

template <typename Handler>
void onClick(TForm3* form, QAbstractButton* button, Handler handler) {
  QObject::connect(button, &QAbstractButton::clicked, form, [form, handler] { (form->*handler)(); });
}

}  // namespace

void TForm3::attachHandlers() {
  attachVideoHandlers();
  attachSideHandlers();
  Timer1.SetEnabled(false);
  Timer1.SetInterval(2000);
  Timer1.SetOnTimer([this](gui::TTimer*) { Timer1Timer(); });
  Timer2.SetInterval(100);
  Timer2.SetOnTimer([this](gui::TTimer*) { Timer2Timer(); });
  Timer3.SetInterval(300);
  Timer3.SetOnTimer([this](gui::TTimer*) { Timer3Timer(); });
}

void TForm3::attachVideoHandlers() {
  onClick(this, Button1, &TForm3::Button1Click);
  onClick(this, Button2, &TForm3::Button2Click);
  onClick(this, Button3, &TForm3::Button3Click);
  onClick(this, Button4, &TForm3::Button4Click);
  onClick(this, Button5, &TForm3::Button5Click);
  onClick(this, Button8, &TForm3::Button8Click);
  onClick(this, Button11, &TForm3::Button11Click);
  onClick(this, Button13, &TForm3::Button13Click);
  onClick(this, SpeedButton5, &TForm3::SpeedButton5Click);
  onClick(this, SpeedButton6, &TForm3::SpeedButton6Click);
  onToggle(this, CheckBox1, &TForm3::CheckBox1Click);
  onToggle(this, CheckBox2, &TForm3::CheckBox2Click);
  onToggle(this, CheckBox3, &TForm3::CheckBox3Click);
  onToggle(this, CheckBox4, &TForm3::CheckBox4Click);
  onToggle(this, CheckBox6, &TForm3::CheckBox6Click);
  onToggle(this, CheckBox9, &TForm3::ComboBox2Change);
  onToggle(this, CheckBox10, &TForm3::ComboBox2Change);
  onToggle(this, CheckBox17, &TForm3::CheckBox17Click);
  onToggle(this, CheckBox18, &TForm3::CheckBox18Click);
  connect(ComboBox2, &QComboBox::activated, this, [this] { ComboBox2Change(); });
  connect(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
  connect(Edit2, &QLineEdit::textChanged, this, [this] { Edit2Change(); });
  connect(Edit3, &QLineEdit::textChanged, this, [this] { Edit3Change(); });
  Edit1->installEventFilter(this);
  RxCalcEdit1->OnChange = [this](QWidget*) { RxCalcEdit1Change(); };
  RxCalcEdit3->OnChange = [this](QWidget*) { RxCalcEdit3Change(); };
  RxSpinEdit1->OnChange = [this](QWidget*) { RxSpinEdit1Change(); };
  DateEdit1->OnChange = [this](QWidget*) { DateEdit1Change(); };
  DateEdit2->OnChange = [this](QWidget*) { DateEdit2Change(); };
  MaskEdit1->OnChange = [this](QWidget*) { MaskEdit1Change(); };
  MaskEdit2->OnChange = [this](QWidget*) { MaskEdit2Change(); };
  RxClock1->OnAlarm = [this](rxclock::TRxClock*) { RxClock1Alarm(); };
  RxClock2->OnAlarm = [this](rxclock::TRxClock*) { RxClock2Alarm(); };
}

void TForm3::attachSideHandlers() {
  onClick(this, Button6, &TForm3::Button6Click);
  onClick(this, Button7, &TForm3::Button7Click);
  onClick(this, Button9, &TForm3::Button9Click);
  onClick(this, Button10, &TForm3::Button10Click);
  onClick(this, Button12, &TForm3::Button12Click);
  onClick(this, SpeedButton1, &TForm3::SpeedButton1Click);
  onToggle(this, CheckBox5, &TForm3::CheckBox5Click);
  onToggle(this, CheckBox11, &TForm3::CheckBox11Click);
  onToggle(this, CheckBox15, &TForm3::CheckBox15Click);
  onToggle(this, CheckBox16, &TForm3::CheckBox16Click);
  onToggle(this, RadioJpg, &TForm3::RadioGroup1Click);
  onClick(this, SpeedButton2, &TForm3::SpeedButton2Click);
  connect(ScrollBar2, &QScrollBar::valueChanged, this, [this] { ScrollBar2Change(); });
  connect(ComboBox4, &QComboBox::activated, this, [this] { ComboBox4Change(); });
  connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });
  RxSlider1->OnChange = [this](gui::TControl*) { RxSlider1Change(); };
  RxSlider2->OnChange = [this](gui::TControl*) { RxSlider2Change(); };
  RxSlider4->OnChange = [this](gui::TControl*) { RxSlider4Change(); };
  RxSlider5->OnChange = [this](gui::TControl*) { RxSlider5Change(); };
  RxSlider6->OnChange = [this](gui::TControl*) { RxSlider6Change(); };
  RxSwitch1->OnOn = [this](gui::TControl*) { RxSwitch1Click(); };
  RxSwitch1->OnOff = [this](gui::TControl*) { RxSwitch1Click(); };
  UpDown1->OnClick = [this](gui::TUpDown*, gui::TUDBtnType b) { UpDown1Click(b); };
}
