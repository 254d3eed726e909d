#include "Output.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace lxtool {

namespace {

std::string Reason() {
  return std::strerror(errno);
}

// Table rows travel as cells separated by the unit separator, one row a line.
constexpr char kCellSeparator = '\x1F';

std::size_t DisplayWidth(std::string_view utf8) {
  std::size_t n = 0;
  for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

}  // namespace

void AppendTableRow(std::string& out, const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i) out += kCellSeparator;
    for (char c : cells[i]) out += static_cast<unsigned char>(c) < 32 ? ' ' : c;
  }
  out += '\n';
}

std::string RenderTable(const std::string& rows) {
  std::vector<std::vector<std::string_view>> cells;
  std::vector<std::size_t> widths;
  std::string_view rest = rows;
  while (!rest.empty()) {
    const std::size_t nl = rest.find('\n');
    std::string_view line = rest.substr(0, nl);
    rest.remove_prefix(nl == rest.npos ? rest.size() : nl + 1);
    auto& row = cells.emplace_back();
    while (true) {
      const std::size_t sep = line.find(kCellSeparator);
      row.push_back(line.substr(0, sep));
      if (sep == line.npos) break;
      line.remove_prefix(sep + 1);
    }
    if (widths.size() < row.size()) widths.resize(row.size());
    for (std::size_t i = 0; i < row.size(); ++i)
      widths[i] = std::max(widths[i], DisplayWidth(row[i]));
  }
  std::string out;
  for (std::size_t r = 0; r < cells.size(); ++r) {
    std::string line;
    for (std::size_t i = 0; i < cells[r].size(); ++i) {
      line += cells[r][i];
      if (i + 1 < cells[r].size()) line.append(widths[i] - DisplayWidth(cells[r][i]) + 2, ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + '\n';
    if (r == 0) {
      std::size_t total = 0;
      for (std::size_t w : widths) total += w + 2;
      out += std::string(total > 2 ? total - 2 : 0, '-') + '\n';
    }
  }
  return out;
}

void AppendDelimitedField(std::string& out, char delimiter, std::string_view f) {
  const bool plain = std::none_of(f.begin(), f.end(), [delimiter](char c) {
    return c == delimiter || c == '"' || c == '\n' || c == '\r';
  });
  if (plain) {
    out += f;
    return;
  }
  out += '"';
  for (char c : f) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendJsonString(std::string& out, std::string_view s) {
  out += '"';
  for (char c : s) {
    const auto b = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (b < 0x20) {
          char u[8];
          std::snprintf(u, sizeof u, "\\u%04x", b);
          out += u;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void JsonObject::Name(std::string_view name) {
  if (!first_) out_ += ',';
  first_ = false;
  AppendJsonString(out_, name);
  out_ += ':';
}
void JsonObject::String(std::string_view name, std::string_view utf8) {
  Name(name);
  AppendJsonString(out_, utf8);
}
void JsonObject::Number(std::string_view name, long long value) {
  Name(name);
  out_ += std::to_string(value);
}
void JsonObject::Bool(std::string_view name, bool value) {
  Name(name);
  out_ += value ? "true" : "false";
}
void JsonObject::Raw(std::string_view name, std::string_view json) {
  Name(name);
  out_ += json;
}

void AppendDelimitedRow(std::string& out, char delimiter, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) out += delimiter;
    AppendDelimitedField(out, delimiter, fields[i]);
  }
  out += '\n';
}

OutputFile::OutputFile(const std::string& path) : path_(path) {
  if (path_.empty()) {
    file_ = stdout;
    return;
  }
  temp_ = path_ + ".tmp~";
  file_ = std::fopen(temp_.c_str(), "wb");
  if (!file_) throw std::runtime_error("cannot create file \"" + temp_ + "\": " + Reason());
}

OutputFile::~OutputFile() {
  if (file_ && file_ != stdout) {
    std::fclose(file_);
    std::remove(temp_.c_str());
  }
}

void OutputFile::Write(std::string_view s) {
  if (!s.empty() && std::fwrite(s.data(), 1, s.size(), file_) != s.size())
    throw std::runtime_error("cannot write \"" + (path_.empty() ? "standard output" : temp_) +
                             "\": " + Reason());
}

void OutputFile::Commit() {
  if (std::fflush(file_) != 0) throw std::runtime_error("cannot write: " + Reason());
  if (file_ == stdout) return;
  std::fclose(file_);
  file_ = nullptr;
  std::error_code ec;
  std::filesystem::rename(temp_, path_, ec);
  if (ec) throw std::runtime_error("cannot replace \"" + path_ + "\": " + ec.message());
}

}  // namespace lxtool
