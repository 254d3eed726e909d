// Texts the library reports through LxLastError.
#pragma once

namespace lxapi {

inline constexpr const char* kMsgNoParsers =
    "Parsing objects have not been created.\nCall LxInitParsers to create objects.";
// The name parse has always named the older entry point in its second line.
inline constexpr const char* kMsgNoParsersName =
    "Parsing objects have not been created.\nCall InitParsers to create objects.";
inline constexpr const char* kMsgNoDictionary = "Dictionary file does not exist.";
inline constexpr const char* kMsgInvalidOption = "Invalid OptionCode specified";
inline constexpr const char* kMsgIndexOutOfRange = "Index out of range";
inline constexpr const char* kMsgNullArgument = "A required pointer argument is null";

}  // namespace lxapi
