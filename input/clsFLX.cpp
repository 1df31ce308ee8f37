// The grid editor's bindings and column model.
#include "clsFLX.h"

#include "clsFLX_Zustand.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/surface/PictureBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextBox.h"

#include <cmath>
#include <QLineEdit>

using platform::ErrorTrap;
using platform::Variant;
using platform::VbError;

namespace {

ErrorTrap trapOf(const char* tag) {
    return ErrorTrap(QStringLiteral("MSFlexGrid / ") + QLatin1String(tag));
}

platform::FlexGrid& gridOf(platform::FlexGrid* grid) {
    if (!grid) throw VbError::objectNotSet();
    return *grid;
}

// A 16-bit whole number, or nothing for another kind of value.
std::optional<std::int16_t> ganzzahl16(const Variant& v) {
    if (v.type() == platform::VarType::Integer) return v.asInteger();
    if (v.type() == platform::VarType::Long && v.asLong() >= INT16_MIN && v.asLong() <= INT16_MAX)
        return std::int16_t(v.asLong());
    return std::nullopt;
}

std::int16_t summe16(int value) {
    if (value < INT16_MIN || value > INT16_MAX) throw VbError::overflow();
    return std::int16_t(value);
}

} // namespace

clsFLX::clsFLX() : z_(std::make_unique<Zustand>()) {
    z_->tasten = std::make_unique<Editortasten>(*this);
}
clsFLX::~clsFLX() {
    // The grid may outlive its editor: its Tab then stops at every column again.
    if (z_->grid) z_->grid->setTabStop({});
}

// --- Bindings ---

platform::FlexGrid* clsFLX::EFLX() const {
    return z_->grid;
}

void clsFLX::setEFLX(platform::FlexGrid* grid) {
    ErrorTrap trap = trapOf("FLX");
    if (!trap.step([&] {
            if (z_->grid) {
                z_->grid->removeEventFilter(z_->tasten.get());
                z_->grid->setTabStop({});
            }
            z_->grid = grid;
            if (grid) {
                grid->installEventFilter(z_->tasten.get());
                grid->setTabStop([this](int spalte) { return TIPPBAR(spalte); });
            }
        }))
        return;
    Liste breiten;
    if (!trap.step([&] { breiten.assign(size_t(gridOf(z_->grid).Cols()), Variant(std::int16_t(15))); }))
        return;
    if (!trap.step([&] { z_->grid->setRows(z_->grid->FixedRows() + 1); })) return;
    if (!trap.step([&] { setELSB(breiten); })) return;
    trap.step([&] { z_->det = -1; });
}

clsFLX* clsFLX::EFLXK() {
    if (!z_->coupled) {
        z_->ownCoupled = std::make_unique<clsFLX>();
        z_->coupled = z_->ownCoupled.get();
    }
    return z_->coupled;
}

void clsFLX::setEFLXK(clsFLX* coupled) {
    ErrorTrap trap = trapOf("FLXK");
    trap.step([&] {
        z_->coupled = coupled;
        if (z_->ownCoupled.get() != coupled) z_->ownCoupled.reset();
    });
}

platform::TextBox* clsFLX::ETXT() const {
    return z_->txt;
}

void clsFLX::setETXT(platform::TextBox* box) {
    ErrorTrap trap = trapOf("TXT");
    if (!trap.step([&] {
            if (z_->txt) z_->txt->removeEventFilter(z_->tasten.get());
            z_->txt = box;
        }))
        return;
    if (!box) return;
    if (!trap.step([&] { box->installEventFilter(z_->tasten.get()); })) return;
    // A 3-D box with a single-line border, empty and hidden until a cell is edited.
    if (!trap.step([&] { box->setFrame(true); })) return;
    if (!trap.step([&] { box->setText(QString()); })) return;
    trap.step([&] { box->hide(); });
}

platform::ComboBox* clsFLX::ECBO() const {
    return z_->cbo;
}

void clsFLX::setECBO(platform::ComboBox* box) {
    ErrorTrap trap = trapOf("CBO");
    if (!trap.step([&] {
            if (z_->cbo) {
                z_->cbo->removeEventFilter(z_->tasten.get());
                if (z_->cbo->lineEdit()) z_->cbo->lineEdit()->removeEventFilter(z_->tasten.get());
            }
            z_->cbo = box;
        }))
        return;
    if (!box) return;
    if (!trap.step([&] {
            box->installEventFilter(z_->tasten.get());
            if (box->lineEdit()) box->lineEdit()->installEventFilter(z_->tasten.get());
        }))
        return;
    if (!trap.step([&] { box->setEditText(QString()); })) return;
    trap.step([&] { box->hide(); });
}

