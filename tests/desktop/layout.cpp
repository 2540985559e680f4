// Prints the window's layout for the Linux desktop tests (layout_json.h).
#include <iostream>

#include "layout_json.h"

int main() {
  std::cout << orindel::desktop::layoutJson() << '\n';
  return 0;
}
