// The archive layer: header checks, name list, size table, entry lookup and
// image addressing, including archives that lie about their sizes.
#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "skin/core/Lzh.h"
#include "skin/core/SkinReader.h"
#include "tests/skin/SkinTestData.h"
#include "tests/support/TestSupport.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinArchive.h"

namespace {

using skin::TSkinReader;
using skinpack::Entry;

void PutU32(QByteArray& b, qsizetype at, quint32 v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

QByteArray RawArchive(const QByteArray& names, const QList<quint32>& sizes, const QByteArray& data,
                      quint32 version = 20000) {
  QByteArray a(16, '\0');
  PutU32(a, 0, version);
  PutU32(a, 4, static_cast<quint32>(names.size()));
  a += names;
  for (quint32 s : sizes) {
    QByteArray w(4, '\0');
    PutU32(w, 0, s);
    a += w;
  }
  return a + data;
}

TEST(SkinReader, ReadsEntriesByNameWhateverTheirCase) {
  const QByteArray archive =
      skinpack::BuildArchive({{"Skin.INI", "[a]"}, {"FrameTop.bmp", "12345"}, {"Empty.bmp", ""}, {"x.bmp", "xyz"}});
  TSkinReader reader;
  testing_support::DialogScript dialogs;
  ASSERT_TRUE(reader.OpenSkin(skinpack::LzhEncodeFile(archive)));
  EXPECT_TRUE(dialogs->shown.isEmpty());
  EXPECT_EQ(reader.Count(), 4);
  EXPECT_EQ(reader.Names().first(), QByteArray("skin.ini"));
  EXPECT_EQ(reader.Version(), 20000u);
  QByteArray entry;
  EXPECT_TRUE(reader.FindEntry(QStringLiteral("FRAMETOP.BMP"), entry));
  EXPECT_EQ(entry, QByteArray("12345"));
  EXPECT_TRUE(reader.FindEntry(QStringLiteral("x.bmp"), entry));
  EXPECT_EQ(entry, QByteArray("xyz"));
  EXPECT_FALSE(reader.FindEntry(QStringLiteral("missing.bmp"), entry));
  EXPECT_TRUE(entry.isEmpty());
  QString name = QStringLiteral("unchanged");
  EXPECT_TRUE(reader.FindEntryContaining(QStringLiteral(".ini"), entry, name));
  EXPECT_EQ(name, QStringLiteral("skin.ini"));
  EXPECT_EQ(entry, QByteArray("[a]"));
  name = QStringLiteral("unchanged");
  EXPECT_FALSE(reader.FindEntryContaining(QStringLiteral(".tga"), entry, name));
  EXPECT_EQ(name, QStringLiteral("unchanged"));
}

TEST(SkinReader, FirstOfTwoEqualNamesWins) {
  TSkinReader reader;
  ASSERT_TRUE(reader.OpenArchive(skinpack::BuildArchive({{"a.bmp", "first"}, {"A.BMP", "second"}})));
  QByteArray entry;
  reader.FindEntry(QStringLiteral("a.bmp"), entry);
  EXPECT_EQ(entry, QByteArray("first"));
}

// One reader opened again and again: a refused archive leaves nothing of the
// one before (names, data, header), and an accepted one finds its own entries
// at their own offsets, not at those of the archive before.
TEST(SkinReader, OpeningAgainForgetsTheArchiveBefore) {
  testing_support::DialogScript dialogs;
  TSkinReader reader;
  EXPECT_EQ(reader.Version(), 0u);
  EXPECT_EQ(reader.NameListLength(), 0);
  ASSERT_TRUE(reader.OpenArchive(RawArchive("a.bmp\r\nb.bmp\r\n", {2, 3}, "aabbb")));
  EXPECT_EQ(reader.NameListLength(), 14);
  EXPECT_EQ(reader.DataSize(), 5);
  EXPECT_FALSE(reader.OpenArchive(RawArchive("c.bmp\r\n", {1}, "c", 19999)));
  EXPECT_EQ(reader.Count(), 0);
  EXPECT_EQ(reader.DataSize(), 0);
  EXPECT_EQ(reader.Version(), 0u);
  EXPECT_EQ(reader.NameListLength(), 0);
  ASSERT_TRUE(reader.OpenArchive(RawArchive("a.bmp\r\nb.bmp\r\n", {2, 3}, "aabbb")));
  ASSERT_TRUE(reader.OpenArchive(RawArchive("d.bmp\r\nc.bmp\r\n", {1, 1}, "dc")));
  EXPECT_EQ(reader.Names(), (QList<QByteArray>{"d.bmp", "c.bmp"}));
  QByteArray entry;
  EXPECT_TRUE(reader.FindEntry(QStringLiteral("c.bmp"), entry));
  EXPECT_EQ(entry, QByteArray("c"));
  EXPECT_TRUE(reader.FindEntry(QStringLiteral("d.bmp"), entry));
  EXPECT_EQ(entry, QByteArray("d"));
  EXPECT_FALSE(reader.FindEntry(QStringLiteral("a.bmp"), entry));
  EXPECT_EQ(dialogs->shown.size(), 1);
}

TEST(SkinReader, WrongVersionIsRefusedWithOneMessage) {
  for (const quint32 version : {0u, 19999u, 20001u, 0x204E0000u}) {
    testing_support::DialogScript dialogs;
    TSkinReader reader;
    const QByteArray archive = RawArchive("a.bmp\r\n", {3}, "abc", version);
    EXPECT_FALSE(reader.OpenSkin(skinpack::LzhEncodeFile(archive)));
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_EQ(dialogs->shown[0].text, QStringLiteral("This is Older Skin File\rPlease update to new version !"));
    EXPECT_EQ(reader.Count(), 0);
  }
  // An archive too short for its header reads as if zero bytes followed.
  testing_support::DialogScript dialogs;
  TSkinReader reader;
  EXPECT_FALSE(reader.OpenArchive(QByteArray("\x20", 1)));
  EXPECT_EQ(dialogs->shown.size(), 1);
  EXPECT_TRUE(reader.OpenArchive(QByteArray("\x20\x4e", 2)));
  EXPECT_EQ(reader.Count(), 0);
  EXPECT_EQ(dialogs->shown.size(), 1);
}

// A length word no skin can have is refused, once, with the message every
// refused skin gets; a length at the limit is decoded (and then refused for
// its version), one past it is not decoded at all.
TEST(SkinReader, AnImpossibleDeclaredLengthIsRefusedWithAMessage) {
  const QString refused = QStringLiteral("This is Older Skin File\rPlease update to new version !");
  auto fileDeclaring = [](quint32 length) {
    QByteArray file(4, '\0');
    PutU32(file, 0, length);
    return file + QByteArray("\x12\x34\x56");
  };
  EXPECT_EQ(TSkinReader::kDefaultMaxArchive, 16 * 1024 * 1024);
  for (const quint32 length : {0xFFFFFFFFu, 0x80000000u, static_cast<quint32>(TSkinReader::kDefaultMaxArchive) + 1}) {
    testing_support::DialogScript dialogs;
    TSkinReader reader;
    EXPECT_FALSE(reader.OpenSkin(fileDeclaring(length)));
    ASSERT_EQ(dialogs->shown.size(), 1) << length;
    EXPECT_EQ(dialogs->shown[0].text, refused);
    EXPECT_EQ(reader.Count(), 0);
  }
  struct Case {
    quint32 length;
    bool decoded;
  };
  for (const Case& c : {Case{1000, true}, Case{1001, false}}) {
    testing_support::DialogScript dialogs;
    TSkinReader reader;
    reader.SetMaxArchive(1000);
    EXPECT_FALSE(reader.OpenSkin(fileDeclaring(c.length)));
    ASSERT_EQ(dialogs->shown.size(), 1) << c.length;
    EXPECT_EQ(dialogs->shown[0].text, refused) << c.length;
    bool tooLarge = true;
    const QByteArray decoded = skin::TLZH::DecodeBuffer(fileDeclaring(c.length), 1000, &tooLarge);
    EXPECT_EQ(tooLarge, !c.decoded) << c.length;
    EXPECT_EQ(decoded.size() >= 1000, c.decoded) << c.length;
  }
}

TEST(SkinReader, NameListSplitsAtAnyLineBreak) {
  TSkinReader with, without, mixed;
  ASSERT_TRUE(with.OpenArchive(RawArchive("a.bmp\r\nb.bmp\r\n", {1, 2}, "xyy")));
  ASSERT_TRUE(without.OpenArchive(RawArchive("a.bmp\r\nb.bmp", {1, 2}, "xyy")));
  ASSERT_TRUE(mixed.OpenArchive(RawArchive("a.bmp\nb.bmp\rc.bmp", {1, 2, 0}, "xyy")));
  EXPECT_EQ(with.Names(), without.Names());
  EXPECT_EQ(with.Names(), (QList<QByteArray>{"a.bmp", "b.bmp"}));
  EXPECT_EQ(mixed.Count(), 3);
  QByteArray entry;
  EXPECT_TRUE(without.FindEntry(QStringLiteral("b.bmp"), entry));
  EXPECT_EQ(entry, QByteArray("yy"));
}

TEST(SkinReader, SizesBeyondTheDataMakeThoseEntriesMissing) {
  TSkinReader reader;
  // The second entry claims far more bytes than exist; the third then starts
  // outside the data as well.
  ASSERT_TRUE(reader.OpenArchive(RawArchive("a.bmp\r\nb.bmp\r\nc.bmp\r\n", {2, 0xFFFFFFF0u, 1}, "aabbb")));
  QByteArray entry;
  EXPECT_TRUE(reader.FindEntry(QStringLiteral("a.bmp"), entry));
  EXPECT_EQ(entry, QByteArray("aa"));
  EXPECT_FALSE(reader.FindEntry(QStringLiteral("b.bmp"), entry));
  EXPECT_TRUE(entry.isEmpty());
  EXPECT_FALSE(reader.FindEntry(QStringLiteral("c.bmp"), entry));
  EXPECT_TRUE(reader.ReadImage(QStringLiteral("b.bmp")).isNull());
}

TEST(SkinReader, NameListLongerThanTheArchiveReadsWhatExists) {
  QByteArray archive = RawArchive("a.bmp\r\nb.bmp\r\n", {}, {});
  PutU32(archive, 4, 0x7FFFFFFF);
  TSkinReader reader;
  ASSERT_TRUE(reader.OpenArchive(archive));
  EXPECT_EQ(reader.NameListLength(), 0x7FFFFFFF);  // the top byte read in full
  // No size words exist for the names, so none counts as an entry.
  EXPECT_EQ(reader.Count(), 0);
  QByteArray entry;
  EXPECT_FALSE(reader.FindEntry(QStringLiteral("a.bmp"), entry));
}

TEST(SkinReader, AtMostOneThousandAndOneEntries) {
  QList<Entry> entries;
  for (int i = 0; i < 1005; ++i) entries.append({QByteArray("e") + QByteArray::number(i), QByteArray::number(i)});
  TSkinReader reader;
  ASSERT_TRUE(reader.OpenArchive(skinpack::BuildArchive(entries)));
  EXPECT_EQ(reader.Count(), 1001);
  QByteArray entry;
  EXPECT_TRUE(reader.FindEntry(QStringLiteral("e1000"), entry));
  EXPECT_EQ(entry, QByteArray("1000"));
  EXPECT_FALSE(reader.FindEntry(QStringLiteral("e1001"), entry));
  EXPECT_FALSE(reader.FindEntry(QStringLiteral("e1004"), entry));
}

TEST(SkinReader, ImageAddressing) {
  const QImage red = skintest::Solid(3, 2, qRgb(255, 0, 0));
  const QByteArray archive = skinpack::BuildArchive({{"skin.ini", "x"},
                                                     {"FrameTop.bmp", skintest::BmpOf(red)},
                                                     {"empty.bmp", ""},
                                                     {"broken.bmp", "BMnot really"},
                                                     {"pic.tga", skintest::BmpOf(red)},
                                                     {"dir/pic.bmp", skintest::BmpOf(red)}});
  TSkinReader reader;
  ASSERT_TRUE(reader.OpenArchive(archive));
  const QImage found = reader.ReadImage(QStringLiteral("FrameTop.bmp"));
  ASSERT_FALSE(found.isNull());
  EXPECT_EQ(found.size(), QSize(3, 2));
  EXPECT_EQ(found.pixel(2, 1), qRgb(255, 0, 0));
  // A directory part is dropped, up to the last backslash or colon; the file
  // name then matches whatever its letter case.
  EXPECT_FALSE(reader.ReadImage(QStringLiteral("C:\\skins\\old\\FRAMETOP.bmp")).isNull());
  EXPECT_FALSE(reader.ReadImage(QStringLiteral("c:frametop.bmp")).isNull());
  // A slash is part of the name.
  EXPECT_FALSE(reader.ReadImage(QStringLiteral("dir/pic.bmp")).isNull());
  // The extension must be ".bmp" exactly.
  EXPECT_TRUE(reader.ReadImage(QStringLiteral("FrameTop.BMP")).isNull());
  EXPECT_TRUE(reader.ReadImage(QStringLiteral("pic.tga")).isNull());
  EXPECT_TRUE(reader.ReadImage(QStringLiteral("skins\\")).isNull());
  EXPECT_TRUE(reader.ReadImage(QString()).isNull());
  // Missing, empty and unreadable entries give no image.
  EXPECT_TRUE(reader.ReadImage(QStringLiteral("none.bmp")).isNull());
  EXPECT_TRUE(reader.ReadImage(QStringLiteral("empty.bmp")).isNull());
  EXPECT_TRUE(reader.ReadImage(QStringLiteral("broken.bmp")).isNull());
}

TEST(SkinReader, GarbageNeverReadsOutsideTheData) {
  // Arbitrary archives after a valid version word: every lookup stays safe.
  QRandomGenerator rng(5);
  for (int round = 0; round < 300; ++round) {
    QByteArray a(static_cast<qsizetype>(rng.bounded(200)), '\0');
    for (char& c : a) c = static_cast<char>(rng.bounded(256));
    QByteArray archive(16, '\0');
    PutU32(archive, 0, 20000);
    PutU32(archive, 4, rng.bounded(2) ? rng.bounded(64) : rng.generate());
    archive += a;
    TSkinReader reader;
    ASSERT_TRUE(reader.OpenArchive(archive));
    QByteArray entry;
    for (const QByteArray& n : reader.Names()) {
      if (reader.FindEntry(QString::fromLatin1(n), entry)) {
        EXPECT_LE(entry.size(), reader.DataSize());
      }
    }
  }
}

}  // namespace
