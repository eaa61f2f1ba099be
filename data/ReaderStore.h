#pragma once
// The reader's own anthology: the poems kept as favourites and the poems read
// lately, in a database of the reader's own (reader.db in the program folder).
// The poetry databases stay read-only; this file is the only one the program
// writes besides its settings. It is opened in WAL mode and every change is
// one transaction, so a process killed in the middle of a write loses at most
// that change, and two running programs write to it side by side.
#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "toolkit/Exception.h"

struct sqlite3;

namespace data {

// A poem as the reader's data names it: enough to find it again in any build
// of the library (row numbers differ between builds and between the shipped
// selection and the full library), and to list it when it is not there.
struct PoemRef {
  QString author;
  QString title;
  QByteArray textHash;  // PoemTextHash of the poem's text
  QString form;         // shown in the poem table beside the title
  QString head;         // the first line

  bool SamePoem(const PoemRef& o) const { return author == o.author && title == o.title && textHash == o.textHash; }
};

// The hash of a poem's text that keys it: SHA-256 over its characters without
// blanks and line breaks (a rebuilt library may break lines differently), as
// 16 bytes.
QByteArray PoemTextHash(const QString& content);

struct ReaderEntry {
  PoemRef poem;
  qint64 at = 0;  // when it was kept or read, seconds since 1970 (UTC)
};

// The reader's data could not be read or saved. The message says so in the
// reader's words, with the technical detail on a second line.
class EReaderDataError : public toolkit::Exception {
 public:
  using Exception::Exception;
};

class ReaderStore {
 public:
  // How many poems the history keeps.
  static constexpr int kHistoryLength = 100;

  // Opens the database at `path`, making it when it is missing. A file there
  // that is not a sound database is kept under a new name beside it (never
  // overwritten) and a new, empty one takes its place; `notice` then says so.
  // Raises EReaderDataError when no database can be kept there (a folder that
  // cannot be written, a full disk).
  static std::unique_ptr<ReaderStore> Open(const QString& path, QString* notice = nullptr);
  ~ReaderStore();
  ReaderStore(const ReaderStore&) = delete;
  ReaderStore& operator=(const ReaderStore&) = delete;

  const QString& Path() const { return path_; }

  bool IsFavourite(const PoemRef& poem) const;
  // Keeps the poem, or lets it go when it is kept; returns whether it is kept now.
  bool ToggleFavourite(const PoemRef& poem);
  // The kept poems in the order they were kept.
  std::vector<ReaderEntry> Favourites() const;

  // The poem was shown: it becomes the newest entry of the history (once),
  // which keeps the newest kHistoryLength.
  void RecordReading(const PoemRef& poem);
  // Newest first.
  std::vector<ReaderEntry> History() const;
  void ClearHistory();

  // Where the library in use held these poems when they were last found
  // there: row numbers that spare a search of the library. A row number is
  // only a guess (a rebuild or another library moves the poems), to be
  // checked against the poem before it is used.
  std::vector<std::optional<qint64>> LibraryRows(const std::vector<PoemRef>& poems) const;
  // Remembers where poems were found, in one change. Only the rows of poems
  // kept or in the history are remembered.
  void KeepLibraryRows(const std::vector<std::pair<PoemRef, qint64>>& rows);

 private:
  ReaderStore(sqlite3* db, QString path) : db_(db), path_(std::move(path)) {}
  std::vector<ReaderEntry> List(const char* sql) const;

  sqlite3* db_;
  QString path_;
};

}  // namespace data
