// The traditional-script conversion against OpenCC's own command-line tool,
// the way back for keywords, and the cache that keeps repaints cheap.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/reading/ScriptConverter.h"
#include "tests/reading/ExternalTools.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Exception.h"

using reading::ScriptConverter;

namespace {

// Every poem text and title of the shipped selection, one per line (the
// texts' own line breaks are kept as the two characters "\n" of the source).
QStringList ShippedTexts() {
  QFile file(QStringLiteral(CQ_SOURCE_DIR "/install/data/poetry.tsv"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList texts;
  const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QStringList fields = lines[i].split(u'\t');
    if (fields.size() < 5) continue;
    texts << fields[0] << fields[4];
  }
  return texts;
}

}  // namespace

TEST(ScriptConverterTest, PoemsComeOutAsOpenccsOwnToolConvertsThem) {
  const QStringList texts = ShippedTexts();
  ASSERT_GT(texts.size(), 3000);
  const QStringList expected = reading_test::Opencc(QStringLiteral("s2t.json"), texts.join(u'\n')).split(u'\n');
  ASSERT_GE(expected.size(), texts.size());
  ScriptConverter converter;
  int changed = 0;
  for (qsizetype i = 0; i < texts.size(); ++i) {
    const QString mine = converter.ToTraditional(texts[i]);
    ASSERT_EQ(mine, expected[i]) << "text " << i;
    if (mine != texts[i]) ++changed;
  }
  // The selection is simplified text: most of it changes.
  EXPECT_GT(changed, texts.size() / 2);
}

TEST(ScriptConverterTest, ConversionFollowsThePhraseNotTheCharacter) {
  ScriptConverter converter;
  // 发 and 干 and 后 each have two traditional forms; the phrase decides.
  EXPECT_EQ(converter.ToTraditional(QStringLiteral("头发白了，出发去干活，后来皇后来了")),
            reading_test::Opencc(QStringLiteral("s2t.json"), QStringLiteral("头发白了，出发去干活，后来皇后来了")));
  EXPECT_EQ(converter.ToTraditional(QStringLiteral("头发")), QStringLiteral("頭髮"));
  EXPECT_EQ(converter.ToTraditional(QStringLiteral("出发")), QStringLiteral("出發"));
  EXPECT_EQ(converter.ToTraditional(QStringLiteral("皇后")), QStringLiteral("皇后"));
  EXPECT_EQ(converter.ToTraditional(QStringLiteral("后来")), QStringLiteral("後來"));
  // Latin text, digits and characters outside the basic plane pass unchanged.
  EXPECT_EQ(converter.ToTraditional(QStringLiteral("Tagore 1861—1941 𠀀")), QStringLiteral("Tagore 1861—1941 𠀀"));
  EXPECT_EQ(converter.ToTraditional(QString()), QString());
}

TEST(ScriptConverterTest, TraditionalKeywordsComeBackAsTheStoredSimplifiedText) {
  ScriptConverter converter;
  EXPECT_EQ(converter.ToSimplified(QStringLiteral("靜夜思")), QStringLiteral("静夜思"));
  EXPECT_EQ(converter.ToSimplified(QStringLiteral("舉頭望明月")), QStringLiteral("举头望明月"));
  EXPECT_EQ(converter.ToSimplified(QStringLiteral("国破山河在")), QStringLiteral("国破山河在"));
  EXPECT_EQ(converter.ToSimplified(QStringLiteral("%_")), QStringLiteral("%_"));
  EXPECT_EQ(converter.ToSimplified(QString()), QString());
}

TEST(ScriptConverterTest, EachTextIsConvertedOnceAndTheCacheAnswersAfter) {
  ScriptConverter converter;
  EXPECT_FALSE(converter.Loaded());
  EXPECT_EQ(converter.CachedCount(), 0);
  const QString first = converter.ToTraditional(QStringLiteral("床前明月光"));
  EXPECT_TRUE(converter.Loaded());
  EXPECT_EQ(converter.CachedCount(), 1);
  EXPECT_EQ(converter.ToTraditional(QStringLiteral("床前明月光")), first);
  EXPECT_EQ(converter.CachedCount(), 1);
  converter.ToTraditional(QStringLiteral("低头思故乡"));
  EXPECT_EQ(converter.CachedCount(), 2);
  // Empty texts and conversions back are never cached.
  converter.ToTraditional(QString());
  converter.ToSimplified(QStringLiteral("故鄉"));
  EXPECT_EQ(converter.CachedCount(), 2);
}

TEST(ScriptConverterTest, APreloadStartedEarlyIsTheLoadUsedLater) {
  ScriptConverter converter;
  converter.Preload();
  converter.Preload();  // a second call starts nothing new
  EXPECT_EQ(converter.ToTraditional(QStringLiteral("乡")), QStringLiteral("鄉"));
  EXPECT_TRUE(converter.Loaded());
  // Destroying a converter whose load is still running waits for it.
  { ScriptConverter early; early.Preload(); }
}

TEST(ScriptConverterTest, AMissingProfileIsSaidAndTheNextUseTriesAgain) {
  ScriptConverter broken("s2t.json", "no-such-profile.json");
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      broken.ToTraditional(QStringLiteral("乡"));
      FAIL() << "no error";
    } catch (const toolkit::Exception& e) {
      EXPECT_TRUE(e.Message().startsWith(QStringLiteral("繁体显示无法使用：繁简转换的数据缺失。请安装"))) << e.what();
      EXPECT_EQ(e.Message().section(QLatin1Char('\n'), 1).left(51),
                QStringLiteral("OpenCC cannot load the profile no-such-profile.json"))
          << e.what();
    }
    EXPECT_FALSE(broken.Loaded());
  }
}

// Files planted in the current folder under OpenCC's own names (a profile that
// converts nothing, a dictionary of junk) change nothing: the profiles and
// their dictionaries come from OpenCC's data folder by absolute paths.
TEST(ScriptConverterTest, FilesPlantedInTheCurrentFolderChangeNothing) {
  QTemporaryDir planted;
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(planted.path()));
  testing_support::WriteFile(planted.filePath(QStringLiteral("s2t.json")),
                             R"({"name":"planted","segmentation":{"type":"mmseg","dict":{"type":"ocd2","file":"STPhrases.ocd2"}},"conversion_chain":[]})");
  testing_support::WriteFile(planted.filePath(QStringLiteral("t2s.json")), "{}");
  testing_support::WriteFile(planted.filePath(QStringLiteral("STCharacters.ocd2")), QByteArray(4096, '\x5a'));
  testing_support::WriteFile(planted.filePath(QStringLiteral("STPhrases.ocd2")), QByteArray("junk"));
  QString traditional, simplified;
  try {
    ScriptConverter converter;
    traditional = converter.ToTraditional(QStringLiteral("静夜思，为剑"));
    simplified = converter.ToSimplified(QStringLiteral("靜夜思，爲劍"));
  } catch (const toolkit::Exception& e) {
    ADD_FAILURE() << e.what();
  }
  QDir::setCurrent(previous);
  EXPECT_EQ(traditional, QStringLiteral("靜夜思，爲劍"));
  EXPECT_EQ(simplified, QStringLiteral("静夜思，为剑"));
}
