#include "saver/saver_view.h"

#include "display/texture.h"
#include "flight/projection.h"
#include "flight/render_frame.h"
#include "flight/render_state.h"
#include "platform/gl_context.h"
#include "platform/gl_headers.h"
#include "tunnel/init_orbalt.h"

namespace {

// Vertical sync where the driver offers it: the frames then wait for the
// display instead of heating the machine.
void AskForVerticalSync(const GLExtensions& extensions, std::FILE* log) {
    if (!extensions.swapInterval) {
        if (log) std::fprintf(log, "swap interval: no WGL_EXT_swap_control \n");
        return;
    }
    const int set = extensions.swapInterval(1);
    const int read = extensions.getSwapInterval ? extensions.getSwapInterval() : -1;
    if (log) std::fprintf(log, "swap interval: set 1 %s, read back %d \n", set ? "accepted" : "refused", read);
}

// A file that cannot be opened gets a line of its own in the log, with the
// system's reason.
void LogOpenFailure(std::FILE* log, const std::string& path, const platform::OpenFailure& failure) {
    if (log && failure.failed) std::fprintf(log, "%s \n", platform::OpenFailureText(path, failure).c_str());
}

void UseTexture(SaverView& view, const ViewRecipe& recipe) {
    if (!recipe.settings.textures) return;
    platform::OpenFailure failure;
    view.texture = InitTexture(recipe.texturePath.c_str(), recipe.console, recipe.log, &failure);
    LogOpenFailure(recipe.log, recipe.texturePath, failure);
    if (view.texture == 0) return;
    glBindTexture(GL_TEXTURE_2D, view.texture);
    glEnable(GL_TEXTURE_2D);
}

TunnelRequest RequestFor(const SaverView& view, const SaverSettings& settings, const char* sectionPath) {
    TunnelRequest request;
    request.params = TunnelParams{settings.sections, settings.sectionPoints, TunnelParams{}.spacing};
    request.drawing = DrawingOptions{settings.renderMode,
                                     settings.renderMethod,
                                     true,
                                     false,
                                     settings.textures && view.texture != 0,
                                     view.context.extensions.arrayLock};
    request.sectionPath = sectionPath;
    request.cameraZ = 0.0f;
    return request;
}

}  // namespace

bool PrepareView(SaverView& view, const ViewRecipe& recipe) {
    const SaverSettings& settings = recipe.settings;
    if (!platform::MakeCurrent(view.window.hdc, view.window.hglrc)) return false;
    InitRenderState(RenderStateOptions{settings.lighting, settings.fog, true}, view.window, view.camera);
    view.context.Acquire();
    ReportExtensions(view.context.extensions, recipe.console);
    AskForVerticalSync(view.context.extensions, recipe.log);
    UseTexture(view, recipe);
    platform::OpenFailure sectionFailure;
    TunnelMessages messages = recipe.messages;
    messages.openFailure = &sectionFailure;
    if (!InitOrbalt({view.mesh, view.builder}, RequestFor(view, settings, recipe.sectionPath.c_str()), messages,
                    recipe.console)) {
        LogOpenFailure(recipe.log, recipe.sectionPath, sectionFailure);
        if (recipe.log)
            std::fprintf(recipe.log, "the tunnel could not be built from %s \n", recipe.sectionPath.c_str());
        return false;
    }
    if (settings.displayLists) view.mesh.SetDisplayLists(true);
    // The collision keeps one flight step from the wall, as the program's does.
    view.collision.clearance = FlightState{}.maxStep;
    // A ring not yet whole is carried on by the pilot's ticks, which start
    // the cruise once it is.
    view.flying = StartCruise(view.mesh, view.builder, view.cruise, view.camera);
    return true;
}

void DrawViewFrame(SaverView& view, const SaverSettings& settings, float frameTime) {
    if (!view.window.hglrc || !platform::MakeCurrent(view.window.hdc, view.window.hglrc)) return;
    CruiseTick(CruiseOptions{settings.speed}, frameTime, view.mesh, view.builder, view.collision, view.cruise,
               view.camera);
    view.flying = view.builder.Ready();
    const FrameOptions options{settings.lighting, true, false, false, &view.context.glyphs};
    RenderFrame(view.window, options, TunnelView{view.mesh, view.builder, view.collision}, view.camera, frameTime);
}

void ResizeView(SaverView& view, int32_t width, int32_t height) {
    if (!view.window.hglrc || !platform::MakeCurrent(view.window.hdc, view.window.hglrc)) return;
    ResizeViewport(view.camera, width, height);
}
