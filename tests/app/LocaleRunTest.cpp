// One record typed by keys in each locale a laboratory may have, through Save, the evaluation and the print
// of page 1: each run shows, reads, stores and prints its numbers with one decimal sign. Qt reads the
// system locale from the environment once, and the application object sets the C library's locale from
// it, so each locale is a run of this test program of its own (the disabled test below) started with that
// locale's environment.
#include "Installation.h"
#include "Tasten.h"

#include "ExampleRecords.h"
#include "frmMAIN.h"
#include "mdiEINGABE.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextBox.h"

#include <gtest/gtest.h>
#include <map>
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

using platform::Variant;
using testsupport::Installation;
using testsupport::taste;
using testsupport::tippen;

namespace {

// The depth-gauge reading typed for each reading: the h' grid holds two decimals.
constexpr float kHS = 0.47f;
constexpr char kChild[] = "LocaleRun.DISABLED_ARecordTypedInTheEnvironmentsLocale";

struct LocaleCase {
    const char* name;
    const char* lang;
    const char* numeric; // LC_NUMERIC, nullptr: not set
    int SPRACHE;            // the run's language: 1 English, 3 German
    const char* decimalSign;
};

TEST(LocaleRun, EachLocaleShowsReadsStoresAndPrintsWithOneDecimalSign) {
    const LocaleCase cases[] = {
        {"German", "de_DE.UTF-8", nullptr, 3, ","},
        {"French: its grouping is not used", "fr_FR.UTF-8", nullptr, 3, ","},
        {"Dutch", "nl_NL.UTF-8", nullptr, 3, ","},
        {"Swiss German: German texts, the point", "de_CH.UTF-8", nullptr, 3, "."},
        {"English texts, German numbers", "en_US.UTF-8", "de_DE.UTF-8", 1, ","},
        {"Austrian, not installed in the C library", "de_AT.UTF-8", nullptr, 3, ","},
        {"C", "C.UTF-8", nullptr, 3, "."},
    };
    for (const LocaleCase& c : cases) {
        SCOPED_TRACE(c.name);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& name : env.keys())
            if (name.startsWith(QLatin1String("LC_")) || name == QLatin1String("LANGUAGE")) env.remove(name);
        env.insert(QStringLiteral("LANG"), QString::fromLatin1(c.lang));
        if (c.numeric) env.insert(QStringLiteral("LC_NUMERIC"), QString::fromLatin1(c.numeric));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TAMBRIN_TEST_SPRACHE"), QString::number(c.SPRACHE));
        env.insert(QStringLiteral("TAMBRIN_TEST_DECIMAL"), QString::fromLatin1(c.decimalSign));
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=") + QLatin1String(kChild),
                     QStringLiteral("--gtest_also_run_disabled_tests")});
        ASSERT_TRUE(child.waitForStarted());
        // A run that hangs is ended rather than holding the suite.
        if (!child.waitForFinished(300000)) child.kill();
        child.waitForFinished();
        const QString output = QString::fromUtf8(child.readAll());
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains(QLatin1String("[  PASSED  ] 1 test"))) << output.toStdString();
    }
}

QString pdfText(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!p.waitForFinished(60000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Types text into a box by keys, as a user who selects its content first.
void inDieBox(platform::TextBox* box, const QString& text) {
    box->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), box) << box->objectName().toStdString();
    box->selectAll();
    tippen(text);
}

