#include "tavo/cp1252.h"

namespace tavo {

namespace {

// 0x80..0x9F; the undefined slots hold their own value.
const char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string &out, char32_t u) {
  if (u < 0x80) {
    out += (char)u;
  } else if (u < 0x800) {
    out += (char)(0xC0 | (u >> 6));
    out += (char)(0x80 | (u & 0x3F));
  } else {
    out += (char)(0xE0 | (u >> 12));
    out += (char)(0x80 | ((u >> 6) & 0x3F));
    out += (char)(0x80 | (u & 0x3F));
  }
}

}  // namespace

char32_t Cp1252ToUnicode(unsigned char c) {
  if (c >= 0x80 && c < 0xA0) return kHigh[c - 0x80];
  return c;
}

int UnicodeToCp1252(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return (int)u;
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == u) return 0x80 + i;
  return -1;
}

std::string ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() + s.size() / 4);
  for (unsigned char c : s) AppendUtf8(out, Cp1252ToUnicode(c));
  return out;
}

bool ToCp1252(std::string_view s, std::string &out) {
  out.clear();
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = (unsigned char)s[i];
    char32_t u;
    size_t n;
    if (c < 0x80) {
      u = c;
      n = 1;
    } else if ((c & 0xE0) == 0xC0) {
      u = c & 0x1F;
      n = 2;
    } else if ((c & 0xF0) == 0xE0) {
      u = c & 0x0F;
      n = 3;
    } else if ((c & 0xF8) == 0xF0) {
      u = c & 0x07;
      n = 4;
    } else {
      return false;
    }
    if (i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k) {
      unsigned char d = (unsigned char)s[i + k];
      if ((d & 0xC0) != 0x80) return false;
      u = (u << 6) | (d & 0x3F);
    }
    // Overlong forms would let two spellings name one character.
    static const char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (u < kMin[n]) return false;
    int b = UnicodeToCp1252(u);
    if (b < 0) return false;
    out += (char)b;
    i += n;
  }
  return true;
}

std::string ToCp1252(const std::string &utf8) {
  std::string out;
  if (!ToCp1252(utf8, out)) out.clear();
  return out;
}

unsigned char Cp1252Upper(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  switch (c) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
  }
  return c;
}

unsigned char Cp1252Lower(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
  }
  return c;
}

bool Cp1252EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Cp1252Upper((unsigned char)a[i]) != Cp1252Upper((unsigned char)b[i])) return false;
  return true;
}

}  // namespace tavo
