#include "tools/corpus/Forms.h"

#include "tools/corpus/Utf8.h"

#include <algorithm>
#include <array>

namespace corpus {

namespace {

bool EndsClause(char32_t c) {
  static const std::u32string marks = U"，。？！；：、,.?!;:";
  return marks.find(c) != std::u32string::npos;
}

const std::array<const char*, 12> kModes = {"黄钟", "正宫", "大石调", "小石调", "仙吕", "中吕",
                                            "南吕", "双调", "越调", "商调", "商角调", "般涉调"};

// Tunes of the Yuan sanqu, longest first so that "殿前欢" is not cut to a prefix.
std::vector<std::u32string> QuTunes() {
  // Tunes sung as single pieces (xiaoling); tunes that open a suite are left
  // out, since the package keeps a suite's first tune without the rest.
  static const char* const tunes[] = {
      "天净沙", "山坡羊", "沉醉东风", "四块玉", "寿阳曲", "落梅风", "折桂令", "蟾宫曲", "水仙子",
      "凌波仙", "清江引", "红绣鞋", "小桃红", "凭阑人", "卖花声", "殿前欢", "普天乐", "朝天子",
      "醉太平", "庆东原", "塞鸿秋", "满庭芳", "人月圆", "一半儿", "阳春曲", "喜春来", "拨不断",
      "叨叨令", "金字经", "梧叶儿", "醉中天", "柳营曲", "迎仙客", "干荷叶", "黑漆弩", "鹦鹉曲",
      "湘妃怨", "小梁州", "醉高歌", "四换头", "太常引", "天香引", "醉扶归", "朝天曲", "红锦袍",
      "百字令", "柳梢青", "平湖乐", "小圣乐", "骤雨打新荷", "潘妃曲", "阅金经", "白鹤子",
      "春闺怨", "秋风第一枝", "采茶歌", "上小楼", "寄生草"};
  std::vector<std::u32string> out;
  for (const char* t : tunes) {
    const std::u32string u = Decode(t);
    if (std::find(out.begin(), out.end(), u) == out.end()) out.push_back(u);
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const std::u32string& a, const std::u32string& b) { return a.size() > b.size(); });
  return out;
}

}  // namespace

std::vector<int> ClauseLengths(const std::vector<std::string>& lines) {
  std::vector<int> out;
  for (const std::string& line : lines) {
    int n = 0;
    for (char32_t c : Decode(line)) {
      if (IsHan(c)) {
        ++n;
      } else if (EndsClause(c)) {
        if (n > 0) out.push_back(n);
        n = 0;
      }
    }
    if (n > 0) out.push_back(n);
  }
  return out;
}

std::string ShapeForm(const std::vector<std::string>& lines) {
  const std::vector<int> lens = ClauseLengths(lines);
  if (lens.empty()) return "杂言古诗";
  const bool equal = std::all_of(lens.begin(), lens.end(), [&](int n) { return n == lens[0]; });
  if (!equal) return "杂言古诗";
  const int n = lens[0];
  if (lens.size() == 4 && n == 5) return "五言绝句";
  if (lens.size() == 4 && n == 7) return "七言绝句";
  switch (n) {
    case 4: return "四言古诗";
    case 5: return "五言古诗";
    case 6: return "六言古诗";
    case 7: return "七言古诗";
    default: return "杂言古诗";
  }
}

std::string TaggedForm(const std::vector<std::string>& tags) {
  static const char* const metres[] = {"五言绝句", "七言绝句", "五言律诗", "七言律诗",
                                       "五言古诗", "七言古诗", "五言排律", "七言排律"};
  if (std::find(tags.begin(), tags.end(), "乐府") != tags.end()) return "乐府";
  for (const std::string& t : tags)
    for (const char* m : metres)
      if (t == m) return t;
  return "";
}

std::string CiTune(const std::string& field) {
  const std::u32string f = Decode(field);
  std::u32string out;
  for (char32_t c : f) {
    if (c == 0x00B7 || c == 0x30FB || c == 0xFF65 || IsBlank(c) || c == U'（' || c == U'(') {
      if (!out.empty()) break;
      continue;
    }
    out.push_back(c);
  }
  return Encode(out);
}

std::optional<QuTitle> ParseQuTitle(const std::string& title) {
  const std::u32string t = Decode(title);
  size_t dot = std::u32string::npos;
  for (size_t i = 0; i < t.size(); ++i)
    if (t[i] == 0x00B7 || t[i] == 0x30FB || t[i] == 0xFF65) {
      dot = i;
      break;
    }
  if (dot == std::u32string::npos) return std::nullopt;
  const std::u32string mode = t.substr(0, dot);
  if (std::none_of(kModes.begin(), kModes.end(), [&](const char* m) { return Decode(m) == mode; }))
    return std::nullopt;
  const std::u32string rest = t.substr(dot + 1);
  for (const std::u32string& tune : QuTunes()) {
    if (rest.compare(0, tune.size(), tune) != 0) continue;
    std::u32string sub = rest.substr(tune.size());
    // A separator may stand between the tune and its subtitle.
    while (!sub.empty() && (sub[0] == 0x00B7 || sub[0] == 0x30FB || sub[0] == 0xFF65 || IsBlank(sub[0])))
      sub.erase(0, 1);
    if (sub.size() > 8) return std::nullopt;
    for (char32_t c : sub)
      if (!IsHan(c)) return std::nullopt;
    return QuTitle{Encode(mode), Encode(tune), Encode(sub)};
  }
  return std::nullopt;
}

std::string QuForm(const QuTitle& t) { return t.mode + "·" + t.tune; }

}  // namespace corpus
