// TForm6, the channel list window: a grid of the channels over the working copy EditTable
// (ChannelListModel), the editors of the selected row, the found list of the frequency scan with
// its scan controls, and "Ok", which commits the working copy to the channel table. Every other
// way of hiding the window discards it. Selecting a row or a found frequency tunes the card to it
// (a preview), except while a scan runs.
#pragma once

#include <QWidget>

#include <string>
#include <vector>

#include "gui/CaptionDrag.h"
#include "gui/CustomLabel.h"
#include "gui/Timer.h"
#include "viewer/ClistModel.h"

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTableView;
class QToolButton;
class ChannelGridItems;

namespace gui {
class TCustomEdit;
}
namespace qelprogress {
class QELProgress;
}
namespace rxslider {
class TRxSlider;
}
namespace rxspin {
class TRxSpinEdit;
}

// The system answers as Windows NT 4: the channel list then re-applies the previewed standard.
extern bool& IsNT4;

class TForm6 : public QWidget {
public:
  explicit TForm6(QWidget* owner = nullptr);
  // The grid's view goes first: it reads the model, which the members' destruction ends.
  ~TForm6() override;

  // --- Rows (ClistRows.cpp)
  void Button7Click();   // "Вернуть назад": the working copy reloaded and shown
  void Button6Click();   // "Ok": commit, hide, tray menu rebuilt, channel applied
  void Button10Click();  // "Отмена": revert, hide, channel applied
  void Button8Click();   // "Вверх"
  void Button9Click();   // "Вниз"
  void Button13Click();  // "Добавить": a row at the scan's lower limit
  void Button2Click();   // ">": the selected found frequency as a row
  void Button3Click();   // ">>>": every found frequency as a row
  void Button1Click();   // "Удалить"
  void Button4Click();   // "Удалить все" under the grid
  void Button5Click();   // "Удалить все" under the found list
  void SpeedButton2Click();  // "Set for all": volume
  void SpeedButton3Click();  // brightness
  void SpeedButton4Click();  // contrast
  void SpeedButton5Click();  // hue
  void SpeedButton6Click();  // saturation

  // --- Selection, preview and the editors (ClistPreview.cpp)
  // The grid's row: grid mode, and while visible the row previewed and shown in the editors.
  void StringGrid1Click();
  // A found frequency: found-list mode, previewed with the scan dialog's defaults.
  void ListBox1Click();
  void RxSpinEdit1Change();
  void ScrollBar1Change();
  void Edit2Change();
  void Edit2Exit();
  void ComboBox1Change();
  void RxSlider1Change();
  void RxSlider2Change();
  void RxSlider3Change();
  void RxSlider4Change();
  void RxSlider5Change();
  void Edit1Done();  // Edit1 (never in view): double click, Enter or leaving it
  void FormCreate() {}
  void StringGrid1DblClick() {}
  void Edit2KeyDown() {}

  // --- The window (Clist.cpp)
  void Button12Click();  // "Сканировать": the scan dialog
  void Button11Click();  // "Стоп": enables "Ok" and "Отмена", which ends a running scan
  void FormHide();
  void Panel4Click();
  // Every 300 ms: the NT 4 standard again, the caption bar's colours, the frame.
  void Timer1Timer();

  // The grid's selected row (row 0 is the header). Setting it previews nothing.
  void SetGridRow(int row);
  int GridRow() const;
  // Grid mode (Panel1 framed) or found-list mode (Panel2 framed).
  bool GridMode() const;
  // Appends a found frequency and selects the entry at `selection`, without a preview.
  void AppendFound(const std::string& text, int selection);
  // The found list's entries, in order.
  std::vector<std::string> FoundEntries() const;
  ChannelListModel& Model() { return model_; }

