// Text, form and character rules of the corpus converter.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tools/corpus/Forms.h"
#include "tools/corpus/CharacterRule.h"
#include "tools/corpus/Sources.h"
#include "tools/corpus/TextRules.h"
#include "tools/corpus/Tsv.h"

using namespace corpus;

TEST(CorpusText, MiddleDotsAndStrayBlanksAreUnified) {
  EXPECT_EQ(NormalizeText("念奴娇・赤壁怀古"), "念奴娇·赤壁怀古");
  EXPECT_EQ(NormalizeText("念奴娇·赤壁怀古"), "念奴娇·赤壁怀古");
  EXPECT_EQ(NormalizeText("眉州眉山 (今属四川) 人"), "眉州眉山(今属四川)人");
  EXPECT_EQ(NormalizeText("  太原祁 县　"), "太原祁县");
  // Titles keep a word break as one blank.
  EXPECT_EQ(NormalizeTitle("出塞二首  一"), "出塞二首 一");
  EXPECT_EQ(NormalizeTitle("菩萨蛮 ・ 其一"), "菩萨蛮·其一");
}

TEST(CorpusText, NotesLeaveTheLine) {
  std::vector<std::string> notes;
  EXPECT_EQ(TakeNotes("春眠不觉晓（一作春眠不知晓），处处闻啼鸟。", notes), "春眠不觉晓，处处闻啼鸟。");
  EXPECT_EQ(TakeNotes("夜来(一作：昨夜)风雨声", notes), "夜来风雨声");
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0], "一作春眠不知晓");
  EXPECT_EQ(notes[1], "一作：昨夜");
  // An unclosed bracket is text, not a note.
  EXPECT_EQ(TakeNotes("花落知多少（", notes), "花落知多少（");
  EXPECT_EQ(notes.size(), 2u);
}

TEST(CorpusText, PlaceholdersAndAnonymousNames) {
  EXPECT_TRUE(HasPlaceholder("綬吐芽猶嫩，冰□已鏤津。"));
  EXPECT_FALSE(HasPlaceholder("床前明月光"));
  EXPECT_TRUE(IsAnonymous("无名氏"));
  EXPECT_TRUE(IsAnonymous("佚名"));
  EXPECT_FALSE(IsAnonymous("无名氏（唐）"));
  EXPECT_EQ(CleanAuthorName("尹鹗 六首"), "尹鹗");
  EXPECT_EQ(CleanAuthorName(" 温庭筠 "), "温庭筠");
}

TEST(CorpusText, BiographiesLoseMarkersAndRepeatedNames) {
  EXPECT_EQ(CleanBiography("巴谈", "--"), "");
  EXPECT_EQ(CleanBiography("巴谈", ""), "");
  EXPECT_EQ(CleanBiography("牛希济", "--陇西 (今甘肃) 人。牛峤之侄。前蜀时，累官翰林学士。"),
            "陇西(今甘肃)人。牛峤之侄。前蜀时，累官翰林学士。");
  EXPECT_EQ(CleanBiography("苏轼", "苏轼：(1037-1101) 北宋文学家、书画家。--(1037―1101) 字子瞻，号东坡居士。"),
            "(1037-1101)北宋文学家、书画家。");
  EXPECT_EQ(FirstPhrase("大江东去，浪淘尽"), "大江东去");
}

TEST(CorpusText, LifeDatesFromTheBiographysOpening) {
  EXPECT_EQ(LifeDates("(1037-1101)北宋文学家"), "1037-1101");
  EXPECT_EQ(LifeDates("(约 812 ― 约 870)，本名岐"), "约812-约870");
  EXPECT_EQ(LifeDates("宋太祖趙匡胤（九二七～九七六），涿州人"), "927-976");
  EXPECT_EQ(LifeDates("李璟（916－961年8月12日），即南唐元宗"), "916-961");
  EXPECT_EQ(LifeDates("(1232-约1298)字公谨"), "1232-约1298");
  // Brackets that hold no dates give nothing.
  EXPECT_EQ(LifeDates("陇西(今甘肃)人"), "");
  EXPECT_EQ(LifeDates("字里无考。"), "");
  EXPECT_EQ(LifeDates("（？－868）"), "");
  // A death year written short takes the birth year's leading digits, or the
  // next century's when it would come before the birth.
  EXPECT_EQ(LifeDates("杨察（一○一一～○五六），字隠甫"), "1011-1056");
  EXPECT_EQ(LifeDates("(1090-05)某人"), "1090-1105");
  EXPECT_EQ(LifeDates("(1090-95)某人"), "1090-1095");
  EXPECT_EQ(LifeDates("(约1099-约1)某人"), "");  // one digit is no year
  // A death before the birth is no life; a death in the birth year is one.
  EXPECT_EQ(LifeDates("（约 895－796）"), "");
  EXPECT_EQ(LifeDates("(1101-1037)"), "");
  EXPECT_EQ(LifeDates("(1037-1037)"), "1037-1037");
  EXPECT_EQ(LifeDates("(9999-05)"), "");  // the century step would give five digits
  EXPECT_EQ(LifeDates("(9899-05)"), "9899-9905");
  // The long dash written twice is one dash; a doubled tilde marks a lost digit.
  EXPECT_EQ(LifeDates("元好问:（1190――1257）字欲之"), "1190-1257");
  EXPECT_EQ(LifeDates("（1190——1257）"), "1190-1257");
  EXPECT_EQ(LifeDates("（1190—―1257）"), "");
  EXPECT_EQ(LifeDates("吕大钧（一○三～～○八二），字和叔"), "");
}

