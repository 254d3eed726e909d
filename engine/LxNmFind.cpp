#include "LxNmFind.h"

#include <algorithm>
#include <cstring>

namespace lx {

void TLxGenderize::AddRecord(const TLxDictRecord& record) {
  TLxItem* const previous = LastAdded;
  LastAdded = nullptr;
  TLxSimpleSearch::AddRecord(record);
  if (LastAdded == nullptr) {
    LastAdded = previous;
    return;
  }
  const std::string_view target = record.TargetText();
  LastAdded->GenderCode = target.empty() ? 0 : static_cast<std::uint8_t>(target.front());
}

bool TLxGenderize::Lookup(std::string_view text) {
  GenderLevel = '9';
  const std::size_t first = text.find_first_not_of(' ');
  text = first == std::string_view::npos ? std::string_view() : text.substr(first);
  const std::string_view key = text.substr(0, text.find(' '));
  const bool found = FindKey(key);
  if (found) GenderLevel = static_cast<char>(Found->GenderCode);
  MapGender();
  return found;
}

char TLxGenderize::GenderOf(char level) {
  switch (level) {
    case '1':
    case '3':
      return 'M';
    case '2':
    case '4':
      return 'F';
    case '5':
      return 'A';
    default:
      return 'U';
  }
}

void TLxNameIndex::Clear() {
  entries_.clear();
  slots_.clear();
  mask_ = 0;
}

namespace {

// Upper-cases the ASCII letters among 8 bytes at once; bytes 128 to 255 and
// everything else stay as they are.
constexpr std::uint64_t FoldChunk(std::uint64_t x) {
  constexpr std::uint64_t kHigh = 0x8080808080808080ull;
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
  const std::uint64_t heptets = x & kLow7;
  const std::uint64_t atLeastA = heptets + 0x1F1F1F1F1F1F1F1Full;  // high bit: >= 'a'
  const std::uint64_t aboveZ = heptets + 0x0505050505050505ull;    // high bit: > 'z'
  const std::uint64_t lower = atLeastA & ~aboveZ & ~x & kHigh;
  return x ^ (lower >> 2);
}

std::uint64_t LoadChunk(const char* p, std::size_t n) {
  std::uint64_t x = 0;
  std::memcpy(&x, p, n);
  return x;
}

bool SameKey(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         (std::memcmp(a.data(), b.data(), a.size()) == 0 || CompareKeys(a, b) == 0);
}

}  // namespace

std::uint64_t TLxNameIndex::Hash(std::string_view key) {
  std::uint64_t h = key.size() * 0x9E3779B97F4A7C15ull;
  for (std::size_t i = 0; i < key.size(); i += 8) {
    const std::uint64_t chunk = FoldChunk(LoadChunk(key.data() + i, std::min<std::size_t>(8, key.size() - i)));
    h = (h ^ chunk) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
  }
  return h ^ (h >> 29);
}

std::uint32_t* TLxNameIndex::Slot(std::string_view key) {
  for (std::size_t i = Hash(key) & mask_;; i = (i + 1) & mask_) {
    std::uint32_t& slot = slots_[i];
    if (slot == 0 || SameKey(entries_[slot - 1].key, key)) return &slot;
  }
}

void TLxNameIndex::Rehash(std::size_t slotCount) {
  slots_.assign(slotCount, 0);
  mask_ = slotCount - 1;
  for (std::uint32_t i = 0; i < entries_.size(); ++i) *Slot(entries_[i].key) = i + 1;
}

void TLxNameIndex::Add(TLxSimpleSearch& lookup, std::uint8_t contextBit) {
  const bool gender = dynamic_cast<TLxGenderize*>(&lookup) != nullptr;
  const bool firm = dynamic_cast<TLxFirmSearch*>(&lookup) != nullptr;
  TLxList& list = lookup.List();
  const std::size_t needed = entries_.size() + static_cast<std::size_t>(list.Count());
  if (slots_.size() < 2 * needed) {
    std::size_t size = 64;
    while (size < 2 * needed) size *= 2;
    Rehash(size);  // at most half full: probes stay short
  }
  for (int i = 0; i < list.Count(); ++i) {
    const TLxItem& item = list.Item(i);
    std::uint32_t* slot = Slot(item.Key);
    if (*slot == 0) {
      entries_.push_back(Entry{item.Key.view()});
      *slot = static_cast<std::uint32_t>(entries_.size());
    }
    Entry& e = entries_[*slot - 1];
    e.contexts |= contextBit;
    if (gender) e.genderLevel = static_cast<char>(item.GenderCode);
    if (firm) e.strongFirm = item.Spec_Case != 0;
  }
}

const TLxNameIndex::Entry* TLxNameIndex::Find(std::string_view word) const {
  if (slots_.empty()) return nullptr;
  word = word.substr(0, Str41::capacity());
  for (std::size_t i = Hash(word) & mask_;; i = (i + 1) & mask_) {
    const std::uint32_t slot = slots_[i];
    if (slot == 0) return nullptr;
    const Entry& e = entries_[slot - 1];
    if (SameKey(e.key, word)) return &e;
  }
}

}  // namespace lx
