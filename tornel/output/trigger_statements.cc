#include "tornel/output/trigger_statements.h"

#include "tornel/compiler/tokens.h"
#include "tornel/interp/expression.h"
#include "tornel/interp/statements.h"
#include "tornel/interp/token_reader.h"
#include "tornel/output/line_ring.h"
#include "tornel/output/output_context.h"
#include "tornel/output/output_statement.h"

namespace tornel {

namespace {

char Byte(const Interp& in) { return in.bytes[in.st.pos]; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Leaves the statement's end current, its rest unread.
void SkipToStatementEnd(Interp& in) {
  while (in.st.pos < in.length && Byte(in) != kTokLineEnd) ++in.st.pos;
  ReadToken(in);
}

}  // namespace

void ReadTriggerList(Interp& in, int address_count, bool allow_all, const char* invalid,
                     std::vector<TriggerListItem>& items) {
  if (Byte(in) != '(') FatalAt(in.diag, kMsgWithBindLeftParen);
  ++in.st.pos;
  for (;;) {
    TriggerListItem item;
    if (!allow_all && Byte(in) == '!') item.flag = kTriggerFlagForce, ++in.st.pos;
    else if (!allow_all && Byte(in) == '?') item.flag = kTriggerFlagWritten, ++in.st.pos;
    if (allow_all && Byte(in) == kTokAll) {
      ++in.st.pos;
    } else if (Byte(in) == kTokAddress) {
      ++in.st.pos;
      if (!IsDigit(Byte(in))) FatalAt(in.diag, invalid);
      item.address = ReadDecimal(in);
      if (item.address < 1 || item.address > address_count) FatalAt(in.diag, invalid);
    } else {
      FatalAt(in.diag, invalid);
    }
    items.push_back(item);
    char c = Byte(in);
    ++in.st.pos;
    if (c == ')') return;
    if (c != ',') FatalAt(in.diag, invalid);
  }
}

size_t RecordStart(const Interp& in, size_t token_pos) {
  size_t p = token_pos;
  // Not first in its record (after a condition): the statement itself.
  if (p == 0 || in.bytes[p - 1] != kTokLocation) return token_pos;
  --p;
  while (p > 0 && (IsDigit(in.bytes[p - 1]) || in.bytes[p - 1] == ',')) --p;
  return p;
}

void RegisterTriggerStatement(Interp& in, OutputContext& ctx, size_t record) {
  const char trigger = Byte(in);
  ++in.st.pos;
  const int position = static_cast<int>(record);
  if (trigger == kTokEach) {
    AddTrigger(in.diag, ctx.output.triggers, TriggerEntry{kEachKey, kTriggerEach, 0, position, 0});
  } else {
    const int kind = trigger == kTokWith ? kTriggerWith : kTriggerBind;
    std::vector<TriggerListItem> items;
    ReadTriggerList(in, AddressCount(ctx.output.addresses), false, kMsgWithBindParameterOutput,
                    items);
    int previous = 0;
    for (const TriggerListItem& item : items) {
      int index = AddTrigger(in.diag, ctx.output.triggers,
                             TriggerEntry{item.address, kind, item.flag, position, previous});
      previous = TriggerNumber(index);
    }
  }
  SkipToStatementEnd(in);
}

void RunTriggeredStatement(OutputContext& ctx, int position, bool each) {
  Interp in = ctx.calls.in;
  SavedReading saved(in);
  NestingLevel level(in);  // a chain of triggers nests like calls
  InterpState& s = in.st;
  s.pos = static_cast<size_t>(position);
  if (Byte(in) != kTokOutput) ReadLocation(in);

  if (Byte(in) != kTokOutput) FatalPlain(in.diag, kMsgIllegalTokenType, true);
  ++s.pos;
  char c = Byte(in);
  if (c == kTokPrefixNo || c == kTokPrefixMinus || c == kTokPrefixSlash) ++s.pos;
  WordState state;
  for (c = Byte(in); c == ':' || c == '|' || c == '!' || c == '?'; c = Byte(in)) {
    if (c == ':') state.keep_order = true;
    ++s.pos;
  }
  // An offset does not move triggered words; it is passed over.
  if (Byte(in) == '[') {
    ReadToken(in);
    Evaluate(in);
    if (s.tok.code != ']') FatalAt(in.diag, kMsgOffsetSetting);
    if (Byte(in) == '-') ++s.pos;
  }
  c = Byte(in);
  ++s.pos;
  if (c == kTokEach) {
    s.pos += 2;  // "()"
  } else {
    while (s.pos < in.length && Byte(in) != ')') ++s.pos;
    ++s.pos;
  }
  ReadToken(in);
  state.slot = ctx.output.word_slot;
  state.running_order = kFirstRunningOrder;
  state.band = each ? kBandEach : 0;
  OutputWords(in, ctx, state);
}

}  // namespace tornel
