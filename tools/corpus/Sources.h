#pragma once
// Reading the public poetry package (JSON) and our own sources (TSV) into an
// anthology.
#include "tools/corpus/Anthology.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace corpus {

// Traditional-to-simplified conversion through OpenCC's "t2s" profile.
class Simplifier {
 public:
  Simplifier();
  ~Simplifier();
  Simplifier(const Simplifier&) = delete;
  Simplifier& operator=(const Simplifier&) = delete;
  std::string operator()(const std::string& s) const;

 private:
  void* handle_;
};

// The Chinese eras in display order.
std::vector<std::string> ChineseEras();

using Progress = std::function<void(const std::string& step, size_t done, size_t total)>;

// What the converter made of one collection of the package. Every record the
// package holds is counted once: as a work taken, as a further tune joined to
// the work before it, as left out with its reason, or as not chosen for the
// shipped selection.
struct Tally {
  std::string collection;
  size_t package = 0;
  size_t kept = 0;
  size_t joined = 0;
  std::map<LeftOut, size_t> leftOut;
  size_t notChosen = 0;

  // Counts one work of `records` records (the further ones joined to it; of
  // those, `emptyRecords` held no text and are left out as empty).
  void Count(LeftOut why, size_t records = 1, size_t emptyRecords = 0);
  size_t Accounted() const;
};
using Tallies = std::deque<Tally>;  // a tally stays where it is while more are added
// The tallies as a table: collection, package, kept, joined, one column for
// each reason, not chosen.
Table TallyTable(const Tallies& tallies);

// Biographies of the package (all author files).
void LoadPackageBiographies(const std::string& dist, Anthology& a, const Simplifier& s);

// The shipped selection of Chinese works; with allQu, every qu instead of the
// chosen ones (for the full library).
void LoadSelection(const std::string& dist, Anthology& a, const Simplifier& s, const Progress& progress,
                   Tallies& tallies, bool allQu = false);

// All Tang and Song poems and ci of the package (for the full library).
void LoadAllTangSong(const std::string& dist, Anthology& a, const Simplifier& s, const Progress& progress,
                     Tallies& tallies);

// Our own sources: curated Chinese biographies and dates, foreign authors and
// poems, form explanations.
void LoadOwnSources(const std::string& srcDir, Anthology& a);

}  // namespace corpus
