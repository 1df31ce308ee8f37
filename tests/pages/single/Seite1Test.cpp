// Page 1 of an evaluated record: its load, the stored diagram settings, its requests by name, its keys and
// mouse clicks, and its scroll bar.
#include "frmKONTEXT.h"
#include "frmKONTEXT11.h"
#include "Seite1Lauf.h"
#include "clsBERECHNEN.h"
#include "CommitCounter.h"
#include "RecordFixture.h"

#include "platform/runtime/VbError.h"
#include "platform/surface/PageSurface.h"
#include "platform/surface/PictureBox.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScrollBar>

using namespace seite1test;
using platform::Variant;

namespace {

float zahl(const Variant& v) {
    return float(v.number());
}

// Every pixel of an area of a picture has this colour.
bool einfarbig(const QImage& image, const QRect& area, QRgb color) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (color & 0xFFFFFF)) return false;
    return true;
}

void mausklick(QWidget* widget, Qt::MouseButton button, const QPoint& at = QPoint(20, 20)) {
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

// Closes the page-settings dialog left open by a test.
void dialogSchliessen() {
    if (frmKONTEXT* dialog = frmKONTEXT::offen()) dialog->cmdABBRECHEN_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(Seite1, LoadingDrawsThePageFromTheEvaluatedRecordAndStepsTheBar) {
    Seite1Lauf lauf;
    ASSERT_TRUE(lauf.auswerten(fixture::dryingSet()));
    mdiSEITE1 seite;
    // The constructor touches no data, and before the load the pictures have nothing to draw.
    for (const char* routine : {"BILD11", "BILD12", "BILD13"})
        ASSERT_TRUE(QMetaObject::invokeMethod(&seite, routine, Qt::DirectConnection));
    for (const platform::PictureBox* box : {seite.picBILD11, seite.picBILD12, seite.picBILD13})
        EXPECT_TRUE(einfarbig(box->picture(), box->picture().rect(), 0xFFFFFF));
    EXPECT_TRUE(lauf.meldungen().isEmpty());
    seite.Form_Load();
    EXPECT_EQ(lauf.run.progress().values(), (std::vector<float>{0, 20, 50, 70, 95}));
    EXPECT_TRUE(lauf.run.progress().visibility().empty()); // the bar is the main window's to show
    EXPECT_TRUE(lauf.meldungen().isEmpty()) << lauf.meldungen().join('\n').toStdString();
    EXPECT_TRUE(seite.loaded());
    EXPECT_FALSE(seite.BONEU());
    EXPECT_TRUE(seite.HBOKF());
    EXPECT_TRUE(seite.HBOKFS());
    EXPECT_EQ(seite.pointCount(), 5);
    EXPECT_EQ(seite.readingCount(), 5);
    for (const platform::PictureBox* box : {seite.picBILD11, seite.picBILD12, seite.picBILD13}) {
        const QImage& p = box->picture();
        EXPECT_FALSE(einfarbig(p, p.rect(), 0xFFFFFF)) << box->objectName().toStdString();
    }
    // The header and footer stand on the page itself.
    const QImage page = seite.pageSurface()->picture();
    EXPECT_FALSE(einfarbig(page, QRect(0, 0, page.width(), 100), 0xFFFFFF));

    // A second load does nothing.
    lauf.run.progress().clear();
    seite.Form_Load();
    EXPECT_TRUE(lauf.run.progress().values().empty());
}

TEST(Seite1, ThePicturesAreNamedPictureBoxesAtTheirPlacesOnTheSheet) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    EXPECT_EQ(seite.objectName(), QStringLiteral("mdiSEITE1"));
    QStringList namen;
    for (auto* box : seite.findChildren<platform::PictureBox*>(Qt::FindDirectChildrenOnly))
        if (box != seite.pageSurface()) namen << box->objectName();
    EXPECT_EQ(namen, (QStringList{"picBILD11", "picBILD12", "picBILD13"}));
    EXPECT_EQ(seite.vscBILD12->objectName(), QStringLiteral("vscBILD12"));
    EXPECT_EQ(qobject_cast<platform::PictureBox*>(seite.vscBILD12), nullptr);

    const struct {
        const platform::PictureBox* box;
        float left, top, width, height;
    } cases[] = {{seite.picBILD11, 15, 30, 135, 130},
                 {seite.picBILD12, 153, 30, 102, 65},
                 {seite.picBILD13, 153, 95, 120, 65}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box->objectName().toStdString());
        EXPECT_NEAR(c.box->leftMm(), c.left, 1e-3);
        EXPECT_NEAR(c.box->topMm(), c.top, 1e-3);
        EXPECT_NEAR(c.box->surface().ScaleWidth(), c.width, 1e-3);
        EXPECT_NEAR(c.box->surface().ScaleHeight(), c.height, 1e-3);
    }
}

