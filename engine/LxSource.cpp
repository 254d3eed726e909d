#include "LxSource.h"

#include "LxConst.h"

#include <algorithm>
#include <cstring>

namespace lx {

namespace {

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

std::string_view TrimControls(std::string_view s) {
  while (!s.empty() && IsBlankOrControl(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlankOrControl(s.back())) s.remove_suffix(1);
  return s;
}

// A list whose targets re-create its sources would loop for ever; no sound
// list needs anywhere near this many passes over a 255-character line.
constexpr int kMaxReplacementPasses = 1024;

}  // namespace

TLxReplaceData& TLxReplaceList::AddPair(std::string_view source, std::string_view target) {
  items_.push_back({Str255(source), Str255(target)});
  return items_.back();
}

TLxSource::TLxSource() {
  SetDelimiters(CharSet(" ,;"));
  dirty_ = false;
}

void TLxSource::SetDelimiters(const CharSet& set) {
  delimiters_ = set;
  delimiters_.insert('\0');
  dirty_ = true;
}

bool TLxSource::IsSeparator(char c) const {
  if (IsBlankOrControl(c)) return true;
  return PunctuationSeparates && (c == ',' || c == '.');
}

void TLxSource::SetText(std::string_view s) {
  if (s.size() > kMaxText) s = s.substr(0, kMaxText);
  if (!dirty_ && s == GetText()) return;
  dirty_ = false;
  std::memcpy(text_, s.data(), s.size());
  text_[s.size()] = '\0';
  CleanText(text_, scratch_);
  Split();
}

void TLxSource::CleanText(char* text, char* scratch) const {
  int p = 0;
  while (p < kMaxText && text[p] != '\0' && IsSeparator(text[p])) ++p;
  int n = 0;
  for (; p < kMaxText && text[p] != '\0'; ++p) {
    const char c = text[p];
    if (n > 0 && IsSeparator(scratch[n - 1]) && IsSeparator(c)) continue;
    if (IsRemovable(c)) continue;
    scratch[n++] = c;
  }
  while (n > 1 && IsSeparator(scratch[n - 1])) --n;
  std::memcpy(text, scratch, n);
  text[n] = '\0';
}

int TLxSource::TerminatedLength() const {
  return static_cast<int>(strnlen(text_, kMaxText));
}

void TLxSource::Split() {
  int len = TerminatedLength();
  while (len > 0 && delimiters_.contains(text_[len - 1])) --len;
  text_[len] = '\0';
  text_length_ = static_cast<std::uint8_t>(len);
  word_count_ = 0;
  int p = 0;
  while (p < len) {
    while (p < len && delimiters_.contains(text_[p])) ++p;
    if (p >= len) break;
    const int start = p;
    while (p < len && !delimiters_.contains(text_[p])) ++p;
    if (word_count_ == kMaxWords) {
      // The table is full: drop this word and the rest from the text too.
      len = start;
      while (len > 0 && delimiters_.contains(text_[len - 1])) --len;
      text_[len] = '\0';
      text_length_ = static_cast<std::uint8_t>(len);
      return;
    }
    ++word_count_;
    SetEntry(word_count_, start, p - start);
  }
}

void TLxSource::CheckNotEmpty() const {
  if (text_length_ == 0) throw LxError(std::string(kMsgInputEmpty));
}

void TLxSource::CheckIndex(int i) const {
  CheckNotEmpty();
  if (i < 1 || i > word_count_) throw LxError(std::string(kMsgIndexOutOfRange));
}

Str255 TLxSource::FirstWord() const {
  CheckNotEmpty();
  return GetWord(1);
}

Str255 TLxSource::LastWord() const {
  CheckNotEmpty();
  return GetWord(word_count_);
}

std::string_view TLxSource::WordView(int i) const {
  CheckIndex(i);
  return {text_ + word_table_[2 * i - 2], word_table_[2 * i - 1]};
}

int TLxSource::WordStart(int i) const {
  CheckIndex(i);
  return word_table_[2 * i - 2];
}

int TLxSource::WordLength(int i) const {
  CheckIndex(i);
  return word_table_[2 * i - 1];
}

void TLxSource::DeleteWord(int i) {
  CheckIndex(i);
  if (word_count_ == 1) {
    text_[0] = '\0';
    word_count_ = 0;
    text_length_ = 0;
  } else if (i == 1) {
    const int from = word_table_[2];
    std::memmove(text_, text_ + from, text_length_ - from + 1);
    Split();
  } else if (i == word_count_) {
    const int end = word_table_[2 * i - 4] + word_table_[2 * i - 3];
    text_[end] = '\0';
    --word_count_;
    text_length_ = static_cast<std::uint8_t>(end);
  } else {
    const int start = word_table_[2 * i - 2];
    const int next = word_table_[2 * i];
    const int removed = next - start;
    std::memmove(text_ + start, text_ + next, text_length_ - next + 1);
    text_length_ = static_cast<std::uint8_t>(text_length_ - removed);
    for (int k = i; k < word_count_; ++k)
      SetEntry(k, word_table_[2 * k] - removed, word_table_[2 * k + 1]);
    --word_count_;
  }
}

void TLxSource::DeleteWords(int i, int n) {
  if (n <= 0) return;
  // Check the whole range first so that a bad range changes nothing.
  CheckIndex(i);
  CheckIndex(i + n - 1);
  const bool tail = i + n - 1 == word_count_;
  for (int k = 0; k < n; ++k) DeleteWord(tail ? word_count_ : i);
}

void TLxSource::InsertWord(int i, std::string_view word) {
  word = TrimControls(word);
  if (word.empty()) return;
  if (i == 0) {
    if (word_count_ == kMaxWords) return;
    const int room = kMaxText - text_length_ - 1;
    if (room <= 0) return;
    const int n = std::min<int>(room, static_cast<int>(word.size()));
    text_[text_length_] = ' ';
    std::memcpy(text_ + text_length_ + 1, word.data(), n);
    text_[text_length_ + 1 + n] = '\0';
    // Re-splitting gives the table entry (old length + 1, word length) for a
    // plain word and keeps the table right for a word with delimiters inside.
    Split();
    return;
  }
  CheckIndex(i);
  const int p = word_table_[2 * i - 2];
  int n = 0;
  auto put = [&](std::string_view part) {
    const int k = std::min<int>(kMaxText - n, static_cast<int>(part.size()));
    std::memcpy(scratch_ + n, part.data(), k);
    n += k;
  };
  put({text_, static_cast<std::size_t>(p)});
  put(word);
  put(" ");
  put({text_ + p, static_cast<std::size_t>(text_length_ - p)});
  std::memcpy(text_, scratch_, n);
  text_[n] = '\0';
  Split();
}

void TLxSource::ReplaceWord(int i, std::string_view word) {
  CheckIndex(i);
  const std::string_view trimmed = TrimControls(word);
  if (trimmed.empty()) {
    // An empty replacement removes the word rather than its neighbour.
    DeleteWord(i);
    return;
  }
  // Built in one step, as inserting before deleting would give the same text:
  // an insertion first would cut a full line at 255 characters or 64 words
  // before the old word made room, losing the end of the line.
  const int start = word_table_[2 * i - 2];
  int n = 0;
  auto put = [&](std::string_view part) {
    const int k = std::min<int>(kMaxText - n, static_cast<int>(part.size()));
    std::memcpy(scratch_ + n, part.data(), k);
    n += k;
  };
  put({text_, static_cast<std::size_t>(start)});
  put(trimmed);
  if (i < word_count_) {
    const int next = word_table_[2 * i];
    put(" ");
    put({text_ + next, static_cast<std::size_t>(text_length_ - next)});
  }
  std::memcpy(text_, scratch_, n);
  text_[n] = '\0';
  Split();
}

void TLxSource::RemoveWord(std::string_view word) {
  int k = 1;
  while (k <= word_count_) {
    if (WordView(k) == word)
      DeleteWord(k);
    else
      ++k;
  }
}

int TLxSource::FindPhrase(std::string_view phrase) const {
  if (phrase.empty() || word_count_ == 0) return -1;
  for (int k = 1; k <= word_count_; ++k) {
    const int s = word_table_[2 * k - 2];
    if (text_[s] != phrase[0]) continue;
    if (s + static_cast<int>(phrase.size()) > text_length_) return -1;
    if (std::memcmp(text_ + s + 1, phrase.data() + 1, phrase.size() - 1) == 0) return s;
  }
  return -1;
}

void TLxSource::DeleteChars(int pos, int n, bool resplit) {
  const int len = TerminatedLength();
  if (pos < 0 || pos >= len || n <= 0) {
    if (resplit) Split();
    return;
  }
  n = std::min(n, len - pos);
  std::memmove(text_ + pos, text_ + pos + n, len - pos - n + 1);
  if (resplit) Split();
}

void TLxSource::InsertChars(int pos, std::string_view s, bool resplit) {
  const int len = TerminatedLength();
  pos = std::clamp(pos, 0, len);
  const int add = std::min<int>(static_cast<int>(s.size()), kMaxText - pos);
  const int keep = std::min(len - pos, kMaxText - pos - add);
  std::memmove(text_ + pos + add, text_ + pos, keep);
  std::memcpy(text_ + pos, s.data(), add);
  text_[pos + add + keep] = '\0';
  if (resplit) Split();
}

void TLxSource::ApplyReplacements() {
  if (Replacements.empty()) return;
  for (int pass = 0; pass < kMaxReplacementPasses; ++pass) {
    bool replaced = false;
    for (const TLxReplaceData& pair : Replacements) {
      const int p = FindPhrase(pair.Source);
      if (p < 0) continue;
      DeleteChars(p, static_cast<int>(pair.Source.size()), false);
      InsertChars(p, pair.Target, true);
      Split();
      replaced = true;
    }
    if (!replaced) return;
  }
}

}  // namespace lx
