// lx name|address|city|cancity|case end to end: small files through the real
// parsers and the default dictionary, output compared as text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "DictFixture.h"
#include "LxApp.h"

namespace {

namespace fs = std::filesystem;
using lxtest::TempDir;

struct LxRun {
  int status;
  std::string output, err;
};

// Runs lx with args, then "-o OUT" and the input written to a file named name.
LxRun Lx(const TempDir& dir, std::vector<std::string> args, const std::string& name,
         const std::string& input) {
  const std::string out = dir.File("out");
  fs::remove(out);
  args.insert(args.end(), {"--quiet", "--threads", "1", "--dict", LX_DEFAULT_DICTIONARY, "-o", out,
                           lxtest::WriteBytes(dir, name, input)});
  std::ostringstream o, e;
  const int status = lxtool::RunLx(args, o, e);
  return {status, fs::exists(out) ? lxtest::ReadBytes(out) : "<none>", e.str()};
}

TEST(ParseCommandTest, EveryKindWritesItsFields) {
  const struct {
    std::vector<std::string> args;
    const char* input;
    const char* output;
  } cases[] = {
      {{"name", "--fields", "prefix,first,middle,last,suffix,gender,result"},
       "id,name\n7,Mr John Q Smith Jr\n",
       "id,name,prefix,first,middle,last,suffix,gender,result\n"
       "7,Mr John Q Smith Jr,MR,JOHN,Q,SMITH,JR,M,nrName\n"},
      {{"address", "--trim", "--fields",
        "house_number,pre_dir,street_name,street_suffix,"
        "unit_designator,unit_value,box"},
       "address\n123 North Main Street Apt 4\nPO Box 45\n",
       "address,house_number,pre_dir,street_name,street_suffix,unit_designator,unit_value,box\n"
       "123 North Main Street Apt 4,123,N,MAIN,ST,APT,4,\n"
       "PO Box 45,,,,,,,45\n"},
      {{"city"},
       "city\nAlbany NY 12207-1234\n",
       "city,city,state_abbr,state_name,zip,zip4,scf,fips,zip_ok\n"
       "Albany NY 12207-1234,ALBANY,NY,NEW YORK,12207,1234,122,36,true\n"},
      {{"cancity"},
       "line\nOttawa ON K1A0B1\n",
       "line,city,prov_abbr,prov_name,postal_code\n"
       "Ottawa ON K1A0B1,OTTAWA,ON,ONTARIO,K1A 0B1\n"},
      {{"case", "--states"},
       "text\n\"JOHN SMITH, ALBANY NY\"\n",
       "text,cased\n\"JOHN SMITH, ALBANY NY\",\"John Smith, Albany NY\"\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.front());
    TempDir dir;
    const LxRun r = Lx(dir, c.args, "in.csv", c.input);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.output, c.output);
  }
}

TEST(ParseCommandTest, JsonLinesCarryEveryNameAndTypedValues) {
  TempDir dir;
  LxRun r =
      Lx(dir, {"name", "--format", "jsonl", "--compound-names"}, "in.txt", "JOHN AND MARY SMITH\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.output.find("\"input\":\"JOHN AND MARY SMITH\",\"names\":[{\"prefix\":\"\","
                          "\"first\":\"JOHN\""),
            std::string::npos)
      << r.output;
  EXPECT_NE(r.output.find("{\"prefix\":\"\",\"first\":\"MARY\""), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("\"name_count\":2,\"compound_salutation\":"), std::string::npos)
      << r.output;

  r = Lx(dir, {"city", "--format", "jsonl"}, "in.txt", "NOWHERE NY 99999\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.output.find("\"zip_ok\":false}"), std::string::npos) << r.output;
}

TEST(ParseCommandTest, TheDictionaryIsFoundOrClearlyMissing) {
  TempDir dir;
  const std::string input = lxtest::WriteBytes(dir, "in.txt", "JOHN SMITH\n");
  std::ostringstream o, e;
  EXPECT_EQ(
      lxtool::RunLx({"name", "--dict", dir.File("none.dct"), "-o", dir.File("out"), input}, o, e),
      1);
  EXPECT_NE(e.str().find("none.dct\" does not exist"), std::string::npos) << e.str();
  EXPECT_FALSE(fs::exists(dir.File("out")));

  // Without --dict: the variable, else the dictionary beside the program.
  setenv("LX_DICTIONARY", LX_DEFAULT_DICTIONARY, 1);
  EXPECT_EQ(lxtool::RunLx({"name", "--quiet", "-o", dir.File("out"), input}, o, e), 0) << e.str();
  unsetenv("LX_DICTIONARY");
  EXPECT_EQ(lxtool::RunLx({"name", "--quiet", "-o", dir.File("out"), input}, o, e), 0) << e.str();
}

TEST(ParseCommandTest, HelpDocumentsEveryParserOption) {
  const struct {
    const char* command;
    std::vector<std::string> flags;
  } cases[] = {
      {"name",
       {"--order", "--firms", "--compound-names", "--compound-initials", "--no-gender-by-prefix",
        "--comma-reverse", "--salutation-primary", "--salutation-secondary", "--salutation-error",
        "--salutation-prefix", "--salutation-suffix", "--salutation-text", "--all-names"}},
      {"address",
       {"--no-house-right-justify", "--house-leading-zeros", "--no-std-suffix", "--no-std-street",
        "--no-house-suffix-to-unit", "--unit-right-justify", "--unit-filter-special",
        "--check-hyphen", "--long-match-code", "--complex", "--trim"}},
      {"case", {"--no-last-names", "--states"}},
      {"city", {"--column", "--format", "--threads", "--on-error", "--rejects", "--dict"}},
  };
  for (const auto& c : cases) {
    std::ostringstream o, e;
    ASSERT_EQ(lxtool::RunLx({c.command, "--help"}, o, e), 0);
    for (const auto& flag : c.flags) EXPECT_NE(o.str().find(flag), std::string::npos) << flag;
  }
}

}  // namespace
