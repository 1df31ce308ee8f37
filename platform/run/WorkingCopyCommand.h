#pragma once

#include "platform/db/Connection.h"

#include <optional>

namespace platform {

// The reads and writes of one command on the working copy in one transaction, so that the command commits
// once (see Connection::CommandScope). Does nothing while no working copy is open. Commands nest: only the
// outermost one commits.
class WorkingCopyCommand {
public:
    WorkingCopyCommand();
    ~WorkingCopyCommand();
    WorkingCopyCommand(const WorkingCopyCommand&) = delete;
    WorkingCopyCommand& operator=(const WorkingCopyCommand&) = delete;
    // Commits now; throws VbError when the commit fails (the command's writes are then undone).
    void End();

private:
    std::optional<Connection::CommandScope> scope_;
};

} // namespace platform
