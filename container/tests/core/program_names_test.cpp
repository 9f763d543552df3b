#include "program_names.h"

#include <gtest/gtest.h>

#include "container_error.h"

namespace tarvelax {
namespace {

struct NameCase {
  const char* name;
  const char* program;
  const char* settingsFile;
  const char* title;
};

class ProgramNamesTest : public testing::TestWithParam<NameCase> {};

TEST_P(ProgramNamesTest, DerivesSettingsFileAndTitle) {
  EXPECT_EQ(SettingsFileName(GetParam().program), GetParam().settingsFile);
  EXPECT_EQ(ApplicationTitle(GetParam().program), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ProgramNamesTest,
    testing::Values(
        NameCase{"WindowsProgram", "C:\\Tools\\TarvelAXContainer.exe", "C:\\Tools\\TarvelAXContainer.ini",
                 "Tarvelaxcontainer"},
        NameCase{"NoDotAtAll", "C:\\Tools\\prog", "C:\\Tools\\prog.ini", "prog"},
        NameCase{"DotInFolderOnly", "C:\\My.Tools\\prog", "C:\\My.ini", "prog"},
        NameCase{"TwoDotsInName", "C:\\a\\Tarvel.AX.exe", "C:\\a\\Tarvel.AX.ini", "Tarvel"},
        NameCase{"PosixPath", "/opt/tarvelax/TarvelAXContainer", "/opt/tarvelax/TarvelAXContainer.ini",
                 "Tarvelaxcontainer"},
        NameCase{"BareName", "ABC.EXE", "ABC.ini", "Abc"},
        NameCase{"CyrillicName", "C:\\x\\ПРОГРАММА.exe", "C:\\x\\ПРОГРАММА.ini", "Программа"}),
    [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

TEST(ExceptionBoxText, AppendsAFullStopAfterACharacterAboveIt) {
  EXPECT_EQ(ExceptionBoxText("Invalid class string"), "Invalid class string.");
  EXPECT_EQ(ExceptionBoxText("Unable to write to C:\\a\\b.ini"), "Unable to write to C:\\a\\b.ini.");
  EXPECT_EQ(ExceptionBoxText("Ошибка"), "Ошибка.");
}

TEST(ExceptionBoxText, KeepsTextEndingAtOrBelowTheFullStop) {
  EXPECT_EQ(ExceptionBoxText(""), "");
  EXPECT_EQ(ExceptionBoxText("Done."), "Done.");
  EXPECT_EQ(ExceptionBoxText("Done!"), "Done!");
  EXPECT_EQ(ExceptionBoxText("a-"), "a-");
  EXPECT_EQ(ExceptionBoxText("a/"), "a/.");
}

}  // namespace
}  // namespace tarvelax
