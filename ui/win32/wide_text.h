// The shared code's texts (UTF-16: captions, entries, messages) as the wide strings of the Win32
// calls, and back.
#pragma once

#include <string>
#include <string_view>

namespace orindel::win32 {

inline std::wstring toWide(std::u16string_view text) { return {text.begin(), text.end()}; }

inline std::u16string toText(std::wstring_view text) { return {text.begin(), text.end()}; }

}  // namespace orindel::win32
