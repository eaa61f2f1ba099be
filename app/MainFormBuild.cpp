// The main window's construction: every control with the place, size,
// colours and fonts the window was designed with, and the handlers bound to it.
// Sizes of aligned controls that their alignment overrides are kept as designed.
#include <QCoreApplication>
#include <QImage>
#include <QIntValidator>
#include <QMenu>
#include <QMenuBar>

#include "app/MainForm.h"
#include "app/SkinContentColours.h"
#include "app/SkinOption.h"
#include "app/anthology/AnthologyExtras.h"
#include "app/reading/ReadingExtras.h"
#include "controls/outbar/OutBar.h"
#include "controls/outbar/OutBarGroup.h"
#include "controls/outbar/OutBarVertListView.h"
#include "controls/outbar/VertListItem.h"
#include "controls/styled/FlatHint.h"
#include "controls/styled/FlatSpeedButton.h"
#include "controls/styled/QexButton.h"
#include "controls/styled/suiImagePanel.h"
#include "data/Query.h"
#include "platform/Picture.h"
#include "skin/engine/DefaultSkin.h"
#include "skin/engine/SkinData.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Fonts.h"
#include "toolkit/IniFile.h"
#include "toolkit/Panel.h"
#include "toolkit/SpVoice.h"
#include "toolkit/StatusBar.h"
#include "toolkit/StdCtrls.h"

