// The bytes of the intermediate program.  Every pass of the compiler, the
// loader and the interpreter agree on these values; a statement record is
//   <file>,<line> kTokLocation <tokens> kTokLineEnd
// and a label line is kTokLabelLine <label> kTokLineEnd.
//
// A token followed by "+ n" carries a decimal number right after it
// (a table index, a label number or a descriptor offset).  Bytes 170..194
// mean different things by what stands before them: alone at a line's
// start 170 is a label line; after kTokReplace they are the replace kind;
// after '.' an attribute; after a function class a function kind.
//
// The values are bytes of std::string text, hence char: bytes above 127 are
// negative chars on most targets, so compare against these constants only.
#pragma once

namespace tornel {

constexpr char TokenByte(int value) { return static_cast<char>(value); }

// Record structure.
inline constexpr char kTokLocation = TokenByte(1);    // 1: ends the location prefix
inline constexpr char kTokLineEnd = TokenByte(10);    // 10: ends a statement record

// Variables.  An array adds '|' and its size after the index.
inline constexpr char kTokIntVar = TokenByte(130);     // 130 + index: integer variable
inline constexpr char kTokRealVar = TokenByte(131);    // 131 + index: real variable
inline constexpr char kTokStringRef = TokenByte(132);  // 132 + index: string variable or constant

// Parameter kinds passed in and out ("!"); only in function descriptors.
inline constexpr char kTokInOutInt = TokenByte(133);     // 133: integer parameter, in and out
inline constexpr char kTokInOutReal = TokenByte(134);    // 134: real parameter, in and out
inline constexpr char kTokInOutString = TokenByte(135);  // 135: string parameter, in and out

// Function classes; a kind or built-in code byte follows each.  The codes of
// the built-in functions are in tornel/builtins/builtin_table.def.
inline constexpr char kTokNumFunc = TokenByte(136);     // 136 + code: function with a number result
inline constexpr char kTokStrFunc = TokenByte(137);     // 137 + code: function with a string result
inline constexpr char kTokProc = TokenByte(138);        // 138 + code: procedure, no result
inline constexpr char kTokDialogProc = TokenByte(139);  // 139 + code: dialog procedure

// Kinds of the post file's own functions, after a class byte, + descriptor offset.
inline constexpr char kTokFuncUser = TokenByte(190);      // 190: user function (int after 136, string after 137, none after 138)
inline constexpr char kTokFuncUserReal = TokenByte(191);  // 191 after 136: user function with a real result
inline constexpr char kTokFuncOnApt = TokenByte(191);     // 191 after 138: OnAPT function
inline constexpr char kTokFuncOnAddr = TokenByte(192);    // 192 after 138: OnAddr function
inline constexpr char kTokFuncOnAddrOut = TokenByte(193); // 193 after 138: OnAddrOut function
inline constexpr char kTokFuncPost = TokenByte(194);      // 194 after 138: post function
// The smallest byte that may follow a function class byte: the kinds above
// and every built-in code are at least this, so no reference byte can hide
// behind a class byte (the loader relies on it).
inline constexpr unsigned char kFirstFunctionCode = 190;

// Sections and functions.
inline constexpr char kTokFuncStart = TokenByte(140);  // 140: start of a function (never executed)
inline constexpr char kTokFuncEnd = TokenByte(141);    // 141: END FUNC
inline constexpr char kTokReturn = TokenByte(142);     // 142: RETURN
inline constexpr char kTokMainStart = TokenByte(143);  // 143: start of a MAIN section
inline constexpr char kTokMainEnd = TokenByte(144);    // 144: END MAIN

// Output statements.
inline constexpr char kTokOutput = TokenByte(145);   // 145: O:
inline constexpr char kTokSet = TokenByte(146);      // 146: SET:
inline constexpr char kTokClr = TokenByte(147);      // 147: CLR:
inline constexpr char kTokEnable = TokenByte(148);   // 148: enable:
inline constexpr char kTokDisable = TokenByte(149);  // 149: disable:
inline constexpr char kTokDirect = TokenByte(150);   // 150: direct:
inline constexpr char kTokSwap = TokenByte(151);     // 151: swap:
inline constexpr char kTokRevert = TokenByte(152);   // 152: revert:
inline constexpr char kTokReplace = TokenByte(153);  // 153 + kind: replace:, repword:, repaddr:
inline constexpr char kTokReplaceText = TokenByte(171);  // 171 after 153: replace:
inline constexpr char kTokReplaceWord = TokenByte(172);  // 172 after 153: repword:
inline constexpr char kTokReplaceAddr = TokenByte(173);  // 173 after 153: repaddr:

// References to the output machinery.
inline constexpr char kTokAddress = TokenByte(154);     // 154 + index: address
inline constexpr char kTokModalGroup = TokenByte(155);  // 155 + index: modal group

// Words and prefixes of output statements.
inline constexpr char kTokWith = TokenByte(156);          // 156: with
inline constexpr char kTokBind = TokenByte(157);          // 157: bind
inline constexpr char kTokEach = TokenByte(158);          // 158: each, "()" follows
inline constexpr char kTokAll = TokenByte(159);           // 159: all
inline constexpr char kTokWithBind = TokenByte(160);      // 160: with_bind
inline constexpr char kTokPrefixNo = TokenByte(161);      // 161 after 145: NO:
inline constexpr char kTokPrefixMinus = TokenByte(162);   // 162 after 145: -O:
inline constexpr char kTokPrefixSlash = TokenByte(163);   // 163 after 145: /O:
inline constexpr char kTokWordSep = TokenByte(164);       // 164: word separator '_' and address marker
inline constexpr char kTokCom = TokenByte(165);           // 165: com

// Jumps (a record whose first token is 166..169 reads '=' as equality).
inline constexpr char kTokCondition = TokenByte(166);    // 166: conditional record, "(" condition ")" follows
inline constexpr char kTokJump = TokenByte(167);         // 167 + label: jump
inline constexpr char kTokJumpIfFalse = TokenByte(168);  // 168 + label: jump when the condition was false
inline constexpr char kTokJumpIfTrue = TokenByte(169);   // 169 + label: jump when it was true (read, never written)
inline constexpr char kTokLabelLine = TokenByte(170);    // 170 + label: label line, no location (loader removes it)

// Operators.
inline constexpr char kTokAnd = TokenByte(184);           // 184: and
inline constexpr char kTokOr = TokenByte(185);            // 185: or
inline constexpr char kTokEqual = TokenByte(186);         // 186: equality; the reader makes it of '=' in conditions
inline constexpr char kTokNotEqual = TokenByte(187);      // 187: <>
inline constexpr char kTokGreaterEqual = TokenByte(188);  // 188: >=
inline constexpr char kTokLessEqual = TokenByte(189);     // 189: <=

// Attributes of addresses and modal groups, each written after '.'.
inline constexpr char kTokAttrEnable = TokenByte(170);       // 170: .enable
inline constexpr char kTokAttrOrder = TokenByte(171);        // 171: .order
inline constexpr char kTokAttrPrefix = TokenByte(172);       // 172: .prefix
inline constexpr char kTokAttrSuffix = TokenByte(173);       // 173: .suffix
inline constexpr char kTokAttrSign = TokenByte(174);         // 174: .sign
inline constexpr char kTokAttrDecPoint = TokenByte(175);     // 175: .decpoint
inline constexpr char kTokAttrLeadZero = TokenByte(176);     // 176: .leadzero
inline constexpr char kTokAttrTrailZero = TokenByte(177);    // 177: .trailzero
inline constexpr char kTokAttrNumsBef = TokenByte(178);      // 178: .numsbef
inline constexpr char kTokAttrNumsAft = TokenByte(179);      // 179: .numsaft
inline constexpr char kTokAttrNumsBefInch = TokenByte(180);  // 180: .numsbefinch
inline constexpr char kTokAttrNumsAftInch = TokenByte(181);  // 181: .numsaftinch
inline constexpr char kTokAttrSpace = TokenByte(182);        // 182: .space
inline constexpr char kTokAttrIncZero = TokenByte(183);      // 183: .inczero
inline constexpr char kTokAttrModal = TokenByte(184);        // 184: .modal
inline constexpr char kTokAttrInc = TokenByte(185);          // 185: .inc
inline constexpr char kTokAttrFrom = TokenByte(186);         // 186: .from
inline constexpr char kTokAttrDirect = TokenByte(187);       // 187: .direct
inline constexpr char kTokAttrScale = TokenByte(188);        // 188: .scale
inline constexpr char kTokAttrTrans = TokenByte(189);        // 189: .trans
inline constexpr char kTokAttrVal = TokenByte(190);          // 190: .val (addresses and modal groups)
inline constexpr char kTokAttrValRnd = TokenByte(191);       // 191: .valrnd
inline constexpr char kTokAttrValStr = TokenByte(192);       // 192: .valstr
inline constexpr char kTokAttrSelNum = TokenByte(193);       // 193: .selnum, and .modnum of a modal group
inline constexpr char kTokAttrSelStr = TokenByte(194);       // 194: .selstr, and .modval of a modal group

// A function reference (class byte, kind byte) that carries a descriptor
// offset of the post's own functions after its two bytes.
constexpr bool IsUserFunctionReference(char cls, char kind) {
  if (cls == kTokNumFunc) return kind == kTokFuncUser || kind == kTokFuncUserReal;
  if (cls == kTokStrFunc) return kind == kTokFuncUser;
  if (cls == kTokProc)
    return kind == kTokFuncUser || kind == kTokFuncOnApt || kind == kTokFuncOnAddr ||
           kind == kTokFuncOnAddrOut || kind == kTokFuncPost;
  return false;
}

// Byte value of a token for switch statements and tables.
constexpr unsigned char TokenValue(char c) { return static_cast<unsigned char>(c); }

}  // namespace tornel
