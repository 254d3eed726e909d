// The entry table of the dictionary editor: one row per dictionary entry, with
// the two orders the editor works in.
//
// Rows are identified by KeyField, handed out 1, 2, 3, ... as rows are
// appended and never reused by the same table (a load builds a new table).
// `BySource` is every live row in ascending source text (bytes compared as
// unsigned, case counts; equal texts in the order they were appended), so a
// save is reproducible. `ByContext` finds rows by context id and source text;
// the merge looks sources up with leading and trailing blanks removed on both
// sides, the import with the text exactly.
//
// Costs: Append, Replace, Remove and the look-ups are O(1) on average (the
// look-up index is built at the first look-up, O(n)); the source order is
// sorted lazily, O(n log n) once after any change. The table
// owns its rows; pointers to rows stay valid only until the next change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "LxTypes.h"

namespace zeb {

using Text40 = lx::ShortString<40>;

struct TdmEntry {
  std::int16_t ContextId = 0;
  Text40 Source;
  Text40 Target;
  bool Spec_Case = false;
  Text40 Comments;
  bool Active = false;
  double Date_Upd = 0;  // whole days since 30 December 1899
  std::int32_t KeyField = 0;
  bool Hidden = false;
};

// Leading and trailing characters up to the blank (controls included) removed.
std::string_view TrimBlanks(std::string_view text);

class TdmTable {
 public:
  TdmTable() = default;
  TdmTable(const TdmTable&) = delete;
  TdmTable& operator=(const TdmTable&) = delete;

  void Reserve(std::size_t rows);
  // Stores a copy of entry under a new KeyField, which it returns.
  std::int32_t Append(const TdmEntry& entry);
  // Overwrites the row key with entry (its KeyField is kept).
  void Replace(std::int32_t key, const TdmEntry& entry);
  void Remove(std::int32_t key);

  // The row, or nullptr for a key never handed out or removed.
  const TdmEntry* Find(std::int32_t key) const;
  std::size_t Size() const { return live_; }
  std::size_t CountOf(std::int16_t contextId) const;

  const std::vector<std::int32_t>& BySource() const;
  // A row of that context whose source is exactly source.
  bool ContainsExact(std::int16_t contextId, std::string_view source) const;
  // A row of that context whose trimmed source equals the trimmed source.
  bool ContainsTrimmed(std::int16_t contextId, std::string_view source) const;

 private:
  // The ByContext index: open addressing over (hash of context and trimmed
  // source, key), so that a probe touches a row only when the hashes agree.
  struct Slot {
    std::uint64_t hash;
    std::int32_t key;  // kEmpty, kGone or a KeyField
  };
  static constexpr std::int32_t kEmpty = 0;
  static constexpr std::int32_t kGone = -1;

  TdmEntry& Row(std::int32_t key) { return rows_[static_cast<std::size_t>(key) - 1]; }
  const TdmEntry& Row(std::int32_t key) const { return rows_[static_cast<std::size_t>(key) - 1]; }
  std::uint64_t HashOfRow(std::int32_t key) const;
  void Index(std::int32_t key);
  void Unindex(std::int32_t key);
  void Place(std::uint64_t hash, std::int32_t key) const;
  void Rehash(std::size_t minimumSlots) const;
  void EnsureIndex() const;
  // Calls match(row) for each row of that context and trimmed source until it
  // returns true; returns whether one did.
  template <typename Match>
  bool AnyRow(std::int16_t contextId, std::string_view trimmed, Match match) const;

  std::vector<TdmEntry> rows_;  // slot key - 1; KeyField 0 marks a removed row
  std::size_t live_ = 0;
  // Built at the first look-up, so that a load pays only for its rows.
  mutable bool indexed_ = false;
  mutable std::vector<Slot> slots_;     // a power of two, at most half used
  mutable std::size_t slots_used_ = 0;  // keys and kGone
  std::unordered_map<std::int16_t, std::size_t> counts_;
  mutable std::vector<std::int32_t> by_source_;
  mutable bool by_source_valid_ = true;
};

}  // namespace zeb
