// Lookup lists and context loaders.
//
// TLxList keeps dictionary entries (TLxItem) sorted by key and finds them by
// binary search, ignoring case (ASCII letters fold; other bytes compare by
// value). Keys are unique ignoring case: the first record of a key wins.
// TLxBaseSearch loads the active records of one dictionary context into such
// a list; TLxSimpleSearch is the plain source-to-target lookup almost every
// context class derives from.
//
// Ownership: a lookup owns its list, a list owns its items. Found and
// LastAdded point into the list and stay valid until the list changes.
// Loading n records costs O(n log n): during a load the list keeps a hash
// index of its keys and sorts once at the end.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "LxDict.h"
#include "LxTypes.h"

namespace lx {

class TLxList;

class TLxItem {
 public:
  explicit TLxItem(std::string_view key) : Key(key) {}
  virtual ~TLxItem() = default;
  static std::unique_ptr<TLxItem> Create(std::string_view key) {
    return std::make_unique<TLxItem>(key);
  }

  Str41 Key;
  Str41 Target;
  TLxList* Owner = nullptr;
  std::uint8_t Spec_Case = 0;
  std::uint8_t GenderCode = 0;
};

// Makes an item of TLxItem or a subclass for a key (the list's item class).
using TLxItemClass = std::unique_ptr<TLxItem> (*)(std::string_view key);

// <0, 0, >0 as a sorts before, equal to or after b, ignoring ASCII case.
int CompareKeys(std::string_view a, std::string_view b);

class TLxList {
 public:
  explicit TLxList(TLxItemClass itemClass = &TLxItem::Create) : item_class_(itemClass) {}
  TLxList(const TLxList&) = delete;
  TLxList& operator=(const TLxList&) = delete;

  void Clear();
  // First item whose key equals key byte for byte (linear scan).
  TLxItem* FindExact(std::string_view key) const;
  // Inserts a new item at its sorted place; throws LxError("Key already
  // exists") when an equal key (ignoring case) is present.
  TLxItem& Add(std::string_view key);
  // Binary search; index is the position of the key or where it belongs.
  bool Search(std::string_view key, int& index);
  void Sort();
  TLxItem* Find(std::string_view key);

  int Count() const { return static_cast<int>(items_.size()); }
  TLxItem& Item(int i) {
    EnsureSorted();
    return *items_[i];
  }

  // Between these calls Add appends and Find answers from a hash index; the
  // list is sorted once when the update ends. Nesting is not supported.
  void BeginUpdate();
  void EndUpdate();

 private:
  struct FoldHash {
    std::size_t operator()(std::string_view s) const;
  };
  struct FoldEqual {
    bool operator()(std::string_view a, std::string_view b) const { return CompareKeys(a, b) == 0; }
  };

  TLxItemClass item_class_;
  std::vector<std::unique_ptr<TLxItem>> items_;
  std::vector<std::uint64_t> prefixes_;  // folded first 8 key bytes, parallel to items_
  bool sorted_ = true;
  bool updating_ = false;
  std::unordered_map<std::string_view, TLxItem*, FoldHash, FoldEqual> index_;

  void EnsureSorted() {
    if (!sorted_) Sort();
  }
};

class TLxBaseSearch {
 public:
  // Checks the file's header (throws when it is no dictionary); loads nothing.
  explicit TLxBaseSearch(const std::string& path, TLxItemClass itemClass = &TLxItem::Create);
  virtual ~TLxBaseSearch() = default;
  TLxBaseSearch(const TLxBaseSearch&) = delete;
  TLxBaseSearch& operator=(const TLxBaseSearch&) = delete;

  virtual void ResetList();
  virtual std::int32_t ContextId() const = 0;
  virtual void AddRecord(const TLxDictRecord& record) = 0;
  virtual bool Lookup(std::string_view key) = 0;
  bool FindKey(std::string_view key);
  // Adds the active records of ContextId() in file order.
  virtual void LoadFromFile();
  // A different path empties the list; the owner reloads.
  void SetPath(const std::string& path);

  const std::string& Path() const { return path_; }
  TLxList& List() { return *list_; }
  void BeginUpdate() { list_->BeginUpdate(); }
  void EndUpdate() { list_->EndUpdate(); }

  TLxItem* Found = nullptr;
  TLxItem* LastAdded = nullptr;
  std::uint8_t FormatFlag = 0;

 private:
  std::string path_;
  TLxItemClass item_class_;
  std::unique_ptr<TLxList> list_;
};

class TLxSimpleSearch : public TLxBaseSearch {
 public:
  using TLxBaseSearch::TLxBaseSearch;
  std::int32_t ContextId() const override { return -1; }
  // The first record of a key wins; later ones are dropped whatever their target.
  void AddRecord(const TLxDictRecord& record) override;
  bool Lookup(std::string_view key) override { return FindKey(key); }
  // A filter applied after the duplicate test.
  virtual bool AcceptRecord(const TLxDictRecord&) { return true; }
};

// Loads several lookups from one pass over the file: each active record goes
// to the lookups whose ContextId is its context.
void LoadLookups(const std::string& path, std::span<TLxBaseSearch* const> lookups);

}  // namespace lx
