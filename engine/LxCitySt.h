// TLxCityStParser: the last line of a US address ("ANYTOWN, NY 12345-6789")
// split into city, state abbreviation and name, ZIP, ZIP+4 and FIPS code,
// with a check that the ZIP lies in one of the state's ranges.
//
// The line is read from its end: ZIP words first, then the state (two
// letters, two single letters such as "N Y", or a one-word state name from
// context 1501), and whatever is left is the city, cut to 20 characters.
// An abbreviation the state table lacks is still returned, without name,
// code or ZIP check. No line makes a parse fail: missing parts stay empty.
//
// A new dictionary path frees both state tables before loading new ones;
// when that load fails the parser keeps no tables and no path, and parses
// as if every table were empty.
#pragma once

#include <memory>
#include <string>

#include "LxBase.h"
#include "LxCSFind.h"
#include "LxTypes.h"

namespace lx {

class TLxCityStParser : public TLxBaseParser {
 public:
  explicit TLxCityStParser(const std::string& path) { Construct(path); }

  // The sectional-centre code: the first three characters of Zip.
  ShortString<3> GetScf() const { return ShortString<3>(Zip.view()); }
  void SetZipOk(bool ok) { ZipOk = ok; }

  TLxStateSearch* GetStateLookup() { return StateLookup.get(); }
  TLxStateConvSearch* GetStateConvLookup() { return StateConvLookup.get(); }

  ShortString<20> City;
  ShortString<2> StateAbbr;
  ShortString<30> StateName;
  TLxZip Zip;
  ShortString<4> Zip4;
  bool ZipOk = false;
  TLxFips Fips;

 protected:
  void PrepareSource() override;
  void CreateLookups() override;
  void FreeLookups() override;
  void Parse() override;
  virtual void ExtractZip();
  virtual void ExtractState();

  std::unique_ptr<TLxStateSearch> StateLookup;
  std::unique_ptr<TLxStateConvSearch> StateConvLookup;

 private:
  bool LookupState(std::string_view abbr);
  void TakeFoundState();
};

}  // namespace lx
