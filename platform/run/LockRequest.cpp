#include "LockRequest.h"

#include "../runtime/DialogService.h"
#include "../runtime/EventLoop.h"
#include "../runtime/Language.h"
#include "RunState.h"

namespace platform {

LockRequest::LockRequest(FileLock& lock, Purpose purpose, const QString& subject, const QString& title)
    : lock_(lock), purpose_(purpose), subject_(subject), title_(title) {}

bool LockRequest::take(std::chrono::milliseconds wait) {
    try {
        FileLock::State state;
        {
            Hourglass hourglass;
            state = lock_.take(wait, [] { DoEventsWithoutInput(); });
        }
        if (state == FileLock::State::Taken) return true;
        // One question at most: about exactly the lock judged stale, taken over only while it still is.
        if (state == FileLock::State::MayBeStale && lock_.judged()) {
            if (!askTakeOver(*lock_.judged())) return false;
            Hourglass hourglass;
            state = lock_.takeOver(*lock_.judged());
            // Renewed after all, or taken meanwhile by another run (one whose user answered Yes as well):
            // waited for as any live holder.
            if (state == FileLock::State::Held) state = lock_.take(wait, [] { DoEventsWithoutInput(); });
            if (state == FileLock::State::Taken) return true;
        }
        sayHeld(lock_.judged() ? *lock_.judged() : LockHolder());
        return false;
    } catch (const FileLockError& error) {
        if (error.cause() == FileLockError::Cause::Other) throw;
        sayCause(error);
        return false;
    }
}

void LockRequest::sayLost() const {
    std::optional<LockHolder> now = lock_.takenOverBy();
    if (!now) now = lock_.holder();
    const QString whose =
        purpose_ == Purpose::Start
            ? Language::text(QStringLiteral("The lock of this run of %1 for the user %2"),
                             QStringLiteral("Die Sperre dieses Laufs von %1 für den Benutzer %2"))
                  .arg(RunState::TITLE(), subject_)
            : Language::text(QStringLiteral("The lock of the project database %1"),
                             QStringLiteral("Die Sperre der Projektdatenbank %1"))
                  .arg(subject_);
    const QString lost = now ? Language::text(QStringLiteral("%1 was taken over meanwhile by %2."),
                                              QStringLiteral("%1 wurde inzwischen übernommen von %2."))
                                   .arg(whose, now->describe())
                             : Language::text(QStringLiteral("%1 was removed meanwhile."),
                                              QStringLiteral("%1 wurde inzwischen entfernt."))
                                   .arg(whose);
    const QString why = Language::text(
        QStringLiteral("Perhaps this computer did not answer for a while (it was frozen, asleep or cut off "
                       "from the network), and another user was asked whether it still runs."),
        QStringLiteral("Vielleicht hat dieser Computer eine Weile nicht geantwortet (er war eingefroren, im "
                       "Ruhezustand oder vom Netz getrennt), und ein anderer Benutzer wurde gefragt, ob das "
                       "Programm hier noch läuft."));
    QString consequence;
    switch (purpose_) {
    case Purpose::Start:
        consequence = Language::text(
            QStringLiteral("This run replaces and deletes no file any more; end it and start the program "
                           "again."),
            QStringLiteral("Dieser Lauf ersetzt und löscht keine Datei mehr; beenden Sie ihn und starten Sie "
                           "das Programm neu."));
        break;
    case Purpose::Save:
        consequence = Language::text(QStringLiteral("It was not replaced; your changes stay in the working "
                                                    "copy."),
                                     QStringLiteral("Sie wurde nicht ersetzt; Ihre Änderungen bleiben in der "
                                                    "Arbeitskopie."));
        break;
    case Purpose::Export:
        consequence = Language::text(QStringLiteral("No further records were exported."),
                                     QStringLiteral("Es wurden keine weiteren Datensätze exportiert."));
        break;
    }
    say(lost + QLatin1Char('\n') + why + QLatin1Char('\n') + consequence, Msg::OKOnly | Msg::Exclamation);
}

void LockRequest::say(const QString& text, int style) const {
    ScreenPointer::set(ScreenPointer::Default);
    RunState::current().dialogs().MsgBox(text, style, title_);
}

void LockRequest::sayHeld(const LockHolder& holder) const {
    const QString who = holder.describe();
    QString text;
    switch (purpose_) {
    case Purpose::Start:
        text = Language::text(QStringLiteral("The program %1 is already running for the user %2: %3.\n"
                                             "This second start ends without changing anything."),
                              QStringLiteral("Das Programm %1 läuft bereits für den Benutzer %2: %3.\n"
                                             "Dieser zweite Start wird ohne Änderungen beendet."))
                   .arg(RunState::TITLE(), subject_, who);
        break;
    case Purpose::Save:
    case Purpose::Export:
        text = Language::text(QStringLiteral("The project database %1 is locked by %2: it is being saved, "
                                             "or records are being exported into it, right now."),
                              QStringLiteral("Die Projektdatenbank %1 ist gesperrt von %2: Sie wird gerade "
                                             "gespeichert, oder es werden Datensätze in sie exportiert."))
                   .arg(subject_, who) +
               QLatin1Char('\n') +
               (purpose_ == Purpose::Save
                    ? Language::text(QStringLiteral("It was not replaced; your changes stay in the working "
                                                    "copy. Please save again in a moment."),
                                     QStringLiteral("Sie wurde nicht ersetzt; Ihre Änderungen bleiben in der "
                                                    "Arbeitskopie. Bitte speichern Sie gleich noch einmal."))
                    : Language::text(QStringLiteral("No (further) records were exported. Please try again in "
                                                    "a moment."),
                                     QStringLiteral("Es wurden keine (weiteren) Datensätze exportiert. Bitte "
                                                    "versuchen Sie es gleich noch einmal.")));
        break;
    }
    say(text, Msg::OKOnly | Msg::Exclamation);
}

bool LockRequest::askTakeOver(const LockHolder& holder) const {
    const QString who = holder.describe();
    const QString computer = holder.computerName();
    QString locked, action;
    switch (purpose_) {
    case Purpose::Start:
        locked = Language::text(QStringLiteral("The program %1 may still be running for the user %2: "
                                               "locked by %3."),
                                QStringLiteral("Das Programm %1 läuft vielleicht noch für den Benutzer %2: "
                                               "gesperrt von %3."))
                     .arg(RunState::TITLE(), subject_, who);
        action =
            Language::text(QStringLiteral("Take the lock over and start the program?"),
                           QStringLiteral("Soll die Sperre aufgehoben und das Programm gestartet werden?"));
        break;
    case Purpose::Save:
    case Purpose::Export:
        locked = Language::text(QStringLiteral("The project database %1 is locked by %2."),
                                QStringLiteral("Die Projektdatenbank %1 ist gesperrt von %2."))
                     .arg(subject_, who);
        action =
            purpose_ == Purpose::Save
                ? Language::text(QStringLiteral("Take the lock over and save the project database?"),
                                 QStringLiteral("Soll die Sperre aufgehoben und die Projektdatenbank "
                                                "gespeichert werden?"))
                : Language::text(QStringLiteral("Take the lock over and export the records?"),
                                 QStringLiteral("Soll die Sperre aufgehoben und die Datensätze exportiert "
                                                "werden?"));
        break;
    }
    const QString stale =
        Language::text(QStringLiteral("The lock has not been renewed since %1: perhaps the program was not "
                                      "ended properly there (a power cut, a crash, a frozen computer)."),
                       QStringLiteral("Die Sperre wurde seit %1 nicht mehr erneuert: Vielleicht wurde das "
                                      "Programm dort nicht ordentlich beendet (Stromausfall, Absturz, "
                                      "eingefrorener Computer)."))
            .arg(LockHolder::timeText(holder.touched));
    const QString onlyIf =
        computer.isEmpty()
            ? Language::text(
                  QStringLiteral("Answer Yes only when %1 runs nowhere for this lock any more."),
                  QStringLiteral("Antworten Sie nur dann mit Ja, wenn %1 für diese Sperre nirgends "
                                 "mehr läuft."))
                  .arg(RunState::TITLE())
            : Language::text(
                  QStringLiteral("Answer Yes only when %1 no longer runs on computer %2."),
                  QStringLiteral("Antworten Sie nur dann mit Ja, wenn %1 am Computer %2 nicht mehr "
                                 "läuft."))
                  .arg(RunState::TITLE(), computer);
    ScreenPointer::set(ScreenPointer::Default);
    return RunState::current().dialogs().MsgBox(locked + QLatin1Char('\n') + stale + QStringLiteral("\n\n") +
                                                    onlyIf + QLatin1Char(' ') + action,
                                                Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2,
                                                title_) == Msg::Yes;
}

void LockRequest::sayCause(const FileLockError& error) const {
    QString text;
    switch (purpose_) {
    case Purpose::Start:
        text = Language::text(QStringLiteral("The program %1 can't be started for the user %2: %3\n"
                                             "The program ends."),
                              QStringLiteral("Das Programm %1 kann für den Benutzer %2 nicht gestartet "
                                             "werden: %3\nDas Programm wird beendet."))
                   .arg(RunState::TITLE(), subject_, error.Description());
        break;
    case Purpose::Save:
        text = Language::text(QStringLiteral("The project database %1 can't be saved: %2\nIt was not "
                                             "replaced; your changes stay in the working copy."),
                              QStringLiteral("Die Projektdatenbank %1 kann nicht gespeichert werden: %2\nSie "
                                             "wurde nicht ersetzt; Ihre Änderungen bleiben in der "
                                             "Arbeitskopie."))
                   .arg(subject_, error.Description());
        break;
    case Purpose::Export:
        text = Language::text(QStringLiteral("No records can be exported into the project database %1: %2"),
                              QStringLiteral("In die Projektdatenbank %1 können keine Datensätze exportiert "
                                             "werden: %2"))
                   .arg(subject_, error.Description());
        break;
    }
    say(text, Msg::OKOnly | Msg::Exclamation);
}

} // namespace platform