platform::PictureBox* clsFLX::EPIC() const {
    return z_->pic;
}

void clsFLX::setEPIC(platform::PictureBox* picture) {
    ErrorTrap trap = trapOf("PIC");
    if (!trap.step([&] { z_->pic = picture; })) return;
    if (!picture) return;
    // No border; the picture keeps its drawing; it starts half a millimetre inside the grid's corner.
    trap.step([&] {
        platform::FlexGrid& grid = gridOf(z_->grid);
        QWidget* container = picture->parentWidget();
        const QPoint corner = container ? container->mapFromGlobal(grid.mapToGlobal(QPoint(0, 0)))
                                        : grid.mapToGlobal(QPoint(0, 0));
        const float left = float((corner.x() * 15.0 + 0.5 * 56.7) / 56.7);
        const float top = float((corner.y() * 15.0 + 0.5 * 56.7) / 56.7);
        picture->setGeometryMm(left, top, picture->surface().ScaleWidth(), picture->surface().ScaleHeight());
        picture->raise();
        // Its tooltip follows the pointer, which moves over the picture rather than the grid's title row.
        picture->setMouseTracking(true);
    });
}

// --- Column model ---

const clsFLX::Liste& clsFLX::ELSB() const {
    return z_->lsb;
}

void clsFLX::setELSB(const Liste& breiten) {
    ErrorTrap trap = trapOf("LSB");
    if (!trap.step([&] { z_->lsb = breiten; })) return;
    if (!trap.step([&] { gridOf(z_->grid).setCols(int(breiten.size())); })) return;
    platform::FlexGrid* grid = z_->grid;
    const int spalten = grid ? grid->Cols() : 0;
    for (int c = 0; c < spalten; ++c) {
        if (!trap.step([&] {
                grid->setColWidth(c,
                                  platform::CLng(Variant(platform::CDbl(flx::eintrag(breiten, c)) * 56.7)));
            }))
            return;
        if (!trap.step([&] { grid->setFixedAlignment(c, 4); })) return;
    }
    if (!trap.step([&] {
            for (Liste* l : {&z_->lst1, &z_->lsttt, &z_->lstyp, &z_->lformat, &z_->la, &z_->lmin, &z_->lmax})
                l->assign(size_t(spalten), Variant());
            z_->lcbo.assign(size_t(spalten), QStringList());
        }))
        return;
    const size_t n = size_t(spalten);
    Liste titel(n), tips(n), typen(n), ausrichtung(n);
    for (int c = 0; c < spalten; ++c) {
        titel[size_t(c)] = Variant(QStringLiteral("I") + QString::number(c + 1));
        tips[size_t(c)] = Variant(QStringLiteral("SpaltenNr.") + QString::number(c + 1));
        typen[size_t(c)] = Variant(std::int16_t(0));
        ausrichtung[size_t(c)] = Variant(std::int16_t(2));
    }
    if (!trap.step([&] { setELST1(titel); })) return;
    if (!trap.step([&] { z_->lsttt = tips; })) return;
    if (!trap.step([&] { setELSTYP(typen); })) return;
    if (!trap.step([&] { setELA(ausrichtung); })) return;
    if (!trap.step([&] {
            z_->boh = true;
            z_->dete = QStringLiteral("mm");
        }))
        return;
    trap.step([&] { SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0); });
}

const clsFLX::Liste& clsFLX::ELST1() const {
    return z_->lst1;
}

void clsFLX::setELST1(const Liste& titel) {
    ErrorTrap trap = trapOf("LST1");
    if (!trap.step([&] { z_->lst1 = titel; })) return;
    platform::FlexGrid* grid = z_->grid;
    int spalten = 0;
    if (!trap.step([&] { spalten = gridOf(grid).Cols(); })) return;
    for (int c = 0; c < spalten; ++c)
        if (!trap.step([&] { grid->setTextMatrix(0, c, platform::CStr(flx::eintrag(titel, c))); })) return;
}

const std::optional<clsFLX::Liste>& clsFLX::ELST2() const {
    return z_->lst2;
}

void clsFLX::setELST2(const std::optional<Liste>& titel) {
    ErrorTrap trap = trapOf("LST2");
    trap.step([&] { z_->lst2 = titel; });
}

const clsFLX::Liste& clsFLX::ELSTTT() const {
    return z_->lsttt;
}

