// The texture upload, read back from the texture object.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/texture.h"
#include "gl_context_fixture.h"
#include "platform/console.h"
#include "platform/stub/stub_control.h"
#include "support/temp_dir.h"
#include "tools/bmp_file.h"

namespace {

using platform::stub::state;

class TextureTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        platform::stub::Reset();
    }

    Console console;  // the stand-in records what it writes

    // The level-0 texels as blue-green-red triples, bottom row first, no padding.
    static std::vector<uint8_t> TexelsOf(uint32_t name, int width, int height) {
        glBindTexture(GL_TEXTURE_2D, name);
        std::vector<uint8_t> texels(static_cast<size_t>(width * height * 3));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE, texels.data());
        return texels;
    }

    static GLint LevelParameter(GLenum name) {
        GLint value = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
        return value;
    }

    // A 24-bit file whose every byte, padding included, differs from its neighbours.
    static BmpFile Numbered24(int32_t width, int32_t height) {
        BmpFile file;
        file.width = width;
        file.height = height;
        size_t pitch = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
        for (size_t i = 0; i < pitch * static_cast<size_t>(height < 0 ? -height : height); ++i)
            file.rows.push_back(static_cast<uint8_t>(i * 7 + 1));
        return file;
    }

    TempDir dir;
};

TEST_F(TextureTest, CommittedTextureUploadsBottomRowFirst) {
    std::string path = std::string(ORBALT_SOURCE_DIR) + "/data/texture.bmp";
    uint32_t name = InitTexture(path.c_str(), console);
    ASSERT_NE(name, 0u);
    EXPECT_EQ(state().consoleText, "InitTexture(" + path + ") \n");

    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(name));
    EXPECT_EQ(LevelParameter(GL_TEXTURE_WIDTH), 256);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_HEIGHT), 256);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);

    std::string file = TempDir::Read(path);
    ASSERT_EQ(file.size(), 54u + 256 * 256 * 3);
    std::vector<uint8_t> texels = TexelsOf(name, 256, 256);
    // The file is bottom-up: its first stored row is the picture's bottom row, t = 0.
    EXPECT_EQ(std::string(texels.begin(), texels.begin() + 768), file.substr(54, 768));
    EXPECT_EQ(std::string(texels.begin(), texels.end()), file.substr(54));
}

TEST_F(TextureTest, UploadLeavesItsStateAsSet) {
    std::string path = dir.Write("t.bmp", Numbered24(4, 2).Bytes());
    uint32_t name = InitTexture(path.c_str(), console);
    ASSERT_NE(name, 0u);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(name));
    EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 1);
    EXPECT_EQ(Integer(GL_UNPACK_ROW_LENGTH), 4);
    GLint value = 0;
    for (auto [parameter, expected] : {std::pair<GLenum, GLint>{GL_TEXTURE_WRAP_S, GL_REPEAT},
                                       {GL_TEXTURE_WRAP_T, GL_REPEAT},
                                       {GL_TEXTURE_MAG_FILTER, GL_LINEAR},
                                       {GL_TEXTURE_MIN_FILTER, GL_LINEAR}}) {
        glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
        EXPECT_EQ(value, expected) << std::hex << parameter;
    }
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
}

TEST_F(TextureTest, PaddedRowsUploadWithoutShear) {
    for (int32_t width : {1, 2, 5, 6, 7, 9}) {
        for (int32_t height : {3, -3}) {
            BmpFile file = Numbered24(width, height);
            std::string path = dir.Write("padded.bmp", file.Bytes());
            uint32_t name = InitTexture(path.c_str(), console);
            ASSERT_NE(name, 0u) << width;
            // Texture row r is the picture's r-th row from the bottom.
            size_t pitch = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
            std::vector<uint8_t> expected;
            for (int r = 0; r < 3; ++r) {
                int fileRow = height > 0 ? r : 2 - r;
                auto begin = file.rows.begin() + static_cast<long>(pitch * static_cast<size_t>(fileRow));
                expected.insert(expected.end(), begin, begin + width * 3);
            }
            EXPECT_EQ(TexelsOf(name, width, 3), expected) << "width " << width << " height " << height;
        }
    }
}

TEST_F(TextureTest, PaletteImagesUploadTheirColors) {
    BmpFile eight;
    eight.width = 3;
    eight.height = 2;
    eight.bits = 8;
    eight.colorsUsed = 3;
    eight.colorTable = {10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0};
    eight.rows = {2, 0, 1, 0xEE, 1, 1, 0, 0xEE};  // two rows of 3 indices, padded to 4
    uint32_t name = InitTexture(dir.Write("eight.bmp", eight.Bytes()).c_str(), console);
    ASSERT_NE(name, 0u);
    EXPECT_EQ(TexelsOf(name, 3, 2),
              (std::vector<uint8_t>{70, 80, 90, 10, 20, 30, 40, 50, 60, 40, 50, 60, 40, 50, 60, 10, 20, 30}));

    BmpFile one;
    one.width = 9;
    one.height = 1;
    one.bits = 1;
    one.colorTable = {0, 0, 255, 0, 255, 0, 0, 0};  // 0 red, 1 blue
    one.rows = {0xA5, 0x80, 0, 0};                  // 1010 0101 1...
    name = InitTexture(dir.Write("one.bmp", one.Bytes()).c_str(), console);
    ASSERT_NE(name, 0u);
    std::vector<uint8_t> texels = TexelsOf(name, 9, 1);
    std::string bits;
    for (size_t i = 0; i < texels.size(); i += 3) bits += texels[i] == 255 ? '1' : '0';
    EXPECT_EQ(bits, "101001011");
}

