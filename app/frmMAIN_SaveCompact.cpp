// Save and Compact of the project database.
#include "frmMAIN.h"

#include "platform/db/Connection.h"
#include "platform/db/ProjectLock.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/run/LockRequest.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/Language.h"
#include "platform/system/FileSystem.h"

#include <exception>

using namespace platform;
namespace fs = platform::FileSystem;

float frmMAIN::sizeInMB(std::int64_t bytes) {
    return float(Round(double(bytes) / 1e6, 1));
}

QString frmMAIN::compactReport(int language, std::int64_t before, std::int64_t after,
                               const QString& decimalSign) {
    // From the bytes, not from the rounded sizes: a small file would divide by 0.0 MB.
    const float saving =
        before == 0 ? 0.0f : float(Round(double(before - after) * 100.0 / double(before), 1));
    const QString percent = SingleText(saving, decimalSign);
    const QString size = SingleText(sizeInMB(after), decimalSign);
    switch (language) {
    case 1:
        return QStringLiteral("Database was compact about ") + percent + QStringLiteral(" % to ") + size +
               QStringLiteral(" MB!");
    case 3:
        return QStringLiteral("Datenbank wurde um ") + percent + QStringLiteral(" % auf ") + size +
               QStringLiteral(" MB komprimiert !");
    default:
        return QString();
    }
}

void frmMAIN::mnuSPEICHERN_Click() {
    saveProject();
}

bool frmMAIN::saveProject() {
    ErrorTrap trap(titleOf(mnuSPEICHERN));
    bool saved = false;
    const auto run = [&] {
        std::int64_t bytes = 0;
        if (!trap.step([&] { bytes = fs::FileSize(XMDBPFAD()); })) return;
        if (!trap.step([&] {
                const float size = sizeInMB(bytes);
                if (!(size > 10.0f)) return;
                const QString mb = SingleText(size, DEZIMALPUNKT);
                QString question;
                switch (SPRACHE) {
                case 1:
                    question = QStringLiteral("Database reaches ") + mb +
                               QStringLiteral(" MB! \nDo you want to compact the file?");
                    break;
                case 3:
                    question = QStringLiteral("Datenbank hat ") + mb +
                               QStringLiteral(" MB erreicht! \nSoll die Datei komprimiert werden?");
                    break;
                default:
                    return;
                }
                if (dialogs().MsgBox(question, Msg::YesNo | Msg::Question | Msg::HelpButton,
                                     titleOf(mnuSPEICHERN), helpFile(), 34) == Msg::Yes)
                    mnuKOMPRIMIEREN_Click();
            }))
            return;
        // The question about a change since the copy waits for its answer without the project's lock, so that
        // a user who leaves it open holds up nobody's Save. Under the lock the project database is checked
        // again right before it is replaced: a change made meanwhile is asked about again. Every further
        // round asks the user; the count only bounds the loop.
        for (int round = 0; round < 100; ++round) {
            DatabaseStamp seen;
            bool replace = false;
            if (!trap.step([&] {
                    seen = DatabaseStamp::of(projectDatabase());
                    replace = mayReplaceProject(seen);
                }) ||
                !replace)
                return;
            ScreenPointer::set(ScreenPointer::Hourglass);
            // From the check to the end of the replace no other Save or export comes between: another user's
            // is waited for, and what it wrote is then found by the check.
            ProjectLock lock(projectDatabase(), BENUTZER());
            LockRequest request(lock, LockRequest::Purpose::Save, projectDatabase(), titleOf(mnuSPEICHERN));
            bool locked = false;
            if (!trap.step([&] { locked = request.take(saveLockWait_); }) || !locked) return;
            // What fails under the lock is told once the lock is let go: nobody's Save waits for the box.
            std::exception_ptr failure;
            const FileLock* lost = nullptr;
            bool unchanged = false;
            try {
                // A run whose computer froze right after it took the lock may have had it taken over.
                if (!lock.stillHeld()) lost = &lock;
                unchanged = !lost && DatabaseStamp::of(projectDatabase()) == seen;
                if (unchanged) {
                    ScreenPointer::set(ScreenPointer::Hourglass);
                    // The working copy is checked while it is copied: a copy of an unsound one is thrown
                    // away. Right before the project database is replaced, this run makes sure that it still
                    // holds the project's lock and its own: a run whose computer froze may have had either
                    // taken over meanwhile, and would put its copy over the work of the run that took it.
                    Connection::CopyDatabase(
                        XMDBPFAD(), projectDatabase(), [this] { checkWorkingCopy(); },
                        [&] {
                            if (!lock.stillHeld())
                                lost = &lock;
                            else if (runLock_ && !runLock_->stillHeld())
                                lost = runLock_.get();
                            if (lost) throw VbError::permissionDenied(projectDatabase());
                        });
                    saved = true;
                }
            } catch (...) {
                if (!lost) failure = std::current_exception();
            }
            // A lock taken over is no longer this run's: its message needs no release first, and reads who
            // took it over from this run's own lock file.
            if (lost == &lock) request.sayLost();
            if (lost && lost != &lock)
                LockRequest(*runLock_, LockRequest::Purpose::Start, BENUTZER(), titleOf(mnuSPEICHERN))
                    .sayLost();
            lock.release();
            if (failure) trap.step([&] { std::rethrow_exception(failure); });
            if (!unchanged && !failure && !lost) continue;
            // A copy that failed keeps the flag, so that leaving the program still asks.
            if (!saved) return;
            dirty_ = false;
            // The project database is now the working copy: the next Save compares it with this.
            trap.step([&] { keepProjectStamp(DatabaseStamp::of(projectDatabase())); });
            return;
        }
    };
    run();
    ScreenPointer::set(ScreenPointer::Arrow);
    return saved;
}

