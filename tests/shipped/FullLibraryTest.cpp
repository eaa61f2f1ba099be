// Checks the full library that `make library` built (skipped without it):
// every record of every collection of the poetry package is accounted for,
// as a work kept, a further tune joined to a work, or left out with a reason;
// the package counts are the package's own; and the works kept are the
// library's poems.
#include <gtest/gtest.h>

#include <QFile>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <map>

#include "tests/shipped/Shipped.h"
#include "tools/corpus/Tsv.h"

using namespace shipped;

namespace {

namespace fs = std::filesystem;

// Records of a collection, counted straight from the package's files.
size_t CountRecords(const fs::path& dist, const std::string& collection) {
  std::vector<fs::path> files;
  if (collection == "诗经") files = {dist / "shijing" / "shijing.json"};
  else if (collection == "楚辞") files = {dist / "chuci" / "chuci.json"};
  else if (collection == "曹操诗集") files = {dist / "caocaoshiji" / "caocao.json"};
  else if (collection == "南唐二主词") files = {dist / "wudaishici" / "nantang" / "poetrys.json"};
  else if (collection == "元曲") files = {dist / "yuanqu" / "yuanqu.json"};
  else if (collection == "纳兰性德") files = {dist / "nalanxingde" / "纳兰性德诗集.json"};
  else if (collection == "花间集")
    for (const auto& e : fs::directory_iterator(dist / "wudaishici" / "huajianji"))
      if (e.path().filename().string().find("-juan") != std::string::npos) files.push_back(e.path());
  size_t n = 0;
  for (const fs::path& f : files) {
    std::ifstream in(f, std::ios::binary);
    n += nlohmann::json::parse(in).size();
  }
  return n;
}

bool IsQuForm(const QString& form) {
  static const QStringList prefixes = {
      QStringLiteral("黄钟"), QStringLiteral("正宫"), QStringLiteral("大石调"), QStringLiteral("小石调"),
      QStringLiteral("仙吕"), QStringLiteral("中吕"), QStringLiteral("南吕"),   QStringLiteral("双调"),
      QStringLiteral("越调"), QStringLiteral("商调"), QStringLiteral("商角调"), QStringLiteral("般涉调"),
      QStringLiteral("北曲"), QStringLiteral("南曲")};
  const int dot = form.indexOf(QChar(0x00B7));
  return dot > 0 && prefixes.contains(form.left(dot));
}

}  // namespace

TEST_F(ProgramData, FullLibraryAccountsForEveryRecordOfThePackage) {
  const QString dat = BinDir() + QStringLiteral("/dat/");
  if (!QFile::exists(dat + QStringLiteral("full-library"))) GTEST_SKIP() << "the full library is not built";
  const corpus::Table report = corpus::ReadTsv((dat + QStringLiteral("full-library.tsv")).toStdString());
  const size_t kPackage = corpus::ColumnIndex(report, "package"), kKept = corpus::ColumnIndex(report, "kept");
  std::map<std::string, size_t> kept;
  size_t keptInAll = 0;
  for (const corpus::Row& r : report.rows) {
    SCOPED_TRACE(r[0]);
    size_t accounted = 0;
    for (size_t i = kKept; i < r.size(); ++i) accounted += std::stoul(r[i]);
    EXPECT_GT(std::stoul(r[kPackage]), 0u);
    EXPECT_EQ(accounted, std::stoul(r[kPackage]));
    // The full library chooses nothing: whatever is not kept has a reason.
    EXPECT_EQ(r[corpus::ColumnIndex(report, "not chosen")], "0");
    kept[r[0]] = std::stoul(r[kKept]);
    keptInAll += kept[r[0]];
  }
  for (const char* c : {"诗经", "楚辞", "曹操诗集", "花间集", "南唐二主词", "元曲", "纳兰性德", "全唐诗", "全宋诗", "全宋词"})
    EXPECT_EQ(kept.count(c), 1u) << c;

  // The package counts are the package's own, where the package is at hand.
  const fs::path dist = (PoetryPackage() + QStringLiteral("/dist")).toStdString();
  if (fs::is_directory(dist)) {
    for (const corpus::Row& r : report.rows) {
      if (const size_t n = CountRecords(dist, r[0]); n > 0) EXPECT_EQ(std::to_string(n), r[kPackage]) << r[0];
    }
  }

  // Every poem of the library is a work kept from the package or one of our
  // foreign poems, and the qu kept are the library's qu.
  const size_t foreign = corpus::ReadTsv((SourceDir() + QStringLiteral("/install/src/foreign_poetry.tsv")).toStdString()).rows.size();
  EXPECT_EQ(Poetry(QStringLiteral("select count(*) from poetry")).value(0).value(0).toULongLong(), keptInAll + foreign);
  size_t qu = 0;
  for (const QStringList& r : Poetry(QStringLiteral("select formatName from poetry where formatName like '%·%'")))
    if (IsQuForm(r[0])) ++qu;
  EXPECT_EQ(qu, kept["元曲"]);
  EXPECT_GT(kept["元曲"], 3000u);  // the package's pieces, suites and acts, not a selection
}
