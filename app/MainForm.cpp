#include "app/MainForm.h"

#include <QMenu>
#include <QMenuBar>

#include "app/Maker.h"
#include "data/Connection.h"
#include "data/Databases.h"
#include "data/Query.h"
#include "platform/Gbk.h"
#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Fonts.h"
#include "toolkit/IniFile.h"
#include "toolkit/StatusBar.h"

namespace app {

using toolkit::Dispatch;

QString CaptionVersion(const QString& caption) { return platform::GbkCopy(caption, 18, 20); }

TForm1::TForm1()
    : ADOQuery1_(std::make_unique<data::TADOQuery>(QStringLiteral("ADOQuery1"))),
      ADOQuery2_(std::make_unique<data::TADOQuery>(QStringLiteral("ADOQuery2"))) {
  setObjectName(QStringLiteral("Form1"));
  SetCaption(QStringLiteral("Cinnabarquillpad V2014 build 09.01"));
  SetDesignBounds(172, 20, 906, 704);
  SetPosition(toolkit::poScreenCenter);
  SetWindowState(toolkit::wsMaximized);
  setFont(toolkit::MakeFont(QStringLiteral("宋体"), 13));
  SetColor(platform::clBtnFace);
  BuildMenu();
  BuildControls();
  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
}

TForm1::~TForm1() = default;

void TForm1::BuildMenu() {
  auto add = [this](QMenu* menu, const QString& text, void (TForm1::*handler)()) {
    QAction* a = menu->addAction(text);
    if (handler) connect(a, &QAction::triggered, this, [this, handler] { Dispatch(handler, this); });
    return a;
  };
  QMenu* functions = Menu()->addMenu(QStringLiteral("功能"));
  N1 = add(functions, QStringLiteral("中国作品"), nullptr);
  N2 = add(functions, QStringLiteral("外国作品"), nullptr);
  functions->addSeparator();
  N3 = add(functions, QStringLiteral("关闭"), &TForm1::N3Click);
  QMenu* menu = Menu()->addMenu(QStringLiteral("菜单"));
  N5 = add(menu, QStringLiteral("设置界面"), nullptr);
  N6 = add(menu, QStringLiteral("每日一贴"), nullptr);
  N12 = add(menu, QStringLiteral("语音引擎"), nullptr);
  QMenu* sites = Menu()->addMenu(QStringLiteral("相关网站"));
  N9 = add(sites, QStringLiteral("联系作者"), nullptr);
  N10 = add(sites, QStringLiteral("软件主页"), nullptr);
}

void TForm1::BuildControls() {
  StatusBar1 = new toolkit::TStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->resize(906, 25);
  StatusBar1->AddPanel(250, toolkit::taCenter).Text = QStringLiteral("Kestrelwick");
  StatusBar1->AddPanel(250);
  toolkit::SetAlign(StatusBar1, toolkit::alBottom);
}

void TForm1::FormCreate() {
  StatusBar1->SetPanelText(1, QStringLiteral("     WEB: ") + kMakerWebAddress + QStringLiteral("     EMAIL: ") +
                                  kMakerMailAddress + QStringLiteral("     QQ: ") + kMakerQQNumber +
                                  QStringLiteral("     VERSION: ") + CaptionVersion(Caption()));
  toolkit::TheApplication().SetHintHidePause(100000);
  ADOQuery1_->SetConnectionString(data::MakeConnectionString(data::kPoetryDbFile, data::kPoetryDbPassword));
  ADOQuery2_->SetConnectionString(data::MakeConnectionString(data::kFormatDbFile, data::kFormatDbPassword));
  ADOQuery2_->SetSQL(QStringLiteral("select * from format"));
  ADOQuery2_->Open();
}

void TForm1::FormShow() {
  const toolkit::IniFile ini(toolkit::ProgramFile(QStringLiteral("setup.ini")));
  if (ini.ReadBool(QStringLiteral("tip"), QStringLiteral("tip"), false) && ShowTipWindow) ShowTipWindow();
}

void TForm1::N3Click() { Close(); }

}  // namespace app
