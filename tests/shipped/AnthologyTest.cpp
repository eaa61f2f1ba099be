// How the converter assembles the anthology: merging, leaving out, naming and
// counting.
#include <gtest/gtest.h>

#include "tools/corpus/Anthology.h"

using namespace corpus;

namespace {

Anthology Make() { return Anthology({"先秦", "唐代", "宋代"}); }

const Row* FindRow(const Table& t, size_t column, const std::string& value) {
  for (const Row& r : t.rows)
    if (r[column] == value) return &r;
  return nullptr;
}

}  // namespace

TEST(Anthology, DuplicatesMergeAndAuthorsAreCounted) {
  Anthology a = Make();
  EXPECT_EQ(a.AddPoem("唐代", "静夜思", "李白", "五言绝句", {"床前明月光，疑是地上霜。", "举头望明月，低头思故乡。"}),
            LeftOut::None);
  // Same text with other marks: one poem.
  EXPECT_EQ(a.AddPoem("唐代", "夜思", "李白", "五言绝句", {"床前明月光 疑是地上霜", "举头望明月 低头思故乡"}),
            LeftOut::Duplicate);
  EXPECT_EQ(a.AddPoem("唐代", "春晓", "孟浩然", "五言绝句", {"春眠不觉晓，处处闻啼鸟。"}), LeftOut::None);
  EXPECT_EQ(a.AddPoem("唐代", "赠汪伦", "李白", "七言绝句", {"李白乘舟将欲行，忽闻岸上踏歌声。"}), LeftOut::None);
  a.SetCurated("李白", "701-762", "李白，字太白，号青莲居士，唐代诗人。");
  const Table authors = a.AuthorTable();
  ASSERT_EQ(authors.rows.size(), 2u);
  const Row* li = FindRow(authors, 0, "李白");
  ASSERT_NE(li, nullptr);
  EXPECT_EQ((*li)[1], "701-762");
  EXPECT_EQ((*li)[2], "2");
  EXPECT_EQ((*li)[4], "唐代");
  const Row* meng = FindRow(authors, 0, "孟浩然");
  ASSERT_NE(meng, nullptr);
  EXPECT_EQ((*meng)[1], "生卒年不详");
  EXPECT_FALSE((*meng)[3].empty());  // a biography even when none was given
  EXPECT_EQ(a.counts().duplicates, 1u);
}

TEST(Anthology, AnonymousAuthorsOfDifferentErasStayApart) {
  Anthology a = Make();
  a.AddPoem("唐代", "哥舒歌", "无名氏", "五言绝句", {"北斗七星高，哥舒夜带刀。"});
  a.AddPoem("宋代", "失调名", "无名氏", "词", {"一曲清歌酒一巡。"});
  a.AddPoem("先秦", "关雎", "佚名", "诗经体", {"关关雎鸠，在河之洲。"});
  const Table poems = a.PoetryTable();
  ASSERT_EQ(poems.rows.size(), 3u);
  EXPECT_EQ(poems.rows[0][1], "无名氏（唐）");
  EXPECT_EQ(poems.rows[1][1], "无名氏（宋）");
  EXPECT_EQ(poems.rows[2][1], "无名氏（先秦）");
  const Table authors = a.AuthorTable();
  ASSERT_EQ(authors.rows.size(), 3u);
  // Authors come in era order, each counted on its own.
  EXPECT_EQ(authors.rows[0][4], "先秦");
  EXPECT_EQ(authors.rows[1][4], "唐代");
  EXPECT_EQ(authors.rows[2][4], "宋代");
  for (const Row& r : authors.rows) EXPECT_EQ(r[2], "1");
}

