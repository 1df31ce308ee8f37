#include "VersionInfo.h"

#include <QCoreApplication>
#include <QVariant>

namespace platform {

namespace {
const char* const kProductName = "tambrinProductName";
const char* const kLegalCopyright = "tambrinLegalCopyright";
const char* const kLegalTrademarks = "tambrinLegalTrademarks";
} // namespace

VersionInfo VersionInfo::program() {
    return {QStringLiteral("TAMBRIN Verdichtungsversuch"),
            QStringLiteral("© 2003 Institut für Bodenprüfsoftware"),
            QStringLiteral("Dipl.-Ing. B. Beispiel, Dr.-Ing. C. Probst, Prof. Dr.-Ing. A. Muster, "
                           "Dipl.-Inf. D. Feld")};
}

VersionInfo VersionInfo::current() {
    VersionInfo info = program();
    if (const QCoreApplication* app = QCoreApplication::instance()) {
        const auto take = [app](const char* name, QString& text) {
            const QVariant v = app->property(name);
            if (v.isValid()) text = v.toString();
        };
        take(kProductName, info.ProductName);
        take(kLegalCopyright, info.LegalCopyright);
        take(kLegalTrademarks, info.LegalTrademarks);
    }
    return info;
}

void VersionInfo::set(const VersionInfo& info) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    app->setProperty(kProductName, info.ProductName);
    app->setProperty(kLegalCopyright, info.LegalCopyright);
    app->setProperty(kLegalTrademarks, info.LegalTrademarks);
}

} // namespace platform
