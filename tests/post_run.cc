#include "tests/post_run.h"

#include <stdexcept>

#include "tests/fatal_report.h"
#include "tornel/compiler/preprocessor.h"
#include "tornel/driver/run.h"
#include "tornel/sysvars/registry.h"

namespace tornel_test {

namespace {

size_t Slot(tornel::RunState& ctx, std::string_view name, int element) {
  const tornel::VariableEntry* v = tornel::FindVariable(ctx.variables, name);
  if (!v) throw std::runtime_error("no variable " + std::string(name));
  if (element < 1 || element > v->elements) throw std::runtime_error("no such element");
  return static_cast<size_t>(v->slot + element - 1);
}

}  // namespace

void CompilePostText(tornel::RunState& run, tornel::MemorySources& sources,
                     const std::string& post) {
  run = tornel::RunState();
  sources.Add("p.tr", post);
  run.files.post_file = "p.tr";
  run.diag.post_file = "p.tr";
  run.diag.sources = &sources;
  tornel::ClearPostFunctions(run.post_functions);
  tornel::RegisterSystemVariables(run.variables);
  tornel::CompilePostLines(run, sources, tornel::ReadSourceLines(run.diag, sources, "p.tr"));
}

int32_t IntValue(tornel::RunState& ctx, std::string_view name, int element) {
  return ctx.values.ints.at(Slot(ctx, name, element));
}

double RealValue(tornel::RunState& ctx, std::string_view name, int element) {
  return ctx.values.reals.at(Slot(ctx, name, element));
}

const std::string& StrValue(tornel::RunState& ctx, std::string_view name, int element) {
  return ctx.values.strings.at(Slot(ctx, name, element));
}

void SetInt(tornel::RunState& ctx, std::string_view name, int32_t value) {
  ctx.values.ints.at(Slot(ctx, name, 1)) = value;
}

void PostRun::Compile(const std::string& post) {
  host_.reset();
  CompilePostText(ctx, sources, post);
}

tornel::RunHost& PostRun::Host() {
  if (!host_) host_ = std::make_unique<tornel::RunHost>(ctx);
  return *host_;
}

void PostRun::Run(const std::string& post) {
  try {
    Compile(post);
    tornel::RunMainSections(ctx);
  } catch (const tornel::RunEnded&) {
    ADD_FAILURE() << ctx.diag.last_error;
  }
}

void PostRun::RunPasses(const std::string& post, const std::string& cl) {
  Compile(post);
  WriteFile("part.cl", cl);
  ctx.files.apt_path = "part.cl";
  tornel::RunFirstPass(ctx);
  tornel::RunSecondPass(ctx);
}

std::string PostRun::ReportOf(const std::string& post) {
  return tornel_test::ReportOf(ctx.diag, [&] {
    Compile(post);
    tornel::RunMainSections(ctx);
  });
}

std::string PostRun::Report(const std::string& message, int line, const std::string& text) {
  return "Error in postprocessor file - p.tr\n\n" + message + " line " + std::to_string(line) +
         ":\n" + text + "\n";
}

}  // namespace tornel_test
