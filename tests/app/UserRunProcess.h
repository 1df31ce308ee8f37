#pragma once

#include "Installation.h"

#include <memory>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

// One user's run (user_run) as a process of its own, driven line by line.
class UserRun {
public:
    // Where the run takes place: this computer, or another one of the given name (the run gets a host name
    // of its own; that needs the right to make a namespace, see canPlayAnotherComputer()). `environment`
    // adds "NAME=value" entries.
    struct Place {
        QString computer;
        QStringList environment;
    };
    UserRun(const Installation& inst, const QString& user, const Place& place = {});
    ~UserRun();
    UserRun(const UserRun&) = delete;
    UserRun& operator=(const UserRun&) = delete;

    // The runs of `users` (whose hand-over rows the installation has), started one after the other, each with
    // a change of its own in its working copy: the comment "von <user>" on record 1, 2, ... The test fails
    // where one does not start.
    static std::vector<std::unique_ptr<UserRun>> startedWithAChange(const Installation& inst,
                                                                    const QStringList& users);

    // Whether a run can be given another computer's name here (root, and namespaces allowed).
    static bool canPlayAnotherComputer();

    // The next line the run says; empty when it ended or said nothing for a minute.
    QString line();
    // Written at once, not when the test next waits for this run: several runs get their command together.
    void send(const QString& command);
    // The first line of an answer, then the message boxes the run asked meanwhile, one a line.
    std::string answer();
    pid_t pid() const { return pid_t(process_.processId()); }
    // Stops the run as a computer that freezes, and lets it go on.
    void freeze();
    void thaw();
    // Whether the run stands stopped (by freeze() or by itself).
    bool frozen() const;

private:
    QProcess process_;
};

} // namespace testsupport