TEST_F(TextureTest, UnloadableFilesGiveNoTextureAndAConsoleLine) {
    GLint before = Integer(GL_TEXTURE_BINDING_2D);
    std::string missing = dir.File("missing.bmp");
    EXPECT_EQ(InitTexture(missing.c_str(), console), 0u);
    BmpFile sixteen;
    sixteen.bits = 16;
    sixteen.rows = {1, 2, 3, 4};
    std::string path16 = dir.Write("sixteen.bmp", sixteen.Bytes());
    EXPECT_EQ(InitTexture(path16.c_str(), console), 0u);
    std::string expected = "InitTexture(" + missing +
                           ") : Image::Load() error\n"
                           "InitTexture(" +
                           path16 + ") : Image::Load() error\n";
    EXPECT_EQ(state().consoleText, expected);
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), before);
    EXPECT_FALSE(glIsTexture(1));

    EXPECT_EQ(InitTexture(nullptr, console), 0u);  // no name: silent
    EXPECT_EQ(state().consoleText, expected);
}

// A uniform image, every texel (blue, green, red) = (b, g, r).
BmpFile Uniform24(int32_t width, int32_t height, uint8_t b, uint8_t g, uint8_t r) {
    BmpFile file;
    file.width = width;
    file.height = height;
    const size_t pitch = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    for (int32_t y = 0; y < height; ++y)
        for (size_t i = 0; i < pitch; ++i)
            file.rows.push_back(i < size_t(width) * 3 ? (i % 3 == 0 ? b : i % 3 == 1 ? g : r) : 0);
    return file;
}

// A driver of OpenGL 1.1 without non-power-of-two textures gets the nearest
// smaller powers of two; one that holds less than the image gets its
// largest. Both say so on the console and in the log, naming both sizes, and
// the texture keeps the image's colour.
TEST_F(TextureTest, AnImageTheDriverCannotHoldIsScaledToFit) {
    const std::string path = dir.Write("odd.bmp", Uniform24(300, 200, 40, 90, 200).Bytes());
    const std::string logPath = dir.File("log.txt");
    std::FILE* log = std::fopen(logPath.c_str(), "w");
    const uint32_t name = InitTexture(path.c_str(), TextureLimits{1024, false}, console, log);
    std::fclose(log);
    ASSERT_NE(name, 0u);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_WIDTH), 256);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_HEIGHT), 128);
    const std::string line =
        "InitTexture(" + path + ") : 300 x 200 scaled to 256 x 128, the driver needs powers of two\n";
    EXPECT_NE(state().consoleText.find(line), std::string::npos) << state().consoleText;
    EXPECT_EQ(TempDir::Read(logPath), line);
    const std::vector<uint8_t> texels = TexelsOf(name, 256, 128);
    EXPECT_EQ(std::vector<uint8_t>(texels.begin(), texels.begin() + 3), (std::vector<uint8_t>{40, 90, 200}));
    EXPECT_EQ(std::vector<uint8_t>(texels.end() - 3, texels.end()), (std::vector<uint8_t>{40, 90, 200}));

    const std::string wide = dir.Write("wide.bmp", Uniform24(20, 4, 1, 2, 3).Bytes());
    ASSERT_NE(InitTexture(wide.c_str(), TextureLimits{8, true}, console), 0u);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_WIDTH), 8);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_HEIGHT), 4);
    EXPECT_NE(state().consoleText.find("20 x 4 scaled to 8 x 4, larger than the driver holds\n"),
              std::string::npos);
    const std::string both = dir.Write("both.bmp", Uniform24(20, 3, 1, 2, 3).Bytes());
    ASSERT_NE(InitTexture(both.c_str(), TextureLimits{8, false}, console), 0u);
    EXPECT_NE(state().consoleText.find(
                  "20 x 3 scaled to 8 x 2, larger than the driver holds, and it needs powers of two\n"),
              std::string::npos);
}

// Wider than this context holds, under its own limits: scaled, and drawn.
TEST_F(TextureTest, AnOverWideImageIsScaledToTheContextsLargest) {
    const TextureLimits limits = CurrentTextureLimits();
    ASSERT_GE(limits.largest, 64u);
    const auto width = static_cast<int32_t>(limits.largest + 100);
    const std::string path = dir.Write("wide.bmp", Uniform24(width, 2, 10, 20, 30).Bytes());
    const uint32_t name = InitTexture(path.c_str(), console);
    ASSERT_NE(name, 0u) << state().consoleText;
    EXPECT_EQ(LevelParameter(GL_TEXTURE_WIDTH), static_cast<GLint>(limits.largest));
    EXPECT_NE(state().consoleText.find(std::to_string(width) + " x 2 scaled to " + std::to_string(limits.largest) +
                                       " x 2, larger than the driver holds"),
              std::string::npos);
}

// Limits that promise more than the driver holds: the upload is refused,
// and that is reported as a failure, never as a texture.
TEST_F(TextureTest, AnUploadTheDriverRefusesIsAFailure) {
    const TextureLimits real = CurrentTextureLimits();
    const auto width = static_cast<int32_t>(real.largest * 2);
    const std::string path = dir.Write("huge.bmp", Uniform24(width, 1, 1, 1, 1).Bytes());
    EXPECT_EQ(InitTexture(path.c_str(), TextureLimits{real.largest * 4, true}, console), 0u);
    EXPECT_NE(state().consoleText.find("InitTexture(" + path + ") : glTexImage2D() error 0x0501 at "),
              std::string::npos)
        << state().consoleText;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
