#include "ParseCommand.h"

#include <CLI/CLI.hpp>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <ostream>

#include "LxAddr.h"
#include "LxCanadianCity.h"
#include "LxCase.h"
#include "LxCitySt.h"
#include "LxCodePage.h"
#include "LxName.h"
#include "LxUtils.h"
#include "ParseRunner.h"

namespace lxtool {

namespace fs = std::filesystem;

namespace {

// ---- the dictionary -----------------------------------------------------------------

// --dict, then LX_DICTIONARY, then the default dictionary beside the program:
// <prefix>/bin/lx finds <prefix>/share/lexorin/default.dct, both in the build
// tree and once installed.
std::string FindDictionary(const std::string& given) {
  if (!given.empty()) return given;
  if (const char* env = std::getenv("LX_DICTIONARY"); env && *env) return env;
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const fs::path candidate =
        exe.parent_path().parent_path() / "share" / "lexorin" / "default.dct";
    if (fs::exists(candidate, ec)) return candidate.string();
  }
#ifdef LX_INSTALLED_DICTIONARY
  if (fs::exists(LX_INSTALLED_DICTIONARY, ec)) return LX_INSTALLED_DICTIONARY;
#endif
  throw std::runtime_error(
      "no dictionary found: give one with --dict FILE or the LX_DICTIONARY variable");
}

void CheckDictionaryFile(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec))
    throw std::runtime_error("dictionary \"" + path + "\" does not exist or is not a file");
}

void Assign(std::vector<std::string_view>& values, std::initializer_list<std::string_view> parts) {
  values.assign(parts.begin(), parts.end());
}

std::string_view Char(const char& c) {
  return {&c, 1};
}

// ---- names --------------------------------------------------------------------------

struct NameOptions {
  std::string order = "natural";
  bool firms = false, compoundNames = false, compoundInitials = false, noGenderByPrefix = false,
       commaReverse = false, allNames = false;
  std::string primary = "prefix-last", secondary = "first", error = "fullname";
  std::optional<std::string> prefix, suffix, text;
};

const std::map<std::string, std::uint8_t> kOrders = {
    {"natural", lx::ntNatural}, {"reverse", lx::ntReverse}, {"detect", lx::ntDetect}};
const std::map<std::string, std::uint8_t> kSalutationTypes = {{"prefix-last", lx::stPrefixLast},
                                                              {"first", lx::stFirst},
                                                              {"fullname", lx::stFullname},
                                                              {"text", lx::stText}};
const std::map<std::string, std::uint8_t> kSalutationErrors = {{"fullname", lx::seFullname},
                                                               {"text", lx::seText}};

const char* kNameFields[] = {"prefix",       "first",      "middle",    "last",
                             "suffix",       "prof_title", "care_of",   "gender",
                             "gender_level", "result",     "full_name", "salutation"};
const char* kResultNames[] = {"nrName", "nrNameLast", "nrFamily", "nrFirm", "nrEmpty", "nrUnknown"};

std::vector<std::string> NameColumns(bool allNames) {
  std::vector<std::string> c(std::begin(kNameFields), std::end(kNameFields));
  c.push_back("name_count");
  c.push_back("compound_salutation");
  if (allNames)
    for (int n = 2; n <= lx::TLxNameParser::kMaxNames; ++n)
      for (const char* f : kNameFields) c.push_back(std::string(f) + "_" + std::to_string(n));
  return c;
}

