// The exports of LxApi: a thin shell over the engine's five parsers. Every
// export catches everything: no C++ exception ever reaches the host. Failures
// give -1 and set the library-wide last error, which only the next failure
// replaces.
#define LXAPI_BUILDING
#include "LxApi.h"

#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "LxAddr.h"
#include "LxApiConst.h"
#include "LxCanadianCity.h"
#include "LxCase.h"
#include "LxCitySt.h"
#include "LxName.h"

namespace {

using namespace lxapi;

struct LibraryState {
  std::unique_ptr<lx::TLxNameParser> name;
  std::unique_ptr<lx::TLxAddressParser> address;
  std::unique_ptr<lx::TLxCityStParser> city;
  std::unique_ptr<lx::TLxCanadianCityParser> canadian;
  std::unique_ptr<lx::TLxCaser> caser;
  std::string lastError;

  bool Ready() const { return name != nullptr; }
  void Release() {
    name.reset();
    city.reset();
    address.reset();
    caser.reset();
    canadian.reset();
  }
};

LibraryState& State() {
  static LibraryState state;  // created at load, released at unload
  return state;
}

int32_t Fail(const char* message) {
  State().lastError = message;
  return -1;
}

// Runs an export's body; any exception becomes -1 and the last error.
template <typename Body>
int32_t Guard(Body body) noexcept {
  try {
    return body();
  } catch (const std::exception& e) {
    try {
      return Fail(e.what());
    } catch (...) {
      return -1;
    }
  } catch (...) {
    return -1;
  }
}

struct Refusal {
  const char* message;
};

void RequireParsers(const char* message = kMsgNoParsers) {
  if (!State().Ready()) throw Refusal{message};
}

template <typename T>
T* NotNull(T* p) {
  if (!p) throw Refusal{kMsgNullArgument};
  return p;
}

// Like Guard, and turns the export's own refusals into their texts.
template <typename Body>
int32_t Export(Body body) noexcept {
  return Guard([&]() -> int32_t {
    try {
      return body();
    } catch (const Refusal& r) {
      return Fail(r.message);
    }
  });
}

int32_t CopyOut(std::string_view value, char* buffer) {
  NotNull(buffer);
  if (!value.empty()) std::memcpy(buffer, value.data(), value.size());
  return static_cast<int32_t>(value.size());
}

int32_t PutChar(char c, char* out) {
  *NotNull(out) = c;
  return 1;
}

lx::TLxNameParser& Names() {
  RequireParsers();
  return *State().name;
}
lx::TLxAddressParser& Address() {
  RequireParsers();
  return *State().address;
}
lx::TLxCityStParser& City() {
  RequireParsers();
  return *State().city;
}
lx::TLxCanadianCityParser& Canadian() {
  RequireParsers();
  return *State().canadian;
}

int32_t CheckIndex(int32_t index) {
  if (index < 1 || index > lx::TLxNameParser::kMaxNames) throw Refusal{kMsgIndexOutOfRange};
  return index;
}

// -1 asks; any other value stores its low 8 bits, as 1 for a set flag.
int32_t AskOrSet(std::uint8_t& stored, int32_t value, bool flag) {
  if (value == -1) return stored;
  const auto low = static_cast<std::uint8_t>(value & 0xFF);
  stored = flag ? (value != 0) : low;
  return 0;
}

// The name parser keeps its flags as bool.
int32_t AskOrSetFlag(bool& stored, int32_t value) {
  if (value == -1) return stored ? 1 : 0;
  stored = value != 0;
  return 0;
}

}  // namespace

