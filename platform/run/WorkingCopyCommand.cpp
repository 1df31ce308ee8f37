#include "WorkingCopyCommand.h"

#include "RunState.h"

namespace platform {

WorkingCopyCommand::WorkingCopyCommand() {
    const auto& connection = RunState::current().cnnX;
    if (connection && connection->isOpen()) scope_.emplace(*connection);
}

WorkingCopyCommand::~WorkingCopyCommand() = default;

void WorkingCopyCommand::End() {
    if (scope_) scope_->End();
}

} // namespace platform
