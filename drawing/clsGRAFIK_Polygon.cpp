// Data series of the diagram object.
#include "clsGRAFIK.h"
#include "PointMarker.h"
#include "SingleMath.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/Color.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/VbError.h"
#include "platform/surface/Surface.h"

#include <array>
#include <cmath>
#include <numbers>
#include <optional>

using drawing::SingleArray;

namespace {

// The series colours by marker type.
std::optional<long> paletteColor(std::int16_t type) {
    switch (type) {
    case 0:
        return platform::RGB(0, 0, 255);
    case 1:
        return platform::RGB(0, 215, 0);
    case 2:
        return platform::RGB(0, 255, 255);
    case 3:
        return platform::RGB(255, 0, 0);
    case 4:
        return platform::RGB(255, 0, 255);
    case 5:
        return platform::RGB(0, 180, 0);
    case 6:
        return platform::RGB(0, 0, 180);
    case 7:
        return platform::RGB(0, 0, 0);
    default:
        return std::nullopt;
    }
}

// The points that a selection (markers PSIT, numbers PNR) picks from N points: 0 none, -1 the first,
// 1 the last, 2 the first and the last, more than 2 about that many evenly spread, otherwise all.
template <typename Visit> void forSelectedPoints(int N, std::int16_t selection, Visit visit) {
    if (selection == 0) return;
    int step = 1;
    if (selection > 2) step = platform::CInt(platform::Variant(double(N - 1) / double(selection - 1)));
    if (step == 0) step = 1;
    for (int i = 0; i <= N - 1; i += step) {
        if (selection == -1 && i >= 1) break;
        if (selection == 1) i = N - 1;
        if (selection == 2 && i >= 1) i = N - 1;
        visit(i);
    }
}

} // namespace