class NameJob : public ParseJob {
 public:
  NameJob(const std::string& dict, const NameOptions& o) : p_(dict), all_(o.allNames) {
    p_.NameType = kOrders.at(o.order);
    p_.CheckFirms = o.firms;
    p_.CheckCompoundNames = o.compoundNames;
    p_.CompoundInitials = o.compoundInitials;
    p_.GenderByPrefix = !o.noGenderByPrefix;
    p_.CommaReverse = o.commaReverse;
    p_.PrimarySalutation = kSalutationTypes.at(o.primary);
    p_.SecondarySalutation = kSalutationTypes.at(o.secondary);
    p_.SalutationError = kSalutationErrors.at(o.error);
    if (o.prefix) p_.SalutationPrefix = *o.prefix;
    if (o.suffix) p_.SalutationSuffix = o.suffix->empty() ? '\0' : (*o.suffix)[0];
    if (o.text) p_.SalutationText = *o.text;
  }
  void Parse(std::string_view text) override { p_.SetInput(text); }
  void Values(std::vector<std::string_view>& v) override {
    v.clear();
    AddName(v, 1);
    count_ = static_cast<char>('0' + p_.NameCount());
    v.push_back(Char(count_));
    compound_ = p_.CompoundSalutation();
    v.push_back(compound_);
    if (all_)
      for (int n = 2; n <= lx::TLxNameParser::kMaxNames; ++n) AddName(v, n);
  }
  // Every parsed name goes into "names", whether or not --all-names widens the columns.
  void Json(JsonObject& json, const std::vector<std::string>&,
            const std::vector<std::string_view>& utf8) override {
    std::string& names = names_;
    names = "[";
    for (int n = 1; n <= p_.NameCount(); ++n) {
      if (n > 1) names += ',';
      record_.clear();
      AddName(record_, n);
      JsonObject rec(names);
      for (std::size_t f = 0; f < std::size(kNameFields); ++f)
        rec.String(kNameFields[f], lx::AnsiToUtf8(record_[f]));
      rec.Close();
    }
    names += ']';
    json.Raw("names", names);
    json.Number("name_count", p_.NameCount());
    json.String("compound_salutation", utf8[std::size(kNameFields) + 1]);
  }

 private:
  // Appends name n's twelve fields; the computed ones are kept in the job.
  void AddName(std::vector<std::string_view>& v, int n) {
    const lx::TLxNameRec& r = p_.Name(n);
    const bool parsed = n <= p_.NameCount();
    for (std::string_view f :
         {std::string_view(r.Prefix), std::string_view(r.First), std::string_view(r.Middle),
          std::string_view(r.Last), std::string_view(r.Suffix), std::string_view(r.ProfTitle),
          std::string_view(r.CareOf), Char(r.Gender), Char(r.GenderLevel),
          std::string_view(r.NameResult <= lx::nrUnknown ? kResultNames[r.NameResult]
                                                         : "nrUnknown")})
      v.push_back(f);
    const std::size_t k = static_cast<std::size_t>(n - 1);
    full_[k] = parsed ? p_.FullName(n) : lx::Str255();
    salutation_[k] = parsed ? p_.Salutation(n) : lx::Str255();
    v.push_back(full_[k]);
    v.push_back(salutation_[k]);
  }
  lx::TLxNameParser p_;
  bool all_;
  char count_ = '0';
  lx::Str255 compound_;
  std::array<lx::Str255, lx::TLxNameParser::kMaxNames> full_, salutation_;
  std::vector<std::string_view> record_;
  std::string names_;
};

// ---- addresses ----------------------------------------------------------------------

struct AddressOptions {
  bool noHouseRightJustify = false, houseLeadingZeros = false, noStdSuffix = false,
       noStdStreet = false, noHouseSuffixToUnit = false, unitRightJustify = false,
       unitFilterSpecial = false, checkHyphen = false, longMatchCode = false, complex = false,
       trim = false, walkOddEven = false;
};

