#include "app/EventPump.h"

#include <QCoreApplication>

namespace grafolux {

void EventPump::Pump() { QCoreApplication::processEvents(); }

}  // namespace grafolux
