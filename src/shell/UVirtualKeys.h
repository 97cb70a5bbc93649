#pragma once

// Key codes as the hotkey words carry them in their low byte (the virtual-key numbers); the
// platform maps them to its own key codes.

namespace qb {

inline constexpr int vkBack = 0x08;
inline constexpr int vkTab = 0x09;
inline constexpr int vkReturn = 0x0D;
inline constexpr int vkShift = 0x10;
inline constexpr int vkControl = 0x11;
inline constexpr int vkAlt = 0x12;
inline constexpr int vkEscape = 0x1B;
inline constexpr int vkPrior = 0x21;  // page up
inline constexpr int vkNext = 0x22;   // page down
inline constexpr int vkEnd = 0x23;
inline constexpr int vkHome = 0x24;
inline constexpr int vkLeft = 0x25;
inline constexpr int vkUp = 0x26;
inline constexpr int vkRight = 0x27;
inline constexpr int vkDown = 0x28;
inline constexpr int vkInsert = 0x2D;
inline constexpr int vkDelete = 0x2E;
inline constexpr int vkF1 = 0x70;  // F1 to F12 follow in order
inline constexpr int vkF9 = 0x78;
inline constexpr int vkF10 = 0x79;

}  // namespace qb
