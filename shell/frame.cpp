#include "shell/frame.h"

#include "flight/collision.h"
#include "flight/wrap_around.h"
#include "platform/gl_headers.h"
#include "platform/input.h"
#include "shell/popup_menu.h"
#include "shell/program_objects.h"
#include "tunnel/init_orbalt.h"

namespace {
FrameOptions CurrentFrameOptions() {
    return FrameOptions{settings.lighting, settings.depthTest, showInfo, showAxes, &contextResources.glyphs};
}

// Display lists the driver could not hold are gone (the mesh draws without
// them): the console and the log say so once, and the menu's mark follows.
void ReportListsFailure() {
    if (tunnelMesh.listsError == 0) return;
    console.Printf("display lists: GL error 0x%04X, drawing without them \n", tunnelMesh.listsError);
    if (logFile)
        std::fprintf(logFile, "display lists: GL error 0x%04X, drawing without them \n", tunnelMesh.listsError);
    tunnelMesh.listsError = 0;
    settings.DisplayLists = false;
    if (popupMenu) CheckMenuItems(popupMenu, settings);
}

// Once, after the first frame that shows the tunnel: what GL reported while
// drawing it, and the last line of the start-up trail. Later frames never ask
// GL for errors, which would stall the driver every frame.
void ReportFirstFrame() {
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
        console.Printf("first frame: GL error 0x%04X \n", error);
        if (logFile) std::fprintf(logFile, "first frame: GL error 0x%04X \n", error);
    }
    if (logFile) {
        std::fprintf(logFile, "start-up: first frame drawn \n\n");
        std::fflush(logFile);
    }
}
}  // namespace

DeviceReadings ReadDevices(const Mouse& pointer, const Joystick& stick, const Keyboard& keys, bool swapUpDown,
                           uint32_t now) {
    using platform::vk::A, platform::vk::Down, platform::vk::Left, platform::vk::Right, platform::vk::Shift,
        platform::vk::Up, platform::vk::Z;
    DeviceReadings devices;
    const Mouse::ChannelRecord& x = pointer.channels[Mouse::X];
    devices.mouse = {x.delta,
                     pointer.channels[Mouse::Y].delta,
                     pointer.channels[Mouse::LEFT].value != 0,
                     pointer.channels[Mouse::RIGHT].value != 0,
                     pointer.changed,
                     x.time};
    const Joystick::Axis& stickX = stick.axes[Joystick::X];
    devices.joystick = {stickX.value, stick.axes[Joystick::Y].value, stickX.time, stick.buttons[0].down,
                        stick.buttons[1].down};
    devices.keys = {keys.Down(Shift), keys.Down(Left), keys.Down(Right), keys.Down(Up),
                    keys.Down(Down),  keys.Down(A),    keys.Down(Z)};
    devices.now = now;
    devices.swapUpDown = swapUpDown;
    return devices;
}

void StepFrame() {
    frameTime = frameTimer.Advance(platform::CounterValue(), secondsPerCount);
    // The camera waits while a new tunnel is generated around it.
    const bool flying = !tunnelBuilder.Building() || ContinueTunnelBuild({tunnelMesh, tunnelBuilder});
    if (flying) {
        const DeviceReadings devices =
            ReadDevices(mouse, joystick, keyboard, settings.SwapSteerUpDown, platform::TickCount());
        UpdateFlight(devices, frameTime, flight, camera);
    }
    // The next flight step learns from the mouse's flag whether it reported in between.
    mouse.changed = false;
    keyboard.changed = false;
    joystick.changed = false;
    // A failed rebuild leaves no tunnel to wrap or collide with.
    if (!tunnelBuilder.Ready()) return;
    // The builder follows the camera where this frame's step took it, so that
    // collision and drawing never meet a segment left ungenerated: a step can
    // cross several segments when they are closely spaced. It works within
    // its time budget; where it falls behind, the camera waits at the last
    // segment the tunnel serves.
    tunnelBuilder.Update(camera.position.z);
    camera.position.z = tunnelBuilder.Reachable(camera.position.z);
    WrapCameraAndTunnel(tunnelMesh, tunnelBuilder, camera);
    CollideWithTunnel(tunnelMesh, tunnelBuilder.spacing, collisionState, camera.position);
}

void DrawFrame() {
    ReportListsFailure();
    RenderFrame(glWindow, CurrentFrameOptions(), TunnelView{tunnelMesh, tunnelBuilder, collisionState}, camera,
                frameTime);
    if (!firstTunnelFrameDrawn && glWindow.hglrc && tunnelBuilder.Ready()) {
        firstTunnelFrameDrawn = true;
        ReportFirstFrame();
    }
}

void Tick() {
    StepFrame();
    DrawFrame();
}
