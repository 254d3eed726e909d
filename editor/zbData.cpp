#include "zbData.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <limits>

#include "LxConst.h"
#include "LxDict.h"
#include "zbDbf.h"

namespace zeb {

namespace {

// The context list shows the contexts in this order, not in id order.
constexpr std::array<std::int32_t, 18> kEditorOrder = {
    lx::ctxCaseLastName, lx::ctxCaseMac,      lx::ctxCaseExceptions, lx::ctxFirms,
    lx::ctxCareOf,       lx::ctxGenders,      lx::ctxProfTitles,     lx::ctxCompoundLast,
    lx::ctxPrefix,       lx::ctxSuffix,       lx::ctxUnit,           lx::ctxPoBox,
    lx::ctxRoutes,       lx::ctxStreetSuffix, lx::ctxDirectionals,   lx::ctxStreetNameStd,
    lx::ctxStateStd,     lx::ctxStateAbbrev};

std::array<TdmContextDef, 18> BuildEditorTable() {
  std::array<TdmContextDef, 18> table{};
  for (std::size_t i = 0; i < kEditorOrder.size(); ++i) {
    const lx::TLxContextInfo* info = lx::FindContext(kEditorOrder[i]);
    table[i] = {info->Id, info->Name, info->SpecCaseCaption == "Exception", !info->ListedByEditor};
  }
  return table;
}

std::string Format(const char* format, auto... args) {
  char buf[512];
  std::snprintf(buf, sizeof buf, format, args...);
  return buf;
}

// The table keeps dates without a time of day.
double WholeDays(double dayCount) {
  return std::isfinite(dayCount) ? std::trunc(dayCount) : 0;
}

// Context ids are 16-bit in the table: a wider id would silently change
// context on the next save, so it is refused.
std::int16_t ContextIdOf(double id, const char* what, long long number, const std::string& path) {
  const double whole = std::trunc(id);
  if (!(whole >= std::numeric_limits<std::int16_t>::min() &&
        whole <= std::numeric_limits<std::int16_t>::max()))
    throw lx::LxError(Format("Context %.15g of %s %lld in \"%s\" is out of range", id, what, number,
                             path.c_str()));
  return static_cast<std::int16_t>(whole);
}

// The merge log, appended to. A failed write is remembered and reported when
// the log is closed, so the merge itself can finish its clean-up first.
class MergeLog {
 public:
  explicit MergeLog(std::string path) : path_(std::move(path)) {
    file_ = std::fopen(path_.c_str(), "ab");
    if (!file_) lx::ThrowFileError("open", path_);
  }
  ~MergeLog() {
    if (file_) std::fclose(file_);
  }
  MergeLog(const MergeLog&) = delete;
  MergeLog& operator=(const MergeLog&) = delete;

  void Line(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() ||
        std::fwrite("\r\n", 1, 2, file_) != 2)
      Failed();
  }
  // Throws when any write failed, unless quiet.
  void Close(bool quiet) {
    if (std::fclose(file_) != 0) Failed();
    file_ = nullptr;
    if (error_ && !quiet) {
      errno = error_;
      lx::ThrowFileError("write", path_);
    }
  }

 private:
  void Failed() {
    if (!error_) error_ = errno ? errno : EIO;
  }
  std::string path_;
  std::FILE* file_ = nullptr;
  int error_ = 0;
};

std::string Stamp(const TdmClock& clock) {
  return "[" + DateTimeText(clock()) + "]";
}

}  // namespace

std::span<const TdmContextDef> EditorContextTable() {
  static const std::array<TdmContextDef, 18> table = BuildEditorTable();
  return table;
}

double LocalDayCountNow() {
  // A merge stamps every log line; the local time changes once a second.
  thread_local std::time_t last = -1;
  thread_local double value = 0;
  const std::time_t now = std::time(nullptr);
  if (now != last) {
    last = now;
    value = lx::DayCountNow();
  }
  return value;
}

