#include "LxAddr.h"

#include <algorithm>
#include <array>
#include <utility>

#include "LxUtils.h"

namespace lx {

namespace {

// Letters of the ordinal endings a floor value may carry (1ST, 2ND, 3RD, 4TH).
constexpr CharSet kFloorLetters("DFHLNRST");
constexpr CharSet kUnitSpecials("-./\\");

bool IsGridLetter(char c) {
  return c == 'E' || c == 'N' || c == 'S' || c == 'W';
}
// Ordinals (1ST, 2ND, 3RD, 4TH) end in one of these; they name a street, not a house.
bool IsOrdinalEnd(char c) {
  return c == 'N' || c == 'R' || c == 'S' || c == 'T';
}
bool IsCapital(char c) {
  return c >= 'A' && c <= 'Z';
}

std::string_view OrdinalEnding(char digit) {
  switch (digit) {
    case '1':
      return "ST";
    case '2':
      return "ND";
    case '3':
      return "RD";
    default:
      return "TH";
  }
}

}  // namespace

TLxAddressParser::TLxAddressParser(const std::string& path) {
  Construct(path);
  Source.Replacements.AddPair("P O ", "PO ");
  Source.Replacements.AddPair("R R ", "RR ");
  Source.Replacements.AddPair("R D ", "RR ");
  Source.Replacements.AddPair("R F D ", "RFD ");
}

TLxAddressParser::~TLxAddressParser() = default;

std::uint8_t* TLxAddressParser::OptionByCode(unsigned code) {
  const std::array<std::uint8_t*, kAddrOptionCount> options = {
      &HouseRightJustify, &HouseLeadingZeros, &StdStreetSuffix, &StdStreetName,  &HouseSuffixToUnit,
      &UnitRightJustify,  &UnitFilterSpecial, &CheckHyphen,     &ShortMatchCode, &ComplexAddress};
  return code < options.size() ? options[code] : nullptr;
}

void TLxAddressParser::ConfigureSource() {
  TLxBaseParser::ConfigureSource();
  // Periods vanish instead of separating words, so P.O. reads PO.
  Source.SetRemovable(CharSet("."));
}

void TLxAddressParser::CreateLookups() {
  // Built aside and swapped in whole: a dictionary that fails to load leaves
  // the parser with the lookups it had, never with none.
  auto suffix = std::make_unique<TLxStSuffixSearch>(DictionaryPath);
  auto unit = std::make_unique<TLxUnitSearch>(DictionaryPath);
  auto direct = std::make_unique<TLxDirectSearch>(DictionaryPath);
  auto box = std::make_unique<TLxBoxSearch>(DictionaryPath);
  auto route = std::make_unique<TLxRouteSearch>(DictionaryPath);
  auto streetStd = std::make_unique<TLxStreetStdSearch>(DictionaryPath);
  TLxBaseSearch* const all[] = {suffix.get(), unit.get(),  direct.get(),
                                box.get(),    route.get(), streetStd.get()};
  LoadLookups(DictionaryPath, all);
  FreeLookups();
  SuffixLookup = std::move(suffix);
  UnitLookup = std::move(unit);
  DirectLookup = std::move(direct);
  BoxLookup = std::move(box);
  RouteLookup = std::move(route);
  StreetStdLookup = std::move(streetStd);
}

void TLxAddressParser::FreeLookups() {
  SuffixLookup.reset();
  UnitLookup.reset();
  DirectLookup.reset();
  BoxLookup.reset();
  RouteLookup.reset();
  StreetStdLookup.reset();
}

bool TLxAddressParser::WordStartsWithDigit(int i) const {
  return IsDigit(Word(i).front());
}

void TLxAddressParser::SetInput(std::string_view text) {
  UpperCaseInto(Trim(text), Input);
  Source.SetText(Input);
  Source.ApplyReplacements();
  SplitTokens(SplitText);
  Input.assign(SplitText.view());
  Source.SetText(Input);
  Parse();
}

void TLxAddressParser::PrepareSource() {
  TLxBaseParser::PrepareSource();
  ClearResults();
}

void TLxAddressParser::ClearResults() {
  Box.clear();
  Fraction.clear();
  HouseNumber.clear();
  HousePrefix.clear();
  PostDir.clear();
  PreDir.clear();
  Route.clear();
  StreetName.clear();
  StreetSuffix.clear();
  StdSuffix.clear();
  UnitDesignator.clear();
  UnitValue.clear();
  HouseSuffix = ' ';
  OddEven = ' ';
}

void TLxAddressParser::Parse() {
  TLxBaseParser::Parse();
  TrailSplit = false;
  Trail.clear();
  Source.RemoveWord("-");
  if (Source.WordCount() == 0) return;
  StartsWithDigit = WordStartsWithDigit(1);
  if (!StartsWithDigit && Source.WordCount() > 4 && ComplexAddress &&
      !SuffixLookup->Lookup(Word(2)))
    SplitComplexAddress(Trail);
  TrailSplit = !Trail.empty();
  RunStages();
  // A line that began with a unit or a box has its house number further on.
  if (Source.WordCount() > 1 && HouseNumber.empty() && !TrailSplit) RunStages();
  if (ComplexAddress && !Trail.empty()) {
    TrailSplit = false;
    Source.SetText(Trail);
    StartsWithDigit = Source.WordCount() > 0 && WordStartsWithDigit(1);
    RunStages();
  }
  Finalize();
}

void TLxAddressParser::RunStages() {
  if (!StartsWithDigit || Source.WordCount() >= 4) {
    ExtractBox();
    if (!IsRouteStreet()) ExtractRoute();
  }
  ExtractHouseNumber();
  if (!StartsWithDigit || Source.WordCount() > 2) ExtractUnit();
  if (!TrailSplit) ExtractPostDir();
  if (!TrailSplit) ExtractStreetSuffix();
  if (!TrailSplit) ExtractPreDir();
  // MAIN ST 5: the suffix stage stops at a last word that begins with a digit.
  const int n = Source.WordCount();
  if (n > 2 && StreetSuffix.empty() && SuffixLookup->Lookup(Word(n - 1))) {
    StdSuffix = SuffixLookup->Found->Target;
    StreetSuffix = SuffixLookup->Found->Key;
    Source.DeleteWord(n - 1);
    UnitValue = Word(n - 1);
    UnitDesignator = "NBR";
    Source.DeleteWord(n - 1);
  }
  StreetName = Source.GetText();
}

void TLxAddressParser::SplitTokens(Str255& text) {
  text.clear();
  const int n = Source.WordCount();
  if (n == 0) return;
  Str255 out(" ");
  for (int i = 1; i <= n; ++i) {
    const std::string_view w = Word(i);
    const std::size_t len = w.size();
    if (i == 1 && len > 3 && IsDigit(w[0]) && !IsDigit(w[len - 1]) && !IsDigit(w[len - 2])) {
      std::size_t k = len;
      while (k > 0 && !IsDigit(w[k - 1])) --k;
      out += ' ';
      out += w.substr(0, k);
      out += ' ';
      out += w.substr(k);
    } else if (i > 1 && UnitLookup->Lookup(Word(i - 1)) && UnitLookup->Found->Target == "APT") {
      // An apartment value such as AB12 is kept whole.
      out += ' ';
      out += w;
    } else if (!HasDigit(w) || len < 3) {
      out += ' ';
      out += w;
    } else {
      const std::size_t p = static_cast<std::size_t>(std::find_if(w.begin(), w.end(), IsDigit) -
                                                     w.begin());  // 0-based
      out += ' ';
      // N123, W45, #12 and A-12 stay whole; STE100 and RR2 come apart.
      if ((p > 0 && w[p - 1] == '-') || p < 2) {
        out += w;
      } else {
        out += w.substr(0, p);
        out += ' ';
        out += w.substr(p);
      }
    }
  }
  text = Trim(out);
}

void TLxAddressParser::SplitComplexAddress(Str255& trail) {
  trail.clear();
  ExtractBox();
  ExtractRoute();
  const int count = Source.WordCount();
  // Too little is left to hold a street part; the line is parsed as it is.
  if (count < 3) return;
  int start = 0;
  for (int n = count - 1; n >= 3; --n) {
    if (IsAllDigits(Word(n))) {
      start = n;
      break;
    }
  }
  if (start == 0 && SuffixLookup->Lookup(Word(count))) {
    start = count - 1;
    if (DirectLookup->Lookup(Word(count - 2))) --start;
  } else if (start == 0 && DirectLookup->Lookup(Word(count))) {
    start = count - 1;
    if (SuffixLookup->Lookup(Word(start))) --start;
    if (start > 1 && DirectLookup->Lookup(Word(start - 1))) --start;
  }
  if (start == 0) return;
  for (int k = start; k <= count; ++k) {
    trail += Word(k);
    trail += ' ';
  }
  DeleteWords(start, count - start + 1);
}

void TLxAddressParser::ExtractHouseNumber() {
  if (Source.WordCount() == 0) return;
  const std::string_view w = Word(1);
  const bool grid = w.size() > 1 && IsGridLetter(w[0]) && IsDigit(w[1]);
  if (!IsDigit(w[0]) && !grid) return;
  if (w.size() > 1 && IsOrdinalEnd(w.back())) return;
  HouseNumber = w;
  Source.DeleteWord(1);

  if (CheckHyphen) {
    const std::size_t h = HouseNumber.view().find('-');
    if (h != std::string_view::npos) {
      HousePrefix = HouseNumber.view().substr(0, h);
      HouseNumber = Str10(HouseNumber.view().substr(h + 1));
    }
  }
  if (!HouseNumber.empty() && IsCapital(HouseNumber.back())) {
    HouseSuffix = HouseNumber.back();
    HouseNumber.truncate(HouseNumber.size() - 1);
    if (!HouseNumber.empty() && HouseNumber.back() == '-')
      HouseNumber.truncate(HouseNumber.size() - 1);
  }
  if (Source.WordCount() > 0 && Word(1).find('/') != std::string_view::npos) {
    Fraction = Word(1);
    Source.DeleteWord(1);
  }
}

void TLxAddressParser::ExtractPreDir() {
  Str2 d[2];
  for (int i = 0; i < 2 && Source.WordCount() > 1; ++i) {
    if (!DirectLookup->Lookup(Word(1))) break;
    const Str41& target = DirectLookup->Found->Target;
    // A second direction is a single letter other than N and S (N E, S W).
    if (i == 1 && (target.size() > 1 || target == "N" || target == "S")) break;
    d[i] = Trim(target);
    Source.DeleteWord(1);
    if (d[i].size() > 1) break;
    if (i == 0 && (d[0] == "E" || d[0] == "W")) break;
  }
  PreDir = d[0];
  if (d[0].size() == 1 && d[1].size() == 1) PreDir += d[1];
}

void TLxAddressParser::ExtractPostDir() {
  if (Source.WordCount() <= 1) return;
  Str2 last;
  Str2 first;
  if (DirectLookup->Lookup(Word(Source.WordCount()))) {
    last = DirectLookup->Found->Target;
    Source.DeleteWord(Source.WordCount());
  }
  if (last.size() == 1 && Source.WordCount() > 1 &&
      DirectLookup->Lookup(Word(Source.WordCount()))) {
    const Str41& target = DirectLookup->Found->Target;
    if (target == "N" || target == "S") {
      first = target;
      Source.DeleteWord(Source.WordCount());
    }
  }
  if (last.empty()) return;
  PostDir = last;
  if (first.size() == 1 && last.size() == 1) {
    PostDir = first;
    PostDir += last;
  }
}

void TLxAddressParser::ExtractStreetSuffix() {
  if (!StreetSuffix.empty() || Source.WordCount() <= 1) return;
  for (int n = Source.WordCount(); n >= 2; --n) {
    if (WordStartsWithDigit(n)) return;
    if (SuffixLookup->Lookup(Word(n))) {
      StdSuffix = SuffixLookup->Found->Target;
      StreetSuffix = SuffixLookup->Found->Key;
      Source.DeleteWord(n);
      return;
    }
  }
}

void TLxAddressParser::StandardizeStreetName() {
  if (StreetName.empty()) return;
  StdSource.SetText(StreetName);
  const int n = StdSource.WordCount();
  // An entry may stand for no word or for several. pos follows the name's own
  // words, so each of them is looked up once and no replacement is
  // standardised again.
  int pos = 1;
  for (int a = 1; a <= n && pos <= StdSource.WordCount(); ++a) {
    if (!StreetStdLookup->Lookup(StdSource.WordView(pos))) {
      ++pos;
      continue;
    }
    const int before = StdSource.WordCount();
    StdSource.ReplaceWord(pos, StreetStdLookup->Found->Target);
    pos += std::max(0, StdSource.WordCount() - before + 1);
    StreetName = StdSource.GetText();
  }
  if (IsAllDigits(StreetName)) {
    const std::size_t len = StreetName.size();
    // 11, 12, 13 and every number ending in them take TH.
    const char digit = (len >= 2 && StreetName[len - 2] == '1') ? '0' : StreetName[len - 1];
    StreetName += OrdinalEnding(digit);
  }
}

void TLxAddressParser::ExtractUnit() {
  const int count = Source.WordCount();
  if (count <= 1) return;
  for (int i = count; i >= 1; --i) {
    const std::string_view w = Word(i);
    if (w.size() > 1 && w[0] == '#') {
      UnitDesignator = "NBR";
      UnitValue = w.substr(1);
      Source.DeleteWord(i);
      return;
    }
    if (!UnitLookup->Lookup(w)) continue;
    const TLxItem& entry = *UnitLookup->Found;
    if (entry.Spec_Case) {
      ExtractMarkedUnit(i);
      return;
    }
    if (i == count) continue;  // a unit word with nothing after it
    UnitDesignator = entry.Target;
    UnitValue = Word(i + 1);
    // APT 5 B and APT 5 12 at the end of the line are one value.
    if (i + 2 == count) {
      const std::string_view tail = Word(count);
      if (IsAllDigits(tail) || tail.size() == 1) {
        UnitValue += tail;
        Source.DeleteWord(count);
      }
    }
    DeleteWords(i, 2);
    return;
  }
}

void TLxAddressParser::ExtractMarkedUnit(int i) {
  const TLxItem& entry = *UnitLookup->Found;
  if (entry.Target == "FL") {
    ExtractFloor(i);
    return;
  }
  UnitValue = Word(i);
  UnitDesignator = "NONE";
  Source.DeleteWord(i);
  // APT REAR: the word before names the kind.
  if (i > 1 && UnitLookup->Lookup(Word(i - 1))) {
    UnitDesignator = UnitLookup->Found->Target;
    Source.DeleteWord(i - 1);
  }
}

void TLxAddressParser::ExtractFloor(int i) {
  const int count = Source.WordCount();
  const std::string_view w = Word(i);
  if (w[0] >= '1' && w[0] <= '9') {
    UnitValue = RemoveChars(w, kFloorLetters);
    UnitDesignator = "FL";
    Source.DeleteWord(i);
    if (i != 1) DropUnitWord(i - 1);
  } else if (i == count && count > 1) {  // 2ND FL
    UnitDesignator = "FL";
    UnitValue = RemoveChars(Word(i - 1), kFloorLetters);
    DeleteWords(i - 1, 2);
    DropUnitWord(i - 2);
  } else if (i < count) {  // FL 2
    UnitDesignator = "FL";
    UnitValue = RemoveChars(Word(i + 1), kFloorLetters);
    DeleteWords(i, 2);
  }
}

void TLxAddressParser::DropUnitWord(int i) {
  if (i >= 1 && i <= Source.WordCount() && UnitLookup->Lookup(Word(i))) Source.DeleteWord(i);
}

void TLxAddressParser::ExtractBox() {
  const int count = Source.WordCount();
  if (count <= 1) return;
  int found = 0;
  for (int i = count; i >= 1; --i) {
    if (i < count && BoxLookup->Lookup(Word(i)) && WordStartsWithDigit(i + 1)) {
      Box = PadLeft(' ', Word(i + 1), 10);
      DeleteWords(i, 2);
      found = i;
      break;
    }
  }
  // PO BOX 45 loses both box words.
  for (int j = found - 1; j >= 1; --j) {
    if (!BoxLookup->Lookup(Word(j))) break;
    Source.DeleteWord(j);
  }
}

void TLxAddressParser::ExtractRoute() {
  const int count = Source.WordCount();
  if (count <= 1) return;
  for (int i = count - 1; i >= 1; --i) {
    if (!RouteLookup->Lookup(Word(i)) || !WordStartsWithDigit(i + 1)) continue;
    Route = PadLeft(' ', Word(i + 1), 10);
    // RD may also mean road, so other route words in the line may be streets.
    const bool road = Word(i) == "RD";
    DeleteWords(i, 2);
    if (road) return;
    int k = 1;
    while (k <= Source.WordCount()) {
      if (RouteLookup->Lookup(Word(k)))
        Source.DeleteWord(k);
      else
        ++k;
    }
    return;
  }
}

bool TLxAddressParser::IsRouteStreet() {
  return StartsWithDigit && Source.WordCount() >= 3 &&
         (RouteLookup->Lookup(Word(2)) || RouteLookup->Lookup(Word(3)));
}

void TLxAddressParser::Finalize() {
  OddEven = ' ';
  const std::string_view number = Trim(HouseNumber);
  if (!number.empty() && IsDigit(number.back()))
    OddEven = ((number.back() - '0') % 2 == 0) ? 'E' : 'O';
  if (HouseRightJustify) {
    const char pad = HouseLeadingZeros ? '0' : ' ';
    HouseNumber = PadLeft(pad, HouseNumber, 10);
    if (!HousePrefix.empty()) HousePrefix = PadLeft(pad, HousePrefix, 10);
  }
  if (HouseSuffixToUnit && HouseSuffix != ' ' && UnitValue.empty()) {
    UnitDesignator = "APT";
    UnitValue.assign(std::string_view(&HouseSuffix, 1));
    HouseSuffix = ' ';
  }
  if (UnitFilterSpecial && !UnitValue.empty()) UnitValue = RemoveChars(UnitValue, kUnitSpecials);
  if (UnitRightJustify && !UnitValue.empty()) UnitValue = PadLeft(' ', UnitValue, 10);
  if (StdStreetSuffix) StreetSuffix = StdSuffix;
  if (StdStreetName) StandardizeStreetName();
}

void TLxAddressParser::BuildMatchCode(TLxAddrKey& code) const {
  code.clear();
  code += PadLeft('0', HouseNumber, 10);
  if (ShortMatchCode) {
    code += PadRight(' ', StreetName, 10);
  } else {
    code += PadRight(' ', PreDir, 2);
    code += PadRight(' ', StreetName, 20);
    code += PadRight(' ', PostDir, 2);
    code += PadRight(' ', StreetSuffix, 10);
  }
  code += PadLeft('*', UnitValue, 10);
  code += PadLeft('*', Route, 10);
  code += PadLeft('*', Box, 10);
}

void TLxAddressParser::BuildWalkKey(std::uint8_t flag, TLxAddrKey& key) const {
  key.clear();
  key += PadRight(' ', StreetName, 20);
  key += PadRight(' ', StreetSuffix, 10);
  key += PadRight(' ', PreDir, 2);
  key += PadRight(' ', PostDir, 2);
  key += flag ? OddEven : ' ';
  key += PadLeft('0', HouseNumber, 10);
  key += PadLeft('*', UnitValue, 10);
  key += PadLeft('*', Route, 10);
  key += PadLeft('*', Box, 10);
}

}  // namespace lx
