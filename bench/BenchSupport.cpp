#include "BenchSupport.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include "LxBase.h"
#include "LxSource.h"

namespace {
std::atomic<std::uint64_t> g_allocations{0};
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

namespace lxbench {

namespace {
constexpr std::uint64_t kLibraryAllocations = 16;
}  // namespace

std::uint64_t Allocations() {
  return g_allocations.load(std::memory_order_relaxed);
}

void ReportAllocations(benchmark::State& state, std::uint64_t before, const char* counter) {
  const std::uint64_t made = Allocations() - before;
  state.counters[counter] = static_cast<double>(made) / static_cast<double>(state.iterations());
  // The benchmark library's own bookkeeping around the loop allocates a few
  // times per run, whatever the number of iterations; a parse must not.
  if (made > kLibraryAllocations) state.SkipWithError("parses allocated on the heap");
}

void UpperCaseAndTokenize(benchmark::State& state, const std::vector<std::string>& lines) {
  lx::TLxSource source;
  source.SetRemovable(lx::CharSet("."));
  std::string upper;
  std::size_t i = 0;
  for (auto _ : state) {
    lx::UpperCaseInto(lines[i], upper);
    source.SetText(upper);
    benchmark::DoNotOptimize(source.WordCount());
    if (++i == lines.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

}  // namespace lxbench
