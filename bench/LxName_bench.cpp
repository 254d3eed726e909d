// Parsing name lines with the default dictionary, against the cost of only
// upper-casing and tokenizing the same lines. A counting global operator new
// reports the heap allocations per parse in the steady state
// (allocs_per_line, expected 0).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "LxBase.h"
#include "LxName.h"
#include "LxSource.h"

namespace {
std::atomic<std::size_t> g_allocations{0};
}  // namespace

// GCC pairs the replaced operator new with free() below and warns although
// both sides use malloc/free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

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
  const std::size_t before = g_allocations.load();
  for (auto _ : state) {
    parser.SetInput(lines[i]);
    names += static_cast<std::size_t>(parser.NameCount());
    benchmark::DoNotOptimize(parser.NameResult(1));
    if (++i == lines.size()) i = 0;
  }
  const std::size_t allocations = g_allocations.load() - before;
  state.SetItemsProcessed(state.iterations());
  state.counters["names_per_line"] =
      static_cast<double>(names) / static_cast<double>(state.iterations());
  state.counters["allocs_per_line"] =
      static_cast<double>(allocations) / static_cast<double>(state.iterations());
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
  lx::TLxSource source;
  source.SetRemovable(lx::CharSet("."));
  std::string upper;
  const auto& lines = Lines();
  std::size_t i = 0;
  for (auto _ : state) {
    lx::UpperCaseInto(lines[i], upper);
    source.SetText(upper);
    benchmark::DoNotOptimize(source.WordCount());
    if (++i == lines.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_UpperCaseAndTokenizeLines);

}  // namespace