TEST(Seite1, TheFirstShowingAfterAnEvaluationStoresTheDiagramDefaultsLaterOnesUseTheStoredSettings) {
    Seite1Lauf lauf;
    lauf.zeige(fixture::dryingSet());
    const QString g0 = QStringLiteral("IDOBJEKT = 11");
    const struct {
        const char* spalte;
        float wert;
    } defaults[] = {{"OX", 1},
                    {"OY", 1},
                    {"RL", 12},
                    {"RR", 12},
                    {"RO", 9},
                    {"RU", 12},
                    {"MYMX", 0},
                    // The axes fitted to the readings (8.1 to 18.2 %, 1.52 to 1.88 g/cm³).
                    {"XMIN", 8},
                    {"XMAX", 20},
                    {"YMIN", 1.4f},
                    {"YMAX", 2.0f}};
    for (const auto& d : defaults)
        EXPECT_NEAR(zahl(lauf.wert("G0", d.spalte, g0)), d.wert, 1e-5) << d.spalte;
    EXPECT_GT(zahl(lauf.wert("G0", "MX", g0)), 0);
    EXPECT_GT(zahl(lauf.wert("G0", "MY", g0)), 0);

    // Calculate: the page is built from the stored results and draws with the stored bounds.
    lauf.setze(QStringLiteral("UPDATE G0 SET XMIN = 0, XMAX = 30, RL = 20, MX = 0 WHERE ID = 1"));
    lauf.seite.reset();
    lauf.laden();
    EXPECT_EQ(zahl(lauf.wert("G0", "XMIN", g0)), 0);
    EXPECT_EQ(zahl(lauf.wert("G0", "XMAX", g0)), 30);
    EXPECT_EQ(zahl(lauf.wert("G0", "RL", g0)), 20);
    EXPECT_GT(zahl(lauf.wert("G0", "MX", g0)), 0); // the scale is computed anew on every drawing

    // Calculate first again: a new A1 row, so the defaults return and the axes are fitted once more.
    lauf.setze(QStringLiteral("UPDATE A1 SET BONEU = 1 WHERE ID = 1"));
    lauf.seite.reset();
    lauf.laden();
    EXPECT_EQ(zahl(lauf.wert("G0", "XMIN", g0)), 8);
    EXPECT_EQ(zahl(lauf.wert("G0", "RL", g0)), 12);
    EXPECT_EQ(zahl(lauf.wert("A1", "BONEU")), 0);
}

// The evaluation and each showing of the page, the first with the diagram's defaults and a later one that
// stores the scale anew, commit once each.
TEST(Seite1, TheEvaluationAndEachShowingCommitOnce) {
    Seite1Lauf lauf;
    fixture::store(*lauf.run.state().cnnX, fixture::smoothCurve(72));
    for (const bool neu : {true, false}) {
        SCOPED_TRACE(neu ? "first showing" : "later showing");
        if (neu) {
            testsupport::CommitCounter evaluation(*lauf.run.state().cnnX);
            clsBERECHNEN berechnen;
            ASSERT_TRUE(berechnen.BERECHNUNG());
            EXPECT_EQ(evaluation.commits(), 1);
        }
        lauf.seite = std::make_unique<mdiSEITE1>();
        testsupport::CommitCounter showing(*lauf.run.state().cnnX);
        lauf.seite->Form_Load();
        EXPECT_EQ(showing.commits(), 1);
        EXPECT_GT(zahl(lauf.wert("G0", "MX", QStringLiteral("IDOBJEKT = 11"))), 0);
        lauf.setze(QStringLiteral("UPDATE A1 SET BONEU = 0, RHPR = RHPR WHERE ID = 1"));
    }
    EXPECT_TRUE(lauf.run.dialogs().asked().empty());
}

TEST(Seite1, MoreThan72PointsEndTheLoadWithTheErrorForTheCaller) {
    Seite1Lauf lauf;
    ASSERT_TRUE(lauf.auswerten(fixture::smoothCurve(6)));
    lauf.setze(QStringLiteral("DELETE FROM A2"));
    for (int i = 0; i <= 72; ++i)
        lauf.setze(
            QStringLiteral("INSERT INTO A2 (ID, I1, WU, RHDU, W, RHD) VALUES (1, %1, %2, 1.8, %2, 1.8)")
                .arg(i)
                .arg(0.05 + i * 0.002));
    lauf.seite = std::make_unique<mdiSEITE1>();
    EXPECT_THROW(lauf.seite->Form_Load(), platform::VbError);
}

