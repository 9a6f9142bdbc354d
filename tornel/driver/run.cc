#include "tornel/driver/run.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/progress.h"
#include "platform/select_list.h"
#include "platform/text_file.h"
#include "tornel/base/file_open.h"
#include "tornel/base/table_growth.h"
#include "tornel/builtins/builtin_table.h"
#include "tornel/builtins/dialog_calls.h"
#include "tornel/cl/cl_reader.h"
#include "tornel/compiler/constants_pass.h"
#include "tornel/compiler/control_structures.h"
#include "tornel/compiler/declarations_pass.h"
#include "tornel/compiler/final_pass.h"
#include "tornel/compiler/labels_pass.h"
#include "tornel/compiler/preprocessor.h"
#include "tornel/driver/build_date.h"
#include "tornel/driver/command_line.h"
#include "tornel/driver/run_host.h"
#include "tornel/output/address_pass.h"
#include "tornel/output/modal_group_pass.h"
#include "tornel/output/nc_file.h"
#include "tornel/output/output_pass.h"
#include "tornel/sysvars/defaults.h"
#include "tornel/sysvars/keyword_pass.h"
#include "tornel/sysvars/registry.h"
#include "tornel/sysvars/settings_statements.h"
#include "tornel/sysvars/start_values.h"

namespace tornel {

namespace {

constexpr const char* kMsgInvalidParameter = "Invalid command line parameter %s.";
constexpr LangMessage kMsgAptNotGiven{15, "APT-CL filename not given."};
constexpr LangMessage kMsgAptNotFound{16, "APT-CL file - %s not found."};
// Shown at a console after "APT-CL filename not given.": a user who
// started tornel without arguments learns how to call it.
constexpr const char* kUsage =
    "Usage: tornel [-p post] -i aptcl [-o nc] [-op dir] [-oe ext] [-ed editor] [-x]";

constexpr LangMessage kLabelPost{1, "Postprocessor:"};
constexpr LangMessage kLabelFile{2, "Filename:"};
constexpr LangMessage kSelectPrompt{3, "Please, select a postprocessor to use."};
constexpr LangMessage kLabelOk{4, "OK"};
constexpr LangMessage kLabelCancel{5, "Cancel"};

std::string Lang(const RunContext& ctx, LangMessage msg) {
  return std::string(LangText(ctx.diag.lang, msg.entry, msg.text));
}

bool EndsWithNoCase(const std::string& s, std::string_view suffix) {
  if (s.size() < suffix.size()) return false;
  for (size_t i = 0; i < suffix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[s.size() - suffix.size() + i])) != suffix[i])
      return false;
  return true;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The post selection dialog: the posts of the current directory, sorted
// the way a list box sorts them, the first one preselected.
std::string SelectPost(RunContext& ctx) {
  std::vector<std::string> posts;
  for (const std::string& name : platform::ListFiles(""))
    if (EndsWithNoCase(name, kPostFileExtension))
      posts.push_back(name.substr(0, name.size() - std::string_view(kPostFileExtension).size()));
  std::sort(posts.begin(), posts.end(), [](const std::string& a, const std::string& b) {
    std::string la = Lower(a), lb = Lower(b);
    return la != lb ? la < lb : a < b;
  });
  platform::ListRequest request;
  request.caption = kProgramTitle;
  request.prompt = Lang(ctx, kSelectPrompt);
  request.ok_label = Lang(ctx, kLabelOk);
  request.cancel_label = Lang(ctx, kLabelCancel);
  request.entries = posts;
  request.preselected = 0;
  platform::ListChoice choice = platform::SelectFromList(request);
  if (!choice.ok) throw RunEnded{1};
  return choice.index >= 0 ? posts[choice.index] : std::string();
}

}  // namespace

void ReadLanguage(RunContext& ctx) {
  errno = 0;
  std::FILE* f = platform::OpenBinary(kLanguageFileName, "r");
  if (!f) {
    if (errno == ENOENT) return;  // no language file: the built-in texts stand
    f = OpenFile(ctx.diag, kLanguageFileName, "r");  // reports why it can't be read
  }
  ReadLanguageFile(ctx.diag.lang, f);
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) FatalPlain(ctx.diag, LangFormat(ctx.diag, kMsgErrorOpening, {kLanguageFileName}));

  platform::ProgressWindow& w = ctx.diag.progress;
  w.post_label = Lang(ctx, kLabelPost);
  w.file_label = Lang(ctx, kLabelFile);
  w.cancel_label = Lang(ctx, kLabelCancel);
  platform::ProgressShowTexts(w);
}

void ChooseFiles(RunContext& ctx, const std::vector<std::string>& args) {
  CommandLine cmd = ParseCommandLine(args);
  if (!cmd.invalid.empty()) FatalPlain(ctx.diag, FormatMessage(kMsgInvalidParameter, {cmd.invalid}));
  if (!cmd.apt) FatalWithUsage(ctx.diag, LangFormat(ctx.diag, kMsgAptNotGiven, {}), kUsage);
  // A directory or a device of that name is no APT-CL file; a file that is
  // there but can't be read is reported by the reporting open ("Acces
  // denied to file %s." ...) before any NC file is made.
  if (!platform::IsRegularFile(*cmd.apt))
    FatalPlain(ctx.diag, LangFormat(ctx.diag, kMsgAptNotFound, {*cmd.apt}));
  std::fclose(OpenFile(ctx.diag, *cmd.apt, "r"));

  RunFiles& f = ctx.files;
  f.apt_path = *cmd.apt;
  f.companion_path = CompanionClPath(f.apt_path);
  f.nc_path = NcPath(cmd);
  f.full_nc_path = platform::AbsolutePath(f.nc_path);
  f.editor = cmd.editor;
  ctx.flags.companion_file = cmd.companion ? 1 : 0;

  PostNames post = PostFileNames(cmd.post ? *cmd.post : SelectPost(ctx));
  f.post_name = post.name;

  platform::PathParts nc = platform::SplitPath(f.full_nc_path);
  ctx.diag.progress.post_name = f.post_name;
  ctx.diag.progress.file_name = nc.name + nc.ext;
  platform::ProgressShowTexts(ctx.diag.progress);
  f.post_file = post.file;
  f.settings_file = f.post_name + kSettingsFileExtension;
  f.values_file = ValuesFilePath(f.apt_path);
  ctx.diag.post_file = f.post_file;
}

