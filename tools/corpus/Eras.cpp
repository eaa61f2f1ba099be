#include "tools/corpus/Eras.h"

#include "tools/corpus/Utf8.h"

#include <map>

namespace corpus {

std::optional<EraSpan> EraYears(const std::string& era) {
  // The years the literary histories give each era. The Pre-Qin songs reach
  // back to the early Western Zhou; the Wei-Jin era opens with the Jian'an
  // years (196), whose poets the histories count as its first; the Five
  // Dynasties end with the last of the Ten Kingdoms (979).
  static const std::map<std::string, EraSpan> years = {
      {"先秦", {-1100, -221}}, {"两汉", {-206, 220}},  {"魏晋", {196, 420}},   {"南北朝", {420, 589}},
      {"隋代", {581, 618}},    {"唐代", {618, 907}},   {"五代", {907, 979}},   {"宋代", {960, 1279}},
      {"元代", {1271, 1368}},  {"明代", {1368, 1644}}, {"清代", {1644, 1912}},
  };
  const auto it = years.find(era);
  if (it == years.end()) return std::nullopt;
  return it->second;
}

namespace {

bool IsSeparator(char32_t c) {
  return c == '-' || c == U'－' || c == U'—' || c == U'―' || c == U'–' || c == U'~' || c == U'～' || c == U'至';
}

// One end of the dates: "约前340", "1067", "?" or "". Returns false when the
// text is neither a year nor unknown.
bool ParseEnd(const std::u32string& s, std::optional<int>& year) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i < s.size() && s[i] == U'约') ++i;
  bool before = false;
  if (i < s.size() && s[i] == U'前') {
    before = true;
    ++i;
  }
  std::u32string digits;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') digits.push_back(s[i++]);
  std::u32string rest = s.substr(i);
  while (!rest.empty() && (IsBlank(rest.back()) || rest.back() == U'年')) rest.pop_back();
  if (digits.empty()) {
    // Nothing but an unknown mark (or nothing at all).
    return !before && (rest.empty() || rest == U"?" || rest == U"？");
  }
  if (!rest.empty() || digits.size() > 4) return false;
  int y = 0;
  for (char32_t d : digits) y = y * 10 + static_cast<int>(d - '0');
  year = before ? -y : y;
  return true;
}

}  // namespace

Life ParseLife(const std::string& authoryear) {
  Life life;
  const std::u32string t = Decode(authoryear);
  bool hasDigit = false;
  for (char32_t c : t) hasDigit = hasDigit || (c >= '0' && c <= '9');
  if (!hasDigit) return life;  // "生卒年不详" and the like
  size_t sep = std::u32string::npos;
  for (size_t i = 0; i < t.size(); ++i)
    if (IsSeparator(t[i]) && i > 0) {  // a leading mark is no separator
      sep = i;
      break;
    }
  if (sep == std::u32string::npos) {
    life.valid = false;
    return life;
  }
  life.valid = ParseEnd(t.substr(0, sep), life.born) && ParseEnd(t.substr(sep + 1), life.died);
  if (life.born && life.died && *life.born > *life.died) life.valid = false;
  if (!life.valid) life.born = life.died = std::nullopt;
  return life;
}

bool LifeFitsEra(const Life& life, const EraSpan& era) {
  if (life.born && (*life.born < era.first - kEraTolerance || *life.born > era.last)) return false;
  if (life.died && (*life.died < era.first || *life.died > era.last + kEraTolerance)) return false;
  return true;
}

std::string FittingEra(const Life& life, const std::vector<std::string>& eras) {
  for (const std::string& e : eras)
    if (const auto span = EraYears(e); span && LifeFitsEra(life, *span)) return e;
  return "";
}

}  // namespace corpus
