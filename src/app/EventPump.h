#pragma once
// Long work on the window's thread lets pending events run by time, not per step, so the
// window repaints without the work paying for an event round per line.

#include <QElapsedTimer>

namespace grafolux {

class EventPump {
public:
    EventPump() { slice_.start(); }
    // True about every 16 ms; the caller then updates what it shows and runs Pump().
    bool Due() {
        if (slice_.elapsed() < kSliceMs) return false;
        slice_.restart();
        return true;
    }
    static void Pump();

private:
    static constexpr qint64 kSliceMs = 16;
    QElapsedTimer slice_;
};

}  // namespace grafolux