class AddressJob : public ParseJob {
 public:
  AddressJob(const std::string& dict, const AddressOptions& o) : p_(dict), o_(o) {
    p_.HouseRightJustify = !o.noHouseRightJustify;
    p_.HouseLeadingZeros = o.houseLeadingZeros;
    p_.StdStreetSuffix = !o.noStdSuffix;
    p_.StdStreetName = !o.noStdStreet;
    p_.HouseSuffixToUnit = !o.noHouseSuffixToUnit;
    p_.UnitRightJustify = o.unitRightJustify;
    p_.UnitFilterSpecial = o.unitFilterSpecial;
    p_.CheckHyphen = o.checkHyphen;
    p_.ShortMatchCode = !o.longMatchCode;
    p_.ComplexAddress = o.complex;
  }
  void Parse(std::string_view text) override { p_.SetInput(text); }
  void Values(std::vector<std::string_view>& v) override {
    auto padded = [&](std::string_view s) { return o_.trim ? lx::Trim(s) : s; };
    matchCode_ = p_.MatchCode();
    walkKey_ = p_.WalkKey(o_.walkOddEven ? 1 : 0);
    Assign(v, {padded(p_.HousePrefix), padded(p_.HouseNumber),
               padded(std::string_view(&p_.HouseSuffix, 1)), p_.Fraction, p_.PreDir, p_.StreetName,
               p_.StreetSuffix, p_.PostDir, p_.UnitDesignator, padded(p_.UnitValue), padded(p_.Box),
               padded(p_.Route), padded(std::string_view(&p_.OddEven, 1)), matchCode_, walkKey_});
  }

 private:
  lx::TLxAddressParser p_;
  AddressOptions o_;
  lx::TLxAddrKey matchCode_, walkKey_;
};

// ---- city lines ---------------------------------------------------------------------

class CityJob : public ParseJob {
 public:
  explicit CityJob(const std::string& dict) : p_(dict) {}
  void Parse(std::string_view text) override { p_.SetInput(text); }
  void Values(std::vector<std::string_view>& v) override {
    scf_ = p_.GetScf();
    Assign(v, {p_.City, p_.StateAbbr, p_.StateName, p_.Zip, p_.Zip4, scf_, p_.Fips,
               p_.ZipOk ? "true" : "false"});
  }
  void Json(JsonObject& json, const std::vector<std::string>& columns,
            const std::vector<std::string_view>& utf8) override {
    for (std::size_t i = 0; i + 1 < columns.size(); ++i) json.String(columns[i], utf8[i]);
    json.Bool("zip_ok", p_.ZipOk);
  }

 private:
  lx::TLxCityStParser p_;
  lx::ShortString<3> scf_;
};

class CanadianCityJob : public ParseJob {
 public:
  explicit CanadianCityJob(const std::string& dict) : p_(dict) {}
  void Parse(std::string_view text) override { p_.SetInput(text); }
  void Values(std::vector<std::string_view>& v) override {
    Assign(v, {p_.City, p_.ProvAbbr, p_.ProvName, p_.PostalCode});
  }

 private:
  lx::TLxCanadianCityParser p_;
};

// ---- case ---------------------------------------------------------------------------

struct CaseOptions {
  bool noLastNames = false, states = false;
};

class CaseJob : public ParseJob {
 public:
  CaseJob(const std::string& dict, const CaseOptions& o) : p_(dict), states_(o.states) {
    p_.LastNameOption = o.noLastNames ? 0 : 1;
  }
  void Parse(std::string_view text) override { cased_ = p_.ConvertCase(text, states_ ? 1 : 0); }
  void Values(std::vector<std::string_view>& v) override { Assign(v, {cased_}); }

 private:
  lx::TLxCaser p_;
  bool states_;
  lx::Str255 cased_;
};

// ---- the command line ---------------------------------------------------------------

struct CommonOptions {
  RunOptions run;
  std::string dict;
  std::string format = "csv";
  std::string onError = "fail";
  std::string fields;
};

