// Case conversions per second over the default dictionary, with and without
// state capitals.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "LxCase.h"

namespace {

// Names, firms and address lines as they come in capitals, touching every
// rule: exceptions, last names, possessives, Mc names, ordinals, states.
const std::vector<std::string> kLines = {
    "JOHN MCDONALD 21ST ST, ALBANY NY",
    "MARY O'NEIL-SMITH",
    "THE ROLLING STONES OF LONDON",
    "DR JAMES MACDONALD III, PHD",
    "123 N MAIN ST APT 4B",
    "JOHN'S PIZZA & SUBS LLC",
    "MARY ANN DELUCA C/O THE SMITH FAMILY TRUST",
    "4TH FLOOR, 100TH AVE NW, SEATTLE WA 98101",
    "ROBERT O'BRIEN JR",
    "PO BOX 1234, SPRINGFIELD IL 62701",
};

void Convert(benchmark::State& state, std::uint8_t mode) {
  lx::TLxCaser caser(LX_DEFAULT_DICTIONARY);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(caser.ConvertCase(kLines[i], mode));
    if (++i == kLines.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ConvertCase(benchmark::State& state) {
  Convert(state, 0);
}
void BM_ConvertCaseWithStates(benchmark::State& state) {
  Convert(state, 1);
}
BENCHMARK(BM_ConvertCase);
BENCHMARK(BM_ConvertCaseWithStates);

}  // namespace
