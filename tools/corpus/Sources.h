#pragma once
// Reading the public poetry package (JSON) and our own sources (TSV) into an
// anthology.
#include "tools/corpus/Anthology.h"

#include <functional>
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

// Biographies of the package (all author files).
void LoadPackageBiographies(const std::string& dist, Anthology& a, const Simplifier& s);

// The shipped selection of Chinese works.
void LoadSelection(const std::string& dist, Anthology& a, const Simplifier& s, const Progress& progress);

// All Tang and Song poems and ci of the package (for the full library).
void LoadAllTangSong(const std::string& dist, Anthology& a, const Simplifier& s, const Progress& progress);

// Our own sources: curated Chinese biographies and dates, foreign authors and
// poems, form explanations.
void LoadOwnSources(const std::string& srcDir, Anthology& a);

}  // namespace corpus