QString frmMAIN::projectLockFile() const {
    return ProjectLock::file(projectDatabase());
}

bool frmMAIN::mayReplaceProject(const DatabaseStamp& now) {
    // Nothing to replace, or nobody wrote it since the working copy was taken.
    if (!now.exists() || (projectStamp_ && now == *projectStamp_)) return true;
    // No is the default: Yes discards the other user's changes.
    const QString question = Language::text(
        QStringLiteral("The project database %1 was changed since the working copy was made "
                       "(for example by an export from another project or by another user's "
                       "Save).\nReplace it by the working copy all the same? Those changes are "
                       "then lost."),
        QStringLiteral("Die Projektdatenbank %1 wurde geändert, seit die Arbeitskopie angelegt "
                       "wurde (zum Beispiel durch einen Export aus einem anderen Projekt oder "
                       "das Speichern eines anderen Benutzers).\nSoll sie trotzdem durch die "
                       "Arbeitskopie ersetzt werden? Diese Änderungen gehen dann verloren."));
    // Asked with the arrow: the hourglass stands for the wait, not for the question.
    ScreenPointer::set(ScreenPointer::Arrow);
    return dialogs().MsgBox(question.arg(projectDatabase()),
                            Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2,
                            titleOf(mnuSPEICHERN)) == Msg::Yes;
}

void frmMAIN::checkWorkingCopy() const {
    try {
        Connection::CheckDatabase(XMDBPFAD(), projectTables());
    } catch (const VbError& e) {
        // Put over the project, a damaged or empty copy would wipe it.
        throw VbError(e.Number(),
                      Language::text(QStringLiteral("The working copy is not saved: %1\n"
                                                    "The project database %2 is left as it was."),
                                     QStringLiteral("Die Arbeitskopie wird nicht gespeichert: %1\n"
                                                    "Die Projektdatenbank %2 bleibt, wie sie war."))
                          .arg(e.Description(), projectDatabase()));
    }
}

void frmMAIN::mnuKOMPRIMIEREN_Click() {
    ErrorTrap trap(titleOf(mnuKOMPRIMIEREN));
    ScreenPointer::set(ScreenPointer::Hourglass);
    QString copy, temp;
    std::int64_t before = 0, after = 0;
    bool written = false, compacted = false;
    const auto run = [&] {
        if (!trap.step([&] {
                copy = XMDBPFAD();
                temp = compactionFile(copy);
            }))
            return;
        if (!trap.step([&] { before = fs::FileSize(copy); })) return;
        if (!trap.step([&] {
                if (fs::FileExists(temp)) fs::DeleteFile(temp, true);
                cnnX->Execute(QStringLiteral("VACUUM INTO ?"), {Variant(temp)});
                written = true;
            }))
            return;
        if (!trap.step([&] {
                // The working copy is replaced only by a compacted file that opens and reads as a database.
                if (!written) return;
                {
                    Connection check;
                    check.Open(temp);
                    Recordset rs;
                    rs.Open(QStringLiteral("PRAGMA quick_check"), check);
                    if (rs.eof() || rs.Value(0).asString() != QLatin1String("ok"))
                        throw VbError::database(
                            Language::text(QStringLiteral("The compacted database '%1' is damaged."),
                                           QStringLiteral("Die komprimierte Datenbank '%1' ist beschädigt."))
                                .arg(temp));
                }
                cnnX->Close();
                fs::ReplaceFile(temp, copy);
                compacted = true;
            }))
            return;
        if (!compacted) return;
        if (!trap.step([&] { after = fs::FileSize(copy); })) return;
        trap.step([&] {
            const QString report = compactReport(SPRACHE, before, after, DEZIMALPUNKT);
            if (!report.isEmpty())
                dialogs().MsgBox(report, Msg::OKOnly | Msg::Information, titleOf(mnuKOMPRIMIEREN));
        });
    };
    run();
    // Also after Cancel: the same connection object opens the working copy again, so everyone who holds it
    // goes on working; a compaction file that did not replace the copy goes.
    ErrorTrap end(titleOf(mnuKOMPRIMIEREN));
    if (end.step([&] {
            if (!cnnX->isOpen()) cnnX->Reopen();
        }))
        end.step([&] {
            if (!temp.isEmpty() && fs::FileExists(temp)) fs::DeleteFile(temp, true);
        });
    ScreenPointer::set(ScreenPointer::Default);
}