TEST(Seite1, OneOrTwoReadingsFitNoCurveAndDrawFromThePoints) {
    for (int n : {1, 2}) {
        SCOPED_TRACE(n);
        Seite1Lauf lauf;
        fixture::Record r = fixture::dryingSet();
        r.readings.resize(std::size_t(n));
        mdiSEITE1& seite = lauf.zeige(r);
        EXPECT_TRUE(lauf.meldungen().isEmpty()) << lauf.meldungen().join('\n').toStdString();
        EXPECT_EQ(seite.pointCount(), n - 1);
        EXPECT_FALSE(einfarbig(seite.picBILD11->picture(), seite.picBILD11->picture().rect(), 0xFFFFFF));
    }
}

TEST(Seite1, KeysOfThePageAndOfItsPicturesPressTheMainWindowsCommands) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int panel; // 0: no panel; -1: Quit
    } cases[] = {
        {Qt::Key_Escape, Qt::NoModifier, 15},
        {Qt::Key_Escape, Qt::ShiftModifier | Qt::AltModifier, 15},
        {Qt::Key_Q, Qt::AltModifier, -1},
        {Qt::Key_A, Qt::ControlModifier, 14},
        {Qt::Key_C, Qt::ControlModifier, 12},
        {Qt::Key_P, Qt::ControlModifier, 11},
        {Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier, 11},
        {Qt::Key_S, Qt::ControlModifier, 10},
        {Qt::Key_W, Qt::ControlModifier | Qt::AltModifier, 13},
        {Qt::Key_P, Qt::NoModifier, 0},
        {Qt::Key_P, Qt::AltModifier, 0},
        {Qt::Key_Q, Qt::ControlModifier, 0},
        {Qt::Key_X, Qt::ControlModifier, 0},
    };
    for (QWidget* target : {static_cast<QWidget*>(&seite), static_cast<QWidget*>(seite.picBILD11),
                            static_cast<QWidget*>(seite.picBILD13)}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(target->objectName().toStdString() + " key " + std::to_string(c.key));
            lauf.haupt.panels.clear();
            lauf.haupt.beenden = 0;
            QKeyEvent key(QEvent::KeyPress, c.key, c.modifiers);
            QCoreApplication::sendEvent(target, &key);
            if (c.panel > 0)
                EXPECT_EQ(lauf.haupt.panels, std::vector<int>{c.panel});
            else
                EXPECT_TRUE(lauf.haupt.panels.empty());
            EXPECT_EQ(lauf.haupt.beenden, c.panel == -1 ? 1 : 0);
        }
    }
}

TEST(Seite1, TheWindowsCloseBoxPressesTheCloseCommandAsEscDoes) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    QMdiArea bereich;
    QMdiSubWindow* fenster = bereich.addSubWindow(&seite);
    fenster->close();
    // The command unloads the page: it runs after the close event, not inside it.
    EXPECT_TRUE(lauf.haupt.panels.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(lauf.haupt.panels, std::vector<int>{15});
    fenster->setWidget(nullptr);
    seite.setParent(nullptr);
}

TEST(Seite1, EveryActivationHidesTheAutoCadPanel) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    ASSERT_TRUE(QMetaObject::invokeMethod(&seite, "Form_Activate", Qt::DirectConnection));
    ASSERT_TRUE(QMetaObject::invokeMethod(&seite, "Form_Activate", Qt::DirectConnection));
    using Sichtbar = std::vector<std::pair<int, bool>>;
    EXPECT_EQ(lauf.haupt.sichtbar, (Sichtbar{{14, false}, {14, false}}));
}

TEST(Seite1, ARightClickOnTheDiagramOpensTheDiagramDialogALeftClickNothing) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    QString geoeffnet, xmin;
    lauf.dialoge().onForm([&](QDialog& form) {
        geoeffnet = form.objectName();
        xmin = static_cast<frmKONTEXT11&>(form).cboXMIN->Text();
        return int(QDialog::Rejected);
    });
    mausklick(seite.picBILD11, Qt::LeftButton);
    EXPECT_EQ(lauf.dialoge().count(QStringLiteral("ShowForm")), 0);
    mausklick(seite.picBILD11, Qt::RightButton);
    EXPECT_EQ(lauf.dialoge().count(QStringLiteral("ShowForm")), 1);
    EXPECT_EQ(geoeffnet, QStringLiteral("frmKONTEXT11"));
    EXPECT_EQ(xmin, QStringLiteral("8")); // loaded from the stored settings
    // Neither click opens the page dialog.
    EXPECT_EQ(frmKONTEXT::offen(), nullptr);
}

