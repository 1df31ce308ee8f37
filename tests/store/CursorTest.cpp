// The cursor itself: its defaults, the statements of its selections and the choice of the database.
#include "clsDATEN.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/DialogService.h"
#include "Schema.h"
#include "StoreFixture.h"

#include <QFile>
#include <QSettings>

using namespace storetest;
namespace Msg = platform::Msg;
using platform::Variant;

namespace {

class CursorTest : public StoreFixture {};

TEST_F(CursorTest, ANewCursorPointsAtTheFirstActiveRecord) {
    clsDATEN daten;
    EXPECT_EQ(daten.ESPIDW, 3);
    EXPECT_EQ(daten.ETABELLE, QStringLiteral("E1"));
    EXPECT_EQ(daten.ESPID, QStringLiteral("ID"));
    EXPECT_TRUE(daten.ESPK1.isEmpty() && daten.ESPK1W.isEmpty() && daten.ESPK2.isEmpty() &&
                daten.ESPK3.isEmpty());
    EXPECT_EQ(daten.lastStatement(), QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true"));

    exec(QStringLiteral("UPDATE E1 SET AKT=0"));
    clsDATEN none;
    EXPECT_EQ(none.ESPIDW, 0);
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST_F(CursorTest, ACreationThatCannotReadTheRecordsSaysSoAndKeepsIdZero) {
    // A database without the table E1 stands in for the working copy.
    const QString archive = run.dir().file(QStringLiteral("ARCHIV.mdb"));
    schema::create(schema::Database::Archive, archive);
    auto other = std::make_shared<platform::Connection>();
    other->Open(archive);
    run.state().cnnX = other;
    run.dialogs().answer(Msg::OK).answer(Msg::OK);
    clsDATEN daten;
    EXPECT_EQ(daten.ESPIDW, 0);
    ASSERT_GE(run.dialogs().asked().size(), 1u);
    const auto& box = run.dialogs().asked()[0];
    EXPECT_TRUE(box.prompt.startsWith(QStringLiteral("VB-Error: -2147467259\n"))) << box.prompt.toStdString();
    EXPECT_EQ(box.title, QStringLiteral("Datenfehler"));
    EXPECT_EQ(box.style, Msg::OKCancel | Msg::Exclamation);
}

struct SelectCase {
    const char* name;
    QString table;
    QString idColumn;
    std::int32_t id;
    QStringList keys; // name, value, name, value, name, value
    QString column;
    std::array<QString, 4> columns;
    std::array<OptionalVariant, 4> values;
    QString expected;
};

TEST_F(CursorTest, SelectionStatements) {
    const QStringList noKeys{{}, {}, {}, {}, {}, {}};
    const std::vector<SelectCase> cases{
        {"defaults", "E1", "ID", 3, noKeys, "KEN", {}, {}, "SELECT [KEN],[ID] FROM [E1] WHERE [ID] = 3"},
        {"a column that only orders",
         "E3",
         "ID",
         7,
         noKeys,
         "M1",
         {"I1"},
         {},
         "SELECT [M1],[ID],[I1] FROM [E3] WHERE [ID] = 7 ORDER BY [I1] NULLS LAST"},
        {"a column with its value filters",
         "E3",
         "ID",
         7,
         noKeys,
         "M1",
         {"I1"},
         {Variant(std::int16_t(3))},
         "SELECT [M1],[ID],[I1] FROM [E3] WHERE [ID] = 7 AND [I1]=3 ORDER BY [I1] NULLS LAST"},
        {"two columns, the first with its value",
         "G0",
         "ID",
         0,
         noKeys,
         "XMIN",
         {"IDOBJEKT", "OX"},
         {Variant(std::int32_t(110))},
         "SELECT [XMIN],[ID],[IDOBJEKT],[OX] FROM [G0] WHERE [ID] = 0 AND [IDOBJEKT]=110 ORDER BY "
         "[IDOBJEKT] NULLS LAST,[OX] NULLS LAST"},
        {"a negative ID",
         "E1",
         "ID",
         -2,
         noKeys,
         "KEN",
         {},
         {},
         "SELECT [KEN],[ID] FROM [E1] WHERE [ID] = -2"},
        {"a key without an ID column",
         "E1",
         "",
         0,
         {"KEN", "Probe A", {}, {}, {}, {}},
         "KOM",
         {},
         {},
         "SELECT [KOM],[KEN] FROM [E1] WHERE [KEN] ='Probe A'"},
        {"no ID column and no key reads the whole table",
         "E1",
         "",
         0,
         noKeys,
         "KEN",
         {},
         {},
         "SELECT [KEN] FROM [E1]"},
        {"three keys",
         "E1",
         "ID",
         3,
         {"KEN", "a", "KOM", "b", "SPR", "3"},
         "AKT",
         {},
         {},
         "SELECT [AKT],[ID],[KEN],[KOM],[SPR] FROM [E1] WHERE [ID] = 3 AND [KEN] ='a' AND [KOM] ='b'  AND "
         "[SPR] ='3'"},
        {"an apostrophe in a key is doubled",
         "E1",
         "",
         0,
         {"KEN", "x' OR 'x'='x", {}, {}, {}, {}},
         "KOM",
         {},
         {},
         "SELECT [KOM],[KEN] FROM [E1] WHERE [KEN] ='x'' OR ''x''=''x'"},
        {"a filter without an ID column begins the condition",
         "E3",
         "",
         0,
         noKeys,
         "M1",
         {"I1"},
         {Variant(std::int16_t(2))},
         "SELECT [M1],[I1] FROM [E3] WHERE [I1]=2 ORDER BY [I1] NULLS LAST"},
        {"text and fraction filters",
         "E3",
         "ID",
         5,
         noKeys,
         "I1",
         {"M1", "M1W"},
         {Variant(1.5f), Variant(QStringLiteral("it's"))},
         "SELECT [I1],[ID],[M1],[M1W] FROM [E3] WHERE [ID] = 5 AND [M1]=1.5 AND [M1W]='it''s' ORDER BY "
         "[M1] NULLS LAST,[M1W] NULLS LAST"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clsDATEN daten;
        daten.ETABELLE = c.table;
        daten.ESPID = c.idColumn;
        daten.ESPIDW = c.id;
        daten.ESPK1 = c.keys[0];
        daten.ESPK1W = c.keys[1];
        daten.ESPK2 = c.keys[2];
        daten.ESPK2W = c.keys[3];
        daten.ESPK3 = c.keys[4];
        daten.ESPK3W = c.keys[5];
        const auto rs = daten.DT(c.column, c.columns[0], c.values[0], c.columns[1], c.values[1], c.columns[2],
                                 c.values[2], c.columns[3], c.values[3]);
        EXPECT_EQ(daten.lastStatement(), c.expected);
        EXPECT_EQ(rs->FieldName(0), c.column);
    }
}

TEST_F(CursorTest, TheSelectionIsTheRowsItsStatementNames) {
    clsDATEN daten;
    daten.ETABELLE = QStringLiteral("E3");
    daten.ESPIDW = 5;
    auto rs = daten.DT(QStringLiteral("M1"), QStringLiteral("I1"));
    QStringList values;
    for (; !rs->eof(); rs->MoveNext())
        values << text(rs->Value(0));
    EXPECT_EQ(values, (QStringList{"50", "51", "52", "53", "54", "55"}));
    rs = daten.DT(QStringLiteral("M1"), QStringLiteral("I1"), std::int16_t(4));
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(text(rs->Value(0)), QStringLiteral("54"));
}

TEST_F(CursorTest, KeysReadBackWhatWasWritten) {
    clsDATEN daten;
    daten.ESPK1W = QStringLiteral("wert");
    daten.ESPK1 = QStringLiteral("KEN");
    EXPECT_EQ(daten.ESPK1W, QStringLiteral("wert"));
    EXPECT_EQ(daten.ESPK1, QStringLiteral("KEN"));
}

// The presets database and the working copy carry the import formats; each names itself in one row.
class ConnectionChoiceTest : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        const QString presets = run.dir().file(QStringLiteral("VORGABE.mdb"));
        schema::create(schema::Database::Presets, presets);
        run.state().cnnX_V = std::make_shared<platform::Connection>();
        run.state().cnnX_V->Open(presets);
        run.state().cnnX_V->Execute(
            QStringLiteral("INSERT INTO TAMBRIN_VE1 (IDK, AKVK) VALUES (1, 'Vorgaben')"));
        exec(QStringLiteral("INSERT INTO TAMBRIN_VE1 (IDK, AKVK) VALUES (1, 'Arbeitskopie')"));
    }
    QString readFormatName(clsDATEN& daten) {
        daten.ETABELLE = QStringLiteral("TAMBRIN_VE1");
        daten.ESPID = QStringLiteral("IDK");
        daten.ESPIDW = 1;
        QString name;
        EXPECT_TRUE(daten.DTVT(QStringLiteral("AKVK"), name));
        return name;
    }
};

TEST_F(ConnectionChoiceTest, PresetsAreReadFromTheWorkingCopyInTheDevelopmentTree) {
    struct Case {
        bool development;
        bool presets;
        const char* expected;
    };
    for (const Case& c : {Case{false, true, "Vorgaben"}, Case{false, false, "Arbeitskopie"},
                          Case{true, true, "Arbeitskopie"}, Case{true, false, "Arbeitskopie"}}) {
        SCOPED_TRACE(std::string(c.development ? "development, " : "") +
                     (c.presets ? "presets" : "working copy"));
        run.state().setProgramFolder(
            run.dir().mkdir(c.development ? QStringLiteral("SOURCE/prog") : QStringLiteral("programm")));
        clsDATEN daten;
        daten.EBOV(c.presets);
        EXPECT_EQ(readFormatName(daten), QString::fromUtf8(c.expected));
    }
}

// The information-system database: looked for in the database folder, in the development tree in the
// project's folder.
class InformationDatabaseTest : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           run.dir().mkdir(QStringLiteral("config")));
        databaseFolder = run.dir().mkdir(QStringLiteral("datenbanken"));
        run.state().setDATENBANKPFAD(databaseFolder);
    }
    QString databaseFolder;
};

