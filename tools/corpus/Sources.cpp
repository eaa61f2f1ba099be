#include "tools/corpus/Sources.h"

#include "tools/corpus/Forms.h"
#include "tools/corpus/CharacterRule.h"
#include "tools/corpus/QuWorks.h"
#include "tools/corpus/Utf8.h"
#include "tools/corpus/TextRules.h"
#include "tools/corpus/Tsv.h"

#include <nlohmann/json.hpp>
#include <opencc/opencc.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>

namespace fs = std::filesystem;
using nlohmann::json;

namespace corpus {

Simplifier::Simplifier() {
  opencc_t od = opencc_open("t2s.json");
  if (od == reinterpret_cast<opencc_t>(-1)) throw std::runtime_error("OpenCC profile t2s.json not found");
  handle_ = od;
}

Simplifier::~Simplifier() { opencc_close(static_cast<opencc_t>(handle_)); }

std::string Simplifier::operator()(const std::string& s) const {
  if (s.empty()) return s;
  char* out = opencc_convert_utf8(static_cast<opencc_t>(handle_), s.c_str(), s.size());
  if (!out) throw std::runtime_error(std::string("OpenCC failed: ") + opencc_error());
  std::string r(out);
  opencc_convert_utf8_free(out);
  if (FitsGbk(r)) return r;
  // Some simplified forms lie outside GBK while the original character is
  // inside it (鶒 becomes a character GBK lacks): keep the original there.
  std::u32string from = Decode(s);
  std::u32string to = Decode(r);
  if (from.size() != to.size()) {
    // Phrase conversion changed the length: convert character by character.
    to.clear();
    for (char32_t c : from) {
      const std::string one = Encode(c);
      char* o = opencc_convert_utf8(static_cast<opencc_t>(handle_), one.c_str(), one.size());
      const std::u32string u = o ? Decode(o) : std::u32string(1, c);
      if (o) opencc_convert_utf8_free(o);
      to += u.size() == 1 ? u : std::u32string(1, c);
    }
  }
  for (size_t i = 0; i < to.size(); ++i)
    if (!InGbk(to[i]) && InGbk(from[i])) to[i] = from[i];
  return Encode(to);
}

std::vector<std::string> ChineseEras() {
  return {"先秦", "两汉", "魏晋", "唐代", "五代", "宋代", "元代", "清代"};
}

namespace {

json ReadJson(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + p.string());
  return json::parse(in);
}

std::string Str(const json& o, const char* key) {
  auto it = o.find(key);
  if (it == o.end() || !it->is_string()) return "";
  return it->get<std::string>();
}

std::vector<std::string> Lines(const json& o, const char* key, const Simplifier& s) {
  std::vector<std::string> out;
  auto it = o.find(key);
  if (it == o.end() || !it->is_array()) return out;
  for (const json& l : *it)
    if (l.is_string()) out.push_back(s(l.get<std::string>()));
  return out;
}

std::vector<std::string> Tags(const json& o, const Simplifier& s) { return Lines(o, "tags", s); }

// Files named prefix.N.json directly in dir (the quarantine folder below it is
// not read), ordered by N so that the order is the same on every machine.
std::vector<fs::path> Numbered(const fs::path& dir, const std::string& prefix) {
  std::vector<std::pair<long, fs::path>> found;
  for (const auto& e : fs::directory_iterator(dir)) {
    if (!e.is_regular_file()) continue;
    const std::string name = e.path().filename().string();
    if (name.rfind(prefix, 0) != 0 || name.size() < prefix.size() + 6) continue;
    const std::string num = name.substr(prefix.size(), name.size() - prefix.size() - 5);
    if (num.empty() || !std::all_of(num.begin(), num.end(), ::isdigit)) continue;
    if (name.substr(name.size() - 5) != ".json") continue;
    found.emplace_back(std::stol(num), e.path());
  }
  std::sort(found.begin(), found.end());
  std::vector<fs::path> out;
  for (auto& f : found) out.push_back(f.second);
  return out;
}

std::string Join(const std::string& a, const std::string& b) {
  if (a.empty() || a == b) return b;
  return a + "·" + b;
}

LeftOut AddCi(Anthology& a, const std::string& era, const std::string& title, const std::string& author,
              const std::string& rhythmic, const std::vector<std::string>& lines) {
  std::string tune = CiTune(NormalizeText(rhythmic.empty() ? title : rhythmic));
  if (tune.empty()) tune = "词";
  std::string t = title;
  if (t.empty() && !lines.empty()) t = tune + "·" + FirstPhrase(NormalizeText(lines.front()));
  if (tune != "词") a.MarkTune(tune, false);
  return a.AddPoem(era, t, author, tune, lines);
}

void LoadTangSongShi(Anthology& a, const json& poems, const std::string& era, const Simplifier& s, Tally& tally) {
  for (const json& p : poems) {
    ++tally.package;
    const std::vector<std::string> lines = Lines(p, "paragraphs", s);
    std::string form = TaggedForm(Tags(p, s));
    if (form.empty()) {
      std::vector<std::string> clean;
      for (const std::string& l : lines) {
        std::vector<std::string> notes;
        clean.push_back(TakeNotes(l, notes));
      }
      form = ShapeForm(clean);
    }
    tally.Count(a.AddPoem(era, s(Str(p, "title")), s(Str(p, "author")), form, lines));
  }
}

// Authors whose Yuan sanqu are taken, with at most this many pieces each.
const char* const kQuAuthors[] = {"关汉卿", "白朴",   "马致远", "张养浩", "卢挚", "姚燧", "贯云石",
                                  "张可久", "乔吉",   "徐再思", "睢景臣", "刘致", "王恽", "周德清"};
constexpr int kQuPerAuthor = 12;

bool HasBrackets(const std::vector<std::string>& lines) {
  for (const std::string& l : lines)
    for (const char* b : {"(", "（", "［", "【", "[", "〔"})
      if (l.find(b) != std::string::npos) return true;
  return false;
}

}  // namespace

