// TForm4, the frequency scan dialog: the range and step, the signal detector, whether the sound
// is off while scanning, and the defaults the channel list gives to new rows. "Далее" checks the
// range and starts the scan (StartScan, VyxuScan.h), whose steps run on the panel's Timer2.
#pragma once

#include <QWidget>

#include <array>

#include "gui/CustomLabel.h"
#include "viewer/ClistModel.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QScrollBar;

namespace gui {
class TCustomEdit;
}

// The hot keys' hook protocol of the text fields of the scan dialog and the channel list: entering
// one removes the hook, leaving it installs the hook again.
void TextFieldEntered();
void TextFieldLeft();

// The text fields of the scan dialog and the channel list in the panel's display colours.
void SetFieldLook(gui::TCustomEdit* field);
// A label of those two windows at (x, y) in the panel's ink; the text is written as UTF-8.
gui::TCustomLabel* DialogLabel(QWidget* parent, const char* name, int x, int y, const char* utf8);

// The detectors, by RadioGroup1's item index.
enum ScanDetector : int { kDetectPicture = 0, kDetectVideo = 1, kDetectAfc = 2 };

class TForm4 : public QWidget {
public:
  explicit TForm4(QWidget* owner = nullptr);

  // "Далее": stores the range read from Edit1..Edit3 and, when it passes ScanRangeAccepted,
  // previews the default standard and picture values, hides the dialog and the panel, and starts
  // the scan. A refused range changes nothing else; the dialog stays.
  void Button1Click();
  // "Отмена".
  void Button2Click();
  // Brings the dialog to the front.
  void FormShow();
  void FormCreate() {}
  void FormHide() {}
  // The range fields follow the hot keys' hook protocol of text fields.
  void Edit1Enter() { TextFieldEntered(); }
  void Edit2Enter() { TextFieldEntered(); }
  void Edit3Enter() { TextFieldEntered(); }
  void Edit1Exit() { TextFieldLeft(); }
  void Edit2Exit() { TextFieldLeft(); }
  void Edit3Exit() { TextFieldLeft(); }

  // RadioGroup1's item index: the detector the scan uses.
  int DetectorIndex() const;
  void SetDetectorIndex(int index);
  // The values new rows of the channel list get.
  NewRowDefaults Defaults() const;

  // --- Components (RangeLayout.cpp)
  gui::TCustomLabel* Label4;   // "Выбор диапазона (Mhz)"
  gui::TCustomLabel* Label1;   // "От"
  gui::TCustomLabel* Label2;   // "До"
  gui::TCustomLabel* Label3;   // "Шаг"
  gui::TCustomEdit* Edit1;     // lower limit
  gui::TCustomEdit* Edit2;     // upper limit
  gui::TCustomEdit* Edit3;     // step
  gui::TCustomLabel* Label5;   // "Система по умолчанию"
  QComboBox* ComboBox1;        // standard of the preview and of new rows; index = standard
  gui::TCustomLabel* Label7;   // volume
  gui::TCustomLabel* Label8;   // brightness
  gui::TCustomLabel* Label9;   // contrast
  gui::TCustomLabel* Label10;  // hue
  gui::TCustomLabel* Label11;  // saturation
  QScrollBar* ScrollBar1;      // volume of new rows
  QScrollBar* ScrollBar2;      // brightness
  QScrollBar* ScrollBar3;      // contrast
  QScrollBar* ScrollBar4;      // hue
  QScrollBar* ScrollBar5;      // saturation
  gui::TCustomLabel* Label6;   // "Комментарий по умолчанию", out of view
  gui::TCustomEdit* Edit4;     // name of new rows, out of view
  QCheckBox* CheckBox1;        // sound off while scanning
  QGroupBox* RadioGroup1;      // "Определять по"
  QPushButton* Button1;        // "Далее"
  QPushButton* Button2;        // "Отмена"

protected:
  void showEvent(QShowEvent* event) override;

private:
  void createRangeFields();
  void createDefaults();
  void createDetector();
  void createButtons();
  void attachHandlers();

  QButtonGroup* detectorItems_ = nullptr;
};

extern TForm4*& Form4;

// The range a scan takes: from >= 0, from < to, to <= 900, step >= 0.01 and from + step <= to.
bool ScanRangeAccepted(double from, double to, double step);

