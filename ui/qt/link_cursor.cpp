#include "ui/qt/link_cursor.h"

#include <QBitmap>
#include <QCursor>
#include <QImage>

#include "ui/link_pointer.h"

namespace quorvane::ui {
namespace {

using Hand = LinkPointer;

// A monochrome image of the hand: a pixel is set where the predicate holds.
template <typename Predicate>
QBitmap HandPlane(Predicate isSet) {
  QImage plane(Hand::kSide, Hand::kSide, QImage::Format_MonoLSB);
  plane.setColor(0, qRgb(255, 255, 255));
  plane.setColor(1, qRgb(0, 0, 0));
  for (int y = 0; y < Hand::kSide; ++y) {
    for (int x = 0; x < Hand::kSide; ++x) plane.setPixel(x, y, isSet(Hand::kRows[y][x]) ? 1 : 0);
  }
  return QBitmap::fromImage(plane);
}

}  // namespace

const QCursor& LinkCursor() {
  // Built once, on first use, after the application object exists.
  static const QCursor cursor(HandPlane([](char c) { return c == '#'; }),  // black pixels
                              HandPlane([](char c) { return c != '.'; }),  // drawn pixels
                              Hand::kHotX, Hand::kHotY);
  return cursor;
}

}  // namespace quorvane::ui
