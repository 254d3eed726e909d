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

// Up to 8 bytes, the first in the lowest byte, zero-padded.
std::uint64_t LoadChunk(const char* p, std::size_t n) {
  std::uint64_t x = 0;
  for (std::size_t i = 0; i < n; ++i)
    x |= std::uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
  return x;
}

}  // namespace

void TLxNameIndex::Clear() {
  keys_.clear();
  slots_.clear();
  mask_ = 0;
}

TLxNameIndex::KeyCode TLxNameIndex::Code(std::string_view key) {
  const std::size_t n = key.size();
  KeyCode code{FoldChunk(LoadChunk(key.data(), std::min<std::size_t>(8, n))), 0};
  std::uint64_t h = (code.head ^ (n * 0x9E3779B97F4A7C15ull)) * 0xFF51AFD7ED558CCDull;
  for (std::size_t i = 8; i < n; i += 8) {
    h ^= FoldChunk(LoadChunk(key.data() + i, std::min<std::size_t>(8, n - i)));
    h *= 0xC4CEB9FE1A85EC53ull;
  }
  code.hash = h ^ (h >> 31);
  return code;
}

bool TLxNameIndex::Matches(const Entry& slot, std::string_view key, const KeyCode& code) const {
  if (slot.head != code.head || slot.length != key.size()) return false;
  return key.size() <= 8 || CompareKeys(keys_[slot.key - 1].substr(8), key.substr(8)) == 0;
}

TLxNameIndex::Entry& TLxNameIndex::SlotOf(std::string_view key, const KeyCode& code) {
  for (std::size_t i = code.hash & mask_;; i = (i + 1) & mask_) {
    Entry& slot = slots_[i];
    if (slot.key == 0 || Matches(slot, key, code)) return slot;
  }
}

void TLxNameIndex::Rehash(std::size_t slotCount) {
  std::vector<Entry> old(slotCount);
  old.swap(slots_);
  mask_ = slotCount - 1;
  for (const Entry& e : old)
    if (e.key != 0) SlotOf(keys_[e.key - 1], Code(keys_[e.key - 1])) = e;
}

void TLxNameIndex::Add(TLxSimpleSearch& lookup, std::uint8_t contextBit) {
  const bool gender = dynamic_cast<TLxGenderize*>(&lookup) != nullptr;
  const bool firm = dynamic_cast<TLxFirmSearch*>(&lookup) != nullptr;
  TLxList& list = lookup.List();
  const std::size_t needed = keys_.size() + static_cast<std::size_t>(list.Count());
  if (slots_.size() < 2 * needed) {
    // At most half full after this lookup: a miss ends after a probe or two.
    std::size_t size = 64;
    while (size < 2 * needed) size *= 2;
    Rehash(size);
  }
  for (int i = 0; i < list.Count(); ++i) {
    const TLxItem& item = list.Item(i);
    const KeyCode code = Code(item.Key);
    Entry& e = SlotOf(item.Key, code);
    if (e.key == 0) {
      keys_.push_back(item.Key.view());
      e.head = code.head;
      e.key = static_cast<std::uint32_t>(keys_.size());
      e.length = static_cast<std::uint8_t>(item.Key.size());
    }
    e.contexts |= contextBit;
    if (gender) e.genderLevel = static_cast<char>(item.GenderCode);
    if (firm) e.strongFirm = item.Spec_Case != 0;
  }
}

const TLxNameIndex::Entry* TLxNameIndex::Find(std::string_view word) const {
  if (slots_.empty()) return nullptr;
  word = word.substr(0, Str41::capacity());
  const KeyCode code = Code(word);
  for (std::size_t i = code.hash & mask_;; i = (i + 1) & mask_) {
    const Entry& slot = slots_[i];
    if (slot.key == 0) return nullptr;
    if (Matches(slot, word, code)) return &slot;
  }
}

}  // namespace lx
