// Shared value types of the engine: the fixed-capacity short string every field
// width is expressed in, the 256-bit character set the tokenizer and the string
// utilities test membership with, and the one exception type the engine throws.
//
// Short strings never allocate and never fail: text longer than the capacity is
// cut on assignment or append, which is how every result field of the parsers
// behaves. Bytes are single-byte characters (Windows-1252); NUL is an ordinary
// byte to this type, although engine texts never contain one.
#pragma once

#include <algorithm>
#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lx {

template <std::size_t N>
class ShortString {
  static_assert(N >= 1 && N <= 255, "a short string holds at most 255 characters");

 public:
  static constexpr std::size_t kCapacity = N;

  constexpr ShortString() = default;
  constexpr ShortString(std::string_view s) { assign(s); }  // NOLINT: implicit by design
  constexpr ShortString(const char* s) { assign(std::string_view(s)); }  // NOLINT

  constexpr ShortString& operator=(std::string_view s) {
    assign(s);
    return *this;
  }
  constexpr ShortString& operator=(const char* s) {
    assign(std::string_view(s));
    return *this;
  }

  // Keeps the first N characters of s.
  constexpr void assign(std::string_view s) {
    length_ = static_cast<std::uint8_t>(std::min(s.size(), N));
    std::copy_n(s.data(), length_, data_.data());
  }
  // Appends what still fits; the rest is cut.
  constexpr ShortString& append(std::string_view s) {
    const std::size_t n = std::min(s.size(), N - length_);
    std::copy_n(s.data(), n, data_.data() + length_);
    length_ = static_cast<std::uint8_t>(length_ + n);
    return *this;
  }
  constexpr ShortString& append(std::size_t count, char c) {
    const std::size_t n = std::min(count, N - length_);
    std::fill_n(data_.data() + length_, n, c);
    length_ = static_cast<std::uint8_t>(length_ + n);
    return *this;
  }
  constexpr ShortString& operator+=(std::string_view s) { return append(s); }
  constexpr ShortString& operator+=(char c) { return append(1, c); }
  constexpr void push_back(char c) { append(1, c); }

  constexpr void clear() { length_ = 0; }
  // Shortens to n characters; never lengthens.
  constexpr void truncate(std::size_t n) {
    if (n < length_) length_ = static_cast<std::uint8_t>(n);
  }

  constexpr std::size_t size() const { return length_; }
  constexpr std::size_t length() const { return length_; }
  constexpr bool empty() const { return length_ == 0; }
  static constexpr std::size_t capacity() { return N; }

  constexpr const char* data() const { return data_.data(); }
  constexpr char* data() { return data_.data(); }
  constexpr char operator[](std::size_t i) const { return data_[i]; }
  constexpr char& operator[](std::size_t i) { return data_[i]; }
  constexpr char front() const { return data_[0]; }
  constexpr char back() const { return data_[length_ - 1]; }
  constexpr const char* begin() const { return data_.data(); }
  constexpr const char* end() const { return data_.data() + length_; }
  constexpr char* begin() { return data_.data(); }
  constexpr char* end() { return data_.data() + length_; }

  constexpr std::string_view view() const { return {data_.data(), length_}; }
  constexpr operator std::string_view() const { return view(); }  // NOLINT: implicit by design
  std::string str() const { return std::string(view()); }

  friend constexpr bool operator==(const ShortString& a, const ShortString& b) {
    return a.view() == b.view();
  }
  friend constexpr bool operator==(const ShortString& a, std::string_view b) {
    return a.view() == b;
  }
  friend constexpr bool operator==(const ShortString& a, const char* b) {
    return a.view() == std::string_view(b);
  }

 private:
  std::uint8_t length_ = 0;
  // Only the first length_ bytes are meaningful; the rest is left uninitialised so
  // that making and returning short strings costs no more than their text.
  std::array<char, N> data_;
};

using Str255 = ShortString<255>;
// Dictionary keys and targets: the record fields hold 40 characters, the
// lookup items keep up to 41.
using Str41 = ShortString<41>;

// A set of byte values, one bit each.
class CharSet {
 public:
  constexpr CharSet() = default;
  constexpr CharSet(std::string_view members) {  // NOLINT: implicit by design
    for (char c : members) insert(c);
  }
  constexpr void insert(char c) {
    const auto b = static_cast<unsigned char>(c);
    bits_[b >> 6] |= std::uint64_t{1} << (b & 63);
  }
  constexpr void erase(char c) {
    const auto b = static_cast<unsigned char>(c);
    bits_[b >> 6] &= ~(std::uint64_t{1} << (b & 63));
  }
  constexpr bool contains(char c) const {
    const auto b = static_cast<unsigned char>(c);
    return (bits_[b >> 6] >> (b & 63)) & 1;
  }
  constexpr bool empty() const { return (bits_[0] | bits_[1] | bits_[2] | bits_[3]) == 0; }
  friend constexpr bool operator==(const CharSet&, const CharSet&) = default;

 private:
  std::array<std::uint64_t, 4> bits_{};
};

// The engine's one exception type. Its message is one of the system's texts
// ("Index out of range", "Input string is empty", "Key already exists",
// "<path> is not a valid dictionary") or names a file and the system's reason.
class LxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace lx
