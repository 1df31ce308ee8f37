#include "clsTABELLE.h"

#include "PointMarker.h"
#include "SingleMath.h"
#include "STATISTIK.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/runtime/Color.h"
#include "platform/surface/ScrollBar.h"
#include "platform/surface/Surface.h"

#include <algorithm>

using drawing::Zellenfeld;
using platform::Variant;
using platform::VbError;

namespace {

const QString kSymbol = QStringLiteral("SYMBOL");

// The table's labels: Greek pieces raised, "s" groups drawn as text.
drawing::LabelStyle tableLabels() {
    drawing::LabelStyle style;
    style.rules.pointMarkers = false;
    style.rules.greekRaised = true;
    return style;
}

bool isEmptyCell(const Variant& v) {
    return v.isEmpty() || v.isNull() || (v.isString() && v.asString().isEmpty());
}

// A cell as the header shows it, unformatted; Null counts as empty.
QString cellText(const Variant& v) {
    return v.isNull() ? QString() : platform::CStr(v);
}

QString pattern(const std::optional<std::vector<QString>>& patterns, int column) {
    if (!patterns) throw VbError::typeMismatch();
    if (column < 0 || column >= int(patterns->size())) throw VbError::subscriptOutOfRange();
    return (*patterns)[std::size_t(column)];
}

Variant figure(const std::optional<float>& value) {
    return value ? Variant(*value) : Variant(QStringLiteral("-"));
}

// The last row of a window: counted from the bottom of the first row, each row one pitch lower, the
// first row whose bottom lies below the limit and every row after it stay out.
int rowsThatFit(int NZ, float firstBottom, float pitch, float limit) {
    for (int i = 0; i < NZ; ++i)
        if (firstBottom + float(i) * pitch > limit) return i - 1;
    return NZ - 1;
}

} // namespace

clsTABELLE::~clsTABELLE() {
    EOBJEKT_ = nullptr;
    EYBALKEN_ = nullptr;
}

platform::Surface& clsTABELLE::surface() const {
    if (!EOBJEKT_) throw VbError::objectNotSet();
    return *EOBJEKT_;
}

void clsTABELLE::setEOBJEKT(platform::Surface* s) {
    EOBJEKT_ = s;
    if (!s) return;
    ppu_ = drawing::measureSurface(*s);
    SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
}

void clsTABELLE::setELSB(drawing::NumberList widths) {
    ELSB_ = std::move(widths);
    const std::size_t n = ELSB_ ? ELSB_->size() : 0;
    ELGIT_ = std::vector<double>(n, 0.0);
    ELMW_ = std::vector<double>(n, 0.0);
    ELGITLEER_ = std::vector<double>(n > 0 ? n - 1 : 0, 0.0);
}

void clsTABELLE::LINIENEINSTELLUNGEN(std::int16_t LINIENART, float& LINIENBREITE, long& FARBE) {
    platform::ErrorTrap trap(QStringLiteral("Linieneinstellungen"), QStringLiteral("VB-Error "));
    platform::Surface* s = nullptr;
    if (!trap.step([&] { s = &surface(); }) || !s) return;
    drawing::applyPen(*s, ppu_.x, LINIENART, LINIENBREITE, FARBE, trap);
}

void clsTABELLE::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, std::int16_t SCHRIFTGROESSE,
                                      std::int16_t FETT, std::int16_t UNTERSTRICHEN, std::int16_t KURSIV,
                                      long FARBE) {
    platform::ErrorTrap trap(QStringLiteral("Schrifteinstellungen"), QStringLiteral("VB-Error:"));
    platform::Surface* s = nullptr;
    if (!trap.step([&] { s = &surface(); }) || !s) return;
    drawing::applyFont(*s, fonts_, SCHRIFTART, SCHRIFTGROESSE, FETT, UNTERSTRICHEN, KURSIV, FARBE, trap);
}

void clsTABELLE::text(const QString& label, float X, float Y, std::int16_t ARX, std::int16_t ARY,
                      drawing::LabelKind kind) {
    platform::ErrorTrap trap(QStringLiteral("Sub TEXT, Klassenmodul clsGRAFIK"),
                             QStringLiteral("VB-Error: "));
    platform::Surface* s = nullptr;
    if (!trap.step([&] { s = &surface(); }) || !s) return;
    drawing::drawLabel(*s, fonts_, label, X, Y, ARX, ARY, tableLabels(), kind, trap);
}

