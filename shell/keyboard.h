#pragma once
// The keyboard as the flight model sees it: which keys are held now. Fed by
// the key messages of the window procedure.
#include <cstdint>
#include <vector>

class Keyboard {
public:
    static constexpr uint32_t kKeyCount = 256;  // one record per virtual-key code

    struct Key {
        bool down = false;
    };

    Keyboard();

    // Key-down and system-key-down messages. Returns 2 when the message is
    // the auto-repeat of a held key (ignored), else the key's down flag.
    int KeyDown(uintptr_t virtualKey, intptr_t lParam);
    // Key-up and system-key-up messages. Returns 0.
    int KeyUp(uintptr_t virtualKey, intptr_t lParam);

    // Whether the key is held; false for codes outside the table.
    bool Down(uint32_t virtualKey) const;

    bool changed = true;  // a key event arrived since the last frame
    std::vector<Key> keys;
};
