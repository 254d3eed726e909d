#include "LxDict.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "DictFixture.h"
#include "LxConst.h"

namespace {

using lx::LxError;
using lx::TLxDictRecord;
using lxtest::TempDir;

std::string Scrambled(std::string text) {
  lx::TransformText(text.data(), text.size(), lx::kScrambleKey, true);
  return text;
}

TEST(LxDictTest, ScramblesWithTheFixedKey) {
  // Bytes of the file format: other programs read and write these.
  EXPECT_EQ(Scrambled("SMITH"), "\x53\x53\x92\x45\x21");
  EXPECT_EQ(Scrambled("MR"), "\x4d\x94");
  EXPECT_EQ(lx::Rotate(0x01, 1), 0x80);
  EXPECT_EQ(lx::Rotate(0x80, -1), 0x01);
  EXPECT_EQ(lx::Rotate(0x5A, 16), 0x5A);
  EXPECT_EQ(lx::Rotate(0x01, -9), 0x02);
}

TEST(LxDictTest, UnscrambleUndoesScrambleForEveryLength) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> byte(1, 255);
  for (std::size_t len = 1; len <= lx::kDictMaxText; ++len) {
    std::string text(len, ' ');
    for (char& c : text) c = static_cast<char>(byte(rng));
    TLxDictRecord r;
    TLxDictRecord::SetField(r.Source, text);
    TLxDictRecord::SetField(r.Target, text.substr(0, len / 2));
    lx::ScrambleRecord(r);
    ASSERT_EQ(r.SourceText().size(), len) << "a scrambled byte became zero";
    lx::UnscrambleRecord(r);
    EXPECT_EQ(r.SourceText(), text);
    EXPECT_EQ(r.TargetText(), text.substr(0, len / 2));
  }
}

TEST(LxDictTest, RecordsSurviveAWriteAndARead) {
  TempDir dir;
  const std::string forty(40, 'X');
  const std::string path =
      lxtest::WriteFixtureDictionary(dir, {{lx::ctxPrefix, forty, "Mr", 1, "zip 12345-12399", 0},
                                           {lx::ctxSuffix, "JR", std::string(45, 'J'), 0}});
  const std::string bytes = lxtest::ReadBytes(path);
  ASSERT_EQ(bytes.size(), 32u + 2 * 138u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("LXC\x01", 4));
  EXPECT_NE(bytes.find("zip 12345-12399"), std::string::npos) << "comments are stored in clear";
  EXPECT_EQ(bytes.find(forty), std::string::npos) << "sources are scrambled";

  lx::TLxDictReader reader(path);
  const lx::TLxDictHeader header = reader.ReadHeader();
  EXPECT_EQ(header.FormatFlag, 1);
  EXPECT_DOUBLE_EQ(header.SavedAt, 45000.5);
  TLxDictRecord r;
  ASSERT_TRUE(reader.Next(r));
  lx::UnscrambleRecord(r);
  EXPECT_EQ(r.ContextId, lx::ctxPrefix);
  EXPECT_EQ(r.SourceText(), forty);
  EXPECT_EQ(r.TargetText(), "Mr");
  EXPECT_EQ(r.Spec_Case, 1);
  EXPECT_EQ(r.Active, 0);
  ASSERT_TRUE(reader.Next(r));
  lx::UnscrambleRecord(r);
  EXPECT_EQ(r.TargetText(), std::string(40, 'J'));  // cut to the field
  EXPECT_FALSE(reader.Next(r));
}

TEST(LxDictTest, WriterZeroFillsEveryField) {
  TempDir dir;
  const std::string path = lxtest::WriteFixtureDictionary(dir, {{lx::ctxUnit, "APT", "APT"}});
  const std::string bytes = lxtest::ReadBytes(path);
  const std::string record = bytes.substr(32, 138);
  EXPECT_EQ(record.substr(6 + 3, 38), std::string(38, '\0'));   // Source after "APT"
  EXPECT_EQ(record.substr(47 + 3, 38), std::string(38, '\0'));  // Target after "APT"
  EXPECT_EQ(record.substr(88, 41), std::string(41, '\0'));      // empty Comments
  EXPECT_EQ(bytes.substr(4, 4), std::string(4, '\0'));
  EXPECT_EQ(bytes.substr(16, 16), std::string(16, '\0'));
}

