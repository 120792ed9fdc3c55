#pragma once
// The default tunnel (256 sections of 64 points, test.sct, seed 8) in the
// program's render state on the offscreen context, with a small texture
// bound and the camera a little way inside, so that every drawing path of
// the mesh can be pictured and compared pixel for pixel.
#include <cstdint>
#include <functional>
#include <vector>

#include "gl_context_fixture.h"
#include "tunnel/orbalt2.h"
#include "tunnel/tunnel_builder.h"

using Picture = std::vector<uint8_t>;

class TunnelScene : public GLTest {
protected:
    static constexpr int32_t kFirst = -4;   // segments drawn: two behind the camera ...
    static constexpr uint32_t kCount = 64;  // ... to about 1.9 ahead, short of full fog

    void SetUp() override;
    void TearDown() override;

    // Clears, resets the colour and diffuse material as each frame does,
    // runs `draw` and reads the whole colour buffer back.
    Picture Take(const std::function<void()>& draw) const;
    // The mesh's range kFirst, kCount drawn with the given state.
    Picture Draw(RenderMode mode, RenderMethod method, bool lists = false);
    void SetAttributes(bool normals, bool colors, bool texcoords);

    // Pixels (not bytes) in which two pictures differ.
    static int Differing(const Picture& a, const Picture& b);
    // Pixels that are not the clear colour: proves a picture shows something.
    int Drawn(const Picture& picture) const;

    Orbalt2 mesh;
    TunnelBuilder builder;
    GLuint texture = 0;
    uint8_t sky[4] = {};  // the clear colour as the colour buffer holds it
};
