#include "ExampleRecords.h"

#include "platform/db/Connection.h"

using platform::Connection;
using platform::Variant;

namespace examples {

namespace {

const double pi = 3.1415925; // as the evaluation takes it
const double dc = 10.0;      // inner diameter of the mould, cm
const double h2s = 2.0;      // the specimen stands flush with the mould's rim: h'' = h'
// The height that gives the mould its 1000 cm3.
const double hc = 1000.0 / (dc * dc * pi / 4.0);

struct Reading {
    double w;    // water content as a fraction
    double mass; // set B: mould + wet soil; set C: wet soil in the mould
};

void addRecord(Connection& c, int id, const QString& name, const QString& comment, bool active) {
    c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT, SPR) VALUES (?, ?, ?, ?, 3)"),
              {Variant(std::int32_t(id)), Variant(name), Variant(comment), Variant(active)});
}

} // namespace

void addSetB(Connection& c, int id, const QString& name, const QString& comment, bool active) {
    const double mc = 1130.0;
    addRecord(c, id, name, comment, active);
    c.Execute(QStringLiteral("INSERT INTO E2 (ID, KENV, KEND, KENP, KENW, DC, HC, MC, H2S, RHSU, DMAX, UE, DPR) "
                             "VALUES (?, 0, 1, 0, 1, ?, ?, ?, ?, 2.7, 16, 0, 97)"),
              {Variant(std::int32_t(id)), Variant(float(dc)), Variant(float(hc)), Variant(float(mc)),
               Variant(float(h2s))});
    const Reading readings[] = {{0.081, 2783}, {0.099, 3057}, {0.120, 3224},
                                {0.143, 3281}, {0.161, 3250}, {0.182, 3196}};
    std::int16_t i = 0;
    for (const auto& r : readings) {
        // Sub-samples of 200 g dry soil in a tray of 50 g give the published water content.
        const double tray = 50.0, dry = 200.0;
        c.Execute(QStringLiteral("INSERT INTO E3 (ID, I1, M1, M1W, M2W, MCW, HS) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                  {Variant(std::int32_t(id)), Variant(i++), Variant(float(r.mass)),
                   Variant(float(tray + dry * (1.0 + r.w))), Variant(float(tray + dry)), Variant(float(tray)),
                   Variant(float(h2s))});
    }
}

void addSetC(Connection& c, int id, const QString& name, const QString& comment, bool active) {
    const double mc = 4000.0, msg = 2500.0, mz = 300.0;
    addRecord(c, id, name, comment, active);
    c.Execute(QStringLiteral("INSERT INTO E2 (ID, KENV, KEND, KENP, KENW, DC, HC, MC, H2S, RHSU, DMAX, UE, RHSUE, "
                             "WUE, DUEMAX, MSG, MZ, DPR) VALUES (?, 1, 0, 0, 0, ?, ?, ?, ?, 2.7, 31.5, 10, 2.65, 1, "
                             "63, ?, ?, 97)"),
              {Variant(std::int32_t(id)), Variant(float(dc)), Variant(float(hc)), Variant(float(mc)),
               Variant(float(h2s)), Variant(float(msg)), Variant(float(mz))});
    const Reading readings[] = {{0.128, 2010}, {0.145, 2092}, {0.156, 2114}, {0.168, 2100}, {0.192, 2055}};
    std::int16_t i = 0;
    for (const auto& r : readings) {
        // The rest of the moist soil stays in the bowl (mass mz): m1,r = rest + mz, m1 = mc + soil + m1,r.
        const double m1r = msg * (1.0 + r.w) - r.mass + mz;
        c.Execute(QStringLiteral("INSERT INTO E3 (ID, I1, M1, M1R, HS) VALUES (?, ?, ?, ?, ?)"),
                  {Variant(std::int32_t(id)), Variant(i++), Variant(float(mc + r.mass + m1r)), Variant(float(m1r)),
                   Variant(float(h2s))});
    }
}

} // namespace examples
