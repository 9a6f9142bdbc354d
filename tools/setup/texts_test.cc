#include "tools/setup/texts.h"

#include <gtest/gtest.h>

#include "tools/setup/fake_host.h"
#include "tools/setup/host.h"
#include "tools/setup/install_post.h"
#include "tools/setup/main_dialog.h"

namespace setup {
namespace {

constexpr TextId kAllTexts[] = {
#define SETUP_NAME(name, text)
#define SETUP_TEXT(name, entry, text) name,
#include "tools/setup/texts.def"
#undef SETUP_TEXT
#undef SETUP_NAME
};

TEST(Texts, TheStringTableTakesPrecedenceEntryByEntry) {
  FakeHost h;
  EXPECT_EQ(Text(h, kButtonQuit), "Lopeta");
  h.string_table[kButtonQuit] = "Quit";
  h.string_table[kButtonSave] = "";  // an empty entry is no entry
  EXPECT_EQ(Text(h, kButtonQuit), "Quit");
  EXPECT_EQ(Text(h, kButtonSave), "Tallenna");

  // The failure text is entry 21 followed by entry 22, each on its own.
  std::string built_in = InstallFailedText(h);
  EXPECT_EQ(built_in.rfind("Asennus ep\xe4onnistui!\nMahdollisia syit\xe4 siihen ovat:\n\n", 0), 0u);
  EXPECT_NE(built_in.find("- Asennus tehd\xe4\xe4n verkkolevylt\xe4.\n"), std::string::npos);
  EXPECT_NE(built_in.find("PostMenu.cfg ja muita tiedostoja puuttuu.\n"), std::string::npos);
  h.string_table[22] = "tail\n";
  EXPECT_EQ(InstallFailedText(h), std::string(BuiltInText(kInstallFailedHead)) + "tail\n");
  h.string_table[21] = "Installation failed:\n";
  EXPECT_EQ(InstallFailedText(h), "Installation failed:\ntail\n");
}

TEST(Texts, DialogAndMessagesFollowTheTable) {
  FakeHost h;
  h.string_table[kLabelProgram] = "Program folder:";
  h.string_table[kCaption] = "Setup";
  h.string_table[kNoDataFolder] = "No data folder %s.";
  VersionList list = ParseVersionList("6;;K6\n");
  h.Value("K6", "InstallPath", "C:\\S6");
  Detection d = DetectVersions(list, h);
  platform::Form form = MainForm(list, d, h);
  EXPECT_EQ(form.title, "Setup");
  EXPECT_EQ(form.controls[kProgramLabel].text, "Program folder:");
  EXPECT_EQ(form.controls[kDataLabel].text, "Surfcam data-kansio:");

  h.folders = {"C:\\S6"};
  InstallRequest r{"C:\\S6", "C:\\D", "6", false, "P:\\pkg"};
  EXPECT_EQ(InstallPostprocessor(list, d, r, h), InstallOutcome::kRefused);
  ASSERT_FALSE(h.messages.empty());
  EXPECT_EQ(h.messages.back().first, "No data folder C:\\D.");
}

// The program carries its texts as a string table (the test program links
// the same table); elsewhere there is none and the built-in texts serve.
TEST(Texts, TheProgramsTableHoldsTheBuiltInTexts) {
  PlatformHost host;
  for (TextId id : kAllTexts) {
    std::optional<std::string> entry = host.StringTableEntry(id);
#ifdef _WIN32
    ASSERT_TRUE(entry.has_value()) << "entry " << id;
    EXPECT_EQ(*entry, BuiltInText(id)) << "entry " << id;
#else
    EXPECT_FALSE(entry.has_value());
#endif
    EXPECT_EQ(Text(host, id), BuiltInText(id));
  }
  EXPECT_FALSE(host.StringTableEntry(9999).has_value());
}

}  // namespace
}  // namespace setup
