// A compaction diagram as page 1 draws it, into a picture and onto a printed A4 landscape page; the
// printed page is rendered and measured.
#include "DrawingFixture.h"
#include "PdfPages.h"

#include "platform/runtime/Color.h"
#include "platform/surface/ImageSurface.h"
#include "platform/surface/PrinterSurface.h"

#include <array>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using drawing::SingleArray;
using drawingtest::list;

namespace {

// Published readings (water content in %, dry density in g/cm³ from the wet mass of a 1000 cm³ mould).
const std::vector<float> kW{8.1f, 9.9f, 12.0f, 14.3f, 16.1f, 18.2f};
std::vector<float> dryDensities() {
    const double wet[] = {2783, 3057, 3224, 3281, 3250, 3196};
    std::vector<float> rho;
    for (std::size_t i = 0; i < kW.size(); ++i)
        rho.push_back(float((wet[i] - 1130) / 1000 / (1 + kW[i] / 100)));
    return rho;
}

// A smooth curve of 72 points through the readings: the least-squares parabola, from the first water
// content in 70 equal steps to the last, and the last once more.
void curve(const std::vector<float>& x, const std::vector<float>& y, SingleArray& cx, SingleArray& cy) {
    double s[5] = {}, t[3] = {};
    for (std::size_t i = 0; i < x.size(); ++i)
        for (int k = 0; k < 5; ++k) {
            s[k] += std::pow(double(x[i]), k);
            if (k < 3) t[k] += std::pow(double(x[i]), k) * y[i];
        }
    // Solve the normal equations by Cramer's rule.
    auto det = [](std::array<std::array<double, 3>, 3> m) {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
               m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    const std::array<std::array<double, 3>, 3> a{
        {{s[0], s[1], s[2]}, {s[1], s[2], s[3]}, {s[2], s[3], s[4]}}};
    double c[3];
    for (int k = 0; k < 3; ++k) {
        auto m = a;
        for (int r = 0; r < 3; ++r)
            m[std::size_t(r)][std::size_t(k)] = t[r];
        c[k] = det(m) / det(a);
    }
    cx.values.clear();
    cy.values.clear();
    for (int i = 0; i <= 71; ++i) {
        const double w = i <= 70 ? x.front() + (x.back() - x.front()) * i / 70.0 : x.back();
        cx.values.push_back(float(w));
        cy.values.push_back(float(c[0] + c[1] * w + c[2] * w * w));
    }
}

// The diagram of page 1: admissible bounds and spans of water content and dry density with grid lines,
// the curve, the polyline through the readings, an open square on every reading and the saturation line
// with its label along the slope.
void drawCompactionDiagram(platform::Surface& surface, bool printer) {
    clsGRAFIK g;
    g.setEID(1);
    g.setEIDOBJEKT(11);
    g.setEOBJEKT(&surface);
    if (printer) {
        g.setEXDL(15);
        g.setEYDO(30);
        g.setELX(154);
        g.setELY(151);
    }
    std::vector<double> xmin, xdiff, xit{8,  8,  12, 16, 20, 24, 28, 32, 18, 20, 22, 24, 26, 28, 30,
                                         32, 34, 36, 38, 40, 42, 44, 46, 48, 50, 60, 35, 40, 45, 50};
    std::vector<double> xgit{4, 4, 6, 4, 5, 6, 7, 4, 3, 5, 2, 6, 2, 7, 5,
                             4, 2, 6, 2, 5, 6, 4, 2, 6, 5, 5, 7, 8, 9, 5};
    std::vector<double> xzl{2, 4,  6, 8,  10, 12, 7,  8,  9,  10, 11, 12, 13, 7, 10,
                            8, 17, 9, 19, 10, 6,  11, 23, 12, 10, 15, 7,  8,  9, 10};
    for (int v = 0; v <= 50; v += 2)
        xmin.push_back(v);
    for (int v : {60, 70, 80, 90, 100})
        xmin.push_back(v);
    xdiff.assign(xmin.begin() + 1, xmin.end());
    std::vector<double> ymin, ydiff;
    for (int i = 0; i <= 20; ++i)
        ymin.push_back(i / 5.0);
    ydiff.assign(ymin.begin() + 1, ymin.end());
    const std::vector<double> yit{20, 40, 60, 32, 40, 24, 28, 32, 18, 20,
                                  22, 24, 26, 28, 30, 32, 34, 36, 38, 40};
    const std::vector<double> ygit{4, 4, 6, 4, 5, 6, 7, 4, 3, 5, 2, 6, 2, 7, 5, 4, 2, 6, 2, 5};
    const std::vector<double> yzl{4, 8, 6, 8, 10, 12, 7, 8, 9, 10, 11, 12, 13, 7, 10, 8, 17, 9, 19, 10};
    g.setEBOXMIN(true);
    g.setEBOXMAX(true);
    g.setELXMIN(xmin);
    g.setELXDIFF(xdiff);
    g.setELXIT(xit);
    g.setELXGIT(xgit);
    g.setELXZL(xzl);
    g.setETEXTX(QStringLiteral("w [%]"));
    g.setESKZX(QStringLiteral("#0"));
    g.setEBOYMIN(true);
    g.setEBOYMAX(true);
    g.setELYMIN(ymin);
    g.setELYDIFF(ydiff);
    g.setELYIT(yit);
    g.setELYGIT(ygit);
    g.setELYZL(yzl);
    g.setETEXTY(QStringLiteral("{g,1}r{t,1}d [g/cm³]"));
    g.setESKZY(QStringLiteral("#0.00#"));
    g.SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
    float width = 0;
    long black = 0;
    g.LINIENEINSTELLUNGEN(0, width, black);
    const std::vector<float> rho = dryDensities();
    g.SKALEN(-1, &kW, &rho);

    width = 0.2f;
    long red = 12; // palette colour: bright red
    g.LINIENEINSTELLUNGEN(0, width, red);
    SingleArray cx, cy;
    curve(kW, rho, cx, cy);
    g.POLYGON(cx, cy, 0, 0);
    for (std::size_t i = 0; i < kW.size(); ++i) {
        SingleArray px({kW[i]}), py({rho[i]});
        g.POLYGON(px, py, -1, 2);
    }
    width = 0;
    black = 0;
    g.LINIENEINSTELLUNGEN(2, width, black);
    SingleArray lx(kW), ly(rho);
    g.POLYGON(lx, ly, 0, 0);

    // The saturation line Sr = 100 % for a grain density of 2.70 g/cm³, with its label along the slope.
    width = 0;
    long blue = 9; // bright blue
    g.LINIENEINSTELLUNGEN(0, width, blue);
    SingleArray sx, sy;
    for (int k = 0; k <= 24; ++k) {
        const float w = 8 + 0.5f * float(k);
        const float r = 1 / (1 / 2.70f + w / 100);
        if (r >= 1.4f && r <= 2.0f) {
            sx.values.push_back(w);
            sy.values.push_back(r);
        }
    }
    g.POLYGON(sx, sy, 0, 0, 0, QStringLiteral("S{t,1}r = 1"), 0);
}

// Where a value of the axes stands on the page in millimetres: the plot frame runs from 27 to 157 mm
// across (w 8 to 20 %) and from 169 up to 39 mm (dry density 1.4 to 2.0 g/cm³).
double pageX(double w) {
    return 27 + (w - 8) / 12 * 130;
}
double pageY(double rho) {
    return 169 - (rho - 1.4) / 0.6 * 130;
}

// True when one of the centres lies within the tolerance of the expected place.
bool near(const std::vector<double>& centres, double expected, double tolerance) {
    for (double c : centres)
        if (std::abs(c - expected) <= tolerance) return true;
    return false;
}

void keepForViewing(const QString& file) {
    const QString dir = qEnvironmentVariable("TAMBRIN_SAMPLE_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    const QString target = dir + QLatin1Char('/') + QFileInfo(file).fileName();
    QFile::remove(target);
    QFile::copy(file, target);
}

TEST(SampleDiagram, OnThePrintedPageAtTheMillimetresAskedFor) {
    drawingtest::DrawingRun d;
    d.g0(12, 12, 9, 12);
    const QString pdf = d.run.dir().file(QStringLiteral("compaction-diagram.pdf"));
    {
        platform::PrintTarget target;
        target.pdfFile = pdf;
        platform::PrinterSurface page(target);
        drawCompactionDiagram(page, true);
        page.EndDoc();
    }
    keepForViewing(pdf);
    EXPECT_TRUE(d.run.dialogs().asked().empty());
    // The fitted range is stored: 8..20 % and 1.4..2.0 g/cm³.
    EXPECT_FLOAT_EQ(d.g0Value(QStringLiteral("XMIN")).asSingle(), 8);
    EXPECT_FLOAT_EQ(d.g0Value(QStringLiteral("XMAX")).asSingle(), 20);
    EXPECT_FLOAT_EQ(d.g0Value(QStringLiteral("YMIN")).asSingle(), 1.4f);
    EXPECT_FLOAT_EQ(d.g0Value(QStringLiteral("YMAX")).asSingle(), 2.0f);

    // Liberation Sans for every text, no symbol font; the Greek letters are text of the page.
    const QString fonts = surfacetest::popplerOutput(QStringLiteral("pdffonts"), {pdf});
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSans"))) << fonts.toStdString();
    EXPECT_FALSE(fonts.contains(QStringLiteral("Symbol"), Qt::CaseInsensitive)) << fonts.toStdString();
    const QString text = surfacetest::popplerOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("w [%]"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(u"ρ"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(u"[g/cm³]"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1.90"))) << text.toStdString();

    const int dpi = 150;
    const double k = dpi / 25.4;
    const QImage image = surfacetest::renderPdfPage(pdf, dpi);
    ASSERT_FALSE(image.isNull());
    // Grid lines every 2 % and every 0.1 g/cm³, across the frame, measured half way between two ticks.
    const auto columns = surfacetest::inkRunsInRow(image, int(pageY(1.955) * k), int(26 * k), int(165 * k));
    for (int i = 0; i <= 6; ++i) {
        const double w = 8 + 2 * i;
        EXPECT_TRUE(near(columns, pageX(w) * k, 0.3 * k)) << "grid at w = " << w;
    }
    const auto rows = surfacetest::inkRunsInColumn(image, int(pageX(8.25) * k), int(35 * k), int(170 * k));
    for (int i = 0; i <= 6; ++i) {
        const double r = 1.4 + 0.1 * i;
        EXPECT_TRUE(near(rows, pageY(r) * k, 0.3 * k)) << "grid at " << r;
    }
    // Nothing of the diagram left of 15 mm, right of 169 mm, above 30 mm or below 181 mm.
    const QRect ink = surfacetest::inkBounds(image, image.rect());
    EXPECT_GE(ink.left() / k, 15 - 0.2);
    EXPECT_LE(ink.right() / k, 169 + 0.2);
    EXPECT_GE(ink.top() / k, 30 - 0.2);
    EXPECT_LE(ink.bottom() / k, 181 + 0.2);
    // The x title is centred under the frame, 6 mm below the axis; the y title turned, 6 mm left of it.
    const QRect xTitle =
        surfacetest::inkBounds(image, QRect(int(80 * k), int(174 * k), int(24 * k), int(6 * k)));
    EXPECT_NEAR(xTitle.center().x() / k, 92, 0.6);
    EXPECT_GE(xTitle.top() / k, 175);
    const QRect yTitle =
        surfacetest::inkBounds(image, QRect(int(15 * k), int(80 * k), int(6.5 * k), int(60 * k)));
    EXPECT_NEAR(yTitle.center().y() / k, 104, 1.5);
    EXPECT_LE(yTitle.right() / k, 21.2);
    EXPECT_GT(yTitle.height(), 3 * yTitle.width());
    // An open square of 1 mm on the reading at 14.3 %: its top and bottom sides cross the column there.
    const double rho = dryDensities()[3];
    const auto square = surfacetest::inkRunsInColumn(image, int(std::lround(pageX(14.3) * k)),
                                                     int((pageY(rho) - 2) * k), int((pageY(rho) + 2) * k));
    EXPECT_TRUE(near(square, (pageY(rho) - 0.5) * k, 0.2 * k));
    EXPECT_TRUE(near(square, (pageY(rho) + 0.5) * k, 0.2 * k));
}

TEST(SampleDiagram, InAPictureOnScreen) {
    drawingtest::DrawingRun d;
    d.g0(12, 12, 9, 12);
    platform::ImageSurface picture(135, 130);
    drawCompactionDiagram(picture, false);
    const QString png = d.run.dir().file(QStringLiteral("compaction-diagram.png"));
    ASSERT_TRUE(picture.image().save(png));
    keepForViewing(png);
    EXPECT_TRUE(d.run.dialogs().asked().empty());
    // The frame runs from 12 to 123 mm across and from 9 to 118 mm down.
    const double k = picture.pixelsPerMmX();
    const QImage& image = picture.image();
    auto x = [&](double w) { return (12 + (w - 8) / 12 * 111) * k; };
    auto y = [&](double rho) { return (118 - (rho - 1.4) / 0.6 * 109) * k; };
    const auto columns = surfacetest::inkRunsInRow(image, int(y(1.955)), int(11.5 * k), image.width() - 1);
    for (int i = 0; i <= 6; ++i) {
        const double w = 8 + 2 * i;
        EXPECT_TRUE(near(columns, x(w), 1.0)) << "grid at w = " << w;
    }
    const auto rows = surfacetest::inkRunsInColumn(image, int(x(8.25)), 0, int(119.5 * k));
    for (int i = 0; i <= 6; ++i) {
        const double r = 1.4 + 0.1 * i;
        EXPECT_TRUE(near(rows, y(r), 1.0)) << "grid at " << r;
    }
}

} // namespace
