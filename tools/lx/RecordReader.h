// Reads input records for lx: one line per record, or CSV/TSV with a header
// row, parsed by libcsv (quoted fields, embedded delimiters and line breaks,
// CRLF). A leading UTF-8 byte-order mark is dropped. Input is read in bounded
// chunks, so memory stays constant whatever the input size.
//
// A malformed record (bad quoting, a field count that differs from the
// header, a NUL byte) is reported by Next as a RecordError naming the line;
// the reader has then skipped past it and can go on.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

struct csv_parser;

namespace lxtool {

enum class InputFormat { Lines, Csv, Tsv };

struct InputRecord {
  std::vector<std::string> fields;
  std::uint64_t line = 0;  // 1-based line where the record starts
};

class RecordError : public std::runtime_error {
 public:
  RecordError(std::uint64_t line, const std::string& reason, std::string raw = {})
      : std::runtime_error(reason), line_(line), raw_(std::move(raw)) {}
  std::uint64_t line() const { return line_; }
  // The record's text as it stood in the input, line breaks included.
  const std::string& raw() const { return raw_; }

 private:
  std::uint64_t line_;
  std::string raw_;
};

class RecordReader {
 public:
  // Takes ownership of file (closed on destruction unless it is stdin).
  // inputStart: the file begins an input (a byte-order mark is dropped there).
  RecordReader(std::FILE* file, InputFormat format, bool inputStart = true);
  ~RecordReader();
  RecordReader(const RecordReader&) = delete;
  RecordReader& operator=(const RecordReader&) = delete;

  // For CSV/TSV: reads and returns the header row (empty when the input is
  // empty). For lines: returns {"input"} without reading.
  std::vector<std::string> ReadHeader();
  // The next record; false at the end of the input. Throws RecordError for a
  // malformed record (already skipped) and std::runtime_error on a read error.
  bool Next(InputRecord& record);
  std::uint64_t BytesRead() const { return bytes_read_; }
  // Records must have this many fields (the header's count); 0: any.
  void ExpectFields(std::size_t n) { expected_fields_ = n; }

 private:
  bool NextLine(std::string& line);  // without its line break; false at the end
  void InitParser();
  void ResetParser();
  static void OnField(void* data, std::size_t length, void* self);
  static void OnRecordEnd(int c, void* self);

  std::FILE* file_;
  InputFormat format_;
  std::unique_ptr<csv_parser> parser_;
  std::vector<char> chunk_;
  std::size_t chunk_pos_ = 0;
  std::size_t chunk_len_ = 0;
  bool eof_ = false;
  bool first_line_ = true;
  std::uint64_t bytes_read_ = 0;
  std::uint64_t line_ = 0;
  std::size_t expected_fields_ = 0;

  // Filled by the libcsv callbacks.
  std::vector<std::string> fields_;
  bool record_done_ = false;
  bool has_nul_ = false;
  std::uint64_t record_line_ = 0;
  std::string raw_;  // input lines of the record being read
  std::string line_buffer_;
};

// Cuts an input into chunks of whole records, so that several threads can
// each read and parse a chunk of their own: a chunk ends after a line break
// that lies outside any quoted field (for CSV/TSV). A leading byte-order mark
// is dropped.
class ChunkReader {
 public:
  // Takes ownership of file, as RecordReader does.
  ChunkReader(std::FILE* file, InputFormat format);
  ~ChunkReader();
  ChunkReader(const ChunkReader&) = delete;
  ChunkReader& operator=(const ChunkReader&) = delete;

  // The next records, at least one and about minBytes in all; false at the
  // end of the input.
  bool Next(std::string& chunk, std::size_t minBytes);
  std::uint64_t BytesRead() const { return bytes_read_; }

 private:
  bool Fill();  // reads more input; false at its end

  std::FILE* file_;
  bool quotes_;  // whether a quote can hide a line break
  std::string buffer_;
  std::size_t pos_ = 0;
  bool eof_ = false;
  bool started_ = false;
  std::uint64_t bytes_read_ = 0;
};

}  // namespace lxtool
