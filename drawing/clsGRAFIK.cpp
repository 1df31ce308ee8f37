#include "clsGRAFIK.h"

#include "SingleMath.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/VbError.h"
#include "platform/surface/Surface.h"

#include <cmath>

using platform::VbError;

namespace {
const QString kFehler = QStringLiteral("VB-Fehler: ");
} // namespace

clsGRAFIK::clsGRAFIK() {
    // The record whose diagram settings are used: the first active one.
    auto& run = platform::RunState::current();
    if (!run.cnnX) throw VbError::objectNotSet();
    platform::Recordset rs;
    rs.Open(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true"), *run.cnnX);
    if (!rs.eof()) setEID(platform::CLng(rs.Value(0)));
    rs.Close();
}

clsGRAFIK::~clsGRAFIK() {
    EOBJEKT_ = nullptr;
    EXBALKEN_ = nullptr;
    EYBALKEN_ = nullptr;
}

void clsGRAFIK::setELX(float mm) {
    ELX_ = mm;
    ELXMIN_ = std::vector<double>{0.0, double(mm)};
    ELXDIFF_ = std::vector<double>{double(mm)};
    ELXIT_ = std::vector<double>{1.0};
    ELXGIT_ = std::vector<double>{0.0};
    ELXZL_ = std::vector<double>{0.0};
}

void clsGRAFIK::setELY(float mm) {
    ELY_ = mm;
    ELYMIN_ = std::vector<double>{0.0, double(mm)};
    ELYDIFF_ = std::vector<double>{double(mm)};
    ELYIT_ = std::vector<double>{1.0};
    ELYGIT_ = std::vector<double>{0.0};
    ELYZL_ = std::vector<double>{0.0};
}

void clsGRAFIK::setELXGIT(drawing::NumberList list) {
    ELXGIT_ = list;
    ELXZL_ = std::move(list);
}

void clsGRAFIK::setELYGIT(drawing::NumberList list) {
    ELYGIT_ = list;
    ELYZL_ = std::move(list);
}

void clsGRAFIK::setEXYIT(float value) {
    EXYIT_ = platform::CInt(platform::Variant(value));
}

platform::Surface& clsGRAFIK::surface() const {
    if (!EOBJEKT_) throw VbError::objectNotSet();
    return *EOBJEKT_;
}

void clsGRAFIK::setEOBJEKT(platform::Surface* s) {
    EOBJEKT_ = s;
    if (!s) return;
    ppu_ = drawing::measureSurface(*s);
    setELX(s->ScaleWidth());
    setELY(s->ScaleHeight());
    SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
}

void clsGRAFIK::LINIENEINSTELLUNGEN(std::int16_t LINIENART, float& LINIENBREITE, long& FARBE) {
    platform::ErrorTrap trap(QStringLiteral("Linieneinstellungen"), kFehler);
    platform::Surface* s = nullptr;
    if (!trap.step([&] { s = &surface(); })) return;
    if (s) drawing::applyPen(*s, ppu_.x, LINIENART, LINIENBREITE, FARBE, trap);
}

void clsGRAFIK::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, std::int16_t SCHRIFTGROESSE,
                                     std::int16_t FETT, std::int16_t UNTERSTRICHEN, std::int16_t KURSIV,
                                     long FARBE) {
    platform::ErrorTrap trap(QStringLiteral("Schrifteinstellungen"), QStringLiteral("VB-Fehler:"));
    platform::Surface* s = nullptr;
    if (!trap.step([&] { s = &surface(); })) return;
    if (s)
        drawing::applyFont(*s, fonts_, SCHRIFTART, SCHRIFTGROESSE, FETT, UNTERSTRICHEN, KURSIV, FARBE, trap);
}

float clsGRAFIK::LOG10(float x) {
    return drawing::LOG10(x);
}

void clsGRAFIK::KOORDTRANS(float X, float Y, float& XP, float& YP) {
    platform::ErrorTrap trap(QStringLiteral("Koordinatentransformation"), kFehler);
    const double left = double(EXDL_) + m_.XVERSATZ + m_.RL;
    const double top = double(EYDO_) + m_.YVERSATZ + m_.RO;
    if (!trap.step([&] {
            XP = drawing::single(left + (m_.OX == 1 ? drawing::divide(double(X) - m_.XMIN, m_.MX)
                                                    : drawing::divide(double(m_.XMAX) - X, m_.MX)));
        }))
        return;
    trap.step([&] {
        YP = drawing::single(top + (m_.OY == 1 ? drawing::divide(double(m_.YMAX) - Y, m_.MY)
                                               : drawing::divide(double(Y) - m_.YMIN, m_.MY)));
    });
}

void clsGRAFIK::KOORDTRANSINV(float XP, float YP, float& X, float& Y, std::int16_t SKTX, std::int16_t SKTY) {
    platform::ErrorTrap trap(QStringLiteral("Inverse Koordinatentransformation"), kFehler);
    const double left = double(EXDL_) + m_.XVERSATZ + m_.RL;
    const double top = double(EYDO_) + m_.YVERSATZ + m_.RO;
    if (!trap.step([&] {
            X = drawing::single(m_.OX == 1 ? (XP - left) * m_.MX + m_.XMIN : (left - XP) * m_.MX + m_.XMAX);
        }))
        return;
    if (!trap.step([&] {
            Y = drawing::single(m_.OY == 1 ? (top - YP) * m_.MY + m_.YMAX : (YP - top) * m_.MY + m_.YMIN);
        }))
        return;
    if (!trap.step([&] {
            if (SKTX == 1) X = drawing::single(std::pow(10.0, double(X)));
        }))
        return;
    trap.step([&] {
        if (SKTY == 1) Y = drawing::single(std::pow(10.0, double(Y)));
    });
}