// Types a cell by keys: the key on the grid opens its editor, which takes the rest; Enter closes it.
void inDieZelle(platform::FlexGrid& g, int zeile, int spalte, const QString& text) {
    g.setFocus();
    g.setRow(zeile);
    g.setCol(spalte);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), &g);
    tippen(text);
    taste(QApplication::focusWidget(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::processEvents();
}

// The run of one locale: started by the test above with the locale's environment and what it expects.
TEST(LocaleRun, DISABLED_ARecordTypedInTheEnvironmentsLocale) {
    const QString d = qEnvironmentVariable("TAMBRIN_TEST_DECIMAL");
    const int sprache = qEnvironmentVariableIntValue("TAMBRIN_TEST_SPRACHE");
    ASSERT_FALSE(d.isEmpty()) << "started by LocaleRun.EachLocaleShowsReadsStoresAndPrintsWithOneDecimalSign";
    const auto mit = [&d](const char* text) { return QString::fromLatin1(text).replace(QLatin1Char(','), d); };

    Installation inst{QString()}; // the run takes its language and decimal sign from the environment
    frmMAIN& w = inst.start();
    ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
    // Every place that picks a decimal sign picks the same one.
    EXPECT_EQ(w.SPRACHE, sprache);
    EXPECT_EQ(w.DEZIMALPUNKT, d);
    EXPECT_EQ(platform::SystemLocale::decimalSign(), d);
    EXPECT_EQ(QLocale::system().decimalPoint(), d);
    EXPECT_EQ(QLocale().decimalPoint(), d);

    w.mnuNEU_Click();
    mdiEINGABE* form = w.inputForm();
    ASSERT_NE(form, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(form->txtRHSU->Text(), mit("2,65")); // a new record's particle density

    const examples::Record r = examples::dryingSet();
    const std::map<QString, float> werte = {
        {"DC", r.DC},   {"HC", r.HC},       {"MC", r.MC},   {"H2S", r.H2S}, {"RHSU", r.RHSU}, {"DMAX", r.DMAX},
        {"UE", r.UE},   {"RHSUE", r.RHSUE}, {"WUE", r.WUE}, {"DUEMAX", r.DUEMAX}, {"MSG", r.MSG}, {"MZ", r.MZ}};
    inDieBox(form->txtKEN, QStringLiteral("Probe L"));
    std::map<QString, float> getippt;
    for (const auto& feld : form->zahlenfelder()) {
        const QString spalte = QString::fromLatin1(feld.column);
        if (!feld.box->isEnabled() || !werte.count(spalte)) continue;
        inDieBox(feld.box, platform::TypedSingleText(werte.at(spalte), d));
        getippt[spalte] = werte.at(spalte);
    }
    ASSERT_EQ(getippt.count("H2S"), 1u);
    form->SSTab->setCurrentIndex(1);
    QApplication::processEvents();
    platform::FlexGrid& g = *form->msgFLX[0];
    for (std::size_t k = 0; k < r.readings.size(); ++k) {
        const examples::Reading& x = r.readings[k];
        const int zeile = g.FixedRows() + int(k);
        if (zeile >= g.Rows()) {
            // Enter in the last cell of the last row appends the next reading's row.
            g.setFocus();
            g.setRow(g.Rows() - 1);
            g.setCol(g.Cols() - 1);
            taste(&g, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        }
        ASSERT_LT(zeile, g.Rows());
        const float masse[] = {x.M1, x.M1W, x.M2W, x.MCW};
        for (int spalte = 1; spalte <= 4; ++spalte)
            inDieZelle(g, zeile, spalte, platform::TypedSingleText(masse[spalte - 1], d));
        inDieZelle(*form->msgFLX[2], zeile, 1, platform::TypedSingleText(kHS, d));
    }
    if (g.Rows() > g.FixedRows() + int(r.readings.size())) {
        g.setRow(g.Rows() - 1);
        form->cmdW_Click(0);
    }
    EXPECT_EQ(g.TextMatrix(1, 1), mit("2783,00"));
    EXPECT_EQ(g.TextMatrix(1, 2), mit("256,20"));
    EXPECT_TRUE(inst.dialogs().asked().empty()) << inst.dialogs().messages().join('|').toStdString();

    // Save: the form into the working copy, the working copy into the project.
    w.stbMAIN_PanelClick(8);
    ASSERT_EQ(w.inputForm(), nullptr) << inst.dialogs().messages().join('|').toStdString();
    ASSERT_TRUE(w.saveProject()) << inst.dialogs().messages().join('|').toStdString();
    {
        platform::Connection projekt;
        projekt.Open(inst.projectDatabase());
        platform::Recordset rs;
        rs.OpenForReading(QStringLiteral("SELECT E2.* FROM E2 JOIN E1 ON E1.ID = E2.ID WHERE E1.KEN = 'Probe L'"),
                          projekt);
        ASSERT_FALSE(rs.eof());
        for (const auto& [spalte, wert] : getippt) EXPECT_EQ(platform::CSng(rs.Value(spalte)), wert) << spalte.toStdString();
        rs.Close();
        rs.OpenForReading(QStringLiteral("SELECT E3.M1, E3.M1W, E3.HS FROM E3 JOIN E1 ON E1.ID = E3.ID "
                                         "WHERE E1.KEN = 'Probe L' ORDER BY E3.I1"),
                          projekt);
        for (const examples::Reading& x : r.readings) {
            ASSERT_FALSE(rs.eof());
            EXPECT_EQ(platform::CSng(rs.Value(0)), x.M1);
            EXPECT_EQ(platform::CSng(rs.Value(1)), x.M1W);
            EXPECT_EQ(platform::CSng(rs.Value(2)), kHS);
            rs.MoveNext();
        }
        rs.Close();
        projekt.Close();
    }

    // The evaluation and page 1, printed.
    w.cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = CASE WHEN KEN = 'Probe L' THEN 1 ELSE 0 END"));
    w.mnuAUSWERTEN_Click();
    w.mnuNEUBERECHNEN_Click();
    ASSERT_NE(w.Form(QStringLiteral("mdiSEITE1")), nullptr) << inst.dialogs().messages().join('|').toStdString();
    const QString pdf = inst.printShownPageToPdf();
    EXPECT_EQ(inst.dialogs().count(QStringLiteral("MsgBox")), 0) << inst.dialogs().messages().join('|').toStdString();
    const QString text = pdfText(pdf);
    ASSERT_FALSE(text.isEmpty());
    const QString sign = QRegularExpression::escape(d);
    // The densities with three decimals and the water contents with one, in the run's sign.
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\d%1\\d{3} g/cm³").arg(sign)))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\d%1\\d %").arg(sign)))) << text.toStdString();
    // No number written twice over with a decimal sign ("1,,88", "2,78,3"), nor with the other sign.
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\d[.,]\\d*[.,]\\d+ (g|%)")))) << text.toStdString();
    const QString other = d == QLatin1String(",") ? QStringLiteral("\\.") : QStringLiteral(",");
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\d%1\\d+ (g/cm|%)").arg(other)))) << text.toStdString();
    w.setDirty(false);
}

} // namespace
