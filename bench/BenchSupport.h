// What the parser benchmarks share: a count of heap allocations (the program
// replaces the global operator new once, in BenchSupport.cpp) and the floor
// every parse is measured against, upper-casing and tokenizing the same lines.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lxbench {

// Heap allocations made by the whole program so far.
std::uint64_t Allocations();

// Reports the allocations per iteration since before as counter, and fails
// the benchmark when their number grew with the iterations.
void ReportAllocations(benchmark::State& state, std::uint64_t before, const char* counter);

// Upper-cases and tokenizes the lines in turn, as every parser does first.
void UpperCaseAndTokenize(benchmark::State& state, const std::vector<std::string>& lines);

}  // namespace lxbench
