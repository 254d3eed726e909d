// The name parser's dictionary lookups, one class per name context.
//
// Each class is a TLxSimpleSearch that answers "is this word a key of my
// context?" ignoring case. Six of them differ only in their context id.
// TLxGenderize also keeps a one-character gender code per given name and, after
// every Lookup, reports the gender letter and code of the word asked about.
// TLxFamilySearch reads the suffix context but keeps only the entries flagged
// as exceptions: the family words (FAMILY, HOUSEHOLD ...).
//
// The lists are filled once (the name parser dispatches one pass over the
// dictionary file to all of them) and never change afterwards; Found, Gender
// and GenderLevel describe the last look-up only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "LxConst.h"
#include "LxLists.h"

namespace lx {

class TLxFirmSearch : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return ctxFirms; }
};

class TLxCareOfSearch : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return ctxCareOf; }
};

class TLxJobSearch : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return ctxProfTitles; }
};

class TLxLn2Search : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return ctxCompoundLast; }
};

class TLxTitleSearch : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return ctxPrefix; }
};

class TLxSuffixSearch : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return ctxSuffix; }
};

// Family words are suffix entries carrying the exception flag.
class TLxFamilySearch : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return ctxSuffix; }
  bool AcceptRecord(const TLxDictRecord& record) override { return record.Spec_Case != 0; }
};

// Given names with their gender codes: "1" strong male, "2" strong female,
// "3" probable male, "4" probable female, "5" ambiguous; "9" means not found.
class TLxGenderize : public TLxSimpleSearch {
 public:
  using TLxSimpleSearch::TLxSimpleSearch;
  std::int32_t ContextId() const override { return ctxGenders; }
  // Adds the entry with the first character of the target as its code. A key
  // already present changes nothing: the first record of a key wins wholly,
  // so a duplicate can never re-code some other name.
  void AddRecord(const TLxDictRecord& record) override;
  // Looks up the first word of text; sets Gender and GenderLevel every time.
  bool Lookup(std::string_view text) override;
  // Gender from GenderLevel: 1, 3 → M; 2, 4 → F; 5 → A; anything else → U.
  void MapGender() { Gender = GenderOf(GenderLevel); }
  static char GenderOf(char level);

  char Gender = 'U';
  char GenderLevel = '9';
};

// Every name context answered by one hash probe per word: which of the
// lookups hold the word, and its gender code and strong-firm flag. Built from
// the loaded lookups, it agrees with their Lookup answers (same case folding,
// same cut to 41 characters); it keeps views of their keys, so it is valid
// while those lookups live unchanged. An entry sits in its hash slot (16
// bytes), so a probe reads one cache line.
class TLxNameIndex {
 public:
  struct Entry {
    std::uint64_t head = 0;     // the key's first 8 bytes, folded
    std::uint32_t key = 0;      // index of the key + 1; 0 marks a free slot
    std::uint8_t length = 0;    // key length
    std::uint8_t contexts = 0;  // bits given to Add
    char genderLevel = '9';     // gender code when a gender lookup holds the word
    bool strongFirm = false;    // Spec_Case of the firm entry
  };

  void Clear();
  // Adds every entry of lookup under the context bit; the gender code comes
  // from a TLxGenderize, the strong flag from a TLxFirmSearch.
  void Add(TLxSimpleSearch& lookup, std::uint8_t contextBit);
  // The entry of word, or nullptr when no lookup holds it.
  const Entry* Find(std::string_view word) const;

 private:
  struct KeyCode {
    std::uint64_t head;
    std::uint64_t hash;
  };

  std::vector<std::string_view> keys_;
  std::vector<Entry> slots_;
  std::size_t mask_ = 0;

  static KeyCode Code(std::string_view key);
  void Rehash(std::size_t slotCount);
  Entry& SlotOf(std::string_view key, const KeyCode& code);
  bool Matches(const Entry& slot, std::string_view key, const KeyCode& code) const;
};

}  // namespace lx