// --- Layout ---

bool clsTABELLE::spalten(const Zellenfeld& X) {
    platform::Surface& s = surface();
    if (!ELSB_) {
        platform::RunState::current().dialogs().MsgBox(
            QStringLiteral("Angabe der Spaltenbreiten in Objekt ") + s.Name() + QStringLiteral(" fehlt !"),
            platform::Msg::OKOnly | platform::Msg::Exclamation, QStringLiteral("Tabelle"));
        return false;
    }
    NS_ = std::min(int(ELSB_->size()), X.columns());
    W_ = 0;
    for (int i = 0; i < NS_; ++i)
        W_ += float(drawing::entry(ELSB_, i));
    if (EZH_ <= 0) EZH_ = s.TextHeight(QStringLiteral("X"));
    return true;
}

float clsTABELLE::zeilenhoehe(int rows) const {
    return 2 * ERZ_ + float(rows - 1) * (EZH_ * EZA_) + EZH_;
}

float clsTABELLE::spaltenLinks(int column) const {
    float x = EXDL_ + ERL_;
    for (int i = 0; i < column; ++i)
        x += float(drawing::entry(ELSB_, i));
    return x;
}

// The double frame of a block: the inner rectangle from top, the outer one 0.5 mm around it.
void clsTABELLE::rahmen(float top, float height) const {
    platform::Surface& s = surface();
    const float L = EXDL_ + ERL_;
    s.Box(L, top, L + W_, top + height);
    s.Box(L - 0.5f, top - 0.5f, L + W_ + 0.5f, top + height + 0.5f);
}

// The rules between the columns of a block from top down over height; in the header a rule leaves out
// the rows whose cells span its boundary.
void clsTABELLE::linien(float top, float height, const Zellenfeld& X, bool header) const {
    platform::Surface& s = surface();
    for (int i = 0; i + 1 < NS_; ++i) {
        const float x = spaltenLinks(i + 1);
        float y = top, length = height;
        if (header) {
            const int k = drawing::integerEntry(ELGITLEER_, i);
            if (k >= X.rows()) continue; // no rule in the header
            if (k != 0) {
                y = top + float(k) * EZH_ + ERZ_ + 1;
                length = height - float(k) * EZH_ - ERZ_ - 1;
            }
        }
        const int rule = drawing::integerEntry(ELGIT_, i);
        if (rule >= 1) s.Line(x, y, x, y + length);
        if (rule == 2) s.Line(x + 0.5f, y, x + 0.5f, y + length);
    }
}

void clsTABELLE::TABELLE(Zellenfeld& X, std::int16_t POSITION) {
    if (!spalten(X)) return;
    if (POSITION == 1)
        koerper(X);
    else if (POSITION == 2)
        statistikblock(X);
    else
        kopf(X);
}

// --- Header ---

void clsTABELLE::kopf(Zellenfeld& X) {
    const int NZ = X.rows();
    const float T = EYDO_ + ERO_, p = EZH_ * EZA_;
    HK_ = zeilenhoehe(NZ);
    rahmen(T, HK_);
    linien(T, HK_, X, true);
    for (int j = 0; j < NZ; ++j) {
        const float Y = T + ERZ_ + EZH_ + float(j) * p;
        for (int i = 0; i < NS_; ++i) {
            // A cell takes in the next columns while the boundary after it leaves this row out.
            const int i0 = i;
            float w = float(drawing::entry(ELSB_, i));
            while (i < NS_ - 1 && drawing::integerEntry(ELGITLEER_, i) > j) {
                ++i;
                w += float(drawing::entry(ELSB_, i));
            }
            text(cellText(X(i0, j)), spaltenLinks(i0) + w / 2, Y - 1.5f, 1, 1,
                 X.klartext(i0, j) ? drawing::LabelKind::Plain : drawing::LabelKind::Markup);
        }
    }
}

// --- Body ---

