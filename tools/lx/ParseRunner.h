// Runs one parser kind over whole inputs: reads records, parses the chosen
// field on several threads (one job, that is one set of parsers, per thread),
// and writes CSV, TSV or JSONL in input order. Input is streamed in bounded
// batches, so memory stays constant whatever the input size. Output to a file
// goes to a temporary name first and is renamed at the end, so a failed run
// never leaves a half-written output file.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Output.h"
#include "RecordReader.h"

namespace lxtool {

// One thread's parsers. Texts in and out are the engine's single-byte text.
class ParseJob {
 public:
  virtual ~ParseJob() = default;
  virtual void Parse(std::string_view text) = 0;
  // The parsed columns, in the kind's column order; the views stay valid
  // until the next Parse.
  virtual void Values(std::vector<std::string_view>& values) = 0;
  // The JSON members after "input"; by default every column as a string.
  virtual void Json(JsonObject& json, const std::vector<std::string>& columns,
                    const std::vector<std::string_view>& utf8Values);
};

struct JobKind {
  std::string name;
  std::vector<std::string> columns;
  // Makes one thread's job; throws when the dictionary cannot be loaded.
  std::function<std::unique_ptr<ParseJob>()> create;
};

struct RunOptions {
  std::vector<std::string> inputs;  // empty or "-": standard input
  std::string output;               // empty: standard output
  OutputFormat format = OutputFormat::Csv;
  std::string inputFormat;          // "", "lines", "csv" or "tsv"; "" guesses from the file name
  std::string column;               // header name or 1-based number
  std::vector<std::string> fields;  // parsed columns to write; empty: all
  int threads = 0;                  // 0: the number of cores
  bool failOnError = true;          // --on-error fail|skip
  std::string rejects;              // file for skipped records
  bool quiet = false;
  bool progress = true;  // only shown on a terminal for regular files
};

// Returns the exit status: 0 done, 1 failed (the reason on err).
int RunParse(const JobKind& kind, const RunOptions& options, std::ostream& out, std::ostream& err);

}  // namespace lxtool
