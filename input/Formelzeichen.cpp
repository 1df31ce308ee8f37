#include "Formelzeichen.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
const QString kGleich = QStringLiteral(" =");
}

Formelzeichen::Formelzeichen(const QString& buchstabe, const QString& index, QWidget* parent)
    : platform::Label(buchstabe + index + kGleich, parent), buchstabe_(buchstabe), index_(index) {}

QFont Formelzeichen::indexSchrift() const {
    QFont f = font();
    f.setFamily(QStringLiteral("Arial"));
    f.setPointSizeF(8.25);
    return f;
}

QSize Formelzeichen::sizeHint() const {
    const QFontMetrics fm(font());
    const QFontMetrics im(indexSchrift());
    return {fm.horizontalAdvance(buchstabe_) + im.horizontalAdvance(index_) + fm.horizontalAdvance(kGleich),
            fm.height() + im.descent()};
}

void Formelzeichen::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(foregroundRole()));
    const QFontMetrics fm(font());
    const QFontMetrics im(indexSchrift());
    // The letter's baseline centred as a label centres its line; the subscript hangs half its height lower.
    const int grundlinie = (height() - fm.height()) / 2 + fm.ascent();
    int x = 0;
    p.setFont(font());
    p.drawText(x, grundlinie, buchstabe_);
    x += fm.horizontalAdvance(buchstabe_);
    p.setFont(indexSchrift());
    p.drawText(x, grundlinie + im.ascent() / 2, index_);
    x += im.horizontalAdvance(index_);
    p.setFont(font());
    p.drawText(x, grundlinie, kGleich);
}
