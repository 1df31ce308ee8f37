#pragma once

#include "platform/runtime/VbError.h"

namespace platform::ControlErrors {

// The run-time errors the controls raise for values they can't take.
VbError invalidPropertyValue();      // 380
VbError invalidPropertyArrayIndex(); // 381, a row or column outside a grid
VbError propertyIsReadOnly();        // 383, the text of a list-only combo box that its list does not hold
VbError notAnArray();                // 343

} // namespace platform::ControlErrors
