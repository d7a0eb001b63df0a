#pragma once
// The redraw that follows a resize: a burst of resizes costs one redraw, once the window has
// been still for a moment. lngRedrawAt is a time in milliseconds of a monotonic clock, or 0
// when no redraw is pending.

#include <cstdint>

namespace grafolux {

constexpr int64_t kRedrawDelayMs = 150;

// The deadline that a resize at `now` sets.
inline int64_t RedrawDeadline(int64_t now) { return now + kRedrawDelayMs; }

// Whether the timer's tick at `now` redraws. Without a pending redraw or a loaded log the
// request is dropped; during a load or before the deadline has passed it waits; otherwise it
// is taken (cleared) and the view is redrawn.
bool RedrawDue(int64_t& lngRedrawAt, int64_t now, bool fileLoaded, bool loading);

}  // namespace grafolux