TEST(Anthology, DamagedPoemsAreLeftOutAndNotesMoved) {
  Anthology a = Make();
  EXPECT_EQ(a.AddPoem("唐代", "守岁", "高宗", "五言古诗", {"綬吐芽猶嫩，冰□已鏤津。"}), LeftOut::Placeholder);
  // A line lost entirely still marks the poem as damaged.
  EXPECT_EQ(a.AddPoem("五代", "谢新恩", "李煜", "谢新恩", {"樱花落尽春将困，秋千架下归时。", "□□□□，□□□。"}),
            LeftOut::Placeholder);
  EXPECT_EQ(a.AddPoem("唐代", "无题", "某人", "五言古诗", {"", "  "}), LeftOut::Empty);
  EXPECT_EQ(a.AddPoem("唐代", "", "某人", "五言古诗", {"（缺）。", "。"}), LeftOut::Empty);
  // A private-use character stands for a glyph of the source's own font.
  EXPECT_EQ(a.AddPoem("唐代", "水鸟", "某人", "五言古诗", {"水鸟\xEE\x80\x85飞。"}), LeftOut::Unreadable);
  EXPECT_EQ(a.AddPoem("唐代", "", "孟浩然", "五言绝句",
                      {"春眠不觉晓（一作春眠不知晓），处处闻啼鸟。", "夜来风雨声，花落知多少。"}),
            LeftOut::None);
  // A note broken over two lines leaves the text as one line.
  EXPECT_EQ(a.AddPoem("唐代", "序", "王勃", "杂言古诗", {"嗟乎！古今同逝（一作「代谢」。", "）方深川上之悲。"}), LeftOut::None);
  const Table poems = a.PoetryTable();
  ASSERT_EQ(poems.rows.size(), 2u);
  EXPECT_EQ(poems.rows[1][4], "嗟乎！古今同逝方深川上之悲。\n\n注：一作「代谢」。");
  const Row& p = poems.rows[0];
  EXPECT_EQ(p[0], "春眠不觉晓");  // an empty title is made from the first line
  EXPECT_EQ(p[3], "春眠不觉晓，处处闻啼鸟。");
  EXPECT_EQ(p[4], "春眠不觉晓，处处闻啼鸟。\n夜来风雨声，花落知多少。\n\n注：一作春眠不知晓");
  EXPECT_EQ(a.counts().placeholders, 2u);
  EXPECT_EQ(a.counts().unreadable, 1u);
  EXPECT_EQ(a.counts().empty, 2u);
}

TEST(Anthology, RareCharactersFragmentsAndSharedFirstLinesAreKept) {
  Anthology a = Make();
  EXPECT_EQ(a.AddPoem("唐代", "水鸟", "某人", "五言古诗", {"㶉𫛶飞。"}), LeftOut::None);
  EXPECT_EQ(a.AddPoem("唐代", "句", "某人", "五言古诗", {"孤灯然客梦，寒杵捣乡愁。"}), LeftOut::None);
  EXPECT_EQ(a.AddPoem("唐代", "句 二", "某人", "五言古诗", {"山中一夜雨，树杪百重泉。"}), LeftOut::None);
  EXPECT_EQ(a.AddPoem("唐代", "句 其三", "某人", "七言古诗", {"一片冰心在玉壶。"}), LeftOut::None);
  // A title that only starts with 句 is no fragment.
  EXPECT_EQ(a.AddPoem("唐代", "句曲山", "某人", "五言绝句", {"句曲山中住，云深不知处。"}), LeftOut::None);
  EXPECT_EQ(a.AddPoem("唐代", "春晓", "孟浩然", "五言绝句", {"春眠不觉晓，处处闻啼鸟。", "夜来风雨声。"}),
            LeftOut::None);
  EXPECT_EQ(a.AddPoem("唐代", "春晓又一首", "孟浩然", "五言绝句", {"春眠不觉晓，处处闻啼鸟。", "别的结尾。"}),
            LeftOut::None);
  // The same first line by another author is no shared line.
  EXPECT_EQ(a.AddPoem("唐代", "拟春晓", "某人", "五言绝句", {"春眠不觉晓，处处闻啼鸟。", "又一结尾。"}),
            LeftOut::None);
  const Table poems = a.PoetryTable();
  ASSERT_EQ(poems.rows.size(), 8u);
  EXPECT_EQ(poems.rows[0][4], "㶉𫛶飞。");
  EXPECT_EQ(poems.rows[1][0], "句");
  EXPECT_EQ(poems.rows[1][2], Anthology::kFragmentForm);
  EXPECT_EQ(poems.rows[2][0], "句 二");
  EXPECT_EQ(poems.rows[2][2], Anthology::kFragmentForm);
  EXPECT_EQ(poems.rows[3][0], "句 其三");
  EXPECT_EQ(poems.rows[3][2], Anthology::kFragmentForm);
  EXPECT_EQ(poems.rows[4][2], "五言绝句");
  EXPECT_EQ(poems.rows[5][3], poems.rows[6][3]);
  EXPECT_EQ(a.counts().outsideGbk, 1u);
  EXPECT_EQ(a.counts().fragments, 3u);
  EXPECT_EQ(a.counts().sameHead, 1u);
  const Table authors = a.AuthorTable();
  const Row* meng = FindRow(authors, 0, "孟浩然");
  ASSERT_NE(meng, nullptr);
  EXPECT_EQ((*meng)[2], "2");
}

