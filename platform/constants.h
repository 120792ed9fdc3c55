#pragma once
// Published Win32 values that the portable code passes through the platform seam.
// They carry other names than windows.h's macros so that both can meet in one file;
// the Win32 layer checks each one against windows.h at compile time.
#include <cstdint>

namespace platform {

// Window messages.
namespace msg {
constexpr uint32_t Create = 0x0001;
constexpr uint32_t Destroy = 0x0002;
constexpr uint32_t Move = 0x0003;
constexpr uint32_t Size = 0x0005;
constexpr uint32_t Activate = 0x0006;
constexpr uint32_t Paint = 0x000F;
constexpr uint32_t Close = 0x0010;
constexpr uint32_t Quit = 0x0012;
constexpr uint32_t EraseBackground = 0x0014;
constexpr uint32_t ActivateApp = 0x001C;
constexpr uint32_t KeyDown = 0x0100;
constexpr uint32_t KeyUp = 0x0101;
constexpr uint32_t Char = 0x0102;
constexpr uint32_t SysKeyDown = 0x0104;
constexpr uint32_t SysKeyUp = 0x0105;
constexpr uint32_t Command = 0x0111;
constexpr uint32_t MouseMove = 0x0200;
constexpr uint32_t LeftButtonDown = 0x0201;
constexpr uint32_t LeftButtonUp = 0x0202;
constexpr uint32_t RightButtonDown = 0x0204;
constexpr uint32_t RightButtonUp = 0x0205;
constexpr uint32_t MiddleButtonDown = 0x0207;
constexpr uint32_t QueryNewPalette = 0x030F;
constexpr uint32_t PaletteChanged = 0x0311;
constexpr uint32_t Joy1Move = 0x03A0;
constexpr uint32_t Joy1ButtonDown = 0x03B5;
constexpr uint32_t Joy1ButtonUp = 0x03B7;
}  // namespace msg

// Virtual-key codes of the steering keys (letters are their upper-case characters).
namespace vk {
constexpr uint32_t Shift = 0x10;
constexpr uint32_t Left = 0x25;
constexpr uint32_t Up = 0x26;
constexpr uint32_t Right = 0x27;
constexpr uint32_t Down = 0x28;
constexpr uint32_t A = 0x41;
constexpr uint32_t Z = 0x5A;
}  // namespace vk

// Button state bits of a joystick button message's wParam.
namespace joy_button {
constexpr uint32_t Button1 = 0x0001;
constexpr uint32_t Button2 = 0x0002;
constexpr uint32_t Button3 = 0x0004;
constexpr uint32_t Button4 = 0x0008;
}  // namespace joy_button

// Window styles and extended styles.
namespace style {
constexpr uint32_t Popup = 0x80000000u;
constexpr uint32_t Visible = 0x10000000u;
constexpr uint32_t ClipChildren = 0x02000000u;
constexpr uint32_t OverlappedWindow = 0x00CF0000u;
constexpr uint32_t ExTopmost = 0x00000008u;
}  // namespace style

// Window class styles: CS_VREDRAW | CS_HREDRAW | CS_OWNDC.
constexpr uint32_t kClassStyleRedrawOwnDC = 0x0023;

// ShowWindow commands.
enum class ShowCommand : int { Show = 5, Minimize = 6 };

// Fields of a display-mode request (DEVMODE dmFields).
namespace display_field {
constexpr uint32_t BitsPerPixel = 0x00040000;
constexpr uint32_t PixelsWidth = 0x00080000;
constexpr uint32_t PixelsHeight = 0x00100000;
}  // namespace display_field

// Results of a display-mode change.
namespace display_change {
constexpr int Successful = 0;
constexpr int Restart = 1;
constexpr int Failed = -1;
constexpr int BadMode = -2;
constexpr int NotUpdated = -3;
constexpr int BadFlags = -4;
}  // namespace display_change

}  // namespace platform
