#pragma once
// Names of poem forms, derived from the package's own labels where it has them
// and from the poem's shape otherwise.
#include <optional>
#include <string>
#include <vector>

namespace corpus {

// Han characters of each clause (a clause ends at a punctuation mark).
std::vector<int> ClauseLengths(const std::vector<std::string>& lines);

// A form name from shape alone. Four equal clauses of five or seven characters
// make a quatrain ("五言绝句", "七言绝句"); other equal clauses make an old-style
// poem ("四言古诗", "五言古诗", "六言古诗", "七言古诗"); anything else is "杂言古诗".
// Eight lines of five never make a regulated verse by shape alone.
std::string ShapeForm(const std::vector<std::string>& lines);

// The form label among the package's tags of a Tang poem: "乐府" wins over a
// metre label; "" when the tags carry none.
std::string TaggedForm(const std::vector<std::string>& tags);

// The ci tune of a "rhythmic" field or a "tune·subtitle" title: text before the
// first middle dot or blank ("菩萨蛮 其一" gives "菩萨蛮").
std::string CiTune(const std::string& field);

// A Yuan qu title such as "越调·天净沙秋思": the mode, the tune and the rest.
struct QuTitle {
  std::string mode;      // "越调"
  std::string tune;      // "天净沙"
  std::string subtitle;  // "秋思", may be empty
};
// Recognises a title made of a mode, a middle dot, a known tune and an optional
// short subtitle; titles carrying body text (punctuation, long tails) give nothing.
std::optional<QuTitle> ParseQuTitle(const std::string& title);

// The form name of a qu: mode and tune, "越调·天净沙".
std::string QuForm(const QuTitle& t);

}  // namespace corpus