TEST(LxDictTest, PartialTrailingRecordAndHeaderOnlyFilesReadNothingMore) {
  TempDir dir;
  std::string bytes = lxtest::ReadBytes(lxtest::WriteFixtureDictionary(dir, {{101, "A", "B"}}));
  const std::string path = lxtest::WriteBytes(dir, "partial.dct", bytes + std::string(100, 'x'));
  lx::TLxDictReader reader(path);
  TLxDictRecord r;
  EXPECT_TRUE(reader.Next(r));
  EXPECT_FALSE(reader.Next(r));
  EXPECT_EQ(reader.TrailingBytes(), 100u);

  lx::TLxDictReader empty(lxtest::WriteBytes(dir, "header.dct", bytes.substr(0, 32)));
  EXPECT_FALSE(empty.Next(r));
}

std::string HeaderBytes(std::string start, std::size_t size) {
  start.resize(size, '\0');
  return start;
}

TEST(LxDictTest, CheckDictionaryAcceptsBothHeaderLayouts) {
  TempDir dir;
  std::string zeb = HeaderBytes("", 64);
  zeb.replace(47, 3, "ZEB");
  const struct {
    const char* name;
    std::string bytes;
    int flag;  // -1: not a dictionary
  } cases[] = {
      {"current", HeaderBytes("LXC\x01", 32), 1},
      {"flag zero", HeaderBytes(std::string("LXC\0", 4), 32), 0},
      {"second layout", zeb, 0},
      {"zeros without ZEB", HeaderBytes("", 64), -1},
      {"zeros too short for ZEB", HeaderBytes("", 48), -1},
      {"wrong magic", HeaderBytes("LXD\x01", 32), -1},
      {"two bytes", "LX", -1},
      {"empty", "", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = lxtest::WriteBytes(dir, "h.dct", c.bytes);
    if (c.flag >= 0) {
      EXPECT_EQ(lx::CheckDictionary(path), c.flag);
      continue;
    }
    try {
      lx::CheckDictionary(path);
      ADD_FAILURE() << "accepted";
    } catch (const LxError& e) {
      EXPECT_EQ(std::string(e.what()), path + " is not a valid dictionary");
    }
  }
}

TEST(LxDictTest, MissingFileNamesTheFileAndTheReason) {
  TempDir dir;
  const std::string path = dir.File("absent.dct");
  try {
    lx::CheckDictionary(path);
    FAIL();
  } catch (const LxError& e) {
    const std::string msg = e.what();
    EXPECT_NE(msg.find(path), std::string::npos) << msg;
    EXPECT_NE(msg.find("No such file"), std::string::npos) << msg;
  }
}

TEST(LxDictTest, FailedWriteLeavesTheOldFile) {
  TempDir dir;
  const std::string path = lxtest::WriteFixtureDictionary(dir, {{101, "A", "B"}});
  const std::string before = lxtest::ReadBytes(path);
  EXPECT_THROW(lx::WriteDictionary(dir.File("no/such/folder/x.dct"), {}, 1), LxError);
  EXPECT_EQ(lxtest::ReadBytes(path), before);
}

TEST(LxDictTest, DayCountsFormatAsCalendarDates) {
  EXPECT_EQ(lx::FormatDayCount(25569.0), "1970-01-01");
  EXPECT_EQ(lx::FormatDayCount(lx::DayCountFromUnix(1700000000)), "2023-11-14 22:13:20");
  EXPECT_EQ(lx::FormatDayCount(2.0), "1900-01-01");
  EXPECT_DOUBLE_EQ(lx::DayCountFromUnix(86400), 25570.0);
}

}  // namespace
