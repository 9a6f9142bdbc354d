#include "tornel/output/output_statement.h"

#include <cmath>
#include <string>
#include <string_view>

#include "tornel/compiler/tokens.h"
#include "tornel/interp/expression.h"
#include "tornel/interp/functions.h"
#include "tornel/interp/token_reader.h"
#include "tornel/output/address_word.h"
#include "tornel/output/comments.h"
#include "tornel/output/companion_statements.h"
#include "tornel/output/line_ring.h"
#include "tornel/output/number_format.h"
#include "tornel/output/output_context.h"
#include "tornel/output/output_references.h"
#include "tornel/output/program_format.h"
#include "tornel/output/trigger_statements.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

// A word buffer per nesting level: a trigger may run a statement while a
// word of another is being formed.
class WordBuffer {
 public:
  explicit WordBuffer(OutputTables& o) : o_(o), level_(o.word_depth++) {
    if (o.word_buffers.size() <= level_) o.word_buffers.resize(level_ + 1);
  }
  ~WordBuffer() { --o_.word_depth; }
  WordBuffer(const WordBuffer&) = delete;
  WordBuffer& operator=(const WordBuffer&) = delete;
  std::string& text() { return o_.word_buffers[level_]; }

 private:
  OutputTables& o_;
  size_t level_;
};

char Byte(const Interp& in) { return in.bytes[in.st.pos]; }

bool IsNumber(const Interp& in) { return in.st.type == kTypeNumber; }

// "_x(" modifier expr ["!"] ")": forms the word; true when it is written.
bool AddressWord(Interp& in, OutputContext& ctx, bool keep_order, std::string& text, int& order,
                 bool& blank) {
  int address;
  if (Byte(in) == '[') {
    address = IndexedAddress(in, ctx.output.addresses);
  } else {
    address = ReadDecimal(in);
    if (address < 1 || address > AddressCount(ctx.output.addresses)) IllegalToken(in);
  }
  if (Byte(in) != '(') FatalAt(in.diag, kMsgAddressLeftParen);
  ++in.st.pos;
  WordModifier modifier = WordModifier::kNone;
  switch (Byte(in)) {
    case '?': case '!': case '\\': case '/':
      modifier = static_cast<WordModifier>(Byte(in));
      ++in.st.pos;
      break;
    default:
      break;
  }
  double value = Evaluate(in);
  if (!IsNumber(in)) FatalAt(in.diag, kMsgAddressString);
  bool forget = in.st.tok.code == '!';
  if (forget) ReadToken(in);
  if (in.st.tok.code != ')') FatalAt(in.diag, kMsgAddressRightParen);
  ReadToken(in);
  if (!FormAddressWord(ctx, address, value, modifier, forget, text)) return false;
  order = keep_order ? 0 : ctx.output.addresses.records[address].order;
  blank = AddressBlank(ctx.output.addresses, ctx.values, address);
  return true;
}

// "%" format "(" expr ")" or "%{_x}(" expr ")".  A format written in place
// is kept in address record 0.
void NumberWord(Interp& in, OutputContext& ctx, std::string& text) {
  AddressTable& addresses = ctx.output.addresses;
  const AddressRecord& format = ReadProgramFormat(in, addresses, addresses.records[0],
                                                  {kMsgNumberAddress, kMsgNumberBrace});
  if (Byte(in) != '(') FatalAt(in.diag, kMsgNumberLeftParen);
  ++in.st.pos;
  double value = Evaluate(in);
  if (!IsNumber(in)) FatalAt(in.diag, kMsgNumberString);
  if (in.st.tok.code != ')') FatalAt(in.diag, kMsgNumberRightParen);
  if (!std::isfinite(value)) FatalAt(in.diag, kMsgNumberOutOfRange);
  ReadToken(in);
  FormatValue(format, value, IntDigits(format, ctx.values), DecDigits(format, ctx.values),
              SwitchesFrom(ctx.values), NegativeZero::kPositive, text);
}

