// The observer of a traced run: notes, for each NC line when it gets its
// first word, the CL record being processed, the post statement running and
// the trigger or OnAddr function active, and for each line written to the
// NC file which of those notes it carries.
#pragma once

#include <string>
#include <vector>

#include "tornel/dev/trace_listing.h"
#include "tornel/driver/run_state.h"
#include "tornel/output/line_observer.h"

namespace tornel::dev {

class TraceObserver final : public LineObserver {
 public:
  // `vars`: the variables whose values each record's first NC line notes.
  TraceObserver(const RunState& run, std::vector<std::string> vars)
      : run_(run), var_names_(std::move(vars)) {}

  int LineStarted() override;
  void LineWritten(int mark, std::string_view text, bool to_nc_file) override;

  const TraceLog& log() const { return log_; }
  // The names of --vars that neither the system nor the post declares.
  const std::vector<std::string>& unknown_vars() const { return unknown_; }

 private:
  int CurrentRecord();
  std::string ActiveTrigger() const;
  std::string VariableValues();

  const RunState& run_;
  std::vector<std::string> var_names_;
  std::vector<const VariableEntry*> vars_;
  bool vars_resolved_ = false;
  std::vector<std::string> unknown_;
  TraceLog log_;
  int last_slot_ = -1;  // the reader's slot of the last record noted
};

}  // namespace tornel::dev
