#include "app/anthology/PoemListing.h"

#include <QHash>
#include <QMetaType>
#include <QPoint>
#include <QStringList>

#include "app/anthology/AnthologyExport.h"
#include "data/Query.h"
#include "toolkit/ListView.h"

namespace anthology {

// The data of a row whose poem the library lacks: which listing made it, and
// where its poem is kept in that listing.
struct MissingRow {
  int listing = 0;
  int index = 0;
};

}  // namespace anthology

Q_DECLARE_METATYPE(anthology::MissingRow)

namespace anthology {

namespace {

// The ids written into the statement: row ids are integers formatted here,
// so nothing the reader typed reaches the text, and a listing of any length
// is one statement whatever number of bound values the engine allows.
QString IdList(const std::vector<PoemListing::Entry>& entries) {
  QStringList ids;
  for (const PoemListing::Entry& e : entries)
    if (e.id) ids << QString::number(*e.id);
  return ids.join(u',');
}

}  // namespace

PoemListing::PoemListing(toolkit::TListView* table, data::TADOQuery* cursor) : table_(table), cursor_(cursor) {
  toolkit::TCellDress dress = table_->CellDress();
  dress.greyed = [this](const toolkit::TListItem* row) { return Missing(row).has_value(); };
  table_->SetCellDress(std::move(dress));
}

QString PoemListing::Note() { return QStringLiteral("（当前诗库中没有）"); }

void PoemListing::List(const std::vector<Entry>& entries) {
  ++listing_;
  missing_.clear();
  table_->Items().Clear();
  cursor_->SetSQL(QStringLiteral("select rowid as keptrowid,* from poetry where rowid in (%1)").arg(IdList(entries)));
  cursor_->Open();
  QHash<qint64, int> records;
  for (; !cursor_->Eof(); cursor_->Next()) records.insert(cursor_->Fields(0).Value().toLongLong(), cursor_->RecNo());
  for (const Entry& e : entries) {
    toolkit::TListItem* row = table_->Items().Add();
    const auto record = e.id ? records.constFind(*e.id) : records.cend();
    if (record == records.cend()) {
      row->SetData(QVariant::fromValue(MissingRow{listing_, static_cast<int>(missing_.size())}));
      missing_.push_back(e.poem);
      row->SetCaption(e.poem.title + Note());
      row->SubItems().Add(e.poem.form);
      row->SubItems().Add(e.poem.head);
      continue;
    }
    cursor_->SetRecNo(*record);
    // As the window's own rows remember their record: the result set and the record number.
    row->SetData(QPoint(cursor_->Generation(), cursor_->RecNo()));
    row->SetCaption(cursor_->FieldByName(QStringLiteral("title")).AsString());
    row->SubItems().Add(cursor_->FieldByName(QStringLiteral("formatName")).AsString());
    row->SubItems().Add(cursor_->FieldByName(QStringLiteral("head")).AsString());
  }
}

std::optional<MissingPoem> PoemListing::Missing(const toolkit::TListItem* row) const {
  const QVariant data = row ? row->Data() : QVariant();
  if (data.typeId() != qMetaTypeId<MissingRow>()) return std::nullopt;
  const MissingRow m = data.value<MissingRow>();
  if (m.listing != listing_ || m.index < 0 || m.index >= static_cast<int>(missing_.size())) return std::nullopt;
  const data::PoemRef& p = missing_[static_cast<size_t>(m.index)];
  return MissingPoem{p, QStringLiteral(" 作品名称：") + p.title + QStringLiteral("   作家：") + p.author,
                     p.head + QStringLiteral("\r\n\r\n") + MissingNote()};
}

}  // namespace anthology
