#include "ImportLauf.h"

#include "platform/db/Connection.h"

#include <QFile>

testsupport::TestRun::Options importOptionen(const QString& sprache, const QString& dezimal) {
    testsupport::TestRun::Options o;
    o.language = sprache;
    o.decimalSign = dezimal;
    return o;
}

ImportLauf::ImportLauf(const QString& sprache, const QString& dezimal)
    : run(importOptionen(sprache, dezimal)) {
    run.state().cnnX_V = run.state().cnnX;
    using platform::Variant;
    form.flx.setELSB({10, 17, 17, 17, 17, 17});
    form.flx.setELST1({"Lfd.", "m1", "m2", "Datum", "Zeit", "Nr"});
    form.flx.setELSTYP({1, 0, 0, 4, 5, 0});
    form.flx.setELSELEK({"I", "M1", "M2", "DAT", "ZEIT", "NR"});
    form.flx.AKTUALISIEREN();
}

void ImportLauf::vorgabe(const examples::Preset& p) {
    examples::storePreset(*run.state().cnnX, p, naechsteIDK++);
}

QStringList ImportLauf::zeilen() const {
    QStringList z;
    for (int r = form.grid->FixedRows(); r < form.grid->Rows(); ++r) {
        QStringList zellen;
        for (int c = 0; c < form.grid->Cols(); ++c)
            zellen << form.grid->TextMatrix(r, c);
        z << zellen.join(QLatin1Char('\t'));
    }
    return z;
}

QString ImportLauf::fixture(const QString& name) {
    return QStringLiteral(TAMBRIN_SOURCE_DIR "/tests/input/import/") + name;
}

QString ImportLauf::datei(const QString& name, const QByteArray& bytes) {
    const QString pfad = run.dir().file(name);
    QFile f(pfad);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return pfad;
}
