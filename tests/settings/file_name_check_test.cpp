// SPDX-License-Identifier: GPL-3.0-or-later
// Names Windows would turn into a device, refuse, or quietly change, caught before a save.
#include "settings/file_name_check.h"

#include <gtest/gtest.h>

#include <string>

namespace morvane {
namespace {

struct NameCase {
  const char* label;
  const char* path;
  const char* trouble;  // "" when Windows takes the name
};

class WindowsFileName : public ::testing::TestWithParam<NameCase> {};

TEST_P(WindowsFileName, IsRefusedWithItsReasonOrTaken) {
  EXPECT_EQ(WindowsFileNameTrouble(GetParam().path), GetParam().trouble);
}

constexpr const char* kDevice =
    " is the name of a device on Windows, not of a file: choose another name";

INSTANTIATE_TEST_SUITE_P(
    Names, WindowsFileName,
    ::testing::Values(
        NameCase{"Plain", "quad.json", ""},
        NameCase{"DriveAndBackslashes", R"(C:\Users\Ana\ESC settings\quad.json)", ""},
        NameCase{"DriveRelative", "D:quad.json", ""},
        NameCase{"ForwardSlashes", "C:/Users/Ana/quad.json", ""},
        NameCase{"UncShare", R"(\\bench\share\quad.json)", ""},
        NameCase{"DeviceNameInAFolderName", R"(C:\aux\quad.json)", ""},
        NameCase{"LongerThanADeviceName", "console.json", ""},
        NameCase{"ComZeroIsNoDevice", "com0.json", ""},
        NameCase{"Con", "CON",
                 "CON is the name of a device on Windows, not of a file: choose "
                 "another name"},
        NameCase{"AuxWithExtension", R"(C:\Users\Ana\aux.json)",
                 "aux.json is the name of a device on Windows, not of a file: choose another "
                 "name"},
        NameCase{"NulWithTwoExtensions", "nul.tar.json",
                 "nul.tar.json is the name of a device on Windows, not of a file: choose "
                 "another name"},
        NameCase{"ComPort", "Com3.json",
                 "Com3.json is the name of a device on Windows, not of "
                 "a file: choose another name"},
        NameCase{"PrinterPort", "lpt9",
                 "lpt9 is the name of a device on Windows, not of a "
                 "file: choose another name"},
        NameCase{"DeviceWithSpaceBeforeTheDot", "prn .json",
                 "prn .json is the name of a device on Windows, not of a file: choose another "
                 "name"},
        NameCase{"TrailingDot", "quad.",
                 "Windows drops a dot or a space at the end of a file "
                 "name: choose another name"},
        NameCase{"TrailingSpace", "quad.json ",
                 "Windows drops a dot or a space at the end of "
                 "a file name: choose another name"},
        NameCase{"ColonInTheName", R"(C:\bench\quad:2.json)",
                 "Windows does not allow : in a file name: choose another name"},
        NameCase{"QuestionMark", "quad?.json",
                 "Windows does not allow ? in a file name: choose another name"},
        NameCase{"ControlCharacter", "quad\t.json",
                 "Windows does not allow \\x09 in a file name: choose another name"},
        NameCase{"OnlyAFolder", R"(C:\Users\Ana\)", "no file name is given"},
        NameCase{"OnlyADrive", "C:", "no file name is given"}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return std::string(info.param.label); });

// Elsewhere the same names are ordinary files, and nothing stops them.
TEST(FileNameTrouble, RefusesWindowsDeviceNamesOnlyOnWindows) {
#if defined(_WIN32)
  EXPECT_EQ(FileNameTrouble("aux.json"), std::string("aux.json") + kDevice);
#else
  EXPECT_EQ(FileNameTrouble("aux.json"), "");
  EXPECT_EQ(FileNameTrouble("quad:2.json"), "");
#endif
  EXPECT_EQ(FileNameTrouble("quad.json"), "");
}

TEST(FileNameTrouble, IsInTheLanguageTheWindowGives) {
  const TranslateText upper = [](const char* context, const char* english) {
    return std::string(context) == "FileName" ? std::string("<") + english + ">" : english;
  };
  EXPECT_EQ(WindowsFileNameTrouble("C:", upper), "<no file name is given>");
}

}  // namespace
}  // namespace morvane