void LoadPackageBiographies(const std::string& dist, Anthology& a, const Simplifier& s) {
  const fs::path d(dist);
  for (const json& au : ReadJson(d / "songci" / "author.song.json")) a.OfferBiography(s(Str(au, "name")), s(Str(au, "description")));
  for (const json& au : ReadJson(d / "wudaishici" / "nantang" / "authors.json")) a.OfferBiography(s(Str(au, "name")), s(Str(au, "desc")));
  for (const json& au : ReadJson(d / "quantangshi" / "authors.tang.json")) a.OfferBiography(s(Str(au, "name")), s(Str(au, "desc")));
  for (const json& au : ReadJson(d / "quantangshi" / "authors.song.json")) a.OfferBiography(s(Str(au, "name")), s(Str(au, "desc")));
}

namespace {

Tally& NewTally(Tallies& tallies, const std::string& collection) {
  tallies.emplace_back().collection = collection;
  return tallies.back();
}

// Works of one author-less or one-author collection, each under the era `era`
// gives its author.
template <typename Add>
void LoadEach(const json& poems, Tally& tally, Add add) {
  for (const json& p : poems) {
    ++tally.package;
    tally.Count(add(p));
  }
}

void LoadHuajian(const fs::path& d, Anthology& a, const Simplifier& s, Tally& tally) {
  std::vector<fs::path> juan;
  for (const auto& e : fs::directory_iterator(d / "wudaishici" / "huajianji"))
    if (e.path().filename().string().find("-juan") != std::string::npos) juan.push_back(e.path());
  std::sort(juan.begin(), juan.end());
  for (const fs::path& f : juan)
    LoadEach(ReadJson(f), tally, [&](const json& p) {
      return AddCi(a, "五代", s(Str(p, "title")), s(Str(p, "author")), s(Str(p, "rhythmic")), Lines(p, "paragraphs", s));
    });
}

// The shipped selection's qu: the chosen authors' short pieces without
// brackets, a few each.
void LoadChosenQu(const json& poems, Anthology& a, const Simplifier& s, Tally& tally) {
  std::map<std::string, int> taken;
  for (const json& p : poems) {
    ++tally.package;
    const std::string author = s(Str(p, "author"));
    const auto qt = std::find(std::begin(kQuAuthors), std::end(kQuAuthors), author) == std::end(kQuAuthors) ||
                            taken[author] >= kQuPerAuthor
                        ? std::nullopt
                        : ParseQuTitle(NormalizeText(s(Str(p, "title"))));
    const std::vector<std::string> lines = qt ? Lines(p, "paragraphs", s) : std::vector<std::string>();
    if (!qt || lines.empty() || lines.size() > 8 || HasBrackets(lines)) {
      ++tally.notChosen;
      continue;
    }
    const std::string form = QuForm(*qt);
    a.MarkTune(form, true);
    const std::string title = qt->subtitle.empty() ? qt->tune : qt->tune + "·" + qt->subtitle;
    const LeftOut why = a.AddPoem("元代", title, author, form, lines);
    tally.Count(why);
    if (why == LeftOut::None) ++taken[author];
  }
}

Tune TuneOf(const std::string& form) {
  if (form.rfind(std::string(kSouthern) + "·", 0) == 0) return Tune::SouthernQu;
  if (form.rfind(std::string(kNorthernNoMode) + "·", 0) == 0) return Tune::QuModeUnknown;
  return Tune::Qu;
}

// Every qu of the package: pieces, suites and acts whole, southern arias one each.
void LoadAllQu(const json& poems, Anthology& a, const Simplifier& s, Tally& tally) {
  std::vector<QuRecord> records;
  for (const json& p : poems) records.push_back({s(Str(p, "title")), s(Str(p, "author")), Lines(p, "paragraphs", s)});
  tally.package += records.size();
  for (const QuWork& w : GroupQu(records)) {
    a.MarkTune(w.form, TuneOf(w.form));
    const LeftOut why = a.AddPoem("元代", w.title, w.author, w.form, w.lines, w.suite ? Layout::QuSuite : Layout::Qu);
    tally.Count(why, w.records, w.emptyRecords);
  }
}

}  // namespace

