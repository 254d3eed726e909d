// TLxNameParser: splits one line into up to five names and each name into
// care-of, prefix, first, middle and last name, suffix and professional title,
// with a gender, a gender level and a result code per name; phrases
// salutations from the parsed parts.
//
// Callers may rely on:
// - SetInput never throws and never reads out of bounds, whatever the line;
//   afterwards NameCount() is 1..5 and records 1..NameCount() hold the names,
//   every other record is in its reset state (empty texts, "U", "9",
//   nrUnknown). A line with more names than records stops splitting once
//   record 5 is filled; its remaining words are not parsed.
// - Accessors take a record number 1..5; any other number reads as a reset
//   record.
// - Parsing allocates nothing once the parser has seen an input of that
//   length: every part is a fixed-width short string.
// - Options and salutation settings are plain fields, read at the next parse
//   (options) or the next salutation call (settings).
//
// The order of the steps is the behaviour: each step takes its words from the
// front (or, in reverse order and detection, from any position) of the word
// list and deletes them, so later steps see only what is left.
// Construction throws LxError for a missing or invalid dictionary file.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "LxBase.h"
#include "LxNmFind.h"
#include "LxSource.h"
#include "LxTypes.h"

namespace lx {

using Str30 = ShortString<30>;
using Str40 = ShortString<40>;

enum TLxNameResult : std::uint8_t {
  nrName = 0,      // a person
  nrNameLast = 1,  // one word, taken as the last name
  nrFamily = 2,    // a family or household
  nrFirm = 3,      // a firm; Last holds the firm name
  nrEmpty = 4,     // never produced by the parser
  nrUnknown = 5,   // nothing was parsed into the record
};

enum TLxNameType : std::uint8_t { ntNatural = 0, ntReverse = 1, ntDetect = 2 };
enum TLxSalutationType : std::uint8_t { stPrefixLast = 0, stFirst = 1, stFullname = 2, stText = 3 };
enum TLxSalutationError : std::uint8_t { seFullname = 0, seText = 1 };

struct TLxNameRec {
  TLxNameResult NameResult = nrUnknown;
  char Gender = 'U';
  char GenderLevel = '9';
  Str30 CareOf;
  Str30 Prefix;
  Str30 First;
  Str30 Middle;
  Str40 Last;
  Str30 Suffix;
  Str30 ProfTitle;

  void Reset() {
    NameResult = nrUnknown;
    Gender = 'U';
    GenderLevel = '9';
    for (Str30* part : {&CareOf, &Prefix, &First, &Middle, &Suffix, &ProfTitle}) part->clear();
    Last.clear();
  }
};

class TLxNameParser : public TLxBaseParser {
 public:
  static constexpr int kMaxNames = 5;

  explicit TLxNameParser(const std::string& path);
  ~TLxNameParser() override;

  // Results of the last parse.
  int NameCount() const { return name_count_; }
  // Record i (1-based); a reset record for any number outside 1..5.
  const TLxNameRec& Name(int i) const;
  std::string_view NamePrefix(int i) const { return Name(i).Prefix; }
  std::string_view FirstName(int i) const { return Name(i).First; }
  std::string_view MiddleName(int i) const { return Name(i).Middle; }
  std::string_view LastName(int i) const { return Name(i).Last; }
  std::string_view NameSuffix(int i) const { return Name(i).Suffix; }
  std::string_view ProfTitle(int i) const { return Name(i).ProfTitle; }
  std::string_view CareOf(int i) const { return Name(i).CareOf; }
  char Gender(int i) const { return Name(i).Gender; }
  char GenderLevel(int i) const { return Name(i).GenderLevel; }
  TLxNameResult NameResult(int i) const { return Name(i).NameResult; }
  // Prefix, first, middle and last name, then ", suffix" and ", title".
  Str255 FullName(int i) const;

  // Salutations, built from the records and the settings on every call.
  bool SalutationOfType(std::uint8_t type, int i, std::size_t maxLength, Str255& out) const;
  Str255 Salutation(int i) const;
  // One salutation for all names of the line ("DEAR JOHN AND MARY:"), or empty.
  Str255 CompoundSalutation() const;

