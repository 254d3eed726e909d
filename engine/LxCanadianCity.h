// TLxCanadianCityParser: the last line of a Canadian address
// ("OTTAWA ON K1A 0B1") split into city, province and postal code.
//
// The line is read from its end: the postal code ("A9A 9A9" as one word or
// two), then a province abbreviation, and whatever is left is the city, cut
// to 20 characters. The province table is built in: the dictionary is only
// checked to be one, and its records of context 9999 are never read. Only the
// table's twelve abbreviations are known; a province written out in full
// stays in the city. No line makes a parse fail; a line that is a single
// three-character word keeps it as the city.
//
// A new dictionary path frees the province table before building it anew;
// when the new path is no dictionary the parser keeps no table and no path,
// and finds no province.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "LxBase.h"
#include "LxConst.h"
#include "LxLists.h"
#include "LxTypes.h"

namespace lx {

class TLxProvSearch : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return ctxProvinces; }
};

class TLxCanadianCityParser : public TLxBaseParser {
 public:
  explicit TLxCanadianCityParser(const std::string& path) { Construct(path); }

  // Adds abbr -> name to the province table as a record of context 9999 would.
  void AddProvince(std::string_view abbr, std::string_view name);

  TLxProvSearch* GetProvLookup() { return ProvLookup.get(); }

  ShortString<20> City;
  ShortString<2> ProvAbbr;
  ShortString<30> ProvName;
  // Two words of a line can be no longer than the line.
  Str255 PostalCode;

 protected:
  void PrepareSource() override;
  void CreateLookups() override;
  void FreeLookups() override { ProvLookup.reset(); }
  void Parse() override;
  virtual void ExtractPostalCode();
  virtual void ExtractProvince();

  std::unique_ptr<TLxProvSearch> ProvLookup;
};

}  // namespace lx
