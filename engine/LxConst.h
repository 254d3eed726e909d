// Constants every subsystem shares: the message texts of the engine's
// exceptions, the dictionary context ids with their names, and the key the
// dictionary's text fields are scrambled with.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace lx {

inline constexpr std::string_view kMsgIndexOutOfRange = "Index out of range";
inline constexpr std::string_view kMsgInputEmpty = "Input string is empty";
inline constexpr std::string_view kMsgKeyExists = "Key already exists";
// printf-style: the path goes in place of %s.
inline constexpr std::string_view kMsgNotADictionary = "%s is not a valid dictionary";

// Context ids of the dictionary file.
enum TLxContextId : std::int32_t {
  ctxUnit = 101,
  ctxCaseLastName = 201,
  ctxCaseMac = 301,
  ctxCaseExceptions = 401,
  ctxFirms = 501,
  ctxCareOf = 601,
  ctxGenders = 701,
  ctxProfTitles = 801,
  ctxCompoundLast = 901,
  ctxPrefix = 1001,
  ctxSuffix = 1101,
  ctxPoBox = 1201,
  ctxRoutes = 1301,
  ctxStateAbbrev = 1401,
  ctxStateStd = 1501,
  ctxStreetSuffix = 1601,
  ctxDirectionals = 1701,
  ctxStreetNameStd = 1801,
  ctxProvinces = 9999,
};

struct TLxContextInfo {
  std::int32_t Id;
  std::string_view Name;             // the editor's name, also the dictionary source's file name
  std::string_view SpecCaseCaption;  // what the editor calls the Spec_Case flag
  bool ListedByEditor;
};

// Every context that has a name, in id order. Context 9999 has none: its
// entries are built in code, never read from the file.
std::span<const TLxContextInfo> ContextTable();

// The row of a named context, or nothing for 9999 and unknown ids.
const TLxContextInfo* FindContext(std::int32_t id);
std::optional<std::int32_t> ContextIdByName(std::string_view name);
// The context's name, or empty for a context without one.
std::string_view ContextName(std::int32_t id);

// Key of the position-dependent rotation applied to Source and Target.
inline constexpr std::string_view kScrambleKey = "KQZ718tarhyo";

}  // namespace lx