void Tally::Count(LeftOut why, size_t records, size_t emptyRecords) {
  if (why != LeftOut::None) {
    leftOut[why] += records;
    return;
  }
  ++kept;
  joined += records - 1 - emptyRecords;
  if (emptyRecords) leftOut[LeftOut::Empty] += emptyRecords;
}

size_t Tally::Accounted() const {
  size_t n = kept + joined + notChosen;
  for (const auto& [why, count] : leftOut) n += count;
  return n;
}

Table TallyTable(const Tallies& tallies) {
  static const LeftOut reasons[] = {LeftOut::Duplicate, LeftOut::Empty, LeftOut::Placeholder, LeftOut::Unreadable};
  Table t;
  t.columns = {"collection", "package:int", "kept:int", "joined:int"};
  for (LeftOut why : reasons) t.columns.push_back(std::string(LeftOutReason(why)) + ":int");
  t.columns.push_back("not chosen:int");
  for (const Tally& tally : tallies) {
    Row r = {tally.collection, std::to_string(tally.package), std::to_string(tally.kept), std::to_string(tally.joined)};
    for (LeftOut why : reasons) {
      const auto it = tally.leftOut.find(why);
      r.push_back(std::to_string(it == tally.leftOut.end() ? 0 : it->second));
    }
    r.push_back(std::to_string(tally.notChosen));
    t.rows.push_back(std::move(r));
  }
  return t;
}

void LoadSelection(const std::string& dist, Anthology& a, const Simplifier& s, const Progress& progress,
                   Tallies& tallies, bool allQu) {
  const fs::path d(dist);
  const size_t steps = 9;
  size_t step = 0;

  progress("诗经", ++step, steps);
  LoadEach(ReadJson(d / "shijing" / "shijing.json"), NewTally(tallies, "诗经"), [&](const json& p) {
    return a.AddPoem("先秦", Join(s(Str(p, "section")), s(Str(p, "title"))), "佚名", "诗经体", Lines(p, "content", s));
  });

  progress("楚辞", ++step, steps);
  static const std::set<std::string> preQin = {"屈原", "宋玉", "景差"};
  LoadEach(ReadJson(d / "chuci" / "chuci.json"), NewTally(tallies, "楚辞"), [&](const json& p) {
    const std::string author = s(Str(p, "author"));
    return a.AddPoem(preQin.count(author) ? "先秦" : "两汉", Join(s(Str(p, "section")), s(Str(p, "title"))), author,
                     "楚辞体", Lines(p, "content", s));
  });

  progress("曹操诗集", ++step, steps);
  LoadEach(ReadJson(d / "caocaoshiji" / "caocao.json"), NewTally(tallies, "曹操诗集"), [&](const json& p) {
    return a.AddPoem("魏晋", s(Str(p, "title")), "曹操", "乐府", Lines(p, "paragraphs", s));
  });

  progress("唐诗三百首", ++step, steps);
  LoadTangSongShi(a, ReadJson(d / "quantangshi" / "唐诗三百首.json"), "唐代", s, NewTally(tallies, "唐诗三百首"));

  progress("花间集", ++step, steps);
  LoadHuajian(d, a, s, NewTally(tallies, "花间集"));

  progress("南唐二主词", ++step, steps);
  LoadEach(ReadJson(d / "wudaishici" / "nantang" / "poetrys.json"), NewTally(tallies, "南唐二主词"), [&](const json& p) {
    return AddCi(a, "五代", s(Str(p, "title")), s(Str(p, "author")), s(Str(p, "rhythmic")), Lines(p, "paragraphs", s));
  });

  progress("宋词三百首", ++step, steps);
  LoadEach(ReadJson(d / "songci" / "宋词三百首.json"), NewTally(tallies, "宋词三百首"), [&](const json& p) {
    return AddCi(a, "宋代", "", s(Str(p, "author")), s(Str(p, "rhythmic")), Lines(p, "paragraphs", s));
  });

  progress("元曲", ++step, steps);
  const json qu = ReadJson(d / "yuanqu" / "yuanqu.json");
  if (allQu) LoadAllQu(qu, a, s, NewTally(tallies, "元曲"));
  else LoadChosenQu(qu, a, s, NewTally(tallies, "元曲"));

  progress("纳兰性德词", ++step, steps);
  LoadEach(ReadJson(d / "nalanxingde" / "纳兰性德诗集.json"), NewTally(tallies, "纳兰性德"), [&](const json& p) {
    const std::string title = NormalizeText(s(Str(p, "title")));
    const std::vector<std::string> lines = Lines(p, "para", s);
    if (title.find("·") != std::string::npos) return AddCi(a, "清代", title, s(Str(p, "author")), "", lines);
    return a.AddPoem("清代", title, s(Str(p, "author")), ShapeForm(lines), lines);
  });
}