namespace app {

using platform::RGB;
using toolkit::Dispatch;
using toolkit::MakeFont;
using toolkit::SetAlign;

namespace {

// ---- the window's design ------------------------------------------------

// Colours.
constexpr platform::TColor kHeaderButtonBorder = RGB(223, 239, 255);
constexpr platform::TColor kSearchStripColor = RGB(243, 232, 255);
constexpr platform::TColor kEraListColor = RGB(202, 228, 255);
constexpr platform::TColor kAuthorListColor = RGB(240, 248, 255);
constexpr platform::TColor kAuthorTableColor = RGB(251, 253, 255);
// The info bar, the form label and the speech bar's captions.
constexpr platform::TColor kNoteColor = platform::clMaroon;

// Fonts.
const QString kSong = QStringLiteral("宋体");
const QString kKai = QStringLiteral("楷体");
const QString kHei = QStringLiteral("黑体");

// The window as designed, before it opens maximised.
constexpr QRect kDesignBounds(172, 20, 906, 704);
// The header and its command buttons, 65×65 in a row at y 16.
constexpr QSize kHeaderSize(906, 137);
constexpr QSize kHeaderButtonSize(65, 65);
constexpr int kHeaderButtonTop = 16;
// The search strip at the header's bottom, and what it holds.
constexpr int kSearchStripHeight = 41;
constexpr QRect kModeBox(9, 11, 160, 23);
constexpr int kModeBoxItemHeight = 15;
constexpr QRect kKeywordBox(193, 11, 160, 23);
constexpr QRect kSearchButton(360, 9, 58, 25);
constexpr QPoint kBareFormLabel(448, 16);
// The line search's place box "第 N 字", after the search button.
constexpr QPoint kPlaceBefore(428, 15);
constexpr QRect kPlaceBox(446, 11, 30, 23);
constexpr QPoint kPlaceAfter(480, 15);
// The never-visible button that shows the first era.
constexpr QRect kFirstEraButton(760, 16, 75, 25);
// The status bar and its two panels.
constexpr QSize kStatusBarSize(906, 25);
constexpr int kStatusPanelWidth = 250;
// The panel of the two bars on the left, and each bar.
constexpr int kBarsPanelWidth = 252;
constexpr QSize kBarSize(123, 400);
constexpr int kBarItemSpace = 12;
// Panels that fill what their parent leaves.
constexpr int kFillingPanelSize = 400;
// Each table at the top of the right-hand area; the poem table's columns for
// poems, and for the lines a line search finds.
constexpr QSize kTableSize(400, 128);
const QList<QPair<QString, int>> kPoemColumns{{QStringLiteral("标题"), 220}, {QStringLiteral("格式"), 90}, {QStringLiteral("首句"), 220}};
const QList<QPair<QString, int>> kLineColumns{{QStringLiteral("诗句"), 300}, {QStringLiteral("标题"), 180}, {QStringLiteral("作者"), 90}};
// The info bar with the form label, and the speech bar.
constexpr int kInfoBarHeight = 32;
constexpr QPoint kFormLabel(456, 8);
// A long info-bar text stops this far before the form label.
constexpr int kFormLabelGap = 8;
constexpr int kSpeechBarHeight = 32;
// The first speech button; the others follow one step to the right each.
constexpr QRect kFirstSpeechButton(16, 6, 57, 18);
constexpr int kSpeechButtonStep = 64;
constexpr int kSpeechRepeatMilliseconds = 50;
// A form with this tag is never skinned.
constexpr int kUnskinnedTag = 99;

// ---- makers ---------------------------------------------------------------

QImage Picture(const QString& name) { return platform::ReadPicture(QStringLiteral(":/app/") + name); }

toolkit::TPanel* MakePanel(QWidget* parent, const char* name, toolkit::TAlign align, int size) {
  auto* p = new toolkit::TPanel(parent);
  p->setObjectName(QString::fromLatin1(name));
  p->resize(size, size);
  SetAlign(p, align);
  return p;
}

// A command button of the header: glyph over caption, drawn over the header
// picture with neither fill nor frame.
styled::TFlatSpeedButton* MakeHeaderButton(QWidget* header, const char* name, const QString& caption, const QString& glyph,
                                           int left) {
  auto* b = new styled::TFlatSpeedButton(header);
  b->setObjectName(QString::fromLatin1(name));
  b->setGeometry(QRect(QPoint(left, kHeaderButtonTop), kHeaderButtonSize));
  b->SetCaption(caption);
  b->SetGlyph(Picture(glyph));
  b->SetLayout(styled::blGlyphTop);
  b->SetTransparent(styled::tmAlways);
  b->SetTransBorder(true);
  b->SetColorBorder(kHeaderButtonBorder);
  return b;
}

// One outlook bar with its only group, whose list fills it.
struct Bar {
  outbar::TDCOutBar* bar;
  outbar::TDCOutBarGroup* group;
  outbar::TDCOutBarVertListView* list;
};

Bar MakeBar(QWidget* parent, const char* bar, const char* group, const char* list, platform::TColor color,
            toolkit::TAlign align) {
  auto* b = new outbar::TDCOutBar(parent);
  b->setObjectName(QString::fromLatin1(bar));
  b->resize(kBarSize);
  b->setFont(MakeFont(kHei, 16));
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
  outbar::TDCOutBarVertListView* l = g->ListView();
  l->SetBorderStyle(outbar::bsNone);
  l->SetViewStyle(outbar::vsSmallIcon);
  l->SetItemSpace(kBarItemSpace);
  l->SetSelectionType(outbar::stExpanded);
  l->SetHighlightSelection(true);
  l->SetGradientEndColor(platform::clWhite);
  l->SetColor(color);
  l->setFont(MakeFont(kSong, 15));
  l->SetFontColor(platform::clBlack);
  l->SetReadOnly(false);
  SetAlign(b, align);
  l->setObjectName(QString::fromLatin1(list));
  return {b, g, l};
}

// A report table at the top of the right-hand area: whole rows, several at a time.
toolkit::TListView* MakeTable(QWidget* parent, const char* name, platform::TColor color,
                              const QList<QPair<QString, int>>& columns) {
  auto* t = new toolkit::TListView(parent);
  t->setObjectName(QString::fromLatin1(name));
  t->resize(kTableSize);
  t->SetColor(color);
  t->setFont(MakeFont(kKai, 16));
  t->SetFlatScrollBars(true);
  t->SetRowSelect(true);
  t->SetMultiSelect(true);
  for (const auto& [caption, width] : columns) t->Columns().Add(caption, width);
  SetAlign(t, toolkit::alTop);
  return t;
}

// A read-aloud button of the speech bar: glyph beside caption, no frame.
styled::TQexButton* MakeSpeechButton(QWidget* bar, const char* name, const char* caption, const char* glyph, int left) {
  auto* b = new styled::TQexButton(bar);
  b->setObjectName(QString::fromLatin1(name));
  b->setGeometry(kFirstSpeechButton.translated(left - kFirstSpeechButton.left(), 0));
  b->setFont(bar->font());
  b->SetFontColor(kNoteColor);
  b->SetCaption(QString::fromUtf8(caption));
  b->SetGlyph(Picture(QString::fromLatin1(glyph)));
  b->SetButtonStyle(styled::TQexButton::stNone);
  b->SetRepeatStartInterval(kSpeechRepeatMilliseconds);
  b->SetRepeatInterval(kSpeechRepeatMilliseconds);
  b->SetCursorHandCustom(true);
  return b;
}

}  // namespace

// ---- the window, top to bottom --------------------------------------------

TForm1::TForm1()
    : ADOQuery1_(std::make_unique<data::TADOQuery>(QStringLiteral("ADOQuery1"))),
      ADOQuery2_(std::make_unique<data::TADOQuery>(QStringLiteral("ADOQuery2"))) {
  setObjectName(QStringLiteral("Form1"));
  SetCaption(QStringLiteral("Cinnabarquillpad V2014 build 09.01"));
  SetDesignBounds(kDesignBounds.left(), kDesignBounds.top(), kDesignBounds.width(), kDesignBounds.height());
  SetPosition(toolkit::poScreenCenter);
  SetWindowState(toolkit::wsMaximized);
  setFont(MakeFont(kSong, 13));
  SetColor(platform::clBtnFace);
  BuildComponents();
  BuildMenu();
  BuildHeader();
  BuildStatusBar();
  BuildBars();
  BuildTables();
  BuildSearch();
  BuildTextArea();
  BuildReading();
  BuildAnthology();
  BuildSkin();
  BuildTabOrder();
  OnCreate = [this] { FormCreate(); };
  OnShow = [this] { FormShow(); };
}

TForm1::~TForm1() = default;

void TForm1::BuildComponents() {
  FlatHint1 = new styled::TFlatHint(this);
  FlatHint1->SetFont(MakeFont(kSong, 13));
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
               {&MenuItem5, "天然淡雅", &TForm1::MenuItem5Click}, {&MenuItem6, "新奇前卫", &TForm1::MenuItem6Click},
               {&MenuItem7, "夜读", &TForm1::MenuItem7Click}};
  for (const auto& entry : skins) {
    *entry.item = PopupMenu1->addAction(QString::fromUtf8(entry.caption));
    const auto handler = entry.handler;
    connect(*entry.item, &QAction::triggered, this, [this, handler] { Dispatch(handler, this); });
  }
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
  AnthologyMenu = Menu()->addMenu(QStringLiteral("收藏"));
  QMenu* sites = Menu()->addMenu(QStringLiteral("相关网站"));
  N9 = add(sites, QStringLiteral("联系作者"), &TForm1::N9Click);
  N10 = add(sites, QStringLiteral("软件主页"), &TForm1::N10Click);
}

