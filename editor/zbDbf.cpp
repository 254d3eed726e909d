#include "zbDbf.h"

#include <shapefil.h>

#include <cerrno>
#include <cstring>

#include "LxTypes.h"

namespace zeb {

struct TdmDbfTable::Handle {
  explicit Handle(DBFHandle h) : dbf(h) {}
  ~Handle() { DBFClose(dbf); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  DBFHandle dbf;
};

namespace {

bool IsTrue(const char* value) {
  return value && (*value == 'T' || *value == 't' || *value == 'Y' || *value == 'y');
}

std::string TextOf(const char* value) {
  return value ? value : "";
}

}  // namespace

TdmDbfTable::TdmDbfTable(const std::string& path) : path_(path) {
  errno = 0;
  DBFHandle dbf = DBFOpen(path.c_str(), "rb");
  if (!dbf) {
    // shapelib reports no reason; errno holds one when the file itself failed.
    const int err = errno;
    throw lx::LxError("Cannot open file \"" + path +
                      "\": " + (err ? std::strerror(err) : "not a dBase table"));
  }
  handle_ = std::make_unique<Handle>(dbf);
  const auto field = [&](const char* name) {
    const int index = DBFGetFieldIndex(dbf, name);
    if (index < 0) {
      throw lx::LxError("Field \"" + std::string(name) + "\" not found in table \"" + path + "\"");
    }
    return index;
  };
  source_ = field("Source");
  context_ = field("Context");
  target_ = field("Target");
  exception_ = field("Exception");
  comments_ = field("Comments");
  active_ = field("Active");
  rows_ = DBFGetRecordCount(dbf);
}

TdmDbfTable::~TdmDbfTable() = default;

bool TdmDbfTable::Next(TdmDbfRow& row) {
  DBFHandle dbf = handle_->dbf;
  while (next_ < rows_) {
    const int i = next_++;
    if (DBFIsRecordDeleted(dbf, i)) continue;
    row.Source = TextOf(DBFReadStringAttribute(dbf, i, source_));
    row.Context =
        DBFIsAttributeNULL(dbf, i, context_) ? 0 : DBFReadDoubleAttribute(dbf, i, context_);
    row.Target = TextOf(DBFReadStringAttribute(dbf, i, target_));
    row.Exception = IsTrue(DBFReadLogicalAttribute(dbf, i, exception_));
    row.Comments = TextOf(DBFReadStringAttribute(dbf, i, comments_));
    row.Active = IsTrue(DBFReadLogicalAttribute(dbf, i, active_));
    return true;
  }
  return false;
}

}  // namespace zeb