void clsTABELLE::koerper(Zellenfeld& X) {
    const float T = EYDO_ + ERO_, p = EZH_ * EZA_;
    fenster(X.rows());
    rahmen(T + HK_ + 0.5f, HB_);
    linien(T + HK_ + 0.5f, HB_, X, false);
    for (int j = EEZ_; j <= ELZ_; ++j) {
        const float Y = T + HK_ + ERZ_ + EZH_ + float(j - EEZ_) * p;
        for (int i = 0; i < NS_; ++i) {
            if (pattern(ELFORMAT_, i) == kSymbol)
                PUNKTSYMBOL(spaltenLinks(i) + float(drawing::entry(ELSB_, i)) / 2, Y - EZH_ / 2,
                            platform::CInt(X(i, j)));
            else
                zelle(X, i, j, Y);
        }
    }
    statistik(X);
}

void clsTABELLE::fenster(int NZ) {
    const float p = EZH_ * EZA_;
    if (!EYBALKEN_) {
        EEZ_ = 0;
        ELZ_ = std::int16_t(NZ - 1);
        HB_ = zeilenhoehe(NZ);
        return;
    }
    platform::ScrollBar& bar = *EYBALKEN_;
    platform::Surface& s = surface();
    // The first row of the window that the scroll bar's position selects among the rows that don't fit.
    auto first = [&](int n) -> std::int16_t {
        const int span = bar.Max() - bar.Min();
        if (span == 0) throw VbError::divisionByZero();
        const double share = platform::Round(double(bar.Value()) / double(span), 3);
        const double row = platform::RoundHalfEven(share * double(NZ - 1 - n));
        return platform::CInt(Variant(std::max(row, 0.0)));
    };
    if (!s.isPrinter()) {
        const float limit = s.ScaleHeight() - ERU_;
        const float firstBottom = ERO_ + HK_ + ERZ_ + EZH_;
        if (bar.Value() == 0) {
            EEZ_ = 0;
            ELZ_ = std::int16_t(NZ - 1);
            HB_ = zeilenhoehe(NZ);
            if (s.ScaleHeight() > HB_ + HK_ + ERO_ + ERU_) {
                bar.setVisible(false);
                return;
            }
            const float top = ERO_ + HK_ + 0.5f;
            bar.setTop(top);
            bar.setLeft(ERL_ + W_ + 1.5f);
            bar.setWidth(5);
            bar.setHeight(s.ScaleHeight() - top - ERU_);
            bar.setMin(0);
            bar.setMax(10000);
            bar.setLargeChange(2000);
            bar.setSmallChange(300);
            bar.setVisible(true);
            const int n = rowsThatFit(NZ, firstBottom, p, limit);
            HB_ = 2 * ERZ_ + float(n) * p + EZH_;
            ELZ_ = std::int16_t(n);
            return;
        }
        const int n = rowsThatFit(NZ, firstBottom, p, limit);
        EEZ_ = first(n);
        ELZ_ = std::int16_t(std::min(EEZ_ + n, NZ - 1));
        HB_ = 2 * ERZ_ + float(n) * p + EZH_;
        return;
    }
    // The printed table shows the rows of the screen window.
    EEZ_ = 0;
    ELZ_ = std::int16_t(NZ - 1);
    if (bar.Visible()) {
        const int n = rowsThatFit(NZ, 2 * ERZ_ + EZH_, p, bar.Height());
        EEZ_ = first(n);
        ELZ_ = std::int16_t(std::min(EEZ_ + n, NZ - 1));
    }
    HB_ = 2 * ERZ_ + float(ELZ_ - EEZ_) * p + EZH_;
}

// Mean, standard deviation and coefficient of variation of the marked columns over all body rows; a
// column with an empty or zero cell, and a figure that does not exist, gives "-".
void clsTABELLE::statistik(const Zellenfeld& X) {
    MW_.assign(std::size_t(NS_), Variant());
    SD_.assign(std::size_t(NS_), Variant());
    VK_.assign(std::size_t(NS_), Variant());
    for (int i = 0; i < NS_; ++i) {
        if (drawing::entry(ELMW_, i) != 1) continue;
        std::vector<float> values;
        for (int j = 0; j < X.rows(); ++j) {
            const Variant& v = X(i, j);
            values.push_back(isEmptyCell(v) ? 0.0f : platform::CSng(v));
            if (values.back() == 0) break; // the column has no statistics: the rest need not be read
        }
        const auto st = drawing::STATISTIKVOLLSTAENDIG(values);
        MW_[std::size_t(i)] = figure(st.MW);
        SD_[std::size_t(i)] = figure(st.SD);
        VK_[std::size_t(i)] = figure(st.VK);
    }
}

