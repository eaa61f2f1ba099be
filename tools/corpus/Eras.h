#pragma once
// The years of the Chinese eras, and whether an author's life dates fit the era
// the author is listed under.
//
// Rule: where a life date is known, the author was born at most kEraTolerance
// years before the era began and no later than its end, and died no earlier
// than its start and at most kEraTolerance years after its end. The tolerance
// keeps the lives that span two eras where the literary histories put them: a
// poet born under the last dynasty who wrote under the new one, or one who
// lived on after his dynasty fell (the Song loyalists died under the Yuan, the
// early Yuan dramatists were born under the Jin).
#include <optional>
#include <string>
#include <vector>

namespace corpus {

constexpr int kEraTolerance = 60;

// First and last year of an era, both inclusive; years before the common era
// are negative (221 BCE is -221).
struct EraSpan {
  int first;
  int last;
};

// The years of a Chinese era by its name in the settings file ("唐代"); none
// for a foreign country or an unknown name.
std::optional<EraSpan> EraYears(const std::string& era);

// Life dates as the author table writes them: "701-762", "约前340-前278",
// "1226-约1306", "699—约746", "?-1067"; "约" (about) is ignored, "前" marks a
// year before the common era. Unknown ends stay empty; "生卒年不详" and text
// that holds no dates give both ends empty. `valid` is false for text that
// looks like dates but does not read as them.
struct Life {
  std::optional<int> born;
  std::optional<int> died;
  bool valid = true;
};
Life ParseLife(const std::string& authoryear);

// True when the known ends of the life fit the era by the rule above; a life
// with no known end fits every era.
bool LifeFitsEra(const Life& life, const EraSpan& era);

// The first of `eras` (names) whose years the life fits, or "" when none does.
std::string FittingEra(const Life& life, const std::vector<std::string>& eras);

}  // namespace corpus
