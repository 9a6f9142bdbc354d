// Reading on past the current record without moving the reader: the
// records held in the look-ahead ring, then those of the working copy of
// the APT-CL file after them, each handed to a visitor until it says stop.
#pragma once

#include "tornel/cl/cl_context.h"
#include "tornel/cl/cl_record.h"

namespace tornel {

// Returns false to stop at `record`.
class RecordVisitor {
 public:
  virtual ~RecordVisitor() = default;
  virtual bool Visit(const RecordSlot& record) = 0;
};

// Visits the records after the one being processed, in file order, until
// the visitor stops or the data ends.  The working copy is read (in the
// second pass) through a file handle of its own, so the reader's position
// is untouched; when it cannot be positioned the run ends with
// `seek_message`.  False when the data ended before the visitor stopped.
bool VisitRecordsAhead(ClContext& ctx, RecordVisitor& visitor, const char* seek_message);

}  // namespace tornel
