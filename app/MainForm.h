#pragma once
// The main window: header with the collection and tool buttons and the search
// strip, the era and author bars, the author and poem tables, the info bar
// with the form label, the text pane, the speech bar, menus and status bar.
// Its handlers browse the anthology, search it, sort its tables and read aloud.
#include <QList>
#include <functional>
#include <memory>

#include "app/Collections.h"
#include "app/LineSearchRun.h"
#include "app/SearchRun.h"
#include "app/TextPane.h"
#include "platform/Dialogs.h"
#include "toolkit/Form.h"
#include "toolkit/ListView.h"

class QAction;
class QMenu;

namespace anthology {
class AnthologyExtras;
struct MissingPoem;
}
namespace data {
class TADOQuery;
}
namespace reading {
class ReadingExtras;
}
namespace skin {
class TSkinData;
}
namespace outbar {
class TDCOutBar;
class TDCOutBarGroup;
class TDCOutBarVertListView;
class TDCVertListItem;
}
namespace styled {
class TFlatHint;
class TFlatSpeedButton;
class TQexButton;
class TsuiImagePanel;
}
namespace tip {
class TForm2;
}

namespace toolkit {
class TButton;
class TComboBox;
class TEdit;
class TLabel;
class TMemo;
class TPanel;
class TSpVoice;
class TStatusBar;
}

namespace app {

class GlyphWarmup;
class SkinContentColours;

class TForm1 : public toolkit::TForm, private SearchRun::Window, private LineSearchRun::Window {
  Q_OBJECT

 public:
  TForm1();
  ~TForm1() override;

  // Controls, named as the window's designer named them.
  styled::TsuiImagePanel* suiImagePanel1 = nullptr;
  styled::TFlatSpeedButton* FlatSpeedButton1 = nullptr;  // 中国作品
  styled::TFlatSpeedButton* FlatSpeedButton2 = nullptr;  // 外国作品
  styled::TFlatSpeedButton* FlatSpeedButton4 = nullptr;  // 软件设置
  styled::TFlatSpeedButton* FlatSpeedButton5 = nullptr;  // 每日一贴
  styled::TFlatSpeedButton* FlatSpeedButton6 = nullptr;  // 软件升级
  toolkit::TPanel* Panel5 = nullptr;                     // search strip
  toolkit::TComboBox* ComboBox1 = nullptr;
  toolkit::TEdit* Edit1 = nullptr;
  toolkit::TButton* Button1 = nullptr;
  toolkit::TLabel* Label2 = nullptr;  // bare form name, never visible
  // 飞花令's place box "第 N 字", shown only in the line search mode.
  toolkit::TLabel* Label3 = nullptr;  // 第
  toolkit::TEdit* Edit2 = nullptr;    // N: empty or 0 for anywhere in the line
  toolkit::TLabel* Label4 = nullptr;  // 字
  toolkit::TButton* btn1 = nullptr;   // clicked by code: show the first era
  toolkit::TStatusBar* StatusBar1 = nullptr;
  toolkit::TPanel* Panel3 = nullptr;
  outbar::TDCOutBar* DCOutBar2 = nullptr;
  outbar::TDCOutBarGroup* DCOutBarGroup2 = nullptr;
  outbar::TDCOutBarVertListView* DCOutBarVertListView2 = nullptr;  // era list
  outbar::TDCOutBar* DCOutBar1 = nullptr;
  outbar::TDCOutBarGroup* DCOutBarGroup1 = nullptr;
  outbar::TDCOutBarVertListView* DCOutBarVertListView1 = nullptr;  // author bar
  toolkit::TPanel* Panel1 = nullptr;
  toolkit::TListView* ListView2 = nullptr;  // author table
  toolkit::TListView* ListView1 = nullptr;  // poem table
  toolkit::TPanel* Panel2 = nullptr;
  toolkit::TPanel* Panel4 = nullptr;  // info bar
  toolkit::TLabel* Label1 = nullptr;  // form label
  toolkit::TMemo* Memo1 = nullptr;    // text pane
  toolkit::TPanel* pnl1 = nullptr;    // speech bar
  styled::TQexButton* qexbtn1 = nullptr;
  styled::TQexButton* qexbtn2 = nullptr;
  styled::TQexButton* qexbtn3 = nullptr;
  styled::TQexButton* qexbtn4 = nullptr;

