#include "tools/corpus/QuTitles.h"

#include "tools/corpus/Utf8.h"

#include <algorithm>
#include <map>

namespace corpus {

namespace {

constexpr size_t kLongestTune = 8;  // code points; longer text after a dot is verse

bool IsDot(char32_t c) { return c == 0x00B7 || c == 0x30FB || c == 0xFF65 || c == 0x2027 || c == 0x2022; }

// Marks that end a clause: rest of a title holding one is verse.
bool EndsClause(char32_t c) {
  static const std::u32string marks = U"，。？！；：、,.?!;:";
  return marks.find(c) != std::u32string::npos;
}

bool OpensBracket(char32_t c) {
  static const std::u32string marks = U"（(［[〔【《<{";
  return marks.find(c) != std::u32string::npos;
}

std::u32string TrimBlanks(std::u32string s) {
  while (!s.empty() && IsBlank(s.front())) s.erase(0, 1);
  while (!s.empty() && IsBlank(s.back())) s.pop_back();
  return s;
}

// A subtitle without the separators the package puts before it.
std::u32string TrimSeparators(std::u32string s) {
  while (!s.empty() && (IsBlank(s.front()) || IsDot(s.front()))) s.erase(0, 1);
  return TrimBlanks(s);
}

// Tunes of the northern qu that the package names only in the opening titles,
// beside the tunes it names in aria and suite titles (learned at run time).
const char* const kKnownTunes[] = {
    "天净沙", "山坡羊", "沉醉东风", "四块玉", "寿阳曲", "落梅风", "折桂令", "蟾宫曲", "水仙子", "凌波仙",
    "清江引", "红绣鞋", "小桃红", "凭阑人", "卖花声", "殿前欢", "普天乐", "朝天子", "醉太平", "庆东原",
    "塞鸿秋", "满庭芳", "人月圆", "一半儿", "阳春曲", "喜春来", "拨不断", "叨叨令", "金字经", "梧叶儿",
    "醉中天", "柳营曲", "迎仙客", "干荷叶", "黑漆弩", "鹦鹉曲", "湘妃怨", "小梁州", "醉高歌", "四换头",
    "太常引", "天香引", "醉扶归", "朝天曲", "红锦袍", "百字令", "柳梢青", "平湖乐", "小圣乐", "骤雨打新荷",
    "潘妃曲", "阅金经", "白鹤子", "春闺怨", "秋风第一枝", "采茶歌", "上小楼", "寄生草", "侍香金童",
    "古调石榴花", "石榴花", "青杏子", "青杏儿", "桂枝香", "百字折桂令", "祆神急", "春从天上来", "蝶恋花",
    "金络索挂梧桐", "甘草子", "黄蔷薇过庆元贞", "愿成双", "知秋令", "百字知秋令", "湘妃游月宫", "山队子",
    "啄木儿", "行香子", "朝元乐", "蓦山溪", "定风波", "泣颜回", "小上楼", "快活年", "恼煞人", "秦楼月",
    "霜角", "燕引雏", "湘妃曲", "绿幺遍", "喜春秋", "西番经", "解三酲", "落梅引", "一枝花", "粉蝶儿",
    "新水令", "点绛唇", "端正好", "斗鹌鹑", "醉花阴", "集贤宾", "八声甘州", "哨遍", "耍孩儿", "夜行船",
    "醉高歌过喜春来", "雁儿落过得胜令", "骂玉郎过感皇恩采茶歌", "十二月过尧民歌", "沽美酒过太平令",
    "脱布衫过小梁州", "得胜令", "雁儿落", "大德歌", "山丹花", "楚天遥过清江引", "齐天乐过红衫儿", "三棒鼓声频"};

}  // namespace

QuAuthor SplitQuAuthor(const std::string& field) {
  const std::u32string f = Decode(field);
  const size_t open = f.find(U'《');
  if (open == std::u32string::npos) return {Encode(TrimBlanks(f)), ""};
  const size_t close = f.find(U'》', open + 1);
  const std::u32string play = f.substr(open + 1, close == std::u32string::npos ? std::u32string::npos : close - open - 1);
  return {Encode(TrimBlanks(f.substr(0, open))), Encode(TrimBlanks(play))};
}

std::optional<std::string> QuMode(const std::string& text) {
  static const std::map<std::string, std::string> modes = {
      {"黄钟", "黄钟"}, {"正宫", "正宫"}, {"大石调", "大石调"}, {"小石调", "小石调"}, {"仙吕", "仙吕"},
      {"中吕", "中吕"}, {"南吕", "南吕"}, {"双调", "双调"},     {"越调", "越调"},     {"商调", "商调"},
      {"商角调", "商角调"}, {"般涉调", "般涉调"}, {"正官", "正宫"},
      // Words for a mode the package does not know, and a misprint that could
      // be either of two modes.
      {"不知宫调", ""}, {"正吕", ""}};
  std::u32string t = TrimBlanks(Decode(text));
  if (t.size() > 2 && t.front() == U'【' && t.back() == U'】') t = t.substr(1, t.size() - 2);
  auto it = modes.find(Encode(t));
  // "北仙吕": a northern mode named as such in a play that mixes in southern tunes.
  if (it == modes.end() && t.size() > 2 && t.front() == U'北') it = modes.find(Encode(t.substr(1)));
  if (it == modes.end()) return std::nullopt;
  return it->second;
}

bool IsRepeatMark(const std::string& tune) {
  return tune == "幺" || tune == "幺篇" || tune == "么" || tune == "么篇";
}

QuTunes::QuTunes() {
  for (const char* t : kKnownTunes) Add(t);
}

void QuTunes::Add(const std::string& tune) {
  if (tune.empty()) return;
  tunes_.insert(tune);
  longest_ = std::max(longest_, Length(tune));
}

std::string QuTunes::Prefix(const std::string& text) const {
  const std::u32string t = Decode(text);
  for (size_t n = std::min(longest_, t.size()); n > 0; --n) {
    const std::string head = Encode(t.substr(0, n));
    if (tunes_.count(head)) return head;
  }
  return "";
}

namespace {

// The rest of a title after its mode: tune, then subtitle or verse.
QuHeading ReadHead(const std::string& mode, const std::u32string& rest, const QuTunes& tunes) {
  QuHeading h;
  h.kind = QuHeading::Kind::Head;
  h.mode = mode;
  std::u32string tune = Decode(tunes.Prefix(Encode(rest)));
  if (tune.empty()) {
    size_t end = 0;
    while (end < rest.size() && !OpensBracket(rest[end]) && !EndsClause(rest[end]) && !IsDot(rest[end])) ++end;
    tune = rest.substr(0, end);
  }
  h.tune = Encode(TrimBlanks(tune));
  const std::u32string after = TrimSeparators(rest.substr(tune.size()));
  if (std::any_of(after.begin(), after.end(), EndsClause)) h.text = Encode(after);
  else h.subtitle = Encode(after);
  return h;
}

}  // namespace

QuHeading ReadQuTitle(const std::string& title, const QuTunes& tunes) {
  const std::u32string t = TrimBlanks(Decode(title));
  QuHeading h;
  // 【mode】rest
  if (!t.empty() && t.front() == U'【') {
    const size_t close = t.find(U'】');
    if (close != std::u32string::npos)
      if (const auto mode = QuMode(Encode(t.substr(0, close + 1))))
        return ReadHead(*mode, TrimBlanks(t.substr(close + 1)), tunes);
  }
  size_t dot = 0;
  while (dot < t.size() && !IsDot(t[dot])) ++dot;
  const std::u32string left = t.substr(0, dot);
  const std::u32string right = dot < t.size() ? TrimBlanks(t.substr(dot + 1)) : std::u32string();
  // mode/tune, alone or after a play's name: an act opens.
  const std::u32string& named = dot < t.size() ? right : left;
  if (const size_t slash = named.find(U'/'); slash != std::u32string::npos)
    if (const auto mode = QuMode(Encode(named.substr(0, slash)))) {
      h.kind = QuHeading::Kind::ActStart;
      h.mode = *mode;
      h.tune = Encode(TrimBlanks(named.substr(slash + 1)));
      if (dot < t.size()) h.play = Encode(left);
      return h;
    }
  if (dot == t.size()) {
    h.kind = QuHeading::Kind::Bare;
    h.tune = Encode(t);
    return h;
  }
  if (const auto mode = QuMode(Encode(left))) return ReadHead(*mode, right, tunes);
  const std::string l = Encode(left), r = Encode(right);
  // Verse: clause marks, or more than any tune name holds.
  const bool verse = right.empty() || right.size() > kLongestTune || std::any_of(right.begin(), right.end(), EndsClause);
  if (left.empty() || verse || IsRepeatMark(l)) {
    h.kind = QuHeading::Kind::Continuation;
    h.tune = l;
    h.text = r;
    return h;
  }
  if (tunes.Knows(l)) {  // "折桂令·问苏卿": a tune and its subtitle, without the mode
    h.kind = QuHeading::Kind::Head;
    h.tune = l;
    h.subtitle = r;
    return h;
  }
  h.kind = QuHeading::Kind::Aria;
  h.play = l;
  h.tune = r;
  return h;
}

std::string JoinTuneTitle(const std::string& tune, const std::string& subtitle) {
  if (subtitle.empty()) return tune;
  if (tune.empty()) return subtitle;
  const char32_t first = Decode(subtitle).front();
  return OpensBracket(first) ? tune + subtitle : tune + "·" + subtitle;
}

std::string CleanQuLine(const std::string& line) {
  std::u32string t = Decode(line);
  for (char32_t& c : t) {
    if (c == U'(') c = U'（';
    else if (c == U')') c = U'）';
  }
  static const std::u32string ends = U"。！？）";
  if (t.size() >= 2 && t.back() == U'。' && ends.find(t[t.size() - 2]) != std::u32string::npos) t.pop_back();
  return Encode(t);
}

}  // namespace corpus
