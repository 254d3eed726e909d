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

RecordReader::RecordReader(std::FILE* file, InputFormat format, bool inputStart)
    : file_(file), format_(format), chunk_(kChunk), first_line_(inputStart) {
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

ChunkReader::ChunkReader(std::FILE* file, InputFormat format)
    : file_(file), quotes_(format != InputFormat::Lines) {}

ChunkReader::~ChunkReader() {
  if (file_ && file_ != stdin) std::fclose(file_);
}

bool ChunkReader::Fill() {
  if (eof_) return false;
  if (pos_ > 0) {  // keep only what is not handed out yet
    buffer_.erase(0, pos_);
    pos_ = 0;
  }
  const std::size_t old = buffer_.size();
  buffer_.resize(old + kChunk);
  const std::size_t got = std::fread(buffer_.data() + old, 1, kChunk, file_);
  buffer_.resize(old + got);
  bytes_read_ += got;
  if (got < kChunk) {
    if (std::ferror(file_))
      throw std::runtime_error(std::string("read error: ") + std::strerror(errno));
    eof_ = true;
  }
  if (!started_) {
    started_ = true;
    if (buffer_.starts_with("\xEF\xBB\xBF")) buffer_.erase(0, 3);
  }
  return got > 0;
}

bool ChunkReader::Next(std::string& chunk, std::size_t minBytes) {
  // Offsets from pos_, which Fill may move.
  std::size_t scan = 0;
  std::size_t cut = 0;  // just past the last record boundary found
  bool inQuotes = false;
  bool more = true;
  while (cut == 0 || cut < minBytes) {
    if (pos_ + scan == buffer_.size() && !(more = Fill())) break;
    const char* data = buffer_.data() + pos_;
    const std::size_t end = buffer_.size() - pos_;
    if (!quotes_) {
      // Lines: the first line break at or after minBytes ends the chunk.
      const std::size_t from = std::max(scan, std::min(end, minBytes > 0 ? minBytes - 1 : 0));
      const void* nl = std::memchr(data + from, '\n', end - from);
      if (nl) {
        cut = static_cast<std::size_t>(static_cast<const char*>(nl) - data) + 1;
        break;
      }
      scan = end;
      continue;
    }
    for (; scan < end; ++scan) {
      const char c = data[scan];
      if (c == '"') {
        inQuotes = !inQuotes;
      } else if (c == '\n' && !inQuotes) {
        cut = scan + 1;
        if (cut >= minBytes) break;
      }
    }
  }
  if (!more) cut = buffer_.size() - pos_;  // the end: the rest, whole or not, is the last chunk
  if (cut == 0) return false;
  chunk.assign(buffer_, pos_, cut);
  pos_ += cut;
  return true;
}

}  // namespace lxtool
