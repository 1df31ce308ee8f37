#include "clsBERECHNEN.h"

#include "clsDATEN.h"
#include "LININT.h"
#include "platform/db/Connection.h"
#include "platform/run/ErrorBox.h"
#include "platform/run/ProgressBar.h"
#include "platform/run/RunState.h"
#include "platform/run/WorkingCopyCommand.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/Language.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/runtime/VbError.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <QStringList>

namespace {

using platform::Language;
using platform::RunState;

// π as the evaluation has always taken it, in single precision (one step below the nearest Single).
constexpr float PI = 3.1415925f;

QString title() {
    return Language::text("Evaluate/Calculate First", "Auswerten/Neuberechnen");
}

// A measured value in a message, as the input form shows it.
QString number(float value) {
    return platform::Format(platform::Variant(value), QStringLiteral("#0.00"));
}
// A water content (a fraction) in per cent.
QString percent(float value) {
    return number(float(double(value) * 100.0));
}

QString reading(int i) {
    return Language::text("Reading no. %1: ", "Messung Nr. %1: ").arg(i);
}

// The quantities computed per reading, for the message about a value that is no finite number.
struct Quantity {
    const char* de;
    const char* en;
};
constexpr Quantity HEIGHT{"Die Höhe h", "the height h"};
constexpr Quantity VOLUME{"Das Probenvolumen V", "the specimen volume V"};
constexpr Quantity WATER{"Der Wassergehalt w", "the water content w"};
constexpr Quantity DENSITY{"Die Trockendichte ρd", "the dry density ρd"};
constexpr Quantity WATER_K{"Der korrigierte Wassergehalt wK", "the corrected water content wK"};
constexpr Quantity DENSITY_K{"Die korrigierte Trockendichte ρdK", "the corrected dry density ρdK"};

std::optional<QString> notFinite(int i, float value, const Quantity& what) {
    if (std::isfinite(value)) return std::nullopt;
    return reading(i) +
           Language::text("%1 is not a finite number (overflow); please check the input values.",
                          "%1 ist keine endliche Zahl (Überlauf); bitte die Eingabewerte prüfen.")
               .arg(Language::text(what.en, what.de));
}

// A stored reading as a Single: a missing value is 0; a text that is no number in the run's notation, and
// a number no Single holds, give nothing.
std::optional<float> readingValue(const platform::Variant& stored) {
    if (stored.isNull() || stored.isEmpty()) return 0.0f;
    try {
        const double value = platform::CDbl(stored);
        if (!std::isfinite(value) || std::fabs(value) > double(std::numeric_limits<float>::max()))
            return std::nullopt;
        return float(value);
    } catch (const platform::VbError&) {
        return std::nullopt;
    }
}

QString notANumber(int i, const QString& column, const platform::Variant& stored) {
    QString shown;
    try {
        shown = platform::CStr(stored);
    } catch (const platform::VbError&) {
    }
    return reading(i) +
           Language::text("the value \"%1\" in column %2 is not a readable number; please check the "
                          "input values.",
                          "Der Wert „%1“ in der Spalte %2 ist keine lesbare Zahl; bitte die Eingabewerte "
                          "prüfen.")
               .arg(shown, column);
}

bool refuse(const QString& why) {
    RunState::current().dialogs().MsgBox(why, platform::Msg::OKOnly | platform::Msg::Exclamation, title());
    return false;
}

} // namespace

float clsBERECHNEN::LININT(float X1, float X2, float X, float Y1, float Y2) {
    return ::LININT(X1, X2, X, Y1, Y2);
}

