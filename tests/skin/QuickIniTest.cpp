// The INI dialect of skins.
#include <gtest/gtest.h>

#include "platform/Gbk.h"
#include "skin/core/QuickIni.h"

namespace {

using skin::TQuickIni;

TQuickIni Parse(const QByteArray& text) {
  TQuickIni ini;
  ini.LoadFromStream(text);
  return ini;
}

TEST(QuickIni, KeysIgnoreBlanksAndLetterCase) {
  const TQuickIni ini =
      Parse("[Personality]\r\n   Left  =  FrameLeft.bmp   \r\nTOP=t.bmp\r\n\tMix=\tv\t\r\nMark = !x! \r\n");
  EXPECT_EQ(ini.ReadString("Personality", "left", "d"), QStringLiteral("FrameLeft.bmp"));
  EXPECT_EQ(ini.ReadString("PERSONALITY", "Top", "d"), QStringLiteral("t.bmp"));
  EXPECT_EQ(ini.ReadString("personality", "mix", "d"), QStringLiteral("v"));
  EXPECT_EQ(ini.ReadString("personality", "mark", "d"), QStringLiteral("!x!"));  // only blanks and controls go
  EXPECT_EQ(ini.ReadString("Personality", "Right", "d"), QStringLiteral("d"));
  EXPECT_EQ(ini.ReadString("Other", "Left", "d"), QStringLiteral("d"));
}

TEST(QuickIni, EmptyValueKeepsTheDefaultAndStopsTheSearch) {
  const TQuickIni ini = Parse("[s]\nkey=\nkey=later\nother = a=b=c\n");
  EXPECT_EQ(ini.ReadString("s", "key", "def"), QStringLiteral("def"));
  EXPECT_EQ(ini.ReadInteger("s", "key", 7), 7);
  // Everything after the first "=" is the value.
  EXPECT_EQ(ini.ReadString("s", "other", ""), QStringLiteral("a=b=c"));
}

TEST(QuickIni, FirstOfDuplicateSectionsAndKeysWins) {
  const TQuickIni ini = Parse("[A]\nx=1\nx=2\n[b]\ny=3\n[a]\nx=9\nz=4\n");
  EXPECT_EQ(ini.ReadInteger("a", "x", 0), 1);
  // Keys of the second [a] are never seen.
  EXPECT_EQ(ini.ReadInteger("A", "z", -1), -1);
  // A key search stops at the next section.
  EXPECT_EQ(ini.ReadInteger("b", "x", -1), -1);
  EXPECT_EQ(ini.ReadInteger("b", "y", -1), 3);
}

TEST(QuickIni, Integers) {
  const TQuickIni ini = Parse(
      "[n]\nhex=0x1F\nHEX=0X10\ndollar=$ff\nneg=-12\nplus=+5\nword=abc\nmixed=12px\nonlyprefix=0x\n"
      "big=4294967296\nmax=2147483647\nshort=0x5\nupper=0X1a\n");
  EXPECT_EQ(ini.ReadInteger("n", "hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("n", "dollar", 0), 255);
  EXPECT_EQ(ini.ReadInteger("n", "neg", 0), -12);
  EXPECT_EQ(ini.ReadInteger("n", "plus", 0), 5);
  EXPECT_EQ(ini.ReadInteger("n", "word", 42), 42);
  EXPECT_EQ(ini.ReadInteger("n", "mixed", 42), 42);
  EXPECT_EQ(ini.ReadInteger("n", "onlyprefix", 42), 42);
  EXPECT_EQ(ini.ReadInteger("n", "big", 42), 42);
  EXPECT_EQ(ini.ReadInteger("n", "max", 0), 2147483647);
  EXPECT_EQ(ini.ReadInteger("n", "short", 0), 5);   // one digit after the prefix
  EXPECT_EQ(ini.ReadInteger("n", "upper", 0), 26);  // a capital X
  EXPECT_EQ(ini.ReadInteger("n", "absent", -3), -3);
}

// Only a leading "0x" (either case of the x) or "$" starts hexadecimal digits;
// hexadecimal text names a 32-bit pattern, as skins store colours.
TEST(QuickIni, HexadecimalOnlyAfterZeroXOrDollar) {
  const TQuickIni ini = Parse(
      "[n]\nlowx=x1F\nupx=X1f\nsigned0x=-0x10\nplus0x=+0x10\nbare=1F\nsmall0x=0x1f\nbig0X=0XFFFFFFFF\n"
      "top=0x7FFFFFFF\nwrap=$80000000\nneg=-$10\ntoolong=$100000000\nblank0x=0x 1\n");
  EXPECT_EQ(ini.ReadInteger("n", "lowx", 42), 42);
  EXPECT_EQ(ini.ReadInteger("n", "upx", 42), 42);
  EXPECT_EQ(ini.ReadInteger("n", "signed0x", 42), 42);
  EXPECT_EQ(ini.ReadInteger("n", "plus0x", 42), 42);
  EXPECT_EQ(ini.ReadInteger("n", "bare", 42), 42);
  EXPECT_EQ(ini.ReadInteger("n", "small0x", 0), 31);
  EXPECT_EQ(ini.ReadInteger("n", "big0X", 0), -1);
  EXPECT_EQ(ini.ReadInteger("n", "top", 0), 2147483647);
  EXPECT_EQ(ini.ReadInteger("n", "wrap", 0), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("n", "neg", 0), -16);
  EXPECT_EQ(ini.ReadInteger("n", "toolong", 42), 42);
  EXPECT_EQ(ini.ReadInteger("n", "blank0x", 42), 42);
}

TEST(QuickIni, CommentsBlankLinesLineBreaksAndNul) {
  QByteArray text("; heading\r\n\r\n[s]\r  ; note=1\nkey=a\r\n");
  text += QByteArray("[t]\nafter=1\n");
  text.insert(text.indexOf("[t]"), QByteArray("\0junk\n", 6));
  const TQuickIni ini = Parse(text);
  EXPECT_EQ(ini.ReadString("s", "key", ""), QStringLiteral("a"));
  EXPECT_EQ(ini.ReadString("s", "; note", "none"), QStringLiteral("none"));
  // Parsing stops at the NUL byte.
  EXPECT_FALSE(ini.SectionExists("t"));
  EXPECT_EQ(ini.Lines(), (QStringList{"[s]", "key=a"}));
  // A NUL as the very first byte, of the text or from the given position, leaves nothing.
  const QByteArray nulFirst("\0[s]\nk=1\n", 9);
  EXPECT_EQ(Parse(nulFirst).SectionCount(), 0);
  TQuickIni fromNul;
  fromNul.LoadFromStream("[a]\nk=1\n" + nulFirst, 8);
  EXPECT_TRUE(fromNul.Lines().isEmpty());
}

// Loading again replaces everything the object held.
TEST(QuickIni, LoadingAgainForgetsTheEarlierText) {
  TQuickIni ini;
  ini.LoadFromStream("[a]\nx=1\n[b]\ny=2\n");
  ini.LoadFromStream("[A]\nx=3\n");
  EXPECT_EQ(ini.ReadInteger("a", "x", 0), 3);
  EXPECT_FALSE(ini.SectionExists("b"));
  EXPECT_EQ(ini.SectionCount(), 1);
  EXPECT_EQ(ini.Lines(), (QStringList{"[A]", "x=3"}));
  QStringList sections{"stale"};
  ini.ReadSections(sections);
  EXPECT_EQ(sections, QStringList{"A"});
}

TEST(QuickIni, SectionsInFileOrderTrimmed) {
  const TQuickIni ini =
      Parse("[ Colours ]\n[Button.Close]\nx=1\nedge=end]\n[open\n[ToolBars]\nnot a [section\n[]\n");
  QStringList sections;
  ini.ReadSections(sections);
  EXPECT_EQ(sections, (QStringList{"Colours", "Button.Close", "ToolBars", ""}));
  // Looking a section up matches the header as written, letter case aside.
  EXPECT_TRUE(ini.SectionExists("Toolbars"));
  EXPECT_FALSE(ini.SectionExists("Colours"));
  EXPECT_TRUE(ini.SectionExists(" Colours "));
  // A header both starts with "[" and ends with "]": a line with only one of them is a key line.
  EXPECT_EQ(ini.ReadString("Button.Close", "edge", "d"), QStringLiteral("end]"));
  EXPECT_EQ(ini.ReadString("Button.Close", "", "d"), QStringLiteral("[open"));  // the empty key of a line without "="
}

// The index answers as the scan it replaces: headers fold letter case beyond
// ASCII, a later section of the same name under another case is never read,
// a line without "=" has the empty key, and a key is looked up in its own
// section only.
TEST(QuickIni, TheIndexFindsWhatAScanWouldFind) {
  const QByteArray text = platform::ToGbk(QStringLiteral(
      "[Ärger]\nk=1\n[ärger]\nk=2\nz=3\n[ΣΊΣΥΦΟΣ]\n  lone line  \n=x\nK = 4\n[last]\nk=5\n[𐐀]\nk=6\n"));
  const TQuickIni ini = Parse(text);
  EXPECT_EQ(ini.SectionCount(), 5);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("äRGER"), "k", 0), 1);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("ärger"), "z", 0), 0);
  EXPECT_EQ(ini.ReadString(QStringLiteral("σίσυφος"), "", "d"), QStringLiteral("lone line"));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("ΣΊΣΥΦΟΣ"), "k", 0), 4);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("Last"), "K", 0), 5);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("last"), "z", -1), -1);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("𐐨"), "k", 0), 6);  // a letter beyond the first plane folds whole
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("𐐁"), "k", -1), -1);  // and its neighbour, of the same first half, stays another
  // A stray second half after a letter is no pair: U+D7C1 with U+DC00 would make U+0400.
  const TQuickIni cyrillic = Parse(platform::ToGbk(QStringLiteral("[\u0400]\nk=7\n")));
  EXPECT_EQ(cyrillic.ReadInteger(QStringLiteral("\u0450"), "k", 0), 7);
  EXPECT_EQ(cyrillic.ReadInteger(QString(QChar(0xD7C1)) + QChar(0xDC00), "k", 0), 0);
}

TEST(QuickIni, ValuesAreGbkText) {
  // A line of GBK characters only; a byte 0x80, which starts no character.
  const TQuickIni ini = Parse("[TitlebarSkin]\nSkinName=" + platform::ToGbk(QStringLiteral("古色古香")) + "\n[lone]\n" +
                              platform::ToGbk(QStringLiteral("古香")) + "\n[odd]\nk=a\x80z\n");
  EXPECT_EQ(ini.ReadString("TitlebarSkin", "SkinName", ""), QStringLiteral("古色古香"));
  EXPECT_EQ(ini.ReadString("lone", "", ""), QStringLiteral("古香"));
  EXPECT_EQ(ini.ReadString("odd", "k", ""), QStringLiteral("a\uFFFDz"));
}

TEST(QuickIni, ParsesFromAGivenPosition) {
  TQuickIni ini;
  ini.LoadFromStream("[skip]\na=1\n[s]\nb=2\n", 11);
  EXPECT_FALSE(ini.SectionExists("skip"));
  EXPECT_EQ(ini.ReadInteger("s", "b", 0), 2);
}

}  // namespace
