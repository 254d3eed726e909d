// How lx writes its results: CSV/TSV rows (quoted only where needed), JSON
// objects, and aligned tables, built into a text buffer; and the output file,
// written under a temporary name and renamed only when complete, so that a
// failed run never leaves a half-written file.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace lxtool {

// Table aligns the columns for reading on a terminal; it holds the whole
// output in memory, so it is meant for small inputs.
enum class OutputFormat { Csv, Tsv, Jsonl, Table };

// Writes one JSON object's members; the text given is UTF-8.
class JsonObject {
 public:
  explicit JsonObject(std::string& out) : out_(out) { out_ += '{'; }
  void String(std::string_view name, std::string_view utf8);
  void Number(std::string_view name, long long value);
  void Bool(std::string_view name, bool value);
  // A member whose value is already JSON.
  void Raw(std::string_view name, std::string_view json);
  void Close() { out_ += '}'; }

 private:
  void Name(std::string_view name);
  std::string& out_;
  bool first_ = true;
};

void AppendJsonString(std::string& out, std::string_view utf8);
// A CSV (comma) or TSV (tab) field, quoted when it holds the delimiter, a
// quote or a line break.
void AppendDelimitedField(std::string& out, char delimiter, std::string_view field);
// One row of such fields with its line break.
void AppendDelimitedRow(std::string& out, char delimiter, const std::vector<std::string>& fields);
// A table row in the form RenderTable reads; control characters become blanks.
void AppendTableRow(std::string& out, const std::vector<std::string>& cells);
// Aligns the rows collected with AppendTableRow into columns two blanks apart,
// with a rule under the first row.
std::string RenderTable(const std::string& rows);

// Standard output for an empty path; otherwise a temporary file beside path,
// renamed over it by Commit and removed if the object goes without a Commit.
class OutputFile {
 public:
  explicit OutputFile(const std::string& path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  void Write(std::string_view text);
  void Commit();

 private:
  std::string path_, temp_;
  std::FILE* file_ = nullptr;
};

}  // namespace lxtool
