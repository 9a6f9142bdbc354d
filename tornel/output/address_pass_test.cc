#include "tornel/output/address_pass.h"

#include <gtest/gtest.h>

#include "tests/fatal_report.h"
#include "tests/records.h"
#include "tornel/compiler/tokens.h"
#include "tornel/output/modal_group_pass.h"

namespace tornel {
namespace {

using tornel_test::MessageAt;
using tornel_test::Record;
using tornel_test::ReportOf;
using tornel_test::ShowBytes;
using Lines = std::vector<std::string>;

std::string Lit(int index) { return kTokStringRef + std::to_string(index); }

class AddressPassTest : public tornel_test::PassTest {
 protected:
  Lines Pass(const Lines& in) {
    return ShowBytes(AddressPass(diag, functions, addresses, triggers, in));
  }
  std::string ErrorOf(const Lines& in) {
    ReportOf(diag, [&] { AddressPass(diag, functions, addresses, triggers, in); });
    return MessageAt(diag);
  }
  // One definition line 2 in a block of the post file.
  std::string ErrorOfDefinition(const std::string& definition) {
    return ErrorOf({Record(0, 1, "addres"), Record(0, 2, definition), Record(0, 3, "end addres")});
  }
  AddressRecord Define(const std::string& definition) {
    Pass({Record(0, 1, "addres"), Record(0, 2, definition), Record(0, 3, "end addres")});
    return addresses.records.at(1);
  }