// The order setting after a word: ":n" gives |n| × 100, ":+n" and ":-n"
// add n × 100 to the running order.
int OrderSetting(Interp& in, int running_order) {
  bool relative = Byte(in) == '+' || Byte(in) == '-';
  double n = Evaluate(in);
  if (!IsNumber(in)) FatalAt(in.diag, kMsgOrderSetting);
  double order = relative ? running_order + n * 100.0 : std::fabs(n) * 100.0;
  if (!(order > 0)) return 0;
  return order >= kMaxOrder ? kMaxOrder : static_cast<int>(order);
}

// "com" (the first pending comment; the others wait for comment lines after
// this statement's line) or "com(" string ")".  True when there is a word.
bool CommentWord(Interp& in, OutputContext& ctx, std::string& text) {
  ValueTables& v = ctx.values;
  std::string comment;
  if (Byte(in) == '(') {
    ++in.st.pos;
    Evaluate(in);
    if (in.st.type != kTypeString || in.st.tok.code != ')') FatalAt(in.diag, kMsgInvalidCommentString);
    comment = in.st.str;
    ReadToken(in);
  } else {
    ReadToken(in);
    int pending = v.ints[kSiComments];
    if (pending < 1) return false;
    if (pending > kCommentSlots) pending = kCommentSlots;
    comment = PendingCommentText(ctx.output, v, 0);
    for (int i = 1; i < pending; ++i)
      ctx.output.comment_lines.push_back(PendingCommentText(ctx.output, v, i));
    v.ints[kSiComments] = 0;
  }
  FormatComment(ctx, comment, true, text);
  return !text.empty();
}

// The comment lines that `com` words left, after the statement's line.
void WriteCommentLines(OutputContext& ctx) {
  std::vector<std::string> lines;
  lines.swap(ctx.output.comment_lines);
  for (const std::string& line : lines) OutputCommentLine(ctx, line);
}

}  // namespace

void OutputWords(Interp& in, OutputContext& ctx, WordState& state) {
  InterpState& s = in.st;
  WordBuffer buffer(ctx.output);
  std::string& text = buffer.text();
  while (s.tok.code != kCodeEnd) {
    ctx.output.word_slot = state.slot;
    bool blank = false;
    if (s.tok.code == TokenValue(kTokWordSep)) {
      blank = ctx.values.ints[kSiSpaces] != 0;
      ReadToken(in);
      const unsigned char next = s.tok.code;
      if (next != TokenValue(kTokStringRef) && next != TokenValue(kTokStrFunc) && next != '%')
        FatalAt(in.diag, FormatMessage(kMsgSeparatorSpace, {}));
    }
    bool written = true;
    int order = 0;
    std::string_view word;
    switch (s.tok.code) {
      case TokenValue(kTokAddress):
        written = AddressWord(in, ctx, state.keep_order, text, order, blank);
        word = text;
        break;
      case '%':
        NumberWord(in, ctx, text);
        word = text;
        break;
      // The text is copied: the order expression after it may change it.
      case TokenValue(kTokStringRef): {
        int element = AccessVariable(in);
        ReadToken(in);
        text.assign(ctx.values.strings[static_cast<size_t>(element)]);
        word = text;
        break;
      }
      case TokenValue(kTokStrFunc):
        CallFunctionToken(in);
        text.assign(s.str);
        word = text;
        break;
      case '<':
        FatalAt(in.diag, kMsgPreviousLineFlag);
      case '>':
        FatalAt(in.diag, kMsgNextLineFlag);
      case TokenValue(kTokCom):
        written = CommentWord(in, ctx, text);
        word = text;
        order = state.keep_order ? 0 : kCommentOrder;
        blank = ctx.values.ints[kSiCommentNoSpace] == 0 && ctx.values.ints[kSiSpaces] != 0;
        break;
      default:
        FatalAt(in.diag, kMsgIllegalTokenOutput);
    }
    uint32_t band = state.band;
    for (;;) {
      if (s.tok.code == '?') {
        band |= kBandMarked;
        ReadToken(in);
      } else if (s.tok.code == ':') {
        order = OrderSetting(in, state.running_order);
      } else {
        break;
      }
    }
    if (!written) continue;
    LineSlot& slot = ctx.output.ring.slots[state.slot];
    NoteLineStart(ctx.output.ring, slot);
    AddWord(in.diag, slot, word, order, state.running_order, blank, band);
  }
}

