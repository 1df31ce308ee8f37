#pragma once

#include <QString>

namespace platform {

// The login name of the user who runs the program; empty when it can't be found.
QString LoginName();

} // namespace platform