void clsFLX::setELSTTT(const Liste& tips) {
    ErrorTrap trap = trapOf("LSTTT");
    trap.step([&] { z_->lsttt = tips; });
}

const clsFLX::Liste& clsFLX::ELSTYP() const {
    return z_->lstyp;
}

void clsFLX::setELSTYP(const Liste& typen) {
    ErrorTrap trap(QStringLiteral("LSTYP - FlexGrid"));
    if (!trap.step([&] {
            z_->lstyp = typen;
            std::fill(std::begin(z_->typSpalte), std::end(z_->typSpalte), -1);
        }))
        return;
    platform::FlexGrid* grid = z_->grid;
    int spalten = 0;
    if (!trap.step([&] { spalten = gridOf(grid).Cols(); })) return;
    for (int c = 0; c < spalten; ++c) {
        if (!trap.step([&] {
                const auto typ = flx::zahl(flx::eintrag(typen, c));
                const int t = typ ? platform::CInt(Variant(*typ)) : 0;
                if (t >= 1 && t <= 6) z_->typSpalte[t] = c;
            }))
            return;
    }
    // Levels count only upward from level 1.
    if (!trap.step([&] {
            const int* s = z_->typSpalte;
            grid->setFixedCols(s[1] < 0 ? 0 : s[2] < 0 ? 1 : s[3] < 0 ? 2 : 3);
        }))
        return;
    if (!trap.step([&] { z_->s1 = z_->s2 = z_->s3 = 0; })) return;
    if (!trap.step([&] { z_->indexMax = Variant(std::int16_t(0)); })) return;
    trap.step([&] { NUMMERIEREN(); });
}

QStringList clsFLX::ELCBO(std::int16_t INDEX) const {
    if (INDEX < 0 || size_t(INDEX) >= z_->lcbo.size()) throw VbError::subscriptOutOfRange();
    return z_->lcbo[size_t(INDEX)];
}

void clsFLX::setELCBO(std::int16_t INDEX, const QStringList& auswahl) {
    ErrorTrap trap = trapOf("LCBO");
    trap.step([&] {
        if (INDEX < 0 || size_t(INDEX) >= z_->lcbo.size()) throw VbError::subscriptOutOfRange();
        z_->lcbo[size_t(INDEX)] = auswahl;
    });
}

const clsFLX::Liste& clsFLX::ELFORMAT() const {
    return z_->lformat;
}

void clsFLX::setELFORMAT(const Liste& formate) {
    ErrorTrap trap = trapOf("LFORMAT");
    trap.step([&] { z_->lformat = formate; });
}

const clsFLX::Liste& clsFLX::ELA() const {
    return z_->la;
}

void clsFLX::setELA(const Liste& ausrichtung) {
    ErrorTrap trap = trapOf("LA ");
    if (!trap.step([&] { z_->la = ausrichtung; })) return;
    platform::FlexGrid* grid = z_->grid;
    int spalten = 0;
    if (!trap.step([&] { spalten = gridOf(grid).Cols(); })) return;
    for (int c = 0; c < spalten; ++c) {
        if (!trap.step([&] { grid->setFixedAlignment(c, 4); })) return;
        if (!trap.step([&] {
                const Variant& e = flx::eintrag(ausrichtung, c);
                const std::optional<double> a = e.isEmpty() ? std::optional<double>(0) : flx::zahl(e);
                if (a == 0.0)
                    grid->setColAlignment(c, 1);
                else if (a == 1.0)
                    grid->setColAlignment(c, 4);
                else if (a == 2.0)
                    grid->setColAlignment(c, 7);
            }))
            return;
    }
}

const clsFLX::Liste& clsFLX::ELMIN() const {
    return z_->lmin;
}

void clsFLX::setELMIN(const Liste& minima) {
    ErrorTrap trap = trapOf("LMIN");
    trap.step([&] { z_->lmin = minima; });
}

const clsFLX::Liste& clsFLX::ELMAX() const {
    return z_->lmax;
}

void clsFLX::setELMAX(const Liste& maxima) {
    ErrorTrap trap = trapOf("LMAX");
    trap.step([&] { z_->lmax = maxima; });
}

const clsFLX::Indexwert& clsFLX::ELINDEXMIN() const {
    return z_->indexMin;
}

