#include "geometry.h"

#include <gtest/gtest.h>

#include "in_its_place.h"

namespace orindel {
namespace {

// A few places worked out by hand: a half pixel rounds up, the options lie inside the frame, the
// total wraps down to the client's bottom edge. The adapters' tests check every control against
// the same geometry; these rows hold the geometry itself to the layout's table.
TEST(GeometryTest, twips_become_pixels_rounded_to_the_nearest) {
  struct Case {
    Control control;
    bool wide;
    int dpi;
    bool wrapped;
    PixelRect expected;
  } cases[] = {
      {Text1, false, 96, false, {8, 16, 41, 18}},
      {Text1, false, 120, false, {10, 20, 51, 23}},
      {Option2, true, 144, false, {324, 72, 194, 26}},
      {Label4, false, 120, true, {150, 70, 95, 30}},
      {Label5, true, 144, false, {240, 60, 60, 24}},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(inItsPlace(c.control, c.wide, c.dpi, c.wrapped, c.expected));
  }
  EXPECT_EQ((PixelSize{294, 120}), clientSize(false, 144));
  EXPECT_EQ((PixelSize{450, 100}), clientSize(true, 120));
}

}  // namespace
}  // namespace orindel
