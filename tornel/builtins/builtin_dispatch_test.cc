#include "tornel/builtins/builtin_dispatch.h"

#include <cmath>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "tornel/compiler/tokens.h"

#include "tests/fatal_report.h"
#include "tornel/builtins/builtin_table.h"
#include "tornel/driver/run_host.h"
#include "tornel/sysvars/system_variables.h"

namespace tornel {
namespace {

using Value = std::variant<double, std::string>;

// The arguments of one call as the interpreter would hand them over; logs
// every request so that tests can check the order of fetching and the
// argument counts the dispatcher announces.
class FakeArgs : public BuiltinArgs {
 public:
  explicit FakeArgs(std::vector<Value> values) : values_(std::move(values)) {}

  void SetDisplayName(std::string_view display) override {
    log += "name " + std::string(display) + ";";
  }
  double Number(int k, int n) override {
    log += "N" + std::to_string(k) + "/" + std::to_string(n) + ";";
    return std::get<double>(Take(k, n));
  }
  std::string Text(int k, int n) override {
    log += "T" + std::to_string(k) + "/" + std::to_string(n) + ";";
    return std::get<std::string>(Take(k, n));
  }
  bool More() override {
    log += "more;";
    return next_ < values_.size();
  }
  int StringVariable(int k, int n) override {
    log += "V" + std::to_string(k) + "/" + std::to_string(n) + ";";
    return static_cast<int>(std::get<double>(Take(k, n)));
  }
  bool Any(int k, int n, double& number, std::string& text) override {
    log += "A" + std::to_string(k) + "/" + std::to_string(n) + ";";
    const Value& v = Take(k, n);
    if (std::holds_alternative<double>(v)) {
      number = std::get<double>(v);
      return true;
    }
    text = std::get<std::string>(v);
    return false;
  }
  int RealVariable(int k, int n) override {
    log += "R" + std::to_string(k) + "/" + std::to_string(n) + ";";
    return static_cast<int>(std::get<double>(Take(k, n)));
  }
  NumericVar NumericVariable(int k, int n) override {
    log += "I" + std::to_string(k) + "/" + std::to_string(n) + ";";
    return {false, static_cast<int>(std::get<double>(Take(k, n)))};
  }
  BoundVar BoundVariable(int k, int n, Bind kind) override {
    log += "B" + std::to_string(k) + "/" + std::to_string(n) + ";";
    return {kind == Bind::kString ? kTokStringRef : kTokIntVar,
            static_cast<int>(std::get<double>(Take(k, n))), 0};
  }
  bool NextIsNumericVariable() override { return false; }
  int VoidFunction(int k, int n) override {
    log += "F" + std::to_string(k) + "/" + std::to_string(n) + ";";
    return static_cast<int>(std::get<double>(Take(k, n)));
  }
  bool HasArgument() override {
    log += "has;";
    return next_ < values_.size();
  }
  void NoArguments() override { log += "none;"; }
  const AddressRecord& NumberFormat(AddressRecord& scratch) override {
    log += "format;";
    return scratch;
  }

  std::string log;

 private:
  const Value& Take(int k, int n) {
    EXPECT_EQ(static_cast<size_t>(k), next_ + 1) << "arguments out of order";
    EXPECT_LE(k, n);
    if (k == n) {
      EXPECT_EQ(next_ + 1, values_.size()) << "more arguments than the function takes";
    }
    return values_.at(next_++);
  }

  std::vector<Value> values_;
  size_t next_ = 0;
};

class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override {
    ctx_.diag.post_file = "p.tr";
    ctx_.values.reals.assign(kRealSystemSlots, 0.0);
    ctx_.values.reals[kSrRotAccuracy] = 0.001;
  }

  double Numeric(BuiltinId id, std::vector<Value> values) {
    FakeArgs args(std::move(values));
    double r = CallNumericBuiltin(host_.builtins(), Builtin(id).code, args);
    last_log_ = args.log;
    return r;
  }

  // The message a call reports (the current location has no line).
  template <class F>
  std::string Refusal(F call) {
    std::string report = tornel_test::ReportOf(ctx_.diag, call);
    const std::string head = "Error in postprocessor file - p.tr\n\n";
    const std::string tail = " unknown line";
    if (!report.starts_with(head) || !report.ends_with(tail)) return report;
    return report.substr(head.size(), report.size() - head.size() - tail.size());
  }

  std::string NumericRefusal(BuiltinId id, std::vector<Value> values) {
    return Refusal([&] { Numeric(id, std::move(values)); });
  }