bool clsBERECHNEN::BERECHNUNG() {
    platform::ProgressBar& bar = RunState::current().pgbBERECHNEN();
    try {
        bar.setValue(0);
        // The evaluation's reads and writes commit once; what it wrote before a failure stays written.
        platform::WorkingCopyCommand command;
        clsDATEN e2, e3, a1, a2;
        e2.ETABELLE = QStringLiteral("E2");
        e3.ETABELLE = QStringLiteral("E3");
        a1.ETABELLE = QStringLiteral("A1");
        a2.ETABELLE = QStringLiteral("A2");

        std::vector<std::int16_t> numbers;
        if (!readConditions(e2) || !readNumbers(e3, numbers)) return false;
        if (const auto why = checkNumbers(numbers)) return refuse(*why);
        std::optional<QString> unreadable;
        if (!readReadings(e3, unreadable)) return false;
        if (unreadable) return refuse(*unreadable);
        bar.setValue(30);

        if (const auto why = computePoints()) return refuse(*why);
        findPointResults();
        bar.setValue(60);

        // Fewer than three readings have no curve, and neither have readings whose water contents don't
        // rise: the six curve results stay 0.
        if (N >= 3) {
            if (curvesFit(W, WU)) {
                if (!fitCurves()) return false;
                findCurveResults();
            } else {
                RunState::current().dialogs().MsgBox(
                    Language::text(
                        "The water contents of the readings do not rise strictly:\n%1\nNo spline curve is "
                        "fitted; the results of the measured points are stored.",
                        "Die Wassergehalte der Messungen steigen nicht streng an:\n%1\nEine Ausgleichskurve "
                        "(Spline) wird nicht berechnet; gespeichert werden die Ergebnisse der Messpunkte.")
                        .arg(readingsOutOfOrder()),
                    platform::Msg::OKOnly | platform::Msg::Exclamation, title());
            }
        }
        if (const auto why = checkResults()) return refuse(*why);

        if (!writeResults(a1, a2)) return false;
        command.End();
        bar.setValue(100);
        return true;
    } catch (const std::exception& e) {
        // Whatever the answer, results computed past an error are not stored as an evaluation.
        platform::ShowErrorBox(platform::asVbError(e), QStringLiteral("Auswerten/Neuberechnen"),
                               QStringLiteral("VB-Error:"));
        return false;
    }
}

bool clsBERECHNEN::readConditions(clsDATEN& e2) {
    bool read = e2.DTVB(QStringLiteral("KENW"), KENW);
    const std::pair<const char*, float*> conditions[] = {
        {"DC", &DC},       {"HC", &HC},   {"MC", &MC},   {"H2S", &H2S}, {"RHSU", &RHSU}, {"UE", &UE},
        {"RHSUE", &RHSUE}, {"WUE", &WUE}, {"MSG", &MSG}, {"MZ", &MZ},   {"DPR", &DPR},
    };
    for (const auto& [column, value] : conditions)
        read = e2.DTVS(QString::fromLatin1(column), *value) && read;
    return read;
}

bool clsBERECHNEN::readNumbers(clsDATEN& e3, std::vector<std::int16_t>& numbers) {
    // Counted as a Long: a record of 40,000 readings is one with too many, not an overflow.
    std::int32_t first = 0, last = 0;
    e3.INDEXL(first, last, count_, QStringLiteral("I1"));
    N = std::int16_t(std::clamp<std::int32_t>(count_, 0, clsSPLINE::NSP + 1));
    if (N <= 0 || N > clsSPLINE::NSP) return true;
    // A reading without a number (another tool's) comes after the numbered ones and counts at its place.
    numbers.resize(std::size_t(N));
    std::iota(numbers.begin(), numbers.end(), std::int16_t(0));
    return e3.DTVIF(QStringLiteral("I1"), numbers, QStringLiteral("I1"));
}

std::optional<QString> clsBERECHNEN::checkNumbers(const std::vector<std::int16_t>& numbers) const {
    if (N <= 0)
        return Language::text("The record holds no readings and cannot be evaluated.",
                              "Der Datensatz enthält keine Messungen und kann nicht ausgewertet werden.");
    if (N > clsSPLINE::NSP)
        return Language::text("The record holds %1 readings; at most %2 can be evaluated.",
                              "Der Datensatz enthält %1 Messungen; ausgewertet werden können höchstens %2.")
            .arg(count_)
            .arg(clsSPLINE::NSP);
    // The readings are read by position, so their numbers must be 0 .. N-1, each once.
    for (int i = 0; i < N; ++i) {
        if (numbers[i] == i) continue;
        int missing = 0;
        while (std::find(numbers.begin(), numbers.end(), missing) != numbers.end())
            ++missing;
        return Language::text("Reading no. %1 is missing; the readings must be numbered 0 to %2.",
                              "Die Messung Nr. %1 fehlt; die Messungen müssen von 0 bis %2 numeriert sein.")
            .arg(missing)
            .arg(N - 1);
    }
    return std::nullopt;
}

