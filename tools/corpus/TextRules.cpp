#include "tools/corpus/TextRules.h"

#include "tools/corpus/Utf8.h"

#include <algorithm>

namespace corpus {

namespace {

bool IsDotLike(char32_t c) {
  return c == 0x30FB || c == 0xFF65 || c == 0x2027 || c == 0x2022 || c == 0x2219 || c == 0x00B7;
}

bool IsPunct(char32_t c) {
  static const std::u32string marks = U"，。？！；：、,.?!;:“”‘’「」『』《》〈〉（）()—…·";
  return marks.find(c) != std::u32string::npos;
}

bool IsAsciiOrHanLike(char32_t c) { return IsHan(c) || IsPunct(c); }

std::u32string Trim(std::u32string s) {
  size_t b = 0;
  while (b < s.size() && (IsBlank(s[b]) || s[b] == '\r' || s[b] == '\n')) ++b;
  size_t e = s.size();
  while (e > b && (IsBlank(s[e - 1]) || s[e - 1] == '\r' || s[e - 1] == '\n')) --e;
  return s.substr(b, e - b);
}

int HanDigit(char32_t c) {
  static const std::u32string digits = U"〇一二三四五六七八九";
  if (c == U'○' || c == U'零') return 0;
  const size_t p = digits.find(c);
  return p == std::u32string::npos ? -1 : static_cast<int>(p);
}

}  // namespace

std::string NormalizeText(const std::string& s) {
  const std::u32string in = Decode(s);
  std::u32string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    char32_t c = in[i];
    if (IsDotLike(c)) c = 0x00B7;
    if (IsBlank(c)) {
      // A blank between two Han characters or marks is a stray one.
      size_t j = i;
      while (j < in.size() && IsBlank(in[j])) ++j;
      const bool before = !out.empty() && IsAsciiOrHanLike(out.back());
      const bool after = j < in.size() && IsAsciiOrHanLike(in[j]);
      if (before || after || out.empty() || j == in.size()) {
        i = j - 1;
        continue;
      }
      out.push_back(' ');
      i = j - 1;
      continue;
    }
    out.push_back(c);
  }
  return Encode(Trim(out));
}

std::string NormalizeTitle(const std::string& s) {
  std::u32string in = Trim(Decode(s));
  std::u32string out;
  for (size_t i = 0; i < in.size(); ++i) {
    char32_t c = in[i];
    if (IsDotLike(c)) c = 0x00B7;
    if (IsBlank(c)) {
      while (i + 1 < in.size() && IsBlank(in[i + 1])) ++i;
      // No blank next to a middle dot or punctuation.
      if (!out.empty() && !IsPunct(out.back()) && i + 1 < in.size() && !IsPunct(in[i + 1]) && !IsDotLike(in[i + 1]))
        out.push_back(' ');
      continue;
    }
    out.push_back(c);
  }
  return Encode(out);
}

namespace {

char32_t NoteCloser(char32_t c) {
  if (c == U'（') return U'）';
  if (c == U'(') return U')';
  if (c == U'〔') return U'〕';
  return 0;
}

// True when a note bracket of the line opens and does not close after it.
bool HasOpenNote(const std::u32string& line) {
  size_t i = 0;
  while (i < line.size()) {
    const char32_t close = NoteCloser(line[i]);
    if (close != 0) {
      const size_t e = line.find(close, i + 1);
      if (e == std::u32string::npos) return true;
      i = e + 1;
      continue;
    }
    ++i;
  }
  return false;
}

}  // namespace

std::vector<std::string> JoinSplitNotes(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < lines.size()) {
    std::u32string joined = Decode(lines[i]);
    size_t j = i + 1;
    while (HasOpenNote(joined) && j < lines.size() && !lines[j].empty()) joined += Decode(lines[j++]);
    if (HasOpenNote(joined)) {
      // Never closed: the bracket is text, and the lines stay as they were.
      out.push_back(lines[i++]);
      continue;
    }
    out.push_back(Encode(joined));
    i = j;
  }
  return out;
}

std::string TakeNotes(const std::string& line, std::vector<std::string>& notes) {
  const std::u32string in = Decode(line);
  std::u32string out;
  size_t i = 0;
  while (i < in.size()) {
    const char32_t c = in[i];
    char32_t close = 0;
    if (c == U'（') close = U'）';
    if (c == U'(') close = U')';
    if (c == U'〔') close = U'〕';
    if (close != 0) {
      const size_t e = in.find(close, i + 1);
      if (e != std::u32string::npos) {
        const std::u32string inner = Trim(in.substr(i + 1, e - i - 1));
        if (!inner.empty()) notes.push_back(Encode(inner));
        i = e + 1;
        continue;
      }
    }
    out.push_back(c);
    ++i;
  }
  return Encode(Trim(out));
}

bool HasPlaceholder(const std::string& s) {
  for (char32_t c : Decode(s))
    if (c == U'□' || c == U'■' || c == U'▢' || c == 0xFFFD || c == U'〓') return true;
  return false;
}

std::string FirstPhrase(const std::string& line) {
  const std::u32string in = Decode(line);
  std::u32string out;
  for (char32_t c : in) {
    if (IsPunct(c) || IsBlank(c)) {
      if (!out.empty()) break;
      continue;
    }
    out.push_back(c);
  }
  return Encode(out);
}

