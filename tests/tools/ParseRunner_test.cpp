// The streaming runner behind every parse command, driven by a trivial job so
// that the tests show input handling, ordering and error policy alone.
#include "ParseRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "DictFixture.h"

namespace {

namespace fs = std::filesystem;
using lxtest::TempDir;
using lxtool::RunOptions;

// Echoes its input and its length.
class EchoJob : public lxtool::ParseJob {
 public:
  void Parse(std::string_view text) override {
    text_ = text;
    length_ = std::to_string(text_.size());
  }
  void Values(std::vector<std::string_view>& values) override { values = {text_, length_}; }

 private:
  std::string text_, length_;
};

const lxtool::JobKind kEcho{"echo", {"echo", "length"}, [] { return std::make_unique<EchoJob>(); }};

struct Result {
  int status;
  std::string output, err;
};

Result RunEcho(const TempDir& dir, const std::string& inputName, const std::string& input,
               RunOptions o) {
  o.inputs = {lxtest::WriteBytes(dir, inputName, input)};
  o.output = dir.File("out");
  o.threads = o.threads ? o.threads : 1;
  std::ostringstream out, err;
  const int status = lxtool::RunParse(kEcho, o, out, err);
  const std::string output = fs::exists(o.output) ? lxtest::ReadBytes(o.output) : "<none>";
  return {status, output, err.str()};
}

TEST(ParseRunnerTest, CsvFieldsPassThroughAndTheChosenOneIsParsed) {
  TempDir dir;
  const std::string input =
      "\xEF\xBB\xBFid,name,city\r\n"
      "1,\"SMITH, JOHN\",\"NEW\nYORK\"\r\n"
      "\n"
      "2,\"say \"\"hi\"\"\",X\r\n";
  for (const char* column : {"name", "2"}) {
    RunOptions o;
    o.column = column;
    o.quiet = true;
    const Result r = RunEcho(dir, "in.csv", input, o);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.output,
              "id,name,city,echo,length\n"
              "1,\"SMITH, JOHN\",\"NEW\nYORK\",\"SMITH, JOHN\",11\n"
              "2,\"say \"\"hi\"\"\",X,\"say \"\"hi\"\"\",8\n");
  }
}

TEST(ParseRunnerTest, LinesBecomeJsonObjectsInInputOrderOnAnyNumberOfThreads) {
  TempDir dir;
  std::string input, expected;
  for (int i = 0; i < 10000; ++i) {
    input += "line " + std::to_string(i) + "\n";
    expected += "{\"input\":\"line " + std::to_string(i) + "\",\"echo\":\"line " +
                std::to_string(i) + "\",\"length\":\"" +
                std::to_string(5 + std::to_string(i).size()) + "\"}\n";
  }
  for (int threads : {1, 3}) {
    RunOptions o;
    o.format = lxtool::OutputFormat::Jsonl;
    o.threads = threads;
    const Result r = RunEcho(dir, "in.txt", input, o);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.output, expected) << threads << " threads";
    EXPECT_NE(r.err.find("10000 records"), std::string::npos) << r.err;
  }
}

TEST(ParseRunnerTest, TextIsConvertedBetweenUtf8AndTheEngineCodePage) {
  TempDir dir;
  RunOptions o;
  o.format = lxtool::OutputFormat::Jsonl;
  o.quiet = true;
  // A character the code page has, one it lacks, and bytes that are not UTF-8.
  const Result r = RunEcho(dir, "in.txt",
                           "QU\xC3\x89"
                           "BEC\n\xE4\xB8\xAD\nSTRA\xDF"
                           "E\n\"\\\t\n",
                           o);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.output,
            "{\"input\":\"QU\xC3\x89"
            "BEC\",\"echo\":\"QU\xC3\x89"
            "BEC\",\"length\":\"6\"}\n"
            "{\"input\":\"\xE4\xB8\xAD\",\"echo\":\"?\",\"length\":\"1\"}\n"
            "{\"input\":\"STRA\xC3\x9F"
            "E\",\"echo\":\"STRA\xC3\x9F"
            "E\",\"length\":\"6\"}\n"
            "{\"input\":\"\\\"\\\\\\t\",\"echo\":\"\\\"\\\\\\t\",\"length\":\"3\"}\n");
}

