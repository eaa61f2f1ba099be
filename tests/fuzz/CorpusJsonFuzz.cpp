// The corpus converter's reading of the poetry package (JSON). The input: a
// byte that picks one collection's file and one biography file, then the two
// files' contents separated by a NUL byte. They are put into a package folder
// whose other files are empty lists, and the converter reads it as it reads
// the real package, after our own sources, through OpenCC, the text rules and
// the anthology.
//
// A file that is no JSON (or holds a number too large to read) is reported
// as such; otherwise every record is accounted for, every poem taken has a
// title and a text of readable characters without placeholders, every author
// of a poem has one row with the poems counted and life dates that read, and
// the tables come back unchanged through their TSV files.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <map>

#include "tests/fuzz/FuzzTarget.h"
#include "tools/corpus/CharacterRule.h"
#include "tools/corpus/Eras.h"
#include "tools/corpus/Sources.h"
#include "tools/corpus/TextRules.h"
#include "tools/corpus/Tsv.h"

namespace {

using fuzz::Show;

// The package's files the converter reads, as it names them.
const char* const kCollections[] = {
    "shijing/shijing.json",       "chuci/chuci.json",
    "caocaoshiji/caocao.json",    "quantangshi/唐诗三百首.json",
    "wudaishici/huajianji/huajianji-1-juan.json", "wudaishici/nantang/poetrys.json",
    "songci/宋词三百首.json",      "yuanqu/yuanqu.json",
    "nalanxingde/纳兰性德诗集.json",
};
// Numbered files of the full library: there only while they hold the input.
const char* const kNumbered[] = {"quantangshi/poet.tang.0.json", "quantangshi/poet.song.0.json", "songci/ci.song.0.json"};
const char* const kBiographies[] = {"songci/author.song.json", "wudaishici/nantang/authors.json",
                                    "quantangshi/authors.tang.json", "quantangshi/authors.song.json"};

class Package {
 public:
  Package() : dir_(fuzz::ScratchDir() + QStringLiteral("/package")) {
    for (const char* f : kCollections) Put(f, "[]");
    for (const char* f : kBiographies) Put(f, "[]");
  }
  std::string Dist() const { return dir_.path().toStdString(); }
  QString Path(const char* file) const { return dir_.filePath(QString::fromUtf8(file)); }
  void Put(const char* file, const QByteArray& bytes) const {
    const QString path = Path(file);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
  }

 private:
  QDir dir_;
};

// Our own sources, read once: every run starts from a copy, as the converter
// reads them before the package. The foreign authors and poems, which no
// record of the package touches, are left out (their files keep only their
// header): they would make most of each run's tables.
const corpus::Anthology& OwnSources() {
  static const corpus::Anthology own = [] {
    QTemporaryDir dir;
    const QDir src(QStringLiteral(CQ_SOURCE_DIR "/install/src"));
    for (const QString& name : src.entryList({QStringLiteral("*.tsv")}, QDir::Files)) {
      QFile in(src.filePath(name));
      QFile out(dir.filePath(name));
      if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) continue;
      out.write(name.startsWith(QStringLiteral("foreign_")) ? in.readLine() : in.readAll());
    }
    corpus::Anthology a(corpus::ChineseEras());
    corpus::LoadOwnSources(dir.path().toStdString(), a);
    return a;
  }();
  return own;
}

struct Read {
  corpus::Anthology anthology = OwnSources();
  corpus::Tallies tallies;
};

void Convert(const Package& p, bool allQu, bool full, Read& r) {
  static const corpus::Simplifier simplify;
  const corpus::Progress quiet = [](const std::string&, size_t, size_t) {};
  corpus::LoadPackageBiographies(p.Dist(), r.anthology, simplify);
  corpus::LoadSelection(p.Dist(), r.anthology, simplify, quiet, r.tallies, allQu);
  if (full) corpus::LoadAllTangSong(p.Dist(), r.anthology, simplify, quiet, r.tallies);
}

void CheckThroughTsv(const Package& p, const corpus::Table& t) {
  const std::string file = p.Path("table.tsv").toStdString();
  corpus::WriteTsv(file, t);
  const corpus::Table back = corpus::ReadTsv(file);
  CQ_FUZZ_CHECK(back.columns == t.columns && back.rows == t.rows);
}

void CheckTables(const Package& p, Read& r) {
  for (const corpus::Tally& t : r.tallies)
    CQ_FUZZ_CHECK_SAYING(t.Accounted() == t.package,
                         t.collection << ": " << t.package << " records, " << t.Accounted() << " accounted for");
  std::map<std::string, long long> poems;
  for (const corpus::Poem& p : r.anthology.poems()) {
    CQ_FUZZ_CHECK_SAYING(!p.title.empty() && !p.content.empty() && !p.author.empty(), Show(p.title) << " " << Show(p.content));
    for (const std::string* s : {&p.title, &p.content, &p.author, &p.form})
      CQ_FUZZ_CHECK_SAYING(corpus::AllReadable(*s) && !corpus::HasPlaceholder(*s), Show(*s));
    ++poems[p.author];
  }
  const corpus::Table authors = r.anthology.AuthorTable();
  std::map<std::string, long long> rows;
  for (const corpus::Row& a : authors.rows) {
    CQ_FUZZ_CHECK_SAYING(rows.emplace(a[0], std::stoll(a[2])).second, "two rows for " << Show(a[0]));
    CQ_FUZZ_CHECK_SAYING(corpus::ParseLife(a[1]).valid, Show(a[0]) << " lived " << Show(a[1]));
  }
  CQ_FUZZ_CHECK(rows == poems);
  CheckThroughTsv(p, authors);
  CheckThroughTsv(p, r.anthology.PoetryTable());
  CheckThroughTsv(p, r.anthology.FormatTable());
}

int Run(const std::uint8_t* data, std::size_t size) {
  static const Package package;
  if (size < 1) return 0;
  const QList<QByteArray> parts = fuzz::Split(data + 1, size - 1, '\0', 2);
  // Low four bits: a collection, a second reading of the qu as the full
  // library takes them, or a numbered file; the next two a biography file.
  constexpr int kChoices = std::size(kCollections) + 1 + std::size(kNumbered);
  const int pick = (data[0] & 15) % kChoices;
  const bool allQu = pick == std::size(kCollections);
  const bool numbered = pick > static_cast<int>(std::size(kCollections));
  const char* poems = numbered ? kNumbered[pick - std::size(kCollections) - 1]
                               : kCollections[allQu ? pick - 1 : pick];
  const char* bios = kBiographies[(data[0] >> 4) & 3];
  package.Put(poems, parts[0]);
  package.Put(bios, parts.size() > 1 ? parts[1] : QByteArray("[]"));
  Read r;
  try {
    Convert(package, allQu, numbered, r);
    CheckTables(package, r);
  } catch (const nlohmann::json::parse_error&) {
    // No JSON: the converter stops with the parser's message.
  } catch (const nlohmann::json::out_of_range&) {
    // A number too large to read: the converter stops with the parser's message.
  } catch (const std::exception& e) {
    CQ_FUZZ_CHECK_SAYING(false, "the converter failed: " << e.what());
  }
  package.Put(bios, "[]");
  if (numbered) QFile::remove(package.Path(poems));
  else package.Put(poems, "[]");
  return 0;
}

}  // namespace

CQ_FUZZ_ENTRY("corpus-json", Run)
