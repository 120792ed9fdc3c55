// The program directory and the section path from the command line.
#include <gtest/gtest.h>

#include "shell/command_line.h"

namespace {

std::string Directory(const char* commandLine) {
    std::string directory = "unchanged";
    EXPECT_TRUE(ProgramDirectoryFrom(commandLine, directory));
    return directory;
}

TEST(ProgramDirectory, QuotedPathAsWineGivesIt) {
    EXPECT_EQ(Directory("\"Z:\\tmp\\run\\orbalt.exe\" x"), "Z:\\tmp\\run\\");
}

TEST(ProgramDirectory, QuotedPathWithSpacesAndAnArgument) {
    EXPECT_EQ(Directory("\"C:\\Program Files\\orbalt demo\\orbalt.exe\" C:\\data\\my.sct"),
              "C:\\Program Files\\orbalt demo\\");
}

TEST(ProgramDirectory, ArgumentsWithBackslashesDoNotCount) {
    EXPECT_EQ(Directory("C:\\orbalt\\orbalt.exe D:\\sections\\a.sct"), "C:\\orbalt\\");
    EXPECT_EQ(Directory("\"C:\\orbalt\\orbalt.exe\" \"D:\\my sections\\a.sct\""), "C:\\orbalt\\");
}

TEST(ProgramDirectory, ProgramWithoutADirectoryIsTheCurrentDirectory) {
    EXPECT_EQ(Directory("orbalt.exe"), "");
    EXPECT_EQ(Directory("orbalt C:\\x\\y.sct"), "");
    EXPECT_EQ(Directory("\"orbalt.exe\""), "");
    EXPECT_EQ(Directory(""), "");
    EXPECT_EQ(Directory(nullptr), "");
}

TEST(ProgramDirectory, UnclosedQuoteTakesTheRest) { EXPECT_EQ(Directory("\"C:\\a b\\orbalt.exe"), "C:\\a b\\"); }

TEST(ProgramDirectory, ForwardSlashesSeparateToo) { EXPECT_EQ(Directory("./build/orbalt.exe"), "./build/"); }

TEST(ProgramDirectory, TooLongIsRefusedNotCut) {
    std::string longDirectory = "C:\\" + std::string(270, 'd') + "\\";
    std::string directory = "kept";
    EXPECT_FALSE(ProgramDirectoryFrom(("\"" + longDirectory + "orbalt.exe\"").c_str(), directory));
    EXPECT_EQ(directory, "kept");
    // Exactly at the limit is accepted.
    std::string atLimit = "C:\\" + std::string(kMaxProgramDirectory - 4, 'd') + "\\";
    ASSERT_EQ(atLimit.size(), kMaxProgramDirectory);
    EXPECT_TRUE(ProgramDirectoryFrom(("\"" + atLimit + "orbalt.exe\"").c_str(), directory));
    EXPECT_EQ(directory, atLimit);
}

TEST(SectionPath, EmptyTextLeavesThePathUntouched) {
    std::string path = "kept";
    EXPECT_FALSE(SectionPathFromCommandLine("", path));
    EXPECT_FALSE(SectionPathFromCommandLine(nullptr, path));
    EXPECT_FALSE(SectionPathFromCommandLine("   ", path));
    EXPECT_FALSE(SectionPathFromCommandLine("\"\"", path));
    EXPECT_FALSE(SectionPathFromCommandLine("\"", path));
    EXPECT_EQ(path, "kept");
}

TEST(SectionPath, UnquotedPathKeepsItsSpaces) {
    std::string path;
    EXPECT_TRUE(SectionPathFromCommandLine("C:\\my sections\\wide tunnel.sct", path));
    EXPECT_EQ(path, "C:\\my sections\\wide tunnel.sct");
}

TEST(SectionPath, QuotesAreRemoved) {
    std::string path;
    EXPECT_TRUE(SectionPathFromCommandLine("\"C:\\my sections\\wide tunnel.sct\"", path));
    EXPECT_EQ(path, "C:\\my sections\\wide tunnel.sct");
}

TEST(SectionPath, AnOpeningQuoteWithoutItsPartnerLosesOnlyItself) {
    std::string path;
    EXPECT_TRUE(SectionPathFromCommandLine("\"a b.sct", path));
    EXPECT_EQ(path, "a b.sct");
}

TEST(SectionPath, SurroundingBlanksAreNoPartOfTheName) {
    std::string path;
    EXPECT_TRUE(SectionPathFromCommandLine("  test.sct  ", path));
    EXPECT_EQ(path, "test.sct");
    EXPECT_TRUE(SectionPathFromCommandLine(" \"x y.sct\" ", path));
    EXPECT_EQ(path, "x y.sct");
}

TEST(SectionPath, RelativePathsStayRelative) {
    std::string path;
    EXPECT_TRUE(SectionPathFromCommandLine("sections\\a.sct", path));
    EXPECT_EQ(path, "sections\\a.sct");
}

}  // namespace
