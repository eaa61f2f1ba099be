#pragma once
// How the qu collection of the poetry package names its records. Each record
// is one tune (曲牌) of a piece, of a suite (套数) or of a play's act, and its
// title says which: "双调·沉醉东风" (or "【双调】沉醉东风") opens a piece with its
// mode (宫调); "诈妮子调风月·仙吕/点绛唇" opens an act of a play; "诈妮子调风月·混江龙"
// is a further aria of that act; "梁州·我是个普天下郎君领袖，…" is a further tune
// of a suite whose first words the package moved into the title; "鹧鸪天" or
// "同前" is a tune alone, as the southern plays are written.
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace corpus {

// The author field of a qu: "高明《蔡伯喈琵琶记》" names the author and the play.
struct QuAuthor {
  std::string name;
  std::string play;
};
QuAuthor SplitQuAuthor(const std::string& field);

// The mode the text names, as written in the anthology: "双调" for "双调" or
// "【双调】" or "北双调", "正宫" for the package's misprint "正官". "" for the package's
// words for an unknown mode ("不知宫调"); nothing when the text is no mode.
std::optional<std::string> QuMode(const std::string& text);

// Marks of a repeated tune (幺篇): they name no tune of their own.
bool IsRepeatMark(const std::string& tune);

// Tune names. The converter knows the common ones and learns the rest from the
// package's own titles before it reads them; matching takes the longest tune.
class QuTunes {
 public:
  QuTunes();
  void Add(const std::string& tune);
  bool Knows(const std::string& tune) const { return tunes_.count(tune) != 0; }
  // The longest known tune the text starts with; "" when none.
  std::string Prefix(const std::string& text) const;

 private:
  std::set<std::string> tunes_;
  size_t longest_ = 0;  // in code points
};

struct QuHeading {
  enum class Kind {
    Head,          // a piece, or the first tune of a suite: mode, tune, subtitle
    ActStart,      // the first tune of a play's act: play, mode, tune
    Aria,          // a further aria of a play: play, tune
    Continuation,  // a further tune of a suite, its verse begun in text: tune, text
    Bare,          // a tune alone: tune ("同前" and kin are kept as written)
  };
  Kind kind = Kind::Bare;
  std::string mode;
  std::string tune;
  std::string subtitle;
  std::string play;
  std::string text;  // verse the package put into the title
};

// Reads a title (already simplified) by the patterns above. A mode's rest is
// the longest known tune, then the subtitle; when no known tune starts it, the
// text up to the first bracket or mark is the tune. Rest that holds clause
// marks after the tune is verse, not a subtitle.
QuHeading ReadQuTitle(const std::string& title, const QuTunes& tunes);

// A title from tune and subtitle: "天净沙·秋思", "天净沙"; no dot before a
// bracket ("白鹤子（四首）").
std::string JoinTuneTitle(const std::string& tune, const std::string& subtitle);

// A line of qu cleaned by two rules; everything else stays as the package
// writes it, stage directions in their place included:
//  - half-width brackets of stage directions ("(正末唱)") are written
//    full-width, as the rest of the text;
//  - the full stop the package puts after a line that already ends in a mark
//    ("！。", "？。", "。。") or in a stage direction ("（下）。") is dropped.
std::string CleanQuLine(const std::string& line);

}  // namespace corpus