void TForm1::BuildHeader() {
  suiImagePanel1 = new styled::TsuiImagePanel(this);
  suiImagePanel1->setObjectName(QStringLiteral("suiImagePanel1"));
  suiImagePanel1->resize(kHeaderSize);
  suiImagePanel1->SetPicture(Picture(QStringLiteral("banner.jpg")));
  suiImagePanel1->SetDrawStyle(styled::TsuiImagePanel::suiStretch);
  suiImagePanel1->SetTransparent(true);
  suiImagePanel1->SetAutoSize(false);
  SetAlign(suiImagePanel1, toolkit::alTop);

  const struct {
    styled::TFlatSpeedButton** button;
    const char* name;
    const char* caption;
    const char* glyph;
    int left;
    void (TForm1::*handler)();
  } buttons[] = {
      {&FlatSpeedButton1, "FlatSpeedButton1", "中国作品", "china.bmp", 24, &TForm1::FlatSpeedButton1Click},
      {&FlatSpeedButton2, "FlatSpeedButton2", "外国作品", "foreign.bmp", 104, &TForm1::FlatSpeedButton2Click},
      {&FlatSpeedButton4, "FlatSpeedButton4", "软件设置", "setup.bmp", 264, &TForm1::FlatSpeedButton4Click},
      {&FlatSpeedButton5, "FlatSpeedButton5", "每日一贴", "tip.bmp", 344, &TForm1::FlatSpeedButton5Click},
      {&FlatSpeedButton6, "FlatSpeedButton6", "软件升级", "upgrade.bmp", 424, &TForm1::FlatSpeedButton6Click}};
  for (const auto& entry : buttons) {
    *entry.button = MakeHeaderButton(suiImagePanel1, entry.name, QString::fromUtf8(entry.caption),
                                     QString::fromLatin1(entry.glyph), entry.left);
    const auto handler = entry.handler;
    (*entry.button)->OnClick = [this, handler] { (this->*handler)(); };
  }
  BuildSearchStrip();

  btn1 = new toolkit::TButton(suiImagePanel1);
  btn1->setObjectName(QStringLiteral("btn1"));
  btn1->setGeometry(kFirstEraButton);
  btn1->SetCaption(QStringLiteral("点击第一项"));
  btn1->OnClick = [this] { btn1Click(); };
  btn1->hide();
}