  FunctionTables functions;
  AddressTable addresses;
  TriggerTable triggers;
};

TEST_F(AddressPassTest, BlocksLeaveTheTextAndNamesBecomeReferences) {
  Lines out = Pass({
      Record(0, 1, "{143}"),
      Record(0, 2, "o:_y(1)_x(2)_xy(3)"),  // used before the block
      Record(0, 3, "addres"),
      Record(0, 4, "_x" + Lit(900) + "+4.3 nospace modal"),
      Record(0, 5, "_y" + Lit(901) + " select strings=" + Lit(902) + Lit(903) + Lit(904)),
      Record(0, 6, "end addres"),
      Record(0, 7, "uia=_x.val+_y.selnum+_x.valrnd+a_x.order"),
      "{170}3",
  });
  EXPECT_EQ(out, (Lines{"0,1{1}{143}", "0,2{1}o:{154}2(1){154}1(2)_xy(3)",
                        "0,7{1}uia={154}1.{190}+{154}2.{193}+{154}1.{191}+a_x.{171}", "{170}3"}));
  ASSERT_EQ(AddressCount(addresses), 2);
  EXPECT_EQ(addresses.names[1], "_x");
  const AddressRecord& x = addresses.records[1];
  EXPECT_EQ(x.prefix, 900);
  EXPECT_EQ(x.sign, kSignAlways);
  EXPECT_EQ(x.numsbef, 4);
  EXPECT_EQ(x.numsaft, 3);
  EXPECT_EQ(x.space, 0);
  EXPECT_EQ(x.modal, 1);
  EXPECT_EQ(x.order, 100);
  const AddressRecord& y = addresses.records[2];
  EXPECT_EQ(y.sign, kSignSelect);
  EXPECT_EQ(SelectCount(y), 3);
  EXPECT_EQ(y.order, 200);
}

TEST_F(AddressPassTest, EveryOption) {
  AddressRecord r = Define("_a" + Lit(900) + " 2_" + Lit(901) +
                           " space zero force absinc from=_a scale=-2.5 trans=.5 order=2.5");
  EXPECT_EQ(r.suffix, 901);
  EXPECT_EQ(r.numsbef, 2);
  EXPECT_EQ(r.decpoint, kDecPointNone);
  EXPECT_EQ(r.space, 1);
  EXPECT_EQ(r.inczero, 1);
  EXPECT_EQ(r.modal, kModalForce);
  EXPECT_EQ(r.inc, kIncFollow);
  EXPECT_EQ(r.from, 1);
  EXPECT_EQ(r.scale, -2.5);
  EXPECT_EQ(r.trans, 0.5);
  EXPECT_EQ(r.order, 250);
  r = Define("_a" + Lit(900) + " 4.3" + std::string(1, kTokWordSep) + Lit(901) +
             " nospace nozero nomodal inc abs");
  EXPECT_EQ(r.trailzero, kZerosBlank);
  EXPECT_EQ(r.suffix, 901);
  EXPECT_EQ(r.inczero, 0);
  EXPECT_EQ(r.modal, 0);
  EXPECT_EQ(r.inc, kIncAbs);
}

TEST_F(AddressPassTest, DefinitionErrors) {
  EXPECT_EQ(ErrorOfDefinition("x" + Lit(900) + " 4"),
            "Address name must start with underscore _ in address definition @0,2");
  EXPECT_EQ(ErrorOfDefinition("_a 4"), "Prefix string missing from address definition @0,2");
  EXPECT_EQ(ErrorOfDefinition("_a" + Lit(900) + " x"), "Invalid number format in @0,2");
  EXPECT_EQ(ErrorOfDefinition("_a" + Lit(900) + " 4 from=_b"),
            "Undefined address in FROM setting of address definition @0,2");
  EXPECT_EQ(ErrorOfDefinition("_a" + Lit(900) + " 4 from 1"), "Invalid FROM setting in address definition @0,2");
  EXPECT_EQ(ErrorOfDefinition("_a" + Lit(900) + " 4 scale=x"), "Invalid SCALE setting in address definition @0,2");
  EXPECT_EQ(ErrorOfDefinition("_a" + Lit(900) + " 4 trans="), "Invalid TRANS setting in address definition @0,2");
  EXPECT_EQ(ErrorOfDefinition("_a" + Lit(900) + " 4 order=.5"), "Invalid ORDER setting in address definition @0,2");
  EXPECT_EQ(ErrorOfDefinition("_a" + Lit(900) + " select strings=1"),
            "Invalid STRINGS setting in address definition @0,2");
  EXPECT_EQ(ErrorOfDefinition("_a" + Lit(900) + " 4 strings=" + Lit(901)),
            "Invalid STRINGS setting in address definition @0,2");
  EXPECT_EQ(ErrorOfDefinition("_a" + Lit(900) + " 4 nospace fast"),
            "Unrecognized symbol fast in address definition @0,2");
  EXPECT_EQ(ErrorOf({Record(0, 1, "addres x")}), "Invalid ADDRESS statement in @0,1");
  EXPECT_EQ(ErrorOf({Record(0, 1, "addres"), Record(0, 2, "end addres now")}),
            "Invalid END statement in @0,2");
}

TEST_F(AddressPassTest, NamesAreUniquePerSourceFile) {
  std::string def = Lit(900) + " 4";
  EXPECT_EQ(ErrorOf({Record(0, 1, "addres"), Record(0, 2, "_a" + def), Record(0, 3, "_a" + def),
                     Record(0, 4, "end addres")}),
            "Address name _a already in use. Use another name for address in @0,3");
  // Declared again by an include file: the first definition stands, the
  // second is checked.
  Pass({Record(0, 1, "addres"), Record(0, 2, "_a" + Lit(900) + " 4"), Record(0, 3, "end addres"),
        Record(1, 1, "addres"), Record(1, 2, "_a" + Lit(901) + "+6"), Record(1, 3, "end addres")});
  ASSERT_EQ(AddressCount(addresses), 1);
  EXPECT_EQ(addresses.records[1].prefix, 900);
  EXPECT_EQ(addresses.records[1].numsbef, 4);
  EXPECT_EQ(ErrorOf({Record(0, 1, "addres"), Record(0, 2, "_a" + def), Record(0, 3, "end addres"),
                     Record(1, 1, "addres"), Record(1, 2, "_a 4"), Record(1, 3, "end addres")}),
            "Prefix string missing from address definition @1,2");
}

TEST_F(AddressPassTest, OnAddrFunctionsBindTheirAddresses) {
  functions.address_hooks.push_back(AddressHook{false, "_b", 8, {0, 20}});
  functions.address_hooks.push_back(AddressHook{true, "_a", 16, {0, 30}});
  std::string def = Lit(900) + " 4";
  Pass({Record(0, 1, "addres"), Record(0, 2, "_a" + def), Record(0, 3, "_b" + def),
        Record(0, 4, "end addres")});
  ASSERT_EQ(triggers.entries.size(), 2u);
  EXPECT_EQ(triggers.entries[0].key, 2);
  EXPECT_EQ(triggers.entries[0].kind, kTriggerFunction);
  EXPECT_EQ(triggers.entries[0].flag, 0);
  EXPECT_EQ(triggers.entries[0].position, 8);
  EXPECT_EQ(triggers.entries[1].flag, kTriggerFlagWritten);

  functions.address_hooks.assign(1, AddressHook{false, "_c", 24, {0, 40}});
  EXPECT_EQ(ErrorOf({Record(0, 1, "addres"), Record(0, 2, "_a" + def), Record(0, 3, "end addres")}),
            "Undefined address in OnAddr/OnAddrOut-function definition in @0,40");
}

class ModalGroupPassTest : public tornel_test::PassTest {
 protected:
  Lines Pass(const Lines& in) { return ShowBytes(ModalGroupPass(diag, triggers, modal, in)); }
  std::string ErrorOfGroup(const std::string& definition) {
    ReportOf(diag, [&] {
      ModalGroupPass(diag, triggers, modal,
                     {Record(0, 1, "modalgroup"), Record(0, 2, definition), Record(0, 3, "end modalgroup")});
    });
    return MessageAt(diag);
  }

