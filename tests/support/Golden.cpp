#include "Golden.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <QtGlobal>

namespace testsupport {

double abweichung(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 1;
    long anders = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                    std::abs(qBlue(p) - qBlue(q)) >
                96)
                ++anders;
        }
    return double(anders) / (double(a.width()) * a.height());
}

void wieGespeichert(const QImage& bild, const QString& gespeichert, Ablage ablage) {
    const QImage gezeichnet = bild.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("TAMBRIN_UPDATE_GOLDEN")) {
        const QImage ablegen =
            ablage == Ablage::Palette
                ? gezeichnet.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither)
                : gezeichnet;
        ASSERT_TRUE(ablegen.save(gespeichert));
        GTEST_SKIP() << "stored anew: " << gespeichert.toStdString();
    }
    const QImage soll = QImage(gespeichert).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(soll.isNull()) << "missing " << gespeichert.toStdString();
    EXPECT_LT(abweichung(gezeichnet, soll), 0.002);
}

} // namespace testsupport