  // --- Components (ClistLayout.cpp)
  QFrame* Panel1;             // frame around the grid: single border in grid mode
  QTableView* StringGrid1;    // shows Model().Grid()
  QFrame* Panel2;             // frame around the found list: single border in found-list mode
  QListWidget* ListBox1;      // found frequencies
  rxspin::TRxSpinEdit* RxSpinEdit1;  // frequency of the selection, 40..900
  QScrollBar* ScrollBar1;     // the same x 100
  gui::TCustomEdit* Edit2;    // name of the selected row
  gui::TCustomEdit* Edit1;    // a second name editor below the window, never in view
  QComboBox* ComboBox1;       // standard; index = standard number
  rxslider::TRxSlider* RxSlider1;  // volume 0..65
  rxslider::TRxSlider* RxSlider2;  // brightness 0..100
  rxslider::TRxSlider* RxSlider3;  // contrast
  rxslider::TRxSlider* RxSlider4;  // hue
  rxslider::TRxSlider* RxSlider5;  // saturation
  QToolButton* SpeedButton2;  // "Set for all" beside each slider
  QToolButton* SpeedButton3;
  QToolButton* SpeedButton4;
  QToolButton* SpeedButton5;
  QToolButton* SpeedButton6;
  gui::TCustomLabel* Label1;  // the scan's frequency
  gui::TCustomLabel* Label2;  // "Громкость"
  gui::TCustomLabel* Label3;  // "Яркость"
  gui::TCustomLabel* Label4;  // "Контраст"
  gui::TCustomLabel* Label5;  // "Теплота"
  gui::TCustomLabel* Label6;  // "Цветность"
  gui::TCustomLabel* Label7;  // "Mhz"
  gui::TCustomLabel* Label8;  // "Система"
  gui::TCustomLabel* Label9;  // "Название"
  QPushButton* Button2;   // ">"
  QPushButton* Button3;   // ">>>"
  QPushButton* Button5;   // "Удалить все" (found list)
  QPushButton* Button8;   // "Вверх"
  QPushButton* Button9;   // "Вниз"
  QPushButton* Button13;  // "Добавить"
  QPushButton* Button1;   // "Удалить"
  QPushButton* Button4;   // "Удалить все"
  QPushButton* Button7;   // "Вернуть назад"
  QPushButton* Button6;   // "Ok"; disabled while a scan runs, so enabling it stops the scan
  QPushButton* Button10;  // "Отмена"
  QPushButton* Button12;  // "Сканировать"
  QPushButton* Button11;  // "Стоп"
  qelprogress::QELProgress* Progress1;
  QLabel* Panel3;  // caption bar "Channels" (drag), right of the window's width
  QLabel* Panel4;  // close box "X"
  gui::TTimer Timer1;

protected:
  void hideEvent(QHideEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // Layout (ClistLayout.cpp).
  void createGrid();
  void createFoundList();
  void createRowButtons();
  void createEditors();
  void createSliders();
  void createScanControls();
  void createCaptionBar();
  void attachHandlers();
  void attachEditorHandlers();

  // The grid widget shows the model again, with its selection.
  void showGrid();
  void setGridMode(bool grid);
  // After an add: the working copy follows, and the new selection is previewed.
  void afterAdd(bool added);
  void setForAll(ChannelValue value);
  // The editors take a row's or a found frequency's values without writing them back.
  void showFrequency(double mhz);
  void showValues(const int32_t (&values)[kChannelValues]);
  void sliderChanged(ChannelValue value);
  // The frame and caption-bar drag.
  void captionMouse(QEvent* event);

  ChannelListModel model_;
  ChannelGridItems* gridItems_ = nullptr;
  // Set while a preview fills the editors: their handlers then leave the row as it is.
  bool previewing_ = false;
  // Set while the window moves the grid's or the found list's selection itself.
  bool selecting_ = false;
  // Set while the scroll bar follows the frequency field, so that it does not set it back.
  bool followingField_ = false;
  bool hiding_ = false;
  gui::CaptionDrag captionDrag_{*this};
};

extern TForm6*& Form6;
