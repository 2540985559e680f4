#include "gdi_objects.h"

namespace orindel::win32 {

namespace {
int live = 0;
}  // namespace

int GdiObjects::alive() { return live; }

void GdiObjects::made(const void* handle) {
  if (handle) ++live;
}

void GdiObjects::freed() { --live; }

}  // namespace orindel::win32
