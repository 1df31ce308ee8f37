// The files of the project and of its working copy that start-up, Save and Compact share: the note of
// what the working copy was taken from, the tables a sound project database has, and the file a compaction
// writes.
#include "frmMAIN.h"

#include "Schema.h"

#include "platform/db/DatabaseStamp.h"
#include "platform/runtime/VbError.h"
#include "platform/system/FileSystem.h"

#include <QFile>
#include <QRegularExpression>

using namespace platform;
namespace fs = platform::FileSystem;

namespace {

// The owner file: the project database's path, and on a second line what that file was when the copy was
// taken from it.
QStringList readOwner(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = line.trimmed();
    return lines;
}

void writeOwner(const QString& file, const QString& projectDatabase, const platform::DatabaseStamp& stamp) {
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw fs::WriteError(file, errno);
    if (f.write(projectDatabase.toUtf8() + "\n" + stamp.text().toUtf8() + "\n") < 0 || !f.flush())
        throw fs::WriteError(file, errno);
}

} // namespace

QStringList frmMAIN::workingCopyOwner() const {
    return readOwner(workingCopyOwnerFile());
}

QStringList frmMAIN::projectTables() {
    static const QRegularExpression createTable(QStringLiteral("CREATE\\s+TABLE\\s+(\\w+)"),
                                                QRegularExpression::CaseInsensitiveOption);
    QStringList tables;
    for (const auto& match : createTable.globalMatch(schema::sql(schema::Database::Project)))
        tables << match.captured(1);
    return tables;
}

void frmMAIN::keepProjectStamp(const DatabaseStamp& stamp) {
    projectStamp_ = stamp;
    writeOwner(workingCopyOwnerFile(), projectDatabase(), stamp);
}

QString frmMAIN::compactionFile(const QString& workingCopy) {
    // Only the file name: a folder whose name holds ".mdb" must not move the file elsewhere.
    const QString name = fs::GetFileName(workingCopy);
    const int dot = name.indexOf(QLatin1String(".mdb"), 0, Qt::CaseInsensitive);
    return fs::BuildPath(fs::GetParentFolderName(workingCopy),
                         (dot < 0 ? name : name.left(dot)) + QStringLiteral("TEMP.mdb"));
}
