// The dictionary's text source: a folder with one TSV file per context, named
// after the context ("np.srch.genders.tsv"; a context without a name, such as
// 9999, by its id: "9999.tsv"). Each file is UTF-8 with the header row
// "source, target, exception, active, comments, hidden" (tab-separated) and
// one entry per row; flags are 0 or 1; texts hold at most 40 characters of
// the engine's single-byte code page.
//
// Reading validates everything the engine would otherwise take silently (an
// over-long text cut, a second active entry of a key dropped) and reports each
// fault as "file:line: reason". Writing is the inverse: a folder read back
// from what WriteDictionarySource wrote gives the same records.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "LxDict.h"

namespace lxtool {

inline constexpr const char* kSourceHeader = "source\ttarget\texception\tactive\tcomments\thidden";

struct DictionarySource {
  // Contexts in ascending id order, the rows of each in file order.
  std::vector<lx::TLxDictRecord> records;
  // "file:line: reason", in the order found; empty when the source is sound.
  std::vector<std::string> problems;
};

// Reads every *.tsv file of dir; every record gets dateUpd as Date_Upd.
DictionarySource ReadDictionarySource(const std::filesystem::path& dir, double dateUpd);

// File name of a context's source file.
std::string SourceFileName(std::int32_t contextId);

// Writes one file per context that has records, keeping their order within the
// context. Returns the problems that keep a record from being written as a TSV
// row (a tab or line break inside a text); nothing is written then.
std::vector<std::string> WriteDictionarySource(const std::vector<lx::TLxDictRecord>& records,
                                               const std::filesystem::path& dir);

// Faults of records read from a dictionary file: flags other than 0/1, empty
// sources, duplicate active keys (ignoring case) within a context, contexts no
// lookup reads. Each line says which record (1-based, in file order).
struct RecordCheck {
  std::vector<std::string> errors;
  std::vector<std::string> warnings;
};
RecordCheck CheckRecords(const std::vector<lx::TLxDictRecord>& records);

}  // namespace lxtool
