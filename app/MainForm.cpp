#include "app/MainForm.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QEvent>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPoint>
#include <QTimer>

#include "app/ColumnSort.h"
#include "app/GlyphWarmup.h"
#include "app/Maker.h"
#include "app/Queries.h"
#include "app/reading/ReadingExtras.h"
#include "app/SkinOption.h"
#include "controls/outbar/OutBar.h"
#include "controls/outbar/OutBarGroup.h"
#include "controls/outbar/OutBarVertListView.h"
#include "controls/outbar/VertListItem.h"
#include "controls/styled/FlatHint.h"
#include "controls/styled/FlatSpeedButton.h"
#include "controls/styled/QexButton.h"
#include "controls/styled/suiImagePanel.h"
#include "data/Connection.h"
#include "data/Databases.h"
#include "data/Query.h"
#include "platform/Dialogs.h"
#include "platform/Gbk.h"
#include "platform/Picture.h"
#include "platform/Shell.h"
#include "skin/engine/DefaultSkin.h"
#include "skin/engine/SkinData.h"
#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Exception.h"
#include "toolkit/Fonts.h"
#include "toolkit/IniFile.h"
#include "toolkit/Panel.h"
#include "toolkit/SpVoice.h"
#include "toolkit/StatusBar.h"
#include "toolkit/StdCtrls.h"

