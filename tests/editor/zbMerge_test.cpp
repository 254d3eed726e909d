// Merge, import and clear: the bulk operations of the dictionary model.
#include <gtest/gtest.h>

#include <filesystem>

#include "EditorFixture.h"
#include "zbData.h"

namespace {

using lx::LxError;
using lxtest::FixtureEntry;
using lxtest::TempDir;
using zebtest::DbfRow;
using zebtest::Editor;
using zebtest::kDbfFields;
using zebtest::kNow;
using zebtest::kToday;

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const LxError& e) {
    return e.what();
  }
  return "no error";
}

// A loaded dictionary with one unsaved change.
struct Loaded : Editor {
  TempDir dir;
  std::string path;
  explicit Loaded(const std::vector<FixtureEntry>& entries) {
    std::vector<FixtureEntry> all = entries;
    all.push_back({401, "DROPPED", ""});
    path = lxtest::WriteFixtureDictionary(dir, all, "main.dct");
    data.LoadDictionary(path);
    data.SelectContext("cc.exceptions");
    data.Delete(data.FindInView("DROPPED"));
    data.SelectContext("cc.ln_full");
  }
};

TEST(ZebMergeTest, AddsWhatIsMissingLogsItAndKeepsEarlierChanges) {
  Loaded ed({{201, "SMITH", "Smith"}, {201, "JONES ", "Jones"}, {501, "INC", "Inc"}});
  const std::string merged = lxtest::WriteFixtureDictionary(
      ed.dir,
      {{201, "SMITH  ", "x"},                  // trailing blanks: the same source
       {201, "  JONES", "x"},                  // blanks on both sides are ignored
       {501, "SMITH", "Smith Co", 1, "firm"},  // same text, other context
       {201, "BROWN  ", "Brown"},              // added with its blanks
       {9999, "ON", "Ontario"},                // a context without a name
       {201, "BROWN", "x"}},                   // the same as the one just added
      "other.dct");
  ASSERT_EQ(ed.data.Changes(), 1);

  ed.data.MergeDictionary(merged);

  EXPECT_EQ(ed.data.Changes(), 4) << "the earlier change is not forgotten";
  ASSERT_EQ(ed.outlets.informations.size(), 1u);
  EXPECT_EQ(ed.outlets.informations[0].first, "Merge was successful");
  EXPECT_EQ(ed.outlets.informations[0].second,
            "3 of 6 entries have been added to current dictionary");
  EXPECT_EQ(ed.ViewSources(), (std::vector<std::string>{"BROWN  ", "JONES ", "SMITH"}));
  EXPECT_EQ(ed.outlets.statuses.back(), "Records: 3, Changes: 4");
  EXPECT_EQ(ed.observer.addedNotices, 1) << "one notice for the whole merge";
  EXPECT_EQ(ed.observer.added.size(), 3u);
  EXPECT_FALSE(ed.data.Busy());

  const zeb::TdmEntry* firm = ed.Find(501, "SMITH");
  ASSERT_NE(firm, nullptr);
  EXPECT_EQ(firm->Target, "Smith Co");
  EXPECT_TRUE(firm->Spec_Case);
  EXPECT_EQ(firm->Comments, "firm");
  EXPECT_TRUE(firm->Active);
  EXPECT_EQ(firm->Date_Upd, kToday);
  EXPECT_NE(ed.Find(9999, "ON"), nullptr);

  const std::string t = "[" + zeb::DateTimeText(kNow) + "]";
  const std::string sep = zeb::kLogSeparator + "\r\n";
  const std::string block = sep + t + " Merging Dictionary: " + merged + "\r\n" + sep + t +
                            "Added entry to context: np.srch.firms, Source: SMITH.\r\n" + t +
                            "Added entry to context: cc.ln_full, Source: BROWN  .\r\n" + t +
                            "Added entry to context: , Source: ON.\r\n" + sep + t +
                            " Added 3 entries from dictionary: " + merged + "\r\n" + sep;
  const std::string log = ed.dir.File("main.log");
  EXPECT_EQ(lxtest::ReadBytes(log), block);
  EXPECT_EQ(zeb::kLogSeparator.size(), 113u);

  // Again: nothing new, a second block appended, the count kept.
  ed.data.MergeDictionary(merged);
  EXPECT_EQ(ed.outlets.informations[1].second,
            "0 of 6 entries have been added to current dictionary");
  EXPECT_EQ(ed.data.Changes(), 4);
  const std::string empty = sep + t + " Merging Dictionary: " + merged + "\r\n" + sep + sep + t +
                            " Added 0 entries from dictionary: " + merged + "\r\n" + sep;
  EXPECT_EQ(lxtest::ReadBytes(log), block + empty);
}

TEST(ZebMergeTest, MergingTheDictionaryIntoItselfAddsNothing) {
  Loaded ed({{201, "SMITH ", "Smith"}, {201, " SMITH", "Smith"}, {501, "INC", "Inc"}});
  ed.data.SaveDictionary(ed.path);
  const std::size_t entries = ed.data.EntryCount();
  ed.data.MergeDictionary(ed.path);
  EXPECT_EQ(ed.data.EntryCount(), entries);
  EXPECT_EQ(ed.outlets.informations.back().second,
            "0 of 3 entries have been added to current dictionary");
}

