#include "TempDir.h"
#include "platform/system/SystemDesktop.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// A search path that holds only the opener a case gives, so that no real program is started.
class OpenerOnPath {
public:
    explicit OpenerOnPath(const char* script) : previous_(qgetenv("PATH")) {
        if (script) {
            QFile opener(dir_.file(QStringLiteral("xdg-open")));
            EXPECT_TRUE(opener.open(QIODevice::WriteOnly));
            opener.write(QByteArrayLiteral("#!/bin/sh\n") + script + '\n');
            opener.close();
            opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", dir_.path().toLocal8Bit());
    }
    ~OpenerOnPath() { qputenv("PATH", previous_); }
    QString file(const QString& name) const { return dir_.file(name); }

private:
    testsupport::TempDir dir_;
    QByteArray previous_;
};

// Whether a document counts as opened: the opener's answer within the wait, or an opener that still
// runs (it shows the document itself), and no opener at all.
TEST(SystemDesktop, ADocumentOpensOnlyWhenTheOpenerDoesNotFail) {
    const struct {
        const char* name;
        const char* script;
        bool opened;
    } cases[] = {
        {"the opener hands the file on", "echo \"$1\" >\"${0%/*}/opened\"; exit 0", true},
        {"no program is set for the file", "exit 3", false},
        {"the opener shows the document itself", "echo \"$1\" >\"${0%/*}/opened\"; exec /bin/sleep 5", true},
        {"no opener is installed", nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const OpenerOnPath path(c.script);
        const QString document = path.file(QStringLiteral("Probe B.odt"));
        SystemDesktop desktop(500);
        EXPECT_EQ(desktop.openFile(document), c.opened);
        if (c.script && c.opened) {
            QFile opened(path.file(QStringLiteral("opened")));
            ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
            EXPECT_EQ(QString::fromLocal8Bit(opened.readAll().trimmed()), document);
        }
    }
}

} // namespace
