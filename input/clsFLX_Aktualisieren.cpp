// The grid editor's refresh: running numbers, cell formats and the elapsed time.
#include "clsFLX.h"

#include "clsFLX_Zustand.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/ui/FlexGrid.h"

#include <cmath>

using platform::Variant;
using platform::VbError;

namespace {

std::int16_t plusEins(std::int16_t k) {
    if (k == INT16_MAX) throw VbError::overflow();
    return std::int16_t(k + 1);
}

// The whole seconds of the time of day in a date value.
long sekundenDesTages(double datum) {
    return std::lround((datum - std::floor(datum)) * 86400.0);
}

} // namespace

void clsFLX::NUMMERIEREN() {
    Zustand& z = *z_;
    const int c1 = z.typSpalte[1], c2 = z.typSpalte[2], c3 = z.typSpalte[3];
    if (c1 < 0) return;
    if (!z.grid) throw VbError::objectNotSet();
    platform::FlexGrid& grid = *z.grid;
    std::int16_t k1 = z.s1, k2 = z.s2, k3 = z.s3;
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
        if (r > INT16_MAX) throw VbError::overflow();
        if (c2 < 0) {
            grid.setTextMatrix(r, c1, QString::number(k1));
            k1 = plusEins(k1);
        } else if (c3 < 0) {
            if (k2 > z.m2) {
                k2 = z.s2;
                k1 = plusEins(k1);
            }
            grid.setTextMatrix(r, c1, QString::number(k1));
            grid.setTextMatrix(r, c2, QString::number(k2));
            k2 = plusEins(k2);
        } else {
            if (k3 > z.m3) {
                k3 = z.s3;
                k2 = plusEins(k2);
                if (k2 > z.m2) {
                    k2 = z.s2;
                    k1 = plusEins(k1);
                }
            }
            grid.setTextMatrix(r, c1, QString::number(k1));
            grid.setTextMatrix(r, c2, QString::number(k2));
            grid.setTextMatrix(r, c3, QString::number(k3));
            k3 = plusEins(k3);
        }
    }
}

void clsFLX::AKTUALISIEREN() {
    Zustand& z = *z_;
    platform::ErrorTrap trap(QStringLiteral("MSFlexGrid / Aktulisieren"));
    if (!trap.step([&] { NUMMERIEREN(); })) return;
    if (!trap.step([&] {
            if (!z.grid) throw VbError::objectNotSet();
        }))
        return;
    platform::FlexGrid& grid = *z.grid;
    const QString dezimal = flx::dezimal();

    // Every non-empty data cell in its column's format.
    for (int c = 0; c < grid.Cols(); ++c) {
        QString format;
        bool formatiert = false;
        if (!trap.step([&] {
                const Variant& f = flx::eintrag(z.lformat, c);
                formatiert = !flx::fehlt(f);
                if (formatiert) format = platform::CStr(f);
            }))
            return;
        if (!formatiert) continue;
        for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
            if (!trap.step([&] {
                    const QString text = grid.TextMatrix(r, c);
                    if (!text.isEmpty()) grid.setTextMatrix(r, c, z.merker.format(text, format, dezimal));
                }))
                return;
        }
    }

    // The elapsed time, from the date and time columns; without either there is nothing to compute it from.
    const int D = z.typSpalte[4], T = z.typSpalte[5], E = z.typSpalte[6];
    if (E < 0 || (D < 0 && T < 0)) return;
    const int erste = grid.FixedRows();
    if (erste >= grid.Rows()) return;
    if (!trap.step([&] {
            if (!platform::ReadNumber(grid.TextMatrix(erste, E), dezimal))
                grid.setTextMatrix(erste, E, QStringLiteral("0"));
        }))
        return;
    for (int r = erste + 1; r < grid.Rows(); ++r) {
        const bool weiter = trap.step([&] {
            int bezug = r - 1;
            if (z.det == 0) {
                bezug = 1;
            } else if (z.det > 0) {
                const QString gruppe = grid.TextMatrix(r, z.det);
                int q = r;
                while (q >= 0 && grid.TextMatrix(q, z.det) == gruppe)
                    --q;
                // The same text in every row above, header included: there is no row to refer to.
                if (q < 0) throw VbError::subscriptOutOfRange();
                bezug = q == 0 ? 1 : q;
            }
            auto text = [&](int spalte, int zeile) {
                return spalte < 0 ? QString() : grid.TextMatrix(zeile, spalte);
            };
            float x = ZEITDIFFERENZ(text(D, bezug), text(T, bezug), text(D, r), text(T, r));
            if (T >= 0) {
                if (z.dete == QLatin1String("hh"))
                    x = float(double(x) / 3600.0);
                else if (z.dete == QLatin1String("mm"))
                    x = float(double(x) / 60.0);
            }
            const bool schreiben = (D >= 0 && !text(D, r).isEmpty()) || (T >= 0 && !text(T, r).isEmpty());
            if (!schreiben) return;
            const Variant& f = flx::eintrag(z.lformat, E);
            grid.setTextMatrix(r, E,
                               z.merker.format(x, flx::fehlt(f) ? QString() : platform::CStr(f), dezimal));
        });
        if (!weiter) return;
    }
}

float clsFLX::ZEITDIFFERENZ(const QString& DATUM1, const QString& ZEIT1, const QString& DATUM2,
                            const QString& ZEIT2) {
    Formatmerker& m = z_->merker;
    const QString dezimal = flx::dezimal();
    const auto d1 = m.datum(DATUM1, dezimal), d2 = m.datum(DATUM2, dezimal);
    const auto t1 = m.datum(ZEIT1, dezimal), t2 = m.datum(ZEIT2, dezimal);
    if (d1 && d2) {
        const double tage = std::floor(*d2) - std::floor(*d1);
        if (t1 && t2) {
            // The rest of the first day, the whole days between and the part of the last day.
            return float((tage - 1) * 86400.0 + double(86399 - sekundenDesTages(*t1)) + 1.0 +
                         double(sekundenDesTages(*t2)));
        }
        return float(tage);
    }
    if (t1 && t2) return float(sekundenDesTages(*t2) - sekundenDesTages(*t1));
    return 0.0f;
}