bool clsBERECHNEN::readReadings(clsDATEN& e3, std::optional<QString>& unreadable) {
    // Row i of the readings ordered by number is the reading numbered i (checked before). The values are
    // read as they are stored and converted here: a text that is no number, or a number beyond the Single
    // range, refuses the record instead of counting as 0.
    std::vector<std::pair<const char*, std::vector<float>*>> columns{{"M1", &M1}, {"HS", &HS}};
    if (KENW)
        columns.insert(columns.end(), {{"M1W", &M1W}, {"M2W", &M2W}, {"MCW", &MCW}});
    else
        columns.push_back({"M1R", &M1R});
    for (auto& [column, values] : columns) {
        std::vector<platform::Variant> stored(N);
        if (!e3.DTVVF(QString::fromLatin1(column), stored, QStringLiteral("I1"))) return false;
        values->assign(N, 0.0f);
        for (int i = 0; i < N; ++i) {
            const std::optional<float> value = readingValue(stored[i]);
            if (!value) {
                unreadable = notANumber(i, QString::fromLatin1(column), stored[i]);
                return true;
            }
            (*values)[i] = *value;
        }
    }
    return true;
}

std::optional<QString> clsBERECHNEN::computePoints() {
    H.assign(N, 0.0f);
    V.assign(N, 0.0f);
    WU.assign(N, 0.0f);
    RHDU.assign(N, 0.0f);
    W.assign(N, 0.0f);
    RHD.assign(N, 0.0f);
    F = float(1.0 - double(UE) / 100.0);

    // The added-water method weighs the whole soil with its accessories.
    const float S = float(double(MSG) + MZ);
    if (!KENW && double(S) - MZ == 0.0) {
        return Language::text(
                   "The dry mass ms,g = %1 g gives a denominator of 0 with mz = %2 g; the water content "
                   "cannot be computed.",
                   "Die Trockenmasse ms,g = %1 g ergibt mit mz = %2 g den Nenner 0; der Wassergehalt kann "
                   "nicht berechnet werden.")
            .arg(number(MSG), number(MZ));
    }

    for (int i = 0; i < N; ++i) {
        H[i] = float(double(H2S) - HS[i]);
        V[i] = float(double(DC) * DC * double(PI) / 4.0 * (double(HC) + H[i]));
        if (auto why = notFinite(i, H[i], HEIGHT)) return why;
        if (auto why = notFinite(i, V[i], VOLUME)) return why;
        if (!(V[i] > 0.0f)) {
            return reading(i) +
                   Language::text("the specimen volume V = %1 cm³ is not greater than 0 (dc = %2 cm, hc = %3 "
                                  "cm, h'' = %4 cm, h' = %5 cm).",
                                  "Das Probenvolumen V = %1 cm³ ist nicht größer als 0 (dc = %2 cm, hc = %3 "
                                  "cm, h'' = %4 cm, h' = %5 cm).")
                       .arg(number(V[i]), number(DC), number(HC), number(H2S), number(HS[i]));
        }

        // A water content of -100 % leaves no dry mass to divide by.
        const auto waterFails = [&]() -> std::optional<QString> {
            if (auto why = notFinite(i, WU[i], WATER)) return why;
            if (1.0 + WU[i] != 0.0) return std::nullopt;
            return reading(i) +
                   Language::text("the water content w = %1 % gives 1 + w = 0; the dry density cannot be "
                                  "computed.",
                                  "Der Wassergehalt w = %1 % ergibt 1 + w = 0; die Trockendichte kann nicht "
                                  "berechnet werden.")
                       .arg(percent(WU[i]));
        };
        if (KENW) {
            if (double(M2W[i]) - MCW[i] == 0.0) {
                return reading(i) +
                       Language::text("the dry sub-sample m2,w = %1 g weighs as much as the tray mc,w; the "
                                      "water content cannot be computed.",
                                      "Die trockene Teilprobe m2,w = %1 g wiegt so viel wie die Schale mc,w; "
                                      "der Wassergehalt kann nicht berechnet werden.")
                           .arg(number(M2W[i]));
            }
            WU[i] = float((double(M1W[i]) - M2W[i]) / (double(M2W[i]) - MCW[i]));
            if (auto why = waterFails()) return why;
            const float md = float((double(M1[i]) - MC) / (1.0 + WU[i]));
            RHDU[i] = float(double(md) / V[i]);
        } else {
            const float m = float(double(M1[i]) - MC);
            const float wetDensity = float((double(m) - M1R[i]) / V[i]);
            WU[i] = float((double(m) - S) / (double(S) - MZ));
            if (auto why = waterFails()) return why;
            RHDU[i] = float(double(wetDensity) / (1.0 + WU[i]));
        }
        // The oversize grain counts with 0.9 times its grain density.
        W[i] = float(double(F) * WU[i] + double(UE) * WUE / 10000.0);
        RHD[i] = float(double(F) * RHDU[i] + double(UE) * 0.9 * RHSUE / 100.0);
        if (auto why = notFinite(i, RHDU[i], DENSITY)) return why;
        if (auto why = notFinite(i, W[i], WATER_K)) return why;
        if (auto why = notFinite(i, RHD[i], DENSITY_K)) return why;
    }
    RHS = float(double(F) * RHSU + double(UE) * RHSUE / 100.0);
    return std::nullopt;
}

