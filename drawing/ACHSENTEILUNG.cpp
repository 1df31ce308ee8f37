#include "ACHSENTEILUNG.h"

#include "SingleMath.h"

#include "platform/runtime/Convert.h"
#include "platform/runtime/VbError.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace drawing {

namespace {

// List entries are compared as Singles: a stored bound of 1.8 is the Single nearest to 1.8, and must meet
// the list's 1.8 as equal, not as one step lower.
float at(const NumberList& list, int i) {
    return float(entry(list, i));
}

float power(int e) {
    return float(std::pow(10.0, e));
}

void automaticBounds(std::int16_t NR, bool BOMIN, bool BOMAX, const std::vector<float>& data,
                     AchsenTeilung& a) {
    const bool fromData = std::abs(NR) == 1;
    auto value = [&](std::size_t i) {
        if (i >= data.size()) throw platform::VbError::subscriptOutOfRange();
        return data[i];
    };
    if (BOMIN) {
        float v = fromData ? value(0) : a.MIN;
        for (float d : data)
            v = std::min(v, d);
        a.MIN = v;
    }
    if (BOMAX) {
        float v = fromData ? value(0) : a.MAX;
        for (float d : data)
            v = std::max(v, d);
        a.MAX = v;
    }
}

// The admissible bound at or below a lower bound: L(i-1) for the first i with L(i-1) <= bound < L(i).
// With belowToFirst a bound below L(0) becomes L(0).
void snapLower(float& bound, const NumberList& L, bool belowToFirst) {
    const int n = upperBound(L);
    if (belowToFirst && bound < at(L, 0)) {
        bound = at(L, 0);
        return;
    }
    for (int i = 1; i <= n; ++i)
        if (at(L, i - 1) <= bound && bound < at(L, i)) {
            bound = at(L, i - 1);
            return;
        }
}

// The admissible bound at or above an upper bound: L(i) for the first i with L(i-1) < bound <= L(i).
// With aboveToLast a bound above L(n) becomes L(n).
void snapUpper(float& bound, const NumberList& L, bool aboveToLast) {
    const int n = upperBound(L);
    if (aboveToLast && bound > at(L, n)) {
        bound = at(L, n);
        return;
    }
    for (int i = 1; i <= n; ++i)
        if (at(L, i - 1) < bound && bound <= at(L, i)) {
            bound = at(L, i);
            return;
        }
}

void linear(std::int16_t NR, bool BOMIN, bool BOMAX, AchsenTeilung& a, const AchsenListen& l) {
    if (BOMIN) snapLower(a.MIN, l.MIN, true);
    if (BOMAX) snapUpper(a.MAX, l.MIN, true);
    const int m = upperBound(l.DIFF);
    float S = a.MAX - a.MIN;
    if (S <= at(l.DIFF, 0))
        S = at(l.DIFF, 0);
    else if (S >= at(l.DIFF, m))
        S = at(l.DIFF, m);
    // A range of 6.0000004 is a span of 6: the span is rounded to 6 places before the list is searched.
    const float rounded = float(platform::Round(double(S), 6));
    int k = 0;
    while (k <= m && !(rounded <= at(l.DIFF, k)))
        ++k;
    if (k > m) throw platform::VbError::subscriptOutOfRange();
    S = at(l.DIFF, k);
    if (NR != 1 && NR != 2) a.MAX = a.MIN + S;
    const std::int16_t T = integerEntry(l.IT, k);
    a.IT = T;
    a.GIT = integerEntry(l.GIT, k);
    a.ZL = integerEntry(l.ZL, k);
    const float step = divide(S, T);
    a.TICKS.assign(1, a.MIN);
    for (int i = 1; i <= T; ++i)
        a.TICKS.push_back(a.TICKS.back() + step);
}

std::vector<float> decades(float lower, float upper, int e0) {
    std::vector<float> list{LOG10(lower)};
    for (int e = e0; e <= 10 && power(e) <= upper; ++e)
        list.push_back(float(e));
    list.push_back(LOG10(upper));
    return list;
}

void logarithmic(bool BOMIN, bool BOMAX, AchsenTeilung& a, const AchsenListen& l) {
    if (BOMIN) snapLower(a.MIN, l.MIN, true);
    bool toTicks = false;
    if (BOMAX) {
        const int n = upperBound(l.MIN);
        if (a.MAX > at(l.MIN, n)) {
            a.MAX = at(l.MIN, n);
            toTicks = true;
        } else {
            snapUpper(a.MAX, l.MIN, false);
        }
    }
    if (!toTicks) {
        if (!BOMIN) snapLower(a.MIN, l.MIN, false);
        if (!BOMAX) snapUpper(a.MAX, l.MIN, false);
    }
    const std::int16_t T = integerEntry(l.IT, 0);
    int e0 = -10;
    while (e0 <= 10 && !(power(e0) > a.MIN))
        ++e0;
    a.TICKS.clear();
    if (T == 0) {
        a.TICKS.push_back(LOG10(a.MIN));
    } else if (T == 1) {
        a.TICKS = decades(a.MIN, a.MAX, e0);
    } else if (T == 10) {
        int j0 = 1;
        while (j0 <= 9 && !(float(j0) * power(e0 - 1) >= a.MIN))
            ++j0;
        int e = e0;
        while (e <= 10 && !(power(e) > a.MAX))
            ++e;
        const int e1 = std::max(e - 1, e0);
        int j1 = 1;
        while (j1 <= 9 && !(float(j1) * power(e1) >= a.MAX))
            ++j1;
        a.TICKS.push_back(LOG10(a.MIN));
        for (int j = j0 + 1; j <= 9; ++j)
            a.TICKS.push_back(float(e0 - 1) + LOG10(float(j)));
        for (int d = e0; d <= e1 - 1; ++d)
            for (int j = 1; j <= 9; ++j)
                a.TICKS.push_back(float(d) + LOG10(float(j)));
        for (int j = 1; j <= j1 - 1; ++j)
            a.TICKS.push_back(float(e1) + LOG10(float(j)));
        a.TICKS.push_back(LOG10(a.MAX));
    }
    a.IT = std::int16_t(int(a.TICKS.size()) - 1);
    const std::int16_t G = integerEntry(l.GIT, 0);
    a.GITTER.clear();
    if (G == T)
        a.GITTER = a.TICKS;
    else if (G == 1 && T == 10)
        a.GITTER = decades(a.MIN, a.MAX, e0);
    a.GIT = G;
    a.ZL = integerEntry(l.ZL, 0);
}

} // namespace

void ACHSENTEILUNG(std::int16_t NR, bool BOMIN, bool BOMAX, std::int16_t SKT, const std::vector<float>& DATEN,
                   AchsenTeilung& achse, const AchsenListen& listen) {
    if (SKT != 0 && SKT != 1) return;
    automaticBounds(NR, BOMIN, BOMAX, DATEN, achse);
    if (SKT == 0)
        linear(NR, BOMIN, BOMAX, achse, listen);
    else
        logarithmic(BOMIN, BOMAX, achse, listen);
}

void MASSSTAB(float XMIN, float XMAX, float YMIN, float YMAX, float ELX, float ELY, float RL, float RR,
              float RU, float RO, float MYMX, float& MX, float& MY) {
    if (MX == 0) MX = divide(double(XMAX) - XMIN, double(ELX) - RL - RR);
    if (MY == 0) MY = divide(double(YMAX) - YMIN, double(ELY) - RO - RU);
    if (MYMX > 0) {
        if (MX > MY)
            MY = single(double(MX) * MYMX);
        else
            MX = divide(MY, MYMX);
    }
}

} // namespace drawing
