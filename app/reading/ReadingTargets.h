#pragma once
// The main window's parts the reading extras work on. The extras only change
// how these show their texts, and read the poetry cursor; they never move it.
#include <QList>
#include <QString>

class QMenu;
class QWidget;

namespace data {
class TADOQuery;
}
namespace outbar {
class TCustomDCGroupBar;
class TDCVertListView;
}
namespace styled {
class TFlatHint;
class TFlatSpeedButton;
}
namespace toolkit {
class TLabel;
class TListView;
class TMemo;
class TPanel;
}

namespace reading {

struct ReadingTargets {
  QWidget* window = nullptr;  // owner of the reading window and the dialogs
  QMenu* menu = nullptr;      // the "阅读" menu, filled by the extras
  toolkit::TListView* poemTable = nullptr;
  toolkit::TListView* authorTable = nullptr;
  outbar::TCustomDCGroupBar* eraBar = nullptr;
  outbar::TCustomDCGroupBar* authorBar = nullptr;
  outbar::TDCVertListView* eraList = nullptr;
  outbar::TDCVertListView* authorList = nullptr;
  toolkit::TPanel* infoBar = nullptr;
  toolkit::TLabel* formLabel = nullptr;
  toolkit::TMemo* textPane = nullptr;
  styled::TFlatHint* hint = nullptr;
  data::TADOQuery* poetry = nullptr;  // the poetry cursor
  QList<styled::TFlatSpeedButton*> headerButtons;  // their captions
  // The daily tip window's title and text, made after the main window.
  toolkit::TLabel* tipTitle = nullptr;
  toolkit::TMemo* tipText = nullptr;
};

}  // namespace reading