void LoadAllTangSong(const std::string& dist, Anthology& a, const Simplifier& s, const Progress& progress,
                     Tallies& tallies) {
  const fs::path d(dist);
  const std::vector<fs::path> tang = Numbered(d / "quantangshi", "poet.tang.");
  const std::vector<fs::path> song = Numbered(d / "quantangshi", "poet.song.");
  const std::vector<fs::path> ci = Numbered(d / "songci", "ci.song.");
  const size_t total = tang.size() + song.size() + ci.size();
  size_t done = 0;
  Tally& tangTally = NewTally(tallies, "全唐诗");
  for (const fs::path& f : tang) {
    progress(f.filename().string(), ++done, total);
    LoadTangSongShi(a, ReadJson(f), "唐代", s, tangTally);
  }
  Tally& songTally = NewTally(tallies, "全宋诗");
  for (const fs::path& f : song) {
    progress(f.filename().string(), ++done, total);
    LoadTangSongShi(a, ReadJson(f), "宋代", s, songTally);
  }
  Tally& ciTally = NewTally(tallies, "全宋词");
  for (const fs::path& f : ci) {
    progress(f.filename().string(), ++done, total);
    LoadEach(ReadJson(f), ciTally, [&](const json& p) {
      return AddCi(a, "宋代", "", s(Str(p, "author")), s(Str(p, "rhythmic")), Lines(p, "paragraphs", s));
    });
  }
}

void LoadOwnSources(const std::string& srcDir, Anthology& a) {
  const fs::path d(srcDir);
  const Table renames = ReadTsv((d / "names.tsv").string());
  {
    const size_t f = ColumnIndex(renames, "package"), t = ColumnIndex(renames, "authorname");
    for (const Row& r : renames.rows) a.SetRename(r[f], r[t]);
  }
  const Table curated = ReadTsv((d / "authors.tsv").string());
  {
    const size_t n = ColumnIndex(curated, "authorname"), y = ColumnIndex(curated, "authoryear"),
                 c = ColumnIndex(curated, "content");
    for (const Row& r : curated.rows) a.SetCurated(r[n], r[y], r[c]);
  }
  const Table forms = ReadTsv((d / "forms.tsv").string());
  {
    const size_t n = ColumnIndex(forms, "formatname"), c = ColumnIndex(forms, "content");
    for (const Row& r : forms.rows) a.SetFormText(r[n], r[c]);
  }
  const Table fa = ReadTsv((d / "foreign_authors.tsv").string());
  {
    const size_t n = ColumnIndex(fa, "authorname"), y = ColumnIndex(fa, "authoryear"), c = ColumnIndex(fa, "content"),
                 e = ColumnIndex(fa, "agename");
    for (const Row& r : fa.rows) a.AddForeignAuthor(Author{r[n], r[y], r[c], r[e]});
  }
  const Table fp = ReadTsv((d / "foreign_poetry.tsv").string());
  {
    const size_t t = ColumnIndex(fp, "title"), n = ColumnIndex(fp, "authorname"), f = ColumnIndex(fp, "formatName"),
                 c = ColumnIndex(fp, "content");
    for (const Row& r : fp.rows) {
      const LeftOut why = a.AddPoem("", r[t], r[n], r[f], SplitLines(r[c]));
      if (why != LeftOut::None) throw std::runtime_error("our own poem was not taken: " + r[t]);
    }
  }
}

}  // namespace corpus
