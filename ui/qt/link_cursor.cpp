#include "ui/qt/link_cursor.h"

#include <QBitmap>
#include <QCursor>
#include <QImage>

namespace quorvane::ui {
namespace {

// The pointing hand, one character a pixel: '#' black, '-' white, '.' clear.
// The fingertip's top left pixel is the hot spot.
constexpr int kSide = 32;
constexpr int kHotX = 6;
constexpr int kHotY = 4;
constexpr const char* kHand[kSide] = {
    "................................",
    "................................",
    "................................",
    "................................",
    "......##........................",
    ".....#--#.......................",
    ".....#--#.......................",
    ".....#--#.......................",
    ".....#--#.......................",
    ".....#--###.....................",
    ".....#--#--###..................",
    ".....#--#--#--##................",
    ".....#--#--#--#--#..............",
    "..##.#--#--#--#--#..............",
    ".#--##-----------#..............",
    ".#---#-----------#..............",
    "..#--------------#..............",
    "..#--------------#..............",
    "...#-------------#..............",
    "...#------------#...............",
    "....#-----------#...............",
    "....#----------#................",
    ".....#---------#................",
    ".....#---------#................",
    ".....###########................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};

// A monochrome image of the hand: a pixel is set where the predicate holds.
template <typename Predicate>
QBitmap HandPlane(Predicate isSet) {
  QImage plane(kSide, kSide, QImage::Format_MonoLSB);
  plane.setColor(0, qRgb(255, 255, 255));
  plane.setColor(1, qRgb(0, 0, 0));
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) plane.setPixel(x, y, isSet(kHand[y][x]) ? 1 : 0);
  }
  return QBitmap::fromImage(plane);
}

}  // namespace

const QCursor& LinkCursor() {
  // Built once, on first use, after the application object exists.
  static const QCursor cursor(HandPlane([](char c) { return c == '#'; }),  // black pixels
                              HandPlane([](char c) { return c != '.'; }),  // drawn pixels
                              kHotX, kHotY);
  return cursor;
}

}  // namespace quorvane::ui
