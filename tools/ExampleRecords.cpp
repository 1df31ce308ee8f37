#include "ExampleRecords.h"

#include "platform/db/Connection.h"

#include <cmath>

using platform::Variant;

namespace examples {

Record dryingSet() {
    // Water content (%) and mould + wet soil (g); sub-samples of 200 g dry soil in a 40 g tray.
    const std::pair<float, float> published[] = {{8.1f, 2783},  {9.9f, 3057},  {12.0f, 3224},
                                                 {14.3f, 3281}, {16.1f, 3250}, {18.2f, 3196}};
    Record r;
    for (const auto& [w, m1] : published)
        r.readings.push_back({m1, HS_1000, 240.0f + 2.0f * w, 240.0f, 40.0f, 0.0f});
    return r;
}

Record addedWaterSet() {
    // Water content (%) and wet soil in the cylinder (g). The rest of the 3000 g of dry soil, wetted to the
    // same water content, lies with the 200 g of accessories beside it.
    const std::pair<float, float> published[] = {
        {12.8f, 2010}, {14.5f, 2092}, {15.6f, 2114}, {16.8f, 2100}, {19.2f, 2055}};
    Record r;
    r.KENW = false;
    r.MC = 4000.0f;
    r.MSG = 3000.0f;
    r.MZ = 200.0f;
    for (const auto& [w, wet] : published) {
        const float rest = 3000.0f * (1.0f + w / 100.0f) - wet;
        const float m1r = rest + r.MZ;
        r.readings.push_back({r.MC + wet + m1r, HS_1000, 0, 0, 0, m1r});
    }
    return r;
}

Record withOversize(Record r, float UE, float RHSUE, float WUE) {
    r.UE = UE;
    r.RHSUE = RHSUE;
    r.WUE = WUE;
    return r;
}

void store(platform::Connection& c, const Record& r, int id, bool active) {
    const Variant kom = r.KOM.isEmpty() ? Variant::null() : Variant(r.KOM);
    c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT, SPR) VALUES (?, ?, ?, ?, ?)"),
              {Variant(std::int32_t(id)), Variant(r.KEN.isEmpty() ? QStringLiteral("P%1").arg(id) : r.KEN),
               kom, Variant(active), Variant(std::int16_t(r.SPR))});
    c.Execute(QStringLiteral(
                  "INSERT INTO E2 (ID, KENV, KEND, KENP, KENW, DC, HC, MC, H2S, RHSU, DMAX, UE, RHSUE, "
                  "WUE, DUEMAX, MSG, MZ, DPR) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
              {Variant(std::int32_t(id)), Variant(std::int16_t(r.KENV)), Variant(r.KEND), Variant(r.KENP),
               Variant(r.KENW), Variant(r.DC), Variant(r.HC), Variant(r.MC), Variant(r.H2S), Variant(r.RHSU),
               Variant(r.DMAX), Variant(r.UE), Variant(r.RHSUE), Variant(r.WUE), Variant(r.DUEMAX),
               Variant(r.MSG), Variant(r.MZ), Variant(r.DPR)});
    for (std::size_t i = 0; i < r.readings.size(); ++i) {
        const Reading& x = r.readings[i];
        const int number = x.number >= 0 ? x.number : int(i);
        c.Execute(QStringLiteral(
                      "INSERT INTO E3 (ID, I1, M1, M1W, M2W, MCW, M1R, HS) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                  {Variant(std::int32_t(id)), Variant(std::int16_t(number)), Variant(x.M1), Variant(x.M1W),
                   Variant(x.M2W), Variant(x.MCW), Variant(x.M1R), Variant(x.HS)});
    }
    c.Execute(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (?, 1)"), {Variant(std::int32_t(id))});
}

} // namespace examples
