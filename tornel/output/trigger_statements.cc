#include "tornel/output/trigger_statements.h"

#include "tornel/compiler/tokens.h"
#include "tornel/driver/post_calls.h"
#include "tornel/driver/run_context.h"
#include "tornel/interp/expression.h"
#include "tornel/interp/statements.h"
#include "tornel/interp/token_reader.h"
#include "tornel/output/line_ring.h"
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

// The reading state of the interrupted statement.
struct SavedReading {
  explicit SavedReading(Interp& in)
      : in_(in), st_(in.st), pos_(st_.pos), tok_(st_.tok), first_class_(st_.first_class),
        number_(st_.number), var_index_(st_.var_index), var_count_(st_.var_count),
        type_(st_.type), name_(st_.func_name), loc_(in.diag.loc) {}
  ~SavedReading() {
    st_.pos = pos_;
    st_.tok = tok_;
    st_.first_class = first_class_;
    st_.number = number_;
    st_.var_index = var_index_;
    st_.var_count = var_count_;
    st_.type = type_;
    st_.func_name = name_;
    in_.diag.loc = loc_;
  }
  SavedReading(const SavedReading&) = delete;
  SavedReading& operator=(const SavedReading&) = delete;

 private:
  Interp& in_;
  InterpState& st_;
  size_t pos_;
  Token tok_;
  unsigned char first_class_;
  double number_;
  int var_index_;
  int var_count_;
  unsigned char type_;
  std::string_view name_;
  Location loc_;
};

}  // namespace

void ReadTriggerList(Interp& in, bool allow_all, const char* invalid,
                     std::vector<TriggerListItem>& items) {
  if (Byte(in) != '(') FatalAt(in.diag, kMsgWithBindLeftParen);
  ++in.st.pos;
  const int count = in.run ? AddressCount(in.run->output.addresses) : 0;
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
      if (item.address < 1 || item.address > count) FatalAt(in.diag, invalid);
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

void RegisterTriggerStatement(Interp& in, RunContext& ctx, size_t record) {
  const char trigger = Byte(in);
  ++in.st.pos;
  const int position = static_cast<int>(record);
  if (trigger == kTokEach) {
    AddTrigger(in.diag, ctx.output.triggers, TriggerEntry{kEachKey, kTriggerEach, 0, position, 0});
  } else {
    const int kind = trigger == kTokWith ? kTriggerWith : kTriggerBind;
    std::vector<TriggerListItem> items;
    ReadTriggerList(in, false, kMsgWithBindParameterOutput, items);
    int previous = 0;
    for (const TriggerListItem& item : items) {
      int index = AddTrigger(in.diag, ctx.output.triggers,
                             TriggerEntry{item.address, kind, item.flag, position, previous});
      previous = TriggerNumber(index);
    }
  }
  SkipToStatementEnd(in);
}

void RunTriggeredStatement(RunContext& ctx, int position, bool each) {
  Interp in = InterpreterFor(ctx);
  SavedReading saved(in);
  InterpState& s = in.st;
  s.pos = static_cast<size_t>(position);
  if (Byte(in) != kTokOutput) {
    Location loc;
    loc.file = ReadDecimal(in);
    if (Byte(in) != ',') FatalPlain(in.diag, kMsgIllegalTokenType, true);
    ++s.pos;
    loc.line = ReadDecimal(in);
    if (Byte(in) != kTokLocation) FatalPlain(in.diag, kMsgIllegalTokenType, true);
    ++s.pos;
    in.diag.loc = loc;
  }

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
  OutputWords(in, state);
}

}  // namespace tornel
