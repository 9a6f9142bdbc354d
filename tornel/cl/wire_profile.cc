// The UV profile of wire EDM, read from the companion CL file in step with
// the motions of the main file: the CIRCLE, RAPID and GOTO records up to
// the next GOTO, and the check at the end of the second pass that no
// motion is left in it.
#include <string>

#include "tornel/base/file_open.h"
#include "tornel/base/language_file.h"
#include "tornel/cl/cl_codes.h"
#include "tornel/cl/cl_context.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/cl/frames.h"
#include "tornel/cl/wire_edm.h"
#include "tornel/cl/wire_profile.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

[[noreturn]] void FatalInUvRecord(ClContext& ctx, const char* message) {
  FatalInFileRecord(ctx, ctx.files.companion_path, message, ctx.cl.uv.line);
}

[[noreturn]] void FatalOutOfSync(ClContext& ctx, int entry, const char* text) {
  const LanguageTable& lang = ctx.diag.lang;
  std::string report =
      FormatMessage(LangText(lang, kLangErrorInOperation, kMsgErrorInOperation),
                    {ctx.values.strings[kSsAptName]}) +
      "\n\n" + std::string(LangText(lang, entry, text));
  FatalPlain(ctx.diag, report);
}

// The next record of the UV file into its slot; false at the end of the
// file or at FINI.  The file is opened when the post asked for a UV
// profile itself (siEdmFileX) without the command line's -x.
bool NextUvRecord(ClContext& ctx) {
  ClReader& r = ctx.cl;
  CompanionInput& uv = r.uv;
  if (uv.ended) return false;
  if (!r.companion) r.companion = OpenFile(ctx.diag, ctx.files.companion_path, "r");
  EmptySlot(uv.slot);
  while (ReadInputPart(ctx.diag, r.companion, uv.block, nullptr, uv.part)) {
    std::string& text = uv.part.text;
    if (uv.part.new_line) {
      ++uv.line;
      if (uv.line == 1 && text.starts_with(kUtf8ByteOrderMark)) text.erase(0, kUtf8ByteOrderMark.size());
    }
    FeedResult result = uv.part.cut ? FeedResult::kTooLong : AssembleLine(uv.slot, text, uv.line);
    switch (result) {
      case FeedResult::kRecord:
        return true;
      case FeedResult::kFini:
        uv.ended = true;
        return false;
      case FeedResult::kTooLong:
        FatalInUvRecord(ctx, kMsgRecordTooLong);
      case FeedResult::kTooManyWords:
        FatalInUvRecord(ctx, kMsgTooManyWords);
      case FeedResult::kBadNumber:
        FatalInUvRecord(ctx, kMsgBadNumber);
      default:
        break;
    }
  }
  uv.ended = true;
  return false;
}

double Word(const RecordSlot& s, int k, double keep) {
  return k < s.words && s.type[k] == kWordNumber ? s.value[k] : keep;
}

}  // namespace

void StartUvProfile(ClReader& r, const std::string& path) {
  ResetInputBlock(r.uv.block, path);
  EmptySlot(r.uv.slot);
  r.uv.line = 0;
  r.uv.ended = false;
}

void ReadUvMotion(ClContext& ctx) {
  ValueTables& v = ctx.values;
  std::vector<double>& reals = v.reals;
  std::vector<int32_t>& ints = v.ints;
  const RecordSlot& s = ctx.cl.uv.slot;
  double* uv_in = ctx.cl.dispatch.wire.uv_in;
  // Linear unless its own records say otherwise, also after a motion that
  // made no motion event.
  ints[kSiMoveType2] = kKindGoto;
  while (NextUvRecord(ctx)) {
    if (s.major == MajorWord::kCircle) {
      ints[kSiMoveType2] = kKindCircle;
      double centre[3] = {Word(s, 1, 0), Word(s, 2, 0), Word(s, 3, 0)};
      double out[3];
      InputTransform(v, centre, true, out);
      reals[kSrXC2] = out[0];
      reals[kSrYC2] = out[1];
      reals[kSrXC2_Inc] = reals[kSrXC2] - reals[kSrXC_CL];
      reals[kSrYC2_Inc] = reals[kSrYC2] - reals[kSrYC_CL];
      reals[kSrRad2] = Word(s, 7, reals[kSrRad2]);
      ints[kSiArcDir2] = Word(s, 6, 0) < 0 ? kArcCw : kArcCcw;
    } else if (s.major == MajorWord::kRapid) {
      ints[kSiMoveType2] = kKindRapid;
    } else if (s.major == MajorWord::kGoto) {
      for (int i = 0; i < 3; ++i) uv_in[i] = Word(s, 1 + i, uv_in[i]);
      double out[3];
      InputTransform(v, uv_in, true, out);
      reals[kSrX2] = out[0];
      reals[kSrY2] = out[1];
      return;
    }
  }
  FatalOutOfSync(ctx, kLangXyMoreMoves, kMsgXyMoreMoves);
}

void CheckUvProfileEnd(ClContext& ctx) {
  if (ctx.values.ints[kSiEdmPost] != 1 || ctx.values.ints[kSiEdmFileX] != 1) return;
  while (NextUvRecord(ctx)) {
    if (ctx.cl.uv.slot.major == MajorWord::kGoto) FatalOutOfSync(ctx, kLangUvMoreMoves, kMsgUvMoreMoves);
  }
}

}  // namespace tornel