  // Options (numbers as the API gives them).
  std::uint8_t NameType = ntNatural;              // 0
  bool CheckFirms = false;                        // 1
  bool CheckCompoundNames = false;                // 2
  bool CompoundInitials = false;                  // 3
  bool GenderByPrefix = true;                     // 4
  bool CommaReverse = false;                      // 5
  std::uint8_t PrimarySalutation = stPrefixLast;  // 6
  std::uint8_t SecondarySalutation = stFirst;     // 7
  std::uint8_t SalutationError = seFullname;      // 8
  Str255 SalutationPrefix = "DEAR";
  char SalutationSuffix = ':';
  Str255 SalutationText = "FRIEND";

  // Order of the parse in progress or last done: 0 natural, 1 reverse.
  std::uint8_t OrderInUse = 0;

 protected:
  void PrepareSource() override;
  void CreateLookups() override;
  void FreeLookups() override;
  void Parse() override;

  virtual void LoadContexts();
  virtual void TakePrefix();
  virtual void TakeFirstName();
  virtual void TakeMiddleName();
  virtual void TakeLastName();
  virtual void TakeSuffix();
  virtual void TakeProfTitle();
  virtual bool IsFirm();
  virtual void ParseNaturalNames();
  virtual void ParseReverseNames();
  virtual std::uint8_t DetectOrder();
  virtual void ParseNaturalName();
  virtual void ClearNames() { ResetNames(); }
  virtual void ResetNames();
  virtual void ShareLastName();
  virtual bool IsVanMac(std::string_view word);
  virtual void TakeCareOf();
  virtual void ParseReverseName();
  virtual void FinishName();

  static bool IsConjunction(std::string_view word);
  bool IsFamilyWord(std::string_view word) { return Is(kFamily, word); }
  int LeadingGivenNames();
  int FamilyIndex();
  Str255 FirmName();
  Str255 FindTitles();
  Str255 FindSuffix();
  Str255 FindProfTitles();
  Str255 FindCareOf();
  void GenderByPrefixRule();

  TLxNameRec& Current() { return names_[name_count_ - 1]; }
  // Starts the next record; false when all five are in use.
  bool NextRecord();

  TLxSource InitialsSource;
  std::unique_ptr<TLxTitleSearch> TitleSearch;
  std::unique_ptr<TLxGenderize> Genderize;
  std::unique_ptr<TLxSuffixSearch> SuffixSearch;
  std::unique_ptr<TLxJobSearch> JobSearch;
  std::unique_ptr<TLxLn2Search> Ln2Search;
  std::unique_ptr<TLxFirmSearch> FirmSearch;
  std::unique_ptr<TLxCareOfSearch> CareOfSearch;
  std::unique_ptr<TLxFamilySearch> FamilySearch;

 private:
  // Bits of the contexts in WordIndex.
  enum Context : std::uint8_t {
    kGiven = 1,
    kTitle = 2,
    kSuffix = 4,
    kFamily = 8,
    kJob = 16,
    kLn2 = 32,
    kCareOf = 64,
    kFirm = 128
  };

  std::array<TLxNameRec, kMaxNames> names_;
  int name_count_ = 1;
  // Every word test of a parse is one probe here instead of one binary
  // search per context: a line asks about the same words many times.
  TLxNameIndex WordIndex;

  int Words() const { return Source.WordCount(); }
  std::string_view Word(int i) const { return Source.WordView(i); }
  bool Is(Context c, std::string_view w) const {
    const TLxNameIndex::Entry* e = WordIndex.Find(w);
    return e != nullptr && (e->contexts & c) != 0;
  }
  bool IsGiven(std::string_view w) { return Is(kGiven, w); }
  bool IsTitle(std::string_view w) { return Is(kTitle, w); }
  bool IsSuffix(std::string_view w) { return Is(kSuffix, w); }
  bool IsJob(std::string_view w) { return Is(kJob, w); }
  bool IsLn2(std::string_view w) { return Is(kLn2, w); }
  bool IsCareOfWord(std::string_view w) { return Is(kCareOf, w); }
  // Words first..first+count-1 joined with one blank.
  Str255 JoinWords(int first, int count) const;
};

}  // namespace lx
