#include "zbTable.h"

#include <algorithm>
#include <functional>

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

TdmTable::TdmTable() : by_context_(16, ProbeHash{this}, ProbeEqual{this}) {}

std::size_t TdmTable::ProbeHash::operator()(std::int32_t key) const {
  return (*this)(table->ProbeOf(key));
}
std::size_t TdmTable::ProbeHash::operator()(const Probe& p) const {
  return HashOf(p.ContextId, p.Trimmed);
}
bool TdmTable::ProbeEqual::operator()(std::int32_t a, std::int32_t b) const {
  return (*this)(table->ProbeOf(a), b);
}
bool TdmTable::ProbeEqual::operator()(const Probe& p, std::int32_t key) const {
  const Probe q = table->ProbeOf(key);
  return p.ContextId == q.ContextId && p.Trimmed == q.Trimmed;
}
bool TdmTable::ProbeEqual::operator()(std::int32_t key, const Probe& p) const {
  return (*this)(p, key);
}

TdmTable::Probe TdmTable::ProbeOf(std::int32_t key) const {
  const TdmEntry& e = Row(key);
  return {e.ContextId, TrimBlanks(e.Source.view())};
}

void TdmTable::Reserve(std::size_t rows) {
  rows_.reserve(rows);
  by_context_.reserve(rows);
}

void TdmTable::Index(std::int32_t key) {
  by_context_.insert(key);
  ++counts_[Row(key).ContextId];
  by_source_valid_ = false;
}

void TdmTable::Unindex(std::int32_t key) {
  auto [first, last] = by_context_.equal_range(ProbeOf(key));
  for (auto it = first; it != last; ++it) {
    if (*it == key) {
      by_context_.erase(it);
      break;
    }
  }
  auto count = counts_.find(Row(key).ContextId);
  if (count != counts_.end() && --count->second == 0) counts_.erase(count);
  by_source_valid_ = false;
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
  auto [first, last] = by_context_.equal_range(Probe{contextId, TrimBlanks(stored.view())});
  for (auto it = first; it != last; ++it)
    if (Row(*it).Source == stored.view()) return true;
  return false;
}

bool TdmTable::ContainsTrimmed(std::int16_t contextId, std::string_view source) const {
  const Text40 stored(source);
  return by_context_.find(Probe{contextId, TrimBlanks(stored.view())}) != by_context_.end();
}

}  // namespace zeb
