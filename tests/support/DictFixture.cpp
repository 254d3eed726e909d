#include "DictFixture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>

namespace lxtest {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const auto* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "lexorin";
  for (char& c : name)
    if (c == '/' || c == '\\') c = '_';
  path_ = fs::path(testing::TempDir()) /
          ("lx-" + name + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::vector<lx::TLxDictRecord> MakeRecords(const std::vector<FixtureEntry>& entries) {
  std::vector<lx::TLxDictRecord> records;
  for (const auto& e : entries) {
    lx::TLxDictRecord r;
    r.ContextId = e.context;
    r.Spec_Case = e.flag;
    r.Active = e.active;
    lx::TLxDictRecord::SetField(r.Source, e.source);
    lx::TLxDictRecord::SetField(r.Target, e.target);
    lx::TLxDictRecord::SetField(r.Comments, e.comments);
    records.push_back(r);
  }
  return records;
}

std::string WriteFixtureDictionary(const TempDir& dir, const std::vector<FixtureEntry>& entries,
                                   const std::string& name) {
  const std::string path = dir.File(name);
  lx::WriteDictionary(path, MakeRecords(entries), 45000.5);
  return path;
}

std::string WriteBytes(const TempDir& dir, const std::string& name, const std::string& bytes) {
  const std::string path = dir.File(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace lxtest
