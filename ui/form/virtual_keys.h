// The key codes and shift bits of the entry boxes' key-down events: the Windows virtual-key codes,
// named as Windows names them (VK_ADD is kVkAdd). Form2 acts on a few of them; the Qt key map
// produces all of them from Qt's key events; the Win32 build checks each against its VK_ constant.
#pragma once

namespace orindel {

// No key: a key-down event that names none (see Form2::entryKeyDown).
inline constexpr int kVkNone = 0;
inline constexpr int kVkBack = 0x08;
inline constexpr int kVkTab = 0x09;
inline constexpr int kVkClear = 0x0C;
inline constexpr int kVkReturn = 0x0D;
inline constexpr int kVkShift = 0x10;
inline constexpr int kVkControl = 0x11;
inline constexpr int kVkMenu = 0x12;  // Alt
inline constexpr int kVkPause = 0x13;
inline constexpr int kVkCapital = 0x14;
inline constexpr int kVkEscape = 0x1B;
inline constexpr int kVkConvert = 0x1C;     // 変換
inline constexpr int kVkNonConvert = 0x1D;  // 無変換
inline constexpr int kVkSpace = 0x20;
inline constexpr int kVkPrior = 0x21;
inline constexpr int kVkNext = 0x22;
inline constexpr int kVkEnd = 0x23;
inline constexpr int kVkHome = 0x24;
inline constexpr int kVkLeft = 0x25;
inline constexpr int kVkUp = 0x26;
inline constexpr int kVkRight = 0x27;
inline constexpr int kVkDown = 0x28;
inline constexpr int kVkSnapshot = 0x2C;
inline constexpr int kVkInsert = 0x2D;
inline constexpr int kVkDelete = 0x2E;
// The digit and letter keys are their characters, '0'..'9' and 'A'..'Z'.
inline constexpr int kVk0 = '0';
inline constexpr int kVkA = 'A';
inline constexpr int kVkO = 'O';
inline constexpr int kVkLWin = 0x5B;
inline constexpr int kVkRWin = 0x5C;
inline constexpr int kVkApps = 0x5D;
inline constexpr int kVkNumpad0 = 0x60;  // to kVkNumpad0 + 9
inline constexpr int kVkMultiply = 0x6A;
inline constexpr int kVkAdd = 0x6B;       // the keypad's +
inline constexpr int kVkSubtract = 0x6D;  // the keypad's -
inline constexpr int kVkDecimal = 0x6E;
inline constexpr int kVkDivide = 0x6F;
inline constexpr int kVkF1 = 0x70;  // to kVkF1 + 23
inline constexpr int kVkNumLock = 0x90;
inline constexpr int kVkScroll = 0x91;
inline constexpr int kVkOem1 = 0xBA;     // ";:" on US, ":*" on Japanese
inline constexpr int kVkOemPlus = 0xBB;  // the main plus key: "=+" on US, ";+" on Japanese
inline constexpr int kVkOemComma = 0xBC;
inline constexpr int kVkOemMinus = 0xBD;  // the main minus key: "-_" on US, "-=" on Japanese
inline constexpr int kVkOemPeriod = 0xBE;
inline constexpr int kVkOem2 = 0xBF;     // "/?"
inline constexpr int kVkOem3 = 0xC0;     // "`~" on US, "@`" on Japanese
inline constexpr int kVkOem4 = 0xDB;     // "[{"
inline constexpr int kVkOem5 = 0xDC;     // "\|", the yen key on Japanese
inline constexpr int kVkOem6 = 0xDD;     // "]}"
inline constexpr int kVkOem7 = 0xDE;     // "'\"" on US, "^~" on Japanese
inline constexpr int kVkOem102 = 0xE2;   // "\_" by the right Shift on Japanese
inline constexpr int kVkOemCopy = 0xF2;  // ひらがな/カタカナ
inline constexpr int kVkOemEnlw = 0xF4;  // 半角/全角
// Not a Windows key: what the Qt key map reports for a key that has no code of its own.
inline constexpr int kVkUnmapped = 0xFF;

// The shift state that goes with a key-down: a bit for each modifier held.
inline constexpr int kShiftBit = 1, kCtrlBit = 2, kAltBit = 4;

// The character code of Enter in a key-press event.
inline constexpr int kEnterCharacter = '\r';

}  // namespace orindel
