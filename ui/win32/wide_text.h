// The shared design's texts (UTF-16) as the wide strings of the Win32 calls.
#pragma once

#include <string>
#include <string_view>

namespace orindel::win32 {

inline std::wstring toWide(std::u16string_view text) { return {text.begin(), text.end()}; }

inline std::u16string toText(std::wstring_view text) { return {text.begin(), text.end()}; }

}  // namespace orindel::win32
