#include "mdiEINGABE.h"

#include "clsFLX.h"
#include "EingabeLayout.h"
#include "Formelzeichen.h"

#include "platform/run/RunState.h"
#include "platform/runtime/Color.h"
#include "platform/runtime/Language.h"
#include "platform/surface/PictureBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/OptionButton.h"
#include "platform/window/Twips.h"
#include "store/clsDATEN.h"

#include <QFont>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using namespace eingabe;
using platform::placeTwips;
using platform::RunState;
using platform::Variant;

namespace {

// A symbol: the letter and its subscript.
std::pair<QString, QString> formelzeichen(const QString& buchstabe, const QString& index = {}) {
    return {buchstabe, index};
}

const QString kRho = QStringLiteral("\u03C1");

template <typename T> T* benannt(T* control, const QString& name, int index = -1) {
    control->setObjectName(name);
    if constexpr (std::is_base_of_v<platform::ControlArrayMember, T>) {
        if (index >= 0) control->setIndex(std::int16_t(index));
    }
    return control;
}

QGroupBox* rahmen(QWidget* parent, const QString& name, const QString& titel, double left, double top,
                  double width, double height) {
    auto* box = benannt(new QGroupBox(titel, parent), name);
    QFont fett = parent->font();
    fett.setBold(true);
    box->setFont(fett);
    placeTwips(box, left, top, width, height);
    return box;
}

platform::Label* beschriftung(QWidget* parent, const QString& name, const QString& text, double left,
                              double top, double width, int index = -1) {
    auto* label = benannt(new platform::Label(text, parent), name, index);
    placeTwips(label, left, top, width, kZeile);
    return label;
}

platform::OptionButton* option(QWidget* parent, const QString& name, int index, const QString& text,
                               double top) {
    auto* button = benannt(new platform::OptionButton(text, parent), name, index);
    placeTwips(button, kSymbolLinks, top, 5000, kZeile);
    return button;
}

} // namespace

