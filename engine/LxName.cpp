#include "LxName.h"

#include <span>

#include "LxUtils.h"

namespace lx {

namespace {

// Parts are joined with blanks, so "blanks removed" means blanks at both ends.
std::string_view Blanks(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

const TLxNameRec kResetRecord{};

}  // namespace

TLxNameParser::TLxNameParser(const std::string& path) {
  Construct(path);
  name_count_ = kMaxNames;
  ResetNames();
  Source.SetRemovable(CharSet("."));
  // Each side ends in one blank so that a phrase only matches whole words
  // followed by another word.
  Source.Replacements.AddPair("IN TRUST FOR ", "ITF ");
  Source.Replacements.AddPair("CARE OF ", "C/O ");
}

TLxNameParser::~TLxNameParser() {
  FreeLookups();
}

const TLxNameRec& TLxNameParser::Name(int i) const {
  if (i < 1 || i > kMaxNames) return kResetRecord;
  return names_[i - 1];
}

void TLxNameParser::PrepareSource() {
  TLxBaseParser::PrepareSource();
  ClearNames();
}

void TLxNameParser::CreateLookups() {
  FreeLookups();
  Genderize = std::make_unique<TLxGenderize>(DictionaryPath);
  TitleSearch = std::make_unique<TLxTitleSearch>(DictionaryPath);
  SuffixSearch = std::make_unique<TLxSuffixSearch>(DictionaryPath);
  FamilySearch = std::make_unique<TLxFamilySearch>(DictionaryPath);
  JobSearch = std::make_unique<TLxJobSearch>(DictionaryPath);
  Ln2Search = std::make_unique<TLxLn2Search>(DictionaryPath);
  FirmSearch = std::make_unique<TLxFirmSearch>(DictionaryPath);
  CareOfSearch = std::make_unique<TLxCareOfSearch>(DictionaryPath);
  LoadContexts();
  WordIndex.Add(*Genderize, kGiven);
  WordIndex.Add(*TitleSearch, kTitle);
  WordIndex.Add(*SuffixSearch, kSuffix);
  WordIndex.Add(*FamilySearch, kFamily);
  WordIndex.Add(*JobSearch, kJob);
  WordIndex.Add(*Ln2Search, kLn2);
  WordIndex.Add(*CareOfSearch, kCareOf);
  WordIndex.Add(*FirmSearch, kFirm);
}

void TLxNameParser::FreeLookups() {
  WordIndex.Clear();
  Genderize.reset();
  TitleSearch.reset();
  SuffixSearch.reset();
  FamilySearch.reset();
  JobSearch.reset();
  Ln2Search.reset();
  FirmSearch.reset();
  CareOfSearch.reset();
}

void TLxNameParser::LoadContexts() {
  // The suffix context feeds the suffix lookup first, then the family lookup.
  TLxBaseSearch* const lookups[] = {FirmSearch.get(),   CareOfSearch.get(), Genderize.get(),
                                    JobSearch.get(),    Ln2Search.get(),    TitleSearch.get(),
                                    SuffixSearch.get(), FamilySearch.get()};
  LoadLookups(DictionaryPath, lookups);
}

void TLxNameParser::ResetNames() {
  if (name_count_ < 1) name_count_ = 1;
  for (int i = 0; i < name_count_ && i < kMaxNames; ++i) names_[i].Reset();
  name_count_ = 1;
}

bool TLxNameParser::NextRecord() {
  if (name_count_ >= kMaxNames) return false;
  ++name_count_;
  return true;
}

void TLxNameParser::Parse() {
  TLxBaseParser::Parse();
  Source.ApplyReplacements();
  OrderInUse = NameType;
  switch (NameType) {
    case ntNatural:
      ParseNaturalNames();
      break;
    case ntReverse:
      ParseReverseNames();
      break;
    case ntDetect:
      OrderInUse = DetectOrder();
      // Detection took words and wrote record 1: start again from the input,
      // without the phrase replacements.
      PrepareSource();
      if (OrderInUse == 0) {
        ParseNaturalNames();
      } else if (OrderInUse == 1) {
        ParseReverseNames();
      }
      break;
    default:
      break;
  }
}

Str255 TLxNameParser::JoinWords(int first, int count) const {
  Str255 text;
  for (int i = first; i < first + count; ++i) {
    if (i > first) text += ' ';
    text += Word(i);
  }
  return text;
}

Str255 TLxNameParser::FullName(int i) const {
  const TLxNameRec& r = Name(i);
  Str255 text;
  text += r.Prefix;
  text += ' ';
  text += r.First;
  text += ' ';
  text += r.Middle;
  text += ' ';
  text += r.Last;
  text = CollapseBlanks(text);
  if (!r.Suffix.empty()) {
    text += ", ";
    text += r.Suffix;
    text = CollapseBlanks(text);
  }
  if (!r.ProfTitle.empty()) {
    text += ", ";
    text += r.ProfTitle;
    text = CollapseBlanks(text);
  }
  return text;
}

bool TLxNameParser::IsConjunction(std::string_view word) {
  return word == "AND" || word == "&" || word == "OR";
}

int TLxNameParser::FamilyIndex() {
  const int steps = Words();
  for (int i = 1; i <= steps; ++i) {
    const std::string_view w = Word(i);
    if (IsConjunction(w)) {
      if (i + 1 <= Words() && IsFamilyWord(Word(i + 1))) DeleteWords(i, 2);
      return 0;
    }
    if (IsFamilyWord(w)) return i;
  }
  return 0;
}

int TLxNameParser::LeadingGivenNames() {
  if (!CheckCompoundNames) return 0;
  int k = 0;
  for (int i = 1; i <= Words(); ++i) {
    if (IsConjunction(Word(i))) {
      k = i;
      break;
    }
  }
  if (k < 3) return 0;
  for (int i = 1; i < k; ++i)
    if (!IsGiven(Word(i))) return 0;
  return k - 1;
}

bool TLxNameParser::IsFirm() {
  bool firm = false;
  bool startsAsPerson = false;
  bool strong = false;
  for (int i = 1; i <= Words(); ++i) {
    const std::string_view w = Word(i);
    if (IsConjunction(w)) {
      if (CheckCompoundNames) break;
      // Two names joined by a conjunction, with no several-names check, read
      // as one firm (SMITH AND JONES).
      firm = true;
    }
    if (i == 1 && (IsGiven(w) || IsTitle(w))) startsAsPerson = true;
    const TLxNameIndex::Entry* e = WordIndex.Find(w);
    if (e != nullptr && (e->contexts & kFirm)) {
      firm = true;
      if (e->strongFirm) strong = true;
    }
  }
  if (startsAsPerson && !strong) firm = false;
  return firm;
}

Str255 TLxNameParser::FirmName() {
  Str255 text = Word(1);
  DeleteWords(1, 1);
  while (Words() > 0) {
    const std::string_view w = Word(1);
    // A conjunction before a person belongs to the next name (ACME INC AND JOHN SMITH).
    if (CheckCompoundNames && IsConjunction(w) && Words() >= 2 &&
        (IsTitle(Word(2)) || IsGiven(Word(2))))
      break;
    text += ' ';
    text += w;
    DeleteWords(1, 1);
  }
  return text;
}

void TLxNameParser::ParseNaturalNames() {
  ParseNaturalName();
  if (Words() == 0 || !CheckCompoundNames) return;
  while (Words() > 0) {
    const std::string_view w = Word(1);
    const bool conjunction = IsConjunction(w);
    if (!(conjunction || IsGiven(w) || IsCareOfWord(w) || IsTitle(w))) break;
    if (!NextRecord()) break;
    if (conjunction) DeleteWords(1, 1);
    ParseNaturalName();
  }
  ShareLastName();
}

void TLxNameParser::ParseReverseNames() {
  ParseReverseName();
  if (Words() == 0 || !CheckCompoundNames) return;
  while (Words() >= 2) {
    const std::string_view w = Word(1);
    const bool conjunction = IsConjunction(w);
    if (!(conjunction || IsGiven(w) || IsGiven(Word(2)) || IsCareOfWord(w) || IsTitle(w))) break;
    if (!NextRecord()) break;
    if (conjunction) DeleteWords(1, 1);
    ParseReverseName();
  }
  ShareLastName();
}

std::uint8_t TLxNameParser::DetectOrder() {
  name_count_ = 1;
  TLxNameRec& rec = names_[0];
  const int fam = FamilyIndex();
  rec.Suffix = FindSuffix();
  rec.ProfTitle = FindProfTitles();

  const std::string_view input = Input;
  bool comma = input.find(',') != std::string_view::npos;
  if (comma && !rec.Suffix.empty()) {
    // A comma that only sets off the suffix (SMITH JOHN, JR) does not count.
    const std::string_view suffix = rec.Suffix;
    for (std::size_t p = input.find(','); p != std::string_view::npos; p = input.find(',', p + 1)) {
      std::string_view rest = input.substr(p + 1);
      if (!rest.empty() && rest.front() == ' ' && rest.substr(1).starts_with(suffix)) {
        comma = false;
        break;
      }
    }
    if (comma) {
      for (std::size_t p = input.find(','); p != std::string_view::npos;
           p = input.find(',', p + 1)) {
        if (input.substr(p + 1).starts_with(suffix)) {
          comma = false;
          break;
        }
      }
    }
  }
  if (CommaReverse && comma) return 1;

  const Str255 last = LastWord();
  if (last.size() == 1) return 1;  // a trailing initial: SMITH JOHN A
  const bool lastGiven = IsGiven(last);

  TakePrefix();
  if (!rec.Prefix.empty()) return 0;

  const Str255 first = FirstWord();
  if (Blanks(first).size() == 1) return 0;  // a leading initial: J SMITH
  const bool firstGiven = IsGiven(first);

  if (firstGiven && lastGiven && comma) return 1;
  if (!firstGiven && !lastGiven && comma) return 1;
  if (firstGiven) return 0;
  if (fam > 0) return 1;
  if (comma || lastGiven) return 1;
  return 0;
}

void TLxNameParser::ShareLastName() {
  const TLxNameRec* giver = nullptr;
  for (int i = 0; i < name_count_; ++i) {
    if (names_[i].NameResult != nrFirm && !names_[i].Last.empty()) {
      giver = &names_[i];
      break;
    }
  }
  if (giver == nullptr) return;
  const Str40 shared = giver->Last;
  for (int i = 0; i < name_count_; ++i)
    if (names_[i].Last.empty()) names_[i].Last = shared;
}

void TLxNameParser::ParseNaturalName() {
  TLxNameRec& rec = Current();
  if (CheckFirms && IsFirm()) {
    rec.Last = FirmName();
    rec.NameResult = nrFirm;
    return;
  }
  TakeCareOf();
  TakePrefix();
  const int fam = FamilyIndex();
  if (fam > 0) {
    if (fam > 2 && IsGiven(Word(1)) && !IsVanMac(Word(1))) TakeFirstName();
    TakeLastName();
    TakeSuffix();  // the family word is a suffix entry
    rec.NameResult = nrFamily;
  } else {
    const int n = LeadingGivenNames();
    // Each given name before the conjunction gets a record of its own.
    for (int k = 1; k < n; ++k) {
      if (name_count_ >= kMaxNames) break;
      TakeFirstName();
      NextRecord();
    }
    TLxNameRec& cur = Current();
    TakeFirstName();
    if (Words() > 0 || cur.Gender != 'U' || CheckCompoundNames) {
      TakeMiddleName();
      TakeLastName();
      TakeSuffix();
      TakeProfTitle();
      cur.NameResult = nrName;
    } else {
      cur.Last = cur.First;
      cur.First.clear();
      cur.NameResult = nrNameLast;
      cur.Gender = 'U';
      cur.GenderLevel = '9';
    }
    if (GenderByPrefix) GenderByPrefixRule();
  }
  FinishName();
}

void TLxNameParser::ParseReverseName() {
  TLxNameRec& rec = Current();
  const int fam = FamilyIndex();
  // Only the second name looks for care-of words in reverse order.
  if (name_count_ == 2) rec.CareOf = FindCareOf();
  rec.Prefix = FindTitles();
  rec.Suffix = FindSuffix();
  rec.ProfTitle = FindProfTitles();
  TakeLastName();
  TakeFirstName();
  TakeMiddleName();
  rec.NameResult = fam > 0 ? nrFamily : nrName;
  if (GenderByPrefix) GenderByPrefixRule();
}

void TLxNameParser::TakeCareOf() {
  if (Words() == 0) return;
  Str255 text;
  while (Words() > 0 && IsCareOfWord(Word(1))) {
    text += Word(1);
    text += ' ';
    DeleteWords(1, 1);
  }
  Current().CareOf = Blanks(text);
}

void TLxNameParser::TakePrefix() {
  if (Words() == 0) return;
  Str255 text;
  Str255 previous;
  // A title repeated right after itself ends the prefix (DR DR SMITH).
  while (Words() > 0 && IsTitle(Word(1)) && Word(1) != previous.view()) {
    previous = Word(1);
    text += previous;
    text += ' ';
    DeleteWords(1, 1);
  }
  Current().Prefix = Blanks(text);
}

void TLxNameParser::TakeFirstName() {
  if (Words() == 0) return;
  const Str255 w = Word(1);
  char gender = 'U';
  char level = '9';
  const TLxNameIndex::Entry* e = WordIndex.Find(w);
  if (e != nullptr && (e->contexts & kGiven)) {
    level = e->genderLevel;
    gender = TLxGenderize::GenderOf(level);
  }
  DeleteWords(1, 1);
  TLxNameRec& rec = Current();
  rec.First = w;
  rec.Gender = gender;
  rec.GenderLevel = level;
}

void TLxNameParser::TakeMiddleName() {
  if (Words() == 0) return;
  if (IsLn2(Word(1))) return;  // a particle begins the last name
  if (OrderInUse == 0) {
    if (Words() >= 2 && IsSuffix(Word(2))) return;  // JOHN SMITH JR
    if (Words() == 1 && Blanks(Word(1)).size() > 1) return;
  }
  const Str255 w = Word(1);
  if (IsConjunction(w)) return;
  Str255 upper = w;
  for (char& c : upper) c = UpCase(c);
  if (!(w.size() == 1 || (IsGiven(w) && !IsVanMac(upper)))) return;
  DeleteWords(1, 1);
  TLxNameRec& rec = Current();
  rec.Middle = w;
  // A second middle word is taken only as an initial (JOHN A B SMITH).
  if (Words() > 1 && !IsConjunction(Word(1)) && Blanks(Word(1)).size() == 1) {
    Str255 middle = Blanks(rec.Middle);
    middle += ' ';
    middle += Word(1);
    rec.Middle = middle;
    DeleteWords(1, 1);
  }
}

void TLxNameParser::TakeLastName() {
  if (Words() == 0 || IsConjunction(Word(1))) return;
  Str255 text;
  // Particles join the word after them: VAN DER BERG.
  while (Words() > 0 && IsLn2(Word(1))) {
    if (!text.empty()) text += ' ';
    text += Word(1);
    DeleteWords(1, 1);
  }
  if (Words() > 0) {
    if (!text.empty()) text += ' ';
    text += Word(1);
    DeleteWords(1, 1);
  }
  Current().Last = text;
  if (name_count_ > 1) {
    TLxNameRec& previous = names_[name_count_ - 2];
    if (previous.NameResult == nrName && previous.Last.empty()) previous.Last = text;
  }
}

void TLxNameParser::TakeSuffix() {
  if (Words() == 0) return;
  TLxNameRec& rec = Current();
  if (IsSuffix(Word(1))) {
    rec.Suffix = Word(1);
    DeleteWords(1, 1);
  } else {
    rec.Suffix.clear();
  }
}

void TLxNameParser::TakeProfTitle() {
  if (Words() == 0 || IsConjunction(Blanks(Word(1)))) return;
  int n = 0;
  while (n < Words() && IsJob(Word(n + 1))) ++n;
  if (n >= 1 && IsConjunction(Word(n))) --n;
  if (n < 1) return;
  Current().ProfTitle = Blanks(JoinWords(1, n));
  DeleteWords(1, n);
}

Str255 TLxNameParser::FindTitles() {
  int start = 0;
  int count = 0;
  for (int i = 1; i <= Words(); ++i) {
    if (IsTitle(Word(i))) {
      if (start == 0) start = i;
      ++count;
    } else if (start > 0) {
      break;
    }
  }
  if (start == 0) return {};
  const Str255 text = Blanks(JoinWords(start, count));
  // A lone conjunction held by the title context is no title.
  if (IsConjunction(text)) return {};
  DeleteWords(start, count);
  return text;
}

Str255 TLxNameParser::FindSuffix() {
  for (int i = 1; i <= Words(); ++i) {
    if (CheckCompoundNames && IsConjunction(Word(i))) break;
    if (IsSuffix(Word(i))) {
      const Str255 suffix = Word(i);
      DeleteWords(i, 1);
      return suffix;
    }
  }
  return {};
}

Str255 TLxNameParser::FindProfTitles() {
  if (Words() == 0 || Word(1) == "AND") return {};
  int start = 0;
  int count = 0;
  for (int i = 1; i <= Words(); ++i) {
    const std::string_view w = Word(i);
    if (IsJob(w)) {
      if (start == 0 && IsConjunction(w)) continue;
      if (start == 0) start = i;
      ++count;
    } else if (start > 0) {
      break;
    }
  }
  if (start == 0) return {};
  Str255 text = Blanks(JoinWords(start, count));
  const std::string_view lastWord = Word(start + count - 1);
  if (IsConjunction(lastWord)) {
    // The trailing conjunction is cut where its characters first occur, and
    // the conjunction itself stays in the word list.
    const std::size_t p = text.view().find(lastWord);
    if (p != std::string_view::npos) {
      Str255 cut = text.view().substr(0, p);
      cut += text.view().substr(p + lastWord.size());
      text = cut;
    }
    --count;
    if (count > 0) DeleteWords(start, count);
  } else {
    DeleteWords(start, count);
  }
  return text;
}

Str255 TLxNameParser::FindCareOf() {
  int start = 0;
  int count = 0;
  for (int i = 1; i <= Words(); ++i) {
    const std::string_view w = Word(i);
    if (CheckCompoundNames && IsConjunction(w)) break;
    if (IsCareOfWord(w)) {
      if (start == 0) start = i;
      ++count;
    } else if (start > 0) {
      break;
    }
  }
  if (start == 0) return {};
  const Str255 text = Blanks(JoinWords(start, count));
  DeleteWords(start, count);
  return text;
}

bool TLxNameParser::IsVanMac(std::string_view word) {
  return word == "VAN" || word == "MAC";
}

void TLxNameParser::FinishName() {
  TLxNameRec& rec = Current();
  // DR SMITH: with a title and no gender, the only word is the last name.
  if (rec.Last.empty() && !rec.Prefix.empty() && rec.Gender == 'U') {
    rec.Last = rec.First;
    rec.First.clear();
    rec.NameResult = nrNameLast;
    rec.Gender = 'U';
    rec.GenderLevel = '9';
    if (GenderByPrefix) GenderByPrefixRule();
  }
  if (!CompoundInitials) return;
  if (rec.First.empty() && !rec.Prefix.empty()) {
    InitialsSource.SetText(rec.Prefix);
    const int n = InitialsSource.WordCount();
    if (n > 1 && InitialsSource.WordLength(n) == 2) {
      rec.First = InitialsSource.WordView(n);
      InitialsSource.DeleteWord(n);
      rec.Prefix = Blanks(InitialsSource.GetText());
      if (GenderByPrefix) GenderByPrefixRule();
    }
  }
  // JA SMITH: a two-letter first name that is no given name is two initials.
  if (Blanks(rec.First).size() == 2 && !IsGiven(rec.First) && rec.Middle.empty()) {
    const Str30 first = Blanks(rec.First);
    rec.Middle = first.view().substr(1, 1);
    rec.First = first.view().substr(0, 1);
  }
}

void TLxNameParser::GenderByPrefixRule() {
  TLxNameRec& rec = Current();
  if (rec.Gender == 'F' || rec.Gender == 'M') return;
  if (rec.Prefix == "MR") {
    rec.Gender = 'M';
  } else if (rec.Prefix == "MS") {
    rec.Gender = 'F';
  } else if (rec.Middle.size() > 1) {
    // The first word of the middle name decides (MARY ANN counts as MARY).
    const std::string_view middle = Blanks(rec.Middle);
    const TLxNameIndex::Entry* e = WordIndex.Find(middle.substr(0, middle.find(' ')));
    if (e != nullptr && (e->contexts & kGiven)) rec.Gender = TLxGenderize::GenderOf(e->genderLevel);
  }
}

bool TLxNameParser::SalutationOfType(std::uint8_t type, int i, std::size_t maxLength,
                                     Str255& out) const {
  out.clear();
  const TLxNameRec& r = Name(i);
  Str255 body;
  switch (type) {
    case stPrefixLast:
      if (r.Prefix.empty() || r.Last.empty()) return false;
      body = Blanks(r.Prefix);
      body += ' ';
      body += Blanks(r.Last);
      break;
    case stFirst:
      if (r.First.size() < 2) return false;
      body = Blanks(r.First);
      break;
    case stFullname: {
      const Str255 full = FullName(i);
      if (full.empty()) return false;
      if (r.NameResult == nrFamily) {
        body = Blanks(r.Last);
        body += ' ';
        body += Blanks(r.Suffix);
      } else {
        body = full;
      }
      break;
    }
    case stText:
      body = SalutationText;
      break;
    default:
      return false;
  }
  out = Blanks(SalutationPrefix);
  out += ' ';
  out += Blanks(body);
  out += SalutationSuffix;
  out.truncate(maxLength);
  return true;
}

Str255 TLxNameParser::Salutation(int i) const {
  const TLxNameRec& r = Name(i);
  Str255 out;
  if (r.NameResult == nrFamily) {
    out = Blanks(SalutationPrefix);
    out += ' ';
    out += Blanks(r.Last);
    out += ' ';
    out += Blanks(r.Suffix);
    out += SalutationSuffix;
    return out;
  }
  if (SalutationOfType(PrimarySalutation, i, Str255::capacity(), out)) return out;
  if (SalutationOfType(SecondarySalutation, i, Str255::capacity(), out)) return out;
  if (SalutationError == seFullname) {
    SalutationOfType(stFullname, i, Str255::capacity(), out);
  } else if (SalutationError == seText) {
    SalutationOfType(stText, i, Str255::capacity(), out);
  }
  if (out.empty()) SalutationOfType(stText, i, Str255::capacity(), out);
  return out;
}

Str255 TLxNameParser::CompoundSalutation() const {
  if (name_count_ < 2) return {};
  const auto counts = [](const TLxNameRec& r) {
    return r.NameResult != nrFirm && Blanks(r.First).size() >= 2;
  };
  int n = 0;
  for (int i = 0; i < name_count_; ++i)
    if (counts(names_[i])) ++n;
  if (n < 2) return {};
  Str255 list;
  int j = 0;
  for (int i = 0; i < name_count_; ++i) {
    if (!counts(names_[i])) continue;
    ++j;
    list += Blanks(names_[i].First);
    if (j == n - 1) {
      list += " AND ";
    } else if (j < n) {
      list += ", ";
    }
  }
  Str255 out = Blanks(SalutationPrefix);
  out += ' ';
  out += Blanks(list);
  out += SalutationSuffix;
  return out;
}

}  // namespace lx
