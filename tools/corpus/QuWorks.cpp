#include "tools/corpus/QuWorks.h"

#include "tools/corpus/QuTitles.h"
#include "tools/corpus/Utf8.h"

#include <algorithm>
#include <map>
#include <set>

namespace corpus {

const char* const kNorthernNoMode = "北曲";
const char* const kSouthern = "南曲";

namespace {

using Kind = QuHeading::Kind;

bool IsBlankLine(const std::string& l) {
  const std::u32string u = Decode(l);
  return std::all_of(u.begin(), u.end(), [](char32_t c) { return IsBlank(c) || c == '\r' || c == '\n'; });
}

// The record's verse: the words the package moved into the title go before its
// first line, which continues them.
std::vector<std::string> Verse(const QuHeading& h, const std::vector<std::string>& lines) {
  std::vector<std::string> v = lines;
  if (!h.text.empty()) {
    if (v.empty()) v.push_back(h.text);
    else v[0] = h.text + v[0];
  }
  while (!v.empty() && IsBlankLine(v.front())) v.erase(v.begin());
  return v;
}

// "同前", "同上", "前腔", also with "换头" (the repeat with a changed opening).
bool SameAsBefore(std::string tune) {
  const std::string changed = "换头";
  if (tune.size() > changed.size() && tune.compare(tune.size() - changed.size(), changed.size(), changed) == 0)
    tune.resize(tune.size() - changed.size());
  return tune == "同前" || tune == "同上" || tune == "前腔";
}

// Tunes the package names in aria and further-tune titles, and the mode each
// tune is given most often (the first such mode on a tie).
struct Learned {
  QuTunes tunes;
  std::map<std::string, std::vector<std::pair<std::string, size_t>>> modes;

  std::string ModeOf(const std::string& tune) const {
    const auto it = modes.find(tune);
    if (it == modes.end()) return "";
    const auto best = std::max_element(it->second.begin(), it->second.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    return best->first;
  }
};

// Tunes are learned from the titles of arias and act openings, and from the
// left side of further tunes whose verse begins in the title. A play's name is
// never a tune, and a name longer than kLongestLearned is taken for one.
constexpr size_t kLongestLearned = 6;
constexpr size_t kShortestPlay = 3;  // code points

Learned Learn(const std::vector<QuRecord>& records) {
  Learned l;
  std::set<std::string> plays;
  for (const QuRecord& r : records) {
    const QuHeading h = ReadQuTitle(r.title, l.tunes);
    if (h.kind == Kind::ActStart) plays.insert(h.play);
  }
  for (const QuRecord& r : records) {
    if (!SplitQuAuthor(r.author).play.empty()) continue;  // southern tunes are another system
    const QuHeading h = ReadQuTitle(r.title, l.tunes);
    const bool names = h.kind == Kind::ActStart || h.kind == Kind::Aria || h.kind == Kind::Continuation;
    const size_t n = Length(h.tune);
    if (names && !IsRepeatMark(h.tune) && !plays.count(h.tune) && n >= 2 && n <= kLongestLearned) l.tunes.Add(h.tune);
  }
  for (const QuRecord& r : records) {
    const QuHeading h = ReadQuTitle(r.title, l.tunes);
    if ((h.kind != Kind::Head && h.kind != Kind::ActStart) || h.mode.empty() || h.tune.empty()) continue;
    auto& counts = l.modes[h.tune];
    auto it = std::find_if(counts.begin(), counts.end(), [&](const auto& c) { return c.first == h.mode; });
    if (it == counts.end()) counts.emplace_back(h.mode, 1);
    else ++it->second;
  }
  return l;
}

class Grouper {
 public:
  explicit Grouper(const Learned& learned) : learned_(learned) {}

  void Read(const QuRecord& r) {
    const QuHeading h = ReadQuTitle(r.title, learned_.tunes);
    const QuAuthor author = SplitQuAuthor(r.author);
    std::vector<std::string> verse = Verse(h, r.lines);
    const bool sameAuthor = !works_.empty() && openAuthor_ == r.author;
    std::string tune = SameAsBefore(h.tune) ? lastTune_ : h.tune;
    switch (h.kind) {
      case Kind::Head:
        Begin(author.name, r.author, JoinTuneTitle(tune, h.subtitle), Form(h.mode, tune), verse);
        break;
      case Kind::ActStart: {
        const std::string play = h.play.empty() ? author.play : h.play;
        Begin(author.name, r.author, play.empty() ? tune : play + "·" + tune, Form(h.mode, tune), verse);
        act_ = true;
        actPlay_ = h.play;
        break;
      }
      case Kind::Aria:
        if (sameAuthor && act_ && actPlay_ == h.play) {
          Join(tune, verse);
        } else if (sameAuthor && Length(h.play) <= kShortestPlay - 1) {
          // "尾·我是个蒸不烂": a tune too short for a play's name, its verse begun in the title.
          tune = h.play;
          Join(tune, Verse(QuHeading{Kind::Continuation, "", tune, "", "", h.tune}, r.lines));
        } else {
          Begin(author.name, r.author, h.play + "·" + tune, Form("", tune), verse);
          act_ = true;
          actPlay_ = h.play;
        }
        break;
      case Kind::Continuation:
        if (sameAuthor) Join(tune, verse);
        else Begin(author.name, r.author, tune, Form("", tune), verse);
        break;
      case Kind::Bare:
        if (!author.play.empty()) {
          Begin(author.name, r.author, author.play + "·" + tune, std::string(kSouthern) + "·" + tune, verse);
          openAuthor_.clear();  // a southern aria is never continued
        } else if (sameAuthor && act_ && actPlay_.empty()) {
          Join(tune, verse);
        } else {
          Begin(author.name, r.author, tune, Form("", tune), verse);
        }
        break;
    }
    if (!IsRepeatMark(tune) && !tune.empty()) lastTune_ = tune;
  }

  std::vector<QuWork> Take() { return std::move(works_); }

 private:
  std::string Form(const std::string& mode, const std::string& tune) const {
    const std::string m = mode.empty() ? learned_.ModeOf(tune) : mode;
    return (m.empty() ? std::string(kNorthernNoMode) : m) + "·" + tune;
  }

  void Begin(const std::string& name, const std::string& field, const std::string& title, const std::string& form,
             const std::vector<std::string>& verse) {
    QuWork w;
    w.author = name;
    w.title = title;
    w.form = form;
    w.lines = verse;
    w.records = 1;
    works_.push_back(std::move(w));
    openAuthor_ = field;
    act_ = false;
    actPlay_.clear();
  }

  void Join(const std::string& tune, std::vector<std::string> verse) {
    QuWork& w = works_.back();
    ++w.records;
    if (verse.empty()) {
      ++w.emptyRecords;
      return;
    }
    if (!w.lines.empty()) w.lines.emplace_back();  // a new stanza
    if (!tune.empty()) verse.front() = "【" + tune + "】" + verse.front();
    w.lines.insert(w.lines.end(), verse.begin(), verse.end());
    w.suite = true;
  }

  const Learned& learned_;
  std::vector<QuWork> works_;
  std::string openAuthor_;  // the author field of the last work begun
  bool act_ = false;        // the last work is a play's act
  std::string actPlay_;     // the play's name as its aria titles give it
  std::string lastTune_;
};

}  // namespace

std::vector<QuWork> GroupQu(const std::vector<QuRecord>& records) {
  const Learned learned = Learn(records);
  Grouper g(learned);
  for (const QuRecord& r : records) g.Read(r);
  return g.Take();
}

}  // namespace corpus
