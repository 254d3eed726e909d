// Plain string functions the parsers share. "Trim" always means removing
// leading and trailing bytes 0 to 32; letters are ASCII A-Z and a-z, digits
// 0-9; bytes 128 to 255 are neither. Results are short strings: they never
// allocate, and a result longer than 255 characters is cut.
#pragma once

#include <string_view>

#include "LxTypes.h"

namespace lx {

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
constexpr bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
constexpr char UpCase(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
constexpr char LowCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

std::string_view Trim(std::string_view s);

bool HasDigit(std::string_view s);
// Non-empty and digits only.
bool IsAllDigits(std::string_view s);
// Non-empty and digits or "-" only.
bool IsDigitsOrDash(std::string_view s);
// Mask "9" needs a digit, "A" a letter, "X" a letter or digit at the same
// position; other mask characters test nothing; a tested position past the end
// of s fails; characters of s past the mask are not tested.
bool MatchesMask(std::string_view s, std::string_view mask);
// trim(s) preceded by fill characters up to width; never cut.
Str255 PadLeft(char fill, std::string_view s, int width);
// trim(s) cut or filled to exactly width characters.
Str255 PadRight(char fill, std::string_view s, int width);
Str255 RepeatChar(char c, int n);
// The characters of s not in set, in order.
Str255 RemoveChars(std::string_view s, const CharSet& set);
// trim(s) with each run of blanks made one blank.
Str255 CollapseBlanks(std::string_view s);
// trim(s) lowered, then the first character and every character following a
// non-letter upper-cased ('JOHN O'NEIL-SMITH' gives 'John O'Neil-Smith').
Str255 ProperCase(std::string_view s);

}  // namespace lx
