// Loading a large context and looking keys up in it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "LxConst.h"
#include "LxDict.h"
#include "LxLists.h"

namespace {

constexpr int kEntries = 20000;

class GivenNames : public lx::TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return lx::ctxGenders; }
};

std::string RandomKey(std::mt19937& rng) {
  std::uniform_int_distribution<int> len(3, 12), letter('A', 'Z');
  std::string k(static_cast<std::size_t>(len(rng)), ' ');
  for (char& c : k) c = static_cast<char>(letter(rng));
  return k;
}

struct Fixture {
  std::string path;
  std::vector<std::string> keys;
  std::vector<std::string> misses;
  Fixture() {
    std::mt19937 rng(42);
    std::vector<lx::TLxDictRecord> records(kEntries);
    for (auto& r : records) {
      keys.push_back(RandomKey(rng));
      r.ContextId = lx::ctxGenders;
      r.Active = 1;
      lx::TLxDictRecord::SetField(r.Source, keys.back());
      lx::TLxDictRecord::SetField(r.Target, "1");
    }
    for (int i = 0; i < 1000; ++i) misses.push_back(RandomKey(rng) + "#");
    path = (std::filesystem::temp_directory_path() / "lexorin-bench-20000.dct").string();
    lx::WriteDictionary(path, records, 45000);
  }
  ~Fixture() { std::remove(path.c_str()); }
};

Fixture& Data() {
  static Fixture f;
  return f;
}

void BM_LoadContext20000(benchmark::State& state) {
  for (auto _ : state) {
    GivenNames names(Data().path);
    names.LoadFromFile();
    benchmark::DoNotOptimize(names.List().Count());
  }
  state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_LoadContext20000)->Unit(benchmark::kMillisecond);

void LookupBench(benchmark::State& state, const std::vector<std::string>& keys) {
  GivenNames names(Data().path);
  names.LoadFromFile();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(names.Lookup(keys[i]));
    if (++i == keys.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

// Both rotate through 1,000 keys, so the keys themselves stay in cache.
void BM_LookupHit(benchmark::State& state) {
  static const std::vector<std::string> hits(Data().keys.begin(), Data().keys.begin() + 1000);
  LookupBench(state, hits);
}
void BM_LookupMiss(benchmark::State& state) {
  LookupBench(state, Data().misses);
}
BENCHMARK(BM_LookupHit);
BENCHMARK(BM_LookupMiss);

}  // namespace