void TForm1::BuildSearchStrip() {
  Panel5 = MakePanel(suiImagePanel1, "Panel5", toolkit::alBottom, kSearchStripHeight);
  Panel5->SetBevelOuter(toolkit::bvLowered);
  Panel5->SetColor(kSearchStripColor);

  ComboBox1 = new toolkit::TComboBox(Panel5);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox1->setGeometry(kModeBox);
  ComboBox1->setFont(MakeFont(kSong, 15));
  ComboBox1->SetItemHeight(kModeBoxItemHeight);
  for (const char* mode : {"按作品名搜索", "按作者名搜索", "按诗内容搜索", "按诗句搜索"})
    ComboBox1->Items().Add(QString::fromUtf8(mode));
  ComboBox1->SetItemIndex(0);

  Edit1 = new toolkit::TEdit(Panel5);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(kKeywordBox);
  Edit1->setFont(MakeFont(kSong, 15));
  Edit1->SetText(QStringLiteral("搜索关键字"));
  Edit1->OnClick = [this] { Edit1Click(); };

  Button1 = new toolkit::TButton(Panel5);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(kSearchButton);
  Button1->SetCaption(QStringLiteral("搜索"));
  Button1->setFont(MakeFont(kSong, 13));
  Button1->OnClick = [this] { Button1Click(); };
  connect(Edit1, &QLineEdit::returnPressed, Button1, [this] { Button1->Click(); });

  Label2 = new toolkit::TLabel(Panel5);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->move(kBareFormLabel);
  Label2->SetCaption(QStringLiteral("诗词"));
  Label2->SetTransparent(true);
  Label2->hide();
  BuildPlaceBox();
}

void TForm1::BuildPlaceBox() {
  auto label = [this](const char* name, const char* caption, QPoint at) {
    auto* l = new toolkit::TLabel(Panel5);
    l->setObjectName(QString::fromLatin1(name));
    l->move(at);
    l->setFont(MakeFont(kSong, 15));
    l->SetTransparent(true);
    l->SetAutoSize(true);
    l->SetCaption(QString::fromUtf8(caption));
    return l;
  };
  Label3 = label("Label3", "第", kPlaceBefore);
  Edit2 = new toolkit::TEdit(Panel5);
  Edit2->setObjectName(QStringLiteral("Edit2"));
  Edit2->setGeometry(kPlaceBox);
  Edit2->setFont(MakeFont(kSong, 15));
  Edit2->setValidator(new QIntValidator(0, 99, Edit2));
  connect(Edit2, &QLineEdit::returnPressed, Button1, [this] { Button1->Click(); });
  Label4 = label("Label4", "字", kPlaceAfter);
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ShowPlaceBox(); });
  ShowPlaceBox();
}

void TForm1::BuildStatusBar() {
  StatusBar1 = new toolkit::TStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->resize(kStatusBarSize);
  StatusBar1->AddPanel(kStatusPanelWidth, toolkit::taCenter).Text = QStringLiteral("Kestrelwick");
  StatusBar1->AddPanel(kStatusPanelWidth);
  SetAlign(StatusBar1, toolkit::alBottom);
}

