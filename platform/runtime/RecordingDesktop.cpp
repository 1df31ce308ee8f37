#include "RecordingDesktop.h"

namespace platform {

bool RecordingDesktop::record(Request request) {
    if (look_) look_(request);
    requests_.push_back(std::move(request));
    return result_;
}

bool RecordingDesktop::openFile(const QString& path) {
    return record({QStringLiteral("openFile"), path, {}});
}

bool RecordingDesktop::startProgram(const QString& program, const QString& workingFolder) {
    return record({QStringLiteral("startProgram"), program, workingFolder});
}

} // namespace platform
