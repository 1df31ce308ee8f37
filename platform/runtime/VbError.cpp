#include "VbError.h"

#include "Language.h"

namespace platform {

VbError::VbError(long number, const QString& description)
    : std::runtime_error(description.toStdString()), number_(number), description_(description) {}

VbError VbError::invalidCall(const QString& what) {
    QString text = Language::text("Invalid procedure call or argument",
                                  "Unzulässiger Prozeduraufruf oder ungültiges Argument");
    if (!what.isEmpty()) text += ": " + what;
    return VbError(InvalidCall, text);
}
VbError VbError::overflow() {
    return VbError(Overflow, Language::text("Overflow", "Überlauf"));
}
VbError VbError::divisionByZero() {
    return VbError(DivisionByZero, Language::text("Division by zero", "Division durch Null"));
}
VbError VbError::subscriptOutOfRange() {
    return VbError(SubscriptOutOfRange,
                   Language::text("Subscript out of range", "Index außerhalb des gültigen Bereichs"));
}
VbError VbError::typeMismatch() {
    return VbError(TypeMismatch, Language::text("Type mismatch", "Typen unverträglich"));
}
VbError VbError::objectNotSet() {
    return VbError(ObjectNotSet,
                   Language::text("Object variable not set", "Objektvariable nicht festgelegt"));
}
VbError VbError::invalidUseOfNull() {
    return VbError(InvalidUseOfNull,
                   Language::text("Invalid use of Null", "Unzulässige Verwendung von Null"));
}
VbError VbError::database(const QString& description) { return VbError(DatabaseError, description); }
VbError VbError::noCurrentRecord() {
    return VbError(NoCurrentRecord,
                   Language::text("Either BOF or EOF is True, or the current record has been deleted.",
                                  "BOF oder EOF ist True, oder der aktuelle Datensatz wurde gelöscht."));
}
VbError VbError::fileNotFound(const QString& path) {
    return VbError(FileNotFound, Language::text("File not found: ", "Datei nicht gefunden: ") + path);
}
VbError VbError::pathNotFound(const QString& path) {
    return VbError(PathNotFound, Language::text("Path not found: ", "Pfad nicht gefunden: ") + path);
}
VbError VbError::permissionDenied(const QString& path) {
    return VbError(PermissionDenied, Language::text("Permission denied: ", "Zugriff verweigert: ") + path);
}

} // namespace platform