TEST(Seite1, AClickOnTheFreePageOpensThePageDialogPresetWithThePagesSwitchesAndColours) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    seite.KONTEXT(false, true, 0xC0C0C0, 0xE0FFFF);
    mausklick(seite.pageSurface(), Qt::LeftButton, QPoint(5, 300));
    frmKONTEXT* dialog = frmKONTEXT::offen();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->seite(), &seite);
    EXPECT_EQ(dialog->parentWidget(), nullptr);
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->chkBOKF_Tag, QStringLiteral("0"));
    EXPECT_EQ(dialog->chkBOKFS_Tag, QStringLiteral("1"));
    EXPECT_EQ(dialog->cdlFARBEN_Color[0], 0xC0C0C0);
    EXPECT_EQ(dialog->cdlFARBEN_Color[1], 0xE0FFFF);

    // A second click while it is open presets the same dialog again with the page's current values.
    dialog->chkBOKF->setValue(1);
    dialog->cdlFARBEN_Color = {1, 2};
    seite.KONTEXT(true, true, 0xFFFFFF, 0xFFFFFF);
    mausklick(seite.pageSurface(), Qt::LeftButton, QPoint(5, 300));
    EXPECT_EQ(frmKONTEXT::offen(), dialog);
    EXPECT_EQ(dialog->chkBOKF->Value(), 1);
    EXPECT_EQ(dialog->chkBOKFS->Value(), 1);
    EXPECT_EQ(dialog->cdlFARBEN_Color[0], 0xFFFFFF);
    dialogSchliessen();
}

TEST(Seite1, SettingsByNameRecolourAndRedrawWithOrWithoutHeaderAndFooter) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    const QImage vorher = seite.picBILD11->picture();
    ASSERT_TRUE(QMetaObject::invokeMethod(&seite, "KONTEXT", Qt::DirectConnection, Q_ARG(bool, false),
                                          Q_ARG(bool, false), Q_ARG(long, 0xC0C0C0), Q_ARG(long, 0xF0F0F0)));
    EXPECT_FALSE(seite.property("HBOKF").toBool());
    EXPECT_FALSE(seite.property("HBOKFS").toBool());
    EXPECT_EQ(seite.pageColor(), 0xC0C0C0);
    EXPECT_EQ(seite.pictureColor(), 0xF0F0F0);
    // No header or footer: the page shows its colour alone; every picture has the new background.
    const QImage page = seite.pageSurface()->picture();
    EXPECT_TRUE(einfarbig(page, QRect(0, 0, page.width(), 100), 0xC0C0C0));
    EXPECT_TRUE(einfarbig(page, QRect(0, page.height() - 60, page.width(), 60), 0xC0C0C0));
    for (const platform::PictureBox* box : {seite.picBILD11, seite.picBILD12, seite.picBILD13})
        EXPECT_EQ(box->picture().pixel(1, 1) & 0xFFFFFF, 0xF0F0F0u) << box->objectName().toStdString();
    EXPECT_NE(seite.picBILD11->picture(), vorher);

    seite.KONTEXT(true, true, 0xFFFFFF, 0xFFFFFF);
    EXPECT_FALSE(einfarbig(seite.pageSurface()->picture(), QRect(0, 0, page.width(), 100), 0xFFFFFF));
    EXPECT_EQ(seite.picBILD11->picture(), vorher);
    EXPECT_TRUE(lauf.meldungen().isEmpty());
}

TEST(Seite1, MovingTheTablesScrollBarRedrawsOnlyTheTable) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::smoothCurve(40));
    ASSERT_FALSE(seite.vscBILD12->isHidden()); // 40 rows don't fit
    const QImage diagramm = seite.picBILD11->picture(), tabelle = seite.picBILD12->picture(),
                 text = seite.picBILD13->picture();
    seite.vscBILD12->setValue(seite.vscBILD12->maximum());
    EXPECT_NE(seite.picBILD12->picture(), tabelle);
    EXPECT_EQ(seite.picBILD11->picture(), diagramm);
    EXPECT_EQ(seite.picBILD13->picture(), text);
    EXPECT_TRUE(lauf.meldungen().isEmpty());
}

} // namespace
