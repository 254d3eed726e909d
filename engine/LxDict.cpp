#include "LxDict.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "LxConst.h"

namespace lx {

namespace {

constexpr std::size_t kReadBuffer = 1 << 16;
constexpr double kUnixEpochDayCount = 25569.0;  // 1 January 1970

template <typename T>
void PutLE(unsigned char* p, T value) {
  unsigned char raw[sizeof(T)];
  std::memcpy(raw, &value, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) std::reverse(raw, raw + sizeof(T));
  std::memcpy(p, raw, sizeof(T));
}

template <typename T>
T GetLE(const unsigned char* p) {
  unsigned char raw[sizeof(T)];
  std::memcpy(raw, p, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) std::reverse(raw, raw + sizeof(T));
  T value;
  std::memcpy(&value, raw, sizeof(T));
  return value;
}

void TransformField(char (&field)[kDictTextField], bool encode) {
  TransformText(field, TLxDictRecord::FieldText(field).size(), kScrambleKey, encode);
}

[[noreturn]] void ThrowNotADictionary(const std::string& path) {
  std::string msg(kMsgNotADictionary);
  msg.replace(msg.find("%s"), 2, path);
  throw LxError(msg);
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenForReading(const std::string& path) {
  FilePtr f(std::fopen(path.c_str(), "rb"));
  if (!f) ThrowFileError("open", path);
  return f;
}

// Reads up to n bytes at offset; returns how many came.
std::size_t ReadAt(std::FILE* f, long offset, unsigned char* out, std::size_t n) {
  if (std::fseek(f, offset, SEEK_SET) != 0) return 0;
  return std::fread(out, 1, n, f);
}

std::uint8_t CheckHeader(std::FILE* f, const std::string& path) {
  unsigned char magic[3] = {};
  if (ReadAt(f, 0, magic, 3) != 3) ThrowNotADictionary(path);
  if (magic[0] == 0 && magic[1] == 0 && magic[2] == 0) {
    unsigned char zeb[3] = {};
    if (ReadAt(f, 47, zeb, 3) != 3 || std::memcmp(zeb, "ZEB", 3) != 0) ThrowNotADictionary(path);
    return 0;
  }
  if (std::memcmp(magic, "LXC", 3) != 0) ThrowNotADictionary(path);
  unsigned char flag = 0;
  // A 3-byte "LXC" file has no flag byte: it is no dictionary either.
  if (ReadAt(f, 3, &flag, 1) != 1) ThrowNotADictionary(path);
  return flag;
}

}  // namespace

void ThrowFileError(std::string_view action, const std::string& path) {
  const int err = errno;
  throw LxError("Cannot " + std::string(action) + " file \"" + path +
                "\": " + (err ? std::strerror(err) : "unknown error"));
}

std::string_view TLxDictRecord::FieldText(const char (&field)[kDictTextField]) {
  return {field, strnlen(field, kDictTextField)};
}

void TLxDictRecord::SetField(char (&field)[kDictTextField], std::string_view text) {
  std::memset(field, 0, kDictTextField);
  std::memcpy(field, text.data(), std::min(text.size(), kDictMaxText));
}

void EncodeRecord(const TLxDictRecord& r, unsigned char (&b)[kDictRecordSize]) {
  PutLE<std::int32_t>(b, r.ContextId);
  b[4] = r.Spec_Case;
  b[5] = r.Active;
  std::memcpy(b + 6, r.Source, kDictTextField);
  std::memcpy(b + 47, r.Target, kDictTextField);
  std::memcpy(b + 88, r.Comments, kDictTextField);
  PutLE<double>(b + 129, r.Date_Upd);
  b[137] = r.Hidden;
}

void DecodeRecord(const unsigned char (&b)[kDictRecordSize], TLxDictRecord& r) {
  r.ContextId = GetLE<std::int32_t>(b);
  r.Spec_Case = b[4];
  r.Active = b[5];
  std::memcpy(r.Source, b + 6, kDictTextField);
  std::memcpy(r.Target, b + 47, kDictTextField);
  std::memcpy(r.Comments, b + 88, kDictTextField);
  r.Date_Upd = GetLE<double>(b + 129);
  r.Hidden = b[137];
}

unsigned char Rotate(unsigned char c, int r) {
  const int s = r % 8;
  if (s > 0) return static_cast<unsigned char>((c >> s) | (c << (8 - s)));
  if (s < 0) return static_cast<unsigned char>((c << -s) | (c >> (8 + s)));
  return c;
}

void TransformText(char* text, std::size_t length, std::string_view key, bool encode) {
  int sum = 0;
  for (char k : key) sum += static_cast<unsigned char>(k);
  const int d = encode ? -1 : 1;
  std::size_t k = 0;
  for (std::size_t p = 1; p <= length; ++p) {
    const int kc = key.empty() ? static_cast<int>(p) : static_cast<unsigned char>(key[k]);
    const int a = kc + sum;
    const int r = (p % 2 == 1) ? -d * a : d * a;
    text[p - 1] = static_cast<char>(Rotate(static_cast<unsigned char>(text[p - 1]), r));
    if (!key.empty()) k = (k + 1) % key.size();
  }
}

void ScrambleRecord(TLxDictRecord& record) {
  TransformField(record.Source, true);
  TransformField(record.Target, true);
}

void UnscrambleRecord(TLxDictRecord& record) {
  TransformField(record.Source, false);
  TransformField(record.Target, false);
}

std::uint8_t CheckDictionary(const std::string& path) {
  FilePtr f = OpenForReading(path);
  return CheckHeader(f.get(), path);
}

TLxDictReader::TLxDictReader(const std::string& path)
    : path_(path), file_(OpenForReading(path).release()), buffer_(new char[kReadBuffer]) {
  std::setvbuf(file_, buffer_.get(), _IOFBF, kReadBuffer);
}

TLxDictReader::~TLxDictReader() {
  std::fclose(file_);
}

void TLxDictReader::SeekRecords() {
  if (std::fseek(file_, static_cast<long>(kDictHeaderSize), SEEK_SET) != 0)
    ThrowFileError("read", path_);
  at_records_ = true;
}

TLxDictHeader TLxDictReader::ReadHeader() {
  TLxDictHeader h;
  h.FormatFlag = CheckHeader(file_, path_);
  unsigned char raw[kDictHeaderSize] = {};
  if (ReadAt(file_, 0, raw, kDictHeaderSize) >= 16 && std::memcmp(raw, "LXC", 3) == 0)
    h.SavedAt = GetLE<double>(raw + 8);
  at_records_ = false;
  return h;
}

bool TLxDictReader::Next(TLxDictRecord& record) {
  if (!at_records_) SeekRecords();
  unsigned char bytes[kDictRecordSize];
  const std::size_t got = std::fread(bytes, 1, kDictRecordSize, file_);
  if (got < kDictRecordSize) {
    if (std::ferror(file_)) ThrowFileError("read", path_);
    return false;
  }
  DecodeRecord(bytes, record);
  return true;
}

std::uint64_t TLxDictReader::TrailingBytes() {
  if (std::fseek(file_, 0, SEEK_END) != 0) ThrowFileError("read", path_);
  const long size = std::ftell(file_);
  at_records_ = false;
  if (size < static_cast<long>(kDictHeaderSize)) return 0;
  return static_cast<std::uint64_t>(size - kDictHeaderSize) % kDictRecordSize;
}

void WriteDictionary(const std::string& path, std::span<const TLxDictRecord> records,
                     double savedAt, std::uint8_t formatFlag) {
  const std::string temp = path + ".tmp~";
  {
    FilePtr f(std::fopen(temp.c_str(), "wb"));
    if (!f) ThrowFileError("create", temp);
    unsigned char header[kDictHeaderSize] = {'L', 'X', 'C', formatFlag};
    PutLE<double>(header + 8, savedAt);
    bool ok = std::fwrite(header, 1, kDictHeaderSize, f.get()) == kDictHeaderSize;
    unsigned char bytes[kDictRecordSize];
    for (const TLxDictRecord& in : records) {
      if (!ok) break;
      TLxDictRecord r;  // zero-filled: nothing but the texts reaches the file
      r.ContextId = in.ContextId;
      r.Spec_Case = in.Spec_Case;
      r.Active = in.Active;
      TLxDictRecord::SetField(r.Source, in.SourceText());
      TLxDictRecord::SetField(r.Target, in.TargetText());
      TLxDictRecord::SetField(r.Comments, in.CommentsText());
      r.Date_Upd = in.Date_Upd;
      r.Hidden = in.Hidden;
      ScrambleRecord(r);
      EncodeRecord(r, bytes);
      ok = std::fwrite(bytes, 1, kDictRecordSize, f.get()) == kDictRecordSize;
    }
    if (!ok || std::fflush(f.get()) != 0) {
      const int err = errno;
      f.reset();
      std::remove(temp.c_str());
      errno = err;
      ThrowFileError("write", temp);
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::remove(temp.c_str());
    throw LxError("Cannot replace file \"" + path + "\": " + ec.message());
  }
}

double DayCountFromUnix(std::int64_t seconds) {
  return kUnixEpochDayCount + static_cast<double>(seconds) / 86400.0;
}

double DayCountNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  // Wall-clock seconds of the local time, as if it were UTC.
  std::int64_t days = 0;
  {
    // days from civil (proleptic Gregorian)
    std::int64_t y = local.tm_year + 1900;
    const unsigned m = static_cast<unsigned>(local.tm_mon + 1);
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + local.tm_mday - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    days = era * 146097 + static_cast<std::int64_t>(doe) - 719468;
  }
  const std::int64_t secs = days * 86400 + local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
  return DayCountFromUnix(secs);
}

std::string FormatDayCount(double dayCount) {
  if (!std::isfinite(dayCount)) return "invalid date";
  const double whole = std::floor(dayCount);
  std::int64_t z = static_cast<std::int64_t>(whole) - 25569 + 719468;  // days since 0000-03-01
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
  const auto seconds =
      std::min(86399L, static_cast<long>(std::llround((dayCount - whole) * 86400.0)));
  char buf[96];
  if (seconds == 0)
    std::snprintf(buf, sizeof buf, "%04lld-%02u-%02u", static_cast<long long>(y), m, d);
  else
    std::snprintf(buf, sizeof buf, "%04lld-%02u-%02u %02ld:%02ld:%02ld", static_cast<long long>(y),
                  m, d, seconds / 3600, seconds / 60 % 60, seconds % 60);
  return buf;
}

}  // namespace lx