TEST_F(InformationDatabaseTest, OpensTheDatabaseOfTheNameOrKeepsTheConnection) {
    enum class File { Missing, Database, NotADatabase };
    struct Case {
        const char* name;
        bool development;
        File file;
        bool opened;
        bool message;
    };
    const std::vector<Case> cases{
        {"missing", false, File::Missing, false, false},
        {"in the database folder", false, File::Database, true, false},
        {"in the project folder of the development tree", true, File::Database, true, false},
        {"a file that is no database", false, File::NotADatabase, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        run.dialogs().clear();
        run.state().setProgramFolder(
            run.dir().mkdir(c.development ? QStringLiteral("SOURCE/prog") : QStringLiteral("programm")));
        const QString folder = c.development
                                   ? run.dir().mkdir(QStringLiteral("projekte/") + run.state().PROJEKT)
                                   : databaseFolder;
        const QString path = folder + QStringLiteral("/DALMIR.mdb");
        QFile::remove(path);
        if (c.file == File::Database) {
            schema::create(schema::Database::Information, path);
            platform::Connection info;
            info.Open(path);
            info.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (3, 'Informationssystem')"));
        } else if (c.file == File::NotADatabase) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'x'));
        }

        clsDATEN daten;
        bool found = !c.opened;
        run.dialogs().answer(Msg::OK);
        daten.EINFMDB(QStringLiteral("DALMIR"), found);
        EXPECT_EQ(found, c.opened);
        EXPECT_EQ(daten.EINFMDB(), QStringLiteral("DALMIR"));
        QString name;
        EXPECT_TRUE(daten.DTVT(QStringLiteral("KEN"), name));
        EXPECT_EQ(name, c.opened ? QStringLiteral("Informationssystem") : QStringLiteral("Probe A"));
        EXPECT_EQ(run.dialogs().count(QStringLiteral("MsgBox")), c.message ? 1 : 0);
        if (c.message) {
            EXPECT_EQ(run.dialogs().asked()[0].title, QStringLiteral("Datenzugriff - Datenbank DALMIR"));
            EXPECT_TRUE(run.dialogs().asked()[0].prompt.startsWith(QStringLiteral("VB-Error: ")));
        }
    }
}

} // namespace
