// Lines no parser may fail on: empty and blank text, text past the
// tokenizer's 255 characters and 64 words, digits, punctuation and bytes
// 128 to 255 only, and short fragments that ask for words that are not there.
#pragma once

#include <string>
#include <vector>

namespace lxtest {

inline std::vector<std::string> HostileLines() {
  std::vector<std::string> lines = {
      "",  " ",   "   \t  ", ",",   "-",   "- -", "1",   "12",
      "A", "A B", "K1A",     "0B1", "N Y", "'",   "THE", ".,;:!?'\"-/#&()"};
  lines.push_back(std::string(300, 'x'));
  std::string words;
  for (int i = 0; i < 100; ++i) words += "W" + std::to_string(i) + " ";
  lines.push_back(words);
  lines.push_back(std::string(100, '7'));
  std::string digits;
  for (int i = 0; i < 100; ++i) digits += std::to_string(i % 10) + " ";
  lines.push_back(digits);
  std::string punctuation;
  for (int i = 0; i < 120; ++i) punctuation += ".,;:-'"[i % 6];
  lines.push_back(punctuation);
  std::string high;
  for (int c = 128; c < 256; ++c) high += static_cast<char>(c);
  lines.push_back(high);
  lines.push_back(high + " " + high + " NY 12345");
  return lines;
}

}  // namespace lxtest
