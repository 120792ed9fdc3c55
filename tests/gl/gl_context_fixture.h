#pragma once
// An offscreen OpenGL context for tests (Mesa's OSMesa, software rendering):
// GL code of the program runs against it exactly as against a window's
// context, and its state and pixels can be read back.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gl_headers.h"

class OffscreenContext {
public:
    // An RGBA colour buffer of width x height with a 16-bit depth buffer,
    // made current at once. ok() tells whether that worked.
    OffscreenContext(int width, int height);
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    bool ok() const { return ok_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // An entry point of the context by name; null unless the extension
    // string names `extension` (Mesa answers every name, known or not).
    static void (*ProcAddress(const char* extension, const char* name))();

private:
    void* context_ = nullptr;
    std::vector<uint8_t> buffer_;
    int width_, height_;
    bool ok_ = false;
};

// A test with a fresh 640 x 480 context; a GL error left behind fails it.
class GLTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    void SetUp() override;
    void TearDown() override;

    // One RGBA pixel of the colour buffer, (0, 0) at the bottom left.
    static std::vector<uint8_t> Pixel(int x, int y);
    static std::vector<float> Floats(GLenum name, int count);
    static std::vector<float> Light(GLenum name, int count);
    static std::vector<float> Material(GLenum name, int count);
    static GLint Integer(GLenum name);

    std::unique_ptr<OffscreenContext> context;
};
