#include "EingabeLauf.h"

#include "platform/db/Recordset.h"
#include "platform/runtime/Convert.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/OptionButton.h"

#include <QApplication>
#include <QTabWidget>

void Hauptfenster::stbMAIN_PanelClick(int panel) {
    if (panel != 8) return;
    ++panel8;
    gespeichert = form && form->EINGABEPRUEFEN() && form->OK(speicherID);
}

EingabeLauf::EingabeLauf(const QString& sprache)
    : run_(testsupport::TestRun::Options{sprache, sprache == QLatin1String("en") ? QStringLiteral(".")
                                                                                 : QStringLiteral(",")}) {
    haupt_.uebernehmen(run_);
}

EingabeLauf::~EingabeLauf() {
    formen_.clear();
    haupt_.uninstall();
}

mdiEINGABE& EingabeLauf::neu() {
    formen_.push_back(std::make_unique<mdiEINGABE>());
    mdiEINGABE& form = *formen_.back();
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    form.show();
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
    haupt_.form = &form;
    return form;
}

QString EingabeLauf::wert(const QString& sql) {
    platform::Recordset rs;
    rs.OpenForReading(sql, db());
    if (rs.eof()) return QStringLiteral("<keine Zeile>");
    const platform::Variant v = rs.Value(0);
    return v.isNull() ? QString() : platform::CStr(v);
}

int EingabeLauf::anzahl(const QString& sql) {
    return wert(sql).toInt();
}

void EingabeLauf::zelleTippen(mdiEINGABE& form, int grid, int zeile, int spalte, const QString& text) {
    platform::FlexGrid& g = *form.msgFLX[grid];
    g.setRow(zeile);
    g.setCol(spalte);
    form.msgFLX_KeyPress(grid, text.at(0).unicode());
    form.txtFLX[grid]->insert(text.mid(1));
    form.txtFLX_KeyPress(grid, 13);
}

void EingabeLauf::eintragen(mdiEINGABE& form, const examples::Record& r) {
    const QString dz = d();
    auto zahl = [&dz](float v) { return platform::SingleText(v, dz); };
    form.txtKEN->setText(r.KEN.isEmpty() ? QStringLiteral("Probe B") : r.KEN);
    form.txtKOM->setText(r.KOM);
    form.cboKENV->setListIndex(r.KENV);
    form.optKEND[r.KEND ? 0 : 1]->setValue(true);
    form.optKENP[r.KENP ? 0 : 1]->setValue(true);
    form.optKENW[r.KENW ? 0 : 1]->setValue(true);
    const std::pair<platform::TextBox*, float> felder[] = {
        {form.txtDC, r.DC},     {form.txtHC, r.HC},         {form.txtMC, r.MC},   {form.txtH2S, r.H2S},
        {form.txtRHSU, r.RHSU}, {form.txtDMAX, r.DMAX},     {form.txtUE, r.UE},   {form.txtRHSUE, r.RHSUE},
        {form.txtWUE, r.WUE},   {form.txtDUEMAX, r.DUEMAX}, {form.txtMSG, r.MSG}, {form.txtMZ, r.MZ}};
    for (const auto& [box, v] : felder)
        box->setText(zahl(v));
    form.cboDPR->setText(zahl(r.DPR));

    form.SSTab->setCurrentIndex(1);
    const int i = r.KENW ? 0 : 1;
    platform::FlexGrid& g = *form.msgFLX[i];
    for (std::size_t k = 0; k < r.readings.size(); ++k) {
        const examples::Reading& x = r.readings[k];
        const int zeile = g.FixedRows() + int(k);
        if (zeile >= g.Rows()) {
            // Enter in the last cell of the last row appends the next reading's row, here and in h'.
            g.setRow(g.Rows() - 1);
            g.setCol(g.Cols() - 1);
            form.msgFLX_KeyPress(i, 13);
        }
        if (r.KENW) {
            zelleTippen(form, 0, zeile, 1, zahl(x.M1));
            zelleTippen(form, 0, zeile, 2, zahl(x.M1W));
            zelleTippen(form, 0, zeile, 3, zahl(x.M2W));
            zelleTippen(form, 0, zeile, 4, zahl(x.MCW));
        } else {
            zelleTippen(form, 1, zeile, 1, zahl(x.M1 - x.M1R));
            zelleTippen(form, 1, zeile, 2, zahl(x.M1R));
        }
        zelleTippen(form, 2, zeile, 1, zahl(x.HS));
    }
    // Enter in the last reading's last cell has appended a row for a next one that does not come: the form
    // is to hold the record's readings alone.
    if (g.Rows() > g.FixedRows() + int(r.readings.size())) {
        g.setRow(g.Rows() - 1);
        form.cmdW_Click(i);
    }
    form.SSTab->setCurrentIndex(0);
}

platform::FlexGrid& EingabeLauf::mitTiefenlehre(mdiEINGABE& form) {
    eintragen(form, examples::dryingSet());
    platform::FlexGrid& h = *form.msgFLX[2];
    for (int r = 1; r <= 6; ++r)
        h.setTextMatrix(r, 1, QStringLiteral("0,%1").arg(40 + r));
    return h;
}

QStringList zellen(const platform::FlexGrid& g) {
    QStringList out;
    for (int r = g.FixedRows(); r < g.Rows(); ++r) {
        QStringList zeile;
        for (int c = 0; c < g.Cols(); ++c)
            zeile << g.TextMatrix(r, c);
        out << zeile.join(QLatin1Char('\t'));
    }
    return out;
}

QStringList spalte(const platform::FlexGrid& g, int c) {
    QStringList out;
    for (int r = g.FixedRows(); r < g.Rows(); ++r)
        out << g.TextMatrix(r, c);
    return out;
}

QStringList ansicht(const mdiEINGABE& f) {
    QStringList out;
    out << QStringLiteral("KEN ") + f.txtKEN->Text() << QStringLiteral("KOM ") + f.txtKOM->Text();
    out << QStringLiteral("KENV %1").arg(f.cboKENV->ListIndex());
    out << QStringLiteral("KEND %1 %2").arg(f.optKEND[0]->Value()).arg(f.optKEND[1]->Value());
    out << QStringLiteral("KENP %1 %2").arg(f.optKENP[0]->Value()).arg(f.optKENP[1]->Value());
    out << QStringLiteral("KENW %1 %2").arg(f.optKENW[0]->Value()).arg(f.optKENW[1]->Value());
    for (const auto& feld : f.zahlenfelder())
        out << QString::fromLatin1(feld.column) + QLatin1Char(' ') + feld.box->Text();
    out << QStringLiteral("DPR ") + f.cboDPR->Text() << QStringLiteral("SPR %1").arg(f.cboSPR->ListIndex());
    for (int i = 0; i < 3; ++i) {
        out << QStringLiteral("grid %1 %2").arg(i).arg(f.msgFLX[i]->Enabled() ? "an" : "aus");
        if (f.msgFLX[i]->Enabled()) out << zellen(*f.msgFLX[i]);
    }
    return out;
}
