// City lines per second through the US and Canadian parsers over the default
// dictionary.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "LxCanadianCity.h"
#include "LxCitySt.h"

namespace {

// The forms a city line takes: ZIP+4 in one or two words, split letters, a
// state name, an unknown abbreviation, no ZIP, a long city.
const std::vector<std::string> kUsLines = {
    "ALBANY, NY 12207-1234",
    "Beverly Hills California 90210",
    "SAN FRANCISCO CA 94105",
    "SALT LAKE CITY UT 841011234",
    "ANYTOWN N Y 12345",
    "Houston, TX 77002 1234",
    "NEW YORK NY",
    "SPRINGFIELD XX 62701",
    "Washington DC 20500",
    "LLANFAIRPWLLGWYNGYLLGOGERYCH PA 19103",
    "Anchorage Alaska 99501",
    "PORTLAND OR 97201-5000",
};

const std::vector<std::string> kCanadianLines = {
    "OTTAWA ON K1A 0B1",       "Toronto, ON M5V3L9", "REGINA SK S4P 3Y2",
    "MONTREAL QUEBEC H2X 1Y4", "VANCOUVER BC",       "WHITEHORSE YT Y1A 1A1",
};

template <class Parser>
void ParseLines(benchmark::State& state, const std::vector<std::string>& lines) {
  Parser parser(LX_DEFAULT_DICTIONARY);
  std::size_t i = 0;
  for (auto _ : state) {
    parser.SetInput(lines[i]);
    benchmark::DoNotOptimize(parser.City);
    if (++i == lines.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_UsCityLine(benchmark::State& state) {
  ParseLines<lx::TLxCityStParser>(state, kUsLines);
}
void BM_CanadianCityLine(benchmark::State& state) {
  ParseLines<lx::TLxCanadianCityParser>(state, kCanadianLines);
}
BENCHMARK(BM_UsCityLine);
BENCHMARK(BM_CanadianCityLine);

}  // namespace
