// The GDI objects the window's code holds alive, counted where it makes and frees them. Wine
// answers 0 to GetGuiResources whatever a process holds, so a leak would show nowhere else.
#pragma once

namespace orindel::win32 {

class GdiObjects {
 public:
  // How many fonts, icons and memory device contexts the program's own code holds now.
  static int alive();
  // Notes an object just made (a null handle: none was made).
  static void made(const void* handle);
  // Notes an object about to be freed.
  static void freed();
};

}  // namespace orindel::win32
