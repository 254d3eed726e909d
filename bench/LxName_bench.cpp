// Parsing name lines with the default dictionary, against the cost of only
// upper-casing and tokenizing the same lines. A counting global operator new
// reports the heap allocations per parse in the steady state
// (allocs_per_line, expected 0).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchSupport.h"
#include "LxName.h"

namespace {

// Natural and reverse order, titles, initials, suffixes, couples, families,
// care-of lines and firms, in mixed case and punctuation.
const std::vector<std::string>& Lines() {
  static const std::vector<std::string> lines = {
      "Mr. John A. Smith Jr.",
      "SMITH, JOHN",
      "Mary Jones",
      "Dr. Robert Brown MD",
      "John and Mary Smith",
      "Acme Widgets Inc",
      "The Smith Family",
      "Johnson, Patricia L",
      "Mr & Mrs James Wilson",
      "Ms. Linda K. Davis CPA",
      "Garcia Maria",
      "First National Bank of Ohio",
      "C/O Michael Miller",
      "Jennifer Van Der Berg",
      "William Taylor III",
      "Mr. and Mrs. David Anderson",
      "Thomas Moore Esq",
      "Jackson Elizabeth A",
      "Lopez Construction Co",
      "Christopher and Sarah Martin",
      "J. R. Thompson",
      "Rev. Daniel White",
      "Nancy Harris in trust for Kevin Harris",
      "Clark, Steven M., Jr.",
      "Lewis Family",
      "Ja Robinson",
      "Mrs. Karen Walker",
      "Young & Allen LLP",
      "Paul, George and Anne Hall",
      "Capt. Mark T. King USN",
  };
  return lines;
}

void BM_ParseNameLines(benchmark::State& state) {
  lx::TLxNameParser parser(LX_DEFAULT_DICTIONARY);
  parser.NameType = lx::ntDetect;
  parser.CheckCompoundNames = true;
  parser.CheckFirms = true;
  parser.CommaReverse = true;
  const auto& lines = Lines();
  for (const auto& line : lines) parser.SetInput(line);  // warm the buffers
  std::size_t names = 0;
  std::size_t i = 0;
  const std::uint64_t before = lxbench::Allocations();
  for (auto _ : state) {
    parser.SetInput(lines[i]);
    names += static_cast<std::size_t>(parser.NameCount());
    benchmark::DoNotOptimize(parser.NameResult(1));
    if (++i == lines.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["names_per_line"] =
      static_cast<double>(names) / static_cast<double>(state.iterations());
  lxbench::ReportAllocations(state, before, "allocs_per_line");
}
BENCHMARK(BM_ParseNameLines);

void BM_SalutationsOfParsedLines(benchmark::State& state) {
  lx::TLxNameParser parser(LX_DEFAULT_DICTIONARY);
  parser.CheckCompoundNames = true;
  const auto& lines = Lines();
  std::size_t i = 0;
  for (auto _ : state) {
    parser.SetInput(lines[i]);
    benchmark::DoNotOptimize(parser.Salutation(1));
    benchmark::DoNotOptimize(parser.CompoundSalutation());
    if (++i == lines.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SalutationsOfParsedLines);

// The floor: what every parser does before its own stages.
void BM_UpperCaseAndTokenizeLines(benchmark::State& state) {
  lxbench::UpperCaseAndTokenize(state, Lines());
}
BENCHMARK(BM_UpperCaseAndTokenizeLines);

}  // namespace
