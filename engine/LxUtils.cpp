#include "LxUtils.h"

#include <algorithm>

namespace lx {

namespace {
constexpr bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= 32;
}
}  // namespace

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlankOrControl(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlankOrControl(s.back())) s.remove_suffix(1);
  return s;
}

bool HasDigit(std::string_view s) {
  return std::any_of(s.begin(), s.end(), IsDigit);
}

bool IsAllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), IsDigit);
}

bool IsDigitsOrDash(std::string_view s) {
  return !s.empty() &&
         std::all_of(s.begin(), s.end(), [](char c) { return IsDigit(c) || c == '-'; });
}

bool MatchesMask(std::string_view s, std::string_view mask) {
  for (std::size_t i = 0; i < mask.size(); ++i) {
    const char m = mask[i];
    if (m != '9' && m != 'A' && m != 'X') continue;
    if (i >= s.size()) return false;
    const char c = s[i];
    const bool ok = m == '9'   ? IsDigit(c)
                    : m == 'A' ? IsAsciiLetter(c)
                               : IsAsciiLetter(c) || IsDigit(c);
    if (!ok) return false;
  }
  return true;
}

Str255 RepeatChar(char c, int n) {
  Str255 r;
  if (n > 0) r.append(static_cast<std::size_t>(n), c);
  return r;
}

Str255 PadLeft(char fill, std::string_view s, int width) {
  const std::string_view t = Trim(s);
  const int pad = width - static_cast<int>(t.size());
  Str255 r = RepeatChar(fill, pad);
  r.append(t);
  return r;
}

Str255 PadRight(char fill, std::string_view s, int width) {
  const std::string_view t = Trim(s);
  if (width < 0) width = 0;
  if (static_cast<int>(t.size()) > width)
    return Str255(t.substr(0, static_cast<std::size_t>(width)));
  Str255 r(t);
  r.append(static_cast<std::size_t>(width) - t.size(), fill);
  return r;
}

Str255 RemoveChars(std::string_view s, const CharSet& set) {
  Str255 r;
  for (char c : s)
    if (!set.contains(c)) r.push_back(c);
  return r;
}

Str255 CollapseBlanks(std::string_view s) {
  Str255 r;
  for (char c : Trim(s)) {
    if (c == ' ' && !r.empty() && r.back() == ' ') continue;
    r.push_back(c);
  }
  return r;
}

Str255 ProperCase(std::string_view s) {
  Str255 r(Trim(s));
  for (char& c : r) c = LowCase(c);
  if (r.empty()) return r;
  r[0] = UpCase(r[0]);
  for (std::size_t i = 0; i + 1 < r.size(); ++i)
    if (!IsAsciiLetter(r[i])) r[i + 1] = UpCase(r[i + 1]);
  return r;
}

}  // namespace lx
