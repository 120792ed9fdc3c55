#include "tunnel_scene.h"

#include <algorithm>

#include "display/extensions.h"
#include "flight/camera_transform.h"
#include "flight/render_state.h"
#include "platform/stub/stub_control.h"
#include "tunnel/standard_tunnel.h"

namespace {

constexpr float kSpacing = 0.03125f;
constexpr GLfloat kWhite[] = {1.0f, 1.0f, 1.0f, 1.0f};

// A 16 x 16 checkerboard in two strong colours: wrong texture coordinates
// cannot hide in it.
void UploadChecker(GLuint name) {
    std::vector<uint8_t> texels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool dark = ((x / 4) + (y / 4)) % 2 != 0;
            texels.insert(texels.end(),
                          {uint8_t(dark ? 40 : 250), uint8_t(dark ? 90 : 200), uint8_t(dark ? 160 : 60)});
        }
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 16, 16, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

}  // namespace

void TunnelScene::SetUp() {
    GLTest::SetUp();
    platform::stub::Reset();
    // The program's starting render state for a window of this size.
    GLwindow window;
    window.width = kWidth;
    window.height = kHeight;
    Camera camera;
    InitRenderState(RenderStateOptions{}, window, camera);

    ASSERT_TRUE(
        BuildStandardTunnel(mesh, builder, TunnelParams{256, 64, kSpacing}, ORBALT_SOURCE_DIR "/data/test.sct"));
    ColorFromNormals(mesh);  // as the whole-tunnel build gives them

    glGenTextures(1, &texture);
    UploadChecker(texture);

    // Two segments behind the first drawn one, turned a little so that the
    // wall is seen at every angle.
    camera.position = {0.01f, -0.02f, static_cast<float>(kFirst - 2) * kSpacing};
    camera.yaw = 184.0f;
    camera.pitch = 3.0f;
    LoadCameraTransform(camera);
    const Picture empty = Take([] {});
    std::copy(empty.begin(), empty.begin() + 4, sky);
}

void TunnelScene::TearDown() {
    mesh.SetDisplayLists(false);
    glDeleteTextures(1, &texture);
    GLTest::TearDown();
}

Picture TunnelScene::Take(const std::function<void()>& draw) const {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, kWhite);
    draw();
    Picture picture(static_cast<size_t>(kWidth) * kHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, picture.data());
    return picture;
}

Picture TunnelScene::Draw(RenderMode mode, RenderMethod method, bool lists) {
    mesh.SetMethod(method);
    mesh.SetRenderMode(mode);
    mesh.SetDisplayLists(lists);
    Picture picture = Take([this] { mesh.Draw(kFirst, kCount); });
    mesh.SetDisplayLists(false);
    return picture;
}

void TunnelScene::SetAttributes(bool normals, bool colors, bool texcoords) {
    mesh.SetNormals(normals);
    mesh.SetColors(colors);
    mesh.SetTexCoords(texcoords);
}

int TunnelScene::Differing(const Picture& a, const Picture& b) {
    if (a.size() != b.size()) return -1;
    int count = 0;
    for (size_t i = 0; i < a.size(); i += 4)
        if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2] || a[i + 3] != b[i + 3]) ++count;
    return count;
}

int TunnelScene::Drawn(const Picture& picture) const {
    int count = 0;
    for (size_t i = 0; i < picture.size(); i += 4)
        if (picture[i] != sky[0] || picture[i + 1] != sky[1] || picture[i + 2] != sky[2]) ++count;
    return count;
}
