#include "ui/win32/link_cursor.h"

#include <array>

#include "ui/link_pointer.h"

namespace quorvane::ui::win32 {
namespace {

using Hand = LinkPointer;
constexpr int kRowBytes = Hand::kSide / 8;
using Plane = std::array<BYTE, Hand::kSide * kRowBytes>;

// A monochrome plane, rows top down, the leftmost pixel in a byte's highest
// bit: a bit is set where the predicate holds.
template <typename Predicate>
Plane HandPlane(Predicate isSet) {
  Plane plane{};
  for (int y = 0; y < Hand::kSide; ++y) {
    for (int x = 0; x < Hand::kSide; ++x) {
      if (isSet(Hand::kRows[y][x])) {
        plane[static_cast<size_t>(y * kRowBytes + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
      }
    }
  }
  return plane;
}

}  // namespace

HCURSOR LinkCursor() {
  // The AND plane keeps the screen where the hand is clear; the XOR plane
  // then paints white where the hand is white, black elsewhere.
  static const HCURSOR cursor = [] {
    const Plane keep = HandPlane([](char c) { return c == '.'; });
    const Plane white = HandPlane([](char c) { return c == '-'; });
    return CreateCursor(GetModuleHandleW(nullptr), Hand::kHotX, Hand::kHotY, Hand::kSide,
                        Hand::kSide, keep.data(), white.data());
  }();
  return cursor;
}

}  // namespace quorvane::ui::win32