TEST(Anthology, AuthorsGoToTheEraTheirLifeFits) {
  Anthology a({"先秦", "唐代", "五代", "宋代", "元代"});
  // A Song poet whose poem an anthology of Tang poems carries.
  a.SetCurated("蔡襄", "1012-1067", "");
  a.AddPoem("唐代", "度南涧", "蔡襄", "七言绝句", {"隐隐飞桥隔野烟，石矶西畔问渔船。"});
  // A life that spans two eras stays where its first poem put it.
  a.SetCurated("韦庄", "836-910", "");
  a.AddPoem("唐代", "台城", "韦庄", "七言绝句", {"江雨霏霏江草齐，六朝如梦鸟空啼。"});
  // A poet with poems under two eras goes to the first that fits the life.
  a.SetCurated("徐铉", "916-991", "");
  a.AddPoem("唐代", "梦游", "徐铉", "七言绝句", {"魂梦悠扬不奈何。"});
  a.AddPoem("五代", "又一首", "徐铉", "七言绝句", {"别的诗句在这里。"});
  a.AddPoem("宋代", "第三首", "徐铉", "七言绝句", {"第三首的诗句。"});
  // A life that fits no era, and one without dates, stay where they were.
  a.SetCurated("某甲", "1500-1560", "");
  a.AddPoem("唐代", "诗一", "某甲", "七言绝句", {"某甲的一句诗。"});
  a.AddPoem("唐代", "诗二", "某乙", "七言绝句", {"某乙的一句诗。"});
  const Table authors = a.AuthorTable();
  auto eraOf = [&](const std::string& name) {
    const Row* r = FindRow(authors, 0, name);
    return r ? (*r)[4] : std::string("(missing)");
  };
  EXPECT_EQ(eraOf("蔡襄"), "宋代");
  EXPECT_EQ(eraOf("韦庄"), "唐代");
  EXPECT_EQ(eraOf("徐铉"), "五代");
  EXPECT_EQ(eraOf("某甲"), "唐代");
  EXPECT_EQ(eraOf("某乙"), "唐代");
  EXPECT_EQ(a.counts().authorsMoved, 2u);
  EXPECT_EQ(a.counts().livesOutsideEveryEra, 1u);
  // The era list follows the moves: 宋代 has an author now.
  EXPECT_EQ(a.ErasInUse(), (std::vector<std::string>{"唐代", "五代", "宋代"}));
  // The written biography names the era the author was moved to.
  const Row* cai = FindRow(authors, 0, "蔡襄");
  ASSERT_NE(cai, nullptr);
  EXPECT_NE((*cai)[3].find("宋代作者"), std::string::npos);
}

TEST(Anthology, StanzaBreaksSurviveButNotAtTheEnds) {
  Anthology a = Make();
  a.AddPoem("唐代", "诗", "某人", "自由诗", {"", "第一节。", "", "", "第二节。", ""});
  const Table poems = a.PoetryTable();
  ASSERT_EQ(poems.rows.size(), 1u);
  EXPECT_EQ(poems.rows[0][4], "第一节。\n\n第二节。");
  EXPECT_EQ(poems.rows[0][3], "第一节。");
}

