#include "tornel/output/number_format.h"

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tornel/compiler/tokens.h"

namespace tornel {
namespace {

AddressRecord Format(std::string_view text) {
  AddressRecord r;
  size_t pos = 0;
  const char* error = ParseNumberFormat(text, pos, r);
  EXPECT_EQ(error, nullptr) << text;
  EXPECT_EQ(pos, text.size()) << text;
  return r;
}

// The value written through `format` with the switches of the examples:
// a point, siDecSepar, siZeroBefSepar and siSignBefSpace all 0.
std::string Write(std::string_view format, double value, NumberSwitches sw = {0, 0, 0, "."}) {
  AddressRecord r = Format(format);
  NumberText text;
  std::string out;
  ValueText(value, r.numsaft, text);
  FormatNumber(r, text.view(), r.numsbef, r.numsaft, sw, out);
  return out;
}

TEST(NumberFormat, TheDocumentedExamples) {
  EXPECT_EQ(Write("+4.3", 12.5), "+0012.500");
  EXPECT_EQ(Write("->4.3<", 12.5), "12.5");
  EXPECT_EQ(Write("->4.3<", -0.5), "-.5");
  EXPECT_EQ(Write("->4.3<", 0), "0");
  EXPECT_EQ(Write("4?3<", 12), "0012");
  EXPECT_EQ(Write("-_4.3", -12.5), "  -12.500");
  EXPECT_EQ(Write("-_4.3", 12.5), "   12.500");
}

TEST(NumberFormat, ParsesEveryPosition) {
  AddressRecord r = Format("+_42!31_");
  EXPECT_EQ(r.sign, kSignAlways);
  EXPECT_EQ(r.leadzero, kZerosBlank);
  EXPECT_EQ(r.numsbef, 4);
  EXPECT_EQ(r.numsbefinch, 2);
  EXPECT_EQ(r.decpoint, kDecPointAlways);
  EXPECT_EQ(r.numsaft, 3);
  EXPECT_EQ(r.numsaftinch, 1);
  EXPECT_EQ(r.trailzero, kZerosBlank);

  r = Format("5_");
  EXPECT_EQ(r.sign, kSignNone);
  EXPECT_EQ(r.numsbef, 5);
  EXPECT_EQ(r.numsbefinch, kSameAsMetric);
  EXPECT_EQ(r.decpoint, kDecPointNone);
  EXPECT_EQ(r.trailzero, kZerosKept);

  // A "_" before a suffix literal stands as the separator byte.
  std::string with_suffix = std::string("4.3") + kTokWordSep;
  EXPECT_EQ(Format(with_suffix).trailzero, kZerosBlank);
}

TEST(NumberFormat, RefusesMalformedFormats) {
  AddressRecord r;
  for (auto [text, message] : {std::pair{"+.3", kMsgInvalidNumberFormat},
                               {"", kMsgInvalidNumberFormat},
                               {"43", nullptr},
                               {"433", kMsgDecimalPointMissing},
                               {">4<", kMsgImpossibleFormat},
                               {"_4_<", kMsgImpossibleFormat},
                               {">4.<", nullptr}}) {
    size_t pos = 0;
    const char* error = ParseNumberFormat(text, pos, r);
    EXPECT_EQ(std::string(error ? error : ""), std::string(message ? message : "")) << text;
  }
}

TEST(NumberFormat, SignRules) {
  // No sign symbol: a negative value loses its minus.
  EXPECT_EQ(Write("4.3", -1.5), "0001.500");
  // A value that rounds to zero from below is a positive zero.
  EXPECT_EQ(Write("+4.3", -0.0004), "+0000.000");
  EXPECT_EQ(Write("-4.3", -0.0004), "0000.000");
  EXPECT_EQ(Write("-4.3", -0.0), "0000.000");
  // However many decimals.
  NumberText zero;
  ValueText(-1e-12, 10, zero);
  EXPECT_EQ(zero.view(), "+0.0000000000");
  // The sign stays in front of the blanks with siSignBefSpace 1.
  EXPECT_EQ(Write("+_4.1", 3, {0, 0, 1, "."}), "+   3.0");
  EXPECT_EQ(Write("+_4.1", 3), "   +3.0");
}

TEST(NumberFormat, IntegerAndDecimalDigits) {
  // numsbef 0 drops the integer part entirely.
  EXPECT_EQ(Write("0.3", 12.25), ".250");
  // A longer integer part is not cut.
  EXPECT_EQ(Write("2.1", 12345.5), "12345.5");
  // No decimals: the value is rounded.
  EXPECT_EQ(Write("3", 7.6), "008");
  EXPECT_EQ(Write(">3", 0), "0");
}

TEST(NumberFormat, DecimalPointAndZeros) {
  // "!" always writes the point; "." without decimals only after a
  // non-zero integer part.
  EXPECT_EQ(Write(">3!<", 5), "5.");
  EXPECT_EQ(Write(">3.0", 5), "5.");
  EXPECT_EQ(Write(">3.0", 0), "0");
  // "?" drops the point with the last decimal.
  EXPECT_EQ(Write(">3?3<", 5.25), "5.25");
  EXPECT_EQ(Write(">3?3<", 5), "5");
  // Trailing zeros as blanks keep the width.
  EXPECT_EQ(Write(">3.3_", 5.2), "5.2  ");
  // siZeroBefSepar 1 keeps the zero before the point.
  EXPECT_EQ(Write(">3.3<", 0.5, {0, 1, 0, "."}), "0.5");
  EXPECT_EQ(Write(">3.3<", 0.5), ".5");
  // Blank leading zeros turn a lone zero into a blank.
  EXPECT_EQ(Write("_3.2<", 0.5), "   .5");
  // A comma separator; siDecSepar 5 makes a "." format drop a bare point.
  EXPECT_EQ(Write(">3.3<", 2.5, {0, 0, 0, ","}), "2,5");
  EXPECT_EQ(Write(">3.3<", 2, {5, 0, 0, "."}), "2");
  EXPECT_EQ(Write(">3.3<", 2, {4, 0, 0, "."}), "2.");
}

TEST(NumberFormat, HugeValuesAreWrittenWhole) {
  NumberText text;
  ValueText(1e300, 3, text);
  EXPECT_EQ(text.size, 1u + 301u + 4u);
  EXPECT_EQ(text.view().substr(0, 2), "+1");
  EXPECT_EQ(text.view().substr(text.size - 4), ".000");
  ValueText(-kUndefinedValue, kMaxDigits, text);
  EXPECT_EQ(text.size, 1u + 309u + 1u + 50u);
  EXPECT_EQ(text.data[0], '-');
  EXPECT_EQ(Write("+4.3", 1e20), "+100000000000000000000.000");
}

}  // namespace
}  // namespace tornel

