// Fakes for the windows around the dictionary model, and dBase tables written
// with shapelib, for the editor's tests.
#pragma once

#include <gtest/gtest.h>
#include <shapefil.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "DictFixture.h"
#include "zbData.h"

namespace zebtest {

// 9 December 2025, 18:00.
inline constexpr double kNow = 46000.75;
inline constexpr double kToday = 46000;

// Records what the model shows; answers its questions as told.
class FakeOutlets : public zeb::TdmOutlets {
 public:
  std::vector<std::string> fileNames, statuses, questions;
  std::vector<zeb::TdmCaptions> captions;
  std::vector<std::pair<std::string, std::string>> informations;
  zeb::TdmAnswer answer = zeb::TdmAnswer::Cancel;
  int dialogs = 0;
  std::function<void(zeb::TdmData&)> dialog;  // what the user does in the entry dialog

  void ShowFileName(std::string_view text) override { fileNames.emplace_back(text); }
  void ShowStatus(std::string_view text) override { statuses.emplace_back(text); }
  void ShowEntryDialog(zeb::TdmData& data) override {
    ++dialogs;
    if (dialog) dialog(data);
  }
  void ShowCaptions(const zeb::TdmCaptions& c) override { captions.push_back(c); }
  zeb::TdmAnswer AskYesNoCancel(std::string_view text) override {
    questions.emplace_back(text);
    return answer;
  }
  void ShowInformation(std::string_view caption, std::string_view text) override {
    informations.emplace_back(caption, text);
  }
};

class FakeObserver : public zeb::TdmObserver {
 public:
  std::vector<std::int32_t> added, changed, removed;
  int addedNotices = 0, resets = 0;
  void RowsAdded(std::span<const std::int32_t> keys) override {
    ++addedNotices;
    added.insert(added.end(), keys.begin(), keys.end());
  }
  void RowsChanged(std::span<const std::int32_t> keys) override {
    changed.insert(changed.end(), keys.begin(), keys.end());
  }
  void RowsRemoved(std::span<const std::int32_t> keys) override {
    removed.insert(removed.end(), keys.begin(), keys.end());
  }
  void ViewReset() override { ++resets; }
};

// A model over fake windows with a fixed clock.
struct Editor {
  FakeOutlets outlets;
  FakeObserver observer;
  zeb::TdmData data{outlets, [] { return kNow; }};
  Editor() { data.AddObserver(&observer); }

  // Sources of the current view, in view order.
  std::vector<std::string> ViewSources() const {
    std::vector<std::string> out;
    for (std::int32_t key : data.View()) out.push_back(data.Entry(key)->Source.str());
    return out;
  }
  const zeb::TdmEntry* Find(std::int32_t context, std::string_view source) const {
    for (std::int32_t key : data.Dictionaries().BySource()) {
      const zeb::TdmEntry* e = data.Entry(key);
      if (e->ContextId == context && e->Source == source) return e;
    }
    return nullptr;
  }
};

// Records of a dictionary file in file order, unscrambled, and its header.
inline std::vector<lx::TLxDictRecord> ReadRecords(const std::string& path,
                                                  lx::TLxDictHeader* header = nullptr) {
  lx::TLxDictReader reader(path);
  if (header) *header = reader.ReadHeader();
  std::vector<lx::TLxDictRecord> out;
  lx::TLxDictRecord r;
  while (reader.Next(r)) {
    lx::UnscrambleRecord(r);
    out.push_back(r);
  }
  return out;
}

struct DbfRow {
  std::string source;
  int context;
  std::string target = {};
  bool exception = false;
  std::string comments = {};
  bool active = true;
  bool deleted = false;
};

// Writes a dBase table with the given field names in the given order; the
// fields "Source", "Context", "Target", "Exception", "Comments" and "Active"
// are filled from the rows, any other field stays empty.
inline std::string WriteDbf(const lxtest::TempDir& dir, const std::string& name,
                            const std::vector<std::string>& fields,
                            const std::vector<DbfRow>& rows) {
  const std::string path = dir.File(name);
  DBFHandle dbf = DBFCreate(path.c_str());
  EXPECT_NE(dbf, nullptr);
  for (const std::string& f : fields) {
    if (f == "Context")
      DBFAddField(dbf, f.c_str(), FTInteger, 6, 0);
    else if (f == "Exception" || f == "Active")
      DBFAddField(dbf, f.c_str(), FTLogical, 1, 0);
    else
      DBFAddField(dbf, f.c_str(), FTString, 50, 0);
  }
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const DbfRow& r = rows[static_cast<std::size_t>(i)];
    for (int f = 0; f < static_cast<int>(fields.size()); ++f) {
      const std::string& n = fields[static_cast<std::size_t>(f)];
      if (n == "Source")
        DBFWriteStringAttribute(dbf, i, f, r.source.c_str());
      else if (n == "Context")
        DBFWriteIntegerAttribute(dbf, i, f, r.context);
      else if (n == "Target")
        DBFWriteStringAttribute(dbf, i, f, r.target.c_str());
      else if (n == "Exception")
        DBFWriteLogicalAttribute(dbf, i, f, r.exception ? 'T' : 'F');
      else if (n == "Comments")
        DBFWriteStringAttribute(dbf, i, f, r.comments.c_str());
      else if (n == "Active")
        DBFWriteLogicalAttribute(dbf, i, f, r.active ? 'T' : 'F');
      else
        DBFWriteStringAttribute(dbf, i, f, "other");
    }
    if (r.deleted) DBFMarkRecordDeleted(dbf, i, 1);
  }
  DBFClose(dbf);
  return path;
}

inline const std::vector<std::string> kDbfFields = {"Source",    "Context",  "Target",
                                                    "Exception", "Comments", "Active"};

}  // namespace zebtest
