#include "clsKOPFFUSS.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/runtime/VbError.h"
#include "platform/surface/Surface.h"

#include <algorithm>

using drawing::LabelKind;

clsKOPFFUSS::Rahmen clsKOPFFUSS::rahmenVon(const platform::Surface& s) {
    return {s.ScaleWidth(), s.ScaleHeight()};
}

clsKOPFFUSS::~clsKOPFFUSS() {
    surface_ = nullptr;
}

platform::Surface& clsKOPFFUSS::surface() const {
    if (!surface_) throw platform::VbError::objectNotSet();
    return *surface_;
}

// Every surface addresses millimetres, so the margins and steps given in millimetres need no conversion
// to the surface's units: the page window and the printer page lay out alike.
void clsKOPFFUSS::setAUSGABEOBJEKT(const Rahmen& RAHMENOBJEKT, platform::Surface* EOBJEKT) {
    surface_ = EOBJEKT;
    rahmen_ = RAHMENOBJEKT;
    raender_ = Raender{};
    SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
}

void clsKOPFFUSS::setRANDABSTAND(float mm, const QString& LAGE) {
    if (LAGE == QLatin1String("oben"))
        raender_.oben = mm;
    else if (LAGE == QLatin1String("unten"))
        raender_.unten = mm;
    else if (LAGE == QLatin1String("links"))
        raender_.links = mm;
    else if (LAGE == QLatin1String("rechts"))
        raender_.rechts = mm;
    else
        raender_ = Raender{mm, mm, mm, mm};
}

void clsKOPFFUSS::setKENNZEICHNUNG(const QString& name) {
    names_ = QStringList{name};
}

void clsKOPFFUSS::setKENNZEICHNUNG(const QStringList& names) {
    names_ = names.isEmpty() ? QStringList{QString()} : names;
}

void clsKOPFFUSS::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, std::int16_t SCHRIFTGROESSE,
                                       std::int16_t FETT, std::int16_t UNTERSTRICHEN, std::int16_t KURSIV,
                                       long FARBE) {
    platform::ErrorTrap trap(QStringLiteral("Schrifteinstellungen"), QStringLiteral("VB-Error:"));
    platform::Surface* s = nullptr;
    if (!trap.step([&] { s = &surface(); }) || !s) return;
    drawing::applyFont(*s, fonts_, SCHRIFTART, SCHRIFTGROESSE, FETT, UNTERSTRICHEN, KURSIV, FARBE, trap);
}

bool clsKOPFFUSS::text(const QString& label, float X, float Y, std::int16_t ARX, std::int16_t ARY,
                       LabelKind kind) {
    platform::ErrorTrap trap(QStringLiteral("Sub TEXT, Klassenmodul clsGRAFIK"),
                             QStringLiteral("VB-Error: "));
    platform::Surface* s = nullptr;
    if (!trap.step([&] { s = &surface(); }) || !s) return false;
    // Greek pieces are not raised; on paper a character given by its code stands a little further right.
    drawing::LabelStyle style;
    style.rules.pointMarkers = false;
    style.rules.greekRaised = false;
    style.characterAdvance = s->isPrinter();
    return drawing::drawLabel(*s, fonts_, label, X, Y, ARX, ARY, style, kind, trap);
}

bool clsKOPFFUSS::paar(const QString& label, const QString& value, float X, float Y, std::int16_t ARY) {
    if (!text(label, X, Y, 0, ARY, LabelKind::Markup)) return false;
    return text(value, X + surface().TextWidth(drawing::markupPlainText(label)), Y, 0, ARY, LabelKind::Plain);
}

