#include "gl_context_fixture.h"

#include <GL/osmesa.h>

#include <cstring>

#include "display/pixel_format.h"

// Mesa keeps a few allocations of its own until the process ends. The
// sanitizer runtime looks these two hooks up by name.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_options();
extern "C" const char* __lsan_default_suppressions() { return "leak:libOSMesa.so\nleak:libLLVM\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

OffscreenContext::OffscreenContext(int width, int height)
    : buffer_(static_cast<size_t>(width) * static_cast<size_t>(height) * 4), width_(width), height_(height) {
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
    context_ = context;
    ok_ = context && OSMesaMakeCurrent(context, buffer_.data(), GL_UNSIGNED_BYTE, width, height);
}

OffscreenContext::~OffscreenContext() {
    OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    if (context_) OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}

void (*OffscreenContext::ProcAddress(const char* extension, const char* name))() {
    if (!ExtensionListed(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), extension)) return nullptr;
    return reinterpret_cast<void (*)()>(OSMesaGetProcAddress(name));
}

void GLTest::SetUp() {
    context = std::make_unique<OffscreenContext>(kWidth, kHeight);
    ASSERT_TRUE(context->ok());
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

void GLTest::TearDown() {
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "a GL error was left behind";
    context.reset();
}

std::vector<uint8_t> GLTest::Pixel(int x, int y) {
    std::vector<uint8_t> rgba(4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

std::vector<float> GLTest::Floats(GLenum name, int count) {
    std::vector<float> values(static_cast<size_t>(count), -99.0f);
    glGetFloatv(name, values.data());
    return values;
}

std::vector<float> GLTest::Light(GLenum name, int count) {
    std::vector<float> values(static_cast<size_t>(count), -99.0f);
    glGetLightfv(GL_LIGHT0, name, values.data());
    return values;
}

std::vector<float> GLTest::Material(GLenum name, int count) {
    std::vector<float> values(static_cast<size_t>(count), -99.0f);
    glGetMaterialfv(GL_FRONT, name, values.data());
    return values;
}

GLint GLTest::Integer(GLenum name) {
    GLint value = -99;
    glGetIntegerv(name, &value);
    return value;
}
