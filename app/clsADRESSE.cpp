#include "clsADRESSE.h"

#include "platform/run/RunState.h"

namespace {
QString byLanguage(const QString& english, const QString& german) {
    switch (platform::RunState::current().SPRACHE) {
    case 1: return english;
    case 3: return german;
    default: return QString();
    }
}
} // namespace

QString clsADRESSE::FIRMA1() const {
    return byLanguage(QStringLiteral("Institute of Soil Testing Software"),
                      QStringLiteral("Institut für Bodenprüfsoftware"));
}

QString clsADRESSE::FIRMA2() const {
    return byLanguage(QStringLiteral("Nordheim University of Applied Sciences"),
                      QStringLiteral("Hochschule Nordheim"));
}

QString clsADRESSE::PLZ() const {
    return byLanguage(QStringLiteral("D-12345 Nordheim"), QStringLiteral("D-12345 Nordheim"));
}

QString clsADRESSE::STR() const { return QStringLiteral("Am Prüffeld 7"); }
QString clsADRESSE::VORSITZ() const { return QStringLiteral("Prof. Dr.-Ing. A. Muster"); }
QString clsADRESSE::TEL() const { return QStringLiteral("+49 1234 5678-0"); }
QString clsADRESSE::FAX() const { return QStringLiteral("+49 1234 5678-99"); }
QString clsADRESSE::EMAIL() const { return QStringLiteral("info@example.org"); }
QString clsADRESSE::URL() const { return QStringLiteral("www.example.org"); }
