#pragma once

#include <memory>

namespace platform {
class DialogService;
class OncePerTitleDialogs;
class RunState;
} // namespace platform

namespace drawing {

// The messages of one picture: while it lives, every message box of the run is asked once per title and
// later boxes of that title take the first answer (a routine that fails for every sample or segment shows
// its box once). A picture drawn within another scope (a picture of a printed sheet) shares that one. It
// tells whether any box was answered with Cancel.
class Bildmeldungen {
public:
    Bildmeldungen();
    ~Bildmeldungen();
    Bildmeldungen(const Bildmeldungen&) = delete;
    Bildmeldungen& operator=(const Bildmeldungen&) = delete;

    // True once a box of this picture (or of the scope it shares) was answered with Cancel.
    bool abgebrochen() const;

private:
    std::unique_ptr<platform::OncePerTitleDialogs> eigene_;
    platform::OncePerTitleDialogs* aktiv_ = nullptr;
    platform::DialogService* vorher_ = nullptr;
    platform::RunState* run_ = nullptr;
};

} // namespace drawing
