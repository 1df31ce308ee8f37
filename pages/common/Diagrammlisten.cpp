#include "Diagrammlisten.h"

#include "clsGRAFIK.h"

#include "platform/run/ErrorBox.h"

namespace diagrammlisten {

namespace {
// 2, 4, ..., 50, 60, 70, 80, 90, 100.
std::vector<double> wasserSpannen() {
    std::vector<double> v;
    for (int x = 2; x <= 50; x += 2)
        v.push_back(x);
    for (int x = 60; x <= 100; x += 10)
        v.push_back(x);
    return v;
}
} // namespace

std::vector<double> xMin() {
    std::vector<double> v{0};
    for (double x : wasserSpannen())
        v.push_back(x);
    return v;
}

std::vector<double> xDiff() {
    return wasserSpannen();
}

std::vector<double> xTeilung() {
    return {8,  8,  12, 16, 20, 24, 28, 32, 18, 20, 22, 24, 26, 28, 30,
            32, 34, 36, 38, 40, 42, 44, 46, 48, 50, 60, 35, 40, 45, 50};
}

std::vector<double> xGitter(bool gitterlinien) {
    if (!gitterlinien) return std::vector<double>(30, 1.0);
    return {4, 4, 6, 4, 5, 6, 7, 4, 3, 5, 2, 6, 2, 7, 5, 4, 2, 6, 2, 5, 6, 4, 2, 6, 5, 5, 7, 8, 9, 5};
}

std::vector<double> xZahlen() {
    return {2, 4,  6, 8,  10, 12, 7,  8,  9,  10, 11, 12, 13, 7, 10,
            8, 17, 9, 19, 10, 6,  11, 23, 12, 10, 15, 7,  8,  9, 10};
}

std::vector<double> yMin() {
    std::vector<double> v;
    for (int k = 0; k <= 20; ++k)
        v.push_back(k / 5.0);
    return v;
}

std::vector<double> yDiff() {
    std::vector<double> v;
    for (int k = 1; k <= 20; ++k)
        v.push_back(k / 5.0);
    return v;
}

std::vector<double> yTeilung() {
    return {20, 40, 60, 32, 40, 24, 28, 32, 18, 20, 22, 24, 26, 28, 30, 32, 34, 36, 38, 40};
}

std::vector<double> yGitter(bool gitterlinien) {
    if (!gitterlinien) return std::vector<double>(20, 1.0);
    return {4, 4, 6, 4, 5, 6, 7, 4, 3, 5, 2, 6, 2, 7, 5, 4, 2, 6, 2, 5};
}

std::vector<double> yZahlen() {
    return {4, 8, 6, 8, 10, 12, 7, 8, 9, 10, 11, 12, 13, 7, 10, 8, 17, 9, 19, 10};
}

void achsen(clsGRAFIK& g, bool BONEU, bool gitterW, bool gitterRHD, platform::ErrorTrap& trap) {
    if (!trap.step([&] {
            g.setEBOXMIN(BONEU);
            g.setEBOXMAX(BONEU);
            g.setEAXEX(1);
            g.setESKTX(0);
            g.setELXMIN(xMin());
            g.setELXDIFF(xDiff());
            g.setELXIT(xTeilung());
            // A grid list also sets the label list: the labels come after it.
            g.setELXGIT(xGitter(gitterW));
            g.setELXZL(xZahlen());
            g.setETEXTX(QStringLiteral("w [%]"));
            g.setESKZX(QStringLiteral("#0"));
        }))
        return;
    trap.step([&] {
        g.setEBOYMIN(BONEU);
        g.setEBOYMAX(BONEU);
        g.setEAXEY(1);
        g.setESKTY(0);
        g.setELYMIN(yMin());
        g.setELYDIFF(yDiff());
        g.setELYIT(yTeilung());
        g.setELYGIT(yGitter(gitterRHD));
        g.setELYZL(yZahlen());
        g.setETEXTY(QStringLiteral("{g,1}r{t,1}d [g/cm³]"));
        g.setESKZY(QStringLiteral("#0.00#"));
    });
}

} // namespace diagrammlisten
