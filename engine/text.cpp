#include "text.h"

#include "runtime_error.h"

namespace orindel {

namespace {

std::size_t clampedCount(const Text& text, std::int64_t n) {
  if (n < 0) raiseInvalidArgument();
  return static_cast<std::uint64_t>(n) < text.size() ? static_cast<std::size_t>(n) : text.size();
}

}  // namespace

Text left(const Text& text, std::int64_t n) { return text.substr(0, clampedCount(text, n)); }

Text right(const Text& text, std::int64_t n) {
  const std::size_t count = clampedCount(text, n);
  return text.substr(text.size() - count);
}

bool like(const Text& text, CharRange pattern) noexcept {
  return text.size() == 1 && text[0] >= pattern.first && text[0] <= pattern.last;
}

}  // namespace orindel