TEST(ZebMergeTest, FailureKeepsAddedEntriesAndClosesTheLogBlock) {
  Loaded ed({{201, "SMITH", "Smith"}});
  const std::string merged = lxtest::WriteFixtureDictionary(
      ed.dir, {{201, "A", ""}, {201, "B", ""}, {70000, "C", ""}, {201, "D", ""}}, "other.dct");
  EXPECT_NE(ErrorOf([&] { ed.data.MergeDictionary(merged); }).find("Context 70000 of record 3"),
            std::string::npos);
  EXPECT_TRUE(ed.outlets.informations.empty()) << "no summary after an error";
  EXPECT_EQ(ed.ViewSources(), (std::vector<std::string>{"A", "B", "SMITH"}));
  EXPECT_EQ(ed.data.Changes(), 3);
  EXPECT_FALSE(ed.data.Busy());
  const std::string log = lxtest::ReadBytes(ed.dir.File("main.log"));
  EXPECT_NE(log.find("] Added 2 entries from dictionary: " + merged + "\r\n" + zeb::kLogSeparator +
                     "\r\n"),
            std::string::npos);

  const std::string missing = ed.dir.File("missing.dct");
  EXPECT_NE(ErrorOf([&] { ed.data.MergeDictionary(missing); }).find(missing), std::string::npos);
  EXPECT_NE(lxtest::ReadBytes(ed.dir.File("main.log")).find("] Added 0 entries"),
            std::string::npos);

  Editor closed;
  EXPECT_NE(ErrorOf([&] { closed.data.MergeDictionary(merged); }), "no error");
}

TEST(ZebImportTest, TakesTheSixFieldsInAnyOrderAndSkipsDeletedRows) {
  const std::vector<std::vector<std::string>> orders = {
      kDbfFields,
      {"Active", "Other", "Comments", "Exception", "Target", "Context", "Source"},
  };
  for (const auto& fields : orders) {
    SCOPED_TRACE(fields[0]);
    Loaded ed({{201, "SMITH", "Smith"}, {501, "INC", "Inc"}});
    const std::string table = zebtest::WriteDbf(ed.dir, "import.dbf", fields,
                                                {{"JONES", 201, "Jones", false, "new", true},
                                                 {"SMITH", 201, "dup"},
                                                 {"CORP", 501, "Corp", true, "", false},
                                                 {"INC", 501, "dup"},
                                                 {"GONE", 201, "Gone", false, "", true, true}});
    ed.data.ImportContext(table);

    EXPECT_EQ(ed.data.Changes(), 3);
    EXPECT_EQ(ed.outlets.statuses.back(), "Records: 2, Changes: 3");
    EXPECT_EQ(ed.ViewSources(), (std::vector<std::string>{"JONES", "SMITH"}));
    EXPECT_EQ(ed.observer.added.size(), 2u);
    const zeb::TdmEntry* jones = ed.Find(201, "JONES");
    ASSERT_NE(jones, nullptr);
    EXPECT_EQ(jones->Target, "Jones");
    EXPECT_EQ(jones->Comments, "new");
    EXPECT_FALSE(jones->Spec_Case);
    EXPECT_TRUE(jones->Active);
    EXPECT_EQ(jones->Date_Upd, kToday);
    const zeb::TdmEntry* corp = ed.Find(501, "CORP");
    ASSERT_NE(corp, nullptr);
    EXPECT_TRUE(corp->Spec_Case);
    EXPECT_FALSE(corp->Active);
    EXPECT_EQ(ed.Find(201, "GONE"), nullptr) << "deleted rows are skipped";
    EXPECT_EQ(ed.data.Dictionaries().CountOf(501), 2u) << "INC of 501 was a duplicate";

    // A second import adds nothing, rows of other contexts included.
    ed.data.ImportContext(table);
    EXPECT_EQ(ed.data.EntryCount(), 4u);
    EXPECT_EQ(ed.data.Changes(), 3);
  }
}

TEST(ZebImportTest, MissingFieldOrTableIsNamed) {
  Loaded ed({{201, "SMITH", "Smith"}});
  for (const std::string& missing : kDbfFields) {
    SCOPED_TRACE(missing);
    std::vector<std::string> fields;
    for (const std::string& f : kDbfFields)
      if (f != missing) fields.push_back(f);
    const std::string table = zebtest::WriteDbf(ed.dir, "t.dbf", fields, {{"JONES", 201, "Jones"}});
    const std::string error = ErrorOf([&] { ed.data.ImportContext(table); });
    EXPECT_NE(error.find("\"" + missing + "\""), std::string::npos) << error;
    EXPECT_NE(error.find(table), std::string::npos) << error;
    EXPECT_EQ(ed.data.EntryCount(), 1u);
    EXPECT_FALSE(ed.data.Busy());
  }
  const std::string none = ed.dir.File("none.dbf");
  EXPECT_NE(ErrorOf([&] { ed.data.ImportContext(none); }).find(none), std::string::npos);
}

TEST(ZebClearTest, ClearsOnlyTheCurrentContextOneChangeEach) {
  Loaded ed({{201, "A", ""}, {501, "B", ""}, {201, "C", ""}, {201, "D", ""}, {501, "E", ""}});
  ed.data.ClearContext();
  EXPECT_TRUE(ed.ViewSources().empty());
  EXPECT_EQ(ed.data.Changes(), 4);
  EXPECT_EQ(ed.observer.removed.size(), 4u);  // the dropped entry and three now
  EXPECT_EQ(ed.outlets.statuses.back(), "Records: 0, Changes: 4");
  ed.data.SelectContext("np.srch.firms");
  EXPECT_EQ(ed.ViewSources(), (std::vector<std::string>{"B", "E"}));

  Editor closed;
  closed.data.ClearContext();
  EXPECT_EQ(closed.data.Changes(), 0);
}

}  // namespace
