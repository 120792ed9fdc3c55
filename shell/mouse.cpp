#include "shell/mouse.h"

using namespace platform;

Mouse::Mouse() : channels(kChannelCount) {
    uint32_t now = TickCount();
    for (ChannelRecord& channel : channels) channel.time = now;
}

int Mouse::Move(uintptr_t, intptr_t lParam) {
    // Client coordinates as signed 16-bit numbers: negative left of or above the window.
    int32_t x = static_cast<int16_t>(static_cast<uint16_t>(lParam & 0xFFFF));
    int32_t y = static_cast<int16_t>(static_cast<uint16_t>((lParam >> 16) & 0xFFFF));
    ChannelRecord& cx = channels[X];
    ChannelRecord& cy = channels[Y];
    if (captured) {
        // The move caused by the last warp back to the centre carries no movement.
        if (x == clientCentre.x && y == clientCentre.y) return 3;
        cx.delta = x - clientCentre.x;
        cy.delta = y - clientCentre.y;
        SetPointerPosition(warpTarget);
    } else {
        cx.delta = x - cx.value;
        cy.delta = y - cy.value;
    }
    cx.value = x;
    cy.value = y;
    cx.time = cy.time = TickCount();
    changed = true;
    return 2;
}

int Mouse::SetButton(Channel channel, int32_t value) {
    channels[channel].value = value;
    channels[channel].time = TickCount();
    changed = true;
    return value;
}

int Mouse::LeftDown(uintptr_t, intptr_t) { return SetButton(LEFT, 1); }
int Mouse::LeftUp(uintptr_t, intptr_t) { return SetButton(LEFT, 0); }
int Mouse::RightDown(uintptr_t, intptr_t) { return SetButton(RIGHT, 1); }
int Mouse::RightUp(uintptr_t, intptr_t) { return SetButton(RIGHT, 0); }

void Mouse::Capture(bool on, WindowHandle window) {
    captured = on;
    if (on) {
        Rect client = ClientRect(window);
        clientCentre = {client.right / 2, client.bottom / 2};
        warpTarget = ClientToScreen(window, clientCentre);
    }
    // The next move, in either mode, measures from the centre.
    channels[X].value = clientCentre.x;
    channels[Y].value = clientCentre.y;
    changed = true;
    SetPointerPosition(warpTarget);
}
