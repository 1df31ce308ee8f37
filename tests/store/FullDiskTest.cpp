// A write that the disk refuses names the disk, not the value being written.
#include "clsDATEN.h"
#include "SmallDisk.h"
#include "TestRun.h"

#include "platform/db/Connection.h"
#include "platform/runtime/DialogService.h"
#include "Schema.h"

#include <gtest/gtest.h>
#include <QFile>

namespace {

// Writes a filler file until the disk takes no more.
void fillUp(const QString& folder) {
    QFile filler(folder + QStringLiteral("/filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
}

} // namespace

TEST(FullDisk, AWriteOntoAFullDiskNamesTheDisk) {
    struct Case {
        const char* language;
        const char* decimalSign;
        QString message;
    };
    const Case cases[] = {
        {"de", ",",
         QStringLiteral(
             "Datenträger voll: Die Datei '%1' konnte nicht geschrieben werden.\nDie Spalte KEN der "
             "Tabelle E1 wurde nicht gespeichert.")},
        {"en", ".",
         QStringLiteral(
             "Disk full: the file '%1' could not be written.\nColumn KEN of table E1 was not saved.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        testsupport::TestRun run(
            {QString::fromLatin1(c.language), QString::fromLatin1(c.decimalSign), false});
        const QString folder = run.dir().file(QStringLiteral("disk"));
        testsupport::SmallDisk disk(folder, 256 * 1024);
        if (!disk.mounted()) GTEST_SKIP() << disk.why().toStdString();
        const QString path = folder + QStringLiteral("/TAMBRIN.mdb");
        schema::create(schema::Database::Project, path);
        run.state().cnnX = std::make_shared<platform::Connection>();
        run.state().cnnX->Open(path);
        {
            clsDATEN e1;
            e1.ESPIDW = 1;
            ASSERT_TRUE(e1.DVTT(QStringLiteral("KEN"), QStringLiteral("Probe")));
        }
        fillUp(folder);
        clsDATEN e1;
        e1.ESPIDW = 1;
        EXPECT_FALSE(
            e1.DVTT(QStringLiteral("KEN"), QStringLiteral("FULL")));
        EXPECT_EQ(run.dialogs().messages(), QStringList{c.message.arg(path)});
        run.state().cnnX->Close();
    }
}
