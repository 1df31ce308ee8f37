#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A folder tree for one test, removed with the object.
class TempDir {
public:
    TempDir() { dir_.setAutoRemove(true); }
    QString path() const { return dir_.path(); }
    // A path inside the folder.
    QString file(const QString& relative) const { return dir_.path() + QLatin1Char('/') + relative; }
    // Creates a sub-folder (and its parents) and returns its path.
    QString mkdir(const QString& relative) const;

private:
    QTemporaryDir dir_;
};

} // namespace testsupport