std::string DateTimeText(double dayCount) {
  thread_local double last = std::numeric_limits<double>::quiet_NaN();
  thread_local std::string text;
  if (dayCount == last) return text;
  if (!std::isfinite(dayCount)) return {};
  double days = std::floor(dayCount);
  long long seconds = std::llround((dayCount - days) * 86400.0);
  if (seconds >= 86400) {
    days += 1;
    seconds -= 86400;
  }
  using namespace std::chrono;
  const sys_days day{std::chrono::days{static_cast<long long>(days) - 25569}};  // 1 January 1970
  const year_month_day ymd{day};
  std::tm tm{};
  tm.tm_year = static_cast<int>(ymd.year()) - 1900;
  tm.tm_mon = static_cast<int>(static_cast<unsigned>(ymd.month())) - 1;
  tm.tm_mday = static_cast<int>(static_cast<unsigned>(ymd.day()));
  tm.tm_wday = static_cast<int>(weekday{day}.c_encoding());
  tm.tm_hour = static_cast<int>(seconds / 3600);
  tm.tm_min = static_cast<int>(seconds / 60 % 60);
  tm.tm_sec = static_cast<int>(seconds % 60);
  tm.tm_isdst = -1;
  char buf[128];
  const std::size_t n = std::strftime(buf, sizeof buf, "%x %X", &tm);
  last = dayCount;
  text.assign(buf, n);
  return text;
}

std::string LogPathOf(const std::string& dictionaryPath) {
  std::filesystem::path p(dictionaryPath);
  p.replace_extension(".log");
  return p.string();
}

// Bulk operations fill the table without the per-entry handlers.
class TdmData::BulkScope {
 public:
  explicit BulkScope(TdmData& data) : data_(data) { data_.busy_ = true; }
  ~BulkScope() { data_.busy_ = false; }
  BulkScope(const BulkScope&) = delete;
  BulkScope& operator=(const BulkScope&) = delete;

 private:
  TdmData& data_;
};

TdmData::TdmData(TdmOutlets& outlets, TdmClock clock)
    : outlets_(outlets), clock_(std::move(clock)), table_(std::make_unique<TdmTable>()) {
  DataModuleCreate();
}

TdmData::~TdmData() = default;

void TdmData::DataModuleCreate() {
  FillContexts();
  current_context_ = 0;
  ShowContextCaptions();
  open_ = false;
  file_name_.clear();
}

void TdmData::FillContexts() {
  contexts_.clear();
  for (const TdmContextDef& def : EditorContextTable())
    if (!def.Hidden) contexts_.push_back({def.Id, def.Name});
  current_context_ = 0;
  if (open_) dsContextsDataChange();
}

void TdmData::SetCurrentContext(std::size_t index) {
  if (index >= contexts_.size()) throw lx::LxError(std::string(lx::kMsgIndexOutOfRange));
  if (index == current_context_) return;
  current_context_ = index;
  dsContextsDataChange();
}

void TdmData::SelectContext(std::string_view name) {
  for (std::size_t i = 0; i < contexts_.size(); ++i) {
    if (contexts_[i].Context == name) {
      SetCurrentContext(i);
      return;
    }
  }
}

void TdmData::dsContextsDataChange() {
  // The captions follow the context even before a load, so that the first
  // load does not show the entries of one context under the name of another.
  ShowContextCaptions();
  if (!open_) return;
  if (state_ != TdmState::Browse) Post();
  InvalidateView();
  NotifyReset();
  ShowStatistics();
}

void TdmData::ShowContextCaptions() {
  const std::string_view name = CurrentContext().Context.view();
  TdmCaptions captions{"Current Context: " + std::string(name), {}, {}, false};
  for (const TdmContextDef& def : EditorContextTable()) {
    if (def.Name != name) continue;
    captions.ReportTitle = "Context: " + std::string(name);
    captions.SpecCase = def.UsesException ? "Exception" : "N/A";
    captions.SpecCaseVisible = def.UsesException;
  }
  outlets_.ShowCaptions(captions);
}

