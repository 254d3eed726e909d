#include "RecordReader.h"

#include <csv.h>

#include <cerrno>
#include <cstring>

namespace lxtool {

namespace {

constexpr std::size_t kChunk = 1 << 16;

// Fields pass through unchanged: no blank is trimmed.
int NeverSpace(unsigned char) {
  return 0;
}

}  // namespace

RecordReader::RecordReader(std::FILE* file, InputFormat format)
    : file_(file), format_(format), chunk_(kChunk) {
  if (format_ != InputFormat::Lines) {
    parser_ = std::make_unique<csv_parser>();
    InitParser();
  }
}

RecordReader::~RecordReader() {
  if (parser_) csv_free(parser_.get());
  if (file_ && file_ != stdin) std::fclose(file_);
}

void RecordReader::InitParser() {
  if (csv_init(parser_.get(), CSV_STRICT | CSV_STRICT_FINI) != 0)
    throw std::runtime_error("cannot set up the CSV reader");
  csv_set_delim(parser_.get(), format_ == InputFormat::Tsv ? CSV_TAB : CSV_COMMA);
  csv_set_space_func(parser_.get(), NeverSpace);
}

void RecordReader::ResetParser() {
  csv_free(parser_.get());
  InitParser();
  fields_.clear();
  record_done_ = false;
  has_nul_ = false;
  record_line_ = 0;
  raw_.clear();
}

bool RecordReader::NextLine(std::string& line) {
  line.clear();
  bool any = false;
  while (true) {
    if (chunk_pos_ == chunk_len_) {
      if (eof_) break;
      chunk_len_ = std::fread(chunk_.data(), 1, chunk_.size(), file_);
      chunk_pos_ = 0;
      bytes_read_ += chunk_len_;
      if (chunk_len_ < chunk_.size()) {
        if (std::ferror(file_))
          throw std::runtime_error(std::string("read error: ") + std::strerror(errno));
        eof_ = true;
      }
      if (chunk_len_ == 0) break;
    }
    any = true;
    const char* start = chunk_.data() + chunk_pos_;
    const auto* nl = static_cast<const char*>(std::memchr(start, '\n', chunk_len_ - chunk_pos_));
    if (nl) {
      line.append(start, nl);
      chunk_pos_ += static_cast<std::size_t>(nl - start) + 1;
      break;
    }
    line.append(start, chunk_len_ - chunk_pos_);
    chunk_pos_ = chunk_len_;
  }
  if (!any) return false;
  ++line_;
  if (first_line_) {
    first_line_ = false;
    if (line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
  }
  return true;
}

void RecordReader::OnField(void* data, std::size_t length, void* self) {
  auto* r = static_cast<RecordReader*>(self);
  const char* text = data ? static_cast<const char*>(data) : "";
  if (std::memchr(text, '\0', length)) r->has_nul_ = true;
  r->fields_.emplace_back(text, length);
}

void RecordReader::OnRecordEnd(int, void* self) {
  static_cast<RecordReader*>(self)->record_done_ = true;
}

std::vector<std::string> RecordReader::ReadHeader() {
  if (format_ == InputFormat::Lines) return {"input"};
  InputRecord header;
  // An unreadable header row is fatal: nothing after it can be mapped.
  if (!Next(header)) return {};
  expected_fields_ = header.fields.size();
  return header.fields;
}

bool RecordReader::Next(InputRecord& record) {
  if (format_ == InputFormat::Lines) {
    // Read into the record's own string, so that its storage is reused.
    record.fields.resize(1);
    std::string& text = record.fields.front();
    if (!NextLine(text)) return false;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    record.line = line_;
    if (text.find('\0') != std::string::npos)
      throw RecordError(line_, "NUL character in the line", text + "\n");
    return true;
  }
  std::string& line = line_buffer_;
  csv_parser* p = parser_.get();
  while (!record_done_) {
    const bool more = NextLine(line);
    if (!more) {
      if (record_line_ == 0 && fields_.empty()) return false;
      if (csv_fini(p, OnField, OnRecordEnd, this) != 0) {
        const std::uint64_t at = record_line_;
        std::string raw = std::move(raw_);
        ResetParser();
        throw RecordError(at, "unterminated quoted field at the end of the input", std::move(raw));
      }
      break;
    }
    if (record_line_ == 0) record_line_ = line_;
    line.push_back('\n');
    raw_ += line;
    if (csv_parse(p, line.data(), line.size(), OnField, OnRecordEnd, this) != line.size()) {
      const std::string reason = csv_strerror(csv_error(p));
      std::string raw = std::move(raw_);
      ResetParser();  // the rest of this line is skipped with the record
      throw RecordError(line_, "malformed CSV (" + reason + ")", std::move(raw));
    }
    // libcsv drops blank lines without starting a record.
    if (!record_done_ && p->pstate == 0) {
      record_line_ = 0;
      raw_.clear();
    }
  }
  record.line = record_line_;
  record.fields.swap(fields_);
  std::string raw = std::move(raw_);
  raw_.clear();
  const bool nul = has_nul_;
  fields_.clear();
  record_done_ = false;
  has_nul_ = false;
  record_line_ = 0;
  if (nul) throw RecordError(record.line, "NUL character in a field", std::move(raw));
  if (expected_fields_ && record.fields.size() != expected_fields_)
    throw RecordError(record.line,
                      "expected " + std::to_string(expected_fields_) +
                          " fields as in the header, found " + std::to_string(record.fields.size()),
                      std::move(raw));
  return true;
}

}  // namespace lxtool
