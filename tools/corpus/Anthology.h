#pragma once
// The anthology being assembled: authors, poems and forms, with the rules that
// keep it consistent (one author row per name, poems counted, duplicates
// merged, every author under an era that fits the life, every character
// readable).
#include "tools/corpus/Tsv.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace corpus {

struct Poem {
  std::string title;
  std::string author;
  std::string form;
  std::string head;
  std::string content;
  bool suite = false;  // a qu of several tunes
};

struct Author {
  std::string name;
  std::string years;
  std::string bio;
  std::string era;
};

// Why a poem was not taken.
enum class LeftOut { None, Empty, Placeholder, Unreadable, Duplicate };
// The reason in words, as the converter prints it.
const char* LeftOutReason(LeftOut why);

// How a poem's lines are written. Verse: notes in brackets leave the lines for
// a note after the text. Qu: brackets are stage directions and stay where they
// stand (see CleanQuLine); Latin letters mark a damaged
// record, as placeholders do. QuSuite: a qu of several tunes.
enum class Layout { Verse, Qu, QuSuite };

// Kinds of tune whose explanations the converter writes.
enum class Tune {
  Ci,             // a ci tune
  Qu,             // a northern qu tune named "mode·tune"
  QuModeUnknown,  // a northern qu tune the package gives no mode: "北曲·tune"
  SouthernQu,     // a tune of a southern play: "南曲·tune"
};

struct Counts {
  size_t poems = 0;
  size_t duplicates = 0;
  size_t placeholders = 0;
  size_t unreadable = 0;
  size_t empty = 0;
  // Poems taken that hold characters outside GBK, that share their first line
  // with an earlier poem of the author, and fragments titled 句.
  size_t outsideGbk = 0;
  size_t sameHead = 0;
  size_t fragments = 0;
  // Authors moved to the era their life fits, and authors whose life fits none
  // of the eras their poems came under nor any other (left where they were).
  size_t authorsMoved = 0;
  size_t livesOutsideEveryEra = 0;
  size_t notesMoved = 0;
  size_t titlesMade = 0;
  size_t proseCharsDropped = 0;
  size_t biographiesMade = 0;
  size_t anonymousRenamed = 0;
};

class Anthology {
 public:
  // eras: the Chinese eras in display order; foreign countries are added as
  // their authors arrive.
  explicit Anthology(std::vector<std::string> eras);

  // A biography from the package; the first usable one for a name is kept.
  void OfferBiography(const std::string& name, const std::string& bio);
  // Our own life dates and biography; empty fields leave the package's.
  void SetCurated(const std::string& name, const std::string& years, const std::string& bio);
  // A name the package spells wrongly (characters lost, remarks attached) and
  // the right one; applied to poems and biographies alike.
  void SetRename(const std::string& from, const std::string& to) { renames_[from] = to; }
  // A foreign author with everything given.
  void AddForeignAuthor(const Author& a);

  // Cleans and adds one poem of the given era. lines are the poem's lines as
  // the source has them (already in simplified characters). A fragment (a
  // title of 句 and numerals only) is kept with that title and the form 残句.
  LeftOut AddPoem(const std::string& era, std::string title, std::string author, const std::string& form,
                  const std::vector<std::string>& lines, Layout layout = Layout::Verse);

  // The name used for an unknown author of an era, e.g. "无名氏（唐）".
  static std::string AnonymousName(const std::string& era);

  // A form explanation of our own (used as written).
  void SetFormText(const std::string& form, const std::string& text);
  // Kind of a generated form explanation: ci tune or qu tune. The first kind
  // given for a form stays.
  void MarkTune(const std::string& form, bool qu) { MarkTune(form, qu ? Tune::Qu : Tune::Ci); }
  void MarkTune(const std::string& form, Tune kind);

  // The form given to fragments titled 句.
  static const char* const kFragmentForm;

  // Builds the tables. Authors without poems are not written. An author whose
  // known life does not fit the era of the first poem is put under the first
  // era of the author's poems that fits, else the first Chinese era that fits.
  Table AuthorTable();
  Table PoetryTable() const;
  Table FormatTable() const;

  const std::vector<std::string>& ChineseEras() const { return eras_; }
  const std::vector<std::string>& Countries() const { return countries_; }
  std::vector<std::string> ErasInUse() const;
  const Counts& counts() const { return counts_; }
  // Receives one line for each poem left out or merged (author, title, reason).
  void SetLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }
  const std::vector<Poem>& poems() const { return poems_; }

 private:
  std::string FinalBiography(const std::string& name, const std::string& era, size_t total);
  std::string LifeDatesOf(const std::string& name) const;
  // Each Chinese author's era after the placement by life (AuthorTable).
  struct Placement {
    std::unordered_map<std::string, std::string> era;
    size_t moved = 0;
    size_t outsideEveryEra = 0;
  };
  Placement PlaceByLife() const;

  std::vector<std::string> eras_;
  std::vector<std::string> countries_;
  std::vector<Poem> poems_;
  std::vector<std::string> authorOrder_;                  // first appearance
  std::unordered_map<std::string, std::string> authorEra_;
  std::unordered_map<std::string, std::vector<std::string>> poemEras_;  // eras of an author's poems
  std::unordered_map<std::string, size_t> authorTotal_;
  std::unordered_map<std::string, std::string> packageBio_;
  std::unordered_map<std::string, std::pair<std::string, std::string>> curated_;
  std::unordered_map<std::string, Author> foreign_;
  std::unordered_set<std::string> seenText_;               // author + text key
  std::unordered_set<std::string> seenHead_;               // author + first line
  std::map<std::string, std::string> formText_;
  std::map<std::string, Tune> tuneKind_;
  Counts counts_;
  std::unordered_map<std::string, std::string> renames_;
  std::string Renamed(const std::string& name) const;
  std::function<void(const std::string&)> log_;
  void Log(const std::string& what, const std::string& author, const std::string& title);
};

}  // namespace corpus