  // Components.
  skin::TSkinData* SkinData1 = nullptr;
  QMenu* PopupMenu1 = nullptr;  // the skin menu
  QAction* MenuItem1 = nullptr;  // 古色古香
  QAction* MenuItem2 = nullptr;  // 海洋之心
  QAction* MenuItem3 = nullptr;  // 金属时代
  QAction* MenuItem4 = nullptr;  // 蓝色妖姬
  QAction* MenuItem5 = nullptr;  // 天然淡雅
  QAction* MenuItem6 = nullptr;  // 新奇前卫
  QAction* MenuItem7 = nullptr;  // 夜读
  styled::TFlatHint* FlatHint1 = nullptr;
  toolkit::TSpVoice* SpVoice1 = nullptr;
  data::TADOQuery* ADOQuery1() const { return ADOQuery1_.get(); }
  data::TADOQuery* ADOQuery2() const { return ADOQuery2_.get(); }

  // Menu entries.
  QAction* N1 = nullptr;   // 中国作品
  QAction* N2 = nullptr;   // 外国作品
  QAction* N3 = nullptr;   // 关闭
  QAction* N5 = nullptr;   // 设置界面
  QAction* N6 = nullptr;   // 每日一贴
  QAction* N12 = nullptr;  // 语音引擎
  QAction* N9 = nullptr;   // 联系作者
  QAction* N10 = nullptr;  // 软件主页
  QMenu* ReadingMenu = nullptr;  // 阅读: traditional script, vertical reading, printing
  QMenu* AnthologyMenu = nullptr;  // 收藏: kept and lately read poems, a random poem, search marks

  // Whether a search is still fetching or filling its rows: a large result
  // comes a stretch at a time, the event loop running in between.
  bool SearchPending() const { return search_->Pending() || lines_->Pending(); }
  // Fetches and fills what is left of a pending search at once.
  void FinishSearch() {
    search_->Finish();
    lines_->Finish();
  }
  // How long a search works at a stretch before the event loop runs again
  // (35 ms unless set).
  void SetSearchStretch(int milliseconds) {
    search_->SetStretch(milliseconds);
    lines_->SetStretch(milliseconds);
  }

  // The start-up work done once the window has painted.
  GlyphWarmup* Warmup() const { return warmup_; }

  // What the "阅读" menu offers.
  reading::ReadingExtras* Reading() const { return reading_.get(); }
  // What the "收藏" menu offers.
  anthology::AnthologyExtras* Anthology() const { return anthology_.get(); }

  // The daily tip window, shown by "每日一贴" and at start-up when asked.
  toolkit::TForm* Form2 = nullptr;
  // Makes `tip` the daily tip window; its contents wear the skin's window
  // colours as the main window's do.
  void SetTipWindow(tip::TForm2* tip);

  // Sort direction shared by both tables; false at start.
  bool SortAscending = false;

  // Handlers.
  void FormCreate();
  void FormShow();
  void N3Click();
  void FlatSpeedButton1Click();
  void FlatSpeedButton2Click();
  void btn1Click();
  void DCOutBarVertListView2ButtonClick(QObject* sender, outbar::TDCVertListItem* item);
  void DCOutBarVertListView1ButtonClick(QObject* sender, outbar::TDCVertListItem* item);
  void ListView2Change(toolkit::TListItem* item, toolkit::TItemChange change);
  void ListView2Click();
  void ListView1Change(toolkit::TListItem* item, toolkit::TItemChange change);
  void ListView1Click();
  void Label1MouseMove(Qt::KeyboardModifiers shift, int x, int y);
  void ListView1ColumnClick(int column);
  void ListView2ColumnClick(int column);
  void Edit1Click();
  void Button1Click();
  void qexbtn1Click();
  void qexbtn2Click();
  void qexbtn3Click();
  void qexbtn4Click();
  void FlatSpeedButton4Click();
  void MenuItem1Click();
  void MenuItem2Click();
  void MenuItem3Click();
  void MenuItem4Click();
  void MenuItem5Click();
  void MenuItem6Click();
  void MenuItem7Click();
  void FlatSpeedButton5Click();
  void FlatSpeedButton6Click();
  void N9Click();
  void N10Click();
  void N12Click();

