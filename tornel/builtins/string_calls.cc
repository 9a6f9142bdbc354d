#include "tornel/builtins/string_calls.h"

#include <algorithm>
#include <cmath>

#include "tornel/base/table_growth.h"
#include "tornel/builtins/builtin_context.h"
#include "tornel/builtins/strings.h"
#include "tornel/output/comments.h"
#include "tornel/output/line_ring.h"
#include "tornel/output/number_format.h"
#include "tornel/output/string_match.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

double Position(size_t at) { return at == kNoMatch ? 0.0 : static_cast<double>(at + 1); }

double Find(BuiltinArgs& args, MatchKind kind, bool last) {
  std::string s = args.Text(1, 2);
  std::string t = args.Text(2, 2);
  return Position(last ? FindLastMatch(s, t, kind) : FindMatch(s, t, kind));
}

double Replace(BuiltinContext& ctx, BuiltinArgs& args, MatchKind kind) {
  int v = args.StringVariable(1, 3);
  std::string t = args.Text(2, 3);
  std::string r = args.Text(3, 3);
  int count = ReplaceMatches(ctx.values.strings[v], t, r, kind, kStringLimit);
  if (count == kReplacedTooLong) CheckStringLength(ctx.diag, kStringLimit + 1);
  return count;
}

// StrConv: the comment filter with the options of `mode`; the three
// switches it sets are restored afterwards, siCommentUpCase is left as the
// post set it.
void Convert(ValueTables& values, std::string& v, double mode) {
  int32_t& ascii = values.ints[kSiCommentAscii];
  int32_t& oem = values.ints[kSiCommentOEM];
  int32_t& alnum = values.ints[kSiCommentAlphaNum];
  const int32_t saved[] = {ascii, oem, alnum};
  ascii = oem = alnum = 0;
  long long m = ToIndex(mode);
  if (m >= 1000) {
    alnum = 1;
    m -= 1000;
  }
  if (m == 1) ascii = 1;
  if (m == 2) oem = 1;
  std::string out;
  FilterCommentText(values, v, out);
  v = std::move(out);
  ascii = saved[0];
  oem = saved[1];
  alnum = saved[2];
}

}  // namespace

void WriteNumber(const AddressRecord& format, double x, const NumberSwitches& sw, std::string& out) {
  // The metric digit counts only, and the sign of a negative zero stays.
  int dec = std::clamp(format.numsaft, 0, kMaxDigits);
  FormatValue(format, x, format.numsbef, dec, sw, NegativeZero::kKept, out);
}

double CallStringNumeric(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args) {
  switch (e.id) {
    case kFnAscVal: {
      std::string s = args.Text(1, 2);
      std::optional<double> code = AscVal(s, args.Number(2, 2));
      if (!code) FatalAt(ctx.diag, kMsgInvalidStringIndex);
      return *code;
    }
    case kFnStrVal: {
      std::optional<double> v = StrVal(args.Text(1, 1));
      if (!v) FatalAt(ctx.diag, kMsgInvalidNumberString);
      return *v;
    }
    case kFnStrLen: return static_cast<double>(args.Text(1, 1).size());
    case kFnStrFind: return Find(args, MatchKind::kPlain, false);
    case kFnStrRFind: return Find(args, MatchKind::kPlain, true);
    case kFnStrRep: return Replace(ctx, args, MatchKind::kPlain);
    case kFnStrFindWord: return Find(args, MatchKind::kWord, false);
    case kFnStrRFindWord: return Find(args, MatchKind::kWord, true);
    case kFnStrRepWord: return Replace(ctx, args, MatchKind::kWord);
    case kFnStrFindAddr: return Find(args, MatchKind::kAddress, false);
    case kFnStrRFindAddr: return Find(args, MatchKind::kAddress, true);
    case kFnStrRepAddr: return Replace(ctx, args, MatchKind::kAddress);
    case kFnSeqGet:
      // No arguments: "SeqGet()" has its parentheses, both optional.
      args.NoArguments();
      FlushAllLines(ctx.cl.nc);
      return ctx.values.reals[kSrSeq];
    default: break;
  }
  FatalAt(ctx.diag, kMsgInvalidFunction);
}

std::string CallStringFunction(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args) {
  std::vector<std::string>& strings = ctx.values.strings;
  const std::vector<int32_t>& ints = ctx.values.ints;
  switch (e.id) {
    case kFnStrCopy:
    case kFnStrRCopy: {
      std::string s = args.Text(1, 3);
      double p = args.Number(2, 3);
      double n = args.Number(3, 3);
      return e.id == kFnStrCopy ? StrCopy(s, p, n) : StrRCopy(s, p, n);
    }
    case kFnStrIns:
    case kFnStrOvr: {
      int v = args.StringVariable(1, 3);
      std::string s = args.Text(2, 3);
      double p = args.Number(3, 3);
      // Either way at most the two texts together.
      CheckStringLength(ctx.diag, strings[v].size() + s.size());
      if (e.id == kFnStrIns)
        StrIns(strings[v], s, p);
      else
        StrOvr(strings[v], s, p);
      return strings[v];
    }
    case kFnStrDel: {
      int v = args.StringVariable(1, 3);
      double p = args.Number(2, 3);
      StrDel(strings[v], p, args.Number(3, 3));
      return strings[v];
    }
    case kFnStrRSpc: {
      int v = args.StringVariable(1, 2);
      if (!StrRSpc(strings[v], args.Number(2, 2))) FatalAt(ctx.diag, kMsgInvalidRSpcMode);
      return strings[v];
    }
    case kFnStrUp:
    case kFnStrLow: {
      int v = args.StringVariable(1, 1);
      if (e.id == kFnStrUp)
        StrUp(strings[v]);
      else
        StrLow(strings[v]);
      return strings[v];
    }
    case kFnStrConv: {
      int v = args.StringVariable(1, 2);
      Convert(ctx.values, strings[v], args.Number(2, 2));
      return strings[v];
    }
    case kFnStrWri: {
      AddressRecord scratch;
      const AddressRecord& format = args.NumberFormat(scratch);
      double x = args.Number(2, 2);
      if (!std::isfinite(x)) FatalAt(ctx.diag, kMsgStrWriOutOfRange);
      std::string text;
      WriteNumber(format, x, SwitchesFrom(ctx.values), text);
      return text;
    }
    case kFnChr: return Chr(args.Number(1, 1));
    case kFnTab: {
      double n = args.Number(1, 2);
      return Tab(n, args.More() ? args.Number(2, 2) : 0.0);
    }
    case kFnStrTime:
      return StrTime(args.Text(1, 1), ints[kSiHour], ints[kSiMinute], ints[kSiSecond]);
    case kFnStrDate:
      return StrDate(args.Text(1, 1), ints[kSiYear], ints[kSiMonth], ints[kSiDay]);
    default: break;
  }
  FatalAt(ctx.diag, kMsgInvalidFunction);
}

}  // namespace tornel
