// The results table of the multiple evaluation: per record its maximum dry density, optimum water content,
// the water contents on the dry and the wet side at the chosen degree of compaction and its grain density,
// from the points or from the spline as the diagram read the switch last; below them mean, standard
// deviation and coefficient of variation of every column.
#include "mdiMSEITE1.h"

#include "clsDATEN.h"
#include "clsTABELLE.h"
#include "MSeite1Layout.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/Convert.h"
#include "platform/surface/PictureBox.h"
#include "platform/surface/ScrollBar.h"

#include <QScopedValueRollback>

using drawing::Zellenfeld;
using platform::Variant;

namespace {

struct Spalte {
    const char* kopf;
    const char* einheit;
    const char* punkte; // the column of A1 with the point results
    const char* spline; // ... with the spline results
    double breite;
    const char* format;
};

const Spalte kSpalten[] = {{"Datensatz", "", "", "", 18, ""},
                           {"{g,1}r{t,2}Pr", "[g/cm³]", "RHPR", "RHPRSP", 17, "#0.000"},
                           {"w{t,2}Pr", "[%]", "WPR", "WPRSP", 13, "##0.0"},
                           {"w{t,1}u", "[%]", "WUDPR", "WUDPRSP", 13, "##0.0"},
                           {"w{t,1}o", "[%]", "WODPR", "WODPRSP", 13, "##0.0"},
                           {"{g,1}r{t,1}S", "[g/cm³]", "RHS", "RHS", 17, "#0.00"}};
constexpr int NS = 6;

} // namespace

void mdiMSEITE1::BILD120(int OBJ, float XDL, float YDO) {
    Bildlauf lauf(*this, 1, QStringLiteral("Bild 120"), OBJ);
    if (!lauf.bereit()) return;
    platform::ErrorTrap& trap = lauf.trap;
    // The table moves its scroll bar itself: that is no change by the user.
    const QScopedValueRollback<bool> zeichnen(tabelleZeichnen_, true);

    // On screen the scroll bar chooses the rows shown; the printed table shows every row, on a sheet of
    // several the rows of that sheet.
    clsTABELLE* const tabelle = tabelleBeginnen(
        OBJ, XDL, YDO, OBJ == 0 ? &picBILD120->verticalScrollBar() : druckfenster_.get(), trap);
    if (!tabelle) return;
    clsTABELLE& t = *tabelle;
    if (!trap.step([&] {
            t.setERZ(mseite1layout::kBlockRand);
            t.setEZA(mseite1layout::kZeilenfaktor);
            t.setEZH(mseite1layout::kZeilenhoehe);
            t.setERU(mseite1layout::kTabelleRandUnten);
        }))
        return;
    if (!trap.step([&] {
            std::vector<double> breite;
            std::vector<QString> format;
            for (const Spalte& s : kSpalten) {
                breite.push_back(s.breite);
                format.push_back(QString::fromUtf8(s.format));
            }
            t.setELSB(breite);
            t.setELGIT(std::vector<double>{2, 1, 1, 1, 1});
            t.setELGITLEER(std::vector<double>(NS, 0.0));
            t.setELA(std::vector<double>{0, 3, 3, 3, 3, 3});
            t.setELFORMAT(format);
            t.setELMW(std::vector<double>{0, 1, 1, 1, 1, 1});
        }))
        return;

    kopf_ = Zellenfeld(NS, 2);
    for (int i = 0; i < NS; ++i) {
        kopf_(i, 0) = Variant(QString::fromUtf8(kSpalten[i].kopf));
        kopf_(i, 1) = Variant(QString::fromUtf8(kSpalten[i].einheit));
    }
    // Every record's values as stored; an empty value leaves its cell empty, and the water contents are
    // shown in percent (an empty one as 0).
    const int n = int(ID_.size());
    body_ = Zellenfeld(NS, n);
    if (!trap.step([&] {
            for (int j = 0; j < n; ++j) {
                a1_->ESPIDW = ID_[std::size_t(j)];
                body_.setKlartext(0, j, KEN_[j]);
                for (int i = 1; i < NS; ++i) {
                    Variant v;
                    const char* spalte = POSP_ == 0 ? kSpalten[i].punkte : kSpalten[i].spline;
                    if (a1_->DTVV(QString::fromLatin1(spalte), v) && !v.isNull()) body_(i, j) = v;
                }
                for (int i = 2; i <= 4; ++i) {
                    const Variant& v = body_(i, j);
                    const float prozent = v.isEmpty() ? 0.0f : platform::CSng(v) * 100.0f;
                    body_(i, j) = Variant(prozent);
                }
            }
            a1_->ESPIDW = 0;
        }))
        return;
    statistikblock_ = Zellenfeld(NS, 3);
    statistikblock_(0, 0) = Variant(QStringLiteral("Mittelwert"));
    statistikblock_(0, 1) = Variant(QStringLiteral("Stand.abw."));
    statistikblock_(0, 2) = Variant(QStringLiteral("Var.koeff."));

    if (!trap.step([&] { t.TABELLE(kopf_, 0); })) return;
    if (!trap.step([&] { t.TABELLE(body_, 1); })) return;
    if (OBJ == 1 && !statistikDrucken_) return;
    trap.step([&] { t.TABELLE(statistikblock_, 2); });
}
