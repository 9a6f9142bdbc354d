// The fixed words that the keyword pass replaces, in the order it applies
// them: aliases, one-word directives, `$` keyword constants.  Since a word
// is replaced only where it stands whole, and the lists are applied in
// order, a longer word listed earlier is not disturbed by a shorter one
// listed later.
#pragma once

#include <string_view>

namespace tornel {

struct KeywordReplacement {
  std::string_view word;
  std::string_view substitute;
};

inline constexpr KeywordReplacement kKeywordAliases[] = {
    {"finishing", "afinishing"},  // FUNC Finishing defines the post function aFinishing
    {"address", "addres"},        // both spellings of the ADDRESS keyword
    {"srczxplane", "srcxzplane"},
    {"$zx", "$xz"},
    {"$xy_zx_yz", "$xy_xz_yz"},
};

inline constexpr KeywordReplacement kDirectives[] = {
    {"eachoff", "sieachon=0"},
    {"eachon", "sieachon=1"},
    {"withoff", "siwithon=0"},
    {"withon", "siwithon=1"},
    {"bindoff", "sibindon=0"},
    {"bindon", "sibindon=1"},
    {"onaddroff", "sionaddron=0"},
    {"onaddron", "sionaddron=1"},
    {"seqoff", "siseqon=0"},
    {"seqon", "siseqon=1"},
    {"seqforceoff", "siseqon=2"},
    {"seqforceon", "siseqon=3"},
    {"seqnext?", "siseqnext=2"},
    {"seqnext!", "siseqnext=3"},
    {"seqnext", "siseqnext=1"},
    {"seqnextcancel", "siseqnext=0"},
    {"skipoff", "siskipon=0"},
    {"skipon", "siskipon=1"},
    {"skipnext", "siskipnext=1"},
    {"skipnextcancel", "siskipnext=0"},
    {"process", "siprocess=1"},
    {"edmpost", "siedmpost=1"},
    // The coordinate directives set the input transformation matrix, row by row.
    {"normalcoord", "matrset(srxit_in,1,0,0,0,1,0,0,0,1)"},
    {"lathecoord", "matrset(srxit_in,0,1,0,0,0,1,1,0,0)"},
    {"lathemillcoord", "matrset(srxit_in,0,0,1,0,-1,0,1,0,0)"},
    {"lathecoordrevx", "matrset(srxit_in,0,-1,0,0,0,-1,1,0,0)"},
    {"lathemillcoordrevx", "matrset(srxit_in,0,0,-1,0,1,0,1,0,0)"},
    {"lathecoordrevz", "matrset(srxit_in,0,1,0,0,0,-1,-1,0,0)"},
    {"lathemillcoordrevz", "matrset(srxit_in,0,0,1,0,1,0,-1,0,0)"},
    {"lathecoordrevxz", "matrset(srxit_in,0,-1,0,0,0,1,-1,0,0)"},
    {"lathemillcoordrevxz", "matrset(srxit_in,0,0,-1,0,-1,0,-1,0,0)"},
    {"radx", "srxit_out=1"},
    {"diamx", "srxit_out=2"},
    {"postunits:mm", "simetricpost=1"},
    {"postunits:inch", "simetricpost=0"},
};

inline constexpr KeywordReplacement kDollarConstants[] = {
    // Comment and sequence options
    {"$lead", "1"}, {"$trail", "2"}, {"$both", "3"}, {"$all", "4"}, {"$ascii", "1"}, {"$oem", "2"},
    {"$alphanum", "1000"},
    // File modes and spindles
    {"$read", "0"}, {"$write", "1"}, {"$main", "0"},
    // End-of-line strings for ssEolFormat: CR LF, or LF alone
    {"$doseol", "chr(13)+chr(10)"}, {"$unixeol", "chr(10)"},
    // Events: post function numbers, and event numbers without a post function
    {"$notset", "0"}, {"$move", "1"}, {"$rapidmove", "2"}, {"$linemove", "3"}, {"$arcmove", "4"},
    {"$comp", "17"}, {"$multax", "18"}, {"$feedrate", "19"}, {"$spindle", "20"},
    {"$toolinit", "24"}, {"$toolchange", "25"}, {"$1sttoolchange", "26"},
    {"$subtoolchange", "27"}, {"$toolcancel", "28"}, {"$progstart", "35"}, {"$progend", "36"},
    {"$operstart", "31"}, {"$comment", "37"}, {"$coordset", "21"}, {"$workcoord", "22"},
    {"$drillcycle", "43"}, {"$threadcycle", "81"}, {"$roughcycle", "75"},
    // Machine states
    {"$none", "0"}, {"$off", "0"}, {"$on", "1"}, {"$cw", "2"}, {"$ccw", "3"}, {"$left", "4"},
    {"$right", "5"}, {"$fpm", "6"}, {"$fpr", "7"}, {"$invt", "8"}, {"$rpm", "9"}, {"$css", "10"},
    {"$angle", "11"}, {"$table", "12"}, {"$head", "13"}, {"$x", "14"}, {"$y", "15"}, {"$z", "16"},
    {"$xy", "17"}, {"$xz", "18"}, {"$yz", "19"}, {"$xy_xz_yz", "20"}, {"$xyz", "21"},
    // Axis combinations
    {"$lin", "22"}, {"$rot", "23"}, {"$tilt", "24"}, {"$linrot", "25"}, {"$lintilt", "26"},
    {"$rottilt", "27"}, {"$linrottilt", "28"}, {"$auto", "29"}, {"$next", "31"},
    // Turrets and spindles
    {"$rear", "1"}, {"$front", "2"}, {"$saddle", "3"}, {"$mainturret", "4"}, {"$rail", "5"},
    {"$mainspindle", "1"}, {"$subspindle", "2"},
    // Operation kinds
    {"$turn", "1"}, {"$mill", "2"}, {"$2axis", "2"}, {"$3axis", "3"}, {"$multiaxis", "4"},
    {"$edm", "5"},
    // Operation types
    {"$face", "2"}, {"$faceoff", "29"}, {"$groove", "3"}, {"$threadcyc", "4"}, {"$partoff", "30"},
    {"$pocket", "6"}, {"$contour", "7"}, {"$contour3d", "14"}, {"$drillcyc", "8"},
    {"$facemill", "35"}, {"$threadmill", "38"}, {"$truemill", "54"}, {"$cut", "9"},
    {"$project", "10"}, {"$zrough", "11"}, {"$zfinish", "27"}, {"$planar", "13"},
    {"$autorough", "33"}, {"$pencilcut", "40"}, {"$srm", "42"}, {"$swarf", "17"}, {"$trim", "31"},
    {"$edm2axxy", "28"}, {"$edm4ax", "26"}, {"$edm4axuv", "34"},
    // Cycles
    {"$drill", "1"}, {"$peck", "2"}, {"$tap", "3"}, {"$ream", "4"}, {"$bore", "5"}, {"$back", "6"},
    {"$ltap", "7"}, {"$custom1", "11"}, {"$custom2", "12"}, {"$custom3", "13"},
    {"$rigtap", "14"}, {"$lrigtap", "15"}, {"$csink", "16"}, {"$chipbrk", "17"},
    {"$rapplane", "34"}, {"$clrplane", "35"}, {"$thread", "20"}, {"$finish", "19"},
    {"$horiz", "36"}, {"$vert", "37"},
    // Coolant kinds
    {"$flood", "1"}, {"$mist", "2"}, {"$floodlo", "3"}, {"$floodhi", "4"}, {"$thrulo", "5"},
    {"$thruhi", "6"},
    // Levels
    {"$low", "1"}, {"$medium", "2"}, {"$high", "3"},
    // Stock shapes
    {"$box", "1"}, {"$cyl", "2"}, {"$stl", "3"},
    // Number output
    {"$default", "2"}, {"$negonly", "3"}, {"$always", "4"}, {"$ifneeded", "5"}, {"$spaces", "6"},
    {"$forceoff", "2"}, {"$forceon", "3"},
    // Word kinds
    {"$strword", "1"}, {"$valword", "2"},
};

// Applied after every `$` constant: `seqini` restarts the sequence numbers
// and gets an output statement line of its own in front of its line.
inline constexpr KeywordReplacement kSeqIni{"seqini", "srseq=srseqini"};
inline constexpr std::string_view kSeqIniOutputLine = "o:!";

}  // namespace tornel
