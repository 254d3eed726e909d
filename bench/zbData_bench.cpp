// The editor's bulk operations on a dictionary of 100,000 entries: each should
// stay well under the time a user notices.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "LxDict.h"
#include "zbData.h"

namespace {

constexpr int kEntries = 100000;

class QuietOutlets : public zeb::TdmOutlets {
 public:
  void ShowFileName(std::string_view) override {}
  void ShowStatus(std::string_view) override {}
  void ShowEntryDialog(zeb::TdmData&) override {}
  void ShowCaptions(const zeb::TdmCaptions&) override {}
  zeb::TdmAnswer AskYesNoCancel(std::string_view) override { return zeb::TdmAnswer::Cancel; }
  void ShowInformation(std::string_view, std::string_view) override {}
};

std::vector<lx::TLxDictRecord> RandomRecords(std::mt19937& rng, int count) {
  std::uniform_int_distribution<int> len(3, 16), letter('A', 'Z');
  const auto contexts = zeb::EditorContextTable();
  std::uniform_int_distribution<std::size_t> context(0, contexts.size() - 1);
  std::vector<lx::TLxDictRecord> records(static_cast<std::size_t>(count));
  for (auto& r : records) {
    std::string source(static_cast<std::size_t>(len(rng)), ' ');
    for (char& c : source) c = static_cast<char>(letter(rng));
    r.ContextId = contexts[context(rng)].Id;
    r.Active = 1;
    r.Date_Upd = 45000;
    lx::TLxDictRecord::SetField(r.Source, source);
    lx::TLxDictRecord::SetField(r.Target, source + " TARGET");
    lx::TLxDictRecord::SetField(r.Comments, "benchmark entry");
  }
  return records;
}

// main.dct holds 100,000 entries; other.dct holds half of them and 50,000 new.
struct Files {
  std::filesystem::path dir;
  std::string main, other, copy;
  Files() {
    dir = std::filesystem::temp_directory_path() / "lexorin-bench-zeb";
    std::filesystem::create_directories(dir);
    main = (dir / "main.dct").string();
    other = (dir / "other.dct").string();
    copy = (dir / "copy.dct").string();
    std::mt19937 rng(42);
    const auto records = RandomRecords(rng, kEntries);
    lx::WriteDictionary(main, records, 45000.5);
    auto merged = RandomRecords(rng, kEntries / 2);
    merged.insert(merged.end(), records.begin(), records.begin() + kEntries / 2);
    lx::WriteDictionary(other, merged, 45000.5);
  }
  ~Files() { std::filesystem::remove_all(dir); }
};

Files& Data() {
  static Files f;
  return f;
}

void BM_ZebLoad100k(benchmark::State& state) {
  QuietOutlets outlets;
  zeb::TdmData data(outlets);
  for (auto _ : state) {
    data.LoadDictionary(Data().main);
    benchmark::DoNotOptimize(data.EntryCount());
  }
}
BENCHMARK(BM_ZebLoad100k)->Unit(benchmark::kMillisecond);

void BM_ZebSave100k(benchmark::State& state) {
  QuietOutlets outlets;
  zeb::TdmData data(outlets);
  data.LoadDictionary(Data().main);
  for (auto _ : state) {
    // After an edit the source order has to be built again.
    data.Insert();
    data.Buffer().Source = "NEW ENTRY";
    data.Post();
    data.SaveDictionary(Data().copy);
  }
}
BENCHMARK(BM_ZebSave100k)->Unit(benchmark::kMillisecond);

void BM_ZebMerge100k(benchmark::State& state) {
  QuietOutlets outlets;
  zeb::TdmData data(outlets);
  for (auto _ : state) {
    state.PauseTiming();
    data.LoadDictionary(Data().main);
    std::filesystem::remove(zeb::LogPathOf(Data().main));
    state.ResumeTiming();
    data.MergeDictionary(Data().other);  // 50,000 added and logged, 50,000 found
  }
}
BENCHMARK(BM_ZebMerge100k)->Unit(benchmark::kMillisecond);

}  // namespace
