#include "LxLists.h"

#include <algorithm>
#include <numeric>

#include "LxConst.h"

namespace lx {

namespace {

constexpr unsigned char Fold(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 'a' && b <= 'z') ? static_cast<unsigned char>(b - 32) : b;
}

// The first 8 folded bytes, big-endian and zero-padded, so that comparing two
// prefixes as integers orders keys like CompareKeys does on those bytes.
std::uint64_t FoldedPrefix(std::string_view s) {
  std::uint64_t p = 0;
  const std::size_t n = std::min<std::size_t>(s.size(), 8);
  for (std::size_t i = 0; i < 8; ++i) p = (p << 8) | (i < n ? Fold(s[i]) : 0);
  return p;
}

std::string_view AsKey(std::string_view key) {
  return key.substr(0, Str41::capacity());
}

// Keys never hold NUL, so equal prefixes of two keys of at most 8 bytes mean
// equal keys; longer keys are compared from byte 8 on.
int CompareWithPrefix(std::uint64_t pa, std::string_view a, std::uint64_t pb, std::string_view b) {
  if (pa != pb) return pa < pb ? -1 : 1;
  if (a.size() <= 8 && b.size() <= 8) return 0;
  return CompareKeys(a.substr(std::min<std::size_t>(8, a.size())),
                     b.substr(std::min<std::size_t>(8, b.size())));
}

}  // namespace

int CompareKeys(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = Fold(a[i]);
    const unsigned char y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::size_t TLxList::FoldHash::operator()(std::string_view s) const {
  std::uint64_t h = 1469598103934665603ull;  // FNV-1a
  for (char c : s) h = (h ^ Fold(c)) * 1099511628211ull;
  return static_cast<std::size_t>(h);
}

void TLxList::Clear() {
  items_.clear();
  prefixes_.clear();
  index_.clear();
  sorted_ = true;
}

TLxItem* TLxList::FindExact(std::string_view key) const {
  for (const auto& item : items_)
    if (item->Key == key) return item.get();
  return nullptr;
}

bool TLxList::Search(std::string_view key, int& index) {
  EnsureSorted();
  key = AsKey(key);
  const std::uint64_t kp = FoldedPrefix(key);
  int lo = 0;
  int hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = static_cast<int>(static_cast<unsigned>(lo + hi) >> 1);
    // The prefix decides most steps without touching the item itself. Equal
    // prefixes of a key shorter than 8 bytes end in zero on both sides, so
    // both keys end inside the prefix and are equal.
    const std::uint64_t mp = prefixes_[mid];
    int c = 0;
    if (mp != kp)
      c = mp < kp ? -1 : 1;
    else if (key.size() >= 8)
      c = CompareKeys(items_[mid]->Key.view().substr(8), key.substr(8));
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) found = true;
    }
  }
  index = lo;
  return found;
}

TLxItem* TLxList::Find(std::string_view key) {
  if (updating_) {
    const auto it = index_.find(AsKey(key));
    return it == index_.end() ? nullptr : it->second;
  }
  int index = 0;
  return Search(key, index) ? items_[index].get() : nullptr;
}

TLxItem& TLxList::Add(std::string_view key) {
  key = AsKey(key);
  int index = Count();
  if (updating_) {
    if (index_.contains(key)) throw LxError(std::string(kMsgKeyExists));
    sorted_ = false;
  } else if (Search(key, index)) {
    throw LxError(std::string(kMsgKeyExists));
  }
  std::unique_ptr<TLxItem> item = item_class_(key);
  item->Owner = this;
  TLxItem& ref = *item;
  items_.insert(items_.begin() + index, std::move(item));
  prefixes_.insert(prefixes_.begin() + index, FoldedPrefix(ref.Key));
  if (updating_) index_.emplace(ref.Key.view(), &ref);
  return ref;
}

void TLxList::Sort() {
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
    return CompareWithPrefix(prefixes_[a], items_[a]->Key, prefixes_[b], items_[b]->Key) < 0;
  });
  std::vector<std::unique_ptr<TLxItem>> items(items_.size());
  std::vector<std::uint64_t> prefixes(items_.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    items[i] = std::move(items_[order[i]]);
    prefixes[i] = prefixes_[order[i]];
  }
  items_ = std::move(items);
  prefixes_ = std::move(prefixes);
  sorted_ = true;
}

void TLxList::BeginUpdate() {
  updating_ = true;
  index_.clear();
  index_.reserve(items_.size());
  for (const auto& item : items_) index_.emplace(item->Key.view(), item.get());
}

void TLxList::EndUpdate() {
  updating_ = false;
  index_.clear();
  EnsureSorted();
}

TLxBaseSearch::TLxBaseSearch(const std::string& path, TLxItemClass itemClass)
    : item_class_(itemClass), list_(std::make_unique<TLxList>(itemClass)) {
  FormatFlag = CheckDictionary(path);
  SetPath(path);
}

void TLxBaseSearch::ResetList() {
  Found = nullptr;
  LastAdded = nullptr;
  list_ = std::make_unique<TLxList>(item_class_);
}

bool TLxBaseSearch::FindKey(std::string_view key) {
  Found = list_->Find(key);
  return Found != nullptr;
}

void TLxBaseSearch::SetPath(const std::string& path) {
  if (path == path_) return;
  path_ = path;
  ResetList();
}

void TLxBaseSearch::LoadFromFile() {
  TLxBaseSearch* self = this;
  LoadLookups(path_, {&self, 1});
}

void TLxSimpleSearch::AddRecord(const TLxDictRecord& record) {
  const std::string_view key = record.SourceText();
  if (List().Find(key)) return;
  if (!AcceptRecord(record)) return;
  TLxItem& item = List().Add(key);
  item.Target = record.TargetText();
  item.Spec_Case = record.Spec_Case;
  LastAdded = &item;
}

void LoadLookups(const std::string& path, std::span<TLxBaseSearch* const> lookups) {
  struct UpdateGuard {
    std::span<TLxBaseSearch* const> lookups;
    explicit UpdateGuard(std::span<TLxBaseSearch* const> l) : lookups(l) {
      for (TLxBaseSearch* s : lookups) s->BeginUpdate();
    }
    ~UpdateGuard() {
      for (TLxBaseSearch* s : lookups) s->EndUpdate();
    }
  };
  TLxDictReader reader(path);
  UpdateGuard guard(lookups);
  TLxDictRecord record;
  while (reader.Next(record)) {
    if (!record.Active) continue;
    bool unscrambled = false;
    for (TLxBaseSearch* s : lookups) {
      if (s->ContextId() != record.ContextId) continue;
      if (!unscrambled) {
        UnscrambleRecord(record);
        unscrambled = true;
      }
      s->AddRecord(record);
    }
  }
}

}  // namespace lx
