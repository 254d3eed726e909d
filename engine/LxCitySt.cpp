#include "LxCitySt.h"

#include "LxUtils.h"

namespace lx {

void TLxCityStParser::PrepareSource() {
  City.clear();
  Fips.clear();
  StateAbbr.clear();
  StateName.clear();
  Zip4.clear();
  Zip.clear();
  ZipOk = false;
  TLxBaseParser::PrepareSource();
}

void TLxCityStParser::FreeLookups() {
  StateLookup.reset();
  StateConvLookup.reset();
}

void TLxCityStParser::CreateLookups() {
  FreeLookups();
  try {
    StateLookup = std::make_unique<TLxStateSearch>(DictionaryPath);
    StateLookup->LoadFromFile();
    StateConvLookup = std::make_unique<TLxStateConvSearch>(DictionaryPath);
    StateConvLookup->LoadFromFile();
  } catch (...) {
    // Half a set of tables would answer some states and not others; none is
    // honest, and forgetting the path lets the same path be set again.
    FreeLookups();
    DictionaryPath.clear();
    throw;
  }
}

void TLxCityStParser::Parse() {
  TLxBaseParser::Parse();
  ExtractZip();
  ExtractState();
}

void TLxCityStParser::ExtractZip() {
  while (Source.WordCount() > 0) {
    const std::string_view w = Source.WordView(Source.WordCount());
    if (!IsDigitsOrDash(w)) return;
    bool stop = false;
    switch (w.size()) {
      case 4:
        Zip4 = w;
        break;
      case 5:
        Zip = w;
        break;
      case 9:
        Zip = w.substr(0, 5);
        Zip4 = w.substr(5, 4);
        break;
      case 10:  // 12345-6789: the sixth character is the hyphen
        Zip = w.substr(0, 5);
        Zip4 = w.substr(6, 4);
        break;
      default:
        // A short number at the end is no ZIP and is dropped; a long one
        // gives its first five digits. Either way no ZIP precedes it.
        if (w.size() > 4) Zip = w.substr(0, 5);
        stop = true;
        break;
    }
    Source.DeleteWord(Source.WordCount());
    if (stop) return;
  }
}

bool TLxCityStParser::LookupState(std::string_view abbr) {
  return StateLookup && StateLookup->Lookup(abbr);
}

void TLxCityStParser::TakeFoundState() {
  const TLxStateData& state = *StateLookup->FoundState();
  StateName = StateLookup->FoundName;
  SetZipOk(ZipInRange(state, Zip));
  Fips = state.Fips;
}

void TLxCityStParser::ExtractState() {
  const int n = Source.WordCount();
  const std::string_view s = n > 0 ? Trim(Source.WordView(n)) : std::string_view();
  if (s.size() == 2) {
    StateAbbr = s;
    if (LookupState(s)) TakeFoundState();
    Source.DeleteWord(n);
  } else if (s.size() == 1 && n > 1) {
    const std::string_view before = Trim(Source.WordView(n - 1));
    if (before.size() == 1) {
      const char letters[2] = {before[0], s[0]};
      StateAbbr = std::string_view(letters, 2);
      if (LookupState(StateAbbr)) TakeFoundState();
      Source.DeleteWords(n - 1, 2);
    }
  } else if (!s.empty() && StateConvLookup && StateConvLookup->Lookup(s)) {
    StateAbbr = StateConvLookup->FoundAbbr.view();
    if (LookupState(StateAbbr)) TakeFoundState();
    Source.DeleteWord(n);
  }
  City = Source.GetText();
}

}  // namespace lx
