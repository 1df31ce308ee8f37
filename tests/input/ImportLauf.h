#pragma once

#include "ElectronicsPresets.h"
#include "Gitterform.h"
#include "TestRun.h"

#include <QString>
#include <QStringList>

// A run for the import: a test run whose working copy stands in for the presets database, and a grid of a
// running number, two value columns, a date, a time and one more value column, with the import keys
// I, M1, M2, DAT, ZEIT and NR and no formats, so that the cells show the texts as the import left them.
struct ImportLauf {
    explicit ImportLauf(const QString& sprache = QStringLiteral("de"),
                        const QString& dezimal = QStringLiteral(","));

    // Writes a configuration into the presets database.
    void vorgabe(const examples::Preset& p);
    // The data rows, one tab-separated line each.
    QStringList zeilen() const;
    // A fixture file of tests/input/import.
    static QString fixture(const QString& name);
    // Writes bytes into a file of the run's folder and returns its path.
    QString datei(const QString& name, const QByteArray& bytes);

    testsupport::TestRun run;
    Gitterform form{6, 2};
    int naechsteIDK = 1;
};

testsupport::TestRun::Options importOptionen(const QString& sprache, const QString& dezimal);
