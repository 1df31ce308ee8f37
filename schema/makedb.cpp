// Makes an empty database of one kind from the schema: makedb project|archive|presets|information FILE
#include "Schema.h"

#include "platform/runtime/VbError.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: makedb project|archive|presets|information FILE\n");
        return 2;
    }
    const QString kind = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    schema::Database db;
    if (kind == QLatin1String("project")) db = schema::Database::Project;
    else if (kind == QLatin1String("archive")) db = schema::Database::Archive;
    else if (kind == QLatin1String("presets")) db = schema::Database::Presets;
    else if (kind == QLatin1String("information")) db = schema::Database::Information;
    else {
        std::fprintf(stderr, "unknown database kind: %s\n", argv[1]);
        return 2;
    }
    QFile::remove(path);
    try {
        schema::create(db, path);
    } catch (const platform::VbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Description()));
        return 1;
    }
    return 0;
}