namespace tornel {
namespace {

// The number text takes a short way for the values NC words mostly carry;
// it must give exactly what the full conversion gives, ties and all.
TEST(NumberText, AgreesWithTheFullConversion) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::vector<double> values = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 2.675, 1.005, 1e-7,
                                -1e-7, 999999.9995, 1e9, 123456789.4999999, 0.0005, -0.0005};
  for (int i = 0; i < 20000; ++i) {
    double magnitude = std::pow(10.0, static_cast<int>(random() % 14) - 5);
    values.push_back(unit(random) * magnitude);
    // Values on and beside the halves of the last decimal kept.
    double tie = (static_cast<double>(random() % 200000) + 0.5) / 1000.0;
    values.push_back(tie);
    values.push_back(std::nextafter(tie, 0.0));
    values.push_back(-std::nextafter(tie, 1e9));
  }
  for (double v : values) {
    for (int d : {0, 1, 2, 3, 4, 6, 9}) {
      char expected[kValueTextLimit];
      auto res = std::to_chars(expected, expected + sizeof expected, v, std::chars_format::fixed, d);
      std::string full(expected, res.ptr);
      NumberText text;
      ValueText(v, d, text, NegativeZero::kKept);
      std::string got(text.view());
      if (got[0] == '+') got.erase(0, 1);
      ASSERT_EQ(got, full) << v << " with " << d << " decimals";
    }
  }
}

}  // namespace
}  // namespace tornel
