#include "tornel/output/companion_statements.h"

#include <string>

#include "tornel/base/table_growth.h"
#include "tornel/compiler/tokens.h"
#include "tornel/interp/expression.h"
#include "tornel/interp/token_reader.h"
#include "tornel/output/number_format.h"
#include "tornel/output/output_context.h"
#include "tornel/output/trigger_check.h"
#include "tornel/output/trigger_statements.h"

namespace tornel {

namespace {

char Byte(const Interp& in) { return in.bytes[in.st.pos]; }
bool AtEnd(const Interp& in) { return in.st.pos >= in.length || Byte(in) == kTokLineEnd; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// After the reference byte: the decimal index, or "[" expr "]".  0 when it
// names no address or group of `count`.
int ReferenceIndex(Interp& in, int count) {
  int n;
  if (Byte(in) == '[') {
    ReadToken(in);
    double v = Evaluate(in);
    if (in.st.type != kTypeNumber || in.st.tok.code != ']') return 0;
    n = SaturateToInt32(v);
  } else {
    if (!IsDigit(Byte(in))) return 0;
    n = ReadDecimal(in);
  }
  return n >= 1 && n <= count ? n : 0;
}

// An address reference at the current position (its byte already passed).
int AddressAt(Interp& in, OutputContext& ctx, const char* illegal) {
  int a = ReferenceIndex(in, AddressCount(ctx.output.addresses));
  if (a == 0) FatalAt(in.diag, illegal);
  return a;
}

// Redirection counts for SET: and CLR:.
int Redirected(const OutputContext& ctx, int a) {
  int target = ctx.output.addresses.records[a].direct;
  return target != 0 ? target : a;
}

// "(" expr ")" of SET:.
double SetValue(Interp& in) {
  if (Byte(in) != '(') FatalAt(in.diag, kMsgSetLeftParen);
  ++in.st.pos;
  double w = Evaluate(in);
  if (in.st.type != kTypeNumber) FatalAt(in.diag, kMsgSetString);
  if (in.st.tok.code != ')') FatalAt(in.diag, kMsgSetRightParen);
  return w;
}

void SetAddress(OutputContext& ctx, int a, double w) {
  AddressRecord& r = ctx.output.addresses.records[a];
  double scaled = r.scale * w + r.trans;
  r.value = r.lastval = r.incbase = scaled;
  NumberText number;
  ValueText(w, DecDigits(r, ctx.values), number);
  r.lasttext.assign(number.view());
  bool output = false;
  CheckTriggers(ctx, a, scaled, false, false, true, output);
}

void RunSet(Interp& in, OutputContext& ctx) {
  while (!AtEnd(in)) {
    char c = Byte(in);
    ++in.st.pos;
    if (c == '[') FatalAt(in.diag, kMsgSetOffset);
    if (c == kTokAddress) {
      int a = Redirected(ctx, AddressAt(in, ctx, kMsgSetIllegalToken));
      SetAddress(ctx, a, SetValue(in));
    } else if (c == kTokModalGroup) {
      int number = ReferenceIndex(in, static_cast<int>(ctx.output.triggers.entries.size()));
      const TriggerEntry* g = GroupEntry(ctx.output.triggers, number);
      if (!g) FatalAt(in.diag, kMsgSetIllegalToken);
      int slot = g->position;
      ctx.output.modal.slots[static_cast<size_t>(slot)] = SetValue(in);
    } else {
      FatalAt(in.diag, kMsgSetIllegalToken);
    }
  }
}

void ForgetGroup(OutputContext& ctx, const TriggerEntry& g) {
  ctx.output.modal.slots[static_cast<size_t>(g.position)] = kUndefinedValue;
}

void RemoveListed(OutputContext& ctx, int kind, const std::vector<TriggerListItem>& items) {
  for (const TriggerListItem& item : items)
    RemoveTriggers(ctx.output.triggers, kind, item.address == 0 ? kAllKeys : item.address);
}

void RunClr(Interp& in, OutputContext& ctx) {
  OutputTables& o = ctx.output;
  std::vector<TriggerListItem> items;
  while (!AtEnd(in)) {
    char c = Byte(in);
    ++in.st.pos;
    if (c == '[') FatalAt(in.diag, kMsgClrOffset);
    if (c == kTokAddress) {
      int a = Redirected(ctx, AddressAt(in, ctx, kMsgClrIllegalToken));
      o.addresses.records[a].lasttext.clear();
    } else if (c == kTokModalGroup) {
      const TriggerEntry* g =
          GroupEntry(o.triggers, ReferenceIndex(in, static_cast<int>(o.triggers.entries.size())));
      if (!g) FatalAt(in.diag, kMsgClrIllegalToken);
      ForgetGroup(ctx, *g);
    } else if (c == kTokAll) {
      for (AddressRecord& r : o.addresses.records) r.lasttext.clear();
      for (const TriggerEntry& e : o.triggers.entries)
        if (e.kind == kTriggerGroup) ForgetGroup(ctx, e);
    } else if (c == kTokEach) {
      in.st.pos += 2;  // "()"
      RemoveTriggers(o.triggers, kTriggerEach, kEachKey);
    } else if (c == kTokWith || c == kTokBind || c == kTokWithBind) {
      items.clear();
      ReadTriggerList(in, AddressCount(ctx.output.addresses), true, kMsgWithBindParameterClr, items);
      if (c != kTokBind) RemoveListed(ctx, kTriggerWith, items);
      if (c != kTokWith) RemoveListed(ctx, kTriggerBind, items);
    } else {
      FatalAt(in.diag, kMsgClrIllegalToken);
    }
  }
}

// enable:, disable:, revert: addresses or ALL.
template <typename Change>
void ForEachListed(Interp& in, OutputContext& ctx, const char* offset_message, const char* illegal,
                   Change change) {
  std::vector<AddressRecord>& records = ctx.output.addresses.records;
  while (!AtEnd(in)) {
    char c = Byte(in);
    ++in.st.pos;
    if (c == '[') FatalAt(in.diag, offset_message);
    if (c == kTokAll) {
      for (size_t a = 1; a < records.size(); ++a) change(records[a]);
    } else if (c == kTokAddress) {
      change(records[AddressAt(in, ctx, illegal)]);
    } else {
      FatalAt(in.diag, illegal);
    }
  }
}

void RunDirect(Interp& in, OutputContext& ctx, bool swap) {
  int found[2] = {0, 0};
  int count = 0;
  while (!AtEnd(in)) {
    char c = Byte(in);
    ++in.st.pos;
    if (c == '[') FatalAt(in.diag, kMsgDirectOffset);
    if (c == kTokAll) FatalAt(in.diag, kMsgDirectAll);
    if (c != kTokAddress) FatalAt(in.diag, kMsgDirectIllegalToken);
    int a = AddressAt(in, ctx, kMsgDirectIllegalToken);
    if (count == 2) FatalAt(in.diag, kMsgDirectTooMany);
    found[count++] = a;
  }
  if (count < 2) FatalAt(in.diag, kMsgDirectTooFew);
  if (ctx.flags.first_run) return;
  std::vector<AddressRecord>& records = ctx.output.addresses.records;
  records[found[0]].direct = found[1];
  if (swap) records[found[1]].direct = found[0];
}

// A string literal at the current position: its string table index, or -1.
int Literal(Interp& in) {
  if (Byte(in) != kTokStringRef) return -1;
  ++in.st.pos;
  if (!IsDigit(Byte(in))) return -1;
  int index = ReadDecimal(in);
  return index >= in.st.literal_first && index < in.st.literal_end ? index : -1;
}

void RunReplace(Interp& in, OutputContext& ctx) {
  int kind = static_cast<unsigned char>(Byte(in)) - TokenValue(kTokReplaceText);
  if (kind < 0 || kind > 2) IllegalToken(in);
  ++in.st.pos;
  const std::string name = kReplaceNames[kind];
  int search = Literal(in);
  if (search < 0) FatalAt(in.diag, FormatMessage(kMsgReplacedMissing, {name}));
  if (Byte(in) != '=') FatalAt(in.diag, FormatMessage(kMsgReplaceEqual, {name}));
  ++in.st.pos;
  int replacement = Literal(in);
  if (replacement < 0) FatalAt(in.diag, FormatMessage(kMsgReplacingMissing, {name}));
  int mode = kReplaceText + kind;
  if (Byte(in) == kTokCom) {
    ++in.st.pos;
    mode += kReplaceInComments;
  }
  if (!AtEnd(in)) FatalAt(in.diag, FormatMessage(kMsgInvalidReplace, {name}));
  if (ctx.flags.first_run) return;
  // The same replacement registered again (a replace: in a post function
  // that runs at every motion) is registered once: applied twice it would
  // multiply its own output.
  std::vector<Replacement>& list = ctx.output.replacements.entries;
  const std::vector<std::string>& strings = ctx.values.strings;
  for (const Replacement& r : list)
    if (r.mode == mode && strings[r.search] == strings[search] &&
        strings[r.replacement] == strings[replacement])
      return;
  WithMemory(in.diag, [&] { list.push_back(Replacement{search, replacement, mode}); });
}

}  // namespace

void RunCompanionStatement(Interp& in, OutputContext& ctx) {
  switch (in.st.tok.code) {
    case TokenValue(kTokSet): RunSet(in, ctx); break;
    case TokenValue(kTokClr): RunClr(in, ctx); break;
    case TokenValue(kTokEnable):
      ForEachListed(in, ctx, kMsgEnableOffset, kMsgEnableIllegalToken, [](AddressRecord& r) { r.enable = 1; });
      break;
    case TokenValue(kTokDisable):
      ForEachListed(in, ctx, kMsgEnableOffset, kMsgEnableIllegalToken, [](AddressRecord& r) { r.enable = 0; });
      break;
    case TokenValue(kTokDirect): RunDirect(in, ctx, false); break;
    case TokenValue(kTokSwap): RunDirect(in, ctx, true); break;
    case TokenValue(kTokRevert):
      ForEachListed(in, ctx, kMsgRevertOffset, kMsgRevertIllegalToken, [](AddressRecord& r) {
        r.enable = 1;
        r.direct = 0;
      });
      break;
    case TokenValue(kTokReplace): RunReplace(in, ctx); break;
    default: IllegalToken(in);
  }
  ReadToken(in);
}

}  // namespace tornel
