#pragma once
// Windows-1252 <-> Unicode. Every text inside the programs is Windows-1252;
// the platform converts only where it meets Linux (file names, fonts, the
// clipboard, the command line).

#include <string>
#include <string_view>

namespace tavo {

// The Unicode code point of a Windows-1252 byte. The five bytes Windows
// leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) map to the C1 controls of the
// same value, so every byte survives a round trip.
char32_t Cp1252ToUnicode(unsigned char c);

// The Windows-1252 byte of a code point, or -1 when it has none.
int UnicodeToCp1252(char32_t u);

// Windows-1252 bytes to UTF-8; never fails.
std::string ToUtf8(std::string_view cp1252);
inline std::string ToUtf8(const char *cp1252) {
  return ToUtf8(std::string_view(cp1252 ? cp1252 : ""));
}

// UTF-8 to Windows-1252. False (out unspecified) when the input is not
// valid UTF-8 or holds a character Windows-1252 cannot show.
bool ToCp1252(std::string_view utf8, std::string &out);
// The same, for callers that only need the text: an unconvertible input
// gives an empty string.
std::string ToCp1252(const std::string &utf8);

// Case folding of the Windows-1252 letters (ASCII, æøå and the other
// Latin-1 letters, š œ ž ÿ).
unsigned char Cp1252Upper(unsigned char c);
unsigned char Cp1252Lower(unsigned char c);

// Equal without regard to case, in Windows-1252.
bool Cp1252EqualNoCase(std::string_view a, std::string_view b);

}  // namespace tavo
