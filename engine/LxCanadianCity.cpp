#include "LxCanadianCity.h"

#include "LxDict.h"
#include "LxUtils.h"

namespace lx {

namespace {

struct Province {
  std::string_view abbr;
  std::string_view name;
};

// Kept exactly as this table has always given them, misspellings included, so
// that results stay comparable with what earlier versions returned.
constexpr Province kProvinces[] = {
    {"NF", "New Foundland"},
    {"NS", "Nova Scotia"},
    {"PE", "Prince Edward Island"},
    {"NB", "New Brunswick"},
    {"QC", "Quebec"},
    {"ON", "Ontario"},
    {"MB", "Manitoba"},
    {"SK", "Saskatachawn"},
    {"AB", "Alberta"},
    {"BC", "British Columbia"},
    {"NT", "North West Territory"},
    {"YK", "Youkon"},
};

}  // namespace

void TLxCanadianCityParser::PrepareSource() {
  City.clear();
  ProvAbbr.clear();
  ProvName.clear();
  PostalCode.clear();
  TLxBaseParser::PrepareSource();
}

void TLxCanadianCityParser::CreateLookups() {
  FreeLookups();
  try {
    ProvLookup = std::make_unique<TLxProvSearch>(DictionaryPath);
  } catch (...) {
    // Forgetting the path lets the same path be set again once it is fixed.
    DictionaryPath.clear();
    throw;
  }
  for (const Province& p : kProvinces) AddProvince(p.abbr, p.name);
}

void TLxCanadianCityParser::AddProvince(std::string_view abbr, std::string_view name) {
  if (!ProvLookup) return;
  TLxDictRecord record;
  record.ContextId = ctxProvinces;
  TLxDictRecord::SetField(record.Source, abbr);
  TLxDictRecord::SetField(record.Target, name);
  ProvLookup->AddRecord(record);
}

void TLxCanadianCityParser::Parse() {
  TLxBaseParser::Parse();
  ExtractPostalCode();
  ExtractProvince();
}

void TLxCanadianCityParser::ExtractPostalCode() {
  const int n = Source.WordCount();
  if (n == 0) return;
  const std::string_view s = Source.WordView(n);
  if (s.size() == 3) {
    // A lone three-character word has no first half before it.
    if (n < 2) return;
    const std::string_view p = Source.WordView(n - 1);
    if (!MatchesMask(s, "9A9") || !MatchesMask(p, "A9A")) return;
    PostalCode = p;
    PostalCode += ' ';
    PostalCode += s;
    Source.DeleteWords(n - 1, 2);
  } else if (s.size() == 6 && MatchesMask(s, "A9A9A9")) {
    PostalCode = s.substr(0, 3);
    PostalCode += ' ';
    PostalCode += s.substr(3);
    Source.DeleteWord(n);
  }
}

void TLxCanadianCityParser::ExtractProvince() {
  ProvName.clear();
  ProvAbbr.clear();
  const int n = Source.WordCount();
  if (n > 0 && ProvLookup && ProvLookup->Lookup(Source.WordView(n))) {
    ProvAbbr = Source.WordView(n);
    for (char c : ProvLookup->Found->Target.view()) ProvName += UpCase(c);
    Source.DeleteWord(n);
  }
  City = Source.GetText();
}

}  // namespace lx
