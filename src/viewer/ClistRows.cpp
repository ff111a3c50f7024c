// The channel list's row buttons: revert, commit and cancel, moving, adding, deleting, and
// "Set for all". The rules live in ChannelListModel; here the window shows their result and
// previews the new selection where the rules call for it.
#include <QListWidget>
#include <QPushButton>

#include "viewer/Clist.h"
#include "viewer/Range.h"
#include "viewer/Vyxu.h"

void TForm6::Button7Click() {
  model_.Revert();
  showGrid();
}

void TForm6::Button6Click() {
  model_.Commit();
  hide();
  if (Form4) Form4->hide();
  // The tray menu lists the committed channels.
  if (Form1) {
    Form1->ClearMenu();
    Form1->FillMenu();
    Form1->ReSet();
  }
}

void TForm6::Button10Click() {
  Button7Click();
  hide();
  if (Form4) Form4->hide();
  if (Form1) Form1->ReSet();
}

void TForm6::Button8Click() {
  if (model_.MoveUp()) showGrid();
}

void TForm6::Button9Click() {
  if (model_.MoveDown()) showGrid();
}

void TForm6::afterAdd(bool added) {
  if (!added) return;
  showGrid();
  StringGrid1Click();
}

void TForm6::Button13Click() {
  if (!Form4) return;
  const NewRowDefaults defaults = Form4->Defaults();
  afterAdd(model_.AddRow(defaults.lowerLimit, defaults));
}

// Nothing without a selected found frequency.
void TForm6::Button2Click() {
  QListWidgetItem* selected = ListBox1->currentItem();
  if (!Form4 || !selected) return;
  afterAdd(model_.AddRow(selected->text().toStdString(), Form4->Defaults()));
}

void TForm6::Button3Click() {
  if (!Form4 || ListBox1->count() == 0) return;
  afterAdd(model_.AddRows(FoundEntries(), Form4->Defaults()));
}

void TForm6::Button1Click() {
  model_.Delete();
  showGrid();
}

void TForm6::Button4Click() {
  model_.DeleteAll();
  showGrid();
}

void TForm6::Button5Click() { ListBox1->clear(); }

void TForm6::setForAll(ChannelValue value) {
  model_.SetForAll(value);
  showGrid();
}

void TForm6::SpeedButton2Click() { setForAll(kVolume); }
void TForm6::SpeedButton3Click() { setForAll(kBrightness); }
void TForm6::SpeedButton4Click() { setForAll(kContrast); }
void TForm6::SpeedButton5Click() { setForAll(kHue); }
void TForm6::SpeedButton6Click() { setForAll(kSaturation); }
