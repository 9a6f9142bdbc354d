#include "tornel/builtins/file_calls.h"

#include <cerrno>
#include <cmath>
#include <string>

#include "platform/files.h"
#include "platform/text_file.h"
#include "tornel/base/file_open.h"
#include "tornel/base/table_growth.h"
#include "tornel/builtins/path_calls.h"
#include "tornel/output/line_ring.h"
#include "tornel/output/nc_file.h"
#include "tornel/output/output_statement.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {

namespace {

void StoreHandle(BuiltinContext& ctx, BuiltinArgs::NumericVar var, int handle) {
  if (var.integer) ctx.values.ints[static_cast<size_t>(var.index)] = handle;
  else ctx.values.reals[static_cast<size_t>(var.index)] = handle;
}

double HandleValue(BuiltinContext& ctx, BuiltinArgs::NumericVar var) {
  return var.integer ? ctx.values.ints[static_cast<size_t>(var.index)]
                     : ctx.values.reals[static_cast<size_t>(var.index)];
}

// Opens `path` under a new handle; null when the system refuses it.
PostFile* OpenEntry(OpenFiles& files, const std::string& path, const char* how, int mode,
                    int& handle) {
  handle = FreeHandle(files);
  std::FILE* f = platform::OpenBinary(path, how);
  if (!f) return nullptr;
  PostFile& e = files.entries[static_cast<size_t>(handle)];
  e.file = f;
  e.mode = mode;
  e.path = path;
  return &e;
}

// Rewinds and cuts the file to length 0 (opened anew: no cut without it
// on every system).
void Empty(BuiltinContext& ctx, PostFile& e) {
  bool scratch = e.mode >= kFileScratchNew;
  if (!platform::CloseFile(e.file)) FatalWriteError(ctx.diag, e.path, errno);
  e.file = platform::OpenBinary(e.path, scratch ? "w+" : "w");
  if (!e.file) FatalWriteError(ctx.diag, e.path, errno);
}

void Rewind(BuiltinContext& ctx, PostFile& e) {
  if (std::fflush(e.file) != 0 || std::fseek(e.file, 0, SEEK_SET) != 0)
    FatalWriteError(ctx.diag, e.path, errno);
}

// The next piece of a line: up to kFileReadPiece characters, or to the
// line feed (a CR before it dropped).  False at the end of the file.
bool ReadPiece(BuiltinContext& ctx, PostFile& e, std::string& piece) {
  piece.clear();
  int c;
  bool any = false;
  while (piece.size() < kFileReadPiece && (c = std::getc(e.file)) != EOF) {
    any = true;
    if (c == '\n') break;
    if (c == '\r') {
      int next = std::getc(e.file);
      if (next == '\n') break;
      if (next != EOF) std::ungetc(next, e.file);
    }
    piece += static_cast<char>(c);
  }
  if (std::ferror(e.file)) FatalReadError(ctx.diag, e.path, errno);
  return any;
}

double FileRead(BuiltinContext& ctx, BuiltinArgs& args) {
  int s = args.StringVariable(1, 2);
  double h = args.Number(2, 2);
  PostFile* e = FindOpenFile(ctx.open_files, h);
  if (!e) return 0;
  if (e->mode == kFileWrite) FatalAt(ctx.diag, kMsgFileReadWriteMode);
  if (e->mode == kFileScratchWrite) Rewind(ctx, *e);
  if (e->mode == kFileScratchNew || e->mode == kFileScratchWrite) {
    if (std::fflush(e->file) != 0) FatalWriteError(ctx.diag, e->path, errno);
    e->mode = kFileScratchRead;
  }
  std::string piece;
  if (!ReadPiece(ctx, *e, piece)) return 0;
  ctx.values.strings[static_cast<size_t>(s)] = std::move(piece);
  return 1;
}

double FileWrite(BuiltinContext& ctx, BuiltinArgs& args) {
  std::string text = args.Text(1, 2);
  double h = args.Number(2, 2);
  PostFile* e = FindOpenFile(ctx.open_files, h);
  if (!e) return 0;
  if (e->mode == kFileRead) FatalAt(ctx.diag, kMsgFileWriteReadMode);
  if (e->mode == kFileScratchRead) Empty(ctx, *e);
  if (e->mode == kFileScratchNew || e->mode == kFileScratchRead) e->mode = kFileScratchWrite;
  text += '\n';
  if (!platform::WriteText(e->file, text)) FatalWriteError(ctx.diag, e->path, errno);
  return 1;
}

// FileSel: the lines still waiting go out to the old target first.
void FileSel(BuiltinContext& ctx, BuiltinArgs& args) {
  double h = args.Number(1, 1);
  OutputContext& out = ctx.cl.nc;
  if (h == kNcFileHandle) {
    FlushLines(out);
    SelectOutputTarget(out.output, nullptr, "");
    return;
  }
  PostFile* e = FindOpenFile(ctx.open_files, h);
  if (!e || e->mode == kFileRead) FatalAt(ctx.diag, kMsgFileSelMode);
  if (e->mode == kFileScratchRead) Empty(ctx, *e);
  if (e->mode == kFileScratchNew || e->mode == kFileScratchRead) e->mode = kFileScratchWrite;
  FlushLines(out);
  SelectOutputTarget(out.output, e->file, e->path);
}

// FileIns: each line of the file an NC line of its own, as O: ssString
// would write it (numbered, with the skip text and EACH output).
void FileIns(BuiltinContext& ctx, BuiltinArgs& args) {
  double h = args.Number(1, 1);
  PostFile* e = FindOpenFile(ctx.open_files, h);
  if (!e || e->mode == kFileWrite) FatalAt(ctx.diag, kMsgFileInsMode);
  OutputContext& out = ctx.cl.nc;
  // A file that is the output's target now cannot be read into it.
  if (out.output.nc == e->file) FatalAt(ctx.diag, kMsgFileInsMode);
  FlushLines(out);
  Rewind(ctx, *e);
  if (e->mode >= kFileScratchNew) e->mode = kFileScratchRead;
  std::string line;
  while (platform::ReadTextLine(e->file, line)) {
    platform::ChopNewline(line);
    if (line.size() > kStringLimit)
      FatalAt(ctx.diag, FormatMessage(kMsgStringTooLong, {std::to_string(kStringLimit)}));
    ctx.values.strings[kSsString] = line;
    OutputSingleWordLine(out, ctx.values.strings[kSsString], 0, false, false, false);
  }
  if (std::ferror(e->file)) FatalReadError(ctx.diag, e->path, errno);
  FlushLines(out);
}

}  // namespace

