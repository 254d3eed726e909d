#include "DictCommand.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <map>
#include <memory>
#include <ostream>

#include "DictSource.h"
#include "LxConst.h"
#include "LxDict.h"

namespace lxtool {

namespace fs = std::filesystem;

namespace {

struct DictOptions {
  std::string input;
  std::string output;
  bool force = false;
};

// The save moment of a build: SOURCE_DATE_EPOCH (UTC) when set, so that
// builds are reproducible; otherwise now, local time.
double BuildMoment() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (!epoch || !*epoch) return lx::DayCountNow();
  std::int64_t seconds = 0;
  const std::string_view text(epoch);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (ec != std::errc() || end != text.data() + text.size())
    throw std::runtime_error("SOURCE_DATE_EPOCH must be a whole number of seconds, not \"" +
                             std::string(text) + "\"");
  return lx::DayCountFromUnix(seconds);
}

std::vector<lx::TLxDictRecord> ReadRecords(const std::string& path, lx::TLxDictHeader& header,
                                           std::uint64_t& trailing) {
  lx::TLxDictReader reader(path);
  header = reader.ReadHeader();
  std::vector<lx::TLxDictRecord> records;
  lx::TLxDictRecord r;
  while (reader.Next(r)) {
    lx::UnscrambleRecord(r);
    records.push_back(r);
  }
  trailing = reader.TrailingBytes();
  return records;
}

int PrintProblems(std::ostream& err, const std::vector<std::string>& problems) {
  for (const auto& p : problems) err << p << "\n";
  return problems.empty() ? 0 : 1;
}

int Build(const DictOptions& o, std::ostream& out, std::ostream& err) {
  const double moment = BuildMoment();
  // Entries carry whole days, as the dictionary editor stores them.
  const DictionarySource source = ReadDictionarySource(o.input, std::floor(moment));
  if (!source.problems.empty()) {
    PrintProblems(err, source.problems);
    err << "lx: " << source.problems.size() << " problem(s) in " << o.input
        << "; nothing written\n";
    return 1;
  }
  lx::WriteDictionary(o.output, source.records, moment);
  out << "wrote " << o.output << ": " << source.records.size() << " records\n";
  return 0;
}

int Dump(const DictOptions& o, std::ostream& out, std::ostream& err) {
  lx::TLxDictHeader header;
  std::uint64_t trailing = 0;
  const auto records = ReadRecords(o.input, header, trailing);
  const fs::path dir(o.output);
  std::error_code ec;
  if (fs::exists(dir, ec)) {
    std::vector<fs::path> existing;
    for (const auto& e : fs::directory_iterator(dir))
      if (e.path().extension() == ".tsv") existing.push_back(e.path());
    if (!existing.empty() && !o.force) {
      err << "lx: " << dir.string() << " already holds .tsv files; use --force to replace them\n";
      return 1;
    }
    for (const auto& p : existing) fs::remove(p);
  }
  if (PrintProblems(err, WriteDictionarySource(records, dir)) != 0) {
    err << "lx: nothing written\n";
    return 1;
  }
  out << "wrote " << records.size() << " records to " << dir.string() << " (saved "
      << lx::FormatDayCount(header.SavedAt)
      << "; build with SOURCE_DATE_EPOCH=" << std::llround((header.SavedAt - 25569.0) * 86400.0)
      << " to keep that date)\n";
  if (trailing) out << "note: ignored a partial record of " << trailing << " bytes at the end\n";
  return 0;
}

int Info(const DictOptions& o, std::ostream& out) {
  lx::TLxDictHeader header;
  std::uint64_t trailing = 0;
  const auto records = ReadRecords(o.input, header, trailing);
  struct Counts {
    std::size_t active = 0, inactive = 0;
  };
  std::map<std::int32_t, Counts> perContext;
  for (const auto& r : records)
    (r.Active ? perContext[r.ContextId].active : perContext[r.ContextId].inactive)++;
  out << "file:        " << o.input << "\n"
      << "format flag: " << int(header.FormatFlag) << "\n"
      << "saved:       " << (header.SavedAt != 0 ? lx::FormatDayCount(header.SavedAt) : "-") << "\n"
      << "records:     " << records.size() << "\n";
  if (trailing) out << "partial:     " << trailing << " bytes after the last record (ignored)\n";
  out << "\n  context  name                     active  inactive\n";
  for (const auto& c : lx::ContextTable()) perContext.try_emplace(c.Id);
  for (const auto& [id, n] : perContext) {
    std::string_view name = lx::ContextName(id);
    out << "  " << std::setw(7) << id << "  " << std::left << std::setw(23)
        << (name.empty() ? "(none)" : name) << std::right << std::setw(8) << n.active
        << std::setw(10) << n.inactive << "\n";
  }
  return 0;
}

int Check(const DictOptions& o, std::ostream& out, std::ostream& err) {
  if (fs::is_directory(o.input)) {
    const DictionarySource source = ReadDictionarySource(o.input, 0);
    if (PrintProblems(err, source.problems) != 0) {
      err << "lx: " << source.problems.size() << " problem(s) in " << o.input << "\n";
      return 1;
    }
    out << o.input << ": ok, " << source.records.size() << " records\n";
    return 0;
  }
  lx::TLxDictHeader header;
  std::uint64_t trailing = 0;
  const auto records = ReadRecords(o.input, header, trailing);
  RecordCheck check = CheckRecords(records);
  if (header.FormatFlag != lx::kCurrentFormatFlag)
    check.warnings.push_back("format flag is " + std::to_string(header.FormatFlag) +
                             "; the dictionary editor opens only files with flag 1");
  if (trailing)
    check.warnings.push_back("a partial record of " + std::to_string(trailing) +
                             " bytes at the end is ignored");
  for (const auto& w : check.warnings) err << o.input << ": warning: " << w << "\n";
  for (const auto& e : check.errors) err << o.input << ": " << e << "\n";
  if (!check.errors.empty()) {
    err << "lx: " << check.errors.size() << " problem(s) in " << o.input << "\n";
    return 1;
  }
  out << o.input << ": ok, " << records.size() << " records\n";
  return 0;
}

}  // namespace