std::vector<std::string> SplitCommas(const std::string& s) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= s.size() && !s.empty()) {
    const std::size_t comma = s.find(',', start);
    parts.push_back(
        s.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return parts;
}

CLI::App* AddCommon(CLI::App& app, const std::string& name, const std::string& what,
                    CommonOptions& c) {
  CLI::App* cmd = app.add_subcommand(name, what);
  cmd->add_option("FILE", c.run.inputs,
                  "input files; none or '-' reads standard input. A .csv/.tsv file (or any file "
                  "with --column) has a header row; other files hold one record per line");
  cmd->add_option("-o,--output", c.run.output, "write to FILE instead of standard output");
  cmd->add_option("--format", c.format, "output format")
      ->check(CLI::IsMember({"csv", "tsv", "jsonl", "table"}))
      ->capture_default_str();
  cmd->add_option("--input", c.run.inputFormat, "input format (default: by file name)")
      ->check(CLI::IsMember({"lines", "csv", "tsv"}));
  cmd->add_option("--column", c.run.column,
                  "the column to parse, by header name or number (default: the column named like "
                  "the command, else the first)");
  cmd->add_option("--fields", c.fields,
                  "write only these parsed fields, comma-separated (default: all)");
  cmd->add_option("--dict", c.dict,
                  "dictionary file (default: $LX_DICTIONARY, else the default dictionary)");
  cmd->add_option("--threads", c.run.threads, "parsing threads (default: the number of cores)")
      ->check(CLI::Range(1, 256));
  cmd->add_option("--on-error", c.onError, "what a malformed input record does to the run")
      ->check(CLI::IsMember({"fail", "skip"}))
      ->capture_default_str();
  cmd->add_option("--rejects", c.run.rejects, "write skipped records to FILE");
  cmd->add_flag("-q,--quiet", c.run.quiet, "no progress bar and no summary line");
  return cmd;
}

OutputFormat ToFormat(const std::string& f) {
  if (f == "tsv") return OutputFormat::Tsv;
  if (f == "jsonl") return OutputFormat::Jsonl;
  if (f == "table") return OutputFormat::Table;
  return OutputFormat::Csv;
}

template <typename MakeKind>
void OnRun(CLI::App* cmd, std::shared_ptr<CommonOptions> c, std::function<int()>& action,
           std::ostream& out, std::ostream& err, MakeKind makeKind) {
  cmd->callback([=, &action, &out, &err] {
    action = [=, &out, &err] {
      RunOptions run = c->run;
      run.format = ToFormat(c->format);
      run.failOnError = c->onError == "fail";
      run.fields = SplitCommas(c->fields);
      std::string dict;
      try {
        dict = FindDictionary(c->dict);
        CheckDictionaryFile(dict);
      } catch (const std::exception& e) {
        err << "lx: " << e.what() << "\n";
        return 1;
      }
      return RunParse(makeKind(dict), run, out, err);
    };
  });
}

template <typename Options>
std::shared_ptr<Options> Shared() {
  return std::make_shared<Options>();
}

}  // namespace