void clsKOPFFUSS::KOPFFUSSZEILE() {
    platform::ErrorTrap trap(QStringLiteral("Kopffuß-Zeile"), QStringLiteral("VB-Error: "));
    platform::Surface* sp = nullptr;
    if (!trap.step([&] { sp = &surface(); }) || !sp) return;
    platform::Surface& s = *sp;
    const bool english = SPRACHE_ == 1, german = SPRACHE_ == 3;
    const float W = rahmen_.ScaleWidth, H = rahmen_.ScaleHeight;
    const Raender& r = raender_;
    // The labels of the language; any other language leaves them, and the values they go with, empty.
    auto byLanguage = [&](const char* en, const char* de) {
        return english ? QString::fromUtf8(en) : german ? QString::fromUtf8(de) : QString();
    };

    // The record label by the number of names, and the record line.
    if (!trap.step([&] {
            const bool one = names_.size() == 1;
            if (english || german)
                label_ = english ? (one ? QStringLiteral("File") : QStringLiteral("Files"))
                                 : (one ? QStringLiteral("Datensatz") : QStringLiteral("Datensätze"));
            zeile_.clear();
        }))
        return;

    // As many names as fit beside the label; the first always stands, however wide.
    float A = 0;
    if (!trap.step([&] {
            s.setFontSize(10);
            A = W - r.links - r.rechts - s.TextWidth(label_);
        }))
        return;
    // The first name stands, cut at the right margin when it is longer than its place.
    if (!trap.step([&] {
            zeile_ = drawing::cutToWidth(s, names_.value(0), A - s.TextWidth(QStringLiteral(" ")));
            for (int i = 1; i < names_.size(); ++i) {
                if (s.TextWidth(zeile_ + names_[i] + QLatin1Char(',')) > A) {
                    zeile_ += QStringLiteral(", ...");
                    break;
                }
                zeile_ += QStringLiteral(", ") + names_[i];
            }
        }))
        return;

    // Heading, record line and comment.
    SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 16, 1, 0, 0, 0);
    float h1 = 0, h2 = 0;
    if (!trap.step([&] { text(UEBERSCHRIFT_, r.links, r.oben, 0, 0, LabelKind::Markup); })) return;
    if (!trap.step([&] { h1 = s.TextHeight(UEBERSCHRIFT_); })) return;
    SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 10, 0, 0, 0, 0);
    if (!trap.step([&] {
            if (!zeile_.isEmpty()) paar(label_ + QLatin1Char(' '), zeile_, r.links, r.oben + 9, 0);
        }))
        return;
    if (!trap.step([&] { h2 = s.TextHeight(zeile_); })) return;
    // The comment ends at the right margin.
    if (!trap.step([&] {
            if (!KOMMENTAR_.isEmpty())
                text(drawing::cutToWidth(s, KOMMENTAR_, W - r.rechts - r.links), r.links,
                     r.oben + 9 + 1.5f * h2, 0, 0, LabelKind::Plain);
        }))
        return;

    // Project and page number on the right, level with the bottom of the heading.
    const float yKopf = r.oben + h1 - h2;
    float x = 0;
    const QString projektLabel = byLanguage("Project ", "Projekt ");
    const QString projekt = english || german ? PROJEKT_ : QString();
    if (!trap.step([&] {
            x = W - r.rechts - s.TextWidth(projektLabel + projekt);
            paar(projektLabel, projekt, x, yKopf, 0);
        }))
        return;
    if (!trap.step([&] {
            const QString seiten =
                QString::number(SEITE_) + QLatin1Char('/') + QString::number(SEITENANZAHL_);
            x -= s.TextWidth(QString(15, QLatin1Char(' ')) + QStringLiteral("Seite ") + seiten);
            if (EBOKFS_)
                text(byLanguage("Page ", "Seite ") + (english || german ? seiten : QString()), x, yKopf, 0, 0,
                     LabelKind::Markup);
        }))
        return;

    // The footer: three columns of two lines, the first line's bottom on the bottom margin.
    SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 7, 0, 0, 0, 0);
    const QString programmLabel = byLanguage("Program developed by ", "Programmentwicklung: ");
    const QString programmierer = english || german ? PROGRAMMIERER_ : QString();
    const QString programmText = programmLabel + programmierer;
    float xRechts = 0, y = 0, h = 0;
    if (!trap.step(
            [&] { xRechts = W - r.rechts - std::max(s.TextWidth(programmText), s.TextWidth(COPYRIGHT_)); }))
        return;
    if (!trap.step([&] {
            y = H - r.unten;
            h = s.TextHeight(PROGRAMMIERER_);
        }))
        return;
    if (!trap.step([&] { text(programmText, xRechts, y, 0, 2, LabelKind::Markup); })) return;
    if (!trap.step([&] { text(COPYRIGHT_, xRechts, y + h, 0, 2, LabelKind::Markup); })) return;
    // The left column ends 2 mm before the date and time in the middle: a long operator's name is cut there.
    float linksBis = W - r.rechts;
    if (!trap.step([&] {
            const float xMitte =
                (r.links + s.TextWidth(LIZENZNEHMER_) + W - r.rechts - s.TextWidth(LIZENZGEBER_)) / 2;
            // Date and time as the system writes them: the locale's short formats.
            const QString datum = platform::SystemLocale::shortDate(DATUM_);
            const QString uhrzeit = platform::SystemLocale::shortTime(UHRZEIT_);
            text(datum, xMitte, y, 1, 2, LabelKind::Markup);
            text(uhrzeit, xMitte, y + h, 1, 2, LabelKind::Markup);
            linksBis = xMitte - std::max(s.TextWidth(datum), s.TextWidth(uhrzeit)) / 2 - 2;
        }))
        return;
    if (!trap.step([&] {
            const QString label = byLanguage("Project Manager: ", "Bearbeiter: ");
            const float breite = linksBis - r.links - s.TextWidth(drawing::markupPlainText(label));
            paar(label, drawing::cutToWidth(s, english || german ? BEARBEITER_ : QString(), breite), r.links,
                 y, 2);
        }))
        return;
    trap.step([&] { text(LIZENZNEHMER_, r.links, y + h, 0, 2, LabelKind::Plain); });
}