  TriggerTable triggers;
  ModalValues modal;
};

const std::string kG = std::string(1, kTokAddress) + "2";

TEST_F(ModalGroupPassTest, GroupsBecomeEntriesAndReferences) {
  triggers.entries.push_back(TriggerEntry{1, kTriggerFunction, 0, 8, 0});  // an OnAddr entry first
  Lines out = Pass({
      Record(0, 1, "uia=mgplane.modnum+mgmotion.modval[2]+mgmotion.val"),
      Record(0, 2, "modalgroup"),
      Record(0, 3, "mgmotion " + kG + " 0 1 2 3"),
      Record(0, 4, "mgplane " + kG + " 17 18.5 -19"),
      Record(0, 5, "end modalgroup"),
      Record(1, 1, "modalgroup"),
      Record(1, 2, "mgmotion " + kG + " 7 8"),  // the first definition stands
      Record(1, 3, "end modalgroup"),
  });
  EXPECT_EQ(out, (Lines{"0,1{1}uia={155}3.{193}+{155}2.{194}[2]+{155}2.val"}));
  ASSERT_EQ(triggers.entries.size(), 3u);
  EXPECT_EQ(triggers.entries[1].key, 2);
  EXPECT_EQ(triggers.entries[1].kind, kTriggerGroup);
  EXPECT_EQ(triggers.entries[1].position, 0);
  EXPECT_EQ(triggers.entries[1].link, 4);
  EXPECT_EQ(modal.slots, (std::vector<double>{kUndefinedValue, 0, 1, 2, 3, kUndefinedValue, 17,
                                              18.5, -19}));
  EXPECT_EQ(GroupEntry(triggers, 3), &triggers.entries[2]);
  EXPECT_EQ(GroupEntry(triggers, 1), nullptr);
}

TEST_F(ModalGroupPassTest, DefinitionErrors) {
  EXPECT_EQ(ErrorOfGroup("motion " + kG + " 0 1"), "ModalGroup name must start with mg in @0,2");
  EXPECT_EQ(ErrorOfGroup("mgmotion _g 0 1"), "Undefined Address in ModalGroup in @0,2");
  EXPECT_EQ(ErrorOfGroup("mgmotion 0 1"), "Address missing from ModalGroup in @0,2");
  EXPECT_EQ(ErrorOfGroup("mgmotion " + kG + " 0 x"), "Invalid modal value in ModalGroup in @0,2");
  EXPECT_EQ(ErrorOfGroup("mgmotion " + kG + " 0 1.2.3"), "Invalid modal value in ModalGroup in @0,2");
  EXPECT_EQ(ErrorOfGroup("mgmotion " + kG + " 0 1 2 x"), "Invalid ModalGroup definition in @0,2");
  EXPECT_EQ(ErrorOfGroup("mgmotion " + kG + " 1 1"),
            "ModalGroup must have at least two different values in @0,2");
  EXPECT_EQ(ErrorOfGroup("mgmotion " + kG + " 1"),
            "ModalGroup must have at least two different values in @0,2");
  ReportOf(diag, [&] {
    ModalGroupPass(diag, triggers, modal,
                   {Record(0, 1, "modalgroup"), Record(0, 2, "mga " + kG + " 0 1"),
                    Record(0, 3, "mga " + kG + " 0 1"), Record(0, 4, "end modalgroup")});
  });
  EXPECT_EQ(MessageAt(diag),
            "ModalGroup name mga already in use. Use another name for Modal Group in @0,3");
  ReportOf(diag, [&] { ModalGroupPass(diag, triggers, modal, {Record(0, 1, "modalgroup 1")}); });
  EXPECT_EQ(MessageAt(diag), "Invalid ModalGroup statement in @0,1");
}

}  // namespace
}  // namespace tornel