void clsBERECHNEN::findMaximum(std::span<const float> x, std::span<const float> y, float& top, float& at) {
    // On equal values the first wins.
    top = y[0];
    at = x[0];
    for (std::size_t i = 0; i < y.size(); ++i) {
        if (y[i] > top) {
            top = y[i];
            at = x[i];
        }
    }
}

void clsBERECHNEN::findCrossings(std::span<const float> x, std::span<const float> y, float t, float& dry,
                                 float& wet) {
    // The last segment of the polyline that rises (dry side) or falls (wet side) through t wins; without
    // one the value stays as it was. A flat segment lying on t meets it all along: its crossing is its first
    // point (there is no line to interpolate on).
    auto crossing = [&](std::size_t j) {
        return y[j] == y[j + 1] ? x[j] : LININT(y[j], y[j + 1], t, x[j], x[j + 1]);
    };
    for (std::size_t j = 0; j + 1 < y.size(); ++j) {
        if (y[j] <= t && t <= y[j + 1]) dry = crossing(j);
    }
    for (std::size_t j = 0; j + 1 < y.size(); ++j) {
        if (y[j] >= t && t >= y[j + 1]) wet = crossing(j);
    }
}

void clsBERECHNEN::findPointResults() {
    findMaximum(W, RHD, RHPR, WPR);
    findMaximum(WU, RHDU, RHPRU, WPRU);
    findCrossings(W, RHD, float(double(DPR) / 100.0 * RHPR), WUDPR, WODPR);
}

bool clsBERECHNEN::curvesFit(std::span<const float> W, std::span<const float> WU) {
    if (W.size() < 3 || WU.size() != W.size()) return false;
    for (std::size_t i = 0; i + 1 < W.size(); ++i)
        if (!(WU[i + 1] > WU[i] && W[i + 1] > W[i])) return false;
    return true;
}