void CreateNcFile(RunState& run) {
  InitOpenFiles(run.open_files);
  run.files.nc_work_path = OpenNcFile(run.diag, run.output, run.files.nc_path);
}

void StartUp(RunState& run, const std::vector<std::string>& args) {
  run.diag.progress.build_date = IsoBuildDate();
  platform::ProgressOpen(run.diag.progress);
  run.flags = RunFlags{};
  ClearPostFunctions(run.post_functions);
  ReadLanguage(run);
  ChooseFiles(run, args);
  CreateNcFile(run);
  RegisterSystemVariables(run.variables);
}

void CompilePost(RunState& run) {
  platform::CopyFailure failed;
  if (!platform::CopyFileTo(run.files.post_file, kTempPostCopy, &failed)) {
    // A full current directory is no missing post.
    if (failed == platform::CopyFailure::kTarget)
      FatalWriteError(run.diag, kTempPostCopy, errno);
    FatalPlain(run.diag, FormatMessage(kMsgPostNotFound, {run.files.post_file}));
  }
  // The passes hand the text on in memory; the end of the run deletes the
  // copy with the other temp files.
  const SourceFiles& disk = DiskSources();
  CompilePostLines(run, disk, ReadSourceLines(run.diag, disk, kTempPostCopy));
}

void CompilePostLines(RunState& run, const SourceFiles& files,
                      const std::vector<std::string>& post_lines) {
  Diagnostics& diag = run.diag;
  diag.sources = &files;
  CompilerState& c = run.compiler;
  OutputTables& out = run.output;
  c.text = Preprocess(diag, files, c.stacks, run.variables.system_string_slots, post_lines);
  c.text = KeywordPass(diag, c.text);
  c.text = ConstantsPass(diag, c.text);
  c.text = DeclarationsPass(diag, c, run.variables, run.post_functions, c.text);
  c.text = AddressPass(diag, c.functions, out.addresses, out.triggers, c.text);
  c.text = ModalGroupPass(diag, out.triggers, out.modal, c.text);
  c.text = LabelsPass(diag, c, c.text);
  // Every variable and literal is numbered now: the tables take their
  // final sizes.
  CreateValueTables(diag, c, run.variables, run.values);
  c.text = CompileControlStructures(diag, c, c.text);
  // The built-in function, settings and output statement passes plug into
  // the final text pass through its hooks.
  FinalPassHooks hooks;
  hooks.builtins = [](Diagnostics&, std::vector<std::string>& statements) {
    for (std::string& s : statements) ReplaceBuiltinNames(s);
  };
  hooks.settings = SettingsPass;
  hooks.output = OutputStatementHook;
  c.text = FinalTextPass(diag, c.text, hooks);
  ReferenceLimits limits;
  limits.ints = run.values.ints.size();
  limits.reals = run.values.reals.size();
  limits.strings = run.values.strings.size();
  limits.functions = &c.functions;
  LoadProgram(diag, c.text, c.label_counter, limits, run.program);
  c.text = std::vector<std::string>();  // the program holds it now
  run.program_loaded = true;
  PrepareInterpreter(run);
  ScanDialogVariables(run.program, kDialogBindingCodes, run.dialog_variables);
}

void SetRunStartValues(RunState& run) {
  const RunFiles& f = run.files;
  SetStartValues(run.values, f.apt_path, f.full_nc_path, f.post_name, CurrentLocalTime());
  run.move_handlers = ResolveMoveHandlers(run.post_functions);
}

void RunFirstPass(RunState& run) {
  bool companion = run.flags.companion_file != 0;
  run.flags.scan_pass = 1;
  run.flags.first_run = 1;
  SetRunStartValues(run);
  ApplyDefaults(run.values, true, companion);
  RunMainSections(run);
  ResolveUnsetCodes(run.values);
  RunPostFunction(run, kPfInitSettings);
  RunClPass(RunHost(run).cl(), ClPass::kFirst);
  CloseFirstPassInMemory(RunHost(run).builtins(), run.files.post_name);
  platform::ProgressSetValue(run.diag.progress, 10);
  Pump(run.diag);
}

void RunSecondPass(RunState& run) {
  run.flags.first_run = 0;
  RunMainSections(run);
  ResolveUnsetCodes(run.values);
  ApplyMemoryBeforeSecondPass(RunHost(run).builtins(), run.files.post_name);
  run.flags.scan_pass = 0;
  RunPostFunction(run, kPfSettings);
  ApplyDefaults(run.values, false, run.flags.companion_file != 0);
  RunClPass(RunHost(run).cl(), ClPass::kSecond);
  platform::ProgressSetValue(run.diag.progress, 100);
  Pump(run.diag);
}

void RunTornel(RunState& run, const std::vector<std::string>& args) {
  // An allocation that fails anywhere in the run is reported like every
  // other error, and the end-of-run steps follow.
  WithMemory(run.diag, [&] {
    StartUp(run, args);
    CompilePost(run);
    RunFirstPass(run);
    RunSecondPass(run);
  });
}

}  // namespace tornel