TEST(ParseRunnerTest, MalformedRecordsFailTheRunOrAreSkippedAndKept) {
  TempDir dir;
  const std::string input = "name\nA\n\"B\"x\nC,D\nE\n";
  RunOptions o;
  o.column = "name";
  Result r = RunEcho(dir, "in.csv", input, o);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("in.csv:3: malformed CSV"), std::string::npos) << r.err;
  EXPECT_EQ(r.output, "<none>") << "a failed run leaves no output file";

  o.failOnError = false;
  o.rejects = dir.File("rejects.csv");
  r = RunEcho(dir, "in.csv", input, o);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.output, "name,echo,length\nA,A,1\nE,E,1\n");
  EXPECT_EQ(lxtest::ReadBytes(o.rejects), "\"B\"x\nC,D\n");
  EXPECT_NE(r.err.find("in.csv:4: expected 1 fields as in the header, found 2"), std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("2 rejected"), std::string::npos) << r.err;
}

TEST(ParseRunnerTest, RefusalsComeBeforeAnyOutput) {
  TempDir dir;
  RunOptions o;
  o.column = "nmae";
  Result r = RunEcho(dir, "in.csv", "name,zip\nA,1\n", o);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no column \"nmae\" (the header has: name, zip)"), std::string::npos)
      << r.err;
  EXPECT_EQ(r.output, "<none>");

  r = RunEcho(dir, "in.txt", std::string("A\nB\0C\n", 6), RunOptions{});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("in.txt:2: NUL character"), std::string::npos) << r.err;

  o = RunOptions{};
  o.inputs = {dir.File("missing.txt")};
  o.output = dir.File("out");
  std::ostringstream out, err;
  EXPECT_EQ(lxtool::RunParse(kEcho, o, out, err), 1);
  EXPECT_NE(err.str().find("missing.txt"), std::string::npos);
  EXPECT_FALSE(fs::exists(o.output));
}

}  // namespace

namespace {

TEST(ParseRunnerTest, FieldsChooseColumnsAndTablesAlignThem) {
  TempDir dir;
  RunOptions o;
  o.column = "name";
  o.fields = {"length"};
  o.format = lxtool::OutputFormat::Table;
  o.quiet = true;
  Result r = RunEcho(dir, "in.csv", "id,name\n1,\xC3\x89VE\n22,BARTHOLOMEW\n", o);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.output,
            "id  name         length\n"
            "-----------------------\n"
            "1   \xC3\x89VE          3\n"
            "22  BARTHOLOMEW  11\n");

  o.fields = {"lenght"};
  r = RunEcho(dir, "in.csv", "id,name\n1,A\n", o);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no field \"lenght\" (the fields of echo are: echo, length)"),
            std::string::npos)
      << r.err;
}

}  // namespace

namespace {

// Inputs larger than one chunk: records with line breaks inside quotes stay
// whole, and faults name their line in the whole input.
TEST(ParseRunnerTest, LargeInputsKeepRecordsWholeAndLineNumbersRight) {
  TempDir dir;
  std::string input = "name\n", expected = "name,echo,length\n";
  for (int i = 0; i < 30000; ++i) {
    const std::string field = "\"A\nB" + std::to_string(i) + "\"";
    input += field + "\n";
    expected += field + "," + field + "," + std::to_string(3 + std::to_string(i).size()) + "\n";
  }
  input += "\"broken\"x\n";  // the record on line 60002
  RunOptions o;
  o.threads = 2;
  o.failOnError = false;
  o.column = "name";
  const Result r = RunEcho(dir, "in.csv", input, o);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.output, expected);
  EXPECT_NE(r.err.find("in.csv:60002: malformed CSV"), std::string::npos) << r.err;
}

}  // namespace
