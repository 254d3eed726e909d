#include "zbTable.h"

#include <algorithm>

namespace zeb {

namespace {

// The first 8 bytes big-endian: comparing two prefixes as integers orders the
// texts like comparing those bytes unsigned, which makes the sort cheap.
std::uint64_t PrefixOf(std::string_view s) {
  std::uint64_t p = 0;
  for (std::size_t i = 0; i < 8; ++i)
    p = (p << 8) | (i < s.size() ? static_cast<unsigned char>(s[i]) : 0u);
  return p;
}

std::size_t HashOf(std::int16_t contextId, std::string_view trimmed) {
  return std::hash<std::string_view>{}(trimmed)*31u + static_cast<std::uint16_t>(contextId);
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return text.substr(b, e - b);
}

std::uint64_t TdmTable::HashOfRow(std::int32_t key) const {
  const TdmEntry& e = Row(key);
  return HashOf(e.ContextId, TrimBlanks(e.Source.view()));
}

void TdmTable::Reserve(std::size_t rows) {
  rows_.reserve(rows);
}

void TdmTable::Place(std::uint64_t hash, std::int32_t key) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  while (slots_[i].key > 0) i = (i + 1) & mask;
  if (slots_[i].key == kEmpty) ++slots_used_;
  slots_[i] = {hash, key};
}

void TdmTable::Rehash(std::size_t minimumSlots) const {
  std::size_t size = 16;
  while (size < minimumSlots) size *= 2;
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(size, Slot{0, kEmpty});
  slots_used_ = 0;
  for (const Slot& s : old)
    if (s.key > 0) Place(s.hash, s.key);
}

void TdmTable::EnsureIndex() const {
  if (indexed_) return;
  slots_.clear();
  Rehash((live_ + 1) * 3);  // room to grow: a merge may add as much again
  for (const TdmEntry& e : rows_)
    if (e.KeyField != 0) Place(HashOfRow(e.KeyField), e.KeyField);
  indexed_ = true;
}

void TdmTable::Index(std::int32_t key) {
  ++counts_[Row(key).ContextId];
  by_source_valid_ = false;
  if (!indexed_) return;
  if ((slots_used_ + 1) * 2 > slots_.size()) Rehash((live_ + 1) * 4);
  Place(HashOfRow(key), key);
}

void TdmTable::Unindex(std::int32_t key) {
  auto count = counts_.find(Row(key).ContextId);
  if (count != counts_.end() && --count->second == 0) counts_.erase(count);
  by_source_valid_ = false;
  if (!indexed_) return;
  const std::uint64_t hash = HashOfRow(key);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask; slots_[i].key != kEmpty; i = (i + 1) & mask) {
    if (slots_[i].key == key) {
      slots_[i].key = kGone;
      break;
    }
  }
}

template <typename Match>
bool TdmTable::AnyRow(std::int16_t contextId, std::string_view trimmed, Match match) const {
  EnsureIndex();
  const std::uint64_t hash = HashOf(contextId, trimmed);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask; slots_[i].key != kEmpty; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.key <= 0 || s.hash != hash) continue;
    const TdmEntry& e = Row(s.key);
    if (e.ContextId == contextId && TrimBlanks(e.Source.view()) == trimmed && match(e)) return true;
  }
  return false;
}

std::int32_t TdmTable::Append(const TdmEntry& entry) {
  rows_.push_back(entry);
  const auto key = static_cast<std::int32_t>(rows_.size());
  rows_.back().KeyField = key;
  Index(key);
  ++live_;
  return key;
}

void TdmTable::Replace(std::int32_t key, const TdmEntry& entry) {
  if (!Find(key)) return;
  Unindex(key);
  Row(key) = entry;
  Row(key).KeyField = key;
  Index(key);
}

void TdmTable::Remove(std::int32_t key) {
  if (!Find(key)) return;
  Unindex(key);
  Row(key) = TdmEntry{};  // KeyField 0: removed
  --live_;
}

const TdmEntry* TdmTable::Find(std::int32_t key) const {
  if (key < 1 || static_cast<std::size_t>(key) > rows_.size()) return nullptr;
  const TdmEntry& e = Row(key);
  return e.KeyField == key ? &e : nullptr;
}

std::size_t TdmTable::CountOf(std::int16_t contextId) const {
  auto it = counts_.find(contextId);
  return it == counts_.end() ? 0 : it->second;
}

const std::vector<std::int32_t>& TdmTable::BySource() const {
  if (by_source_valid_) return by_source_;
  struct Slot {
    std::uint64_t prefix;
    std::int32_t key;
  };
  std::vector<Slot> slots;
  slots.reserve(live_);
  for (const TdmEntry& e : rows_)
    if (e.KeyField != 0) slots.push_back({PrefixOf(e.Source.view()), e.KeyField});
  std::sort(slots.begin(), slots.end(), [this](const Slot& a, const Slot& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    const std::string_view sa = Row(a.key).Source.view(), sb = Row(b.key).Source.view();
    // std::string_view compares chars as unsigned (char_traits<char>).
    const int c = sa.compare(sb);
    return c != 0 ? c < 0 : a.key < b.key;
  });
  by_source_.clear();
  by_source_.reserve(slots.size());
  for (const Slot& s : slots) by_source_.push_back(s.key);
  by_source_valid_ = true;
  return by_source_;
}

bool TdmTable::ContainsExact(std::int16_t contextId, std::string_view source) const {
  const Text40 stored(source);  // the table keeps at most 40 characters
  return AnyRow(contextId, TrimBlanks(stored.view()),
                [&](const TdmEntry& e) { return e.Source == stored.view(); });
}

bool TdmTable::ContainsTrimmed(std::int16_t contextId, std::string_view source) const {
  const Text40 stored(source);
  return AnyRow(contextId, TrimBlanks(stored.view()), [](const TdmEntry&) { return true; });
}

}  // namespace zeb
