// Conversion between UTF-8, which files and terminals use, and the engine's
// single-byte text (Windows-1252; the five bytes it leaves undefined map to
// the C1 control characters, so every byte has exactly one code point).
#pragma once

#include <string>
#include <string_view>

namespace lx {

// False, with out holding what was converted so far, at the first byte
// sequence that is not UTF-8 or a character the code page lacks; bad is then
// set to the offset of that sequence.
bool Utf8ToAnsi(std::string_view utf8, std::string& out, std::size_t* bad = nullptr);
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace lx