void AddDictCommand(CLI::App& app, std::function<int()>& action, std::ostream& out,
                    std::ostream& err) {
  auto opts = std::make_shared<DictOptions>();
  CLI::App* dict =
      app.add_subcommand("dict", "Build, dump, inspect and check dictionary files (.dct).");
  dict->require_subcommand(1);

  CLI::App* build = dict->add_subcommand(
      "build",
      "Build a dictionary file from its text source: a folder with one TSV file per context\n"
      "(columns source, target, exception, active, comments, hidden). Refuses the source, writing\n"
      "nothing, when a file has a fault; each fault is reported as file:line: reason.\n"
      "The save date is SOURCE_DATE_EPOCH when set, so that builds are reproducible.");
  build->add_option("DIR", opts->input, "folder of the dictionary source")->required();
  build->add_option("-o,--output", opts->output, "dictionary file to write")->required();
  build->callback(
      [&action, opts, &out, &err] { action = [=, &out, &err] { return Build(*opts, out, err); }; });

  CLI::App* dump = dict->add_subcommand(
      "dump",
      "Write a dictionary file back as its text source: one TSV file per context, records in\n"
      "their order within the context. 'dict build' of the result gives the same file again.");
  dump->add_option("FILE", opts->input, "dictionary file to read")->required();
  dump->add_option("-o,--output", opts->output, "folder to write the TSV files to")->required();
  dump->add_flag("--force", opts->force, "replace .tsv files already in the folder");
  dump->callback(
      [&action, opts, &out, &err] { action = [=, &out, &err] { return Dump(*opts, out, err); }; });

  CLI::App* info = dict->add_subcommand(
      "info",
      "Show a dictionary file's format flag, save date, record count and entries per context.");
  info->add_option("FILE", opts->input, "dictionary file to read")->required();
  info->callback([&action, opts, &out] { action = [=, &out] { return Info(*opts, out); }; });

  CLI::App* check = dict->add_subcommand(
      "check",
      "Validate a dictionary source folder (as 'dict build' does) or a dictionary file (flags,\n"
      "empty or duplicate keys, contexts no parser reads). Exit status 1 when a fault is found.");
  check->add_option("PATH", opts->input, "source folder or dictionary file")->required();
  check->callback(
      [&action, opts, &out, &err] { action = [=, &out, &err] { return Check(*opts, out, err); }; });
}

}  // namespace lxtool
