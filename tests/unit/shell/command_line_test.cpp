// The program directory, the arguments and the section path from the command
// line, and the character count their limits take.
#include <gtest/gtest.h>

#include "platform/command_words.h"
#include "platform/utf8.h"
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

// Letters of two, three and four bytes in UTF-8.
const char* const kWideLetters[] = {"д", "デ", "\xF0\x9F\x98\x80"};

std::string Repeated(const char* letter, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) text += letter;
    return text;
}

TEST(ProgramDirectory, TheLimitCountsCharactersNotBytes) {
    for (const char* letter : kWideLetters) {
        SCOPED_TRACE(letter);
        const std::string atLimit = "C:\\" + Repeated(letter, kMaxProgramDirectory - 4) + "\\";
        ASSERT_GT(atLimit.size(), kMaxProgramDirectory);
        std::string directory = "kept";
        EXPECT_TRUE(ProgramDirectoryFrom(("\"" + atLimit + "orbalt.exe\" x").c_str(), directory));
        EXPECT_EQ(directory, atLimit);
        const std::string pastLimit = "C:\\" + Repeated(letter, kMaxProgramDirectory - 3) + "\\";
        EXPECT_FALSE(ProgramDirectoryFrom(("\"" + pastLimit + "orbalt.exe\"").c_str(), directory));
        EXPECT_EQ(directory, atLimit);
    }
}

TEST(ArgumentText, WhatFollowsTheProgramNameAndItsBlanks) {
    EXPECT_STREQ(ArgumentText("\"C:\\Демо папка\\orbalt.exe\" \"D:\\デモ\\a.sct\""), "\"D:\\デモ\\a.sct\"");
    EXPECT_STREQ(ArgumentText("orbalt.exe \t  my tunnel.sct "), "my tunnel.sct ");
    EXPECT_STREQ(ArgumentText("C:\\\"My Demos ö\"\\orbalt.scr /s"), "/s");  // quotes inside the name
    EXPECT_STREQ(ArgumentText("C:\\Демо\\orbalt.scr /p 42"), "/p 42");      // letters of any bytes are no blanks
}

TEST(ArgumentText, NoArgumentsGiveAnEmptyText) {
    EXPECT_STREQ(ArgumentText("\"C:\\a b\\orbalt.exe\""), "");
    EXPECT_STREQ(ArgumentText("orbalt.exe   "), "");
    EXPECT_STREQ(ArgumentText("\"C:\\a b\\orbalt.exe x"), "");  // an unclosed quote takes the rest
    EXPECT_STREQ(ArgumentText(""), "");
    EXPECT_STREQ(ArgumentText(nullptr), "");
}

using Words = std::vector<std::string>;

TEST(CommandWords, BlanksSeparateAndQuotesGroup) {
    EXPECT_EQ(SplitCommandWords("--seconds 0.2\t --rounds  3 "), (Words{"--seconds", "0.2", "--rounds", "3"}));
    EXPECT_EQ(SplitCommandWords("--results \"C:\\My Files\\r.csv\""), (Words{"--results", "C:\\My Files\\r.csv"}));
    EXPECT_EQ(SplitCommandWords("a\"b c\"d"), (Words{"ab cd"}));  // quotes inside a word group too
    EXPECT_EQ(SplitCommandWords("\"\" x"), (Words{"", "x"}));     // an empty quoted word is a word
    EXPECT_EQ(SplitCommandWords("\"D:\\デモ\\r.json\""), (Words{"D:\\デモ\\r.json"}));
    EXPECT_EQ(SplitCommandWords("\"open to the end"), (Words{"open to the end"}));
    EXPECT_TRUE(SplitCommandWords("").empty());
    EXPECT_TRUE(SplitCommandWords("  \t ").empty());
    EXPECT_TRUE(SplitCommandWords(nullptr).empty());
}

TEST(CommandWords, BackslashesCountOnlyBeforeAQuote) {
    EXPECT_EQ(SplitCommandWords("C:\\dir\\ x"), (Words{"C:\\dir\\", "x"}));
    EXPECT_EQ(SplitCommandWords("\"C:\\dir\\\\\" x"), (Words{"C:\\dir\\", "x"}));  // 2n: n, and the quote closes
    EXPECT_EQ(SplitCommandWords("a\\\"b"), (Words{"a\"b"}));                       // 2n + 1: n and a literal quote
    EXPECT_EQ(SplitCommandWords("\"a\"\"b\""), (Words{"a\"b"}));                   // a doubled quote inside quotes
}

TEST(CountCharacters, OneForEachWellFormedSequence) {
    EXPECT_EQ(CountCharacters(""), 0u);
    EXPECT_EQ(CountCharacters("orbalt"), 6u);
    EXPECT_EQ(CountCharacters("ö"), 1u);
    EXPECT_EQ(CountCharacters("Демо папка"), 10u);
    EXPECT_EQ(CountCharacters("デモ"), 2u);
    EXPECT_EQ(CountCharacters("\xF0\x9F\x98\x80"), 1u);
    EXPECT_EQ(CountCharacters("a ö デ \xF0\x9F\x98\x80"), 7u);
    // The ends of each length's range.
    EXPECT_EQ(CountCharacters("\x7F\xC2\x80\xDF\xBF"), 3u);                  // U+007F, U+0080, U+07FF
    EXPECT_EQ(CountCharacters("\xE0\xA0\x80\xED\x9F\xBF\xEF\xBF\xBF"), 3u);  // U+0800, U+D7FF, U+FFFF
    EXPECT_EQ(CountCharacters("\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"), 2u);      // U+10000, U+10FFFF
}

TEST(CountCharacters, EachByteOfABrokenSequenceCountsOnce) {
    EXPECT_EQ(CountCharacters("\x80"), 1u);           // a continuation byte alone
    EXPECT_EQ(CountCharacters("a\x80\xBF\x62"), 4u);  // \x62: b
    EXPECT_EQ(CountCharacters("\xD0"), 1u);           // cut off at the end
    EXPECT_EQ(CountCharacters("\xE3\x83"), 2u);
    EXPECT_EQ(CountCharacters("\xF0\x9F\x98"), 3u);
    EXPECT_EQ(CountCharacters("\xD0\x41"), 2u);  // a lead byte before an A
    EXPECT_EQ(CountCharacters("\xE3\x83\x41\xE3\x83\x87"), 4u);
    EXPECT_EQ(CountCharacters("\xC0\x80"), 2u);  // overlong forms
    EXPECT_EQ(CountCharacters("\xE0\x9F\xBF"), 3u);
    EXPECT_EQ(CountCharacters("\xF0\x8F\xBF\xBF"), 4u);
    EXPECT_EQ(CountCharacters("\xED\xA0\x80"), 3u);      // a surrogate
    EXPECT_EQ(CountCharacters("\xF4\x90\x80\x80"), 4u);  // past U+10FFFF
    EXPECT_EQ(CountCharacters("\xF5\xFE\xFF"), 3u);      // bytes that start nothing
    EXPECT_EQ(CountCharacters(std::string("\0\xD0\0", 3)), 3u);
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