void clsFLX::setELINDEXMIN(const Indexwert& starts) {
    ErrorTrap trap = trapOf("LINDEXMIN");
    if (!trap.step([&] {
            z_->indexMin = starts;
            if (std::holds_alternative<std::monostate>(starts)) {
                z_->s1 = z_->s2 = z_->s3 = 0;
            } else if (const auto* v = std::get_if<Variant>(&starts)) {
                if (const auto n = ganzzahl16(*v)) {
                    z_->s1 = *n;
                    z_->s2 = z_->s3 = 0;
                }
            } else {
                const Liste& l = std::get<Liste>(starts);
                if (l.size() == 2 || l.size() == 3) {
                    const std::int16_t a = platform::CInt(l[0]), b = platform::CInt(l[1]);
                    const std::int16_t c = l.size() == 3 ? platform::CInt(l[2]) : std::int16_t(0);
                    z_->s1 = a;
                    z_->s2 = b;
                    z_->s3 = c;
                }
            }
        }))
        return;
    trap.step([&] { NUMMERIEREN(); });
}

const clsFLX::Indexwert& clsFLX::ELINDEXMAX() const {
    return z_->indexMax;
}

void clsFLX::setELINDEXMAX(const Indexwert& maxima) {
    ErrorTrap trap = trapOf("ELINDEXMAX");
    if (!trap.step([&] {
            z_->indexMax = maxima;
            platform::FlexGrid& grid = gridOf(z_->grid);
            if (std::holds_alternative<std::monostate>(maxima)) {
                z_->m2 = z_->m3 = 0;
                grid.setRows(grid.FixedRows() + 1);
            } else if (const auto* v = std::get_if<Variant>(&maxima)) {
                if (const auto n = ganzzahl16(*v)) {
                    z_->m2 = *n;
                    z_->m3 = 0;
                    grid.setRows(grid.FixedRows() + summe16(*n - z_->s2 + 1));
                }
            } else {
                const Liste& l = std::get<Liste>(maxima);
                if (l.size() < 2) throw VbError::subscriptOutOfRange();
                z_->m2 = platform::CInt(l[0]);
                z_->m3 = platform::CInt(l[1]);
                const std::int16_t n2 = summe16(z_->m2 - z_->s2 + 1), n3 = summe16(z_->m3 - z_->s3 + 1);
                grid.setRows(grid.FixedRows() + summe16(n2 * n3));
            }
        }))
        return;
    trap.step([&] { NUMMERIEREN(); });
}

const clsFLX::Liste& clsFLX::ELSELEK() const {
    return z_->lselek;
}

void clsFLX::setELSELEK(const Liste& felder) {
    ErrorTrap trap = trapOf("LSELEK");
    trap.step([&] { z_->lselek = felder; });
}

QString clsFLX::EMATRIX(std::int16_t SPALTENR, std::int16_t ZEILENR) {
    ErrorTrap trap = trapOf("EMATRIX");
    QString text;
    trap.step([&] { text = gridOf(z_->grid).TextMatrix(SPALTENR, ZEILENR); });
    return text;
}

void clsFLX::setEMATRIX(std::int16_t SPALTENR, std::int16_t ZEILENR, const Matrix& M) {
    ErrorTrap trap = trapOf("EMATRIX");
    trap.step([&] {
        if (SPALTENR < 0 || size_t(SPALTENR) >= M.size()) throw VbError::subscriptOutOfRange();
        const auto& zeile = M[size_t(SPALTENR)];
        if (ZEILENR < 0 || size_t(ZEILENR) >= zeile.size()) throw VbError::subscriptOutOfRange();
        gridOf(z_->grid).setTextMatrix(SPALTENR, ZEILENR, platform::CStr(zeile[size_t(ZEILENR)]));
    });
}

bool clsFLX::EBOH() const {
    return z_->boh;
}

void clsFLX::setEBOH(bool anhaengen) {
    ErrorTrap trap = trapOf("EBOH");
    trap.step([&] { z_->boh = anhaengen; });
}

std::int16_t clsFLX::EDET() const {
    return z_->det;
}

void clsFLX::setEDET(std::int16_t bezug) {
    ErrorTrap trap = trapOf("EDET");
    trap.step([&] { z_->det = bezug; });
}

const QString& clsFLX::EDETE() const {
    return z_->dete;
}

void clsFLX::setEDETE(const QString& einheit) {
    ErrorTrap trap = trapOf("EDETE");
    trap.step([&] { z_->dete = einheit; });
}

std::int16_t clsFLX::ESNR() const {
    return z_->snr;
}
std::int16_t clsFLX::EZNR() const {
    return z_->znr;
}
