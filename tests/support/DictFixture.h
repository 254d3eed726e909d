// Small dictionaries for tests, written through the engine's own writer from
// a table of entries, so that every test shows the data it depends on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "LxDict.h"

namespace lxtest {

struct FixtureEntry {
  std::int32_t context;
  std::string source;
  std::string target;
  std::uint8_t flag = 0;  // Spec_Case
  std::string comments = {};
  std::uint8_t active = 1;
};

// A folder of its own for the running test, removed when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::vector<lx::TLxDictRecord> MakeRecords(const std::vector<FixtureEntry>& entries);

// Writes the entries as a dictionary file named name inside dir; returns its path.
std::string WriteFixtureDictionary(const TempDir& dir, const std::vector<FixtureEntry>& entries,
                                   const std::string& name = "fixture.dct");

// Writes raw bytes to a file; returns its path.
std::string WriteBytes(const TempDir& dir, const std::string& name, const std::string& bytes);
std::string ReadBytes(const std::string& path);

}  // namespace lxtest