bool CallFileFunction(BuiltinContext& ctx, const BuiltinEntry& e, BuiltinArgs& args,
                      double& result) {
  OpenFiles& files = ctx.open_files;
  switch (e.id) {
    case kFnFileOpen: {
      std::string path = args.Text(1, 3);
      BuiltinArgs::NumericVar h = args.NumericVariable(2, 3);
      double mode_value = args.Number(3, 3);
      if (mode_value != 0 && mode_value != 1) FatalAt(ctx.diag, kMsgFileOpenMode);
      const int mode = mode_value == 0 ? kFileRead : kFileWrite;
      if (!PostMayTouch(path)) {
        result = 0;
        return true;
      }
      // A folder or a device is no file to read.
      if (mode == kFileRead && !platform::IsRegularFile(path)) {
        result = 0;
        return true;
      }
      int handle = 0;
      bool ok = !path.empty() &&
                OpenEntry(files, path, mode == kFileRead ? "r" : "w", mode, handle);
      if (ok) StoreHandle(ctx, h, handle);
      result = ok ? 1 : 0;
      return true;
    }
    case kFnFileTemp: {
      BuiltinArgs::NumericVar h = args.NumericVariable(1, 1);
      int handle = FreeHandle(files);
      std::string name = ScratchFileName(handle);
      // A file of that name that this run did not make is the user's: it
      // is neither emptied nor deleted at the end (FileTemp gives 0).
      bool ours = false;
      for (const std::string& made : files.scratch_created) ours |= made == name;
      if (!ours) {
        std::FILE* fresh = platform::CreateNewFile(name);
        if (!fresh) {
          result = 0;
          return true;
        }
        std::fclose(fresh);
      }
      int got = 0;
      bool ok = OpenEntry(files, name, "w+", kFileScratchNew, got) != nullptr;
      if (ok) {
        NoteScratchCreated(files, got);
        StoreHandle(ctx, h, got);
      }
      result = ok ? 1 : 0;
      return true;
    }
    case kFnFileRead: result = FileRead(ctx, args); return true;
    case kFnFileWrite: result = FileWrite(ctx, args); return true;
    case kFnFileClose: {
      BuiltinArgs::NumericVar h = args.NumericVariable(1, 1);
      double handle = HandleValue(ctx, h);
      if (PostFile* f = FindOpenFile(files, handle)) {
        if (ctx.cl.nc.output.nc == f->file) {
          // The output's target: its lines go out first, then back to the NC file.
          FlushLines(ctx.cl.nc);
          SelectOutputTarget(ctx.cl.nc.output, nullptr, "");
        }
        std::string path = f->path;
        bool closed = platform::CloseFile(f->file);
        int err = errno;
        *f = PostFile{};
        if (!closed) FatalWriteError(ctx.diag, path, err);
      }
      StoreHandle(ctx, h, 0);
      return true;
    }
    case kFnFileEmpty: {
      double h = args.Number(1, 1);
      if (PostFile* f = FindOpenFile(files, h)) {
        if (f->mode == kFileRead) FatalAt(ctx.diag, kMsgFileEmptyReadMode);
        bool target = ctx.cl.nc.output.nc == f->file;
        if (target) FlushLines(ctx.cl.nc);
        Empty(ctx, *f);
        if (target) SelectOutputTarget(ctx.cl.nc.output, f->file, f->path);
      }
      return true;
    }
    case kFnFileSel: FileSel(ctx, args); return true;
    case kFnFileIns: FileIns(ctx, args); return true;
    default: return false;
  }
}

}  // namespace tornel
