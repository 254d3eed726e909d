// The data module of the dictionary editor: the dictionary being edited as a
// table of entries, the list of contexts the user picks from, the file the
// dictionary came from and the count of unsaved changes; loading, saving,
// merging another dictionary (with its log), importing a dBase table and
// clearing a context.
//
// Ownership: TdmData owns its table and its context list. It talks to the
// windows only through the TdmOutlets given at construction and tells its
// observers how the table changed; it owns neither (see zbOutlets.h).
//
// What callers may rely on:
// - Every operation either completes or throws lx::LxError; after an error the
//   model is consistent: a failed load keeps the dictionary, FileName and
//   Changes it had; a failed save leaves the target file as it was; a failed
//   merge or import keeps the entries added before the error and counts them.
// - The current view is the current context's entries in source-text order.
// - Bulk operations (load, merge, import) never show the entry dialog, stamp
//   dates through the handlers or count entry by entry except where stated.
// - Not thread-safe: one user-interface thread drives it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "zbOutlets.h"
#include "zbTable.h"

namespace zeb {

// One context as the editor knows it, in the order of its context list.
struct TdmContextDef {
  std::int32_t Id;
  std::string_view Name;
  bool UsesException;  // the Spec_Case flag means "Exception" here
  bool Hidden;         // kept in files, never offered in the context list
};
// The 18 contexts, in the editor's order.
std::span<const TdmContextDef> EditorContextTable();

struct TdmContextRow {
  std::int32_t ContextId;
  lx::ShortString<30> Context;
};

inline constexpr std::string_view kMsgUnsavedQuestion =
    "Current dictionary has not been saved. Would you like to save it?\n"
    "Click YES to save it, click NO to continue without saving changes.\n"
    "If you click cancel the current dictionary will remain active.";
inline constexpr std::string_view kMergeSummaryCaption = "Merge was successful";
// A plus sign, 111 hyphens and a plus sign.
inline const std::string kLogSeparator = "+" + std::string(111, '-') + "+";

// Day count (days since 30 December 1899, fraction = time of day) of now.
using TdmClock = std::function<double()>;
double LocalDayCountNow();
// The date in the locale's short format and the time in its long format.
std::string DateTimeText(double dayCount);
// The merge log beside a dictionary: the same path with the extension ".log".
std::string LogPathOf(const std::string& dictionaryPath);

enum class TdmState { Browse, Insert, Edit };

class TdmData {
 public:
  // Fills the context list, makes its first row current and shows its
  // captions; the table stays closed until the first load.
  explicit TdmData(TdmOutlets& outlets, TdmClock clock = LocalDayCountNow);
  virtual ~TdmData();
  TdmData(const TdmData&) = delete;
  TdmData& operator=(const TdmData&) = delete;

  // Replaces the table by the entries of the file; the header is not read
  // (the caller checks it). FileName := path, Changes := 0.
  virtual void LoadDictionary(const std::string& path);
  virtual void ResetChanges();
  // True when the caller may go on; asks about unsaved changes first.
  virtual bool CanCloseDictionary();
  // Makes the context of that exact name current; unknown names do nothing.
  virtual void SelectContext(std::string_view name);
  // Adds the rows of a dBase table that are not entries yet, each to the
  // context its row names; one change per added entry.
  virtual void ImportContext(const std::string& path);
  // Adds the entries of another dictionary file not present yet (same context
  // and same source text, blanks around it ignored), logs each, shows a
  // summary and adds the number added to Changes.
  virtual void MergeDictionary(const std::string& path);

  void FillContexts();
  std::string StatusText() const;
  // Writes every entry of every context in source-text order; FileName and
  // Changes stay as they are.
  void SaveDictionary(const std::string& path);
  void CountChange();
  void ShowContextCaptions();
  // The name of a context of the table, or empty.
  static std::string ContextNameOf(std::int32_t id);
  // Deletes every entry of the current context, one change each.
  void ClearContext();

  const std::string& FileName() const { return file_name_; }
  bool Busy() const { return busy_; }
  std::int32_t Changes() const { return changes_; }
  bool IsOpen() const { return open_; }

  const std::vector<TdmContextRow>& Contexts() const { return contexts_; }
  std::size_t CurrentContextIndex() const { return current_context_; }
  const TdmContextRow& CurrentContext() const { return contexts_[current_context_]; }
  // Makes another row of the context list current (the list's own cursor).
  void SetCurrentContext(std::size_t index);

  // The entry table itself, every context; read-only, valid until the next load.
  const TdmTable& Dictionaries() const { return *table_; }
  // Keys of the current view, in source-text order; valid until the next change.
  const std::vector<std::int32_t>& View() const;
  std::size_t ViewCount() const;
  std::size_t EntryCount() const { return table_->Size(); }
  const TdmEntry* Entry(std::int32_t key) const { return table_->Find(key); }
  // The first entry of the current view whose source is exactly source, or 0.
  std::int32_t FindInView(std::string_view source) const;

  // Editing, as the grid's dataset commands do it. Insert and Edit store a
  // pending edit first; Delete drops it.
  TdmState State() const { return state_; }
  void Insert();
  void Edit(std::int32_t key);
  // The entry being inserted or edited.
  TdmEntry& Buffer();
  void Post();
  void Cancel();
  void Delete(std::int32_t key);

  void AddObserver(TdmObserver* observer);
  void RemoveObserver(TdmObserver* observer);

 private:
  class BulkScope;

  void DataModuleCreate();
  void DictOldAfterOpen();
  void DictOldAfterInsert();
  void DictOldAfterEdit();
  void DictOldBeforePost();
  void DictionariesAfterPost();
  void DictionariesAfterDelete();
  bool DictionariesFilterRecord(const TdmEntry& entry) const;
  void dsContextsDataChange();

  void RequireOpen(std::string_view action) const;
  void ShowStatistics();
  double Today() const;
  void InvalidateView() { view_valid_ = false; }
  void NotifyAdded(std::vector<std::int32_t> keys);
  void NotifyChanged(std::int32_t key);
  void NotifyRemoved(std::int32_t key);
  void NotifyReset();

  TdmOutlets& outlets_;
  TdmClock clock_;
  std::unique_ptr<TdmTable> table_;
  bool open_ = false;
  std::string file_name_;
  bool busy_ = false;
  std::int32_t changes_ = 0;

  std::vector<TdmContextRow> contexts_;
  std::size_t current_context_ = 0;

  TdmState state_ = TdmState::Browse;
  TdmEntry buffer_;
  std::int32_t editing_key_ = 0;

  mutable std::vector<std::int32_t> view_;
  mutable bool view_valid_ = false;
  std::vector<TdmObserver*> observers_;
};

}  // namespace zeb