extern "C" {

// ---- set-up, errors, case ------------------------------------------------------------

LX_API int32_t LX_CALL LxInitParsers(const char* Path) {
  return Export([&]() -> int32_t {
    LibraryState& s = State();
    s.Release();
    NotNull(Path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(Path, ec)) return Fail(kMsgNoDictionary);
    const std::string path(Path);
    try {
      s.name = std::make_unique<lx::TLxNameParser>(path);
      s.address = std::make_unique<lx::TLxAddressParser>(path);
      s.city = std::make_unique<lx::TLxCityStParser>(path);
      s.canadian = std::make_unique<lx::TLxCanadianCityParser>(path);
      s.caser = std::make_unique<lx::TLxCaser>(path);
    } catch (...) {
      s.Release();  // never a half-built set
      throw;
    }
    return 0;
  });
}

LX_API const char* LX_CALL LxLastError(void) {
  return State().lastError.c_str();
}

LX_API int32_t LX_CALL LxConvertCase(const char* Text, int32_t Option, char* Buffer) {
  return Export([&] {
    RequireParsers();
    NotNull(Text);
    NotNull(Buffer);
    const lx::Str255 cased =
        State().caser->ConvertCase(Text, static_cast<std::uint8_t>(Option & 0xFF));
    return CopyOut(cased, Buffer);
  });
}

LX_API int32_t LX_CALL LxSetCaseOption(int32_t OptionCode, int32_t Value) {
  return Export([&] {
    RequireParsers();
    if (OptionCode != 0) return Fail(kMsgInvalidOption);
    return AskOrSet(State().caser->LastNameOption, Value, false);
  });
}

// ---- names ---------------------------------------------------------------------------

LX_API int32_t LX_CALL LxParseName(const char* Name) {
  return Export([&] {
    RequireParsers(kMsgNoParsersName);
    lx::TLxNameParser& p = *State().name;
    p.SetInput(NotNull(Name));
    return static_cast<int32_t>(p.NameCount());
  });
}

LX_API int32_t LX_CALL LxNameCount(void) {
  return Export([] { return static_cast<int32_t>(Names().NameCount()); });
}

#define LX_NAME_TEXT(Export_, Field)                                                  \
  LX_API int32_t LX_CALL Export_(int32_t Index, char* Buffer) {                       \
    return Export([&] { return CopyOut(Names().Field(CheckIndex(Index)), Buffer); }); \
  }
LX_NAME_TEXT(LxNamePrefix, NamePrefix)
LX_NAME_TEXT(LxFirstName, FirstName)
LX_NAME_TEXT(LxMiddleName, MiddleName)
LX_NAME_TEXT(LxLastName, LastName)
LX_NAME_TEXT(LxNameSuffix, NameSuffix)
LX_NAME_TEXT(LxProfTitle, ProfTitle)
LX_NAME_TEXT(LxFullName, FullName)
LX_NAME_TEXT(LxSalutation, Salutation)
#undef LX_NAME_TEXT

LX_API int32_t LX_CALL LxCompoundSalutation(char* Buffer) {
  return Export([&] { return CopyOut(Names().CompoundSalutation(), Buffer); });
}

LX_API int32_t LX_CALL LxGender(int32_t Index, char* Out) {
  return Export([&] { return PutChar(Names().Gender(CheckIndex(Index)), Out); });
}

LX_API int32_t LX_CALL LxGenderLevel(int32_t Index, char* Out) {
  return Export([&] { return PutChar(Names().GenderLevel(CheckIndex(Index)), Out); });
}

LX_API int32_t LX_CALL LxNameResult(int32_t Index) {
  return Export([&] { return static_cast<int32_t>(Names().NameResult(CheckIndex(Index))); });
}

LX_API int32_t LX_CALL LxSetNameOption(int32_t OptionCode, int32_t Value) {
  return Export([&] {
    lx::TLxNameParser& p = Names();
    switch (OptionCode) {
      case 0:
        return AskOrSet(p.NameType, Value, false);
      case 1:
        return AskOrSetFlag(p.CheckFirms, Value);
      case 2:
        return AskOrSetFlag(p.CheckCompoundNames, Value);
      case 3:
        return AskOrSetFlag(p.CompoundInitials, Value);
      case 4:
        return AskOrSetFlag(p.GenderByPrefix, Value);
      case 5:
        return AskOrSetFlag(p.CommaReverse, Value);
      case 6:
        return AskOrSet(p.PrimarySalutation, Value, false);
      case 7:
        return AskOrSet(p.SecondarySalutation, Value, false);
      case 8:
        return AskOrSet(p.SalutationError, Value, false);
      default:
        return Fail(kMsgInvalidOption);
    }
  });
}

LX_API int32_t LX_CALL LxSalutationPrefix(const char* Text) {
  return Export([&] {
    lx::TLxNameParser& p = Names();
    p.SalutationPrefix = NotNull(Text);
    return static_cast<int32_t>(p.SalutationPrefix.size());
  });
}

LX_API int32_t LX_CALL LxGetSalutationPrefix(char* Buffer) {
  return Export([&] { return CopyOut(Names().SalutationPrefix, Buffer); });
}

LX_API int32_t LX_CALL LxSalutationSuffix(const char* Suffix) {
  return Export([&] {
    Names().SalutationSuffix = *NotNull(Suffix);
    return 1;
  });
}

LX_API int32_t LX_CALL LxGetSalutationSuffix(char* Out) {
  return Export([&] { return PutChar(Names().SalutationSuffix, Out); });
}

LX_API int32_t LX_CALL LxSalutationText(const char* Text) {
  return Export([&] {
    lx::TLxNameParser& p = Names();
    p.SalutationText = NotNull(Text);
    return static_cast<int32_t>(p.SalutationText.size());
  });
}

LX_API int32_t LX_CALL LxGetSalutationText(char* Buffer) {
  return Export([&] { return CopyOut(Names().SalutationText, Buffer); });
}

// ---- street addresses ----------------------------------------------------------------

LX_API int32_t LX_CALL LxSetAddrOption(int32_t OptionCode, int32_t Value) {
  return Export([&] {
    std::uint8_t* option = Address().OptionByCode(static_cast<unsigned>(OptionCode));
    if (!option) return Fail(kMsgInvalidOption);
    return AskOrSet(*option, Value, false);
  });
}

LX_API int32_t LX_CALL LxParseAddr(const char* Address_) {
  return Export([&] {
    RequireParsers();
    State().address->SetInput(NotNull(Address_));
    return 0;
  });
}

#define LX_ADDR_TEXT(Export_, Field)                                 \
  LX_API int32_t LX_CALL Export_(char* Buffer) {                     \
    return Export([&] { return CopyOut(Address().Field, Buffer); }); \
  }
LX_ADDR_TEXT(LxHousePrefix, HousePrefix)
LX_ADDR_TEXT(LxHouseNumber, HouseNumber)
LX_ADDR_TEXT(LxFraction, Fraction)
LX_ADDR_TEXT(LxPreDir, PreDir)
LX_ADDR_TEXT(LxStreetName, StreetName)
LX_ADDR_TEXT(LxStreetSuffix, StreetSuffix)
LX_ADDR_TEXT(LxPostDir, PostDir)
LX_ADDR_TEXT(LxUnitDesignator, UnitDesignator)
LX_ADDR_TEXT(LxUnitValue, UnitValue)
LX_ADDR_TEXT(LxBox, Box)
LX_ADDR_TEXT(LxRoute, Route)
#undef LX_ADDR_TEXT

LX_API int32_t LX_CALL LxHouseSuffix(char* Out) {
  return Export([&] { return PutChar(Address().HouseSuffix, Out); });
}

LX_API int32_t LX_CALL LxOddEven(char* Out) {
  return Export([&] { return PutChar(Address().OddEven, Out); });
}

LX_API int32_t LX_CALL LxMatchCode(char* Buffer) {
  return Export([&] { return CopyOut(Address().MatchCode(), Buffer); });
}

LX_API int32_t LX_CALL LxWalkKey(int32_t Flag, char* Buffer) {
  return Export(
      [&] { return CopyOut(Address().WalkKey(static_cast<std::uint8_t>(Flag & 0xFF)), Buffer); });
}

// ---- US and Canadian city lines ------------------------------------------------------

LX_API int32_t LX_CALL LxParseCity(const char* Line) {
  return Export([&] {
    RequireParsers();
    State().city->SetInput(NotNull(Line));
    return 0;
  });
}

#define LX_CITY_TEXT(Export_, Value)                              \
  LX_API int32_t LX_CALL Export_(char* Buffer) {                  \
    return Export([&] { return CopyOut(City().Value, Buffer); }); \
  }
LX_CITY_TEXT(LxCityName, City)
LX_CITY_TEXT(LxStateAbbr, StateAbbr)
LX_CITY_TEXT(LxStateName, StateName)
LX_CITY_TEXT(LxZip, Zip)
LX_CITY_TEXT(LxZip4, Zip4)
LX_CITY_TEXT(LxSCF, GetScf())
LX_CITY_TEXT(LxFips, Fips)
#undef LX_CITY_TEXT

LX_API int32_t LX_CALL LxParseCanCity(const char* Line) {
  return Export([&] {
    RequireParsers();
    State().canadian->SetInput(NotNull(Line));
    return 0;
  });
}

#define LX_CAN_TEXT(Export_, Field)                                   \
  LX_API int32_t LX_CALL Export_(char* Buffer) {                      \
    return Export([&] { return CopyOut(Canadian().Field, Buffer); }); \
  }
LX_CAN_TEXT(LxCanCityName, City)
LX_CAN_TEXT(LxCanProvinceAbbr, ProvAbbr)
LX_CAN_TEXT(LxCanProvinceName, ProvName)
LX_CAN_TEXT(LxCanZip, PostalCode)
#undef LX_CAN_TEXT

}  // extern "C"
