// The window's layout as the desktop tests read it, one JSON line: the caption, the message
// boxes' title, the version shown, the client sizes at 96 DPI and each control's id, name, kind,
// sizing and caption. orindel_layout prints it on Linux; under Wine the probe answers it.
#pragma once

#include <cstdio>
#include <string>

#include "fake_window.h"
#include "form2.h"
#include "geometry.h"
#include "layout.h"
#include "orindel_version.h"

namespace orindel::desktop {

// A JSON string literal of a UTF-8 text.
inline std::string jsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

inline std::string jsonRect(const PixelRect& r) {
  return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
         std::to_string(r.width) + "," + std::to_string(r.height) + "]";
}

// The client's sizes at `dpi`, narrow and wide: {"narrow":[w,h],"wide":[w,h]}.
inline std::string clientSizesJson(int dpi) {
  const auto size = [dpi](bool wide) {
    const PixelSize s = clientSize(wide, dpi);
    return "[" + std::to_string(s.width) + "," + std::to_string(s.height) + "]";
  };
  return "{\"narrow\":" + size(false) + ",\"wide\":" + size(true) + "}";
}

inline const char* kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::EntryBox: return "EntryBox";
    case ControlKind::Button: return "Button";
    case ControlKind::Label: return "Label";
    case ControlKind::Frame: return "Frame";
    case ControlKind::Option: return "Option";
  }
  return "";
}

inline const char* sizingName(Sizing sizing) {
  switch (sizing) {
    case Sizing::Fixed: return "Fixed";
    case Sizing::Caption: return "Caption";
    case Sizing::Fitted: return "Fitted";
  }
  return "";
}

// One control's id, name, kind, sizing and caption, as the members of a JSON object (no braces).
inline std::string controlMembers(Control c) {
  const ControlLayout& row = kControls[c];
  return "\"id\":" + std::to_string(kFirstControlId + c) + ",\"name\":" + jsonString(row.name) +
         ",\"kind\":" + jsonString(kindName(row.kind)) +
         ",\"sizing\":" + jsonString(sizingName(row.sizing)) +
         ",\"caption\":" + jsonString(utf8(row.caption));
}

inline std::string layoutJson() {
  std::string out = "{\"caption\":" + jsonString(ORINDEL_CAPTION) +
                    ",\"title\":" + jsonString(utf8(Form2::kMessageTitle)) +
                    ",\"displayVersion\":" + jsonString(ORINDEL_DISPLAY_VERSION) +
                    ",\"client\":" + clientSizesJson(kLayoutDpi) + ",\"controls\":[";
  for (int i = 0; i < kControlCount; ++i) {
    out += (i ? ",{" : "{") + controlMembers(static_cast<Control>(i)) + "}";
  }
  return out + "]}";
}

}  // namespace orindel::desktop
