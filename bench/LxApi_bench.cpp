// The cost of the C export layer: a parse plus reading every field through
// LxApi, against the same work on the C++ parser object. The two Via* pairs
// share their lines and their field lists, so their ratio is the layer's
// overhead.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "LxAddr.h"
#include "LxApi.h"
#include "LxName.h"

namespace {

const std::vector<std::string> kNames = {
    "MR JOHN Q SMITH JR",     "SMITH, MARY ANN",         "DR PAUL VAN DER BERG MD",
    "JOHN AND MARY WILLIAMS", "ACME WIDGET COMPANY INC", "MS LINDA K MCDONALD CPA",
    "REV THOMAS E BROWN III", "CARLOS DE LA CRUZ",       "THE MILLER FAMILY",
    "PATRICIA ANDERSON",
};
const std::vector<std::string> kAddresses = {
    "123 N MAIN ST",
    "4567 WEST ELM AVENUE APT 12B",
    "PO BOX 482",
    "RR 2 BOX 118",
    "1640 MARYLAND AVE NW",
    "221 1/2 WALNUT STREET",
    "88 MT VERNON PL STE 300",
    "5 E 5TH ST # 4",
    "3900 LAKE SHORE DR UNIT 1405",
    "17 OLD MILL ROAD REAR",
};

char buffer[512];

void Keep(std::string_view s) {
  std::memcpy(buffer, s.data(), s.size());
  benchmark::DoNotOptimize(buffer);
}

void BM_NameViaParser(benchmark::State& state) {
  lx::TLxNameParser p(LX_DEFAULT_DICTIONARY);
  std::size_t i = 0;
  for (auto _ : state) {
    p.SetInput(kNames[i++ % kNames.size()]);
    const int n = p.NameCount();
    for (int k = 1; k <= n; ++k) {
      Keep(p.NamePrefix(k));
      Keep(p.FirstName(k));
      Keep(p.MiddleName(k));
      Keep(p.LastName(k));
      Keep(p.NameSuffix(k));
      Keep(p.ProfTitle(k));
      benchmark::DoNotOptimize(p.Gender(k));
      benchmark::DoNotOptimize(p.NameResult(k));
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NameViaParser);

void BM_NameViaApi(benchmark::State& state) {
  if (LxInitParsers(LX_DEFAULT_DICTIONARY) != 0) state.SkipWithError(LxLastError());
  std::size_t i = 0;
  char c = 0;
  for (auto _ : state) {
    const int n = LxParseName(kNames[i++ % kNames.size()].c_str());
    for (int k = 1; k <= n; ++k) {
      benchmark::DoNotOptimize(LxNamePrefix(k, buffer));
      benchmark::DoNotOptimize(LxFirstName(k, buffer));
      benchmark::DoNotOptimize(LxMiddleName(k, buffer));
      benchmark::DoNotOptimize(LxLastName(k, buffer));
      benchmark::DoNotOptimize(LxNameSuffix(k, buffer));
      benchmark::DoNotOptimize(LxProfTitle(k, buffer));
      benchmark::DoNotOptimize(LxGender(k, &c));
      benchmark::DoNotOptimize(LxNameResult(k));
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NameViaApi);

void BM_AddressViaParser(benchmark::State& state) {
  lx::TLxAddressParser p(LX_DEFAULT_DICTIONARY);
  std::size_t i = 0;
  for (auto _ : state) {
    p.SetInput(kAddresses[i++ % kAddresses.size()]);
    Keep(p.HousePrefix);
    Keep(p.HouseNumber);
    Keep(p.Fraction);
    Keep(p.PreDir);
    Keep(p.StreetName);
    Keep(p.StreetSuffix);
    Keep(p.PostDir);
    Keep(p.UnitDesignator);
    Keep(p.UnitValue);
    Keep(p.Box);
    Keep(p.Route);
    Keep(p.MatchCode());
    Keep(p.WalkKey(0));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AddressViaParser);

void BM_AddressViaApi(benchmark::State& state) {
  if (LxInitParsers(LX_DEFAULT_DICTIONARY) != 0) state.SkipWithError(LxLastError());
  std::size_t i = 0;
  for (auto _ : state) {
    LxParseAddr(kAddresses[i++ % kAddresses.size()].c_str());
    benchmark::DoNotOptimize(LxHousePrefix(buffer));
    benchmark::DoNotOptimize(LxHouseNumber(buffer));
    benchmark::DoNotOptimize(LxFraction(buffer));
    benchmark::DoNotOptimize(LxPreDir(buffer));
    benchmark::DoNotOptimize(LxStreetName(buffer));
    benchmark::DoNotOptimize(LxStreetSuffix(buffer));
    benchmark::DoNotOptimize(LxPostDir(buffer));
    benchmark::DoNotOptimize(LxUnitDesignator(buffer));
    benchmark::DoNotOptimize(LxUnitValue(buffer));
    benchmark::DoNotOptimize(LxBox(buffer));
    benchmark::DoNotOptimize(LxRoute(buffer));
    benchmark::DoNotOptimize(LxMatchCode(buffer));
    benchmark::DoNotOptimize(LxWalkKey(0, buffer));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AddressViaApi);

}  // namespace
