#include "RecordFixture.h"

#include <algorithm>

namespace fixture {

Record smoothCurve(int n) {
    Record r;
    for (int i = 0; i < n; ++i) {
        const double w = 0.06 + 0.16 * i / std::max(1, n - 1);
        const double dry = 1.95 - 25.0 * (w - 0.14) * (w - 0.14);
        const float m1 = float(r.MC + dry * (1.0 + w) * 1000.0);
        r.readings.push_back({m1, HS_1000, float(240.0 + 200.0 * w), 240.0f, 40.0f, 0.0f});
    }
    return r;
}

Record exactDensities(const std::vector<float>& dryMasses) {
    Record r;
    r.MC = 1000.0f;
    for (std::size_t i = 0; i < dryMasses.size(); ++i) {
        const float w = float(i + 1) / 16.0f;
        r.readings.push_back(
            {r.MC + dryMasses[i] * (1.0f + w), HS_1000, 200.0f * (1.0f + w), 200.0f, 0.0f, 0.0f});
    }
    return r;
}

} // namespace fixture
