#include "gdi_objects.h"

namespace orindel::win32 {

namespace {
// The process's own count: GDI objects belong to the process, not to one window.
int live = 0;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
}  // namespace

int GdiObjects::alive() { return live; }

void GdiObjects::made(const void* handle) {
  if (handle) ++live;
}

void GdiObjects::freed() { --live; }

}  // namespace orindel::win32
