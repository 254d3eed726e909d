// TLxAddressParser: splits one street-address line into house number (with
// prefix, suffix letter and fraction), pre- and post-direction, street name and
// suffix, unit designator and value, post-office box and rural route, and
// derives an odd/even indicator, a match code and a walk-sequence key.
//
// Every stage looks at words of the tokenizer by position (front or end),
// copies what it recognises into a fixed-width result field and deletes those
// words; the words left at the end form the street name. Results stay until
// the next SetInput; options are plain bytes (0 off, anything else on) that
// parsing never touches. Which words mean what is dictionary data (six
// lookups); built in are only the spelled-out pairs P O, R R, R D and R F D,
// the words "-", "#" and "RD", the designators "NBR", "NONE", "APT" and "FL",
// the direction letters and the ordinal endings.
//
// Parsing never throws and never asks for a word that does not exist, whatever
// the line; nothing is allocated per parse once the parser has seen a line of
// that length. Construction and SetDictionaryPath throw what loading the
// dictionary throws; a failed reload keeps the lookups loaded before. One
// parser serves one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "LxAdFind.h"
#include "LxBase.h"
#include "LxSource.h"
#include "LxTypes.h"

namespace lx {

using Str2 = ShortString<2>;
using Str10 = ShortString<10>;
using Str60 = ShortString<60>;
// Match code (50 or 74 characters) and walk-sequence key (75).
using TLxAddrKey = ShortString<80>;

// The option numbers under which the API reads and writes the options.
enum TLxAddrOptionCode : unsigned {
  aoHouseRightJustify = 0,
  aoHouseLeadingZeros = 1,
  aoStdStreetSuffix = 2,
  aoStdStreetName = 3,
  aoHouseSuffixToUnit = 4,
  aoUnitRightJustify = 5,
  aoUnitFilterSpecial = 6,
  aoCheckHyphen = 7,
  aoShortMatchCode = 8,
  aoComplexAddress = 9,
};
inline constexpr unsigned kAddrOptionCount = 10;

class TLxAddressParser : public TLxBaseParser {
 public:
  explicit TLxAddressParser(const std::string& path);
  ~TLxAddressParser() override;

  // Parses one line; the results hold its parts until the next call.
  void SetInput(std::string_view text) override;

  // The match code in the form ShortMatchCode selects now.
  virtual void BuildMatchCode(TLxAddrKey& code) const;
  TLxAddrKey MatchCode() const {
    TLxAddrKey k;
    BuildMatchCode(k);
    return k;
  }
  // A non-zero flag puts OddEven at position 35, zero a blank.
  virtual void BuildWalkKey(std::uint8_t flag, TLxAddrKey& key) const;
  TLxAddrKey WalkKey(std::uint8_t flag) const {
    TLxAddrKey k;
    BuildWalkKey(flag, k);
    return k;
  }

  // The option stored under an API code, or null for a code above 9.
  std::uint8_t* OptionByCode(unsigned code);

  // Results.
  char OddEven = ' ';
  Str60 StreetName;
  Str10 UnitDesignator;
  Str10 UnitValue;
  Str10 Box;    // right-aligned in 10 characters
  Str10 Route;  // right-aligned in 10 characters
  char HouseSuffix = ' ';
  Str10 HouseNumber;
  Str2 PreDir;
  Str2 PostDir;
  Str10 StreetSuffix;  // as written; the standard form after Finalize with StdStreetSuffix
  Str10 HousePrefix;
  Str10 StdSuffix;
  Str10 Fraction;

  // Options (API code in brackets).
  std::uint8_t HouseRightJustify = 1;  // [0]
  std::uint8_t HouseLeadingZeros = 0;  // [1]
  std::uint8_t StdStreetSuffix = 1;    // [2]
  std::uint8_t StdStreetName = 1;      // [3]
  std::uint8_t HouseSuffixToUnit = 1;  // [4]
  std::uint8_t UnitRightJustify = 0;   // [5]
  std::uint8_t UnitFilterSpecial = 0;  // [6]
  std::uint8_t CheckHyphen = 0;        // [7]
  std::uint8_t ShortMatchCode = 1;     // [8]
  std::uint8_t ComplexAddress = 0;     // [9]

  TLxStSuffixSearch& GetSuffixLookup() { return *SuffixLookup; }
  TLxUnitSearch& GetUnitLookup() { return *UnitLookup; }
  TLxDirectSearch& GetDirectLookup() { return *DirectLookup; }
  TLxBoxSearch& GetBoxLookup() { return *BoxLookup; }
  TLxRouteSearch& GetRouteLookup() { return *RouteLookup; }
  TLxStreetStdSearch& GetStreetStdLookup() { return *StreetStdLookup; }

 protected:
  void PrepareSource() override;
  void CreateLookups() override;
  void FreeLookups() override;
  void ConfigureSource() override;
  void Parse() override;

  // Rewrites the words of Source: a house number glued to the street and a
  // unit or route word glued to its number become two words.
  virtual void SplitTokens(Str255& text);
  virtual void RunStages();
  virtual void ExtractHouseNumber();
  virtual void ExtractPreDir();
  virtual void ExtractStreetSuffix();
  virtual void ExtractUnit();
  virtual void ExtractPostDir();
  virtual void ExtractBox();
  virtual void ExtractRoute();
  virtual bool IsRouteStreet();
  virtual void ExtractMarkedUnit(int i);
  virtual void ExtractFloor(int i);
  virtual void StandardizeStreetName();
  virtual void Finalize();
  virtual void ClearResults();

  // Takes box and route, then moves the street part at the end of the line
  // into trail.
  void SplitComplexAddress(Str255& trail);
  void DropUnitWord(int i);

  std::unique_ptr<TLxStSuffixSearch> SuffixLookup;
  std::unique_ptr<TLxUnitSearch> UnitLookup;
  std::unique_ptr<TLxDirectSearch> DirectLookup;
  std::unique_ptr<TLxBoxSearch> BoxLookup;
  std::unique_ptr<TLxRouteSearch> RouteLookup;
  std::unique_ptr<TLxStreetStdSearch> StreetStdLookup;
  TLxSource StdSource;  // street-name standardisation works on a copy of the name

  bool StartsWithDigit = false;  // of the current pass
  bool TrailSplit = false;       // the street part of a complex address is set aside
  Str255 Trail;
  Str255 SplitText;  // SplitTokens' output, kept so that a parse needs no heap

 private:
  // The word i of Source; i must be a valid word number.
  std::string_view Word(int i) const { return Source.WordView(i); }
  bool WordStartsWithDigit(int i) const;
};

}  // namespace lx