std::string TdmData::ContextNameOf(std::int32_t id) {
  for (const TdmContextDef& def : EditorContextTable())
    if (def.Id == id) return std::string(def.Name);
  return {};
}

std::string TdmData::StatusText() const {
  return Format("Records: %d, Changes: %d", static_cast<int>(ViewCount()), changes_);
}

void TdmData::ShowStatistics() {
  outlets_.ShowStatus(StatusText());
}

double TdmData::Today() const {
  return WholeDays(clock_());
}

void TdmData::RequireOpen(std::string_view action) const {
  if (!open_) throw lx::LxError("Cannot " + std::string(action) + ": no dictionary is open");
}

void TdmData::ResetChanges() {
  changes_ = 0;
  ShowStatistics();
}

void TdmData::CountChange() {
  ++changes_;
  ShowStatistics();
}

void TdmData::DictOldAfterOpen() {
  outlets_.ShowFileName(file_name_);
  outlets_.ShowStatus(Format("Total entries: %d", static_cast<int>(table_->Size())));
}

void TdmData::LoadDictionary(const std::string& path) {
  // The new dictionary is read aside and takes the place of the old one only
  // when every record has come: a half-read file under the new name would
  // overwrite the real file at the next save.
  auto table = std::make_unique<TdmTable>();
  try {
    BulkScope bulk(*this);
    lx::TLxDictReader reader(path);
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > lx::kDictHeaderSize)
      table->Reserve((size - lx::kDictHeaderSize) / lx::kDictRecordSize);
    lx::TLxDictRecord r;
    long long number = 0;
    while (reader.Next(r)) {
      ++number;
      lx::UnscrambleRecord(r);
      TdmEntry e;
      e.ContextId = ContextIdOf(r.ContextId, "record", number, path);
      e.Source = r.SourceText();
      e.Target = r.TargetText();
      e.Spec_Case = r.Spec_Case != 0;
      e.Comments = r.CommentsText();
      e.Active = r.Active != 0;
      e.Date_Upd = WholeDays(r.Date_Upd);
      e.Hidden = r.Hidden != 0;
      table->Append(e);
    }
  } catch (...) {
    ShowStatistics();
    throw;
  }
  state_ = TdmState::Browse;  // a pending edit belonged to the old dictionary
  table_ = std::move(table);
  open_ = true;
  file_name_ = path;
  DictOldAfterOpen();
  InvalidateView();
  NotifyReset();
  changes_ = 0;
  ShowStatistics();
}

void TdmData::SaveDictionary(const std::string& path) {
  RequireOpen("save");
  const std::vector<std::int32_t>& order = table_->BySource();
  std::vector<lx::TLxDictRecord> records(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    const TdmEntry& e = *table_->Find(order[i]);
    lx::TLxDictRecord& r = records[i];
    r.ContextId = e.ContextId;
    r.Spec_Case = e.Spec_Case;
    r.Active = e.Active;
    lx::TLxDictRecord::SetField(r.Source, e.Source.view());
    lx::TLxDictRecord::SetField(r.Target, e.Target.view());
    lx::TLxDictRecord::SetField(r.Comments, e.Comments.view());
    r.Date_Upd = WholeDays(e.Date_Upd);
    r.Hidden = e.Hidden;
  }
  // Written under a temporary name and renamed: a failure leaves the old file.
  lx::WriteDictionary(path, records, clock_());
}

bool TdmData::CanCloseDictionary() {
  if (changes_ == 0) return true;
  switch (outlets_.AskYesNoCancel(kMsgUnsavedQuestion)) {
    case TdmAnswer::No:
      return true;
    case TdmAnswer::Yes:
      SaveDictionary(file_name_);
      return true;
    default:
      return false;
  }
}