// --- Statistics ---

void clsTABELLE::statistikblock(Zellenfeld& X) {
    const int NZ = X.rows();
    const float T = EYDO_ + ERO_, p = EZH_ * EZA_;
    HST_ = zeilenhoehe(NZ);
    const float top = T + HK_ + HB_ + 1;
    rahmen(top, HST_);
    linien(top, HST_, X, false);
    for (int i = 0; i < NS_; ++i) {
        if (drawing::entry(ELMW_, i) != 1) continue;
        // Without a body drawn before there are no figures.
        if (i >= int(MW_.size())) throw VbError::subscriptOutOfRange();
        const Variant* figures[3] = {&MW_[std::size_t(i)], &SD_[std::size_t(i)], &VK_[std::size_t(i)]};
        for (int j = 0; j < 3 && j < NZ; ++j)
            X(i, j) = *figures[j];
    }
    for (int j = 0; j < NZ; ++j) {
        const float Y = T + HK_ + HB_ + ERZ_ + EZH_ + float(j) * p;
        for (int i = 0; i < NS_; ++i)
            zelle(X, i, j, Y);
    }
}

// --- Cells ---

void clsTABELLE::zelle(const Zellenfeld& X, int column, int row, float Y) {
    const double align = drawing::entry(ELA_, column);
    const QString format = pattern(ELFORMAT_, column);
    const bool plain = X.klartext(column, row);
    const float c = spaltenLinks(column), w = float(drawing::entry(ELSB_, column));
    // A text of the user's data stands as typed, cut at its column's width less the 1.5 mm kept on either
    // side; everything else goes through the column's pattern.
    const QString S = plain ? drawing::cutToWidth(surface(), cellText(X(column, row)), w - 3)
                            : platform::Format(X(column, row), format);
    float x = 0;
    std::int16_t ARX = 0;
    if (align == 0) {
        x = c + 1.5f;
    } else if (align == 1) {
        x = c + w / 2;
        ARX = 1;
    } else if (align == 2) {
        x = c + w - 1.5f;
        ARX = 2;
    } else if (align == 3) {
        // The decimal signs of all rows end at the same x, right of the centre as far as the pattern's
        // "." lies right of the pattern's middle.
        const int Ps = int(S.indexOf(platform::SystemLocale::decimalSign())) + 1;
        const float WL = Ps > 0 ? surface().TextWidth(S.left(Ps)) : 0.0f;
        const int Pf = int(format.indexOf(QLatin1Char('.'))) + 1;
        const int m = int(format.size());
        const float XD = drawing::divide((double(w) / 2 - 1.5) * (double(m) / 2 - Pf), m);
        x = c + w / 2 - WL - XD;
    } else {
        return;
    }
    text(S, x, Y - 1, ARX, 1, plain ? drawing::LabelKind::Plain : drawing::LabelKind::Markup);
}

void clsTABELLE::PUNKTSYMBOL(float x, float y, int N) {
    static const std::int64_t colours[8] = {platform::RGB(0, 0, 255),   platform::RGB(0, 255, 0),
                                    platform::RGB(0, 255, 255), platform::RGB(255, 0, 0),
                                    platform::RGB(255, 0, 255), platform::RGB(0, 180, 0),
                                    platform::RGB(0, 0, 180),   platform::RGB(0, 0, 0)};
    if (N < 0 || N > 7) return;
    platform::Surface& s = surface();
    const long saved = s.ForeColor();
    s.setForeColor(colours[N]);
    if (N == 7)
        s.PSet(x, y);
    else
        drawing::drawPointMarker(s, x, y, N);
    if (N == 3) s.setFillColor(platform::NumberFromColor(platform::QBColor(0)));
    s.setForeColor(saved);
}

// --- Title and footnote ---

void clsTABELLE::TITEL(const QString& TXT) {
    const float T = EYDO_ + ERO_;
    text(TXT, EXDL_ + ERL_, T - ERZ_ - 1.5f, 0, 2);
}

void clsTABELLE::FUSSNOTE(const QString& TXT) {
    const float T = EYDO_ + ERO_;
    text(TXT, EXDL_ + ERL_ + 1.5f, T + HK_ + HB_ + HST_ + ERZ_ + 1.5f, 0, 0);
}
