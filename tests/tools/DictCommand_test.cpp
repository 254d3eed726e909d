// lx dict: building from the text source, refusing bad sources, dumping back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DictFixture.h"
#include "DictSource.h"
#include "LxApp.h"
#include "LxConst.h"

namespace {

namespace fs = std::filesystem;
using lxtest::TempDir;

struct LxRun {
  int status;
  std::string out, err;
};

LxRun Lx(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = lxtool::RunLx(args, out, err);
  return {status, out.str(), err.str()};
}

const std::string kHeader = std::string(lxtool::kSourceHeader) + "\n";

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Keeps the save date fixed for the duration of a test.
class FixedDate {
 public:
  FixedDate() { setenv("SOURCE_DATE_EPOCH", "1700000000", 1); }
  ~FixedDate() { unsetenv("SOURCE_DATE_EPOCH"); }
};

TEST(DictBuildTest, RefusesFaultySourcesAndWritesNothing) {
  const struct {
    const char* name;
    const char* file;
    std::string content;
    const char* message;
  } cases[] = {
      {"long text", "np.srch.prefix.tsv", kHeader + "MR\t" + std::string(41, 'x') + "\t0\t1\t\t0\n",
       "np.srch.prefix.tsv:2: target has 41 characters (at most 40)"},
      {"extra tab", "np.srch.prefix.tsv", kHeader + "MR\tMr\t0\t1\t\t0\textra\n",
       "np.srch.prefix.tsv:2: expected 6 tab-separated fields, found 7"},
      {"NUL", "np.srch.prefix.tsv", kHeader + "M" + std::string(1, '\0') + "R\tMr\t0\t1\t\t0\n",
       "np.srch.prefix.tsv:2: source holds a NUL character"},
      {"flag", "np.srch.prefix.tsv", kHeader + "MR\tMr\t0\tyes\t\t0\n",
       "np.srch.prefix.tsv:2: active must be 0 or 1, not \"yes\""},
      {"duplicate", "np.srch.prefix.tsv",
       kHeader + "MR\tMr\t0\t1\t\t0\nDR\tDr\t0\t1\t\t0\nmr\tx\t0\t1\t\t0\n",
       "np.srch.prefix.tsv:4: source \"mr\" is already an active entry at line 2"},
      {"unknown context", "np.srch.prefixes.tsv", kHeader,
       "np.srch.prefixes.tsv:1: unknown context"},
      {"header", "np.srch.prefix.tsv", "source\ttarget\n", "np.srch.prefix.tsv:1: the header row"},
      {"not windows-1252", "np.srch.prefix.tsv", kHeader + "\xE4\xB8\xAD\tx\t0\t1\t\t0\n",
       "np.srch.prefix.tsv:2: source holds a character outside Windows-1252"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    fs::create_directory(dir.path() / "src");
    WriteFile(dir.path() / "src" / "np.srch.suffix.tsv", kHeader + "JR\tJr\t0\t1\t\t0\n");
    WriteFile(dir.path() / "src" / c.file, c.content);
    const std::string out = dir.File("out.dct");
    const LxRun r = Lx({"dict", "build", dir.File("src"), "-o", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(out + ".tmp~"));
  }
}

TEST(DictBuildTest, InactiveDuplicatesAndCrLfAreAccepted) {
  TempDir dir;
  FixedDate date;
  fs::create_directory(dir.path() / "src");
  WriteFile(dir.path() / "src" / "np.srch.prefix.tsv",
            "source\ttarget\texception\tactive\tcomments\thidden\r\n"
            "MR\tMr\t0\t1\tcourtesy\t0\r\nMr\told\t0\t0\t\t1\r\n");
  const LxRun r = Lx({"dict", "build", dir.File("src"), "-o", dir.File("d.dct")});
  ASSERT_EQ(r.status, 0) << r.err;
  const LxRun info = Lx({"dict", "info", dir.File("d.dct")});
  EXPECT_NE(info.out.find("format flag: 1"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("saved:       2023-11-14 22:13:20"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("records:     2"), std::string::npos);
  EXPECT_NE(info.out.find("1001  np.srch.prefix                1         1"), std::string::npos)
      << info.out;
}

TEST(DictDumpTest, BuildOfDumpGivesTheSameBytes) {
  TempDir dir;
  FixedDate date;
  // An editor-style file: contexts interleaved, a context without a name,
  // texts outside ASCII, every flag set somewhere.
  const std::string original = lxtest::WriteFixtureDictionary(
      dir, {{lx::ctxSuffix, "JR", "Jr", 0},
            {lx::ctxProvinces, "QC",
             "QU\xC9"
             "BEC"},
            {lx::ctxSuffix, "FAMILY", "Family", 1, "family word"},
            {lx::ctxStateAbbrev, "NY", "36NEW YORK", 0, "10000-14999", 0}});
  LxRun r = Lx({"dict", "dump", original, "-o", dir.File("src")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::exists(dir.path() / "src" / "9999.tsv"));
  EXPECT_TRUE(fs::exists(dir.path() / "src" / "np.srch.suffix.tsv"));

  r = Lx({"dict", "build", dir.File("src"), "-o", dir.File("once.dct")});
  ASSERT_EQ(r.status, 0) << r.err;
  r = Lx({"dict", "dump", dir.File("once.dct"), "-o", dir.File("src")});
  EXPECT_EQ(r.status, 1) << "a folder with .tsv files is not overwritten silently";
  r = Lx({"dict", "dump", dir.File("once.dct"), "-o", dir.File("src"), "--force"});
  ASSERT_EQ(r.status, 0) << r.err;
  r = Lx({"dict", "build", dir.File("src"), "-o", dir.File("twice.dct")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(lxtest::ReadBytes(dir.File("once.dct")), lxtest::ReadBytes(dir.File("twice.dct")));

  // Every record kept its fields and its order within its context.
  lx::TLxDictReader reader(dir.File("once.dct"));
  std::vector<std::string> seen;
  lx::TLxDictRecord rec;
  while (reader.Next(rec)) {
    lx::UnscrambleRecord(rec);
    seen.push_back(std::to_string(rec.ContextId) + " " + std::string(rec.SourceText()) + " " +
                   std::string(rec.TargetText()) + " " + std::string(rec.CommentsText()) + " " +
                   std::to_string(rec.Spec_Case) + std::to_string(rec.Active));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"1101 JR Jr  01", "1101 FAMILY Family family word 11",
                                            "1401 NY 36NEW YORK 10000-14999 00",
                                            "9999 QC QU\xC9"
                                            "BEC  01"}));
}

TEST(DictCheckTest, ReportsDuplicateActiveKeysInAFile) {
  TempDir dir;
  const std::string path = lxtest::WriteFixtureDictionary(
      dir, {{lx::ctxPrefix, "MR", "Mr"}, {lx::ctxPrefix, "mr", "x"}, {4242, "A", "B"}});
  const LxRun r = Lx({"dict", "check", path});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("record 2 (context 1001, \"mr\"): duplicates the active key of record 1"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("warning: context 4242 has no name"), std::string::npos) << r.err;
}

TEST(LxCommandLineTest, HelpAndUsageErrors) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"},
                                               {"dict", "--help"},
                                               {"dict", "build", "--help"},
                                               {"dict", "dump", "--help"},
                                               {"dict", "info", "--help"},
                                               {"dict", "check", "--help"}}) {
    const LxRun r = Lx(args);
    EXPECT_EQ(r.status, 0) << args.back();
    EXPECT_NE(r.out.find("Usage"), std::string::npos) << r.out;
  }
  EXPECT_NE(Lx({"dict", "build", "--help"}).out.find("SOURCE_DATE_EPOCH"), std::string::npos);
  EXPECT_EQ(Lx({"dict", "build"}).status, 2);
  EXPECT_EQ(Lx({"frobnicate"}).status, 2);
  const LxRun missing = Lx({"dict", "info", "/nonexistent/x.dct"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("/nonexistent/x.dct"), std::string::npos) << missing.err;
}

TEST(DefaultDictionaryTest, SourceIsSoundAndFillsEveryContext) {
  const auto source =
      lxtool::ReadDictionarySource(fs::path(LX_SOURCE_DIR) / "data" / "dictionary", 0);
  EXPECT_TRUE(source.problems.empty()) << source.problems.front();
  for (const auto& c : lx::ContextTable()) {
    const bool filled =
        std::any_of(source.records.begin(), source.records.end(),
                    [&](const lx::TLxDictRecord& r) { return r.ContextId == c.Id; });
    EXPECT_TRUE(filled) << c.Name;
  }
}

}  // namespace
