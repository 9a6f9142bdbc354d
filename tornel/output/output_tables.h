// The tables of the NC output for one run: addresses, modal values, the
// trigger table, the ring of pending NC lines and the NC file they go to.
// Built by the compiler passes, used by the output statements, released
// with the run.
#pragma once

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "tornel/output/address_table.h"
#include "tornel/output/line_ring.h"
#include "tornel/output/modal_groups.h"
#include "tornel/output/replacements.h"
#include "tornel/output/trigger_table.h"

namespace tornel {

// A comment PPRINT collected from a record of several words: ssComment
// holds the words joined with "," (a Comments post function reads them
// so); the positions of those joining commas are kept here, so that the NC
// comment can keep the words apart when its filter drops the comma.
struct JoinedComment {
  std::string text;           // the ssComment text as PPRINT left it
  std::vector<size_t> joins;  // where in it a "," joins two words
};

struct OutputTables {
  AddressTable addresses;
  ModalValues modal;
  TriggerTable triggers;
  LineRing ring;
  std::FILE* nc = nullptr;  // the NC file that completed lines are written to
  std::string nc_name;      // its name in reports: the NC file's path as the user gave it
  bool nc_failed = false;   // a write or the close failed: the file may end in a cut line
  // While FileSel sends the lines to a file of the post's: the NC file and
  // its name, to come back to.
  std::FILE* nc_held = nullptr;
  std::string nc_held_name;
  ReplacementList replacements;  // replace:, repword:, repaddr: (string table indexes)
  // Word texts of the output statements being run, one per nesting level
  // (a trigger may run a statement while another one forms a word); a
  // deque, so that a deeper level does not move the texts of those above.
  std::deque<std::string> word_buffers;
  size_t word_depth = 0;
  // The line that the words being formed go to: triggered words join it.
  int word_slot = 0;
  // Triggered statements (their positions) and OnAddr functions (their
  // descriptors, negated - 1) now running: none runs again inside itself.
  std::vector<int> running_triggers;
  // Pending comments that a `com` word leaves for comment lines after its
  // statement's line.
  std::vector<std::string> comment_lines;
  // Per ssComment entry, how PPRINT joined its text (empty when it did not).
  std::vector<JoinedComment> joined_comments;
};

}  // namespace tornel