void AddParseCommands(CLI::App& app, std::function<int()>& action, std::ostream& out,
                      std::ostream& err) {
  {
    auto c = Shared<CommonOptions>();
    auto o = Shared<NameOptions>();
    CLI::App* cmd = AddCommon(app, "name", "Parse personal and business name lines.", *c);
    cmd->add_option("--order", o->order, "name order of the lines")
        ->check(CLI::IsMember({"natural", "reverse", "detect"}))
        ->capture_default_str();
    cmd->add_flag("--firms", o->firms, "recognise firms by their firm words");
    cmd->add_flag("--compound-names", o->compoundNames,
                  "split lines holding several names (JOHN AND MARY SMITH)");
    cmd->add_flag("--compound-initials", o->compoundInitials,
                  "split a block of initials (JR) into first and middle initial");
    cmd->add_flag("--no-gender-by-prefix", o->noGenderByPrefix,
                  "do not judge gender from a title such as MR or MRS");
    cmd->add_flag("--comma-reverse", o->commaReverse,
                  "a line with a comma is in reverse order (SMITH, JOHN)");
    cmd->add_flag("--all-names", o->allNames, "write names 2 to 5 too (columns with _2 .. _5)");
    const auto types = CLI::IsMember({"prefix-last", "first", "fullname", "text"});
    cmd->add_option("--salutation-primary", o->primary, "salutation type tried first")
        ->check(types)
        ->capture_default_str();
    cmd->add_option("--salutation-secondary", o->secondary, "salutation type tried next")
        ->check(types)
        ->capture_default_str();
    cmd->add_option("--salutation-error", o->error, "salutation when both types fail")
        ->check(CLI::IsMember({"fullname", "text"}))
        ->capture_default_str();
    cmd->add_option("--salutation-prefix", o->prefix, "word that opens a salutation (DEAR)");
    cmd->add_option("--salutation-suffix", o->suffix, "character that ends a salutation (:)");
    cmd->add_option("--salutation-text", o->text, "the text of the text salutation (FRIEND)");
    OnRun(cmd, c, action, out, err, [o](const std::string& dict) {
      return JobKind{"name", NameColumns(o->allNames),
                     [dict, o] { return std::make_unique<NameJob>(dict, *o); }};
    });
  }
  {
    auto c = Shared<CommonOptions>();
    auto o = Shared<AddressOptions>();
    CLI::App* cmd = AddCommon(app, "address", "Parse street-address lines.", *c);
    cmd->add_flag("--no-house-right-justify", o->noHouseRightJustify,
                  "leave the house number unpadded");
    cmd->add_flag("--house-leading-zeros", o->houseLeadingZeros,
                  "pad the house number with zeros instead of blanks");
    cmd->add_flag("--no-std-suffix", o->noStdSuffix, "keep the street suffix as written");
    cmd->add_flag("--no-std-street", o->noStdStreet, "keep the street name as written");
    cmd->add_flag("--no-house-suffix-to-unit", o->noHouseSuffixToUnit,
                  "keep a house-number letter as the house suffix, not the unit");
    cmd->add_flag("--unit-right-justify", o->unitRightJustify, "pad the unit value on the left");
    cmd->add_flag("--unit-filter-special", o->unitFilterSpecial,
                  "drop special characters from the unit value");
    cmd->add_flag("--check-hyphen", o->checkHyphen,
                  "take 10-25 as house 25, unit 10 (Queens style)");
    cmd->add_flag("--long-match-code", o->longMatchCode, "write the 74-character match code");
    cmd->add_flag("--complex", o->complex, "lines may hold a box or route and a street");
    cmd->add_flag("--walk-odd-even", o->walkOddEven, "put the odd/even mark into the walk key");
    cmd->add_flag("--trim", o->trim, "trim the padded fields (house number, unit, box, route)");
    OnRun(cmd, c, action, out, err, [o](const std::string& dict) {
      return JobKind{"address",
                     {"house_prefix", "house_number", "house_suffix", "fraction", "pre_dir",
                      "street_name", "street_suffix", "post_dir", "unit_designator", "unit_value",
                      "box", "route", "odd_even", "match_code", "walk_key"},
                     [dict, o] { return std::make_unique<AddressJob>(dict, *o); }};
    });
  }
  {
    auto c = Shared<CommonOptions>();
    CLI::App* cmd = AddCommon(app, "city", "Parse US city lines: city, state and ZIP code.", *c);
    OnRun(cmd, c, action, out, err, [](const std::string& dict) {
      return JobKind{"city",
                     {"city", "state_abbr", "state_name", "zip", "zip4", "scf", "fips", "zip_ok"},
                     [dict] { return std::make_unique<CityJob>(dict); }};
    });
  }
  {
    auto c = Shared<CommonOptions>();
    CLI::App* cmd =
        AddCommon(app, "cancity", "Parse Canadian city lines: city, province and postal code.", *c);
    OnRun(cmd, c, action, out, err, [](const std::string& dict) {
      return JobKind{"cancity", {"city", "prov_abbr", "prov_name", "postal_code"}, [dict] {
                       return std::make_unique<CanadianCityJob>(dict);
                     }};
    });
  }

  {
    auto c = Shared<CommonOptions>();
    auto o = Shared<CaseOptions>();
    CLI::App* cmd = AddCommon(app, "case", "Convert text to proper case.", *c);
    cmd->add_flag("--no-last-names", o->noLastNames, "do not apply the last-name spellings");
    cmd->add_flag("--states", o->states, "upper-case state abbreviations");
    OnRun(cmd, c, action, out, err, [o](const std::string& dict) {
      return JobKind{"case", {"cased"}, [dict, o] { return std::make_unique<CaseJob>(dict, *o); }};
    });
  }
}

}  // namespace lxtool