void TForm1::BuildBars() {
  Panel3 = MakePanel(this, "Panel3", toolkit::alLeft, kBarsPanelWidth);
  Panel3->SetBorderStyle(toolkit::bsSingleBorder);
  const Bar eras = MakeBar(Panel3, "DCOutBar2", "DCOutBarGroup2", "DCOutBarVertListView2", kEraListColor, toolkit::alLeft);
  DCOutBar2 = eras.bar;
  DCOutBarGroup2 = eras.group;
  DCOutBarVertListView2 = eras.list;
  const Bar authors =
      MakeBar(Panel3, "DCOutBar1", "DCOutBarGroup1", "DCOutBarVertListView1", kAuthorListColor, toolkit::alClient);
  DCOutBar1 = authors.bar;
  DCOutBarGroup1 = authors.group;
  DCOutBarVertListView1 = authors.list;
  for (const char* name : {"屈原", "无名氏", "诗经", "项羽"}) DCOutBarVertListView1->AddItem(QString::fromUtf8(name));
  DCOutBarVertListView2->OnButtonClick = [this](QObject* s, outbar::TDCVertListItem* i) {
    DCOutBarVertListView2ButtonClick(s, i);
  };
  DCOutBarVertListView1->OnButtonClick = [this](QObject* s, outbar::TDCVertListItem* i) {
    DCOutBarVertListView1ButtonClick(s, i);
  };
}

void TForm1::BuildTables() {
  Panel1 = MakePanel(this, "Panel1", toolkit::alClient, kFillingPanelSize);
  Panel1->SetBorderStyle(toolkit::bsSingleBorder);
  ListView2 = MakeTable(Panel1, "ListView2", kAuthorTableColor,
                        {{QStringLiteral("作者姓名"), 190}, {QStringLiteral("生卒年月"), 220}, {QStringLiteral("作品篇数"), 120}});
  ListView2->hide();
  ListView1 = MakeTable(Panel1, "ListView1", platform::clWindow, kPoemColumns);
  ListView2->OnChange = [this](toolkit::TListItem* i, toolkit::TItemChange c) { ListView2Change(i, c); };
  ListView2->OnClick = [this] { ListView2Click(); };
  ListView2->OnColumnClick = [this](int c) { ListView2ColumnClick(c); };
  ListView1->OnChange = [this](toolkit::TListItem* i, toolkit::TItemChange c) { ListView1Change(i, c); };
  ListView1->OnClick = [this] { ListView1Click(); };
  ListView1->OnColumnClick = [this](int c) { ListView1ColumnClick(c); };
}

void TForm1::SetPoemColumns(bool lines) {
  const QList<QPair<QString, int>>& columns = lines ? kLineColumns : kPoemColumns;
  for (int i = 0; i < columns.size(); ++i) {
    ListView1->Columns().Item(i)->SetCaption(columns[i].first);
    ListView1->Columns().Item(i)->SetWidth(columns[i].second);
  }
}

void TForm1::BuildTextArea() {
  Panel2 = MakePanel(Panel1, "Panel2", toolkit::alClient, kFillingPanelSize);
  Panel2->SetBorderStyle(toolkit::bsSingleBorder);
  BuildInfoBar();

  pnl1 = MakePanel(Panel2, "pnl1", toolkit::alBottom, kSpeechBarHeight);
  pnl1->SetBorderStyle(toolkit::bsSingleBorder);
  pnl1->setFont(MakeFont(kSong, 15));
  pnl1->SetFontColor(kNoteColor);

  Memo1 = new toolkit::TMemo(Panel2);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setFont(MakeFont(kKai, 16));
  Memo1->SetScrollBars(toolkit::ssVertical);
  Memo1->Lines().Add(QStringLiteral("选择相应的朝代或者作者进入。"));
  SetAlign(Memo1, toolkit::alClient);
  pane_ = std::make_unique<TextPane>(Memo1);

  BuildSpeechButtons();
}

void TForm1::BuildInfoBar() {
  Panel4 = MakePanel(Panel2, "Panel4", toolkit::alTop, kInfoBarHeight);
  Panel4->SetBorderStyle(toolkit::bsSingleBorder);
  Panel4->SetAlignment(toolkit::taLeftJustify);
  Panel4->setFont(MakeFont(kSong, 13));
  Panel4->SetFontColor(kNoteColor);
  Panel4->SetCaption(QString());

  Label1 = new toolkit::TLabel(Panel4);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->move(kFormLabel);
  Label1->setFont(Panel4->font());
  Label1->SetFontColor(kNoteColor);
  Label1->SetTransparent(true);
  Label1->SetAutoSize(true);
  Label1->SetCaption(QStringLiteral("诗词"));
  Label1->setMouseTracking(true);
  Label1->OnMouseMove = [this](Qt::KeyboardModifiers s, int x, int y) { Label1MouseMove(s, x, y); };
  // A long title is cut with an ellipsis a few pixels before the form label
  // instead of running under it.
  Panel4->SetCaptionRight(Label1->x() - kFormLabelGap);
}

