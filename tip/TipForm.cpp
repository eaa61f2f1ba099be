#include "tip/TipForm.h"

#include <QLabel>
#include <QPixmap>

#include "controls/styled/FlatPanel.h"
#include "controls/styled/FlatSpeedButton.h"
#include "data/Connection.h"
#include "data/DataSource.h"
#include "data/Databases.h"
#include "data/Query.h"
#include "platform/Picture.h"
#include "toolkit/DBCtrls.h"
#include "toolkit/Fonts.h"
#include "toolkit/IniFile.h"
#include "toolkit/StdCtrls.h"

namespace tip {

namespace {
toolkit::IniFile Setup() { return toolkit::IniFile(toolkit::ProgramFile(QStringLiteral("setup.ini"))); }
}  // namespace

TForm2::TForm2()
    : ADOQuery1_(std::make_unique<data::TADOQuery>(QStringLiteral("ADOQuery1"))),
      DataSource1_(std::make_unique<data::TDataSource>()) {
  setObjectName(QStringLiteral("Form2"));
  SetCaption(QStringLiteral("每日一贴"));
  setFont(toolkit::MakeFont(QStringLiteral("宋体"), 13));
  SetColor(platform::clBtnFace);
  resize(321, 249);
  SetPosition(toolkit::poDesktopCenter);
  SetBorderStyle(toolkit::bsDialog);

  FlatPanel1 = new styled::TFlatPanel(this);
  FlatPanel1->setObjectName(QStringLiteral("FlatPanel1"));
  FlatPanel1->setGeometry(0, 0, 321, 217);
  FlatPanel1->SetColor(platform::clWhite);
  FlatPanel1->SetTransparent(true);
  toolkit::SetAlign(FlatPanel1, toolkit::alTop);

  Image1 = new QLabel(FlatPanel1);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(10, 11, 27, 36);
  Image1->setAttribute(Qt::WA_TranslucentBackground);
  Image1->setPixmap(QPixmap::fromImage(platform::ReadPicture(QStringLiteral(":/app/tipicon.jpg"))));

  DataSource1_->SetDataSet(ADOQuery1_.get());
  DBText1 = new toolkit::TDBText(FlatPanel1);
  DBText1->setObjectName(QStringLiteral("DBText1"));
  DBText1->move(48, 24);
  DBText1->SetAutoSize(true);
  DBText1->SetTransparent(true);
  DBText1->SetDataField(QStringLiteral("loreTitle"));
  DBText1->SetDataSource(DataSource1_.get());

  auto pageButton = [this](const QString& name, const QString& caption, int left) {
    auto* b = new styled::TFlatSpeedButton(FlatPanel1);
    b->setObjectName(name);
    b->setGeometry(left, 16, 49, 25);
    b->SetCaption(caption);
    b->SetColorFocused(platform::clWhite);
    b->SetColorDown(platform::clWhite);
    b->SetColorBorder(platform::clWhite);
    return b;
  };
  FlatSpeedButton1 = pageButton(QStringLiteral("FlatSpeedButton1"), QStringLiteral("上一贴"), 208);
  FlatSpeedButton2 = pageButton(QStringLiteral("FlatSpeedButton2"), QStringLiteral("下一贴"), 258);
  FlatSpeedButton1->OnClick = [this] { FlatSpeedButton1Click(); };
  FlatSpeedButton2->OnClick = [this] { FlatSpeedButton2Click(); };

  DBMemo1 = new toolkit::TDBMemo(FlatPanel1);
  DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
  DBMemo1->setGeometry(2, 55, 317, 160);
  DBMemo1->SetReadOnly(true);
  DBMemo1->SetScrollBars(toolkit::ssVertical);
  DBMemo1->SetBorderStyle(toolkit::bsEditSingle);
  DBMemo1->SetCtl3D(false);
  DBMemo1->SetDataField(QStringLiteral("content"));
  DBMemo1->SetDataSource(DataSource1_.get());
  toolkit::SetAlign(DBMemo1, toolkit::alBottom);

  CheckBox1 = new toolkit::TCheckBox(this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox1->setGeometry(16, 224, 185, 17);
  CheckBox1->SetCaption(QStringLiteral("程序启动时显示每日一贴？"));

  Button1 = new toolkit::TButton(this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(232, 224, 75, 25);
  Button1->SetCaption(QStringLiteral("退出"));
  Button1->OnClick = [this] { Button1Click(); };

  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
  OnClose = [this](toolkit::TCloseAction& action) { FormClose(action); };
}

TForm2::~TForm2() { DataSource1_->SetDataSet(nullptr); }

void TForm2::FormCreate() {
  ADOQuery1_->SetConnectionString(data::MakeConnectionString(data::kLoreDbFile, data::kLoreDbPassword));
  ADOQuery1_->SetSQL(QStringLiteral("select * from lore"));
  ADOQuery1_->Open();
  const int saved = Setup().ReadInteger(QStringLiteral("tip"), QStringLiteral("count"), 0);
  // A saved position outside the tips (0 for a first run, or a table that has
  // shrunk) opens on the first tip.
  if (saved < 1 || saved > ADOQuery1_->RecordCount()) return;
  ADOQuery1_->SetRecNo(saved);
  FlatSpeedButton2Click();
}

void TForm2::FormShow() {
  // The window opens with the tip's text focused; Tab goes on to the check box
  // and 退出, and round to the paging buttons.
  DBMemo1->setFocus(Qt::OtherFocusReason);
  CheckBox1->SetChecked(Setup().ReadBool(QStringLiteral("tip"), QStringLiteral("tip"), false));
}

void TForm2::FlatSpeedButton2Click() {
  if (ADOQuery1_->Eof()) ADOQuery1_->First();
  else ADOQuery1_->Next();
}

void TForm2::FlatSpeedButton1Click() {
  if (ADOQuery1_->Bof()) ADOQuery1_->Last();
  else ADOQuery1_->Prior();
}

void TForm2::Button1Click() { Close(); }

void TForm2::FormClose(toolkit::TCloseAction&) {
  const toolkit::IniFile ini = Setup();
  ini.WriteBool(QStringLiteral("Tip"), QStringLiteral("tip"), CheckBox1->isChecked());
  // Without tips (the tip file could not be opened) the saved position is kept,
  // so that the window can still be closed.
  if (ADOQuery1_->Active()) ini.WriteInteger(QStringLiteral("tip"), QStringLiteral("count"), ADOQuery1_->RecNo());
}

}  // namespace tip
