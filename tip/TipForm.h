#pragma once
// The daily tip window: one tip of the lore table at a time, paged backwards
// and forwards with wrap-around; remembers the tip shown last and whether it
// opens at start-up.
#include <memory>

#include "toolkit/Form.h"

class QLabel;

namespace data {
class TADOQuery;
class TDataSource;
}
namespace styled {
class TFlatPanel;
class TFlatSpeedButton;
}
namespace toolkit {
class TButton;
class TCheckBox;
class TDBMemo;
class TDBText;
}

namespace tip {

class TForm2 : public toolkit::TForm {
  Q_OBJECT

 public:
  TForm2();
  ~TForm2() override;

  styled::TFlatPanel* FlatPanel1 = nullptr;
  QLabel* Image1 = nullptr;
  toolkit::TDBText* DBText1 = nullptr;
  styled::TFlatSpeedButton* FlatSpeedButton1 = nullptr;  // 上一贴
  styled::TFlatSpeedButton* FlatSpeedButton2 = nullptr;  // 下一贴
  toolkit::TDBMemo* DBMemo1 = nullptr;
  toolkit::TCheckBox* CheckBox1 = nullptr;
  toolkit::TButton* Button1 = nullptr;  // 退出
  data::TADOQuery* ADOQuery1() const { return ADOQuery1_.get(); }

  void FormCreate();
  void FormShow();
  void FlatSpeedButton1Click();
  void FlatSpeedButton2Click();
  void Button1Click();
  void FormClose(toolkit::TCloseAction& action);

 private:
  std::unique_ptr<data::TADOQuery> ADOQuery1_;
  std::unique_ptr<data::TDataSource> DataSource1_;
};

}  // namespace tip