void TForm1::BuildSpeechButtons() {
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
  int left = kFirstSpeechButton.left();
  for (const auto& s : speech) {
    *s.button = MakeSpeechButton(pnl1, s.name, s.caption, s.glyph, left);
    const auto handler = s.handler;
    (*s.button)->OnClick = [this, handler] { (this->*handler)(); };
    left += kSpeechButtonStep;
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
  t.headerButtons = {FlatSpeedButton1, FlatSpeedButton2, FlatSpeedButton4, FlatSpeedButton5, FlatSpeedButton6};
  reading_ = std::make_unique<reading::ReadingExtras>(t);
}

void TForm1::BuildAnthology() {
  anthology::AnthologyTargets t;
  t.window = this;
  t.menu = AnthologyMenu;
  t.poemTable = ListView1;
  t.authorTable = ListView2;
  t.eraList = DCOutBarVertListView2;
  t.authorList = DCOutBarVertListView1;
  t.infoBar = Panel4;
  t.textPane = Memo1;
  t.poetry = ADOQuery1_.get();
  t.reading = reading_.get();
  // The anthology's lists go into the poem table with the poems' columns.
  t.finishSearch = [this] {
    lines_->Stop();
    FinishSearch();
    SetPoemColumns(false);
  };
  t.readerFile = toolkit::ProgramFile(QStringLiteral("reader.db"));
  anthology_ = std::make_unique<anthology::AnthologyExtras>(t);
}

// The skin component as the window's definition configures it; its stored
// skin is loaded as the definition is read, and Loaded() starts the skinning.
void TForm1::BuildTabOrder() {
  // Tab walks the window in screen order: the header buttons left to right,
  // the search strip (the place box only in the line search), the era and
  // author bars, the table (one of the two shows at a time), the text pane
  // and the speech buttons.
  QWidget* const order[] = {FlatSpeedButton1, FlatSpeedButton2, FlatSpeedButton4, FlatSpeedButton5,
                                  FlatSpeedButton6, ComboBox1,         Edit1,            Button1,
                                  Edit2,            DCOutBarVertListView2, DCOutBarVertListView1, ListView2,
                                  ListView1,        Memo1,             qexbtn1,          qexbtn2,
                                  qexbtn3,          qexbtn4};
  for (size_t i = 1; i < std::size(order); ++i)
    QWidget::setTabOrder(order[i - 1], order[i]);
}

void TForm1::BuildSkin() {
  SkinData1 = new skin::TSkinData(this);
  SkinData1->setObjectName(QStringLiteral("SkinData1"));
  SkinData1->BeginReading();
  SkinData1->SetActive(true);
  SkinData1->SetDisableTag(kUnskinnedTag);
  SkinData1->SetSkinControls(skin::TSkinControlTypes::Default());
  SkinData1->SetOptions(0);
  SkinData1->SetSkinFormtype(skin::sfMainform);
  SkinData1->SetMenuUpdate(true);
  SkinData1->SetMenuMerge(false);
  SkinData1->ReadSkinStream(skin::DefaultSkinStream());
  // The contents take a skin's own window colours when it gives them.
  contentColours_ = std::make_unique<SkinContentColours>();
  AddMainWindowParts(*contentColours_, *this);
  SkinData1->OnSkinChanged = [this](QObject*) { SkinChanged(); };
  SkinData1->Loaded();
  // A skin asked for on the command line replaces the stored one before
  // anything is shown (start-up errors included).
  ApplySkinOption(this, QCoreApplication::arguments());
  // The first skinning comes with the window's creation, not as a change of
  // skin: the contents follow the skin loaded now.
  SkinChanged();
}

// Keys in either table, or on its rows, let a pending search finish first.
void TForm1::BuildSearch() {
  SearchRun::Window& window = *this;
  search_ = std::make_unique<SearchRun>(*ADOQuery1_, window,
                                        QList<QObject*>{ListView1, ListView2, ListView1->viewport(), ListView2->viewport()});
  LineSearchRun::Window& lines = *this;
  lines_ = std::make_unique<LineSearchRun>(lines, QList<QObject*>{ListView1, ListView1->viewport()});
}

}  // namespace app
