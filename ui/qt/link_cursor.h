// The pointer every link label shows: one pointing hand, 32 by 32 pixels,
// monochrome, hot spot at the fingertip (6, 4).
#pragma once

class QCursor;

namespace quorvane::ui {

const QCursor& LinkCursor();

}  // namespace quorvane::ui
