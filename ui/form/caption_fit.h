// How a caption that may be too long for its label is drawn: the largest point size that fits, on
// one line or wrapped, and elided only as the last resort. The adapters measure; this decides.
#pragma once

namespace orindel {

// Below this size a caption that still does not fit is elided instead of shrunk further.
inline constexpr double kLegibleFloorPoints = 7.0;

// How a caption is drawn in its label: the point size, on one line or wrapped at its blanks over
// the label's full height, and elided only when neither fits at the floor.
struct CaptionFit {
  double points;
  bool wrapped;
  bool elided;
};

// The largest point size, in quarter points from `preferred` down to the floor, at which
// fitsOneLine(size) holds; failing that, the largest at which fitsWrapped(size) holds; failing
// both, the floor on one line, elided.
template <typename OneLine, typename Wrapped>
CaptionFit fitCaption(double preferred, OneLine fitsOneLine, Wrapped fitsWrapped) {
  const double floor = preferred < kLegibleFloorPoints ? preferred : kLegibleFloorPoints;
  // Counted in whole steps, so that no rounding error gathers over the sizes tried.
  const int steps = static_cast<int>((preferred - floor) / 0.25);
  for (int step = 0; step <= steps; ++step) {
    const double points = preferred - (0.25 * step);
    if (fitsOneLine(points)) return {.points = points, .wrapped = false, .elided = false};
  }
  for (int step = 0; step <= steps; ++step) {
    const double points = preferred - (0.25 * step);
    if (fitsWrapped(points)) return {.points = points, .wrapped = true, .elided = false};
  }
  return {.points = floor, .wrapped = false, .elided = true};
}

}  // namespace orindel
