/* Adds display modes to a running Xvfb so that full-screen mode switches can
 * be tested: Xvfb offers only its own size, and drops a user mode as soon as
 * the client that created it disconnects, so this helper stays connected
 * until it is killed.
 *
 * usage: xrr_addmode WIDTHxHEIGHT...   (prints "ready" once the modes exist)
 */
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

static int AddMode(Display* display, Window root, RROutput output, unsigned width, unsigned height) {
    char name[32];
    snprintf(name, sizeof name, "%ux%u", width, height);
    XRRModeInfo info;
    memset(&info, 0, sizeof info);
    info.width = width;
    info.height = height;
    info.hSyncStart = width + width / 20;
    info.hSyncEnd = info.hSyncStart + width / 8;
    info.hTotal = width + width / 3;
    info.vSyncStart = height + 1;
    info.vSyncEnd = height + 4;
    info.vTotal = height + height / 24;
    info.dotClock = (unsigned long)info.hTotal * info.vTotal * 60; /* 60 Hz */
    info.name = name;
    info.nameLength = (unsigned)strlen(name);
    RRMode mode = XRRCreateMode(display, root, &info);
    if (mode == None) return 0;
    XRRAddOutputMode(display, output, mode);
    return 1;
}

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "xrr_addmode: cannot open display\n");
        return 1;
    }
    Window root = DefaultRootWindow(display);
    XRRScreenResources* resources = XRRGetScreenResources(display, root);
    if (!resources || resources->noutput < 1) {
        fprintf(stderr, "xrr_addmode: no RandR output\n");
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        unsigned width = 0, height = 0;
        if (sscanf(argv[i], "%ux%u", &width, &height) != 2 ||
            !AddMode(display, root, resources->outputs[0], width, height)) {
            fprintf(stderr, "xrr_addmode: cannot add mode %s\n", argv[i]);
            return 1;
        }
    }
    XSync(display, False);
    printf("ready\n");
    fflush(stdout);
    for (;;) pause();
}