  RunState ctx_;
  RunHost host_{ctx_};
  std::string last_log_;
};

TEST_F(Dispatch, NameFirstThenArgumentsInOrder) {
  EXPECT_EQ(Numeric(kFnAtan2, {1.0, 0.0}), 90);
  EXPECT_EQ(last_log_, "name ATAN2;N1/2;N2/2;");
  EXPECT_EQ(Numeric(kFnAtan2, {0.0, -1.0}), 180);
  EXPECT_EQ(Numeric(kFnHypot3, {1.0, 2.0, 2.0}), 3);
  EXPECT_EQ(last_log_, "name HYPOT3;N1/3;N2/3;N3/3;");
  EXPECT_EQ(Numeric(kFnSign, {0.0}), 1);
  EXPECT_EQ(last_log_, "name SIGN;N1/1;");
  EXPECT_EQ(Numeric(kFnRound, {-2.5, 1.0}), -2);
  EXPECT_EQ(Numeric(kFnTrunc, {-7.9, 1.0}), -7);
  EXPECT_EQ(Numeric(kFnMin, {4.0, 3.0}), 3);
  EXPECT_EQ(Numeric(kFnMax, {4.0, 3.0}), 4);
  EXPECT_EQ(Numeric(kFnMod, {-7.0, 3.0}), -1);
}

TEST_F(Dispatch, AccuracyDefaultsToSrRotAccuracy) {
  ctx_.values.reals[kSrRotAccuracy] = 0.5;
  EXPECT_EQ(Numeric(kFnRot360, {-9.8}), 350);
  EXPECT_EQ(last_log_, "name ROT360;N1/2;more;");
  EXPECT_NEAR(Numeric(kFnRot360, {-9.8, 0.0}), 350.2, 1e-9);
  EXPECT_EQ(last_log_, "name ROT360;N1/2;more;N2/2;");
  EXPECT_EQ(Numeric(kFnRot180, {190.3}), -169.5);
  EXPECT_NEAR(Numeric(kFnRot180, {190.3, 0.0}), -169.7, 1e-9);
  EXPECT_EQ(Numeric(kFnAng360, {-90.2, 0.0}), -270);
  EXPECT_EQ(last_log_, "name ANG360;N1/3;N2/3;more;");
  EXPECT_NEAR(Numeric(kFnAng360, {-90.2, 0.0, 0.0}), -269.8, 1e-9);
  EXPECT_EQ(last_log_, "name ANG360;N1/3;N2/3;more;N3/3;");

  ctx_.values.reals[kSrRotAccuracy] = 0.001;
  EXPECT_EQ(Numeric(kFnRot360, {359.9996}), 0);
  EXPECT_EQ(Numeric(kFnRot180, {-180.0}), -180);
  EXPECT_EQ(Numeric(kFnRot180, {180.0}), 180);
}

TEST_F(Dispatch, DomainMessagesNameTheFunction) {
  EXPECT_EQ(NumericRefusal(kFnAsin, {1.0000001}),
            "Parameter is greater than 1 in ASIN function in");
  EXPECT_EQ(NumericRefusal(kFnAcos, {-1.5}), "Parameter is less than -1 in ACOS function in");
  EXPECT_EQ(NumericRefusal(kFnSqrt, {-1.0}), "Negative parameter value in SQRT function in");
  EXPECT_EQ(NumericRefusal(kFnMod, {1.0, 0.0}), "Parameter 2 can't be 0 in MOD function in");
  EXPECT_EQ(NumericRefusal(kFnTrunc, {7.0, 0.0}),
            "Parameter 2 must be greater than 0 in TRUNC function in");
  EXPECT_EQ(NumericRefusal(kFnInt, {3e9}), "Invalid use of INT function in");
  EXPECT_EQ(NumericRefusal(kFnFrac, {-3e9}), "Invalid use of FRAC function in");
}

TEST_F(Dispatch, AResultThatIsNoNumberStopsTheRun) {
  EXPECT_EQ(NumericRefusal(kFnPow, {-8.0, 1.0 / 3}), "Invalid use of POW function in");
  EXPECT_EQ(Numeric(kFnPow, {2.0, 0.5}), std::sqrt(2.0));
}

TEST_F(Dispatch, UnknownCodesAreRefused) {
  FakeArgs args({});
  EXPECT_EQ(Refusal([&] { CallNumericBuiltin(host_.builtins(), 190, args); }), "Invalid function in");
  EXPECT_EQ(Refusal([&] { CallNumericBuiltin(host_.builtins(), 234, args); }), "Invalid function in");
  EXPECT_EQ(Refusal([&] { CallStringBuiltin(host_.builtins(), 205, args); }), "Invalid function in");
  EXPECT_EQ(Refusal([&] { CallProcedureBuiltin(host_.builtins(), 194, args); }), "Invalid function in");
  EXPECT_EQ(Refusal([&] { CallDialogBuiltin(host_.builtins(), 300, args); }), "Invalid function in");
  EXPECT_EQ(args.log, "");
}

// The dialog procedures that add to a definition need one open.
TEST_F(Dispatch, DialogItemsOutsideADefinitionAreRefused) {
  for (BuiltinId id : {kFnInputInt, kFnDialogText, kFnDialogNext, kFnResetBtn, kFnDialogEnd}) {
    FakeArgs args({});
    std::string message =
        Refusal([&] { CallDialogBuiltin(host_.builtins(), Builtin(id).code, args); });
    EXPECT_EQ(message, "Dialog definition haven't started in") << Builtin(id).display;
  }
}

}  // namespace
}  // namespace tornel