TEST(CorpusText, NotesSplitOverLinesAreJoinedFirst) {
  // The package breaks a long note into lines; the line that opens it is
  // joined up to the line that closes it.
  EXPECT_EQ(JoinSplitNotes({"古今同逝（一作「代谢」。", "）方深川上之悲；", "少长偕游。"}),
            (std::vector<std::string>{"古今同逝（一作「代谢」。）方深川上之悲；", "少长偕游。"}));
  EXPECT_EQ(JoinSplitNotes({"甲（注一", "注二", "注三）乙", "丙(x)"}),
            (std::vector<std::string>{"甲（注一注二注三）乙", "丙(x)"}));
  // A bracket that never closes, or closes only after a stanza break, is text.
  EXPECT_EQ(JoinSplitNotes({"花落（", "知多少"}), (std::vector<std::string>{"花落（", "知多少"}));
  EXPECT_EQ(JoinSplitNotes({"花落（", "", "）知多少"}), (std::vector<std::string>{"花落（", "", "）知多少"}));
  // A closed note and an open one on one line: the open one decides.
  EXPECT_EQ(JoinSplitNotes({"(a)b〔c", "d〕"}), (std::vector<std::string>{"(a)b〔cd〕"}));
  EXPECT_TRUE(JoinSplitNotes({}).empty());
}

TEST(CorpusForms, ShapeNeverMakesRegulatedVerse) {
  const std::vector<std::string> eight5 = {"白日依山尽，黄河入海流。", "欲穷千里目，更上一层楼。",
                                           "白日依山尽，黄河入海流。", "欲穷千里目，更上一层楼。"};
  EXPECT_EQ(ShapeForm(eight5), "五言古诗");
  EXPECT_EQ(ShapeForm({"白日依山尽，黄河入海流。", "欲穷千里目，更上一层楼。"}), "五言绝句");
  EXPECT_EQ(ShapeForm({"朝辞白帝彩云间，千里江陵一日还。", "两岸猿声啼不住，轻舟已过万重山。"}), "七言绝句");
  EXPECT_EQ(ShapeForm({"关关雎鸠，在河之洲。", "窈窕淑女，君子好逑。"}), "四言古诗");
  EXPECT_EQ(ShapeForm({"噫吁嚱，危乎高哉！", "蜀道之难，难于上青天！"}), "杂言古诗");
  EXPECT_EQ(ClauseLengths({"床前明月光（一作看月光），疑是地上霜。"}), (std::vector<int>{10, 5}));
}

TEST(CorpusForms, PackageLabelsAndTunes) {
  EXPECT_EQ(TaggedForm({"唐诗三百首", "写景", "五言律诗"}), "五言律诗");
  EXPECT_EQ(TaggedForm({"七言古诗", "乐府"}), "乐府");
  EXPECT_EQ(TaggedForm({"唐诗三百首", "咏物"}), "");
  EXPECT_EQ(CiTune("菩萨蛮 其一"), "菩萨蛮");
  EXPECT_EQ(CiTune("长相思·山一程"), "长相思");
  EXPECT_EQ(CiTune("浣溪沙"), "浣溪沙");

  const auto autumn = ParseQuTitle("越调·天净沙秋思");
  ASSERT_TRUE(autumn.has_value());
  EXPECT_EQ(autumn->mode, "越调");
  EXPECT_EQ(autumn->tune, "天净沙");
  EXPECT_EQ(autumn->subtitle, "秋思");
  EXPECT_EQ(QuForm(*autumn), "越调·天净沙");
  const auto bare = ParseQuTitle("正宫·塞鸿秋");
  ASSERT_TRUE(bare.has_value());
  EXPECT_EQ(bare->subtitle, "");
  // Titles carrying body text, plays and unknown modes are not single pieces.
  EXPECT_FALSE(ParseQuTitle("梁州·看白支闲出岫频移净几，爱青山正当窗不卷疏帘。").has_value());
  EXPECT_FALSE(ParseQuTitle("南吕·四块玉别情，又一首长长的正文在这里").has_value());
  EXPECT_FALSE(ParseQuTitle("诈妮子调风月·天净沙").has_value());
  EXPECT_FALSE(ParseQuTitle("越调·不是曲牌").has_value());
}

