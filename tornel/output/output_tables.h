// The tables of the NC output for one run: addresses, modal values, the
// trigger table and the ring of pending NC lines.  Built by the compiler
// passes, used by the output statements, released with the run.
#pragma once

#include <string>
#include <vector>

#include "tornel/output/address_table.h"
#include "tornel/output/line_ring.h"
#include "tornel/output/modal_groups.h"
#include "tornel/output/replacements.h"
#include "tornel/output/trigger_table.h"

namespace tornel {

struct OutputTables {
  AddressTable addresses;
  ModalValues modal;
  TriggerTable triggers;
  LineRing ring;
  ReplacementList replacements;  // replace:, repword:, repaddr: (string table indexes)
  // Word texts of the output statements being run, one per nesting level
  // (a trigger may run a statement while another one forms a word).
  std::vector<std::string> word_buffers;
  size_t word_depth = 0;
};

}  // namespace tornel
