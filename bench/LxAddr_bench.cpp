// Street-address parsing over a realistic mix of lines with the default
// dictionary, against the floor of only upper-casing and tokenizing the same
// lines. Every parse benchmark also counts heap allocations in its timed loop
// (counter allocs_per_parse) and reports an error when there is any.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchSupport.h"
#include "LxAddr.h"

namespace {

// Plain lines, units, boxes, routes, fractions, grid and hyphenated numbers,
// and lines that begin with something other than the house number.
const std::vector<std::string>& Lines() {
  static const std::vector<std::string> lines = {
      "123 N Main St Apt 5",
      "4567 Elm Avenue",
      "PO Box 1234",
      "RR 2 Box 45",
      "12B Oak Dr",
      "1600 Pennsylvania Ave NW",
      "350 5th Ave Fl 34",
      "77 Massachusetts Ave #3-201",
      "APT 10 125 MAIN ST",
      "10-25 W 42nd St",
      "P.O. Box 77",
      "Rural Route 3 Box 12",
      "2100 Mt Vernon Blvd Ste 100",
      "City Hall Annex N Main St",
      "8 1/2 Church Street Rear",
      "555 County Road 12",
      "1 MLK Blvd",
      "45 S Broadway 2nd Floor",
      "HC 64 Box 3",
      "One Financial Plaza Suite 1200",
      "N6W23001 Bluemound Rd",
      "742 Evergreen Terrace",
      "9 West 57th Street, 45th Floor",
      "31 Spooner St Unit B",
      "1313 Mockingbird Ln",
      "221B Baker St",
      "400 Broad St S Bldg 2 Rm 301",
      "PO Box 5 RR 2",
      "18 Rue de la Paix",
      "3100 N Lake Shore Dr Apt 1407",
  };
  return lines;
}

void ParseMix(benchmark::State& state, bool complex) {
  lx::TLxAddressParser parser(LX_DEFAULT_DICTIONARY);
  parser.ComplexAddress = complex ? 1 : 0;
  const auto& lines = Lines();
  // Warm up: the input buffer grows to the longest line once.
  for (const std::string& line : lines) parser.SetInput(line);
  const std::uint64_t before = lxbench::Allocations();
  std::size_t i = 0;
  for (auto _ : state) {
    parser.SetInput(lines[i]);
    benchmark::DoNotOptimize(parser.StreetName.data());
    if (++i == lines.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
  lxbench::ReportAllocations(state, before, "allocs_per_parse");
}

void BM_AddressParseMix(benchmark::State& state) {
  ParseMix(state, false);
}
void BM_AddressParseMixComplex(benchmark::State& state) {
  ParseMix(state, true);
}
BENCHMARK(BM_AddressParseMix);
BENCHMARK(BM_AddressParseMixComplex);

// The floor: the same lines only upper-cased and split into words.
void BM_AddressUpperCaseAndTokenize(benchmark::State& state) {
  lxbench::UpperCaseAndTokenize(state, Lines());
}
BENCHMARK(BM_AddressUpperCaseAndTokenize);

// The parsers and their lookups are built once per dictionary, not per line.
void BM_AddressParserConstruction(benchmark::State& state) {
  for (auto _ : state) {
    lx::TLxAddressParser parser(LX_DEFAULT_DICTIONARY);
    benchmark::DoNotOptimize(&parser);
  }
}
BENCHMARK(BM_AddressParserConstruction)->Unit(benchmark::kMillisecond);

}  // namespace