bool TdmData::DictionariesFilterRecord(const TdmEntry& entry) const {
  return !open_ || entry.ContextId == CurrentContext().ContextId;
}

const std::vector<std::int32_t>& TdmData::View() const {
  if (!view_valid_) {
    view_.clear();
    if (open_) {
      view_.reserve(ViewCount());
      for (std::int32_t key : table_->BySource())
        if (DictionariesFilterRecord(*table_->Find(key))) view_.push_back(key);
    }
    view_valid_ = true;
  }
  return view_;
}

std::size_t TdmData::ViewCount() const {
  if (!open_) return 0;
  return table_->CountOf(static_cast<std::int16_t>(CurrentContext().ContextId));
}

std::int32_t TdmData::FindInView(std::string_view source) const {
  for (std::int32_t key : View())
    if (table_->Find(key)->Source == source) return key;
  return 0;
}

void TdmData::Insert() {
  RequireOpen("insert an entry");
  if (state_ != TdmState::Browse) Post();
  buffer_ = TdmEntry{};
  editing_key_ = 0;
  state_ = TdmState::Insert;
  DictOldAfterInsert();
}

void TdmData::Edit(std::int32_t key) {
  RequireOpen("edit an entry");
  if (state_ == TdmState::Edit && editing_key_ == key) return;
  if (state_ != TdmState::Browse) Post();
  const TdmEntry* entry = table_->Find(key);
  if (!entry) throw lx::LxError(Format("There is no entry %d", key));
  buffer_ = *entry;
  editing_key_ = key;
  state_ = TdmState::Edit;
  DictOldAfterEdit();
}

TdmEntry& TdmData::Buffer() {
  if (state_ == TdmState::Browse) throw lx::LxError("No entry is being inserted or edited");
  return buffer_;
}

void TdmData::Post() {
  if (state_ == TdmState::Browse) throw lx::LxError("No entry is being inserted or edited");
  DictOldBeforePost();
  if (state_ == TdmState::Insert) {
    const std::int32_t key = table_->Append(buffer_);
    state_ = TdmState::Browse;
    InvalidateView();
    NotifyAdded({key});
  } else {
    table_->Replace(editing_key_, buffer_);
    state_ = TdmState::Browse;
    InvalidateView();
    NotifyChanged(editing_key_);
  }
  editing_key_ = 0;
  DictionariesAfterPost();
}

void TdmData::Cancel() {
  state_ = TdmState::Browse;
  editing_key_ = 0;
}

void TdmData::Delete(std::int32_t key) {
  RequireOpen("delete an entry");
  if (state_ != TdmState::Browse) Cancel();
  if (!table_->Find(key)) throw lx::LxError(Format("There is no entry %d", key));
  table_->Remove(key);
  InvalidateView();
  NotifyRemoved(key);
  DictionariesAfterDelete();
}

void TdmData::DictOldAfterInsert() {
  if (busy_) return;
  buffer_.ContextId = static_cast<std::int16_t>(CurrentContext().ContextId);
  buffer_.Date_Upd = Today();
  buffer_.Active = true;
  outlets_.ShowEntryDialog(*this);
}

void TdmData::DictOldAfterEdit() {
  if (busy_) return;
  outlets_.ShowEntryDialog(*this);
}

void TdmData::DictOldBeforePost() {
  if (busy_) return;
  buffer_.Date_Upd = Today();
}

void TdmData::DictionariesAfterPost() {
  if (busy_) return;
  CountChange();
}

void TdmData::DictionariesAfterDelete() {
  CountChange();
}

void TdmData::ClearContext() {
  if (!open_) return;
  if (state_ != TdmState::Browse) Cancel();
  const std::vector<std::int32_t> keys = View();
  for (std::int32_t key : keys) Delete(key);
}

