#include "tools/corpus/Anthology.h"

#include "tools/corpus/CharacterRule.h"
#include "tools/corpus/Eras.h"
#include "tools/corpus/QuTitles.h"
#include "tools/corpus/TextRules.h"
#include "tools/corpus/Utf8.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace corpus {

namespace {

// The text of a poem without punctuation and blanks: two copies that differ
// only in marks are one poem.
std::string TextKey(const std::string& author, const std::vector<std::string>& lines) {
  std::u32string k;
  for (const std::string& l : lines)
    for (char32_t c : Decode(l))
      if (IsHan(c) || (c < 0x80 && std::isalnum(static_cast<int>(c)))) k.push_back(c);
  return author + '\x1f' + Encode(k);
}

// A fragment's title: 句 alone, 句 and numerals ("句二"), or 句, a blank and
// whatever the package adds ("句 其三", "句 千秋节应制"). "句曲山" is a place.
bool IsFragmentTitle(const std::string& title) {
  const std::u32string t = Decode(title);
  if (t.empty() || t[0] != U'句') return false;
  if (t.size() > 1 && IsBlank(t[1])) return true;
  for (size_t i = 1; i < t.size(); ++i)
    if (std::u32string(U"一二三四五六七八九十○").find(t[i]) == std::u32string::npos) return false;
  return true;
}

}  // namespace

const char* const Anthology::kFragmentForm = "残句";

Anthology::Anthology(std::vector<std::string> eras) : eras_(std::move(eras)) {}

std::string Anthology::AnonymousName(const std::string& era) {
  static const std::map<std::string, std::string> shortNames = {
      {"先秦", "先秦"}, {"两汉", "汉"}, {"魏晋", "魏晋"}, {"南北朝", "南北朝"}, {"隋代", "隋"},
      {"唐代", "唐"},   {"五代", "五代"}, {"宋代", "宋"}, {"元代", "元"}, {"明代", "明"}, {"清代", "清"}};
  auto it = shortNames.find(era);
  return "无名氏（" + (it == shortNames.end() ? era : it->second) + "）";
}

std::string Anthology::Renamed(const std::string& name) const {
  auto it = renames_.find(name);
  return it == renames_.end() ? name : it->second;
}

void Anthology::OfferBiography(const std::string& name, const std::string& bio) {
  const std::string n = Renamed(CleanAuthorName(name));
  if (n.empty() || packageBio_.count(n)) return;
  const std::string clean = CleanBiography(n, ReplaceLookAlikes(bio));
  if (!clean.empty()) packageBio_.emplace(n, clean);
}

void Anthology::SetCurated(const std::string& name, const std::string& years, const std::string& bio) {
  curated_[name] = {years, bio};
}

void Anthology::AddForeignAuthor(const Author& a) {
  if (std::find(countries_.begin(), countries_.end(), a.era) == countries_.end()) countries_.push_back(a.era);
  foreign_[a.name] = a;
}

void Anthology::Log(const std::string& what, const std::string& author, const std::string& title) {
  if (log_) log_(what + "\t" + author + "\t" + title);
}

void Anthology::SetFormText(const std::string& form, const std::string& text) { formText_[form] = text; }

void Anthology::MarkTune(const std::string& form, Tune kind) { tuneKind_.emplace(form, kind); }

namespace {

bool HasLatin(const std::string& s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; });
}

