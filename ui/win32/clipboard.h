// Putting text on the Windows clipboard.
#pragma once

#include <windows.h>

#include <string_view>

namespace orindel::win32 {

// Replaces the clipboard's contents with `text` as CF_UNICODETEXT; false when the clipboard is
// held by another program or memory runs out.
bool copyToClipboard(HWND owner, std::wstring_view text);

}  // namespace orindel::win32