namespace {

struct Flags {
  bool skip = false;
  bool numbering = false;
  bool no_number = false;
  bool no_each = false;
  bool keep_order = false;
  bool flush = false;
  bool conditional = false;
  bool has_offset = false;
  int offset = 0;
  bool insert = false;
};

// The flags that the statement variables give; `prefix` is the byte after
// the statement token (NO:, -O:, /O: or none).
Flags VariableFlags(ValueTables& v, char prefix) {
  Flags f;
  int seq_on = v.ints[kSiSeqOn];
  f.numbering = seq_on == 1;
  switch (prefix) {
    case kTokPrefixNo: f.numbering = true; break;
    case kTokPrefixMinus: f.numbering = false, f.no_number = true; break;
    case kTokPrefixSlash: f.skip = true; break;
    default: break;
  }
  if (v.ints[kSiSkipOn] != 0) f.skip = true;
  if (v.ints[kSiSkipNext] == 1) f.skip = true, v.ints[kSiSkipNext] = 0;
  if (seq_on == 2) f.numbering = false;
  if (seq_on == 3) f.numbering = true;
  f.no_each = v.ints[kSiEachOn] == 0;
  return f;
}

Flags ReadFlags(Interp& in, OutputContext& ctx) {
  char prefix = Byte(in);
  bool has_prefix = prefix == kTokPrefixNo || prefix == kTokPrefixMinus || prefix == kTokPrefixSlash;
  if (has_prefix) ++in.st.pos;
  Flags f = VariableFlags(ctx.values, has_prefix ? prefix : '\0');
  if (Byte(in) == ':') f.keep_order = true, ++in.st.pos;
  if (Byte(in) == '|') f.no_each = true, ++in.st.pos;
  if (Byte(in) == '!') f.flush = true, ++in.st.pos;
  if (Byte(in) == '?') f.conditional = true, ++in.st.pos;
  if (Byte(in) == '[') {
    f.has_offset = true;
    ReadToken(in);
    double n = Evaluate(in);
    if (!IsNumber(in)) FatalAt(in.diag, kMsgOffsetSetting);
    if (in.st.tok.code != ']') FatalAt(in.diag, kMsgOffsetSetting);
    f.offset = SaturateToInt32(n);
    if (f.offset < -kMaxLineOffset || f.offset > kMaxLineOffset)
      FatalAt(in.diag, FormatMessage(kMsgOffsetLimits, {IntegerPartText(n),
                                                       std::to_string(kMaxLineOffset),
                                                       std::to_string(kMaxLineOffset)}));
    if (Byte(in) == '-') {
      ++in.st.pos;
      f.insert = f.offset != 0;
    }
  }
  if (f.conditional && !f.has_offset) FatalAt(in.diag, kMsgConditionalWithoutOffset);
  return f;
}

// The ring index of the statement's target line; makes room for an
// inserted line.
int TargetSlot(OutputContext& ctx, const Flags& f) {
  LineRing& ring = ctx.output.ring;
  int n = f.offset;
  if (n == 0) return ring.current;
  if (n > 0) {
    if (!f.insert) return RingIndex(ring.current + n - 1);
    int before = 0;
    for (int d = 1; d <= n; ++d) before += ring.inserted[d];
    if (before > kMaxLineOffset - n) before = 0;
    int distance = n + before;
    InsertAhead(ring, distance);
    ++ring.inserted[n];
    LineSlot& slot = SlotAt(ring, distance);
    slot.pending = true;
    return RingIndex(ring.current + distance);
  }
  int back = -n;
  if (f.insert) {
    InsertBehind(ctx, back);
    return RingIndex(ring.current - back - 1);
  }
  int distance = -back;
  if (f.conditional)
    for (int steps = 0; steps < kMaxLineOffset - back && SlotAt(ring, distance).count == 0; ++steps)
      --distance;
  return RingIndex(ring.current + distance);
}

int SequenceOrder(const OutputContext& ctx, int request) {
  int address = request % kSeqOwnRequest;
  const AddressTable& t = ctx.output.addresses;
  int order = address >= 0 && address <= AddressCount(t) ? t.records[address].order : 0;
  return order + 99;
}

// Sets up the target line of a statement with flags `f` and the state its
// words start from.
void SetUpLine(OutputContext& ctx, const Flags& f, int target, WordState& state) {
  ValueTables& v = ctx.values;
  LineSlot& slot = ctx.output.ring.slots[target];
  slot.no_each = f.no_each;
  slot.no_number = f.no_number;
  if (f.skip) {
    slot.skip = true;
    slot.skip_text = v.strings[kSsSkip];
  }

  state.slot = target;
  state.keep_order = f.keep_order;
  state.running_order = kFirstRunningOrder;
  int seq_next = v.ints[kSiSeqNext];
  if (f.numbering || seq_next != 0) {
    slot.seq_request = v.ints[kSiSeqAddr] + kSeqNextUnit * seq_next +
                       (f.numbering && seq_next != 0 ? kSeqOwnRequest : 0);
    state.running_order = SequenceOrder(ctx, slot.seq_request);
    v.ints[kSiSeqNext] = 0;
  } else if (slot.count > 0 && slot.seq_request != 0) {
    state.running_order = SequenceOrder(ctx, slot.seq_request);
  }
  if (f.offset < 0 && !f.insert) state.running_order = kMaxOrder;
  if (f.conditional && f.offset > 0) state.band = kBandCondOffset;
}

// A line inserted ahead that has become current is complete.
void CompletePendingInserts(OutputContext& ctx) {
  LineRing& ring = ctx.output.ring;
  while (ring.slots[ring.current].pending) CompleteLine(ctx, true);
}

void RunOutput(Interp& in, OutputContext& ctx, size_t token_pos) {
  CompletePendingInserts(ctx);

  Flags f = ReadFlags(in, ctx);
  if (f.flush) FlushLines(ctx);

  char trigger = Byte(in);
  if (trigger == kTokEach && f.has_offset) FatalAt(in.diag, kMsgOffsetWithEach);
  if (trigger == kTokWith || trigger == kTokBind || trigger == kTokEach) {
    RegisterTriggerStatement(in, ctx, RecordStart(in, token_pos));
    return;
  }

  int target = TargetSlot(ctx, f);
  WordState state;
  SetUpLine(ctx, f, target, state);

  ReadToken(in);
  OutputWords(in, ctx, state);

  if (f.offset == 0) CompleteLine(ctx, false);
  else if (f.offset < 0 && f.insert) FinishLine(ctx, target, false);
  if (!ctx.output.comment_lines.empty() && ctx.output.word_depth == 0) WriteCommentLines(ctx);
}

}  // namespace

