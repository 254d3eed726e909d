// Reading the rows of a dBase table for the context import.
//
// TdmDbfTable opens a .dbf file read-only and finds the six fields the import
// needs by name, ignoring case and field order; other fields are ignored.
// Rows marked deleted are skipped. Character fields come without leading and
// trailing blanks (the reader trims them); logical fields are true for T, t,
// Y or y; an empty numeric field reads as 0.
//
// Errors (lx::LxError): a file that cannot be opened or is no dBase table
// names the file and the reason; a missing field names the field and the file.
// The file stays open while the object lives.
#pragma once

#include <memory>
#include <string>

namespace zeb {

struct TdmDbfRow {
  std::string Source;
  double Context = 0;
  std::string Target;
  bool Exception = false;
  std::string Comments;
  bool Active = false;
};

class TdmDbfTable {
 public:
  explicit TdmDbfTable(const std::string& path);
  ~TdmDbfTable();
  TdmDbfTable(const TdmDbfTable&) = delete;
  TdmDbfTable& operator=(const TdmDbfTable&) = delete;

  // The next row not marked deleted; false at the end of the table.
  bool Next(TdmDbfRow& row);
  // 1-based number of the row Next gave last, deleted rows counted.
  int RowNumber() const { return next_; }

 private:
  struct Handle;
  std::unique_ptr<Handle> handle_;
  std::string path_;
  int rows_ = 0;
  int next_ = 0;
  int source_ = -1, context_ = -1, target_ = -1, exception_ = -1, comments_ = -1, active_ = -1;
};

}  // namespace zeb
