// Prints the window's design for the Linux desktop tests (design_json.h).
#include <iostream>

#include "design_json.h"

int main() {
  std::cout << orindel::desktop::designJson() << '\n';
  return 0;
}
