#pragma once

#include "platform/db/Connection.h"

#include <sqlite3.h>

namespace testsupport {

// Counts the transactions a connection commits while the counter lives.
class CommitCounter {
public:
    explicit CommitCounter(platform::Connection& connection) : db_(connection.handle()) {
        sqlite3_commit_hook(db_, &CommitCounter::counted, this);
    }
    ~CommitCounter() { sqlite3_commit_hook(db_, nullptr, nullptr); }
    CommitCounter(const CommitCounter&) = delete;
    CommitCounter& operator=(const CommitCounter&) = delete;
    int commits() const { return commits_; }

private:
    static int counted(void* self) {
        ++static_cast<CommitCounter*>(self)->commits_;
        return 0; // the commit goes ahead
    }
    sqlite3* db_;
    int commits_ = 0;
};

} // namespace testsupport
