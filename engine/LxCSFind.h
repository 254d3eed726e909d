// The state tables of the city-line parser, loaded from the dictionary.
//
// Context 1401 holds one record per state keyed by its abbreviation: the
// target is the two-digit FIPS code followed directly by the name
// ("36NEW YORK") and the comment holds up to three ZIP ranges in 12-character
// slots ("10000-14999 06390-06390 "). Context 1501 maps state spellings to
// abbreviations. Both load into lists of TLxStateData, so that a lookup in
// either table answers with an abbreviation and a name.
//
// ZIP codes are compared byte-wise, a proper prefix ordering first: for
// five-digit codes that is numeric order, and a shorter code such as "120"
// lies below every range that begins with it, so it is never in range.
// Lookups never throw; loading throws what the dictionary reader throws.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "LxConst.h"
#include "LxLists.h"
#include "LxTypes.h"

namespace lx {

using TLxZip = ShortString<5>;
using TLxFips = ShortString<2>;

inline constexpr int kMaxZipRanges = 3;
// The name in a 1401 target starts after the code and keeps at most this many characters.
inline constexpr std::size_t kMaxStateName = 30;

class TLxStateData : public TLxItem {
 public:
  using TLxItem::TLxItem;
  static std::unique_ptr<TLxItem> Create(std::string_view key) {
    return std::make_unique<TLxStateData>(key);
  }

  Str255 Abbreviation;
  Str255 StateName;
  TLxFips Fips;
  TLxZip ZipFrom[kMaxZipRanges];
  TLxZip ZipTo[kMaxZipRanges];
  std::int32_t RangeCount = 0;
};

// Slot numbers outside 0..2 are ignored by the setters and read as empty.
void ClearRanges(TLxStateData& item);
void SetZipFrom(TLxStateData& item, int i, std::string_view zip);
void SetZipTo(TLxStateData& item, int i, std::string_view zip);
TLxZip GetZipFrom(const TLxStateData& item, int i);
TLxZip GetZipTo(const TLxStateData& item, int i);
// Reads the slots at characters 1, 13 and 25 of text up to the first whose
// first five characters are blank.
void ParseRanges(TLxStateData& item, std::string_view text);
// Whether the first five characters of zip lie in one of the item's ranges.
bool ZipInRange(const TLxStateData& item, std::string_view zip);

// What both state tables share: items of TLxStateData and a lookup that
// remembers the name and abbreviation it found.
class TLxStateLookup : public TLxBaseSearch {
 public:
  explicit TLxStateLookup(const std::string& path) : TLxBaseSearch(path, &TLxStateData::Create) {}

  // On a miss FoundName and FoundAbbr keep what an earlier hit left.
  bool Lookup(std::string_view key) override;
  // The item of the last successful Lookup, or null after a miss.
  const TLxStateData* FoundState() const { return static_cast<const TLxStateData*>(Found); }

  Str255 FoundName;
  Str255 FoundAbbr;

 protected:
  // The first record of a key wins; null when the key is already present.
  TLxStateData* AddState(std::string_view key);
};

// Context 1401: abbreviation -> FIPS code, name and ZIP ranges.
class TLxStateSearch : public TLxStateLookup {
 public:
  using TLxStateLookup::TLxStateLookup;
  std::int32_t ContextId() const override { return ctxStateAbbrev; }
  void AddRecord(const TLxDictRecord& record) override;
};

// Context 1501: state spelling -> abbreviation.
class TLxStateConvSearch : public TLxStateLookup {
 public:
  using TLxStateLookup::TLxStateLookup;
  std::int32_t ContextId() const override { return ctxStateStd; }
  void AddRecord(const TLxDictRecord& record) override;
};

}  // namespace lx