void clsGRAFIK::POLYGON(SingleArray& X, SingleArray& Y, std::int16_t PSIT, std::int16_t PSTYP,
                        std::int16_t PNR, const QString& TEXT, std::int16_t LAGETEXT, std::int16_t LAGEPFEIL,
                        std::int16_t FARBEN, const std::vector<platform::Variant>* BOL) {
    platform::ErrorTrap trap(QStringLiteral("Polygon"), QStringLiteral("VB-Fehler: "));
    const AreaClip clip(*this);
    platform::Surface* s = nullptr;
    if (!trap.step([&] { s = &surface(); }) || !s) return;
    const long saved = s->ForeColor();
    int N = 0;
    if (!trap.step([&] { N = platform::CInt(platform::Variant(std::int32_t(X.UBound() + 1))); })) return;
    N = std::max(N, 0);

    // On logarithmic axes the caller's arrays take the logarithms of the series (the base point stays).
    if (!trap.step([&] {
            if (ESKTX_ == 1)
                for (int i = 0; i <= X.UBound(); ++i)
                    X(i) = LOG10(X(i));
        }))
        return;
    if (!trap.step([&] {
            if (ESKTY_ == 1)
                for (int i = 0; i <= X.UBound(); ++i)
                    Y(i) = LOG10(Y(i));
        }))
        return;
    if (!trap.step([&] {
            if (FARBEN == -1)
                if (const auto c = paletteColor(PSTYP)) s->setForeColor(*c);
        }))
        return;

    // Positions on the surface.
    std::vector<float> XP(std::size_t(N), 0.0f), YP(std::size_t(N), 0.0f);
    float XB = 0, YB = 0;
    KOORDTRANS(m_.XMIN, m_.YMIN, XB, YB);
    for (int i = 0; i < N; ++i)
        if (!trap.step([&] { KOORDTRANS(X(i), Y(i), XP[std::size_t(i)], YP[std::size_t(i)]); })) return;
    if ((EPTYP_ == 4 || EPTYP_ == 5) && X.LBound() == -1)
        if (!trap.step([&] { KOORDTRANS(X(-1), Y(-1), XB, YB); })) return;

    auto xp = [&](int i) -> float {
        if (i < 0 || i >= N) throw platform::VbError::subscriptOutOfRange();
        return XP[std::size_t(i)];
    };
    auto yp = [&](int i) -> float {
        if (i < 0 || i >= N) throw platform::VbError::subscriptOutOfRange();
        return YP[std::size_t(i)];
    };
    // One line of the series, cut to the plot frame; its points are worked out inside the step.
    auto line = [&](auto points) {
        return trap.step([&] {
            const auto [x1, y1, x2, y2] = points();
            STRECKE(x1, y1, x2, y2, 0);
        });
    };
    using Seg = std::array<float, 4>;

    switch (EPTYP_) {
    case 0:
        for (int i = 1; i <= N - 1; ++i) {
            bool draw = true;
            if (!trap.step([&] {
                    if (BOL) {
                        if (i - 1 >= int(BOL->size())) throw platform::VbError::subscriptOutOfRange();
                        draw = platform::CDbl((*BOL)[std::size_t(i - 1)]) == 1.0;
                    }
                }))
                return;
            if (draw && !line([&] { return Seg{xp(i - 1), yp(i - 1), xp(i), yp(i)}; })) return;
        }
        break;
    case 1: // step outline over x: treads at the points' heights, risers half-way between neighbours
        for (int i = 0; i <= N - 1; ++i) {
            if (i == 0) {
                if (!line([&] {
                        const float xs = xp(0) - (xp(1) - xp(0)) / 2;
                        return Seg{xs, YB, xs, yp(0)};
                    }))
                    return;
                if (!line([&] {
                        return Seg{xp(0) - (xp(1) - xp(0)) / 2, yp(0), (xp(0) + xp(1)) / 2, yp(0)};
                    }))
                    return;
            } else if (i < N - 1) {
                if (!line([&] { return Seg{(xp(i - 1) + xp(i)) / 2, yp(i), xp(i), yp(i)}; })) return;
                if (!line([&] { return Seg{xp(i), yp(i), (xp(i) + xp(i + 1)) / 2, yp(i)}; })) return;
                if (!line([&] {
                        const float m = (xp(i - 1) + xp(i)) / 2;
                        return Seg{m, yp(i - 1), m, yp(i)};
                    }))
                    return;
            } else {
                if (!line([&] {
                        const float m = (xp(i - 1) + xp(i)) / 2;
                        return Seg{m, yp(i - 1), m, yp(i)};
                    }))
                    return;
                if (!line([&] {
                        return Seg{(xp(i - 1) + xp(i)) / 2, yp(i), xp(i) + (xp(i) - xp(i - 1)) / 2, yp(i)};
                    }))
                    return;
                if (!line([&] {
                        const float xe = xp(i) + (xp(i) - xp(i - 1)) / 2;
                        return Seg{xe, yp(i), xe, YB};
                    }))
                    return;
            }
        }
        break;
    case 2: // step outline over y: the same with x and y exchanged
        for (int i = 0; i <= N - 1; ++i) {
            if (i == 0) {
                if (!line([&] {
                        const float ys = yp(0) - (yp(1) - yp(0)) / 2;
                        return Seg{XB, ys, xp(0), ys};
                    }))
                    return;
                if (!line([&] {
                        return Seg{xp(0), yp(0) - (yp(1) - yp(0)) / 2, xp(0), (yp(0) + yp(1)) / 2};
                    }))
                    return;
            } else if (i < N - 1) {
                if (!line([&] { return Seg{xp(i), (yp(i - 1) + yp(i)) / 2, xp(i), yp(i)}; })) return;
                if (!line([&] { return Seg{xp(i), yp(i), xp(i), (yp(i) + yp(i + 1)) / 2}; })) return;
                if (!line([&] {
                        const float m = (yp(i - 1) + yp(i)) / 2;
                        return Seg{xp(i - 1), m, xp(i), m};
                    }))
                    return;
            } else {
                if (!line([&] {
                        const float m = (yp(i - 1) + yp(i)) / 2;
                        return Seg{xp(i - 1), m, xp(i), m};
                    }))
                    return;
                if (!line([&] {
                        return Seg{xp(i), (yp(i - 1) + yp(i)) / 2, xp(i), yp(i) + (yp(i) - yp(i - 1)) / 2};
                    }))
                    return;
                if (!line([&] {
                        const float ye = yp(i) + (yp(i) - yp(i - 1)) / 2;
                        return Seg{xp(i), ye, XB, ye};
                    }))
                    return;
            }
        }
        break;
    case 3: { // a dot at every point strictly inside the plot frame
        const float XL = EXDL_ + m_.RL, YT = EYDO_ + m_.RO, XR = EXDL_ + ELX_ - m_.RR,
                    YBF = EYDO_ + ELY_ - m_.RU;
        for (int i = 0; i < N; ++i) {
            const float x = XP[std::size_t(i)], y = YP[std::size_t(i)];
            if (XL < x && x < XR && YT < y && y < YBF)
                if (!trap.step([&] { s->PSet(x, y); })) return;
        }
        break;
    }
    case 4: // staircase rising first, from the base point
        if (!line([&] { return Seg{XB, YB, XB, yp(0)}; })) return;
        if (!line([&] { return Seg{XB, yp(0), xp(0), yp(0)}; })) return;
        for (int i = 0; i <= N - 2; ++i) {
            if (!line([&] { return Seg{xp(i), yp(i), xp(i), yp(i + 1)}; })) return;
            if (!line([&] { return Seg{xp(i), yp(i + 1), xp(i + 1), yp(i + 1)}; })) return;
        }
        if (!line([&] { return Seg{xp(N - 1), yp(N - 1), xp(N - 1), YB}; })) return;
        break;
    case 5: // staircase running first, from the base point
        if (!line([&] { return Seg{XB, YB, xp(0), YB}; })) return;
        if (!line([&] { return Seg{xp(0), YB, xp(0), yp(0)}; })) return;
        for (int i = 0; i <= N - 2; ++i) {
            if (!line([&] { return Seg{xp(i), yp(i), xp(i + 1), yp(i)}; })) return;
            if (!line([&] { return Seg{xp(i + 1), yp(i), xp(i + 1), yp(i + 1)}; })) return;
        }
        if (!line([&] { return Seg{xp(N - 1), yp(N - 1), XB, yp(N - 1)}; })) return;
        break;
    default:
        break;
    }

    // Markers, not clipped.
    bool goOn = true;
    forSelectedPoints(N, PSIT, [&](int i) {
        if (goOn) goOn = trap.step([&] { drawing::drawPointMarker(*s, xp(i), yp(i), PSTYP); });
    });
    if (!goOn) return;

    // Point numbers beside the points.
    forSelectedPoints(N, PNR, [&](int i) {
        if (goOn) goOn = trap.step([&] { this->TEXT(xp(i) + 1, yp(i) - 1, QString::number(i), 0, 0, 0, 0); });
    });
    if (!goOn) return;

    // The label.
    if (!TEXT.isEmpty()) {
        if (!trap.step([&] {
                const int last = N - 1;
                // The slope of the segment from a to b as the eye sees it, in whole degrees.
                auto slope = [&](int a, int b) -> std::int16_t {
                    const float DX = xp(b) - xp(a), DY = yp(a) - yp(b);
                    if (DX == 0) return 90;
                    const float k = float(std::numbers::pi / 180);
                    return platform::CInt(platform::Variant(float(std::atan(double(DY) / DX)) / k));
                };
                auto segment = [&](int a, int b, std::int16_t ARX, std::int16_t ARY) {
                    if (N < 2) return;
                    this->TEXT((xp(a) + xp(b)) / 2, (yp(a) + yp(b)) / 2, TEXT, 0, slope(a, b), ARX, ARY);
                };
                auto point = [&](int i, float dx, std::int16_t ARX, std::int16_t ARY) {
                    this->TEXT(xp(i) + dx, yp(i), TEXT, 0, 0, ARX, ARY);
                };
                switch (LAGETEXT) {
                case 0:
                    segment(last - 1, last, 1, 2);
                    break;
                case 1:
                    point(last, 0, 1, 2);
                    break;
                case 2:
                    point(last, 0, 1, 0);
                    break;
                case 3:
                    point(last, 2, 0, 1);
                    break;
                case 4:
                    point(last, -2, 2, 1);
                    break;
                case 5:
                    segment(0, 1, 1, 2);
                    break;
                case 6:
                    point(0, 0, 1, 2);
                    break;
                case 7:
                    point(0, 0, 1, 0);
                    break;
                case 8:
                    point(0, 2, 0, 1);
                    break;
                case 9:
                    point(0, -2, 2, 1);
                    break;
                case 10: {
                    const int M = (N - 1) / 2;
                    segment(M, M + 1, 1, 2);
                    break;
                }
                case 11:
                    point(last, -2, 2, 0);
                    break;
                case 12:
                    point(last, -2, 2, 2);
                    break;
                case 13:
                    point(last, 2, 0, 0);
                    break;
                case 14:
                    point(last, 2, 0, 2);
                    break;
                default:
                    break;
                }
            }))
            return;
    }

    // Arrowheads.
    if (N >= 2) {
        auto arrow = [&](int from, int to) {
            return trap.step([&] { PFEIL(xp(from), yp(from), xp(to), yp(to)); });
        };
        bool ok = true;
        switch (LAGEPFEIL) {
        case 1:
            ok = arrow(N - 2, N - 1);
            break;
        case 2:
            ok = arrow(1, 0);
            break;
        case 3:
            ok = arrow(N - 2, N - 1) && arrow(1, 0);
            break;
        case 4:
            for (int i = 1; ok && i <= N - 1; ++i)
                ok = arrow(i - 1, i);
            break;
        case 5:
            for (int i = 1; ok && i <= N - 1; ++i)
                ok = arrow(i, i - 1);
            break;
        case 6:
            for (int i = 1; ok && i <= N - 1; ++i)
                ok = arrow(i - 1, i) && arrow(i, i - 1);
            break;
        default:
            break;
        }
        if (!ok) return;
    }

    s->setForeColor(saved);
}
