// Labels of the diagram object.
#include "clsGRAFIK.h"
#include "MarkupText.h"
#include "SingleMath.h"

#include "platform/run/ErrorBox.h"
#include "platform/surface/Surface.h"

#include <cmath>

void clsGRAFIK::TEXT(float X, float Y, const QString& TEXT, std::int16_t KO, std::int16_t AL,
                     std::int16_t ARX, std::int16_t ARY) {
    QString label = TEXT;
    this->TEXT(X, Y, label, KO, AL, ARX, ARY);
}

void clsGRAFIK::TEXT(float X, float Y, QString& TEXT, std::int16_t KO, std::int16_t AL, std::int16_t ARX,
                     std::int16_t ARY) {
    platform::ErrorTrap trap(QStringLiteral("Text"), QStringLiteral("VB-Fehler: "));
    const AreaClip clip(*this);
    platform::Surface* s = nullptr;
    if (!trap.step([&] { s = &surface(); }) || !s) return;

    // The reference point in millimetres on the surface.
    if (!trap.step([&] {
            if (KO == 1) {
                if (ESKTX_ == 1) X = LOG10(X);
                if (ESKTY_ == 1) Y = LOG10(Y);
                KOORDTRANS(X, Y, X, Y);
            } else if (KO == 2) {
                X += m_.XVERSATZ + EXDL_;
                Y += m_.YVERSATZ + EYDO_;
            }
        }))
        return;
    const float W = float(AL) * 0.017453292f;
    const float cosW = std::cos(W), sinW = std::sin(W);

    if (!trap.step([&] { drawing::rewriteExponent(TEXT); })) return;

    // The label's size, measured without its group tags in the caller's font.
    float TW = 0, TH = 0;
    if (!trap.step([&] {
            const QString plain = drawing::markupPlainText(TEXT);
            TW = s->TextWidth(plain);
            TH = s->TextHeight(plain);
        }))
        return;

    // A label in data coordinates is drawn only when it lies wholly inside the plot frame widened by 1 mm.
    if (KO == 1) {
        bool inside = true;
        if (!trap.step([&] {
                float left = EXDL_ + m_.RL - 1, top = EYDO_ + m_.RO - 1;
                float right = EXDL_ + ELX_ - m_.RR + 1, bottom = EYDO_ + ELY_ - m_.RU + 1;
                const float across = TW * cosW, down = TH * cosW;
                switch (ARX) {
                case 0:
                    right -= across;
                    break;
                case 1:
                    left += across / 2;
                    right -= across / 2;
                    break;
                case 2:
                    left += across;
                    break;
                default:
                    break;
                }
                switch (ARY) {
                case 0:
                    bottom -= down;
                    break;
                case 1:
                    top += down / 2;
                    bottom -= down / 2;
                    break;
                case 2:
                    top += down;
                    break;
                default:
                    break;
                }
                inside = left < X && X < right && top < Y && Y < bottom;
            }))
            return;
        if (!inside) return;
    }

    // The top-left corner of the first piece's cell.
    drawing::MarkupPlacement at;
    at.degrees = AL;
    at.angle = W;
    switch (ARX) {
    case 0:
        at.x = X;
        at.y = Y;
        break;
    case 1:
        at.x = X - TW * cosW / 2;
        at.y = Y + TW * sinW / 2;
        break;
    case 2:
        at.x = X - TW * cosW;
        at.y = Y + TW * sinW;
        break;
    default:
        break; // the label starts at the surface's origin
    }
    if (ARY == 1) {
        at.x -= TH * sinW / 2;
        at.y -= TH * cosW / 2;
    } else if (ARY == 2) {
        at.x -= TH * sinW;
        at.y -= TH * cosW;
    }
    drawing::drawMarkup(*s, fonts_, TEXT, at, drawing::MarkupRules{}, trap);
}
