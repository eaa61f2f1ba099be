#include "app/MainForm.h"

#include <QCursor>
#include <QMenu>
#include <QPoint>
#include <QTimer>

#include "app/ColumnSort.h"
#include "app/GlyphWarmup.h"
#include "app/Maker.h"
#include "app/Queries.h"
#include "app/SkinContentColours.h"
#include "tip/TipForm.h"
#include "app/anthology/AnthologyExtras.h"
#include "app/reading/ReadingExtras.h"
#include "controls/outbar/OutBarGroup.h"
#include "controls/outbar/OutBarVertListView.h"
#include "controls/outbar/VertListItem.h"
#include "controls/styled/FlatSpeedButton.h"
#include "data/Connection.h"
#include "data/Databases.h"
#include "data/Query.h"
#include "platform/Dialogs.h"
#include "platform/Gbk.h"
#include "platform/Shell.h"
#include "skin/engine/SkinData.h"
#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Exception.h"
#include "toolkit/IniFile.h"
#include "toolkit/Panel.h"
#include "toolkit/SpVoice.h"
#include "toolkit/StatusBar.h"
#include "toolkit/StdCtrls.h"

namespace app {

using toolkit::Dispatch;

namespace {

const QString kSpeechTag = QStringLiteral("<LANG LANGID=\"804\">");
// A shown hint stays up this long unless the pointer leaves.
constexpr int kHintHidePauseMilliseconds = 100000;

QString SetupFile() { return toolkit::ProgramFile(QStringLiteral("setup.ini")); }

// What a table row remembers of the record it was filled from: the result
// set (x) and the record number in it (y), held without an allocation.
QVariant RowOrigin(const data::TADOQuery& q) { return QPoint(q.Generation(), q.RecNo()); }

// The mode box's entry of the line search (飞花令).
constexpr int kLineSearchMode = 3;

// Where a stretch of a stored text (UTF-16 units) lies in the memo, whose
// line breaks count one each, CR LF too.
toolkit::TMemo::Highlight InPane(const QString& stored, qsizetype start, qsizetype length) {
  auto at = [&stored](qsizetype end) {
    qsizetype pairs = 0;
    for (qsizetype i = 1; i < end && i < stored.size(); ++i)
      if (stored[i - 1] == u'\r' && stored[i] == u'\n') ++pairs;
    return static_cast<int>(end - pairs);
  };
  const int first = at(start);
  return {first, at(start + length) - first};
}

}  // namespace

QString CaptionVersion(const QString& caption) { return platform::GbkCopy(caption, 18, 20); }

QString SpeechText(const QString& paneText) {
  return kSpeechTag + QString(paneText).replace(u'.', QStringLiteral("。"));
}

// ---- start-up and close -------------------------------------------------

void TForm1::FormCreate() {
  StatusBar1->SetPanelText(1, QStringLiteral("     WEB: ") + kMakerWebAddress + QStringLiteral("     EMAIL: ") +
                                  kMakerMailAddress + QStringLiteral("     QQ: ") + kMakerQQNumber +
                                  QStringLiteral("     VERSION: ") + CaptionVersion(Caption()));
  toolkit::TheApplication().SetHintHidePause(kHintHidePauseMilliseconds);
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
  // The window opens with the search mode box focused, as when the header
  // buttons, first in the Tab order, took no focus.
  ComboBox1->setFocus(Qt::OtherFocusReason);
  const toolkit::IniFile ini(SetupFile());
  if (!ini.ReadBool(QStringLiteral("tip"), QStringLiteral("tip"), false)) return;
  // Shown once the main window is on the screen, so that the tip window lies on top of it.
  QTimer::singleShot(0, this, [this] { Dispatch(&TForm1::FlatSpeedButton5Click, this); });
}

void TForm1::N3Click() { Close(); }

// ---- collections and eras -----------------------------------------------

void TForm1::ChooseCollection(const Collection& collection) {
  lines_->Stop();
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
  lines_->Stop();
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
  lines_->Stop();
  FinishSearch();
  ListView2->hide();
  ListView1->show();
  ListView1->Items().Clear();
  SetPoemColumns(false);
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
  anthology_->OtherTextShown();
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
  if (change == toolkit::ctText && search_->AddingRows()) return;
  ListView2Click();
}

void TForm1::ListView2Click() {
  // Rows of the last result can be chosen while a new search is still
  // fetching: that search ends first, as if the choice had come after it.
  if (ADOQuery1_->Opening()) FinishSearch();
  // A line search still looking for its lines ends: the choice is of the rows shown.
  if (lines_->Collecting()) lines_->Stop();
  toolkit::TListItem* row = ListView2->Selected();
  if (!row) return;
  TextPane::Refill pane(*pane_);
  GoToRow(row, QStringLiteral("authorname"), row->Caption());
  ShowAuthorRow(pane);
}

void TForm1::ShowPoemRow(bool withFormLabel) {
  if (ADOQuery1_->Opening()) FinishSearch();
  if (lines_->Collecting()) lines_->Stop();
  toolkit::TListItem* row = ListView1->Selected();
  if (!row) return;
  if (const study::LineRow* line = lines_->RowOf(row->Data())) {
    ShowLineRow(*line, withFormLabel);
    return;
  }
  TextPane::Refill pane(*pane_);
  if (const std::optional<anthology::MissingPoem> missing = anthology_->Missing(row)) {
    ShowMissingPoem(*missing, pane, withFormLabel);
    return;
  }
  GoToRow(row, QStringLiteral("head"), row->SubItems().Strings(1));
  ShowCursorPoem(pane, withFormLabel);
}

void TForm1::ShowCursorPoem(TextPane::Refill& pane, bool withFormLabel) {
  Panel4->SetCaption(QStringLiteral(" 作品名称：") + ADOQuery1_->FieldByName(QStringLiteral("title")).AsString() +
                     QStringLiteral("   作家：") + ADOQuery1_->FieldByName(QStringLiteral("authorname")).AsString());
  if (withFormLabel) {
    const QString form = ADOQuery1_->FieldByName(QStringLiteral("formatname")).AsString();
    Label1->SetCaption(QStringLiteral("什么是： ") + form + QStringLiteral(" ？"));
    Label2->SetCaption(form);
  }
  pane.Show(ADOQuery1_->FieldByName(QStringLiteral("content")).AsString());
  reading_->TextShown();
  anthology_->PoemShown();
}

void TForm1::ShowMissingPoem(const anthology::MissingPoem& poem, TextPane::Refill& pane, bool withFormLabel) {
  Panel4->SetCaption(poem.infoBar);
  if (withFormLabel) {
    Label1->SetCaption(QStringLiteral("什么是： ") + poem.poem.form + QStringLiteral(" ？"));
    Label2->SetCaption(poem.poem.form);
  }
  pane.Show(poem.text);
  anthology_->MissingShown(poem);
}

// In this mode the cursor holds the chosen poem, not the list of lines.
void TForm1::ShowLineRow(const study::LineRow& line, bool withFormLabel) {
  TextPane::Refill pane(*pane_);
  const study::PoemStatement s = study::PoemQuery(line.poem);
  ADOQuery1_->SetSQL(s.sql);
  ADOQuery1_->SetParams(s.params);
  ADOQuery1_->Open();
  ShowCursorPoem(pane, withFormLabel);
  // The line is marked where the pane shows it; a traditional text of another
  // length than the stored one has its characters elsewhere, and is not marked.
  const QString stored = ADOQuery1_->FieldByName(QStringLiteral("content")).AsString();
  // (The pane ends the text with a line break of its own.)
  QString shown = Memo1->toPlainText();
  if (shown.endsWith(u'\n')) shown.chop(1);
  if (shown.size() == toolkit::TMemo::ToLines(stored).size())
    Memo1->SetHighlights({InPane(stored, line.start, line.length)}, 0);
}

void TForm1::ListView1Click() { ShowPoemRow(false); }

void TForm1::ListView1Change(toolkit::TListItem*, toolkit::TItemChange change) {
  if (change == toolkit::ctText && (search_->AddingRows() || lines_->AddingRows())) return;
  // A range selection over thousands of rows reports each of them, and each
  // report shows the selection's first row. While that is still the row an
  // earlier report of the same action showed, and the pane holds what it was
  // given then, showing the row again would change nothing.
  const unsigned action = ListView1->SelectionAction();
  const toolkit::TListItem* row = ListView1->Selected();
  if (change == toolkit::ctState && action != 0 && row && shownInAction_.action == action && shownInAction_.row == row &&
      shownInAction_.show != 0 && pane_->LastShow() == shownInAction_.show)
    return;
  ShowPoemRow(true);
  shownInAction_ = {action, row, pane_->LastShow()};
}

void TForm1::Label1MouseMove(Qt::KeyboardModifiers, int, int) {
  ADOQuery2_->Locate(QStringLiteral("formatname"), Label2->Caption());
  Label1->SetHint(ADOQuery2_->FieldByName(QStringLiteral("content")).AsString());
  Label1->SetFontColor(platform::clRed);
}

// ---- sorting ------------------------------------------------------------

void TForm1::SortTable(toolkit::TListView* table, int column) {
  FinishSearch();
  // Each row's text becomes its key once per sort, not once per comparison,
  // and the table compares the keys of the rows' positions without reaching
  // the rows again: a key's comparison is that of the two rows' texts
  // (CompareColumnTexts), negated when the sort goes down.
  const toolkit::TListItems& rows = table->Items();
  const ColumnSortKeys keys(rows.Count(), [&](qsizetype i) { return rows.Item(static_cast<int>(i))->ColumnText(column); });
  const bool ascending = SortAscending;
  table->SortByPosition([&](int a, int b) {
    const int c = keys.Compare(a, b);
    return ascending ? c < 0 : c > 0;
  });
  SortAscending = !SortAscending;
}

void TForm1::ListView1ColumnClick(int column) { SortTable(ListView1, column); }

void TForm1::ListView2ColumnClick(int column) { SortTable(ListView2, column); }

// ---- search -------------------------------------------------------------

void TForm1::Edit1Click() { Edit1->clear(); }

void TForm1::Button1Click() {
  lines_->Stop();
  FinishSearch();
  const QString keyword = Edit1->text();
  if (keyword.isEmpty()) return;
  const int mode = ComboBox1->ItemIndex();
  if (mode == kLineSearchMode) return StartLineSearch(keyword);
  if (mode < 0 || mode > 2) return;
  ADOQuery1_->SetSQL(QString());
  const SearchMode searchMode = static_cast<SearchMode>(mode);
  anthology_->SearchStarting(keyword, searchMode != SearchMode::Author);
  const Statement s = SearchQuery(searchMode, reading_->StoredKeyword(keyword), ADOQuery1_->HasTable(data::kPoetrySearchIndex),
                                  ADOQuery1_->HasTable(data::kPoetryListing));
  search_->Start(searchMode, s, keyword);
}

void TForm1::ShowPlaceBox() {
  const bool lines = ComboBox1->ItemIndex() == kLineSearchMode;
  for (QWidget* w : {static_cast<QWidget*>(Label3), static_cast<QWidget*>(Edit2), static_cast<QWidget*>(Label4)})
    w->setVisible(lines);
}

// The place counts the line's Chinese characters from 1; empty or 0: anywhere.
void TForm1::StartLineSearch(const QString& keyword) {
  // The line search marks its lines itself: a former search's marks end.
  anthology_->SearchStarting(keyword, false);
  lines_->Start(ADOQuery1_->ConnectionString(), reading_->StoredKeyword(keyword), Edit2->text().toInt(), keyword);
}

void TForm1::ShowLineTable() { ShowHitsTable(SearchMode::Content); }

void TForm1::ClearLines() {
  ListView1->Items().Clear();
  SetPoemColumns(true);
}

void TForm1::AddLine(const study::LineRow& line, qsizetype index) {
  toolkit::TListItem* row = ListView1->Items().Add();
  row->SetData(QVariant::fromValue(LineRowIndex{index}));
  row->SetCaption(line.line);
  row->SubItems().Add(line.title);
  row->SubItems().Add(line.author);
}

void TForm1::ShowHitsTable(SearchMode mode) {
  toolkit::TListView* shown = mode == SearchMode::Author ? ListView2 : ListView1;
  toolkit::TListView* hidden = mode == SearchMode::Author ? ListView1 : ListView2;
  shown->show();
  hidden->hide();
}

void TForm1::Tell(const QString& message) {
  platform::CurrentDialogs().MessageDlg(message, platform::DialogKind::Information, platform::DialogButtons::Ok);
}

void TForm1::ClearHits(SearchMode mode) {
  anthology_->HitsListed();
  if (mode != SearchMode::Author) {
    ListView1->Items().Clear();
    SetPoemColumns(false);
    return;
  }
  ListView2->Items().Clear();
  DCOutBarVertListView1->ClearItems();
}

void TForm1::AddHit(SearchMode mode) {
  if (mode != SearchMode::Author) {
    AddPoemRow();
    return;
  }
  DCOutBarVertListView1->AddItem(ADOQuery1_->FieldByName(QStringLiteral("authorname")).AsString());
  AddAuthorRow();
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
void TForm1::MenuItem7Click() { ChooseSkin(7); }

void TForm1::SkinChanged() {
  contentColours_->Follow(*SkinData1);
  const skin::TSkinColours& c = SkinData1->Elements().Colours;
  const bool skinned = SkinData1->Active() && !SkinData1->NotLoaded();
  anthology_->SetMarkColors(skinned ? c.Hilight : platform::clHighlight, skinned ? c.HilightText : platform::clHighlightText);
}

void TForm1::SetTipWindow(tip::TForm2* tip) {
  Form2 = tip;
  if (!tip) return;
  AddTipWindowParts(*contentColours_, *tip);
  contentColours_->Follow(*SkinData1);
}

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