void RunOutputStatement(Interp& in, OutputContext& ctx) {
  switch (in.st.tok.code) {
    case TokenValue(kTokOutput):
      RunOutput(in, ctx, in.st.pos - 1);
      return;
    case TokenValue(kTokSet):
    case TokenValue(kTokClr):
    case TokenValue(kTokEnable):
    case TokenValue(kTokDisable):
    case TokenValue(kTokDirect):
    case TokenValue(kTokSwap):
    case TokenValue(kTokRevert):
    case TokenValue(kTokReplace):
      RunCompanionStatement(in, ctx);
      return;
    default:
      IllegalToken(in);
  }
}

void OutputSingleWordLine(OutputContext& ctx, std::string_view word, int order, bool blank,
                          bool no_number, bool no_each) {
  CompletePendingInserts(ctx);
  Flags f = VariableFlags(ctx.values, no_number ? kTokPrefixMinus : '\0');
  if (no_each) f.no_each = true;
  LineRing& ring = ctx.output.ring;
  WordState state;
  SetUpLine(ctx, f, ring.current, state);
  NoteLineStart(ring, ring.slots[ring.current]);
  AddWord(ctx.diag, ring.slots[ring.current], word, order, state.running_order, blank, 0);
  CompleteLine(ctx, false);
}

}  // namespace tornel
