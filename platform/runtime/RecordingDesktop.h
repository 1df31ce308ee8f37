#pragma once

#include "DesktopService.h"

#include <functional>
#include <QString>
#include <vector>

namespace platform {

// A desktop that launches nothing: it records every request and answers with the result it was given.
class RecordingDesktop : public DesktopService {
public:
    struct Request {
        QString kind; // "openFile" or "startProgram"
        QString path;
        QString workingFolder;
    };

    const std::vector<Request>& requests() const { return requests_; }
    // What every request answers from now on (true: the document opened, the program started).
    void setResult(bool result) { result_ = result; }
    // Runs as a request is made: a test looks at the world at that moment.
    void onRequest(std::function<void(const Request&)> look) { look_ = std::move(look); }
    void clear() { requests_.clear(); }

    bool openFile(const QString& path) override;
    bool startProgram(const QString& program, const QString& workingFolder) override;

private:
    bool record(Request request);

    std::vector<Request> requests_;
    std::function<void(const Request&)> look_;
    bool result_ = true;
};

} // namespace platform
