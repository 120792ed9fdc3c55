// The drawing paths' table, names and name patterns.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "drawbench/drawing_path.h"

namespace {

std::vector<std::string> Names(const std::vector<DrawingPath>& paths) {
    std::vector<std::string> names;
    for (const DrawingPath& path : paths) names.push_back(PathName(path));
    return names;
}

TEST(DrawingPaths, ThirtyDistinctNamesInTheBenchmarksOrder) {
    const std::vector<std::string> names = Names(AllDrawingPaths());
    ASSERT_EQ(names.size(), 30u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 30u);
    const std::vector<std::string> firstSix = {"points/direct/no-lists",      "points/arrays/no-lists",
                                               "points/arrays+lock/no-lists", "points/direct/lists",
                                               "points/arrays/lists",         "points/arrays+lock/lists"};
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 6), firstSix);
    EXPECT_EQ(names[6], "sections/direct/no-lists");
    EXPECT_EQ(names.back(), "solid-smooth/arrays+lock/lists");
    for (const DrawingPath& path : AllDrawingPaths())
        EXPECT_TRUE(!path.lock || path.method == RenderMethod::VertexArrays) << PathName(path);
}

TEST(DrawingPaths, ModeAndMethodNames) {
    EXPECT_STREQ(ModeName(RenderMode::SolidFlat), "solid flat");
    EXPECT_STREQ(ModeName(RenderMode::Wireframe), "wireframe");
    EXPECT_STREQ(MethodName({RenderMode::Points, RenderMethod::DirectVertices, false, true}), "direct");
    EXPECT_STREQ(MethodName({RenderMode::Points, RenderMethod::VertexArrays, false, true}), "arrays");
    EXPECT_STREQ(MethodName({RenderMode::Points, RenderMethod::VertexArrays, true, true}), "arrays+lock");
    EXPECT_EQ(PathName({RenderMode::SolidFlat, RenderMethod::VertexArrays, true, true}),
              "solid-flat/arrays+lock/lists");
}

TEST(DrawingPaths, PatternsSelectInTableOrder) {
    EXPECT_EQ(SelectPaths("*").size(), 30u);
    EXPECT_EQ(SelectPaths("solid*").size(), 12u);
    EXPECT_EQ(SelectPaths("*/lists").size(), 15u);
    EXPECT_EQ(SelectPaths("*lock*").size(), 10u);
    // A name matched by two patterns is selected once, at its place in the table.
    EXPECT_EQ(Names(SelectPaths("wireframe/arrays/lists,points/direct/*, wireframe/*/lists")),
              (std::vector<std::string>{"points/direct/no-lists", "points/direct/lists", "wireframe/direct/lists",
                                        "wireframe/arrays/lists", "wireframe/arrays+lock/lists"}));
    EXPECT_EQ(Names(SelectPaths("SOLID-Flat/Arrays+LOCK/Lists")),
              std::vector<std::string>{"solid-flat/arrays+lock/lists"});
    EXPECT_EQ(SelectPaths("?oints/*/lists").size(), 3u);
    // Two a's: every arrays path; the one in "wireframe" or "flat" is not two.
    EXPECT_EQ(SelectPaths("*a*a*").size(), 20u);
}

TEST(DrawingPaths, PatternsMatchWholeNamesAndEmptyPiecesNothing) {
    EXPECT_TRUE(PathMatches("points*", "points/direct/lists"));
    EXPECT_FALSE(PathMatches("points", "points/direct/lists"));
    EXPECT_FALSE(PathMatches("*/list", "points/direct/lists"));
    EXPECT_FALSE(PathMatches("??", "abc"));
    EXPECT_TRUE(PathMatches("???", "abc"));
    EXPECT_TRUE(PathMatches("a**c", "abbbc"));
    // A star that first stops too early has to take more.
    EXPECT_TRUE(PathMatches("*ab", "aab"));
    EXPECT_TRUE(PathMatches("a*bc", "abcbc"));
    EXPECT_FALSE(PathMatches("a*bc", "abcb"));
    for (const char* nothing : {"", ",", " , ", "solid", "lines*", "points/direct/lists/"})
        EXPECT_TRUE(SelectPaths(nothing).empty()) << '"' << nothing << '"';
    EXPECT_FALSE(PathMatches("", ""));
    EXPECT_EQ(SelectPaths(",points/direct/lists,").size(), 1u);
}

}  // namespace
