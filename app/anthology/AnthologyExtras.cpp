#include "app/anthology/AnthologyExtras.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

#include "app/anthology/AnthologyExport.h"
#include "app/anthology/LibraryLookup.h"
#include "app/reading/ReadingExtras.h"
#include "controls/outbar/VertListItem.h"
#include "controls/outbar/VertListView.h"
#include "data/Query.h"
#include "platform/Dialogs.h"
#include "toolkit/Dispatch.h"
#include "toolkit/ListView.h"
#include "toolkit/Panel.h"
#include "toolkit/StdCtrls.h"

namespace anthology {

namespace {

// The kept mark stands this far from the info bar's right edge.
constexpr int kMarkMargin = 10;

QString ShownBy(reading::ReadingExtras* reading, const QString& stored) {
  return reading ? reading->Traditional().Shown(stored) : stored;
}

}  // namespace

AnthologyExtras::AnthologyExtras(const AnthologyTargets& targets)
    : targets_(targets),
      data_(targets.readerFile),
      lookup_(std::make_unique<data::TADOQuery>(QStringLiteral("AnthologyLookup"))),
      highlight_(targets.textPane, {targets.poemTable, targets.authorTable}, targets.poetry,
                 [reading = targets.reading](const QString& s) { return ShownBy(reading, s); }),
      listing_(targets.poemTable, targets.poetry) {
  AskExportFile = [this](const QString& suggested) {
    return QFileDialog::getSaveFileName(targets_.window, QStringLiteral("导出收藏"), suggested,
                                        QStringLiteral("文本文件 (*.txt);;Markdown 文件 (*.md);;PDF 文件 (*.pdf)"));
  };
  data_.OnUnavailable = [this] { Unavailable(); };
  BuildMenu();
  BuildMark();
  // Marks follow the text when the pane shows it in the other script.
  if (targets_.reading && targets_.reading->TraditionalItem)
    connect(targets_.reading->TraditionalItem, &QAction::triggered, this, [this] { highlight_.DisplayChanged(); });
  // A pane emptied by a handler shows no poem any more.
  if (targets_.textPane)
    connect(targets_.textPane, &QPlainTextEdit::textChanged, this, [this] {
      if (targets_.textPane->document()->isEmpty()) OtherTextShown();
    });
}

AnthologyExtras::~AnthologyExtras() = default;

void AnthologyExtras::BuildMenu() {
  if (!targets_.menu) return;
  auto add = [this](const QString& text, void (AnthologyExtras::*handler)(), const QKeySequence& key = {}) {
    QAction* a = targets_.menu->addAction(text);
    if (!key.isEmpty()) a->setShortcut(key);
    connect(a, &QAction::triggered, this, [this, handler] { toolkit::Dispatch(handler, this); });
    return a;
  };
  // The list first: a menu opened by the keyboard lights its first entry,
  // which 收藏本篇 cannot be while no poem is shown.
  KeptItem = add(QStringLiteral("我的收藏"), &AnthologyExtras::KeptItemClick, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
  KeepItem = add(QStringLiteral("收藏本篇"), &AnthologyExtras::KeepItemClick, QKeySequence(Qt::CTRL | Qt::Key_D));
  KeepItem->setCheckable(true);
  KeepItem->setEnabled(false);
  ExportItem = add(QStringLiteral("导出收藏…"), &AnthologyExtras::ExportItemClick);
  targets_.menu->addSeparator();
  HistoryItem = add(QStringLiteral("最近阅读"), &AnthologyExtras::HistoryItemClick, QKeySequence(Qt::CTRL | Qt::Key_H));
  ClearHistoryItem = add(QStringLiteral("清除阅读记录"), &AnthologyExtras::ClearHistoryItemClick);
  targets_.menu->addSeparator();
  RandomItem = add(QStringLiteral("随机一首"), &AnthologyExtras::RandomItemClick, QKeySequence(Qt::CTRL | Qt::Key_R));
  targets_.menu->addSeparator();
  NextHitItem = add(QStringLiteral("下一处"), &AnthologyExtras::NextHitItemClick, QKeySequence(Qt::Key_F3));
  PreviousHitItem =
      add(QStringLiteral("上一处"), &AnthologyExtras::PreviousHitItemClick, QKeySequence(Qt::SHIFT | Qt::Key_F3));
  // Why the reader's data cannot be used, at the end, shown once it is known.
  unavailableSeparator_ = targets_.menu->addSeparator();
  unavailableSeparator_->setVisible(false);
  UnavailableItem = targets_.menu->addAction(QString());
  UnavailableItem->setEnabled(false);
  UnavailableItem->setVisible(false);
}

void AnthologyExtras::BuildMark() {
  if (!targets_.infoBar) return;
  keptMark_ = new toolkit::TLabel(targets_.infoBar);
  keptMark_->setObjectName(QStringLiteral("KeptMark"));
  keptMark_->setFont(targets_.infoBar->font());
  keptMark_->SetTransparent(true);
  keptMark_->SetAutoSize(true);
  keptMark_->SetCaption(QStringLiteral("★ 已收藏"));
  keptMark_->hide();
  targets_.infoBar->installEventFilter(this);
}

bool AnthologyExtras::eventFilter(QObject* watched, QEvent* event) {
  if (keptMark_ && watched == targets_.infoBar && event->type() == QEvent::Resize)
    keptMark_->move(targets_.infoBar->width() - keptMark_->width() - kMarkMargin, keptMark_->y());
  return false;
}

void AnthologyExtras::Unavailable() {
  // The entries that need the reader's data say why they cannot be used.
  for (QAction* a : {KeepItem, KeptItem, ExportItem, HistoryItem, ClearHistoryItem}) {
    if (!a) continue;
    a->setEnabled(false);
    a->setToolTip(data_.Reason());
    a->setStatusTip(data_.Reason());
  }
  if (UnavailableItem) {
    UnavailableItem->setText(data_.Reason());
    UnavailableItem->setVisible(true);
    unavailableSeparator_->setVisible(true);
  }
  ShowKept(false, false);
}

void AnthologyExtras::ShowKept(bool shown, bool kept) {
  if (KeepItem) {
    KeepItem->setEnabled(shown && !data_.Unavailable());
    KeepItem->setChecked(kept);
  }
  if (!keptMark_) return;
  if (kept) {
    keptMark_->SetFontColor(targets_.infoBar->FontColor());
    keptMark_->adjustSize();
    keptMark_->move(targets_.infoBar->width() - keptMark_->width() - kMarkMargin,
                    (targets_.infoBar->height() - keptMark_->height()) / 2);
  }
  keptMark_->setVisible(kept);
}

void AnthologyExtras::Tell(const QString& message) const {
  platform::CurrentDialogs().MessageDlg(message, platform::DialogKind::Information, platform::DialogButtons::Ok);
}

// ---- the poem shown -------------------------------------------------------

void AnthologyExtras::Shown(const data::PoemRef& poem) {
  shown_ = poem;
  data::ReaderStore* store = data_.Store();
  ShowKept(true, store && store->IsFavourite(poem));
  if (!store) return;
  // The history follows once the handler is done: the several notices of one
  // choice record it once.
  const bool pending = toRecord_.has_value();
  toRecord_ = poem;
  if (pending) return;
  QTimer::singleShot(0, this, [this] {
    if (!toRecord_) return;
    const data::PoemRef poem = *toRecord_;
    toRecord_.reset();
    data_.RecordReading(poem);
  });
}

void AnthologyExtras::PoemShown() {
  data::TADOQuery& q = *targets_.poetry;
  const QString content = q.FieldByName(QStringLiteral("content")).AsString();
  highlight_.TextShown(content);
  // A range selection shows its first row again for every row it takes in:
  // the same record needs no new look-up.
  const QPoint record(q.Generation(), q.RecNo());
  if (shown_ && record == shownRecord_) return;
  shownRecord_ = record;
  Shown(RefOf(q.FieldByName(QStringLiteral("authorname")).AsString(), q.FieldByName(QStringLiteral("title")).AsString(),
              q.FieldByName(QStringLiteral("formatName")).AsString(), q.FieldByName(QStringLiteral("head")).AsString(),
              content));
}

void AnthologyExtras::MissingShown(const MissingPoem& poem) {
  shownRecord_ = QPoint(-1, -1);
  Shown(poem.poem);
}

void AnthologyExtras::OtherTextShown() {
  shownRecord_ = QPoint(-1, -1);
  shown_.reset();
  ShowKept(false, false);
}

void AnthologyExtras::KeepItemClick() {
  if (!shown_) return;
  bool kept = false;
  if (data_.Change([&](data::ReaderStore& store) { kept = store.ToggleFavourite(*shown_); })) ShowKept(true, kept);
}

// ---- lists of the reader's poems --------------------------------------------

void AnthologyExtras::ListPoems(const std::vector<data::ReaderEntry>& entries) {
  if (targets_.finishSearch) targets_.finishSearch();
  std::vector<data::PoemRef> poems;
  poems.reserve(entries.size());
  for (const data::ReaderEntry& e : entries) poems.push_back(e.poem);
  const std::vector<std::optional<qint64>> ids = LibraryIds(poems);
  std::vector<PoemListing::Entry> listed;
  listed.reserve(poems.size());
  for (size_t i = 0; i < poems.size(); ++i) listed.push_back({ids[i], poems[i]});
  if (targets_.authorTable) targets_.authorTable->hide();
  targets_.poemTable->show();
  listing_.List(listed);
}

std::vector<std::optional<qint64>> AnthologyExtras::LibraryIds(const std::vector<data::PoemRef>& poems) {
  // The library does not change while the program runs: a poem found once
  // keeps its row id until another library is in use.
  if (targets_.poetry->ConnectionString() != knownFor_) {
    knownIds_.clear();
    knownFor_ = targets_.poetry->ConnectionString();
  }
  auto key = [](const data::PoemRef& p) { return p.author + u'\n' + p.title + u'\n' + QString::fromLatin1(p.textHash.toHex()); };
  std::vector<std::optional<qint64>> ids(poems.size());
  std::vector<data::PoemRef> unknown;
  std::vector<size_t> at;
  for (size_t i = 0; i < poems.size(); ++i) {
    const auto known = knownIds_.constFind(key(poems[i]));
    if (known != knownIds_.cend()) {
      ids[i] = *known;
      continue;
    }
    unknown.push_back(poems[i]);
    at.push_back(i);
  }
  if (unknown.empty()) return ids;
  lookup_->SetConnectionString(knownFor_);
  std::vector<std::optional<qint64>> found = ConfirmPoemIds(*lookup_, unknown, RememberedIds(unknown));
  std::vector<data::PoemRef> sought;
  std::vector<size_t> soughtAt;
  for (size_t j = 0; j < unknown.size(); ++j)
    if (!found[j]) sought.push_back(unknown[j]), soughtAt.push_back(j);
  if (!sought.empty()) {
    const std::vector<std::optional<qint64>> more = FindPoemIds(*lookup_, sought);
    std::vector<std::pair<data::PoemRef, qint64>> learnt;
    for (size_t k = 0; k < sought.size(); ++k)
      if (more[k]) found[soughtAt[k]] = more[k], learnt.emplace_back(sought[k], *more[k]);
    RememberIds(learnt);
  }
  for (size_t j = 0; j < unknown.size(); ++j) {
    ids[at[j]] = found[j];
    if (found[j]) knownIds_.insert(key(unknown[j]), *found[j]);
  }
  return ids;
}

// Where the poems were found before is only a help: without reader.db, or
// when it cannot be read or written, they are searched for as the first time.
std::vector<std::optional<qint64>> AnthologyExtras::RememberedIds(const std::vector<data::PoemRef>& poems) {
  data::ReaderStore* store = data_.Store();
  try {
    if (store) return store->LibraryRows(poems);
  } catch (const data::EReaderDataError&) {
  }
  return std::vector<std::optional<qint64>>(poems.size());
}

void AnthologyExtras::RememberIds(const std::vector<std::pair<data::PoemRef, qint64>>& found) {
  data::ReaderStore* store = data_.Store();
  if (!store || found.empty()) return;
  try {
    store->KeepLibraryRows(found);
  } catch (const data::EReaderDataError&) {
  }
}

void AnthologyExtras::KeptItemClick() {
  data::ReaderStore* store = data_.Store();
  if (!store) return;
  ListPoems(store->Favourites());
  historyListing_ = -1;
}

void AnthologyExtras::HistoryItemClick() {
  data::ReaderStore* store = data_.Store();
  if (!store) return;
  ListPoems(store->History());
  historyListing_ = targets_.poetry->Generation();
}

void AnthologyExtras::ClearHistoryItemClick() {
  toRecord_.reset();
  if (!data_.Change([](data::ReaderStore& store) { store.ClearHistory(); })) return;
  // A listing of the history on the screen goes with it.
  if (historyListing_ >= 0 && targets_.poetry->Generation() == historyListing_) targets_.poemTable->Items().Clear();
}

// ---- a random poem ----------------------------------------------------------

Scope AnthologyExtras::RandomScope() const {
  Scope scope;
  // The author chosen, else the era or country chosen, else the whole collection.
  const outbar::TDCVertListView* authors = targets_.authorList;
  if (authors && authors->ItemIndex() >= 0 && authors->Item(authors->ItemIndex())) {
    scope.author = authors->Item(authors->ItemIndex())->Caption();
    return scope;
  }
  const outbar::TDCVertListView* eras = targets_.eraList;
  if (!eras) return scope;
  if (eras->ItemIndex() >= 0 && eras->Item(eras->ItemIndex())) {
    scope.eras << eras->Item(eras->ItemIndex())->Caption();
    return scope;
  }
  for (int i = 0; i < eras->ItemCount(); ++i) scope.eras << eras->Item(i)->Caption();
  return scope;
}

void AnthologyExtras::RandomItemClick() {
  if (targets_.finishSearch) targets_.finishSearch();
  lookup_->SetConnectionString(targets_.poetry->ConnectionString());
  const qint64 id = draw_.Draw(*lookup_, RandomScope(), random_);
  if (id < 0) {
    Tell(QStringLiteral("这里没有可以选的作品。"));
    return;
  }
  if (targets_.authorTable) targets_.authorTable->hide();
  targets_.poemTable->show();
  listing_.List({{id, {}}});
  historyListing_ = -1;
  // Choosing the row shows the poem as any choice of a row does.
  targets_.poemTable->SetItemIndex(0);
}

// ---- search marks -----------------------------------------------------------

void AnthologyExtras::SearchStarting(const QString& typedKeyword, bool marked) {
  const QString stored = targets_.reading ? targets_.reading->StoredKeyword(typedKeyword) : typedKeyword;
  highlight_.SearchStarting(stored, marked);
}

void AnthologyExtras::HitsListed() { highlight_.HitsListed(); }

void AnthologyExtras::NextHitItemClick() { highlight_.Next(); }

void AnthologyExtras::PreviousHitItemClick() { highlight_.Previous(); }

// ---- the anthology written out ------------------------------------------------

QList<AnthologyPoem> AnthologyExtras::KeptPoems() {
  QList<AnthologyPoem> poems;
  data::ReaderStore* store = data_.Store();
  if (!store) return poems;
  lookup_->SetConnectionString(targets_.poetry->ConnectionString());
  reading::ReadingExtras* r = targets_.reading;
  for (const data::ReaderEntry& e : store->Favourites()) {
    const std::optional<FoundPoem> found = FindPoem(*lookup_, e.poem);
    AnthologyPoem p;
    p.title = ShownBy(r, found ? found->title : e.poem.title);
    p.author = ShownBy(r, found ? found->author : e.poem.author);
    p.era = found ? ShownBy(r, found->era) : QString();
    p.form = ShownBy(r, found ? found->form : e.poem.form);
    p.body = ShownBy(r, found ? found->body : e.poem.head);
    p.missing = !found;
    poems.append(p);
  }
  return poems;
}

void AnthologyExtras::ExportItemClick() {
  if (!data_.Store()) return;
  const QList<AnthologyPoem> poems = KeptPoems();
  if (poems.isEmpty()) {
    Tell(QStringLiteral("还没有收藏的作品。"));
    return;
  }
  QString file = AskExportFile ? AskExportFile(QDir::home().filePath(QStringLiteral("我的收藏.txt"))) : QString();
  if (file.isEmpty()) return;
  if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".txt");
  if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
    WriteAnthology(file, poems, FormatForFile(file));
    return;
  }
  QList<reading::PrintedText> pages;
  for (const AnthologyPoem& p : poems)
    pages.append({p.title, p.author, p.era, p.missing ? p.body + QStringLiteral("\n") + MissingNote() : p.body});
  const QFont face = targets_.reading ? targets_.reading->Traditional().PrintFace() : QFont();
  reading::WritePdf(file, pages, QStringLiteral("我的收藏"), reading::PrintDirection::Horizontal, face);
}

}  // namespace anthology
