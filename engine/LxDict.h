// The dictionary file: a 32-byte header, then fixed 138-byte records, each
// mapping a Source text to a Target text inside a numbered context.
//
// Layout (little-endian, packed): header "LXC", format flag, 4 zero bytes,
// the save moment as a day-count double at offset 8, 16 zero bytes. A second,
// read-only header layout has three zero bytes and "ZEB" at offset 47 (format
// flag 0). Records: ContextId (int32), Spec_Case, Active, Source[41],
// Target[41], Comments[41], Date_Upd (double), Hidden. Source and Target are
// stored scrambled; Comments in clear. The file ends after the last whole
// record; a trailing partial record is ignored.
//
// Errors: a file that is not a dictionary throws LxError("<path> is not a
// valid dictionary"); a file that cannot be opened, read or written throws
// LxError naming the file and the system's reason.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "LxTypes.h"

namespace lx {

inline constexpr std::size_t kDictHeaderSize = 32;
inline constexpr std::size_t kDictRecordSize = 138;
inline constexpr std::size_t kDictTextField = 41;  // 40 characters and a terminator
inline constexpr std::size_t kDictMaxText = kDictTextField - 1;
inline constexpr std::uint8_t kCurrentFormatFlag = 1;

struct TLxDictRecord {
  std::int32_t ContextId = 0;
  std::uint8_t Spec_Case = 0;
  std::uint8_t Active = 0;
  char Source[kDictTextField] = {};
  char Target[kDictTextField] = {};
  char Comments[kDictTextField] = {};
  double Date_Upd = 0;
  std::uint8_t Hidden = 0;

  // A field's text: up to its first zero byte.
  static std::string_view FieldText(const char (&field)[kDictTextField]);
  // Stores at most 40 characters, zero-terminated, the rest of the field zero.
  static void SetField(char (&field)[kDictTextField], std::string_view text);

  std::string_view SourceText() const { return FieldText(Source); }
  std::string_view TargetText() const { return FieldText(Target); }
  std::string_view CommentsText() const { return FieldText(Comments); }
};

void EncodeRecord(const TLxDictRecord& record, unsigned char (&bytes)[kDictRecordSize]);
void DecodeRecord(const unsigned char (&bytes)[kDictRecordSize], TLxDictRecord& record);

// Rotates the 8 bits of c right by r mod 8 (left when negative).
unsigned char Rotate(unsigned char c, int r);
// Scrambles (encode) or unscrambles (decode) text in place; its length never
// changes and no non-zero byte becomes zero.
void TransformText(char* text, std::size_t length, std::string_view key, bool encode);
void ScrambleRecord(TLxDictRecord& record);
void UnscrambleRecord(TLxDictRecord& record);

// Checks the header of the file at path; returns its format flag (0 for the
// second layout).
std::uint8_t CheckDictionary(const std::string& path);

struct TLxDictHeader {
  std::uint8_t FormatFlag = 0;
  double SavedAt = 0;  // day count; 0 for the second layout
};

// Reads the records of a dictionary file in file order, from offset 32 until
// fewer than 138 bytes remain. The file is open while the reader lives.
class TLxDictReader {
 public:
  explicit TLxDictReader(const std::string& path);
  ~TLxDictReader();
  TLxDictReader(const TLxDictReader&) = delete;
  TLxDictReader& operator=(const TLxDictReader&) = delete;

  // The next record as stored (still scrambled); false at the end.
  bool Next(TLxDictRecord& record);
  // Header of the file; checks it like CheckDictionary.
  TLxDictHeader ReadHeader();
  // Bytes after the last whole record (a partial record).
  std::uint64_t TrailingBytes();

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
  bool at_records_ = false;
  std::unique_ptr<char[]> buffer_;
  void SeekRecords();
};

// Writes a dictionary file: the header with formatFlag and savedAt, then every
// record zero-filled and scrambled. The records are given in clear. The file
// is written beside path under a temporary name and renamed at the end, so a
// failure leaves an existing file untouched.
void WriteDictionary(const std::string& path, std::span<const TLxDictRecord> records,
                     double savedAt, std::uint8_t formatFlag = kCurrentFormatFlag);

// Day counts: days since 30 December 1899, the fraction being the time of day.
double DayCountFromUnix(std::int64_t seconds);  // seconds taken as wall-clock time
double DayCountNow();                           // local time
// "YYYY-MM-DD HH:MM:SS", or "YYYY-MM-DD" when the fraction is zero.
std::string FormatDayCount(double dayCount);

// An LxError naming the file and the system's reason for the current errno.
[[noreturn]] void ThrowFileError(std::string_view action, const std::string& path);

}  // namespace lx
