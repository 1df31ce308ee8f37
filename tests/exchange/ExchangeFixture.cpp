#include "ExchangeFixture.h"

#include "ExampleRecords.h"
#include "platform/db/Recordset.h"
#include "Schema.h"

#include <QDir>
#include <QSettings>

using platform::Connection;
using platform::Recordset;
using platform::Variant;

namespace exchangetest {

namespace {

const QStringList& tables() {
    static const QStringList t{QStringLiteral("E1"), QStringLiteral("E2"), QStringLiteral("E3"),
                               QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("G0")};
    return t;
}

QString rowText(const Recordset& rs, bool withId) {
    QStringList fields;
    for (int i = 0; i < rs.FieldCount(); ++i) {
        const QString name = rs.FieldName(i).toUpper();
        if (name == QLatin1String("ID") && !withId) continue;
        fields << name + QLatin1Char('=') + rs.Value(i).debugText();
    }
    fields.sort();
    return fields.join(QLatin1Char(' '));
}

} // namespace

void storeRecord(Connection& c, int id, const QString& name, const QString& comment, const Kind& kind) {
    Connection::Transaction t(c);
    examples::Record r = examples::dryingSet();
    r.KEN = name;
    r.KOM = comment;
    r.KENP = kind.plate;
    examples::store(c, r, id, false);
    if (!kind.evaluated) {
        t.commit();
        return;
    }
    c.Execute(QStringLiteral("UPDATE A1 SET BONEU=0, RHPR=1.953, WPR=0.1234, RHPRSP=1.961, WPRSP=0.1251, "
                             "WUDPR=0.1011, WODPR=0.1523, WUDPRSP=0.1022, WODPRSP=0.1533, POSP=?, SRLI=2, "
                             "DESR=0.2 WHERE ID=?"),
              {Variant(std::int16_t(kind.POSP)), Variant(std::int32_t(id))});
    for (int i = 0; i < 6; ++i)
        c.Execute(QStringLiteral("INSERT INTO A2 (ID, I1, WU, RHDU, W, RHD) VALUES (?, ?, ?, ?, ?, ?)"),
                  {Variant(std::int32_t(id)), Variant(std::int16_t(i)), Variant(0.08f + 0.02f * float(i)),
                   Variant(1.80f + 0.01f * float(i)), Variant(0.08f + 0.02f * float(i)), Variant(1.81f)});
    c.Execute(QStringLiteral("INSERT INTO G0 (ID, IDOBJEKT, XMIN, XMAX, YMIN, YMAX, MX, MY) "
                             "VALUES (?, 11, 6, 20, 1.7, 2.0, 2, 0.05)"),
              {Variant(std::int32_t(id))});
    t.commit();
}

void storeMultiple(Connection& c) {
    c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (0, 'M', 'Mehrfachauswertung', 0)"));
    c.Execute(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (0, 0)"));
    c.Execute(QStringLiteral("INSERT INTO G0 (ID, IDOBJEKT) VALUES (0, 110)"));
}

QStringList recordRows(Connection& c, int id) {
    QStringList out;
    for (const QString& t : tables()) {
        Recordset rs;
        rs.OpenForReading(QStringLiteral("SELECT * FROM [") + t +
                              QStringLiteral("] WHERE [ID]=? ORDER BY _rowid_"),
                          c, {Variant(std::int32_t(id))});
        for (; !rs.eof(); rs.MoveNext())
            out << t + QStringLiteral(": ") + rowText(rs, false);
    }
    return out;
}

QStringList allRows(Connection& c) {
    QStringList out;
    for (const QString& t : tables()) {
        Recordset rs;
        rs.OpenForReading(QStringLiteral("SELECT * FROM [") + t + QStringLiteral("] ORDER BY [ID], _rowid_"),
                          c);
        for (; !rs.eof(); rs.MoveNext())
            out << t + QStringLiteral(": ") + rowText(rs, true);
    }
    return out;
}

QStringList records(Connection& c) {
    Recordset rs;
    rs.OpenForReading(QStringLiteral("SELECT [ID],[KEN] FROM [E1] ORDER BY [ID]"), c);
    QStringList out;
    for (; !rs.eof(); rs.MoveNext())
        out << QString::number(rs.Value(0).asLong()) + QLatin1Char(' ') + rs.Value(1).asString();
    return out;
}

ExchangeFixture::ExchangeFixture(const QString& language)
    : run(testsupport::TestRun::Options{
          language, language == QLatin1String("en") ? QStringLiteral(".") : QStringLiteral(","), true}) {}

void ExchangeFixture::SetUp() {
    // The settings store of this test, with the database folder.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, run.dir().mkdir(QStringLiteral("config")));
    run.dir().mkdir(QStringLiteral("datenbank"));
    run.state().setDATENBANKPFAD(databaseFolder());
    schema::create(schema::Database::Information, databaseFolder() + QStringLiteral("/DALMIR.mdb"));

    QDir().mkpath(ownFolder());
    QDir().mkpath(otherFolder());
    storeMultiple(work());
    storeRecord(work(), 1, QStringLiteral("Probe A"), QStringLiteral("Sand"));
    storeRecord(work(), 2, QStringLiteral("Probe B"), {}, Kind{true, true, 1});
    storeRecord(work(), 3, QStringLiteral("Probe C"), {}, Kind{false});
    // The project's own database is what the working copy was made from.
    Connection::CopyDatabase(run.databasePath(), ownFolder() + QStringLiteral("/TAMBRIN.mdb"));

    schema::create(schema::Database::Project, otherFolder() + QStringLiteral("/TAMBRIN.mdb"));
    storeRecord(other(), 4, QStringLiteral("Fremd 1"), QStringLiteral("Kies"));
    storeRecord(other(), 9, QStringLiteral("Probe B"));
}

void ExchangeFixture::TearDown() {
    other_.reset();
    dalmir_.reset();
}

Connection& ExchangeFixture::other() {
    if (!other_) {
        other_ = std::make_unique<Connection>();
        other_->Open(otherFolder() + QStringLiteral("/TAMBRIN.mdb"));
    }
    return *other_;
}

Connection& ExchangeFixture::dalmir() {
    if (!dalmir_) {
        dalmir_ = std::make_unique<Connection>();
        dalmir_->Open(databaseFolder() + QStringLiteral("/DALMIR.mdb"));
    }
    return *dalmir_;
}

} // namespace exchangetest