// The poem's lines cleaned: split, marks unified, notes taken out of verse
// (into notes), lines left with marks only dropped, one blank line kept
// between stanzas and none at the ends.
std::vector<std::string> CleanLines(const std::vector<std::string>& rawLines, Layout layout,
                                    std::vector<std::string>& notes) {
  const bool qu = layout != Layout::Verse;
  std::vector<std::string> pieces;
  for (const std::string& raw : rawLines) {
    std::vector<std::string> split = SplitLines(raw);
    if (split.empty()) split.emplace_back();  // an empty line parts stanzas
    for (std::string& piece : split) {
      const std::string text = NormalizeText(ReplaceLookAlikes(piece));
      pieces.push_back(qu ? CleanQuLine(text) : text);
    }
  }
  std::vector<std::string> lines;
  for (const std::string& piece : qu ? pieces : JoinSplitNotes(pieces)) {
    std::string line = qu ? piece : TakeNotes(piece, notes);
    // A line left with marks only (its words were all a note) is no line.
    const std::u32string u = Decode(line);
    if (!line.empty() && !HasPlaceholder(line) && std::none_of(u.begin(), u.end(), [](char32_t c) { return c < 0x80 ? std::isalnum(static_cast<int>(c)) != 0 : IsHan(c); }))
      continue;
    // Blank lines part stanzas; only one is kept between two stanzas.
    if (!line.empty() || (!lines.empty() && !lines.back().empty())) lines.push_back(line);
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

}  // namespace

const char* LeftOutReason(LeftOut why) {
  switch (why) {
    case LeftOut::None: return "taken";
    case LeftOut::Empty: return "empty";
    case LeftOut::Placeholder: return "placeholder for lost characters";
    case LeftOut::Unreadable: return "unreadable character";
    case LeftOut::Duplicate: return "duplicate";
  }
  return "";
}

LeftOut Anthology::AddPoem(const std::string& era, std::string title, std::string author, const std::string& form,
                           const std::vector<std::string>& rawLines, Layout layout) {
  author = Renamed(CleanAuthorName(author));
  if (author.empty() || IsAnonymous(author)) {
    author = AnonymousName(era);
    ++counts_.anonymousRenamed;
  }
  std::vector<std::string> notes;
  const std::vector<std::string> lines = CleanLines(rawLines, layout, notes);
  if (layout == Layout::Verse) title = TakeNotes(NormalizeTitle(ReplaceLookAlikes(title)), notes);
  else title = CleanQuLine(NormalizeTitle(ReplaceLookAlikes(title)));
  if (lines.empty()) {
    ++counts_.empty;
    return LeftOut::Empty;
  }
  for (const std::string& l : lines)
    if (HasPlaceholder(l) || (layout != Layout::Verse && HasLatin(l))) {
      ++counts_.placeholders;
      Log("placeholder", author, title);
      return LeftOut::Placeholder;
    }
  if (HasPlaceholder(title)) title.clear();
  const bool fragment = IsFragmentTitle(title);
  if (title.empty()) {
    title = FirstPhrase(lines.front());
    ++counts_.titlesMade;
  }
  std::string content = JoinLines(lines);
  if (!notes.empty()) {
    std::string joined;
    for (const std::string& n : notes) {
      if (HasPlaceholder(n)) continue;
      joined += joined.empty() ? n : "；" + n;
    }
    if (!joined.empty()) {
      content += "\n\n注：" + joined;
      ++counts_.notesMoved;
    }
  }
  const std::string poemForm = fragment ? std::string(kFragmentForm) : form;
  if (!AllReadable(title) || !AllReadable(content) || !AllReadable(author) || !AllReadable(poemForm)) {
    ++counts_.unreadable;
    Log("unreadable character", author, title);
    return LeftOut::Unreadable;
  }
  const std::string key = TextKey(author, lines);
  if (seenText_.count(key)) {
    ++counts_.duplicates;
    Log("duplicate", author, title);
    return LeftOut::Duplicate;
  }
  seenText_.insert(key);
  // Rows remember the record they were filled from, so a poem whose first line
  // another poem of the author shares is shown as itself.
  if (!seenHead_.insert(author + '\x1f' + lines.front()).second) ++counts_.sameHead;
  if (fragment) ++counts_.fragments;
  if (!FitsGbk(title + content + author + poemForm)) ++counts_.outsideGbk;
  std::vector<std::string>& eras = poemEras_[author];
  if (std::find(eras.begin(), eras.end(), era) == eras.end()) eras.push_back(era);
  if (!authorEra_.count(author)) {
    authorEra_.emplace(author, foreign_.count(author) ? foreign_[author].era : era);
    authorOrder_.push_back(author);
  }
  ++authorTotal_[author];
  poems_.push_back(Poem{title, author, poemForm, lines.front(), content, layout == Layout::QuSuite});
  ++counts_.poems;
  return LeftOut::None;
}

std::string Anthology::FinalBiography(const std::string& name, const std::string& era, size_t total) {
  std::string bio;
  if (auto c = curated_.find(name); c != curated_.end() && !c->second.second.empty()) bio = c->second.second;
  if (bio.empty())
    if (auto p = packageBio_.find(name); p != packageBio_.end()) bio = p->second;
  if (bio.empty() && name.rfind("无名氏（", 0) == 0)
    bio = "本集中" + era + "作者姓名失传的作品，归在" + name + "名下，以免与其他时代的无名氏作品相混。共收" +
          std::to_string(total) + "篇。";
  if (bio.empty()) {
    bio = name + "，" + era + "作者，生平事迹史书记载甚少，已难详考。本集收录其作品" + std::to_string(total) + "篇。";
    ++counts_.biographiesMade;
  }
  return DropUnreadable(bio, counts_.proseCharsDropped);
}

std::string Anthology::LifeDatesOf(const std::string& name) const {
  if (auto f = foreign_.find(name); f != foreign_.end()) return f->second.years;
  std::string years;
  if (auto c = curated_.find(name); c != curated_.end()) years = c->second.first;
  if (years.empty())
    if (auto p = packageBio_.find(name); p != packageBio_.end()) years = LifeDates(p->second);
  return years.empty() ? "生卒年不详" : years;
}

Anthology::Placement Anthology::PlaceByLife() const {
  Placement p;
  for (const std::string& name : authorOrder_) {
    const std::string& era = authorEra_.at(name);
    p.era[name] = era;
    const auto span = EraYears(era);
    if (foreign_.count(name) || !span) continue;
    const Life life = ParseLife(LifeDatesOf(name));
    if (LifeFitsEra(life, *span)) continue;
    std::string fits = FittingEra(life, poemEras_.at(name));
    if (fits.empty()) fits = FittingEra(life, eras_);
    if (fits.empty()) {
      ++p.outsideEveryEra;
      continue;
    }
    p.era[name] = fits;
    ++p.moved;
  }
  return p;
}

std::vector<std::string> Anthology::ErasInUse() const {
  const Placement placed = PlaceByLife();
  std::vector<std::string> out;
  for (const std::string& e : eras_)
    for (const auto& [name, era] : placed.era)
      if (era == e) {
        out.push_back(e);
        break;
      }
  return out;
}

Table Anthology::AuthorTable() {
  Table t;
  t.columns = {"authorname", "authoryear", "poetryTotal:int", "content", "agename"};
  std::vector<std::string> order = eras_;
  order.insert(order.end(), countries_.begin(), countries_.end());
  const Placement placed = PlaceByLife();
  counts_.authorsMoved = placed.moved;
  counts_.livesOutsideEveryEra = placed.outsideEveryEra;
  for (const std::string& era : order) {
    for (const std::string& name : authorOrder_) {
      if (placed.era.at(name) != era) continue;
      const size_t total = authorTotal_[name];
      const std::string years = LifeDatesOf(name);
      const std::string bio = foreign_.count(name) ? DropUnreadable(foreign_.at(name).bio, counts_.proseCharsDropped)
                                                   : FinalBiography(name, era, total);
      t.rows.push_back({name, years, std::to_string(total), bio, era});
    }
  }
  // Foreign authors given without poems are an error in our own sources.
  for (const auto& [name, a] : foreign_)
    if (!authorTotal_.count(name)) throw std::runtime_error("foreign author without poems: " + name);
  return t;
}

Table Anthology::PoetryTable() const {
  Table t;
  t.columns = {"title", "authorname", "formatName", "head", "content"};
  for (const Poem& p : poems_) t.rows.push_back({p.title, p.author, p.form, p.head, p.content});
  return t;
}

namespace {

struct Use {
  size_t count = 0;
  size_t suites = 0;
  std::string example;
};

// A generated explanation of a tune: what the tune is, how many works of the
// anthology use it, and the first of them.
std::string TuneText(const std::string& form, Tune kind, const Use& u) {
  const size_t dot = form.find("·");
  const std::string mode = dot == std::string::npos ? "" : form.substr(0, dot);
  const std::string tune = dot == std::string::npos ? form : form.substr(dot + std::string("·").size());
  const std::string n = std::to_string(u.count);
  switch (kind) {
    case Tune::Ci:
      return form + "，词牌名。词是按照曲调填写的长短句，每个词牌规定了全词的分段、句数、每句字数以及平仄和押韵，"
                    "同一词牌的词格律大体相同，词的内容则与调名不一定相关。本集收录用" + form + "填写的词" + n +
             "首，如" + u.example + "。";
    case Tune::SouthernQu:
      return form + "，宋元南戏所用的南曲曲牌" + tune + "。南戏是流行于东南沿海的戏文，唱南曲，不分宫调联套，"
                    "同一曲牌可以接连重唱（称“前腔”），各个角色都可以唱。本集收录此调" + n + "支，如" + u.example + "。";
    case Tune::Qu:
    case Tune::QuModeUnknown:
      break;
  }
  const std::string modeText = kind == Tune::Qu ? "，" + tune + "属" + mode + "宫调。" : "，宫调已不可考。";
  if (u.suites == 0)
    return form + "，元代散曲曲牌" + modeText + "散曲小令用一支曲牌写成，句数、字数和韵脚依曲牌而定，"
                  "句中可以加衬字，语言比词更接近口语，常一韵到底。本集收录此调" + n + "首，如" + u.example + "。";
  std::string counts = "以此调起首的套数" + std::to_string(u.suites) + "套";
  if (u.count > u.suites) counts += "、小令" + std::to_string(u.count - u.suites) + "首";
  return form + "，元曲曲牌" + modeText + "同一宫调的几支曲牌依次联成一套、一韵到底，叫做套数，以首支曲牌命名；"
                "散曲有单独成篇的套数，杂剧每折唱一套。每支曲子的句数、字数和韵脚依曲牌而定，句中可以加衬字。本集收录" +
         counts + "，如" + u.example + "。";
}

}  // namespace

Table Anthology::FormatTable() const {
  std::map<std::string, Use> uses;
  std::vector<std::string> order;
  for (const Poem& p : poems_) {
    Use& u = uses[p.form];
    if (p.suite) ++u.suites;
    if (u.count++ == 0) {
      order.push_back(p.form);
      u.example = p.author + "的“" + FirstPhrase(p.head) + "”";
    }
  }
  Table t;
  t.columns = {"formatname", "content"};
  std::set<std::string> written;
  // Our own explanations first, in their order, then generated ones for tunes.
  for (const auto& [form, text] : formText_) {
    t.rows.push_back({form, text});
    written.insert(form);
  }
  for (const std::string& form : order) {
    if (written.count(form)) continue;
    auto kind = tuneKind_.find(form);
    if (kind == tuneKind_.end()) throw std::runtime_error("no explanation for the form " + form);
    t.rows.push_back({form, TuneText(form, kind->second, uses.at(form))});
    written.insert(form);
  }
  return t;
}

}  // namespace corpus