QString clsBERECHNEN::readingsOutOfOrder() const {
    QStringList lines;
    for (int i = 0; i + 1 < N; ++i) {
        // The curves run over w and over wK; with an oversize share of 100 % or more wK can fall where w
        // rises.
        const bool wRises = WU[i + 1] > WU[i];
        if (wRises && W[i + 1] > W[i]) continue;
        const auto& list = wRises ? W : WU;
        const QString symbol = wRises ? QStringLiteral("wK") : QStringLiteral("w");
        lines << Language::text("no. %1 (%2 = %3 %) → no. %4 (%2 = %5 %)",
                                "Nr. %1 (%2 = %3 %) → Nr. %4 (%2 = %5 %)")
                     .arg(QString::number(i), symbol, percent(list[i]), QString::number(i + 1),
                          percent(list[i + 1]));
    }
    return lines.join(QLatin1Char('\n'));
}

bool clsBERECHNEN::fitCurves() {
    return spline_.APPCRV(W, RHD, XK, YK) && spline_.APPCRV(WU, RHDU, XU, YU);
}

void clsBERECHNEN::findCurveResults() {
    findMaximum(XK, YK, RHPRSP, WPRSP);
    findMaximum(XU, YU, RHPRUSP, WPRUSP);
    // The curve of the tested fraction has no crossings.
    findCrossings(XK, YK, float(double(DPR) / 100.0 * RHPRSP), WUDPRSP, WODPRSP);
}

std::array<std::pair<const char*, float>, 13> clsBERECHNEN::results() const {
    return {{{"RHPR", RHPR},
             {"WPR", WPR},
             {"RHPRSP", RHPRSP},
             {"WPRSP", WPRSP},
             {"RHPRU", RHPRU},
             {"WPRU", WPRU},
             {"RHPRUSP", RHPRUSP},
             {"WPRUSP", WPRUSP},
             {"WUDPR", WUDPR},
             {"WODPR", WODPR},
             {"WUDPRSP", WUDPRSP},
             {"WODPRSP", WODPRSP},
             {"RHS", RHS}}};
}

std::optional<QString> clsBERECHNEN::checkResults() const {
    for (const auto& [name, value] : results()) {
        if (std::isfinite(value)) continue;
        return Language::text(
                   "The result %1 is not a finite number (overflow); the evaluation is not stored.",
                   "Das Ergebnis %1 ist keine endliche Zahl (Überlauf); die Auswertung wird nicht "
                   "gespeichert.")
            .arg(QString::fromLatin1(name));
    }
    return std::nullopt;
}

bool clsBERECHNEN::writeResults(clsDATEN& a1, clsDATEN& a2) const {
    platform::Connection::Transaction transaction(*RunState::current().cnnX);
    for (const auto& [column, value] : results()) {
        if (!a1.DVTS(QString::fromLatin1(column), value)) return false;
    }

    // Row i of the points ordered by number must be the reading i. Every array write leaves exactly N rows,
    // so rows past N, which an earlier evaluation of more readings left and the pages would draw, go too.
    if (!pointsNumbered(a2)) {
        std::vector<std::int16_t> numbers(N);
        std::iota(numbers.begin(), numbers.end(), std::int16_t(0));
        if (!a2.DVTIF(QStringLiteral("I1"), numbers, QStringLiteral("I1"))) return false;
    }
    const std::pair<const char*, const std::vector<float>*> points[] = {
        {"WU", &WU}, {"RHDU", &RHDU}, {"W", &W}, {"RHD", &RHD}};
    for (const auto& [column, values] : points) {
        if (!a2.DVTSF(QString::fromLatin1(column), *values, QStringLiteral("I1"))) return false;
    }
    transaction.commit();
    return true;
}

bool clsBERECHNEN::pointsNumbered(clsDATEN& a2) const {
    std::int16_t first = 0, last = 0, count = 0;
    a2.INDEX(first, last, count, QStringLiteral("I1"));
    if (count < N || first != 0) return false;
    std::vector<std::int16_t> numbers(count, -1);
    if (!a2.DTVIF(QStringLiteral("I1"), numbers, QStringLiteral("I1"))) return false;
    for (int i = 0; i < N; ++i)
        if (numbers[i] != i) return false;
    return true;
}