 private:
  // Construction (MainFormBuild.cpp), in the order the window is put together.
  void BuildComponents();
  void BuildMenu();
  void BuildHeader();
  void BuildSearchStrip();
  void BuildPlaceBox();
  void BuildStatusBar();
  void BuildBars();
  void BuildTables();
  void BuildSearch();
  void BuildTextArea();
  void BuildInfoBar();
  void BuildSpeechButtons();
  void BuildReading();
  void BuildTabOrder();
  void BuildAnthology();
  void BuildSkin();
  // Loads skins/N.skn of the program's directory into SkinData1.
  void ChooseSkin(int n);

  void ChooseCollection(const Collection& collection);
  void FillEra(const QString& era);
  void AddAuthorRow();
  void AddPoemRow();
  void ShowAuthorRow(TextPane::Refill& pane);
  void ShowPoemRow(bool withFormLabel);
  // The info bar, the form label and the pane for the poem the cursor stands on.
  void ShowCursorPoem(TextPane::Refill& pane, bool withFormLabel);
  // A row of the line search: its poem, the line marked in the pane.
  void ShowLineRow(const study::LineRow& line, bool withFormLabel);
  // The line search mode (飞花令): its place box, its start, its table's columns.
  void ShowPlaceBox();
  void StartLineSearch(const QString& keyword);
  void SetPoemColumns(bool lines);
  // A row of a kept poem the library lacks: what is known of it.
  void ShowMissingPoem(const anthology::MissingPoem& poem, TextPane::Refill& pane, bool withFormLabel);
  // The window follows the skin in force: its contents' colours and the search marks'.
  void SkinChanged();
  // Makes the cursor stand on the record a table row was filled from.
  void GoToRow(toolkit::TListItem* row, const QString& keyField, const QString& key);
  void SortTable(toolkit::TListView* table, int column);
  // What a search fills: the table of its mode, the author bar, the found message.
  void ShowHitsTable(SearchMode mode) override;
  void Tell(const QString& message) override;
  void ClearHits(SearchMode mode) override;
  void AddHit(SearchMode mode) override;
  void ShowLineTable() override;
  void ClearLines() override;
  void AddLine(const study::LineRow& line, qsizetype index) override;
  // Asks with a Yes/No dialog and, on Yes, hands the target to the desktop shell.
  void AskThenOpen(const QString& prompt, platform::DialogKind kind, const QString& verb, const QString& target);

  std::unique_ptr<data::TADOQuery> ADOQuery1_;
  std::unique_ptr<data::TADOQuery> ADOQuery2_;
  std::unique_ptr<TextPane> pane_;
  // The poem row shown by a report of the poem table's selection action under
  // way, and the pane's show that it gave (ListView1Change).
  struct ShownInAction {
    unsigned action = 0;
    const toolkit::TListItem* row = nullptr;
    unsigned show = 0;
  } shownInAction_;
  std::unique_ptr<reading::ReadingExtras> reading_;
  std::unique_ptr<anthology::AnthologyExtras> anthology_;
  std::unique_ptr<SkinContentColours> contentColours_;
  GlyphWarmup* warmup_ = nullptr;
  std::unique_ptr<SearchRun> search_;
  std::unique_ptr<LineSearchRun> lines_;
};

// The version part of a caption: its GBK bytes from byte 18, at most 20 bytes.
QString CaptionVersion(const QString& caption);
// The text the read-aloud button hands to the voice.
QString SpeechText(const QString& paneText);

}  // namespace app
