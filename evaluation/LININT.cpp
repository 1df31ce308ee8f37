#include "LININT.h"

#include "platform/run/RunState.h"
#include "platform/runtime/DialogService.h"

float LININT(float X1, float X2, float X, float Y1, float Y2) {
    if (X2 == X1) {
        platform::RunState::current().dialogs().MsgBox(QStringLiteral("Division durch Null!"), platform::Msg::OKOnly,
                                                       QStringLiteral("LININT"));
        return 0.0f;
    }
    return static_cast<float>(double(Y2) - (double(Y2) - double(Y1)) * (double(X2) - double(X)) / (double(X2) - double(X1)));
}
