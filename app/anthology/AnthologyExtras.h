#pragma once
// The "收藏" menu of the main window and what it offers: keeping the poem
// shown (收藏本篇, Ctrl+D, marked in the info bar), the kept poems in the poem
// table (我的收藏), the anthology written out (导出收藏…), the poems read
// lately (最近阅读, and clearing them), a random poem (随机一首, Ctrl+R) and
// the steps through the marked hits of a search (F3, Shift+F3). The reader's
// data lives in reader.db, opened when first needed; the poetry databases are
// only read. When the reader uses none of it, the window works as without it.
#include <QHash>
#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/anthology/AnthologyTargets.h"
#include "app/anthology/PoemListing.h"
#include "app/anthology/RandomPick.h"
#include "app/anthology/ReaderData.h"
#include "app/anthology/ScopeDraw.h"
#include "app/anthology/SearchHighlight.h"
#include "platform/Color.h"

class QAction;

namespace toolkit {
class TLabel;
}

namespace anthology {

struct AnthologyPoem;
struct Scope;

class AnthologyExtras : public QObject {
  Q_OBJECT

 public:
  explicit AnthologyExtras(const AnthologyTargets& targets);
  ~AnthologyExtras() override;

  // Menu entries.
  QAction* KeepItem = nullptr;          // 收藏本篇, checked while the poem shown is kept
  QAction* KeptItem = nullptr;          // 我的收藏
  QAction* ExportItem = nullptr;        // 导出收藏…
  QAction* HistoryItem = nullptr;       // 最近阅读
  QAction* ClearHistoryItem = nullptr;  // 清除阅读记录
  QAction* RandomItem = nullptr;        // 随机一首
  QAction* NextHitItem = nullptr;       // 下一处
  QAction* PreviousHitItem = nullptr;   // 上一处
  QAction* UnavailableItem = nullptr;   // why the reader's data cannot be used; hidden until then

  void KeepItemClick();
  void KeptItemClick();
  void ExportItemClick();
  void HistoryItemClick();
  void ClearHistoryItemClick();
  void RandomItemClick();
  void NextHitItemClick();
  void PreviousHitItemClick();

  // Notices from the main window. A search for the typed keyword starts
  // (`marked` for titles and contents); its hits go into a table now.
  void SearchStarting(const QString& typedKeyword, bool marked);
  void HitsListed();
  // The pane shows the poem the poetry cursor stands on.
  void PoemShown();
  // A row of a poem the library lacks was chosen: what the window shows for it.
  std::optional<MissingPoem> Missing(const toolkit::TListItem* row) const { return listing_.Missing(row); }
  void MissingShown(const MissingPoem& poem);
  // The pane shows something else than a poem (a biography).
  void OtherTextShown();

  // The colours of the search marks (the skin's highlight colours).
  void SetMarkColors(platform::TColor mark, platform::TColor markText) { highlight_.SetColors(mark, markText); }
  // The info bar's kept mark, in the info bar's text colour.
  toolkit::TLabel* KeptMark() const { return keptMark_; }
  ReaderData& Data() { return data_; }
  SearchHighlight& Highlight() { return highlight_; }
  RandomPick& Random() { return random_; }

  // Where the reader is asked for the export file; "" cancels. Tests put their own answer here.
  std::function<QString(const QString& suggested)> AskExportFile;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();
  void BuildMark();
  void Unavailable();
  void ShowKept(bool shown, bool kept);
  void Shown(const data::PoemRef& poem);
  // Lists the poems of the reader's data in the poem table.
  void ListPoems(const std::vector<data::ReaderEntry>& entries);
  // The poems' row ids in the library in use, looked up once a run: where
  // reader.db says they were found before, checked, else searched for.
  std::vector<std::optional<qint64>> LibraryIds(const std::vector<data::PoemRef>& poems);
  std::vector<std::optional<qint64>> RememberedIds(const std::vector<data::PoemRef>& poems);
  void RememberIds(const std::vector<std::pair<data::PoemRef, qint64>>& found);
  Scope RandomScope() const;
  QList<AnthologyPoem> KeptPoems();
  void Tell(const QString& message) const;

  AnthologyTargets targets_;
  ReaderData data_;
  std::unique_ptr<data::TADOQuery> lookup_;  // a cursor of the anthology's own on the poetry database
  SearchHighlight highlight_;
  PoemListing listing_;
  RandomPick random_;
  ScopeDraw draw_;
  QString knownFor_;                 // the library the known row ids are of
  QHash<QString, qint64> knownIds_;  // poems found in it: author, title, text hash -> row id
  toolkit::TLabel* keptMark_ = nullptr;
  QAction* unavailableSeparator_ = nullptr;
  std::optional<data::PoemRef> shown_;  // the poem the pane shows
  QPoint shownRecord_{-1, -1};           // its result set and record, when it came through the cursor
  std::optional<data::PoemRef> toRecord_;  // shown, not yet in the history
  int historyListing_ = -1;  // the cursor generation of a listing of the history
};

}  // namespace anthology
