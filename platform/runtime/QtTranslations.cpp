#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

QtTranslations::QtTranslations(const QString& languageName) {
    if (languageName == QLatin1String("en")) return; // Qt's own texts are English
    translator_ = std::make_unique<QTranslator>();
    // qtbase holds the texts of the widgets, the dialogs and the print support.
    loaded_ = translator_->load(QStringLiteral("qtbase_") + languageName, folder()) &&
              QCoreApplication::installTranslator(translator_.get());
    if (!loaded_) translator_.reset();
}

QtTranslations::~QtTranslations() {
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
}

QString QtTranslations::folder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

} // namespace platform