void TdmData::MergeDictionary(const std::string& path) {
  RequireOpen("merge");
  if (state_ != TdmState::Browse) Post();
  MergeLog log(LogPathOf(file_name_));
  long long read = 0;
  int added = 0;
  std::vector<std::int32_t> keys;
  log.Line(kLogSeparator);
  log.Line(Stamp(clock_) + " Merging Dictionary: " + path);
  log.Line(kLogSeparator);

  const auto finish = [&](bool failed) {
    log.Line(kLogSeparator);
    log.Line(Stamp(clock_) + Format(" Added %d entries from dictionary: ", added) + path);
    log.Line(kLogSeparator);
    busy_ = false;
    // Earlier unsaved edits stay counted: replacing the count would let a
    // close drop them without asking.
    changes_ += added;
    InvalidateView();
    if (!keys.empty()) NotifyAdded(std::move(keys));
    ShowStatistics();
    log.Close(failed);
  };

  try {
    BulkScope bulk(*this);
    lx::TLxDictReader reader(path);
    lx::TLxDictRecord r;
    while (reader.Next(r)) {
      ++read;
      lx::UnscrambleRecord(r);
      const std::int16_t context = ContextIdOf(r.ContextId, "record", read, path);
      const std::string_view source = r.SourceText();
      if (table_->ContainsTrimmed(context, source)) continue;
      TdmEntry e;
      e.ContextId = context;
      e.Source = source;
      e.Target = r.TargetText();
      e.Spec_Case = r.Spec_Case != 0;
      e.Comments = r.CommentsText();
      e.Active = r.Active != 0;
      e.Date_Upd = Today();
      e.Hidden = r.Hidden != 0;
      keys.push_back(table_->Append(e));
      ++added;
      log.Line(Stamp(clock_) + "Added entry to context: " + ContextNameOf(context) +
               ", Source: " + std::string(source) + ".");
    }
  } catch (...) {
    finish(true);
    throw;
  }
  finish(false);
  outlets_.ShowInformation(
      kMergeSummaryCaption,
      Format("%d of %lld entries have been added to current dictionary", added, read));
}

void TdmData::ImportContext(const std::string& path) {
  RequireOpen("import");
  if (state_ != TdmState::Browse) Post();
  std::vector<std::int32_t> keys;
  const auto finish = [&] {
    busy_ = false;
    InvalidateView();
    if (!keys.empty()) NotifyAdded(std::move(keys));
    ShowStatistics();
  };
  try {
    BulkScope bulk(*this);
    TdmDbfTable dbf(path);
    TdmDbfRow row;
    while (dbf.Next(row)) {
      const std::int16_t context = ContextIdOf(row.Context, "row", dbf.RowNumber(), path);
      // The row's own context: a row of another context is a duplicate of the
      // entries there, not of those of the context shown.
      if (table_->ContainsExact(context, row.Source)) continue;
      TdmEntry e;
      e.ContextId = context;
      e.Source = row.Source;
      e.Target = row.Target;
      e.Spec_Case = row.Exception;
      e.Comments = row.Comments;
      e.Active = row.Active;
      e.Date_Upd = Today();
      keys.push_back(table_->Append(e));
      CountChange();
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TdmData::AddObserver(TdmObserver* observer) {
  if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void TdmData::RemoveObserver(TdmObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

// Observers may remove themselves while being told, hence the copies.
void TdmData::NotifyAdded(std::vector<std::int32_t> keys) {
  for (TdmObserver* o : std::vector<TdmObserver*>(observers_)) o->RowsAdded(keys);
}

void TdmData::NotifyChanged(std::int32_t key) {
  for (TdmObserver* o : std::vector<TdmObserver*>(observers_)) o->RowsChanged({&key, 1});
}

void TdmData::NotifyRemoved(std::int32_t key) {
  for (TdmObserver* o : std::vector<TdmObserver*>(observers_)) o->RowsRemoved({&key, 1});
}

void TdmData::NotifyReset() {
  for (TdmObserver* o : std::vector<TdmObserver*>(observers_)) o->ViewReset();
}

}  // namespace zeb