TEST(CorpusCharacters, RareCharactersStayAndUnreadableOnesGo) {
  EXPECT_TRUE(InGbk(U'唐'));
  EXPECT_TRUE(InGbk(U'·'));
  EXPECT_TRUE(InGbk(U'鶒'));
  EXPECT_FALSE(InGbk(U'𫛶'));
  EXPECT_FALSE(InGbk(0x30FB));
  EXPECT_TRUE(FitsGbk("床前明月光\n疑是地上霜"));
  EXPECT_FALSE(FitsGbk("㶉𫛶"));
  EXPECT_EQ(ReplaceLookAlikes("1037―1101・"), "1037—1101·");
  // Characters of the extension blocks are readable; the edges of the
  // private-use areas, the replacement character and controls are not.
  for (char32_t c : {U'㐀', U'𠀀', U'𫛶', char32_t(0xF900), char32_t(0xE0100), char32_t(0xEFFFD)})
    EXPECT_TRUE(IsReadable(c)) << std::hex << static_cast<unsigned>(c);
  for (char32_t c : {char32_t(0xE000), char32_t(0xF8FF), char32_t(0xF0000), char32_t(0x10FFFD), char32_t(0xFFFD),
                     char32_t(0xFFFE), char32_t(0x1FFFF), char32_t(0xFDD0), char32_t(0x7F), char32_t(0x0D)})
    EXPECT_FALSE(IsReadable(c)) << std::hex << static_cast<unsigned>(c);
  EXPECT_TRUE(AllReadable("㶉𫛶\n飞\t"));
  EXPECT_FALSE(AllReadable("水鸟\xEE\x80\x80飞"));  // U+E000
  EXPECT_FALSE(AllReadable("\xFF"));                  // a broken UTF-8 byte
  size_t dropped = 0;
  EXPECT_EQ(DropUnreadable("水鸟𫛶\xEE\x80\x80飞", dropped), "水鸟𫛶飞");
  EXPECT_EQ(dropped, 1u);
}

TEST(CorpusCharacters, SimplifyingKeepsTheOriginalWhereGbkLacksTheNewForm) {
  Simplifier s;
  EXPECT_EQ(s("牀前明月光，疑是地上霜。"), "床前明月光，疑是地上霜。");
  EXPECT_EQ(s("爲"), "为");
  const std::string birds = s("鸂鶒");
  EXPECT_TRUE(FitsGbk(birds)) << birds;
  EXPECT_NE(birds.find("鶒"), std::string::npos);
}

TEST(CorpusTsv, FieldsRoundTrip) {
  for (const std::string& f : {std::string("a\tb"), std::string("line\nline"), std::string("back\\slash"),
                               std::string("\\N"), std::string("cr\r\n")})
    EXPECT_EQ(UnescapeField(EscapeField(f)), f);
  EXPECT_EQ(EscapeField("\\N"), "\\\\N");  // a text "\N" must not read as NULL
  EXPECT_EQ(EscapeField("一\n二"), "一\\n二");

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string path = dir.filePath("t.tsv").toStdString();
  Table t;
  t.columns = {"name", "count:int"};
  t.rows = {{"李白", "51"}, {"多\t行\n文", "0"}};
  WriteTsv(path, t);
  const Table back = ReadTsv(path);
  EXPECT_EQ(back.columns, t.columns);
  EXPECT_EQ(back.rows, t.rows);
  EXPECT_EQ(ColumnIndex(back, "count"), 1u);
  EXPECT_THROW(ColumnIndex(back, "missing"), std::runtime_error);
}

TEST(CorpusTsv, RowsWithTheWrongNumberOfFieldsAreRefused) {
  QTemporaryDir dir;
  const QString path = dir.filePath("bad.tsv");
  {
    FILE* f = std::fopen(path.toLocal8Bit().constData(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("a\tb\n1\t2\n3\t4\t5\n", f);
    std::fclose(f);
  }
  try {
    ReadTsv(path.toStdString());
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(":3:"), std::string::npos) << e.what();
  }
}