TEST(Anthology, RenamesAndPackageBiographies) {
  Anthology a = Make();
  a.SetRename("赵令", "赵令畤");
  a.OfferBiography("赵令", "--(1051-1134)初字景贶，苏轼为之改字德麟，宋宗室。");
  a.OfferBiography("赵令畤", "第二份简介不会替换第一份，因为先到的保留。");
  a.OfferBiography("巴谈", "--");
  a.AddPoem("宋代", "", "赵令", "蝶恋花", {"卷絮风头寒欲尽。"});
  a.AddPoem("宋代", "", "巴谈", "词", {"一曲清歌。"});
  const Table authors = a.AuthorTable();
  const Row* zhao = FindRow(authors, 0, "赵令畤");
  ASSERT_NE(zhao, nullptr);
  EXPECT_EQ((*zhao)[1], "1051-1134");
  EXPECT_EQ((*zhao)[3], "(1051-1134)初字景贶，苏轼为之改字德麟，宋宗室。");
  const Row* ba = FindRow(authors, 0, "巴谈");
  ASSERT_NE(ba, nullptr);
  EXPECT_NE((*ba)[3].find("1篇"), std::string::npos);  // made for an empty biography
}

TEST(Anthology, EveryFormIsExplained) {
  Anthology a = Make();
  a.SetFormText("五言绝句", "五言绝句是四句的诗。每句五字。");
  a.MarkTune("蝶恋花", false);
  a.MarkTune("越调·天净沙", true);
  a.AddPoem("唐代", "春晓", "孟浩然", "五言绝句", {"春眠不觉晓，处处闻啼鸟。"});
  a.AddPoem("宋代", "", "晏殊", "蝶恋花", {"槛菊愁烟兰泣露，罗幕轻寒。"});
  a.AddPoem("宋代", "天净沙·秋思", "马致远", "越调·天净沙", {"枯藤老树昏鸦，小桥流水人家。"});
  Table forms = a.FormatTable();
  ASSERT_EQ(forms.rows.size(), 3u);
  const Row* ci = FindRow(forms, 0, "蝶恋花");
  ASSERT_NE(ci, nullptr);
  EXPECT_NE((*ci)[1].find("词牌"), std::string::npos);
  EXPECT_NE((*ci)[1].find("1首"), std::string::npos);
  EXPECT_NE((*ci)[1].find("晏殊的“槛菊愁烟兰泣露”"), std::string::npos);
  const Row* qu = FindRow(forms, 0, "越调·天净沙");
  ASSERT_NE(qu, nullptr);
  EXPECT_NE((*qu)[1].find("天净沙属越调"), std::string::npos);

  // A form nobody explained stops the converter.
  a.AddPoem("唐代", "奇诗", "某人", "无人知晓体", {"一二三四五。"});
  EXPECT_THROW(a.FormatTable(), std::runtime_error);
}

TEST(Anthology, ForeignAuthorsKeepTheirCountry) {
  Anthology a = Make();
  a.AddForeignAuthor({"普希金", "1799-1837", "俄国诗人。", "俄国"});
  a.AddForeignAuthor({"裴多菲", "1823-1849", "匈牙利诗人。", "匈牙利"});
  a.AddPoem("", "致大海·节选", "普希金", "格律诗", {"再见吧，自由奔放的大海！"});
  a.AddPoem("", "自由与爱情", "裴多菲", "格律诗", {"自由和爱情！"});
  EXPECT_EQ(a.Countries(), (std::vector<std::string>{"俄国", "匈牙利"}));
  const Table authors = a.AuthorTable();
  ASSERT_EQ(authors.rows.size(), 2u);
  EXPECT_EQ(authors.rows[0][4], "俄国");
  EXPECT_EQ(authors.rows[0][1], "1799-1837");
  EXPECT_TRUE(a.ErasInUse().empty());
  // A foreign author without poems is a mistake in our own sources.
  a.AddForeignAuthor({"歌德", "1749-1832", "德国诗人。", "德国"});
  EXPECT_THROW(a.AuthorTable(), std::runtime_error);
}
