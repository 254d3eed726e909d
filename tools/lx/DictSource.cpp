#include "DictSource.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "LxCodePage.h"
#include "LxConst.h"
#include "LxLists.h"
#include "LxUtils.h"

namespace lxtool {

namespace fs = std::filesystem;
using lx::TLxDictRecord;

namespace {

constexpr std::size_t kColumns = 6;
constexpr const char* kColumnNames[kColumns] = {"source", "target",   "exception",
                                                "active", "comments", "hidden"};

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? line.npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

std::optional<std::int32_t> ContextOfFile(const fs::path& file) {
  const std::string stem = file.stem().string();
  if (auto id = lx::ContextIdByName(stem)) return id;
  std::int32_t id = 0;
  const auto [end, ec] = std::from_chars(stem.data(), stem.data() + stem.size(), id);
  if (ec == std::errc() && end == stem.data() + stem.size()) return id;
  return std::nullopt;
}

// Folded key for duplicate tests, the same folding the lookups use.
std::string FoldedKey(std::string_view s) {
  std::string k(s);
  for (char& c : k) c = lx::UpCase(c);
  return k;
}

struct FileReader {
  std::string name;  // as shown in messages
  std::vector<std::string>& problems;
  int line = 0;

  void Fail(const std::string& reason) {
    problems.push_back(name + ":" + std::to_string(line) + ": " + reason);
  }

  bool Text(std::string_view field, const char* column, std::string& out) {
    std::size_t bad = 0;
    if (field.find('\0') != field.npos) {
      Fail(std::string(column) + " holds a NUL character");
      return false;
    }
    if (field.find('\r') != field.npos) {
      Fail(std::string(column) + " holds a carriage return");
      return false;
    }
    if (!lx::Utf8ToAnsi(field, out, &bad)) {
      Fail(std::string(column) + " holds a character outside Windows-1252 (or bad UTF-8) at byte " +
           std::to_string(bad + 1));
      return false;
    }
    if (out.size() > lx::kDictMaxText) {
      Fail(std::string(column) + " has " + std::to_string(out.size()) + " characters (at most " +
           std::to_string(lx::kDictMaxText) + ")");
      return false;
    }
    return true;
  }

  bool Flag(std::string_view field, const char* column, std::uint8_t& out) {
    if (field == "0" || field == "1") {
      out = field == "1";
      return true;
    }
    Fail(std::string(column) + " must be 0 or 1, not \"" + std::string(field) + "\"");
    return false;
  }
};

std::string ReadWholeFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) lx::ThrowFileError("open", file.string());
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void ReadSourceFile(const fs::path& file, std::int32_t contextId, double dateUpd,
                    DictionarySource& out) {
  const std::string content = ReadWholeFile(file);
  FileReader reader{file.filename().string(), out.problems};
  std::set<std::string> activeKeys;
  std::map<std::string, int> firstLine;
  std::string_view rest = content;
  bool header = true;
  while (!rest.empty()) {
    const std::size_t nl = rest.find('\n');
    std::string_view line = rest.substr(0, nl);
    rest = nl == rest.npos ? std::string_view{} : rest.substr(nl + 1);
    ++reader.line;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (header) {
      header = false;
      if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
      if (line != kSourceHeader) {
        reader.Fail(
            "the header row must be the six columns source, target, exception, active, "
            "comments, hidden (tab-separated)");
        return;
      }
      continue;
    }
    if (line.empty()) continue;
    const auto fields = SplitTabs(line);
    if (fields.size() != kColumns) {
      reader.Fail("expected " + std::to_string(kColumns) + " tab-separated fields, found " +
                  std::to_string(fields.size()));
      continue;
    }
    TLxDictRecord r;
    r.ContextId = contextId;
    r.Date_Upd = dateUpd;
    std::string texts[3];
    bool ok = reader.Text(fields[0], kColumnNames[0], texts[0]);
    ok = reader.Text(fields[1], kColumnNames[1], texts[1]) && ok;
    ok = reader.Flag(fields[2], kColumnNames[2], r.Spec_Case) && ok;
    ok = reader.Flag(fields[3], kColumnNames[3], r.Active) && ok;
    ok = reader.Text(fields[4], kColumnNames[4], texts[2]) && ok;
    ok = reader.Flag(fields[5], kColumnNames[5], r.Hidden) && ok;
    if (!ok) continue;
    if (texts[0].empty()) {
      reader.Fail("source is empty");
      continue;
    }
    if (r.Active) {
      const std::string key = FoldedKey(texts[0]);
      if (auto [it, fresh] = firstLine.emplace(key, reader.line); !fresh) {
        reader.Fail("source \"" + lx::AnsiToUtf8(texts[0]) +
                    "\" is already an active entry at line " + std::to_string(it->second) +
                    " (keys ignore case; the engine would drop this one)");
        continue;
      }
    }
    TLxDictRecord::SetField(r.Source, texts[0]);
    TLxDictRecord::SetField(r.Target, texts[1]);
    TLxDictRecord::SetField(r.Comments, texts[2]);
    out.records.push_back(r);
  }
  if (header) reader.Fail("the file is empty; it needs at least the header row");
}

bool HasLineBreakOrTab(std::string_view s) {
  return s.find_first_of("\t\n\r") != s.npos;
}

}  // namespace

