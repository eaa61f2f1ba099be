#include "tools/corpus/CharacterRule.h"

#include "tools/corpus/Utf8.h"

#include <iconv.h>

#include <mutex>
#include <stdexcept>
#include <unordered_map>

namespace corpus {

namespace {

char32_t LookAlike(char32_t c) {
  switch (c) {
    case 0x2015: return 0x2014;  // horizontal bar -> em dash
    case 0x2500: return 0x2014;  // box-drawing line -> em dash
    case 0x301C: return 0xFF5E;  // wave dash -> full-width tilde
    case 0x2022: return 0x00B7;  // bullet -> middle dot
    case 0x30FB: return 0x00B7;  // katakana middle dot -> middle dot
    case 0xFF65: return 0x00B7;
    case 0x2027: return 0x00B7;
    case 0x2219: return 0x00B7;
    case 0x00A0: return ' ';
    case 0x3000: return 0x3000;
    case 0x2018: return 0x2018;
    case 0xFF02: return 0x201C;  // full-width quotation mark -> opening quote
    case 0x2E3A: return 0x2014;
    default: return c;
  }
}

}  // namespace

bool InGbk(char32_t c) {
  if (c < 0x80) return c != 0;
  static std::mutex m;
  static std::unordered_map<char32_t, bool> cache;
  std::lock_guard<std::mutex> lock(m);
  auto it = cache.find(c);
  if (it != cache.end()) return it->second;
  static iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert to GBK");
  std::string in = Encode(c);
  char out[8];
  char* ip = in.data();
  size_t il = in.size();
  char* op = out;
  size_t ol = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  const bool ok = c != 0xFFFD && iconv(cd, &ip, &il, &op, &ol) != static_cast<size_t>(-1) && il == 0;
  cache.emplace(c, ok);
  return ok;
}

std::string ReplaceLookAlikes(const std::string& s) {
  std::u32string u = Decode(s);
  for (char32_t& c : u) c = LookAlike(c);
  return Encode(u);
}

bool FitsGbk(const std::string& s) {
  for (char32_t c : Decode(s))
    if (c != '\n' && c != '\t' && c != '\r' && !InGbk(c)) return false;
  return true;
}

bool IsReadable(char32_t c) {
  if (c == '\n' || c == '\t') return true;
  if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return false;           // control characters
  if (c >= 0xD800 && c <= 0xDFFF) return false;                      // surrogates
  if ((c >= 0xE000 && c <= 0xF8FF) || c >= 0xF0000) return false;    // private use
  if (c == 0xFFFD || (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE) return false;
  return c <= 0x10FFFF;
}

bool AllReadable(const std::string& s) {
  for (char32_t c : Decode(s))
    if (!IsReadable(c)) return false;
  return true;
}

std::string DropUnreadable(const std::string& s, size_t& dropped) {
  std::u32string out;
  for (char32_t c : Decode(s)) {
    if (IsReadable(c)) {
      out.push_back(c);
    } else {
      ++dropped;
    }
  }
  return Encode(out);
}

}  // namespace corpus
