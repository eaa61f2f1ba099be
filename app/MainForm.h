#pragma once
// The main window: header, search strip, era and author bars, the author and
// poem tables, the info bar, the text pane, the speech bar, menus and status bar.
#include <memory>

#include "toolkit/Form.h"

class QAction;

namespace data {
class TADOQuery;
}
namespace toolkit {
class TStatusBar;
class TPanel;
}

namespace app {

class TForm1 : public toolkit::TForm {
  Q_OBJECT

 public:
  TForm1();
  ~TForm1() override;

  // Components and controls, named as the window's designer named them.
  data::TADOQuery* ADOQuery1() const { return ADOQuery1_.get(); }
  data::TADOQuery* ADOQuery2() const { return ADOQuery2_.get(); }
  toolkit::TStatusBar* StatusBar1 = nullptr;

  // Menu entries.
  QAction* N1 = nullptr;   // 中国作品
  QAction* N2 = nullptr;   // 外国作品
  QAction* N3 = nullptr;   // 关闭
  QAction* N5 = nullptr;   // 设置界面
  QAction* N6 = nullptr;   // 每日一贴
  QAction* N12 = nullptr;  // 语音引擎
  QAction* N9 = nullptr;   // 联系作者
  QAction* N10 = nullptr;  // 软件主页

  // Handlers.
  void FormCreate();
  void FormShow();
  void N3Click();

  // Opens the tip window (the daily tip command); set by the program entry.
  std::function<void()> ShowTipWindow;

 private:
  void BuildMenu();
  void BuildControls();

  std::unique_ptr<data::TADOQuery> ADOQuery1_;
  std::unique_ptr<data::TADOQuery> ADOQuery2_;
};

// The version part of a caption: its GBK bytes from byte 18, at most 20 bytes.
QString CaptionVersion(const QString& caption);

}  // namespace app
