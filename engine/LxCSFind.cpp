#include "LxCSFind.h"

#include <algorithm>

#include "LxUtils.h"

namespace lx {

namespace {

constexpr std::size_t kSlotWidth = 12;
constexpr std::size_t kZipWidth = 5;
// The last ZIP of a slot follows the first and one separator character.
constexpr std::size_t kZipToOffset = 6;

constexpr bool ValidSlot(int i) {
  return i >= 0 && i < kMaxZipRanges;
}

// Up to n characters of s from position pos; empty past the end.
std::string_view Mid(std::string_view s, std::size_t pos, std::size_t n) {
  return pos < s.size() ? s.substr(pos, n) : std::string_view();
}

}  // namespace

void ClearRanges(TLxStateData& item) {
  for (int i = 0; i < kMaxZipRanges; ++i) {
    item.ZipFrom[i].clear();
    item.ZipTo[i].clear();
  }
  item.RangeCount = 0;
}

void SetZipFrom(TLxStateData& item, int i, std::string_view zip) {
  if (ValidSlot(i)) item.ZipFrom[i] = zip;
}

void SetZipTo(TLxStateData& item, int i, std::string_view zip) {
  if (ValidSlot(i)) item.ZipTo[i] = zip;
}

TLxZip GetZipFrom(const TLxStateData& item, int i) {
  return ValidSlot(i) ? item.ZipFrom[i] : TLxZip();
}

TLxZip GetZipTo(const TLxStateData& item, int i) {
  return ValidSlot(i) ? item.ZipTo[i] : TLxZip();
}

void ParseRanges(TLxStateData& item, std::string_view text) {
  ClearRanges(item);
  for (int i = 0; i < kMaxZipRanges; ++i) {
    const std::size_t p = static_cast<std::size_t>(i) * kSlotWidth;
    const std::string_view from = Mid(text, p, kZipWidth);
    if (Trim(from).empty()) return;
    ++item.RangeCount;
    SetZipFrom(item, i, from);
    SetZipTo(item, i, Mid(text, p + kZipToOffset, kZipWidth));
  }
}

bool ZipInRange(const TLxStateData& item, std::string_view zip) {
  const std::string_view z = zip.substr(0, kZipWidth);
  const int n = std::min(item.RangeCount, kMaxZipRanges);
  for (int i = 0; i < n; ++i) {
    if (item.ZipFrom[i].empty()) return false;
    if (item.ZipFrom[i].view() <= z && z <= item.ZipTo[i].view()) return true;
  }
  return false;
}

bool TLxStateLookup::Lookup(std::string_view key) {
  if (!FindKey(key)) return false;
  const TLxStateData& state = *FoundState();
  FoundName = state.StateName;
  FoundAbbr = state.Abbreviation;
  return true;
}

TLxStateData* TLxStateLookup::AddState(std::string_view key) {
  if (List().Find(key)) return nullptr;
  auto& item = static_cast<TLxStateData&>(List().Add(key));
  LastAdded = &item;
  return &item;
}

void TLxStateSearch::AddRecord(const TLxDictRecord& record) {
  TLxStateData* state = AddState(record.SourceText());
  if (!state) return;
  const std::string_view target = record.TargetText();
  state->Abbreviation = state->Key;
  state->StateName = Mid(target, 2, kMaxStateName);
  state->Fips = target.substr(0, 2);
  ParseRanges(*state, record.CommentsText());
}

void TLxStateConvSearch::AddRecord(const TLxDictRecord& record) {
  TLxStateData* state = AddState(record.SourceText());
  if (!state) return;
  state->Abbreviation = Str41(record.TargetText());
  state->StateName = state->Key;
}

}  // namespace lx