namespace app {

using toolkit::Dispatch;
using toolkit::MakeFont;
using toolkit::SetAlign;

namespace {

constexpr platform::TColor kMaroon = platform::RGB(128, 0, 0);
// A search works for a stretch (SetSearchStretch), then lets the event loop
// run for the pause before it goes on; the pause outlasts a slice of the
// tables' freeing of cleared rows, so the two never run back to back.
constexpr int kSearchPauseMilliseconds = 4;
const QString kSpeechTag = QStringLiteral("<LANG LANGID=\"804\">");

QString SetupFile() { return toolkit::ProgramFile(QStringLiteral("setup.ini")); }

QImage Picture(const QString& name) { return platform::ReadPicture(QStringLiteral(":/app/") + name); }

// What a table row remembers of the record it was filled from: the result
// set (x) and the record number in it (y), held without an allocation.
QVariant RowOrigin(const data::TADOQuery& q) { return QPoint(q.Generation(), q.RecNo()); }

toolkit::TPanel* MakePanel(QWidget* parent, const char* name, toolkit::TAlign align, int size) {
  auto* p = new toolkit::TPanel(parent);
  p->setObjectName(QString::fromLatin1(name));
  p->resize(size, size);
  SetAlign(p, align);
  return p;
}

}  // namespace

QString CaptionVersion(const QString& caption) { return platform::GbkCopy(caption, 18, 20); }

QString SpeechText(const QString& paneText) {
  return kSpeechTag + QString(paneText).replace(u'.', QStringLiteral("。"));
}

TForm1::TForm1()
    : ADOQuery1_(std::make_unique<data::TADOQuery>(QStringLiteral("ADOQuery1"))),
      ADOQuery2_(std::make_unique<data::TADOQuery>(QStringLiteral("ADOQuery2"))) {
  setObjectName(QStringLiteral("Form1"));
  SetCaption(QStringLiteral("Cinnabarquillpad V2014 build 09.01"));
  SetDesignBounds(172, 20, 906, 704);
  SetPosition(toolkit::poScreenCenter);
  SetWindowState(toolkit::wsMaximized);
  setFont(MakeFont(QStringLiteral("宋体"), 13));
  SetColor(platform::clBtnFace);
  BuildComponents();
  BuildMenu();
  BuildHeader();
  StatusBar1 = new toolkit::TStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->resize(906, 25);
  StatusBar1->AddPanel(250, toolkit::taCenter).Text = QStringLiteral("Kestrelwick");
  StatusBar1->AddPanel(250);
  SetAlign(StatusBar1, toolkit::alBottom);
  BuildBars();
  BuildTables();
  BuildTextArea();
  BuildReading();
  BuildSkin();
  searchTimer_ = new QTimer(this);
  searchTimer_->setSingleShot(true);
  searchTimer_->setInterval(kSearchPauseMilliseconds);
  connect(searchTimer_, &QTimer::timeout, this, [this] { Dispatch(&TForm1::SearchStretch, this); });
  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
}

TForm1::~TForm1() { EndSearch(); }

void TForm1::BuildComponents() {
  FlatHint1 = new styled::TFlatHint(this);
  FlatHint1->SetFont(MakeFont(QStringLiteral("宋体"), 13));
  SpVoice1 = new toolkit::TSpVoice(this);
  SpVoice1->SetConnectKind(toolkit::ckRunningOrNew);
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  const struct {
    QAction** item;
    const char* caption;
    void (TForm1::*handler)();
  } skins[] = {{&MenuItem1, "古色古香", &TForm1::MenuItem1Click}, {&MenuItem2, "海洋之心", &TForm1::MenuItem2Click},
               {&MenuItem3, "金属时代", &TForm1::MenuItem3Click}, {&MenuItem4, "蓝色妖姬", &TForm1::MenuItem4Click},
               {&MenuItem5, "天然淡雅", &TForm1::MenuItem5Click}, {&MenuItem6, "新奇前卫", &TForm1::MenuItem6Click}};
  for (const auto& entry : skins) {
    *entry.item = PopupMenu1->addAction(QString::fromUtf8(entry.caption));
    const auto handler = entry.handler;
    connect(*entry.item, &QAction::triggered, this, [this, handler] { Dispatch(handler, this); });
  }
}

// The skin component as the window's definition configures it; its stored
// skin is loaded as the definition is read, and Loaded() starts the skinning.
void TForm1::BuildSkin() {
  SkinData1 = new skin::TSkinData(this);
  SkinData1->setObjectName(QStringLiteral("SkinData1"));
  SkinData1->BeginReading();
  SkinData1->SetActive(true);
  SkinData1->SetDisableTag(99);
  SkinData1->SetSkinControls(skin::TSkinControlTypes::Default());
  SkinData1->SetOptions(0);
  SkinData1->SetSkinFormtype(skin::sfMainform);
  SkinData1->SetMenuUpdate(true);
  SkinData1->SetMenuMerge(false);
  SkinData1->ReadSkinStream(skin::DefaultSkinStream());
  SkinData1->Loaded();
  // A skin asked for on the command line replaces the stored one before
  // anything is shown (start-up errors included).
  ApplySkinOption(this, QCoreApplication::arguments());
}

void TForm1::BuildMenu() {
  auto add = [this](QMenu* menu, const QString& text, void (TForm1::*handler)()) {
    QAction* a = menu->addAction(text);
    connect(a, &QAction::triggered, this, [this, handler] { Dispatch(handler, this); });
    return a;
  };
  QMenu* functions = Menu()->addMenu(QStringLiteral("功能"));
  N1 = add(functions, QStringLiteral("中国作品"), &TForm1::FlatSpeedButton1Click);
  N2 = add(functions, QStringLiteral("外国作品"), &TForm1::FlatSpeedButton2Click);
  functions->addSeparator();
  N3 = add(functions, QStringLiteral("关闭"), &TForm1::N3Click);
  QMenu* menu = Menu()->addMenu(QStringLiteral("菜单"));
  N5 = add(menu, QStringLiteral("设置界面"), &TForm1::FlatSpeedButton4Click);
  N6 = add(menu, QStringLiteral("每日一贴"), &TForm1::FlatSpeedButton5Click);
  N12 = add(menu, QStringLiteral("语音引擎"), &TForm1::N12Click);
  ReadingMenu = Menu()->addMenu(QStringLiteral("阅读"));
  QMenu* sites = Menu()->addMenu(QStringLiteral("相关网站"));
  N9 = add(sites, QStringLiteral("联系作者"), &TForm1::N9Click);
  N10 = add(sites, QStringLiteral("软件主页"), &TForm1::N10Click);
}

void TForm1::BuildHeader() {
  suiImagePanel1 = new styled::TsuiImagePanel(this);
  suiImagePanel1->setObjectName(QStringLiteral("suiImagePanel1"));
  suiImagePanel1->resize(906, 137);
  suiImagePanel1->SetPicture(Picture(QStringLiteral("banner.jpg")));
  suiImagePanel1->SetDrawStyle(styled::TsuiImagePanel::suiStretch);
  suiImagePanel1->SetTransparent(true);
  suiImagePanel1->SetAutoSize(false);
  SetAlign(suiImagePanel1, toolkit::alTop);

  auto headerButton = [this](const char* name, const QString& caption, const QString& glyph, int left,
                             void (TForm1::*handler)()) {
    auto* b = new styled::TFlatSpeedButton(suiImagePanel1);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(left, 16, 65, 65);
    b->SetCaption(caption);
    b->SetGlyph(Picture(glyph));
    b->SetLayout(styled::blGlyphTop);
    b->SetTransparent(styled::tmAlways);
    b->SetTransBorder(true);
    b->SetColorBorder(16773087);
    b->OnClick = [this, handler] { (this->*handler)(); };
    return b;
  };
  FlatSpeedButton1 = headerButton("FlatSpeedButton1", QStringLiteral("中国作品"), QStringLiteral("china.bmp"), 24,
                                  &TForm1::FlatSpeedButton1Click);
  FlatSpeedButton2 = headerButton("FlatSpeedButton2", QStringLiteral("外国作品"), QStringLiteral("foreign.bmp"), 104,
                                  &TForm1::FlatSpeedButton2Click);
  FlatSpeedButton4 = headerButton("FlatSpeedButton4", QStringLiteral("软件设置"), QStringLiteral("setup.bmp"), 264,
                                  &TForm1::FlatSpeedButton4Click);
  FlatSpeedButton5 = headerButton("FlatSpeedButton5", QStringLiteral("每日一贴"), QStringLiteral("tip.bmp"), 344,
                                  &TForm1::FlatSpeedButton5Click);
  FlatSpeedButton6 = headerButton("FlatSpeedButton6", QStringLiteral("软件升级"), QStringLiteral("upgrade.bmp"), 424,
                                  &TForm1::FlatSpeedButton6Click);

  Panel5 = MakePanel(suiImagePanel1, "Panel5", toolkit::alBottom, 41);
  Panel5->SetBevelOuter(toolkit::bvLowered);
  Panel5->SetColor(16771315);

  ComboBox1 = new toolkit::TComboBox(Panel5);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox1->setGeometry(9, 11, 160, 23);
  ComboBox1->setFont(MakeFont(QStringLiteral("宋体"), 15));
  ComboBox1->SetItemHeight(15);
  for (const char* mode : {"按作品名搜索", "按作者名搜索", "按诗内容搜索"}) ComboBox1->Items().Add(QString::fromUtf8(mode));
  ComboBox1->SetItemIndex(0);

  Edit1 = new toolkit::TEdit(Panel5);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(193, 11, 160, 23);
  Edit1->setFont(MakeFont(QStringLiteral("宋体"), 15));
  Edit1->SetText(QStringLiteral("搜索关键字"));
  Edit1->OnClick = [this] { Edit1Click(); };

  Button1 = new toolkit::TButton(Panel5);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(360, 9, 58, 25);
  Button1->SetCaption(QStringLiteral("搜索"));
  Button1->setFont(MakeFont(QStringLiteral("宋体"), 13));
  Button1->OnClick = [this] { Button1Click(); };
  connect(Edit1, &QLineEdit::returnPressed, Button1, [this] { Button1->Click(); });

  Label2 = new toolkit::TLabel(Panel5);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->move(448, 16);
  Label2->SetCaption(QStringLiteral("诗词"));
  Label2->SetTransparent(true);
  Label2->hide();

  btn1 = new toolkit::TButton(suiImagePanel1);
  btn1->setObjectName(QStringLiteral("btn1"));
  btn1->setGeometry(760, 16, 75, 25);
  btn1->SetCaption(QStringLiteral("点击第一项"));
  btn1->OnClick = [this] { btn1Click(); };
  btn1->hide();
}

void TForm1::BuildBars() {
  Panel3 = MakePanel(this, "Panel3", toolkit::alLeft, 252);
  Panel3->SetBorderStyle(toolkit::bsSingleBorder);

  auto makeBar = [this](const char* bar, const char* group, outbar::TDCOutBar** outBar, outbar::TDCOutBarGroup** outGroup,
                        platform::TColor color, toolkit::TAlign align) {
    auto* b = new outbar::TDCOutBar(Panel3);
    b->setObjectName(QString::fromLatin1(bar));
    b->resize(123, 400);
    b->setFont(MakeFont(QStringLiteral("黑体"), 16));
    b->SetBorderStyle(outbar::bsSingle);
    b->SetCtl3D(true);
    b->SetDragEnabled(true);
    b->SetWrapLineCount(1);
    b->SetHighlightColor(platform::clBtnFace);
    b->SetHighlightFontColor(platform::clBlack);
    b->SetSunkSelected(false);
    b->SetUseDblClick(false);
    outbar::TDCOutBarGroup* g = b->AddGroup();
    g->setObjectName(QString::fromLatin1(group));
    g->SetCaption(QStringLiteral("中国作品"));
    outbar::TDCOutBarVertListView* list = g->ListView();
    list->SetBorderStyle(outbar::bsNone);
    list->SetViewStyle(outbar::vsSmallIcon);
    list->SetItemSpace(12);
    list->SetSelectionType(outbar::stExpanded);
    list->SetHighlightSelection(true);
    list->SetGradientEndColor(platform::clWhite);
    list->SetColor(color);
    list->setFont(MakeFont(QStringLiteral("宋体"), 15));
    list->SetFontColor(platform::clBlack);
    list->SetReadOnly(false);
    SetAlign(b, align);
    *outBar = b;
    *outGroup = g;
    return list;
  };
  DCOutBarVertListView2 = makeBar("DCOutBar2", "DCOutBarGroup2", &DCOutBar2, &DCOutBarGroup2, 16770250, toolkit::alLeft);
  DCOutBarVertListView2->setObjectName(QStringLiteral("DCOutBarVertListView2"));
  DCOutBarVertListView1 = makeBar("DCOutBar1", "DCOutBarGroup1", &DCOutBar1, &DCOutBarGroup1, 16775408, toolkit::alClient);
  DCOutBarVertListView1->setObjectName(QStringLiteral("DCOutBarVertListView1"));
  for (const char* name : {"屈原", "无名氏", "诗经", "项羽"}) DCOutBarVertListView1->AddItem(QString::fromUtf8(name));
  DCOutBarVertListView2->OnButtonClick = [this](QObject* s, outbar::TDCVertListItem* i) {
    DCOutBarVertListView2ButtonClick(s, i);
  };
  DCOutBarVertListView1->OnButtonClick = [this](QObject* s, outbar::TDCVertListItem* i) {
    DCOutBarVertListView1ButtonClick(s, i);
  };
}

void TForm1::BuildTables() {
  Panel1 = MakePanel(this, "Panel1", toolkit::alClient, 400);
  Panel1->SetBorderStyle(toolkit::bsSingleBorder);
  auto makeTable = [this](const char* name, platform::TColor color, const QList<QPair<QString, int>>& columns) {
    auto* t = new toolkit::TListView(Panel1);
    t->setObjectName(QString::fromLatin1(name));
    t->resize(400, 128);
    t->SetColor(color);
    t->setFont(MakeFont(QStringLiteral("楷体"), 16));
    t->SetFlatScrollBars(true);
    t->SetRowSelect(true);
    t->SetMultiSelect(true);
    for (const auto& [caption, width] : columns) t->Columns().Add(caption, width);
    SetAlign(t, toolkit::alTop);
    return t;
  };
  ListView2 = makeTable("ListView2", 16776699,
                        {{QStringLiteral("作者姓名"), 190}, {QStringLiteral("生卒年月"), 220}, {QStringLiteral("作品篇数"), 120}});
  ListView2->hide();
  ListView1 = makeTable("ListView1", platform::clWindow,
                        {{QStringLiteral("标题"), 220}, {QStringLiteral("格式"), 90}, {QStringLiteral("首句"), 220}});
  ListView2->OnChange = [this](toolkit::TListItem* i, toolkit::TItemChange c) { ListView2Change(i, c); };
  ListView2->OnClick = [this] { ListView2Click(); };
  ListView2->OnColumnClick = [this](int c) { ListView2ColumnClick(c); };
  ListView1->OnChange = [this](toolkit::TListItem* i, toolkit::TItemChange c) { ListView1Change(i, c); };
  ListView1->OnClick = [this] { ListView1Click(); };
  ListView1->OnColumnClick = [this](int c) { ListView1ColumnClick(c); };
}

void TForm1::BuildTextArea() {
  Panel2 = MakePanel(Panel1, "Panel2", toolkit::alClient, 400);
  Panel2->SetBorderStyle(toolkit::bsSingleBorder);

  Panel4 = MakePanel(Panel2, "Panel4", toolkit::alTop, 32);
  Panel4->SetBorderStyle(toolkit::bsSingleBorder);
  Panel4->SetAlignment(toolkit::taLeftJustify);
  Panel4->setFont(MakeFont(QStringLiteral("宋体"), 13));
  Panel4->SetFontColor(kMaroon);
  Panel4->SetCaption(QString());

  Label1 = new toolkit::TLabel(Panel4);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->move(456, 8);
  Label1->setFont(Panel4->font());
  Label1->SetFontColor(kMaroon);
  Label1->SetTransparent(true);
  Label1->SetAutoSize(true);
  Label1->SetCaption(QStringLiteral("诗词"));
  Label1->setMouseTracking(true);
  Label1->OnMouseMove = [this](Qt::KeyboardModifiers s, int x, int y) { Label1MouseMove(s, x, y); };
  // A long title is cut with an ellipsis a few pixels before the form label
  // instead of running under it.
  Panel4->SetCaptionRight(Label1->x() - 8);

  pnl1 = MakePanel(Panel2, "pnl1", toolkit::alBottom, 32);
  pnl1->SetBorderStyle(toolkit::bsSingleBorder);
  pnl1->setFont(MakeFont(QStringLiteral("宋体"), 15));
  pnl1->SetFontColor(kMaroon);

  Memo1 = new toolkit::TMemo(Panel2);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setFont(MakeFont(QStringLiteral("楷体"), 16));
  Memo1->SetScrollBars(toolkit::ssVertical);
  Memo1->Lines().Add(QStringLiteral("选择相应的朝代或者作者进入。"));
  SetAlign(Memo1, toolkit::alClient);
  pane_ = std::make_unique<TextPane>(Memo1);

  const struct {
    styled::TQexButton** button;
    const char* name;
    const char* caption;
    const char* glyph;
    void (TForm1::*handler)();
  } speech[] = {{&qexbtn1, "qexbtn1", "朗读", "speak.bmp", &TForm1::qexbtn1Click},
                {&qexbtn2, "qexbtn2", "暂停", "pause.bmp", &TForm1::qexbtn2Click},
                {&qexbtn3, "qexbtn3", "继续", "resume.bmp", &TForm1::qexbtn3Click},
                {&qexbtn4, "qexbtn4", "停止", "stop.bmp", &TForm1::qexbtn4Click}};
  int left = 16;
  for (const auto& s : speech) {
    auto* b = new styled::TQexButton(pnl1);
    b->setObjectName(QString::fromLatin1(s.name));
    b->setGeometry(left, 6, 57, 18);
    b->setFont(pnl1->font());
    b->SetFontColor(kMaroon);
    b->SetCaption(QString::fromUtf8(s.caption));
    b->SetGlyph(Picture(QString::fromLatin1(s.glyph)));
    b->SetButtonStyle(styled::TQexButton::stNone);
    b->SetRepeatStartInterval(50);
    b->SetRepeatInterval(50);
    b->SetCursorHandCustom(true);
    const auto handler = s.handler;
    b->OnClick = [this, handler] { (this->*handler)(); };
    *s.button = b;
    left += 64;
  }
}

void TForm1::BuildReading() {
  reading::ReadingTargets t;
  t.window = this;
  t.menu = ReadingMenu;
  t.poemTable = ListView1;
  t.authorTable = ListView2;
  t.eraBar = DCOutBar2;
  t.authorBar = DCOutBar1;
  t.eraList = DCOutBarVertListView2;
  t.authorList = DCOutBarVertListView1;
  t.infoBar = Panel4;
  t.formLabel = Label1;
  t.textPane = Memo1;
  t.hint = FlatHint1;
  t.poetry = ADOQuery1_.get();
  reading_ = std::make_unique<reading::ReadingExtras>(t);
}

// ---- start-up and close -------------------------------------------------

void TForm1::FormCreate() {
  StatusBar1->SetPanelText(1, QStringLiteral("     WEB: ") + kMakerWebAddress + QStringLiteral("     EMAIL: ") +
                                  kMakerMailAddress + QStringLiteral("     QQ: ") + kMakerQQNumber +
                                  QStringLiteral("     VERSION: ") + CaptionVersion(Caption()));
  toolkit::TheApplication().SetHintHidePause(100000);
  ADOQuery1_->SetConnectionString(data::MakeConnectionString(data::kPoetryDbFile, data::kPoetryDbPassword));
  ADOQuery2_->SetConnectionString(data::MakeConnectionString(data::kFormatDbFile, data::kFormatDbPassword));
  ADOQuery2_->SetSQL(QStringLiteral("select * from format"));
  ADOQuery2_->Open();
  FlatSpeedButton1->Click();
  // Every author's name may come up in the author bar: its characters are
  // looked up in the bar's fonts once the window shows, not at the first era.
  const QString connection = ADOQuery1_->ConnectionString();
  warmup_ = new GlyphWarmup(DCOutBarVertListView1, [connection] {
    data::TADOQuery names(QStringLiteral("AuthorNames"));
    names.SetConnectionString(connection);
    names.SetSQL(QStringLiteral("select authorname from author"));
    QString text;
    try {
      names.Open();
      for (; !names.Eof(); names.Next()) text += names.Fields(0).AsString();
    } catch (const toolkit::Exception&) {
      // Nothing is warmed; the reader's own choice of an era reports the fault.
    }
    return text;
  });
}

void TForm1::FormShow() {
  const toolkit::IniFile ini(SetupFile());
  if (!ini.ReadBool(QStringLiteral("tip"), QStringLiteral("tip"), false)) return;
  // Shown once the main window is on the screen, so that the tip window lies on top of it.
  QTimer::singleShot(0, this, [this] { Dispatch(&TForm1::FlatSpeedButton5Click, this); });
}

void TForm1::N3Click() { Close(); }

// ---- collections and eras -----------------------------------------------

void TForm1::ChooseCollection(const Collection& collection) {
  FinishSearch();
  DCOutBarVertListView2->ClearItems();
  DCOutBarGroup2->SetCaption(collection.caption);
  for (const QString& era : ReadEraNames(SetupFile(), collection)) DCOutBarVertListView2->AddItem(era);
  btn1->Click();
}

void TForm1::FlatSpeedButton1Click() { ChooseCollection(ChineseWorks()); }

void TForm1::FlatSpeedButton2Click() { ChooseCollection(ForeignWorks()); }

void TForm1::btn1Click() {
  FinishSearch();
  // An empty era list has no first era: the author lists are cleared and stay empty.
  outbar::TDCVertListItem* first = DCOutBarVertListView2->Item(0);
  if (!first) {
    ListView1->hide();
    ListView2->show();
    DCOutBarVertListView1->ClearItems();
    ListView2->Items().Clear();
    return;
  }
  FillEra(first->Caption());
}

void TForm1::DCOutBarVertListView2ButtonClick(QObject*, outbar::TDCVertListItem*) {
  const int index = DCOutBarVertListView2->ItemIndex();
  if (index < 0) return;
  FillEra(DCOutBarVertListView2->Item(index)->Caption());
}

void TForm1::FillEra(const QString& era) {
  FinishSearch();
  ListView1->hide();
  ListView2->show();
  DCOutBarVertListView1->ClearItems();
  ListView2->Items().Clear();
  DCOutBarGroup1->SetCaption(era);
  const Statement s = EraAuthorsQuery(DCOutBarGroup1->Caption());
  ADOQuery1_->SetSQL(s.sql);
  ADOQuery1_->SetParams(s.params);
  ADOQuery1_->Open();
  while (!ADOQuery1_->Eof()) {
    DCOutBarVertListView1->AddItem(ADOQuery1_->Fields(0).AsString());
    AddAuthorRow();
    ADOQuery1_->Next();
  }
  DCOutBarVertListView1->update();
  DCOutBarVertListView2->update();
}

void TForm1::AddAuthorRow() {
  toolkit::TListItem* row = ListView2->Items().Add();
  row->SetData(RowOrigin(*ADOQuery1_));
  row->SetCaption(ADOQuery1_->FieldByName(QStringLiteral("authorname")).AsString());
  row->SubItems().Add(ADOQuery1_->FieldByName(QStringLiteral("authoryear")).AsString());
  row->SubItems().Add(QString::number(ADOQuery1_->FieldByName(QStringLiteral("poetryTotal")).AsInteger()) +
                      QStringLiteral(" 篇"));
}

void TForm1::AddPoemRow() {
  toolkit::TListItem* row = ListView1->Items().Add();
  row->SetData(RowOrigin(*ADOQuery1_));
  row->SetCaption(ADOQuery1_->FieldByName(QStringLiteral("title")).AsString());
  row->SubItems().Add(ADOQuery1_->FieldByName(QStringLiteral("formatName")).AsString());
  row->SubItems().Add(ADOQuery1_->FieldByName(QStringLiteral("head")).AsString());
}

// ---- authors, poems and text --------------------------------------------

void TForm1::DCOutBarVertListView1ButtonClick(QObject*, outbar::TDCVertListItem*) {
  FinishSearch();
  ListView2->hide();
  ListView1->show();
  ListView1->Items().Clear();
  TextPane::Refill pane(*pane_);
  auto current = [this] {
    const int index = DCOutBarVertListView1->ItemIndex();
    return index >= 0 ? DCOutBarVertListView1->Item(index)->Caption() : QString();
  };
  Statement s = AuthorQuery(current());
  ADOQuery1_->SetSQL(s.sql);
  ADOQuery1_->SetParams(s.params);
  ADOQuery1_->Open();
  ShowAuthorRow(pane);
  s = AuthorPoemsQuery(current());
  ADOQuery1_->SetSQL(s.sql);
  ADOQuery1_->SetParams(s.params);
  ADOQuery1_->Open();
  while (!ADOQuery1_->Eof()) {
    AddPoemRow();
    ADOQuery1_->Next();
  }
}

void TForm1::ShowAuthorRow(TextPane::Refill& pane) {
  Panel4->SetCaption(QStringLiteral(" 作家姓名：") + ADOQuery1_->FieldByName(QStringLiteral("authorname")).AsString() +
                     QStringLiteral("   生卒时间：") + ADOQuery1_->FieldByName(QStringLiteral("authoryear")).AsString());
  pane.Show(ADOQuery1_->FieldByName(QStringLiteral("content")).AsString());
  reading_->TextShown();
}

void TForm1::GoToRow(toolkit::TListItem* row, const QString& keyField, const QString& key) {
  const QVariant data = row->Data();
  if (data.typeId() == QMetaType::QPoint && ADOQuery1_->Active() && data.toPoint().x() == ADOQuery1_->Generation()) {
    ADOQuery1_->SetRecNo(data.toPoint().y());
    return;
  }
  ADOQuery1_->Locate(keyField, key);
}

// The rows a search adds report their captions while a row chosen meanwhile
// may be selected: those reports leave the shown row and the cursor as they
// are, as they did when the rows came in before any choice could be made.
void TForm1::ListView2Change(toolkit::TListItem*, toolkit::TItemChange change) {
  if (change == toolkit::ctText && searchStepping_) return;
  ListView2Click();
}

void TForm1::ListView2Click() {
  // Rows of the last result can be chosen while a new search is still
  // fetching: that search ends first, as if the choice had come after it.
  if (ADOQuery1_->Opening()) FinishSearch();
  toolkit::TListItem* row = ListView2->Selected();
  if (!row) return;
  TextPane::Refill pane(*pane_);
  GoToRow(row, QStringLiteral("authorname"), row->Caption());
  ShowAuthorRow(pane);
}

void TForm1::ShowPoemRow(bool withFormLabel) {
  if (ADOQuery1_->Opening()) FinishSearch();
  toolkit::TListItem* row = ListView1->Selected();
  if (!row) return;
  TextPane::Refill pane(*pane_);
  GoToRow(row, QStringLiteral("head"), row->SubItems().Strings(1));
  Panel4->SetCaption(QStringLiteral(" 作品名称：") + ADOQuery1_->FieldByName(QStringLiteral("title")).AsString() +
                     QStringLiteral("   作家：") + ADOQuery1_->FieldByName(QStringLiteral("authorname")).AsString());
  if (withFormLabel) {
    const QString form = ADOQuery1_->FieldByName(QStringLiteral("formatname")).AsString();
    Label1->SetCaption(QStringLiteral("什么是： ") + form + QStringLiteral(" ？"));
    Label2->SetCaption(form);
  }
  pane.Show(ADOQuery1_->FieldByName(QStringLiteral("content")).AsString());
  reading_->TextShown();
}

void TForm1::ListView1Click() { ShowPoemRow(false); }

void TForm1::ListView1Change(toolkit::TListItem*, toolkit::TItemChange change) {
  if (change == toolkit::ctText && searchStepping_) return;
  ShowPoemRow(true);
}

void TForm1::Label1MouseMove(Qt::KeyboardModifiers, int, int) {
  ADOQuery2_->Locate(QStringLiteral("formatname"), Label2->Caption());
  Label1->SetHint(ADOQuery2_->FieldByName(QStringLiteral("content")).AsString());
  Label1->SetFontColor(platform::clRed);
}

// ---- sorting ------------------------------------------------------------

int TForm1::ColumnSortCompare(toolkit::TListItem* item1, toolkit::TListItem* item2, int column) const {
  // During a sort the rows' keys are ready, by the positions the rows had before it.
  const int c = sortKeys_ && column == sortColumn_
                    ? sortKeys_->Compare(item1->Index(), item2->Index())
                    : CompareColumnTexts(item1->ColumnText(column), item2->ColumnText(column));
  return SortAscending ? c : -c;
}

void TForm1::SortTable(toolkit::TListView* table, int column) {
  FinishSearch();
  // Each row's text becomes its key once per sort, not once per comparison.
  const toolkit::TListItems& rows = table->Items();
  const ColumnSortKeys keys(rows.Count(), [&](qsizetype i) { return rows.Item(static_cast<int>(i))->ColumnText(column); });
  sortKeys_ = &keys;
  sortColumn_ = column;
  struct Done {
    const ColumnSortKeys*& keys;
    ~Done() { keys = nullptr; }
  } done{sortKeys_};
  table->CustomSort([this](toolkit::TListItem* a, toolkit::TListItem* b, qintptr n) {
    return ColumnSortCompare(a, b, static_cast<int>(n));
  }, column);
  SortAscending = !SortAscending;
}

void TForm1::ListView1ColumnClick(int column) { SortTable(ListView1, column); }

void TForm1::ListView2ColumnClick(int column) { SortTable(ListView2, column); }

// ---- search -------------------------------------------------------------

void TForm1::Edit1Click() { Edit1->clear(); }

// What a search has still to do: fetch its rows, then show the message and
// fill the table from the record `nextRow` on.
struct TForm1::PendingSearch {
  QString keyword;
  int mode = 0;
  bool filling = false;
  int nextRow = 1;
  // Where a handler run between the stretches left the cursor (0: nowhere).
  int leftAt = 0;
};

void TForm1::Button1Click() {
  FinishSearch();
  const QString keyword = Edit1->text();
  if (keyword.isEmpty()) return;
  const int mode = ComboBox1->ItemIndex();
  if (mode < 0 || mode > 2) return;
  ADOQuery1_->SetSQL(QString());
  const Statement s =
      SearchQuery(static_cast<SearchMode>(mode), reading_->StoredKeyword(keyword),
                  ADOQuery1_->HasTable(data::kPoetrySearchIndex));
  ADOQuery1_->SetSQL(s.sql);
  ADOQuery1_->SetParams(s.params);
  search_ = std::make_unique<PendingSearch>();
  search_->keyword = keyword;
  search_->mode = mode;
  SearchStretch();
}

void TForm1::SearchStretch() {
  if (!search_ || searchStepping_) return;
  bool ended = true;
  {
    searchStepping_ = true;
    struct Done {
      TForm1& form;
      bool& ended;
      ~Done() {
        form.searchStepping_ = false;
        if (ended) form.EndSearch();
      }
    } done{*this, ended};
    ended = StepSearch(QDeadlineTimer(searchStretch_));
  }
  if (ended) return;
  // Every event passes the application's filters first, the skin's handling of
  // the tables included.
  if (!searchFiltering_) qApp->installEventFilter(this), searchFiltering_ = true;
  searchTimer_->start();
}

void TForm1::EndSearch() {
  search_.reset();
  searchTimer_->stop();
  if (searchFiltering_) qApp->removeEventFilter(this), searchFiltering_ = false;
}

void TForm1::FinishSearch() {
  if (!search_ || searchStepping_) return;
  searchTimer_->stop();
  searchStepping_ = true;
  struct Done {
    TForm1& form;
    ~Done() {
      form.searchStepping_ = false;
      form.EndSearch();
    }
  } done{*this};
  StepSearch(QDeadlineTimer(QDeadlineTimer::Forever));
}

bool TForm1::StepSearch(const QDeadlineTimer& deadline) {
  PendingSearch& run = *search_;
  platform::Dialogs& dialogs = platform::CurrentDialogs();
  if (!run.filling) {
    // A fetch going on on its own thread is looked at, not waited for, between
    // the pauses: waiting would keep the window from the reader meanwhile.
    const bool onItsThread = ADOQuery1_->Opening() && !deadline.isForever();
    if (!ADOQuery1_->OpenUntil(onItsThread ? QDeadlineTimer(0) : deadline)) return false;
    if (ADOQuery1_->RecordCount() == 0) {
      dialogs.MessageDlg(QStringLiteral("没有找到符合条件的记录"), platform::DialogKind::Information, platform::DialogButtons::Ok);
      return true;
    }
    const QString found = QStringLiteral("共找到") + QString::number(ADOQuery1_->RecordCount()) +
                          QStringLiteral("条记录含有：\r\n") + run.keyword;
    toolkit::TListView* shown = run.mode == 1 ? ListView2 : ListView1;
    toolkit::TListView* hidden = run.mode == 1 ? ListView1 : ListView2;
    shown->show();
    hidden->hide();
    dialogs.MessageDlg(found, platform::DialogKind::Information, platform::DialogButtons::Ok);
    shown->Items().Clear();
    if (run.mode == 1) DCOutBarVertListView1->ClearItems();
    run.filling = true;
  } else if (ADOQuery1_->RecNo() != run.nextRow) {
    // A row was chosen since the last stretch: the fill goes on from its own record.
    run.leftAt = ADOQuery1_->RecNo();
    ADOQuery1_->SetRecNo(run.nextRow);
  }
  // The clock is read every few dozen rows: reading it costs more than a row.
  for (unsigned n = 1; !ADOQuery1_->Eof(); ++n) {
    if (n % 64 == 0 && deadline.hasExpired()) {
      run.nextRow = ADOQuery1_->RecNo();
      return false;
    }
    if (run.mode == 1) {
      DCOutBarVertListView1->AddItem(ADOQuery1_->FieldByName(QStringLiteral("authorname")).AsString());
      AddAuthorRow();
    } else {
      AddPoemRow();
    }
    ADOQuery1_->Next();
  }
  // The cursor stands where the last choice left it, as had the choice come after the search.
  if (run.leftAt > 0) ADOQuery1_->SetRecNo(run.leftAt);
  return true;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (search_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
      (watched == ListView1 || watched == ListView2 || watched == ListView1->viewport() || watched == ListView2->viewport()))
    Dispatch(&TForm1::FinishSearch, this);
  return toolkit::TForm::eventFilter(watched, event);
}

// ---- read-aloud ---------------------------------------------------------

void TForm1::qexbtn1Click() {
  SpVoice1->SetRate(0);
  SpVoice1->Speak(SpeechText(Memo1->Lines().Text()), 1);
}

void TForm1::qexbtn2Click() { SpVoice1->Pause(); }

void TForm1::qexbtn3Click() { SpVoice1->Resume(); }

void TForm1::qexbtn4Click() { SpVoice1->Disconnect(); }

// ---- skin menu, daily tip, links ----------------------------------------

void TForm1::FlatSpeedButton4Click() { PopupMenu1->exec(QCursor::pos()); }

void TForm1::ChooseSkin(int n) {
  SkinData1->SetSkinFile(toolkit::ProgramFile(QStringLiteral("skins/%1.skn").arg(n)));
}

void TForm1::MenuItem1Click() { ChooseSkin(1); }
void TForm1::MenuItem2Click() { ChooseSkin(2); }
void TForm1::MenuItem3Click() { ChooseSkin(3); }
void TForm1::MenuItem4Click() { ChooseSkin(4); }
void TForm1::MenuItem5Click() { ChooseSkin(5); }
void TForm1::MenuItem6Click() { ChooseSkin(6); }

void TForm1::FlatSpeedButton5Click() {
  if (!Form2) return;
  Form2->Show();
}

void TForm1::AskThenOpen(const QString& prompt, platform::DialogKind kind, const QString& verb, const QString& target) {
  if (platform::CurrentDialogs().MessageDlg(prompt, kind, platform::DialogButtons::YesNo) == platform::mrYes)
    platform::CurrentShell().Open(this, verb, target);
}

void TForm1::FlatSpeedButton6Click() {
  AskThenOpen(QStringLiteral("访问Kestrelwick网站？\r\r下载更多更新精彩？"), platform::DialogKind::Information,
              QStringLiteral("open"), kMakerWebAddress);
}

void TForm1::N10Click() {
  AskThenOpen(QStringLiteral("访问软件主页？\r\r及时查看软件可用升级版本？"), platform::DialogKind::Information,
              QStringLiteral("open"), kMakerWebAddress);
}

void TForm1::N9Click() {
  AskThenOpen(QStringLiteral("联系软件作者？\r\r1、反馈软件使用体会、看法、疑问、意见。\r2、咨询软件升级事宜。"),
              platform::DialogKind::Information, QString(),
              QStringLiteral("mailto:") + kMakerMailAddress + QStringLiteral("?subject=联系〖Cinnabarquillpad〗作者"));
}

void TForm1::N12Click() {
  AskThenOpen(QStringLiteral("是否确认？\r\n\r\n如果没有听到发音，请安装语音引擎"), platform::DialogKind::Confirmation,
              QStringLiteral("open"), toolkit::ProgramFile(QStringLiteral("TTS5.MSI")));
}

}  // namespace app
