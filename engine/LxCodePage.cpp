#include "LxCodePage.h"

#include <array>
#include <cstdint>

namespace lx {

namespace {

// Code points of bytes 0x80 to 0x9F.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int ByteOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return static_cast<int>(0x80 + i);
  return -1;
}

void PutUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

bool Utf8ToAnsi(std::string_view in, std::string& out, std::size_t* bad) {
  out.clear();
  std::size_t i = 0;
  while (i < in.size()) {
    const auto b = static_cast<unsigned char>(in[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
    char32_t cp = extra == 3 ? (b & 0x07) : extra == 2 ? (b & 0x0F) : (b & 0x1F);
    bool ok = extra > 0;
    for (int k = 1; ok && k <= extra; ++k) {
      if (i + static_cast<std::size_t>(k) >= in.size()) {
        ok = false;
        break;
      }
      const auto c = static_cast<unsigned char>(in[i + k]);
      if ((c & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (ok && cp < kSmallest[extra]) ok = false;  // overlong forms
    const int byte = ok ? ByteOf(cp) : -1;
    if (byte < 0) {
      if (bad) *bad = i;
      return false;
    }
    out.push_back(static_cast<char>(byte));
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

std::string AnsiToUtf8(std::string_view in) {
  std::string out;
  out.reserve(in.size());
  for (char c : in) {
    const auto b = static_cast<unsigned char>(c);
    PutUtf8(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : b, out);
  }
  return out;
}

}  // namespace lx
