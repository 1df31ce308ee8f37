#include "ScrollBar.h"

#include "platform/runtime/VbError.h"

namespace platform {

void ScrollBar::checkChange(int value) {
    if (value < 1 || value > 32767) throw VbError(380, QStringLiteral("Invalid property value"));
}

} // namespace platform