mdiEINGABE::mdiEINGABE(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("mdiEINGABE"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont schrift(QStringLiteral("Arial"));
    schrift.setPointSizeF(11.25);
    setFont(schrift);
    setWindowTitle(QStringLiteral("Eingabe"));

    // 1 to 3: the language of the run, the captions and the report language shown, never chosen here.
    SPRACHE = RunState::current().SPRACHE;
    buildHeader();
    buildTab0();
    buildTab1();
    if (platform::Language::english()) setEnglishCaptions();
    cboSPR->setEnabled(false);
    // Frame titles are bold; what the frames hold keeps the form's font, its weight set explicitly so that
    // the frame's bold is not inherited.
    QFont normal = schrift;
    normal.setBold(false);
    for (QGroupBox* box : findChildren<QGroupBox*>())
        for (QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->property("titel").toBool()) child->setFont(normal);

    // 4 and 5: the grid editors, the mass grids coupled to the h' grid.
    configureGrids();
    flx(0).setEFLXK(&flx(2));
    flx(1).setEFLXK(&flx(2));

    // 6: the table cursors.
    E1_ = std::make_unique<clsDATEN>();
    E1_->ETABELLE = QStringLiteral("E1");
    E2_ = std::make_unique<clsDATEN>();
    E2_->ETABELLE = QStringLiteral("E2");
    E3_ = std::make_unique<clsDATEN>();
    E3_->ETABELLE = QStringLiteral("E3");

    // 7 to 9: a standard test on the first tab, with the drying method's layout and the defaults.
    cboKENV->setListIndex(0);
    SSTab->setCurrentIndex(0);
    connectEvents();
    importEinrichten();
    REITERFORMATIEREN(0);
    REITERAKTUALISIEREN(0);
    stand_ = zustand();

    resize(platform::twipsToPixels(kReiterBreite + 2 * kRand),
           platform::twipsToPixels(1.5 * kKopfHoehe + kReiterHoehe + kRand));
}

mdiEINGABE::~mdiEINGABE() {
    // The controls outlive the form's own members while the widget goes: none of their events may reach
    // the form's handlers any more (a focused box reports that it loses the focus as it goes).
    for (QObject* child : findChildren<QObject*>()) {
        child->removeEventFilter(this);
        child->disconnect(this);
    }
}

void mdiEINGABE::buildHeader() {
    fraKEN = benannt(new QGroupBox(this), QStringLiteral("fraKEN"));
    fraKEN->setFixedSize(platform::twipsToPixels(kKopfBreite), platform::twipsToPixels(kKopfHoehe));
    lblKEN = beschriftung(fraKEN, QStringLiteral("lblKEN"), QStringLiteral("Datensatz"), 180, 200, 1260);
    txtKEN = benannt(new platform::TextBox(fraKEN), QStringLiteral("txtKEN"));
    placeTwips(txtKEN, 1500, 170, 1560, kFeldHoehe);
    txtKEN->setTypingLimit(8);
    lblKOM = beschriftung(fraKEN, QStringLiteral("lblKOM"), QStringLiteral("Kommentar"), 3360, 200, 1380);
    txtKOM = benannt(new platform::TextBox(fraKEN), QStringLiteral("txtKOM"));
    placeTwips(txtKOM, 4800, 170, 7260, kFeldHoehe);
    txtKOM->setTypingLimit(50);

    SSTab = benannt(new QTabWidget(this), QStringLiteral("SSTab"));
    SSTab->setFixedSize(platform::twipsToPixels(kReiterBreite), platform::twipsToPixels(kReiterHoehe));
    for (int i = 0; i < 2; ++i)
        fraREITER[i] = benannt(new QWidget, QStringLiteral("fraREITER"));
    SSTab->addTab(fraREITER[0], QStringLiteral("Allgemeine Daten"));
    SSTab->addTab(fraREITER[1], QStringLiteral("Messwerte"));
}

platform::TextBox* mdiEINGABE::zahlenfeld(QWidget* container, std::array<platform::Label*, 2>& labels,
                                          const QString& name, const std::pair<QString, QString>& symbol,
                                          const QString& unit, const QString& tooltip, double left,
                                          double top) {
    const QString stamm = QStringLiteral("lbl") + name.mid(3);
    labels[0] = benannt(new Formelzeichen(symbol.first, symbol.second, container), stamm, 0);
    placeTwips(labels[0], left + kSymbolLinks, top, kSymbolBreite, kFeldHoehe);
    auto* box = benannt(new platform::TextBox(container), name);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setToolTip(tooltip);
    placeTwips(box, left + kFeldLinks, top, kFeldBreite, kFeldHoehe);
    labels[1] = benannt(new platform::Label(unit, container), stamm, 1);
    labels[1]->setTextFormat(Qt::PlainText);
    placeTwips(labels[1], left + kEinheitLinks, top, kEinheitBreite, kFeldHoehe);
    return box;
}

void mdiEINGABE::buildTab0() {
    QWidget* seite = fraREITER[0];
    const QString fra = QStringLiteral("fraREITER0");

    lblKENV = beschriftung(seite, QStringLiteral("lblKENV"), QStringLiteral("Versuchsart:"), kLinks + 60, 270,
                           1440);
    cboKENV = benannt(new platform::ComboBox(seite), QStringLiteral("cboKENV"));
    // A fixed list: a typed text would be stored as the position -1.
    cboKENV->setEditable(false);
    cboKENV->AddItem(QStringLiteral("Standard-TAMBRINversuch"));
    cboKENV->AddItem(QStringLiteral("modifizierter TAMBRINversuch"));
    placeTwips(cboKENV, kLinks + 1560, 210, 4200, 390);

    fraREITER0[0] = rahmen(seite, fra, QStringLiteral("Versuchsdurchführung"), kLinks, 780, 2820, 1140);
    optKEND[0] = option(fraREITER0[0], QStringLiteral("optKEND"), 0, QStringLiteral("manuell"), kFrameOben);
    optKEND[1] = option(fraREITER0[0], QStringLiteral("optKEND"), 1, QStringLiteral("maschinell"), 720);
    optKEND[1]->setValue(true);

    fraREITER0[1] = rahmen(seite, fra, QStringLiteral("Einlageplatte"), kLinks + 2940, 780, 2820, 1140);
    optKENP[0] = option(fraREITER0[1], QStringLiteral("optKENP"), 0, QStringLiteral("mit"), kFrameOben);
    optKENP[1] = option(fraREITER0[1], QStringLiteral("optKENP"), 1, QStringLiteral("ohne"), 720);
    optKENP[1]->setValue(true);

    fraREITER0[2] = rahmen(seite, fra, QStringLiteral("TAMBRINzylinder"), kLinks, 2100, kSpalteBreite, 2280);
    QWidget* f = fraREITER0[2];
    txtDC = zahlenfeld(f, lblDC, QStringLiteral("txtDC"),
                       formelzeichen(QStringLiteral("d"), QStringLiteral("c")), QStringLiteral("cm"),
                       QStringLiteral("Innendurchmesser des Versuchszylinders"), 0, kFrameOben);
    txtHC =
        zahlenfeld(f, lblHC, QStringLiteral("txtHC"), formelzeichen(QStringLiteral("h"), QStringLiteral("c")),
                   QStringLiteral("cm"), QStringLiteral("Höhe des Zylinders"), 0, kFrameOben + kFeldAbstand);
    txtMC = zahlenfeld(f, lblMC, QStringLiteral("txtMC"),
                       formelzeichen(QStringLiteral("m"), QStringLiteral("c")), QStringLiteral("g"),
                       QStringLiteral("Masse des Zylinders"), 0, kFrameOben + 2 * kFeldAbstand);
    txtH2S = zahlenfeld(
        f, lblH2S, QStringLiteral("txtH2S"), formelzeichen(QStringLiteral("h\"")), QStringLiteral("cm"),
        QStringLiteral("h\" = Aufsatzringhöhe - Stahlplattendicke - Stellfuß der Tiefenlehre"), 0,
        kFrameOben + 3 * kFeldAbstand);

    fraREITER0[3] =
        rahmen(seite, fra, QStringLiteral("Wassergehaltsbestimmung"), kRechts, 180, kSpalteBreite, 1140);
    optKENW[0] = option(fraREITER0[3], QStringLiteral("optKENW"), 0,
                        QStringLiteral("Trocknen von Teilproben"), kFrameOben);
    optKENW[1] =
        option(fraREITER0[3], QStringLiteral("optKENW"), 1, QStringLiteral("Wiegen d. Wasserzugabe"), 720);
    optKENW[0]->setValue(true);

    txtRHSU =
        zahlenfeld(seite, lblRHS, QStringLiteral("txtRHSU"), formelzeichen(kRho, QStringLiteral("s")),
                   QStringLiteral("g/cm³"), QStringLiteral("Feststoffdichte des Bodens"), kRechts, 1470);
    txtDMAX = zahlenfeld(seite, lblDMAX, QStringLiteral("txtDMAX"),
                         formelzeichen(QStringLiteral("d"), QStringLiteral("max")), QStringLiteral("mm"),
                         QStringLiteral("verwendetes Größtkorn"), kRechts, 1470 + kFeldAbstand);

    fraREITER0[4] =
        rahmen(seite, fra, QStringLiteral("Wiegen der Wasserzugabe"), kRechts, 2460, kSpalteBreite, 1320);
    f = fraREITER0[4];
    txtMSG = zahlenfeld(f, lblMSG, QStringLiteral("txtMSG"),
                        formelzeichen(QStringLiteral("m"), QStringLiteral("s,g")), QStringLiteral("g"),
                        QStringLiteral("Trockenmasse des Gesamtbodens"), 0, kFrameOben);
    txtMZ =
        zahlenfeld(f, lblMZ, QStringLiteral("txtMZ"), formelzeichen(QStringLiteral("m"), QStringLiteral("z")),
                   QStringLiteral("g"), QStringLiteral("Masse des Zubehörs"), 0, kFrameOben + kFeldAbstand);

    fraREITER0[5] = rahmen(seite, fra, QStringLiteral("Überkörnung"), kRechts, 3900, kSpalteBreite, 2280);
    f = fraREITER0[5];
    txtUE = zahlenfeld(f, lblUE, QStringLiteral("txtUE"), formelzeichen(QStringLiteral("Ü")),
                       QStringLiteral("%"), QStringLiteral("Überkornanteil"), 0, kFrameOben);
    txtRHSUE = zahlenfeld(f, lblRHSUE, QStringLiteral("txtRHSUE"), formelzeichen(kRho, QStringLiteral("s,Ü")),
                          QStringLiteral("g/cm³"), QStringLiteral("Feststoffdichte des Überkornanteils"), 0,
                          kFrameOben + kFeldAbstand);
    txtWUE = zahlenfeld(f, lblWUE, QStringLiteral("txtWUE"),
                        formelzeichen(QStringLiteral("w"), QStringLiteral("Ü")), QStringLiteral("%"),
                        QStringLiteral("Wassergehalt des Überkornanteils"), 0, kFrameOben + 2 * kFeldAbstand);
    txtDUEMAX = zahlenfeld(f, lblDUEMAX, QStringLiteral("txtDUEMAX"),
                           formelzeichen(QStringLiteral("d"), QStringLiteral("max,Ü")), QStringLiteral("mm"),
                           QStringLiteral("Größtkorn des Überkornanteils"), 0, kFrameOben + 3 * kFeldAbstand);

    fraREITER0[6] = rahmen(seite, fra, QStringLiteral("Auswertevorgaben"), kLinks, kAuswertungOben,
                           kReiterBreite - 2 * kLinks - 60, kAuswertungHoehe);
    f = fraREITER0[6];
    const QString dprTip = QStringLiteral("Bei Dpr = 0% enfällt diese Auswertung.");
    lblDPR = benannt(new Formelzeichen(QStringLiteral("Auswertung für D"), QStringLiteral("Pr"), f),
                     QStringLiteral("lblDPR"));
    lblDPR->setToolTip(dprTip);
    placeTwips(lblDPR, kSymbolLinks, kFrameOben, 2700, kFeldHoehe);
    cboDPR = benannt(new platform::ComboBox(f), QStringLiteral("cboDPR"));
    for (const char* grad : {"90", "95", "97", "98", "100"})
        cboDPR->AddItem(QString::fromLatin1(grad));
    cboDPR->lineEdit()->setAlignment(Qt::AlignRight);
    // A degree is typed like the numbers beside it: a pasted one keeps no line break.
    platform::TextBox::takeInputAsTyped(*cboDPR->lineEdit());
    placeTwips(cboDPR, kSymbolLinks + 2760, kFrameOben - 15, 1200, 390);
    lbldDPR = benannt(new platform::Label(QStringLiteral("%"), f), QStringLiteral("lbldDPR"));
    lbldDPR->setToolTip(dprTip);
    placeTwips(lbldDPR, kSymbolLinks + 4020, kFrameOben, 600, kFeldHoehe);
    lblSPR = beschriftung(f, QStringLiteral("lblSPR"), QStringLiteral("Sprache"), 6300, kFrameOben, 1260);
    cboSPR = benannt(new platform::ComboBox(f), QStringLiteral("cboSPR"));
    cboSPR->setEditable(false);
    cboSPR->AddItem(QStringLiteral("Englisch"));
    cboSPR->AddItem(QStringLiteral("Deutsch"));
    placeTwips(cboSPR, 7620, kFrameOben - 15, 2400, 390);

    zahlenfelder_ = {{txtDC, "DC"},     {txtHC, "HC"},         {txtMC, "MC"},   {txtH2S, "H2S"},
                     {txtRHSU, "RHSU"}, {txtDMAX, "DMAX"},     {txtUE, "UE"},   {txtRHSUE, "RHSUE"},
                     {txtWUE, "WUE"},   {txtDUEMAX, "DUEMAX"}, {txtMSG, "MSG"}, {txtMZ, "MZ"}};
}

void mdiEINGABE::buildTab1() {
    QWidget* seite = fraREITER[1];
    std::array<QGroupBox*, 3> rahmenGrid{};
    rahmenGrid[0] = fraWGHTP1 = benannt(new QGroupBox(seite), QStringLiteral("fraWGHTP"));
    rahmenGrid[1] = fraWGHGP1 = benannt(new QGroupBox(seite), QStringLiteral("fraWGHGP"));
    rahmenGrid[2] = fraWGHGP2 = benannt(new QGroupBox(seite), QStringLiteral("fraWGHGP"));
    const double frameHoehe = kGridOben + kGridHoehe + 2 * kKnopfHoehe + 3 * kGridRand;
    for (int i = 0; i < 3; ++i)
        placeTwips(rahmenGrid[i], kFrameGridLinks[i], kFrameGridOben, kGridBreite[i] + 2 * kGridRand,
                   frameHoehe);

    const double titelBreite = kGridBreite[0];
    lblWGHTP = beschriftung(fraWGHTP1, QStringLiteral("lblWGHTP"),
                            QStringLiteral("Wassergehaltsbestimmung durch"), kGridRand, 240, titelBreite, 0);
    Label1 = beschriftung(fraWGHTP1, QStringLiteral("Label1"), QStringLiteral("Trocknen von Teilproben"),
                          kGridRand, 570, titelBreite);
    lblWGHGP =
        beschriftung(fraWGHGP1, QStringLiteral("lblWGHGP"), QStringLiteral("Wassergehaltsbestimmung durch"),
                     kGridRand, 240, kGridBreite[1], 0);
    Label2 = beschriftung(fraWGHGP1, QStringLiteral("Label2"), QStringLiteral("Wiegen d. Wasserzugabe"),
                          kGridRand, 570, kGridBreite[1]);
    for (platform::Label* titel : {Label1, Label2}) {
        QFont fett = font();
        fett.setBold(true);
        titel->setFont(fett);
        titel->setProperty("titel", true);
    }

    for (int i = 0; i < 3; ++i) {
        QGroupBox* r = rahmenGrid[i];
        msgFLX[i] = benannt(new platform::FlexGrid(r), QStringLiteral("msgFLX"), i);
        placeTwips(msgFLX[i], kGridRand, kGridOben, kGridBreite[i], kGridHoehe);
        picFLX[i] = benannt(new platform::PictureBox(r), QStringLiteral("picFLX"));
        picFLX[i]->setMouseTracking(true);
        txtFLX[i] = benannt(new platform::TextBox(r), QStringLiteral("txtFLX"), i);
        txtFLX[i]->hide();
        cboFLX[i] = benannt(new platform::ComboBox(r), QStringLiteral("cboFLX"), i);
        cboFLX[i]->hide();
    }
    // Row buttons below the two mass grids.
    for (int i = 0; i < 2; ++i) {
        QGroupBox* r = rahmenGrid[i];
        const double breite = (kGridBreite[i] - kGridRand) / 2;
        const double oben = kGridOben + kGridHoehe + kGridRand;
        const double links2 = kGridRand + breite + kGridRand;
        cmdH[i] = benannt(new QPushButton(QStringLiteral("Zeile einfügen"), r), QStringLiteral("cmdH"));
        placeTwips(cmdH[i], kGridRand, oben, breite, kKnopfHoehe);
        cmdW[i] = benannt(new QPushButton(QStringLiteral("Zeile entfernen"), r), QStringLiteral("cmdW"));
        placeTwips(cmdW[i], links2, oben, breite, kKnopfHoehe);
        cmdK[i] = benannt(new QPushButton(QStringLiteral("Kopieren"), r), QStringLiteral("cmdK"));
        placeTwips(cmdK[i], kGridRand, oben + kKnopfHoehe + 60, breite, kKnopfHoehe);
        cmdE[i] = benannt(new QPushButton(QStringLiteral("Einfügen"), r), QStringLiteral("cmdE"));
        placeTwips(cmdE[i], links2, oben + kKnopfHoehe + 60, breite, kKnopfHoehe);
    }
}

void mdiEINGABE::setEnglishCaptions() {
    SSTab->setTabText(0, QStringLiteral("general data"));
    SSTab->setTabText(1, QStringLiteral("readings"));
    lblKEN->setCaption(QStringLiteral("File"));
    lblKOM->setCaption(QStringLiteral("comment"));
    for (int i = 0; i < 2; ++i) {
        cmdH[i]->setText(QStringLiteral("Insert row"));
        cmdW[i]->setText(QStringLiteral("Remove row"));
        cmdK[i]->setText(QStringLiteral("Copy"));
        cmdE[i]->setText(QStringLiteral("Paste"));
    }
    lblSPR->setCaption(QStringLiteral("language"));
    cboSPR->Clear();
    cboSPR->AddItem(QStringLiteral("English"));
    cboSPR->AddItem(QStringLiteral("German"));
}

void mdiEINGABE::configureGrids() {
    using Liste = clsFLX::Liste;
    struct Spalten {
        Liste breiten, zeile1, zeile2, tipps, typen, formate, ausrichtung, minima, maxima;
    };
    const Variant lfd = QStringLiteral("Lfd."), nr = QStringLiteral("Nr."), g = QStringLiteral("[g]");
    const Variant ganz = QStringLiteral("#0"), zwei = QStringLiteral("#0.00");
    const Variant tippLfd = QStringLiteral("Laufende Nummer");
    const Variant leer = QString();
    const std::array<Spalten, 3> spalten{{
        {{10, 17, 17, 17, 17},
         {lfd, "m{t,3}1", "m{t,3}1,w", "m{t,3}2,w", "m{t,3}c,w"},
         {nr, g, g, g, g},
         {tippLfd, leer, leer, leer, leer},
         {1, 0, 0, 0, 0},
         {ganz, zwei, zwei, zwei, zwei},
         {1, 2, 2, 2, 2},
         {0, 0, 0, 0, 0},
         {100000, 100000, 100000, 100000, 100000}},
        {{10, 17, 17, 25},
         {lfd, "m{t,1}1", "m{t,3}1,r", "m{t,1}1 + m{t,3}1,r"},
         {nr, g, g, g},
         {tippLfd, "m1 = m + mc", "m1r = mr + mz", leer},
         {1, 0, 0, 8}, // the sum is worked out from the two columns before it
         {ganz, zwei, zwei, zwei},
         {1, 2, 2, 2},
         {0, 0, 0, 0},
         {100000, 100000, 100000, 100000}},
        {{10, 17},
         {lfd, "h'"},
         {nr, "[cm]"},
         {tippLfd, "h' ist das mit der Tiefenlehre gemessene Abstrichmaß"},
         {1, 0},
         {ganz, zwei},
         {1, 2},
         {0, -100000},
         {100000, 100000}},
    }};
    for (int i = 0; i < 3; ++i) {
        FLX_[i] = std::make_unique<clsFLX>();
        clsFLX& e = *FLX_[i];
        const Spalten& s = spalten[i];
        e.setEFLX(msgFLX[i]);
        e.setETXT(txtFLX[i]);
        e.setEPIC(picFLX[i]);
        e.setELSB(s.breiten);
        e.setELST1(s.zeile1);
        e.setELST2(s.zeile2);
        e.setELSTTT(s.tipps);
        e.setELSTYP(s.typen);
        e.setELFORMAT(s.formate);
        e.setELA(s.ausrichtung);
        e.setELMIN(s.minima);
        e.setELMAX(s.maxima);
        e.SCHRIFTEINSTELLUNGEN(QString(), 10, 0, 0, 0, 0);
        e.BESCHRIFTEN();
        e.AKTUALISIEREN();
    }
    // The h' grid has a row for each reading of the mass grid and none of its own: Enter, Tab and a paste
    // in it add no row.
    FLX_[2]->setEBOH(false);
}

void mdiEINGABE::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void mdiEINGABE::Form_Resize() {
    if (isMinimized() || (parentWidget() && parentWidget()->isMinimized())) return;
    const int kopf = fraKEN->height();
    const int oben = int(1.5 * kopf);
    const int links = (width() - SSTab->width()) / 2;
    SSTab->move(links, oben);
    fraKEN->move(links, oben - int(1.15 * kopf));
}

QString mdiEINGABE::dezimal() const {
    return RunState::current().DEZIMALPUNKT;
}

int mdiEINGABE::aktivesMassengrid() const {
    return optKENW[0]->Value() ? 0 : 1;
}
