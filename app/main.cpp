#include "frmMAIN.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TAMBRIN"));
    QApplication::setOrganizationName(QStringLiteral("HELVANO"));
    frmMAIN window;
    if (window.MDIForm_Load() != frmMAIN::LoadResult::Running) {
        window.endAbandonedStart();
        return 0;
    }
    window.watchSessionEnd();
    return QApplication::exec();
}
