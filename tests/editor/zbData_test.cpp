#include "zbData.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>

#include "EditorFixture.h"
#include "LxConst.h"

namespace {

using lx::LxError;
using lxtest::TempDir;
using zeb::TdmAnswer;
using zebtest::Editor;
using zebtest::kNow;
using zebtest::kToday;

struct RawEntry {
  std::int32_t context;
  std::string source, target;
  std::uint8_t specCase = 0, active = 1;
  std::string comments = {};
  double date = 0;
  std::uint8_t hidden = 0;
};

// A dictionary file written byte by byte, so that it can hold what the
// writer would refuse: 41-byte texts, dates with a time of day, any header.
std::string RawDictionary(const std::vector<RawEntry>& entries,
                          std::string header = std::string("LXC\x01", 4)) {
  header.resize(lx::kDictHeaderSize, '\0');
  std::string bytes = header;
  for (const RawEntry& e : entries) {
    lx::TLxDictRecord r;
    r.ContextId = e.context;
    r.Spec_Case = e.specCase;
    r.Active = e.active;
    std::memcpy(r.Source, e.source.data(), std::min<std::size_t>(e.source.size(), 41));
    std::memcpy(r.Target, e.target.data(), std::min<std::size_t>(e.target.size(), 41));
    std::memcpy(r.Comments, e.comments.data(), std::min<std::size_t>(e.comments.size(), 41));
    r.Date_Upd = e.date;
    r.Hidden = e.hidden;
    lx::ScrambleRecord(r);
    unsigned char raw[lx::kDictRecordSize];
    lx::EncodeRecord(r, raw);
    bytes.append(reinterpret_cast<const char*>(raw), sizeof raw);
  }
  return bytes;
}

std::string WriteRaw(const TempDir& dir, const std::string& name,
                     const std::vector<RawEntry>& entries) {
  return lxtest::WriteBytes(dir, name, RawDictionary(entries));
}

TEST(ZebContextsTest, ListShowsSeventeenContextsInTableOrderAndCaptionsFollowTheChoice) {
  Editor ed;
  ASSERT_EQ(zeb::EditorContextTable().size(), 18u);
  std::vector<std::int32_t> ids;
  for (const auto& row : ed.data.Contexts()) ids.push_back(row.ContextId);
  EXPECT_EQ(ids, (std::vector<std::int32_t>{201, 401, 501, 601, 701, 801, 901, 1001, 1101, 101,
                                            1201, 1301, 1601, 1701, 1801, 1501, 1401}));
  EXPECT_EQ(ed.data.CurrentContext().Context, "cc.ln_full");
  EXPECT_TRUE(ed.data.FileName().empty());
  EXPECT_FALSE(ed.data.IsOpen());

  struct Case {
    std::string select, current, specCase;
    bool visible;
  };
  const Case cases[] = {
      {"cc.ln_full", "cc.ln_full", "N/A", false},  // as created
      {"np.srch.firms", "np.srch.firms", "Exception", true},
      {"cc.ln_mac", "np.srch.firms", "Exception", true},     // hidden: not selectable
      {"NP.SRCH.UNIT", "np.srch.firms", "Exception", true},  // names compare exactly
      {"ap.srch.unit", "ap.srch.unit", "Exception", true},
      {"cp.std.state_abbrv", "cp.std.state_abbrv", "N/A", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.select);
    if (c.select != "cc.ln_full") ed.data.SelectContext(c.select);
    EXPECT_EQ(ed.data.CurrentContext().Context, c.current);
    ASSERT_FALSE(ed.outlets.captions.empty());
    const zeb::TdmCaptions& shown = ed.outlets.captions.back();
    EXPECT_EQ(shown.Band, "Current Context: " + c.current);
    EXPECT_EQ(shown.ReportTitle, "Context: " + c.current);
    EXPECT_EQ(shown.SpecCase, c.specCase);
    EXPECT_EQ(shown.SpecCaseVisible, c.visible);
  }
  EXPECT_EQ(zeb::TdmData::ContextNameOf(301), "cc.ln_mac");
  EXPECT_EQ(zeb::TdmData::ContextNameOf(1801), "ap.std.street_name");
  EXPECT_EQ(zeb::TdmData::ContextNameOf(9999), "");
}

TEST(ZebLoadSaveTest, EveryFieldSurvivesALoadAndASave) {
  TempDir dir;
  const std::string forty(40, 'X');
  const std::string in =
      WriteRaw(dir, "in.dct",
               {{1101, forty, std::string(41, 'T'), 1, 0, std::string(41, 'C'), 45000.0, 1},
                {1001, "MR", "Mr", 0, 1, "title", 45000.75, 0},
                {9999, "ON", "Ontario", 0, 1, "", 44000.0, 0},
                {301, "MAC", "Mac", 0, 1, "", 43000.25, 1}});
  Editor ed;
  ed.data.LoadDictionary(in);
  EXPECT_EQ(ed.data.FileName(), in);
  EXPECT_EQ(ed.data.Changes(), 0);
  EXPECT_EQ(ed.data.EntryCount(), 4u);
  EXPECT_EQ(ed.outlets.fileNames.back(), in);

  const zeb::TdmEntry* long_ = ed.Find(1101, forty);
  ASSERT_NE(long_, nullptr);
  EXPECT_EQ(long_->Target, std::string(40, 'T')) << "41 bytes come in as 40 characters";
  EXPECT_EQ(long_->Comments, std::string(40, 'C'));
  EXPECT_TRUE(long_->Spec_Case);
  EXPECT_FALSE(long_->Active);
  EXPECT_TRUE(long_->Hidden);
  EXPECT_EQ(ed.Find(1001, "MR")->Date_Upd, 45000.0) << "the table keeps whole days";

  const std::string out = dir.File("out.dct");
  ed.data.SaveDictionary(out);
  EXPECT_EQ(ed.data.FileName(), in) << "a copy does not change the file name";

  lx::TLxDictHeader header;
  const auto records = zebtest::ReadRecords(out, &header);
  EXPECT_EQ(header.FormatFlag, 1);
  EXPECT_DOUBLE_EQ(header.SavedAt, kNow) << "the header keeps the time of the save";
  ASSERT_EQ(records.size(), 4u);
  struct Expected {
    std::int32_t context;
    std::string source, target, comments;
    std::uint8_t specCase, active, hidden;
    double date;
  };
  const Expected expected[] = {
      {301, "MAC", "Mac", "", 0, 1, 1, 43000.0},
      {1001, "MR", "Mr", "title", 0, 1, 0, 45000.0},
      {9999, "ON", "Ontario", "", 0, 1, 0, 44000.0},
      {1101, forty, std::string(40, 'T'), std::string(40, 'C'), 1, 0, 1, 45000.0},
  };
  for (std::size_t i = 0; i < records.size(); ++i) {
    SCOPED_TRACE(i);
    const lx::TLxDictRecord& r = records[i];
    EXPECT_EQ(r.ContextId, expected[i].context);
    EXPECT_EQ(r.SourceText(), expected[i].source);
    EXPECT_EQ(r.TargetText(), expected[i].target);
    EXPECT_EQ(r.CommentsText(), expected[i].comments);
    EXPECT_EQ(r.Spec_Case, expected[i].specCase);
    EXPECT_EQ(r.Active, expected[i].active);
    EXPECT_EQ(r.Hidden, expected[i].hidden);
    EXPECT_EQ(r.Date_Upd, expected[i].date);
  }
}

TEST(ZebLoadSaveTest, LoadReadsEveryWholeRecordWhateverTheHeader) {
  TempDir dir;
  const std::string one = RawDictionary({{201, "SMITH", "Smith"}}, "junk");
  struct Case {
    const char* name;
    std::string bytes;
    std::size_t entries;
  };
  const Case cases[] = {
      {"header only", std::string(32, '\0'), 0},
      {"shorter than a header", "LXC", 0},
      {"any header", one, 1},
      {"partial record at the end", one + std::string(50, 'x'), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Editor ed;
    ed.data.LoadDictionary(lxtest::WriteBytes(dir, "d.dct", c.bytes));
    EXPECT_TRUE(ed.data.IsOpen());
    EXPECT_EQ(ed.data.EntryCount(), c.entries);
    EXPECT_EQ(ed.outlets.statuses.back(), "Records: " + std::to_string(c.entries) + ", Changes: 0");
  }
}

TEST(ZebLoadSaveTest, SaveWritesAllContextsBySourceAndTheViewKeepsItsContext) {
  TempDir dir;
  Editor ed;
  ed.data.LoadDictionary(WriteRaw(dir, "in.dct",
                                  {{501, "ZETA", ""},
                                   {201, "beta", ""},
                                   {201, "ALPHA", ""},
                                   {9999, "MU", ""},
                                   {501, "Beta", ""},
                                   {201, "BETA", ""}}));
  ed.data.SelectContext("np.srch.firms");
  const int resets = ed.observer.resets;
  const std::string out = dir.File("out.dct");
  ed.data.SaveDictionary(out);

  std::vector<std::string> saved;
  for (const auto& r : zebtest::ReadRecords(out)) saved.emplace_back(r.SourceText());
  EXPECT_EQ(saved, (std::vector<std::string>{"ALPHA", "BETA", "Beta", "MU", "ZETA", "beta"}));
  EXPECT_EQ(ed.ViewSources(), (std::vector<std::string>{"Beta", "ZETA"}));
  EXPECT_EQ(ed.observer.resets, resets) << "a save does not change the view";
}

TEST(ZebViewTest, FilterAndStatusTextFollowTheContext) {
  TempDir dir;
  Editor ed;
  ed.data.LoadDictionary(WriteRaw(dir, "in.dct",
                                  {{201, "SMITH", ""},
                                   {501, "INC", ""},
                                   {201, "JONES", ""},
                                   {501, "CORP", ""},
                                   {501, "LLC", ""},
                                   {301, "MAC", ""}}));
  struct Case {
    const char* context;
    std::vector<std::string> sources;
  };
  const Case cases[] = {
      {"np.srch.firms", {"CORP", "INC", "LLC"}},
      {"cc.ln_full", {"JONES", "SMITH"}},
      {"ap.srch.unit", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.context);
    const int resets = ed.observer.resets;
    ed.data.SelectContext(c.context);
    EXPECT_EQ(ed.ViewSources(), c.sources);
    const std::string status = "Records: " + std::to_string(c.sources.size()) + ", Changes: 0";
    EXPECT_EQ(ed.data.StatusText(), status);
    EXPECT_EQ(ed.outlets.statuses.back(), status);
    EXPECT_EQ(ed.observer.resets, resets + 1);
  }
  EXPECT_EQ(ed.data.EntryCount(), 6u) << "context 301 is kept though never shown";
}

TEST(ZebEditTest, InsertStampsTheEntryAndShowsTheDialog) {
  TempDir dir;
  Editor ed;
  ed.data.LoadDictionary(WriteRaw(dir, "in.dct", {{501, "INC", "Inc", 0, 1, "", 40000}}));
  ed.data.SelectContext("np.srch.firms");

  // Cancel in the dialog: nothing is added or counted.
  ed.outlets.dialog = [](zeb::TdmData& d) {
    EXPECT_EQ(d.Buffer().ContextId, 501);
    EXPECT_EQ(d.Buffer().Date_Upd, kToday);
    EXPECT_TRUE(d.Buffer().Active);
    d.Buffer().Source = "CORP";
    d.Cancel();
  };
  ed.data.Insert();
  EXPECT_EQ(ed.outlets.dialogs, 1);
  EXPECT_EQ(ed.data.EntryCount(), 1u);
  EXPECT_EQ(ed.data.Changes(), 0);

  // Save in the dialog: stored, stamped, counted, told.
  ed.outlets.dialog = [](zeb::TdmData& d) {
    d.Buffer().Source = "CORP";
    d.Buffer().Date_Upd = 1;
    d.Post();
  };
  ed.data.Insert();
  const zeb::TdmEntry* corp = ed.Find(501, "CORP");
  ASSERT_NE(corp, nullptr);
  EXPECT_EQ(corp->Date_Upd, kToday);
  EXPECT_EQ(ed.data.Changes(), 1);
  EXPECT_EQ(ed.observer.added, std::vector<std::int32_t>{corp->KeyField});
  EXPECT_EQ(ed.ViewSources(), (std::vector<std::string>{"CORP", "INC"}));

  // Edit: the dialog again; storing stamps today's date.
  const std::int32_t inc = ed.data.FindInView("INC");
  ed.outlets.dialog = [](zeb::TdmData& d) {
    d.Buffer().Target = "Incorporated";
    d.Post();
  };
  ed.data.Edit(inc);
  EXPECT_EQ(ed.outlets.dialogs, 3);
  EXPECT_EQ(ed.data.Entry(inc)->Target, "Incorporated");
  EXPECT_EQ(ed.data.Entry(inc)->Date_Upd, kToday);
  EXPECT_EQ(ed.observer.changed, std::vector<std::int32_t>{inc});
  EXPECT_EQ(ed.data.Changes(), 2);
  EXPECT_EQ(ed.outlets.statuses.back(), "Records: 2, Changes: 2");
}

TEST(ZebEditTest, ThreeDeletesAndOneEditCountFourChanges) {
  TempDir dir;
  Editor ed;
  ed.data.LoadDictionary(
      WriteRaw(dir, "in.dct", {{201, "A", ""}, {201, "B", ""}, {201, "C", ""}, {201, "D", ""}}));
  for (const char* s : {"A", "B", "C"}) ed.data.Delete(ed.data.FindInView(s));
  ed.outlets.dialog = [](zeb::TdmData& d) { d.Post(); };
  ed.data.Edit(ed.data.FindInView("D"));
  EXPECT_EQ(ed.data.Changes(), 4);
  EXPECT_EQ(ed.observer.removed.size(), 3u);
  EXPECT_EQ(ed.outlets.statuses.back(), "Records: 1, Changes: 4");
  ed.data.ResetChanges();
  EXPECT_EQ(ed.data.Changes(), 0);
  EXPECT_EQ(ed.outlets.statuses.back(), "Records: 1, Changes: 0");
}

TEST(ZebCloseTest, UnsavedChangesQuestionHonoursEachAnswer) {
  struct Case {
    const char* name;
    int changes;
    TdmAnswer answer;
    bool asked, result, saved;
  };
  const Case cases[] = {
      {"no changes", 0, TdmAnswer::Cancel, false, true, false},
      {"yes saves", 1, TdmAnswer::Yes, true, true, true},
      {"no drops", 1, TdmAnswer::No, true, true, false},
      {"cancel stays", 1, TdmAnswer::Cancel, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    Editor ed;
    const std::string path = WriteRaw(dir, "in.dct", {{201, "A", ""}, {201, "B", ""}});
    ed.data.LoadDictionary(path);
    if (c.changes) ed.data.Delete(ed.data.FindInView("A"));
    ed.outlets.answer = c.answer;
    EXPECT_EQ(ed.data.CanCloseDictionary(), c.result);
    EXPECT_EQ(ed.outlets.questions.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(ed.outlets.questions[0], zeb::kMsgUnsavedQuestion);
    }
    EXPECT_EQ(zebtest::ReadRecords(path).size(), c.saved ? 1u : 2u);
    EXPECT_EQ(ed.data.Changes(), c.changes) << "answering never resets the count";
  }
}

TEST(ZebFaultTest, FailingLoadKeepsTheDictionaryItHad) {
  TempDir dir;
  Editor ed;
  const std::string good = WriteRaw(dir, "good.dct", {{201, "A", ""}, {201, "B", ""}});
  ed.data.LoadDictionary(good);
  ed.data.Delete(ed.data.FindInView("A"));

  std::filesystem::create_directory(dir.path() / "folder.dct");
  struct Case {
    std::string path, message;
  };
  const Case cases[] = {
      {dir.File("missing.dct"), "No such file"},
      {dir.File("folder.dct"), "folder.dct"},  // opens, then fails to read
      {WriteRaw(dir, "wide.dct", {{201, "X", ""}, {201, "Y", ""}, {70000, "Z", ""}}),
       "Context 70000 of record 3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      ed.data.LoadDictionary(c.path);
      ADD_FAILURE() << "no error";
    } catch (const LxError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.path), std::string::npos) << e.what();
    }
    EXPECT_EQ(ed.data.FileName(), good);
    EXPECT_EQ(ed.data.Changes(), 1);
    EXPECT_EQ(ed.ViewSources(), std::vector<std::string>{"B"});
    EXPECT_FALSE(ed.data.Busy());
  }
}

TEST(ZebFaultTest, FailingSaveLeavesTheOldFileIntact) {
  TempDir dir;
  Editor ed;
  const std::string target = WriteRaw(dir, "target.dct", {{201, "OLD", ""}});
  const std::string before = lxtest::ReadBytes(target);
  std::vector<RawEntry> many;
  for (int i = 0; i < 200; ++i) many.push_back({201, "ENTRY" + std::to_string(i), "x"});
  ed.data.LoadDictionary(WriteRaw(dir, "big.dct", many));

  // Writes past 4 KiB fail: the save breaks off part-way through the records.
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  EXPECT_THROW(ed.data.SaveDictionary(target), LxError);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);

  EXPECT_EQ(lxtest::ReadBytes(target), before);
  std::size_t files = 0;
  for (const auto& f : std::filesystem::directory_iterator(dir.path())) files += f.exists();
  EXPECT_EQ(files, 2u) << "no temporary file is left behind";

  try {
    ed.data.SaveDictionary(dir.File("no/such/folder.dct"));
    ADD_FAILURE() << "no error";
  } catch (const LxError& e) {
    EXPECT_NE(std::string(e.what()).find("folder.dct"), std::string::npos) << e.what();
  }
}

TEST(ZebTextTest, LogPathAndDateTimeText) {
  EXPECT_EQ(zeb::LogPathOf("dicts/main.dct"), "dicts/main.log");
  EXPECT_EQ(zeb::LogPathOf("dicts/main"), "dicts/main.log");
  EXPECT_EQ(zeb::LogPathOf("d.x/main.v2.dct"), "d.x/main.v2.log");
  // The C locale's short date and long time.
  EXPECT_EQ(zeb::DateTimeText(kNow), "12/09/25 18:00:00");
  EXPECT_EQ(zeb::DateTimeText(2.5), "01/01/00 12:00:00");
}

}  // namespace
