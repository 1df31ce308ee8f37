#pragma once

#include <QString>
#include <stdexcept>

namespace platform {

// A run-time error as the program reports it: a number and a description.
// Every failure of the layer is raised as one of these, so that one error box can report it.
class VbError : public std::runtime_error {
public:
    VbError(long number, const QString& description);

    long Number() const { return number_; }
    const QString& Description() const { return description_; }

    // The run-time errors the conversions and arithmetic of the program raise.
    static VbError invalidCall(const QString& what = {});
    static VbError overflow();
    static VbError divisionByZero();
    static VbError subscriptOutOfRange();
    static VbError typeMismatch();
    static VbError objectNotSet();
    static VbError invalidUseOfNull();
    // A database error: the engine's message as description.
    static VbError database(const QString& description);
    // Either BOF or EOF is true, or the current record has been deleted.
    static VbError noCurrentRecord();
    // The file or folder of a file operation is missing.
    static VbError fileNotFound(const QString& path);
    static VbError pathNotFound(const QString& path);
    static VbError permissionDenied(const QString& path);

    enum : long {
        InvalidCall = 5,
        Overflow = 6,
        SubscriptOutOfRange = 9,
        DivisionByZero = 11,
        TypeMismatch = 13,
        FileNotFound = 53,
        DeviceIO = 57,
        DiskFull = 61,
        PermissionDenied = 70,
        PathNotFound = 76,
        ObjectNotSet = 91,
        InvalidUseOfNull = 94,
        NoCurrentRecord = 3021,
        DatabaseError = -2147467259,
    };

private:
    long number_;
    QString description_;
};

} // namespace platform
