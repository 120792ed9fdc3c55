#pragma once
// A GL test with the program's render state on the offscreen context, the
// stand-in's window around it and the program-wide tunnel built by
// InitOrbalt from the shipped section file: the frame code runs as in the
// program.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "flight/render_state.h"
#include "gl_context_fixture.h"
#include "platform/stub/stub_control.h"
#include "platform/stub/stub_gl_context_control.h"
#include "platform/stub/stub_text_control.h"
#include "shell/frame.h"
#include "shell/program.h"
#include "shell/program_objects.h"
#include "tunnel/init_orbalt.h"

class ProgramSceneTest : public GLTest {
protected:
    static constexpr uint8_t kSky[3] = {128, 178, 255};

    void SetUp() override {
        GLTest::SetUp();
        ResetProgramObjects();
        platform::stub::Reset();
        platform::stub::ResetGLContext();
        platform::stub::ResetText();
        StoreDefaults(settings);
        // The offscreen context stands for the window's.
        glWindow.hwnd = reinterpret_cast<void*>(0x1010);
        glWindow.hdc = platform::stub::glState().deviceContext;
        glWindow.hglrc = reinterpret_cast<void*>(0xC001);
        glWindow.width = kWidth;
        glWindow.height = kHeight;
        InitRenderState(RenderStateOptions{settings.lighting, settings.fog, settings.depthTest}, glWindow, camera);
        sectionPath = std::string(ORBALT_SOURCE_DIR) + "/data/test.sct";
    }

    void TearDown() override {
        // The stand-in's handles are no window to close; the mesh's lists go
        // while the test's context is current.
        glWindow.hwnd = nullptr;
        glWindow.hdc = nullptr;
        glWindow.hglrc = nullptr;
        ResetProgramObjects();
        GLTest::TearDown();
    }

    // The program's tunnel build with other tunnel parameters, carried on
    // until the ring is whole as the program's frames carry it on.
    static int BuildWith(const TunnelParams& params) {
        tunnelParams = params;
        const int built = BuildTunnelFromSettings();
        while (tunnelBuilder.Building()) ContinueTunnelBuild({tunnelMesh, tunnelBuilder});
        return built;
    }

    // The whole colour buffer, RGBA rows from the bottom.
    static std::vector<uint8_t> Picture() {
        std::vector<uint8_t> pixels(size_t{kWidth} * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    static bool IsSky(const uint8_t* rgba) {
        return rgba[0] == kSky[0] && rgba[1] == kSky[1] && rgba[2] == kSky[2];
    }

    // Share of the picture's pixels that are not the sky colour.
    static double WallShare(const std::vector<uint8_t>& picture) {
        size_t wall = 0;
        for (size_t i = 0; i < picture.size(); i += 4) wall += IsSky(&picture[i]) ? 0 : 1;
        return static_cast<double>(wall) / static_cast<double>(picture.size() / 4);
    }

    // Largest channel difference of a pixel from the sky colour.
    static int SkyDistance(const std::vector<uint8_t>& pixel) {
        int distance = 0;
        for (int c = 0; c < 3; ++c) distance = std::max(distance, std::abs(int{pixel[c]} - int{kSky[c]}));
        return distance;
    }
};
