#include "Bildmeldungen.h"

#include "platform/run/RunState.h"
#include "platform/runtime/OncePerTitleDialogs.h"

namespace drawing {

Bildmeldungen::Bildmeldungen() {
    platform::RunState* run = platform::RunState::installed();
    if (!run) return;
    platform::DialogService& current = run->dialogs();
    if (auto* shared = dynamic_cast<platform::OncePerTitleDialogs*>(&current)) {
        aktiv_ = shared;
        return;
    }
    eigene_ = std::make_unique<platform::OncePerTitleDialogs>(current);
    aktiv_ = eigene_.get();
    vorher_ = &current;
    run_ = run;
    run->setDialogs(eigene_.get());
}

Bildmeldungen::~Bildmeldungen() {
    if (run_ && &run_->dialogs() == eigene_.get()) run_->setDialogs(vorher_);
}

bool Bildmeldungen::abgebrochen() const {
    return aktiv_ && aktiv_->cancelled();
}

} // namespace drawing
