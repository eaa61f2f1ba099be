// Runs every kept input of every fuzz target's corpus through its entry
// point, built without libFuzzer: a regression the fuzzers once found, or an
// invariant a change breaks, fails here without clang.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "tests/fuzz/FuzzTarget.h"

namespace {

QString CorpusDir(const std::string& target) {
  return QStringLiteral(CQ_SOURCE_DIR "/tests/fuzz/corpus/") + QString::fromStdString(target);
}

class Replay : public ::testing::TestWithParam<fuzz::Target> {};

TEST_P(Replay, EveryKeptInputHoldsItsChecks) {
  const QDir dir(CorpusDir(GetParam().name));
  const QStringList files = dir.entryList(QDir::Files, QDir::Name);
  // A seed corpus of a handful of inputs: an empty or missing folder is a mistake.
  ASSERT_GE(files.size(), 3) << dir.path().toStdString();
  for (const QString& name : files) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    const QByteArray input = f.readAll();
    try {
      GetParam().entry(reinterpret_cast<const std::uint8_t*>(input.constData()), static_cast<std::size_t>(input.size()));
    } catch (const fuzz::Finding& finding) {
      ADD_FAILURE() << name.toStdString() << ": " << finding.what;
    }
  }
}

// Every entry point linked into this suite has a corpus, and every corpus folder an entry point.
TEST(ReplayCorpora, EveryFolderHasItsTarget) {
  QStringList registered;
  for (const fuzz::Target& t : fuzz::Targets()) registered << QString::fromStdString(t.name);
  const QStringList folders = QDir(QStringLiteral(CQ_SOURCE_DIR "/tests/fuzz/corpus")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  registered.sort();
  EXPECT_EQ(folders, registered);
}

std::string TestName(const ::testing::TestParamInfo<fuzz::Target>& info) {
  std::string name = info.param.name;
  for (char& c : name)
    if (c == '-') c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, Replay, ::testing::ValuesIn(fuzz::Targets()), TestName);

}  // namespace