std::string SourceFileName(std::int32_t contextId) {
  const std::string_view name = lx::ContextName(contextId);
  return (name.empty() ? std::to_string(contextId) : std::string(name)) + ".tsv";
}

DictionarySource ReadDictionarySource(const fs::path& dir, double dateUpd) {
  DictionarySource out;
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    out.problems.push_back(dir.string() + ": not a folder");
    return out;
  }
  std::map<std::int32_t, fs::path> files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".tsv") continue;
    const auto id = ContextOfFile(entry.path());
    if (!id) {
      out.problems.push_back(entry.path().filename().string() +
                             ":1: unknown context (the file name must be a context name such as "
                             "np.srch.genders, or a context id)");
      continue;
    }
    if (auto [it, fresh] = files.emplace(*id, entry.path()); !fresh) {
      out.problems.push_back(entry.path().filename().string() + ":1: context " +
                             std::to_string(*id) + " already comes from " +
                             it->second.filename().string());
    }
  }
  for (const auto& [id, file] : files) ReadSourceFile(file, id, dateUpd, out);
  return out;
}

std::vector<std::string> WriteDictionarySource(const std::vector<TLxDictRecord>& records,
                                               const fs::path& dir) {
  std::vector<std::string> problems;
  std::map<std::int32_t, std::string> files;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const TLxDictRecord& r = records[i];
    for (auto [text, column] : {std::pair{r.SourceText(), "source"},
                                {r.TargetText(), "target"},
                                {r.CommentsText(), "comments"}}) {
      if (HasLineBreakOrTab(text))
        problems.push_back("record " + std::to_string(i + 1) + " (context " +
                           std::to_string(r.ContextId) + "): " + column +
                           " holds a tab or line break, which a TSV row cannot carry");
    }
    std::string& body = files[r.ContextId];
    if (body.empty()) body = std::string(kSourceHeader) + "\n";
    body += lx::AnsiToUtf8(r.SourceText()) + '\t' + lx::AnsiToUtf8(r.TargetText()) + '\t' +
            (r.Spec_Case ? '1' : '0') + '\t' + (r.Active ? '1' : '0') + '\t' +
            lx::AnsiToUtf8(r.CommentsText()) + '\t' + (r.Hidden ? '1' : '0') + '\n';
  }
  if (!problems.empty()) return problems;
  fs::create_directories(dir);
  for (const auto& [id, body] : files) {
    const fs::path file = dir / SourceFileName(id);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) lx::ThrowFileError("create", file.string());
    out << body;
    if (!out.flush()) lx::ThrowFileError("write", file.string());
  }
  return problems;
}

RecordCheck CheckRecords(const std::vector<TLxDictRecord>& records) {
  RecordCheck check;
  std::map<std::pair<std::int32_t, std::string>, std::size_t> active;
  std::set<std::int32_t> unread;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const TLxDictRecord& r = records[i];
    const std::string where = "record " + std::to_string(i + 1) + " (context " +
                              std::to_string(r.ContextId) + ", \"" +
                              lx::AnsiToUtf8(r.SourceText()) + "\"): ";
    for (auto [value, name] :
         {std::pair{r.Spec_Case, "exception"}, {r.Active, "active"}, {r.Hidden, "hidden"}}) {
      if (value > 1)
        check.errors.push_back(where + name + " flag is " + std::to_string(value) + ", not 0 or 1");
    }
    if (r.SourceText().empty()) check.errors.push_back(where + "source is empty");
    if (r.SourceText().size() > lx::kDictMaxText)
      check.errors.push_back(where + "source has no terminator within its field");
    if (!lx::FindContext(r.ContextId)) unread.insert(r.ContextId);
    if (!r.Active) continue;
    auto [it, fresh] = active.emplace(std::pair{r.ContextId, FoldedKey(r.SourceText())}, i + 1);
    if (!fresh)
      check.errors.push_back(where + "duplicates the active key of record " +
                             std::to_string(it->second) + "; the engine drops it");
  }
  for (std::int32_t id : unread)
    check.warnings.push_back("context " + std::to_string(id) +
                             " has no name; no lookup reads its records");
  return check;
}

}  // namespace lxtool
