// How the converter reads the qu collection: titles, authors and plays, the
// joining of suites and acts, and the two cleaning rules of qu lines.
#include <gtest/gtest.h>

#include "tools/corpus/Anthology.h"
#include "tools/corpus/QuTitles.h"
#include "tools/corpus/QuWorks.h"

using namespace corpus;
using Kind = QuHeading::Kind;

TEST(QuTitles, TitlesGiveModeTuneSubtitlePlayAndVerse) {
  const QuTunes tunes;
  const struct {
    const char* title;
    Kind kind;
    const char* mode;
    const char* tune;
    const char* subtitle;
    const char* play;
    const char* text;
  } cases[] = {
      // Both spellings of a mode, with and without a subtitle.
      {"双调·沉醉东风渔夫", Kind::Head, "双调", "沉醉东风", "渔夫", "", ""},
      {"【双调】沉醉东风", Kind::Head, "双调", "沉醉东风", "", "", ""},
      {"【双调】 沉醉东风 渔夫", Kind::Head, "双调", "沉醉东风", "渔夫", "", ""},
      {"越调・天净沙秋思", Kind::Head, "越调", "天净沙", "秋思", "", ""},
      // The longest tune wins over a shorter one it starts with.
      {"中吕·醉高歌过喜春来宿西湖", Kind::Head, "中吕", "醉高歌过喜春来", "宿西湖", "", ""},
      // A subtitle with brackets or book marks is still a subtitle; clause marks make verse.
      {"正宫·白鹤子（四首）", Kind::Head, "正宫", "白鹤子", "（四首）", "", ""},
      {"双调·蟾宫曲题《录鬼簿》", Kind::Head, "双调", "蟾宫曲", "题《录鬼簿》", "", ""},
      {"越调·黄蔷薇过庆元贞燕燕别无甚孝顺，哥哥行", Kind::Head, "越调", "黄蔷薇过庆元贞", "", "",
       "燕燕别无甚孝顺，哥哥行"},
      // An unknown tune is the text before the first bracket; a mode alone has no tune.
      {"仙吕·未知曲（二首）", Kind::Head, "仙吕", "未知曲", "（二首）", "", ""},
      {"双调·", Kind::Head, "双调", "", "", "", ""},
      // The package's misprint and its word for an unknown mode.
      {"正官·醉太平题情", Kind::Head, "正宫", "醉太平", "题情", "", ""},
      {"不知宫调·三棒鼓声频题渊明醉归图", Kind::Head, "", "三棒鼓声频", "题渊明醉归图", "", ""},
      // A known tune before the dot: tune and subtitle without the mode.
      {"折桂令·问苏卿", Kind::Head, "", "折桂令", "问苏卿", "", ""},
      // Acts of plays, with and without the play's name, with a bracketed part number.
      {"诈妮子调风月・仙吕/点绛唇", Kind::ActStart, "仙吕", "点绛唇", "", "诈妮子调风月", ""},
      {"草桥店梦莺莺(第四本)・仙吕/端正好", Kind::ActStart, "仙吕", "端正好", "", "草桥店梦莺莺(第四本)", ""},
      {"仙吕/点绛唇", Kind::ActStart, "仙吕", "点绛唇", "", "", ""},
      {"吕洞宾桃柳升仙梦·北仙吕/点绛唇", Kind::ActStart, "仙吕", "点绛唇", "", "吕洞宾桃柳升仙梦", ""},
      {"诈妮子调风月・混江龙", Kind::Aria, "", "混江龙", "", "诈妮子调风月", ""},
      // Further tunes of a suite: verse in the title, none, no tune, a repeat mark.
      {"梁州・我是个普天下郎君领袖，盖世界浪子班头。", Kind::Continuation, "", "梁州", "", "",
       "我是个普天下郎君领袖，盖世界浪子班头。"},
      {"金菊香・", Kind::Continuation, "", "金菊香", "", "", ""},
      {"・觉来时满眼青山，抖擞绿蓑归去。", Kind::Continuation, "", "", "", "", "觉来时满眼青山，抖擞绿蓑归去。"},
      {"幺·东", Kind::Continuation, "", "幺", "", "", "东"},
      // Verse without marks, longer than a tune's name (eight characters stay an aria).
      {"尾・我是个蒸不烂煮不熟捶不匾", Kind::Continuation, "", "尾", "", "", "我是个蒸不烂煮不熟捶不匾"},
      {"某剧・一二三四五六七八", Kind::Aria, "", "一二三四五六七八", "", "某剧", ""},
      // A tune alone; a slash without a mode is part of the tune.
      {"鹧鸪天", Kind::Bare, "", "鹧鸪天", "", "", ""},
      {"同前", Kind::Bare, "", "同前", "", "", ""},
      {"烛影摇红/望江南/烛影摇红", Kind::Bare, "", "烛影摇红/望江南/烛影摇红", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    const QuHeading h = ReadQuTitle(c.title, tunes);
    EXPECT_EQ(h.kind, c.kind);
    EXPECT_EQ(h.mode, c.mode);
    EXPECT_EQ(h.tune, c.tune);
    EXPECT_EQ(h.subtitle, c.subtitle);
    EXPECT_EQ(h.play, c.play);
    EXPECT_EQ(h.text, c.text);
  }
}

TEST(QuTitles, AuthorsModesTitlesAndLines) {
  const struct {
    const char* field;
    const char* name;
    const char* play;
  } authors[] = {
      {"关汉卿", "关汉卿", ""},
      {"高明《蔡伯喈琵琶记》", "高明", "蔡伯喈琵琶记"},
      {"无名氏《张协状元》", "无名氏", "张协状元"},
      {"《小孙屠》", "", "小孙屠"},               // a play without its author
      {"萧德祥《小孙屠", "萧德祥", "小孙屠"},      // the closing mark lost
      {" 王实甫 ", "王实甫", ""},
  };
  for (const auto& a : authors) {
    SCOPED_TRACE(a.field);
    const QuAuthor q = SplitQuAuthor(a.field);
    EXPECT_EQ(q.name, a.name);
    EXPECT_EQ(q.play, a.play);
  }
  EXPECT_EQ(QuMode("黄钟"), "黄钟");
  EXPECT_EQ(QuMode("般涉调"), "般涉调");
  EXPECT_EQ(QuMode("【商角调】"), "商角调");
  EXPECT_EQ(QuMode("北双调"), "双调");
  EXPECT_EQ(QuMode("南吕"), "南吕");  // a northern mode, not a southern double
  EXPECT_EQ(QuMode("不知宫调"), "");
  EXPECT_EQ(QuMode("【双调"), std::nullopt);
  EXPECT_EQ(QuMode("北"), std::nullopt);
  EXPECT_EQ(QuMode("诈妮子调风月"), std::nullopt);

  EXPECT_EQ(JoinTuneTitle("天净沙", "秋思"), "天净沙·秋思");
  EXPECT_EQ(JoinTuneTitle("天净沙", ""), "天净沙");
  EXPECT_EQ(JoinTuneTitle("", "秋思"), "秋思");
  EXPECT_EQ(JoinTuneTitle("白鹤子", "（四首）"), "白鹤子（四首）");
  EXPECT_EQ(JoinTuneTitle("大德歌", "（四首）春"), "大德歌（四首）春");

  const struct {
    const char* in;
    const char* out;
  } lines[] = {
      {"（末云了）(正旦唱)说的温良恭俭行忠信。", "（末云了）（正旦唱）说的温良恭俭行忠信。"},
      {"使的人无淹润、百般支分！。", "使的人无淹润、百般支分！"},
      {"何处锁雕鞍？。", "何处锁雕鞍？"},
      {"(下)。", "（下）"},
      {"闲快活。。", "闲快活。"},       // only the one added stop goes
      {"他说“好”。", "他说“好”。"},   // a quotation ends before its stop
      {"。", "。"},
      {"一个瓦[A12N]衮罢", "一个瓦[A12N]衮罢"},
  };
  for (const auto& l : lines) EXPECT_EQ(CleanQuLine(l.in), l.out) << l.in;
}

TEST(QuWorks, SuitesAndActsAreJoinedAndSouthernAriasStayApart) {
  const std::vector<QuRecord> records = {
      {"南吕・一枝花不伏老", "关汉卿", {"攀出墙朵朵花，折临路枝枝柳。"}},
      {"梁州・我是个普天下郎君领袖，盖世界浪子班头。愿朱颜不改常依旧，花", "关汉卿", {"中消遣，酒内忘忧。", "你道我老也，暂休。"}},
      {"隔尾・", "关汉卿", {}},  // a further tune without text
      {"尾・我是个蒸不烂", "关汉卿", {"、煮不熟。"}},
      // Another author's further tune begins a work of its own, its mode learned from elsewhere.
      {"点绛唇・尽燕雀喧檐聒耳，", "马致远", {"任豺狼当道磨牙。"}},
      {"诈妮子调风月・仙吕/点绛唇", "关汉卿", {"半世为人，不曾教大人心困。"}},
      {"诈妮子调风月・混江龙", "关汉卿", {"男儿人若不依本分，(末云)一个抢白是非两家分。"}},
      {"诈妮子调风月・幺篇", "关汉卿", {"这书房存得阿马。"}},
      {"越调·天净沙秋思", "马致远", {"枯藤老树昏鸦，小桥流水人家，古道西风瘦马。", "夕阳西下，断肠人在天涯。"}},
      {"鹧鸪天", "无名氏《宦门子弟错立身》", {"完颜寿马住西京。"}},
      {"同前换头", "无名氏《宦门子弟错立身》", {"哥哥听拜禀。"}},
      {"混江龙", "杨景贤", {"我怕不似嫦娥模样。"}},  // no act open: a work of its own
      {"仙吕/点绛唇", "杨景贤", {"宝殿生香。"}},
      {"油葫芦", "杨景贤", {"说他几载其间离了大唐。"}},
  };
  const std::vector<QuWork> works = GroupQu(records);
  const struct {
    const char* author;
    const char* title;
    const char* form;
    size_t records;
    size_t empty;
    bool suite;
    std::vector<std::string> lines;
  } expected[] = {
      {"关汉卿", "一枝花·不伏老", "南吕·一枝花", 4, 1, true,
       {"攀出墙朵朵花，折临路枝枝柳。", "", "【梁州】我是个普天下郎君领袖，盖世界浪子班头。愿朱颜不改常依旧，花中消遣，酒内忘忧。",
        "你道我老也，暂休。", "", "【尾】我是个蒸不烂、煮不熟。"}},
      {"马致远", "点绛唇", "仙吕·点绛唇", 1, 0, false, {"尽燕雀喧檐聒耳，任豺狼当道磨牙。"}},
      {"关汉卿", "诈妮子调风月·点绛唇", "仙吕·点绛唇", 3, 0, true,
       {"半世为人，不曾教大人心困。", "", "【混江龙】男儿人若不依本分，(末云)一个抢白是非两家分。", "", "【幺篇】这书房存得阿马。"}},
      {"马致远", "天净沙·秋思", "越调·天净沙", 1, 0, false,
       {"枯藤老树昏鸦，小桥流水人家，古道西风瘦马。", "夕阳西下，断肠人在天涯。"}},
      {"无名氏", "宦门子弟错立身·鹧鸪天", "南曲·鹧鸪天", 1, 0, false, {"完颜寿马住西京。"}},
      {"无名氏", "宦门子弟错立身·鹧鸪天", "南曲·鹧鸪天", 1, 0, false, {"哥哥听拜禀。"}},
      {"杨景贤", "混江龙", "北曲·混江龙", 1, 0, false, {"我怕不似嫦娥模样。"}},
      {"杨景贤", "点绛唇", "仙吕·点绛唇", 2, 0, true, {"宝殿生香。", "", "【油葫芦】说他几载其间离了大唐。"}},
  };
  ASSERT_EQ(works.size(), std::size(expected));
  size_t read = 0;
  for (size_t i = 0; i < works.size(); ++i) {
    SCOPED_TRACE(expected[i].title);
    EXPECT_EQ(works[i].author, expected[i].author);
    EXPECT_EQ(works[i].title, expected[i].title);
    EXPECT_EQ(works[i].form, expected[i].form);
    EXPECT_EQ(works[i].records, expected[i].records);
    EXPECT_EQ(works[i].emptyRecords, expected[i].empty);
    EXPECT_EQ(works[i].suite, expected[i].suite);
    EXPECT_EQ(works[i].lines, expected[i].lines);
    read += works[i].records;
  }
  EXPECT_EQ(read, records.size());  // every record is in exactly one work
}

TEST(QuWorks, QuLinesKeepDirectionsAndSuitesExplainThemselves) {
  Anthology a({"元代"});
  a.MarkTune("仙吕·点绛唇", Tune::Qu);
  a.MarkTune("南曲·鹧鸪天", Tune::SouthernQu);
  a.MarkTune("北曲·混江龙", Tune::QuModeUnknown);
  EXPECT_EQ(a.AddPoem("元代", "诈妮子调风月·点绛唇", "关汉卿", "仙吕·点绛唇",
                      {"半世为人。", "", "【混江龙】男儿人若不依本分，(末云)一个抢白。", "(下)。"}, Layout::QuSuite),
            LeftOut::None);
  EXPECT_EQ(a.AddPoem("元代", "宦门子弟错立身·鹧鸪天", "无名氏", "南曲·鹧鸪天", {"完颜寿马住西京。", "(下)"}, Layout::Qu),
            LeftOut::None);
  EXPECT_EQ(a.AddPoem("元代", "点绛唇", "某人", "仙吕·点绛唇", {"单独一支曲子。"}, Layout::Qu), LeftOut::None);
  EXPECT_EQ(a.AddPoem("元代", "混江龙", "某人", "北曲·混江龙", {"又一支。"}, Layout::Qu), LeftOut::None);
  // Web residue and lost characters in a qu leave it out, as in verse.
  EXPECT_EQ(a.AddPoem("元代", "后庭花", "某人", "仙吕·点绛唇", {"一个瓦[A12N]衮罢。"}, Layout::Qu), LeftOut::Placeholder);
  EXPECT_EQ(a.AddPoem("元代", "后庭花", "某人", "仙吕·点绛唇", {"一个瓦□衮罢。"}, Layout::Qu), LeftOut::Placeholder);
  // The same brackets in verse are notes and leave the line.
  EXPECT_EQ(a.AddPoem("元代", "诗", "某人", "仙吕·点绛唇", {"男儿人若不依本分，(末云)一个抢白。"}), LeftOut::None);
  const auto& poems = a.poems();
  ASSERT_EQ(poems.size(), 5u);
  EXPECT_EQ(poems[0].content, "半世为人。\n\n【混江龙】男儿人若不依本分，（末云）一个抢白。\n（下）");
  EXPECT_EQ(poems[1].author, "无名氏（元）");
  EXPECT_EQ(poems[1].content, "完颜寿马住西京。\n（下）");
  EXPECT_EQ(poems[4].content, "男儿人若不依本分，一个抢白。\n\n注：末云");

  const Table forms = a.FormatTable();
  auto text = [&](const std::string& form) {
    for (const Row& r : forms.rows)
      if (r[0] == form) return r[1];
    return std::string();
  };
  // One suite and two single pieces (the verse counts as one) of the same tune.
  EXPECT_NE(text("仙吕·点绛唇").find("点绛唇属仙吕宫调"), std::string::npos);
  EXPECT_NE(text("仙吕·点绛唇").find("套数1套、小令2首"), std::string::npos) << text("仙吕·点绛唇");
  EXPECT_NE(text("南曲·鹧鸪天").find("南戏"), std::string::npos);
  EXPECT_NE(text("南曲·鹧鸪天").find("此调1支"), std::string::npos);
  EXPECT_NE(text("北曲·混江龙").find("宫调已不可考"), std::string::npos);
  EXPECT_EQ(text("北曲·混江龙").find("属北曲"), std::string::npos);
}
