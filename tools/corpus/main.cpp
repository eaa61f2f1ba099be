// cq-corpus: builds the anthology's table sources and era lists.
//
//   cq-corpus --package DIR --sources DIR --out DIR [--full] [--report FILE]
//
// --package is the unpacked poetry package (its folder holding dist/),
// --sources our own sources (install/src), --out the folder that receives
// setup.ini and data/{author,poetry,format,lore}.tsv. --full adds every Tang
// and Song poem and ci of the package to the selection and takes every qu.
// --report writes what became of each collection's records as a table.
#include "tools/corpus/CharacterRule.h"
#include "tools/corpus/Sources.h"
#include "tools/corpus/Tsv.h"

#include <iconv.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

namespace fs = std::filesystem;
using namespace corpus;

namespace {

// The settings file is text of the program's code page, GB18030 (the same bytes
// as GBK for the era names it holds).
std::string ToCodePage(const std::string& utf8) {
  iconv_t cd = iconv_open("GB18030", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert to GB18030");
  std::string in = utf8;
  std::string out(in.size() * 2 + 16, '\0');
  char* ip = in.data();
  size_t il = in.size();
  char* op = out.data();
  size_t ol = out.size();
  const size_t r = iconv(cd, &ip, &il, &op, &ol);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) throw std::runtime_error("text that GB18030 cannot hold: " + utf8);
  out.resize(out.size() - ol);
  return out;
}

void WriteSetupIni(const fs::path& path, const std::vector<std::string>& eras, const std::vector<std::string>& countries) {
  std::string text = "[item]\r\nchina=" + std::to_string(eras.size()) + "\r\nfremdness=" +
                     std::to_string(countries.size()) + "\r\n\r\n[china]\r\n";
  for (size_t i = 0; i < eras.size(); ++i) text += std::to_string(i + 1) + "=" + eras[i] + "\r\n";
  text += "\r\n[fremdness]\r\n";
  for (size_t i = 0; i < countries.size(); ++i) text += std::to_string(i + 1) + "=" + countries[i] + "\r\n";
  text += "\r\n[tip]\r\ntip=1\r\ncount=0\r\n";
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << ToCodePage(text);
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// Our tips, checked for unreadable characters and written unchanged.
Table CheckedLore(const fs::path& src) {
  Table t = ReadTsv(src.string());
  for (const Row& r : t.rows)
    for (const std::string& f : r)
      if (!AllReadable(f)) throw std::runtime_error("unreadable character in a tip: " + f);
  return t;
}

void Usage() {
  std::cerr << "usage: cq-corpus --package DIR --sources DIR --out DIR [--full] [--report FILE]\n";
}

// One line for each collection: its records, and what became of them.
void PrintTallies(const Table& t) {
  std::cerr << "collections (package records = kept + joined to the work before + left out + not chosen):\n";
  for (const Row& r : t.rows) {
    std::cerr << "  " << r[0] << ": package " << r[1] << ", kept " << r[2];
    for (size_t i = 3; i < r.size(); ++i)
      if (r[i] != "0") std::cerr << ", " << t.columns[i].substr(0, t.columns[i].find(':')) << " " << r[i];
    std::cerr << "\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string package, sources, outDir, report;
  bool full = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::runtime_error("missing value after " + a);
      return argv[++i];
    };
    try {
      if (a == "--package") package = value();
      else if (a == "--sources") sources = value();
      else if (a == "--out") outDir = value();
      else if (a == "--full") full = true;
      else if (a == "--report") report = value();
      else {
        Usage();
        return 2;
      }
    } catch (const std::exception& e) {
      std::cerr << e.what() << "\n";
      return 2;
    }
  }
  if (package.empty() || sources.empty() || outDir.empty()) {
    Usage();
    return 2;
  }
  try {
    const fs::path dist = fs::path(package) / "dist";
    if (!fs::is_directory(dist)) throw std::runtime_error("no dist folder in " + package);
    Simplifier simplify;
    Anthology a(ChineseEras());
    // CQ_CORPUS_LOG=1 lists every poem left out or merged, with the reason.
    if (const char* v = std::getenv("CQ_CORPUS_LOG"); v && std::strcmp(v, "1") == 0)
      a.SetLog([](const std::string& line) { std::cerr << line << "\n"; });
    const Progress progress = [](const std::string& step, size_t done, size_t total) {
      std::cerr << "\r[" << done << "/" << total << "] " << step << "            " << std::flush;
    };
    std::cerr << "reading biographies\n";
    LoadOwnSources(sources, a);
    LoadPackageBiographies(dist.string(), a, simplify);
    Tallies tallies;
    LoadSelection(dist.string(), a, simplify, progress, tallies, full);
    std::cerr << "\n";
    if (full) {
      LoadAllTangSong(dist.string(), a, simplify, progress, tallies);
      std::cerr << "\n";
    }
    const Table tallyTable = TallyTable(tallies);
    for (const Tally& t : tallies)
      if (t.Accounted() != t.package)
        throw std::runtime_error(t.collection + ": " + std::to_string(t.package) + " records, " +
                                 std::to_string(t.Accounted()) + " accounted for");
    if (!report.empty()) WriteTsv(report, tallyTable);
    fs::create_directories(fs::path(outDir) / "data");
    const Table authors = a.AuthorTable();
    WriteTsv((fs::path(outDir) / "data" / "author.tsv").string(), authors);
    WriteTsv((fs::path(outDir) / "data" / "poetry.tsv").string(), a.PoetryTable());
    const Table forms = a.FormatTable();
    WriteTsv((fs::path(outDir) / "data" / "format.tsv").string(), forms);
    const Table lore = CheckedLore(fs::path(sources) / "lore.tsv");
    WriteTsv((fs::path(outDir) / "data" / "lore.tsv").string(), lore);
    WriteSetupIni(fs::path(outDir) / "setup.ini", a.ErasInUse(), a.Countries());

    const Counts& c = a.counts();
    std::cerr << "eras " << a.ErasInUse().size() << ", countries " << a.Countries().size() << ", authors "
              << authors.rows.size() << ", poems " << c.poems << ", forms " << forms.rows.size() << ", tips "
              << lore.rows.size() << "\n"
              << "merged duplicates " << c.duplicates << "; left out: placeholders " << c.placeholders
              << ", unreadable characters " << c.unreadable << ", empty " << c.empty << "\n"
              << "kept: with characters outside GBK " << c.outsideGbk
              << ", same first line as another poem of the author " << c.sameHead << ", fragments titled 句 "
              << c.fragments << "\n"
              << "authors moved to the era their life fits " << c.authorsMoved
              << ", authors whose life fits no era " << c.livesOutsideEveryEra << "\n"
              << "notes moved out of lines " << c.notesMoved << ", titles made from the first line " << c.titlesMade
              << ", anonymous authors renamed " << c.anonymousRenamed << ", biographies written for unknown lives "
              << c.biographiesMade << ", unreadable characters dropped from biographies " << c.proseCharsDropped
              << "\n";
    PrintTallies(tallyTable);
  } catch (const std::exception& e) {
    std::cerr << "\ncq-corpus: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