std::string CleanAuthorName(const std::string& name) {
  std::u32string n = Trim(Decode(name));
  for (size_t i = 0; i < n.size(); ++i)
    if (IsBlank(n[i])) {
      n.resize(i);
      break;
    }
  return NormalizeText(Encode(n));
}

std::string CleanBiography(const std::string& name, const std::string& bio) {
  std::u32string text = Decode(NormalizeText(bio));
  // Split into the versions separated by "--".
  std::vector<std::u32string> parts;
  size_t start = 0;
  while (true) {
    const size_t p = text.find(U"--", start);
    parts.push_back(text.substr(start, p == std::u32string::npos ? std::u32string::npos : p - start));
    if (p == std::u32string::npos) break;
    start = p + 2;
  }
  const std::u32string n = Decode(name);
  for (std::u32string part : parts) {
    part = Trim(part);
    // Drop a lead that only repeats the name ("苏轼：", "韦庄:").
    if (!n.empty() && part.compare(0, n.size(), n) == 0 && part.size() > n.size() &&
        (part[n.size()] == U'：' || part[n.size()] == U':')) {
      part = Trim(part.substr(n.size() + 1));
    }
    // Collapse repeated line feeds and make remaining ones plain.
    std::u32string clean;
    for (char32_t c : part) {
      if (c == '\r') continue;
      if (c == '\n' && !clean.empty() && clean.back() == '\n') continue;
      clean.push_back(c);
    }
    clean = Trim(clean);
    size_t han = 0;
    for (char32_t c : clean)
      if (IsHan(c)) ++han;
    if (han >= 8) return Encode(clean);
  }
  return "";
}

std::string LifeDates(const std::string& bio) {
  const std::u32string t = Decode(bio);
  // Look at the first bracketed group within the opening of the text.
  for (size_t i = 0; i < t.size() && i < 40; ++i) {
    if (t[i] != U'(' && t[i] != U'（') continue;
    const size_t e = t.find_first_of(U")）", i + 1);
    if (e == std::u32string::npos || e - i > 40) return "";
    const std::u32string g = t.substr(i + 1, e - i - 1);
    std::vector<std::u32string> years(1);
    std::vector<bool> about(1, false);
    bool sawSep = false;
    for (size_t k = 0; k < g.size(); ++k) {
      const char32_t c = g[k];
      if (c >= '0' && c <= '9') {
        years.back().push_back(c);
      } else if (HanDigit(c) >= 0 && (years.back().size() > 0 || (k + 1 < g.size() && HanDigit(g[k + 1]) >= 0))) {
        years.back().push_back(static_cast<char32_t>('0' + HanDigit(c)));
      } else if (c == U'约') {
        about.back() = true;
      } else if (c == '-' || c == U'－' || c == U'～' || c == U'~' || c == U'—' || c == U'―' ||
                 c == U'–' || c == U'至') {
        // The long dash written twice ("1190——1257") is one; other doubled marks
        // ("一○三～～○八二") stand for a lost digit.
        if (sawSep && years.back().empty() && (c == U'—' || c == U'―') && g[k - 1] == c) continue;
        if (sawSep) break;
        sawSep = true;
        years.emplace_back();
        about.push_back(false);
      } else if (IsBlank(c) || c == U'？' || c == '?') {
        continue;
      } else if (!years.back().empty()) {
        // Text after a year (month, day, "年") ends that year.
        if (sawSep) break;
        if (c == U'年') continue;
        return "";
      }
    }
    if (!sawSep || years.size() != 2 || years[0].size() < 2 || years[1].size() < 2 ||
        years[0].size() > 4 || years[1].size() > 4)
      return "";
    // A death year written short takes the birth year's leading digits
    // ("一○一一～○五六" is 1011-1056), and the next century when it would
    // otherwise come before the birth.
    if (years[1].size() < years[0].size()) {
      const size_t cut = years[0].size() - years[1].size();
      std::u32string full = years[0].substr(0, cut) + years[1];
      if (std::stoi(Encode(full)) < std::stoi(Encode(years[0]))) {
        const int next = std::stoi(Encode(years[0].substr(0, cut))) + 1;
        full = Decode(std::to_string(next)) + years[1];
      }
      years[1] = full;
    }
    // Dates that read as no life (the death before the birth, or a death
    // year of five digits after the century step) are no dates: the author
    // table says "unknown" rather than holding dates its checks refuse.
    if (years[1].size() > 4 || std::stoi(Encode(years[1])) < std::stoi(Encode(years[0]))) return "";
    std::u32string out;
    if (about[0]) out += U"约";
    out += years[0];
    out += U"-";
    if (about[1]) out += U"约";
    out += years[1];
    return Encode(out);
  }
  return "";
}

bool IsAnonymous(const std::string& name) {
  static const char* const names[] = {"无名氏", "佚名", "不详", "无名", "阙名", "失名", "無名氏", "不詳"};
  return std::any_of(std::begin(names), std::end(names), [&](const char* n) { return name == n; });
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t p = text.find('\n', start);
    std::string line = text.substr(start, p == std::string::npos ? std::string::npos : p - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (p == std::string::npos) break;
    start = p + 1;
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  while (!lines.empty() && lines.front().empty()) lines.erase(lines.begin());
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) out += '\n';
    out += lines[i];
  }
  return out;
}

}  // namespace corpus
