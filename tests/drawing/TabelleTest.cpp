#include "clsTABELLE.h"
#include "TestRun.h"

#include "platform/runtime/VbError.h"
#include "platform/runtime/Color.h"
#include "platform/surface/RecordingSurface.h"
#include "platform/surface/ScrollBar.h"

#include <cmath>
#include <gtest/gtest.h>

using drawing::Zellenfeld;
using platform::RecordingSurface;
using platform::Variant;

namespace {

// A table on a recording surface of 100 x 60 mm, Arial 8 (every character 2 mm wide, 4 mm high), rows
// 4 mm high at a pitch of 4 mm, the default margins (2.5 mm) and 1.5 mm inside the blocks.
struct Tabellenlauf {
    explicit Tabellenlauf(bool printer = false, QString language = QStringLiteral("en"),
                          QString decimal = QStringLiteral("."))
        : run({language, decimal, false}), surface(options(printer)) {
        surface.setName(QStringLiteral("picBILD12"));
        tabelle.setEOBJEKT(&surface);
        tabelle.setEZH(4);
        tabelle.setEZA(1);
    }
    static RecordingSurface::Options options(bool printer) {
        RecordingSurface::Options o;
        o.width = 100;
        o.height = 60;
        o.printer = printer;
        return o;
    }
    // Columns of the given widths, single rules, centred, without pattern or statistics.
    void spalten(std::vector<double> breiten) {
        const std::size_t n = breiten.size();
        tabelle.setELSB(breiten);
        tabelle.setELGIT(std::vector<double>(n, 1));
        tabelle.setELA(std::vector<double>(n, 1));
        tabelle.setELFORMAT(std::vector<QString>(n));
    }
    // Two header rows over the columns.
    void kopf() {
        Zellenfeld k(tabelle.ELSB()->size(), 2);
        tabelle.TABELLE(k, 0);
    }
    // The texts printed, in order (an empty cell prints an empty text).
    QStringList texte() const {
        QStringList out;
        for (const auto& c : surface.calls(QStringLiteral("Print")))
            if (!c.text.isEmpty()) out << c.text;
        return out;
    }
    const RecordingSurface::Call* print(const QString& text) const {
        for (const auto& c : surface.calls())
            if (c.name == QLatin1String("Print") && c.text == text) return &c;
        return nullptr;
    }

    testsupport::TestRun run;
    RecordingSurface surface;
    clsTABELLE tabelle;
};

// A body whose first column numbers its rows.
Zellenfeld nummern(int columns, int rows) {
    Zellenfeld x(columns, rows);
    for (int j = 0; j < rows; ++j)
        x(0, j) = Variant(std::int16_t(j));
    return x;
}

struct Fensterfall {
    const char* name;
    bool printer;
    bool mitBalken;
    bool balkenSichtbar; // before the call (the printer follows the screen's bar)
    int value;
    int zeilen;
    int EEZ, ELZ;
    bool sichtbarDanach;
};

// The header is 11 mm high; body rows end at 19 + 4 i mm, the window ends at 57.5 mm: ten rows fit.
TEST(Tabelle, BodyWindowFollowsTheScrollBar) {
    const Fensterfall faelle[] = {
        {"no scroll bar: every row", false, false, false, 0, 20, 0, 19, false},
        {"a body that fits hides the bar", false, true, true, 0, 5, 0, 4, false},
        {"a body that does not fit shows the first window", false, true, false, 0, 20, 0, 9, true},
        {"half way", false, true, true, 5000, 20, 5, 14, true},
        {"at the end", false, true, true, 10000, 20, 10, 19, true},
        {"a quarter: 2.5 rows go to the even 2", false, true, true, 2500, 20, 2, 11, true},
        {"three quarters: 7.5 go to 8", false, true, true, 7500, 20, 8, 17, true},
        {"the share is taken to three decimals", false, true, true, 3333, 20, 3, 12, true},
        {"printing the screen's window", true, true, true, 5000, 20, 5, 14, true},
        {"printing with the bar hidden: every row", true, true, false, 5000, 20, 0, 19, false},
    };
    for (const Fensterfall& f : faelle) {
        SCOPED_TRACE(f.name);
        Tabellenlauf t(f.printer);
        platform::StoredScrollBar bar;
        bar.setMin(0);
        bar.setMax(10000);
        bar.setValue(f.value);
        bar.setVisible(f.balkenSichtbar);
        bar.setHeight(43.5f); // as the screen placed it
        if (f.mitBalken) t.tabelle.setEYBALKEN(&bar);
        t.spalten({20, 20});
        t.kopf();
        Zellenfeld body = nummern(2, f.zeilen);
        t.surface.clearCalls();
        t.tabelle.TABELLE(body, 1);

        EXPECT_EQ(t.tabelle.EEZ(), f.EEZ);
        EXPECT_EQ(t.tabelle.ELZ(), f.ELZ);
        if (f.mitBalken) {
            EXPECT_EQ(bar.Visible(), f.sichtbarDanach);
        }
        // The window's rows are drawn, and no other.
        QStringList erwartet;
        for (int j = f.EEZ; j <= f.ELZ; ++j)
            erwartet << QString::number(j);
        EXPECT_EQ(t.texte(), erwartet);
        // The body block is as high as its rows.
        const float HB = 3 + float(f.ELZ - f.EEZ) * 4 + 4;
        EXPECT_FLOAT_EQ(t.tabelle.HOEHE(), 11 + HB);
    }
}

TEST(Tabelle, ScrollBarStandsRightOfTheTableDownToTheBottomMargin) {
    Tabellenlauf t;
    platform::StoredScrollBar bar;
    bar.setVisible(false);
    t.tabelle.setEYBALKEN(&bar);
    t.spalten({20, 40});
    t.kopf();
    Zellenfeld body = nummern(2, 20);
    t.tabelle.TABELLE(body, 1);
    EXPECT_TRUE(bar.Visible());
    EXPECT_FLOAT_EQ(bar.Top(), 2.5f + 11 + 0.5f);
    EXPECT_FLOAT_EQ(bar.Left(), 2.5f + 60 + 1.5f);
    EXPECT_FLOAT_EQ(bar.Width(), 5);
    EXPECT_FLOAT_EQ(bar.Height(), 60 - 14 - 2.5f);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 10000);
    EXPECT_EQ(bar.LargeChange(), 2000);
    EXPECT_EQ(bar.SmallChange(), 300);
}

// The decimal signs of a column on the decimal sign end at one x: c + w / 2 - XD, with
// XD = (w / 2 - 1.5) x (m / 2 - Pf) / m = 13.5 x (5 - 8) / 10 for the pattern "######0.00".
TEST(Tabelle, DecimalSignsOfAColumnLineUp) {
    struct Fall {
        const char* language;
        const char* decimal;
    };
    for (const Fall f : {Fall{"en", "."}, Fall{"de", ","}}) {
        SCOPED_TRACE(f.language);
        Tabellenlauf t(false, QString::fromLatin1(f.language), QString::fromLatin1(f.decimal));
        t.tabelle.setELSB(std::vector<double>{30});
        t.tabelle.setELA(std::vector<double>{3});
        t.tabelle.setELFORMAT(std::vector<QString>{QStringLiteral("######0.00")});
        Zellenfeld body(1, 3);
        body(0, 0) = Variant(12.5f);
        body(0, 1) = Variant(123.25f);
        body(0, 2) = Variant(0.5f);
        t.tabelle.TABELLE(body, 1);
        const auto prints = t.surface.calls(QStringLiteral("Print"));
        ASSERT_EQ(prints.size(), 3u);
        const QString d = QString::fromLatin1(f.decimal);
        const QStringList erwartet = {QStringLiteral("12") + d + QStringLiteral("50"),
                                      QStringLiteral("123") + d + QStringLiteral("25"),
                                      QStringLiteral("0") + d + QStringLiteral("50")};
        const float separator = 2.5f + 15 + 4.05f;
        for (std::size_t j = 0; j < prints.size(); ++j) {
            EXPECT_EQ(prints[j].text, erwartet[int(j)]);
            const int Ps = int(prints[j].text.indexOf(d)) + 1;
            EXPECT_NEAR(prints[j].args[0] + 2.0 * Ps, separator, 1e-4);
        }
    }
}

TEST(Tabelle, MergedHeaderCellSpansTheBoundaryItsRuleLeavesOut) {
    Tabellenlauf t;
    t.spalten({10, 20, 30});
    t.tabelle.setELGIT(std::vector<double>{1, 2});
    t.tabelle.setELGITLEER(std::vector<double>{1, 0});
    Zellenfeld k(3, 2);
    k(0, 0) = Variant("AB");
    k(1, 0) = Variant("zz");
    k(2, 0) = Variant("C");
    k(0, 1) = Variant("a");
    k(1, 1) = Variant("b");
    k(2, 1) = Variant("c");
    t.tabelle.TABELLE(k, 0);

    // Row 0: "AB" centred over columns 0 and 1, "zz" not drawn; row 1: three cells.
    EXPECT_EQ(t.texte(), (QStringList{"AB", "C", "a", "b", "c"}));
    const auto* ab = t.print(QStringLiteral("AB"));
    ASSERT_TRUE(ab);
    EXPECT_FLOAT_EQ(ab->args[0], 2.5f + 15 - 2); // centre 17.5, 4 mm wide
    EXPECT_FLOAT_EQ(ab->args[1], 8 - 1.5f - 2);  // centred on the row line less 1.5
    EXPECT_FLOAT_EQ(t.print(QStringLiteral("C"))->args[0], 2.5f + 30 + 15 - 1);
    EXPECT_FLOAT_EQ(t.print(QStringLiteral("a"))->args[0], 2.5f + 5 - 1);
    EXPECT_FLOAT_EQ(t.print(QStringLiteral("b"))->args[1], 8 + 4 - 1.5f - 2);

    // The rule after column 0 starts EZH + ERZ + 1 below the top; the one after column 1 is double and
    // runs through the whole header (11 mm).
    const auto linien = t.surface.calls(QStringLiteral("Line"));
    ASSERT_EQ(linien.size(), 3u);
    EXPECT_EQ(linien[0].args, (std::vector<double>{12.5, 9, 12.5, 13.5}));
    EXPECT_EQ(linien[1].args, (std::vector<double>{32.5, 2.5, 32.5, 13.5}));
    EXPECT_EQ(linien[2].args, (std::vector<double>{33, 2.5, 33, 13.5}));
    // The double frame.
    const auto boxen = t.surface.calls(QStringLiteral("Box"));
    ASSERT_EQ(boxen.size(), 2u);
    EXPECT_EQ(boxen[0].args, (std::vector<double>{2.5, 2.5, 62.5, 13.5}));
    EXPECT_EQ(boxen[1].args, (std::vector<double>{2, 2, 63, 14}));
}

TEST(Tabelle, ColumnsInUseAreTheFewerOfWidthsAndCells) {
    for (const int spalten : {2, 4}) {
        Tabellenlauf t;
        t.spalten({10, 20, 30});
        Zellenfeld k(spalten, 1);
        t.tabelle.TABELLE(k, 0);
        const float W = spalten == 2 ? 30 : 60;
        EXPECT_FLOAT_EQ(float(t.surface.calls(QStringLiteral("Box"))[0].args[2]), 2.5f + W);
    }
}

struct Statistikfall {
    const char* name;
    std::vector<Variant> werte;
    QStringList zeilen; // the three statistics rows as drawn
};

TEST(Tabelle, StatisticsBlockShowsMeanDeviationAndCoefficientOrADash) {
    const Statistikfall faelle[] = {
        {"two values", {Variant(2.0f), Variant(4.0f)}, {"3.0000", "1.4142", "0.4714"}},
        {"a zero cell", {Variant(2.0f), Variant(0.0f)}, {"-", "-", "-"}},
        {"an empty cell", {Variant(2.0f), Variant()}, {"-", "-", "-"}},
        {"a zero mean", {Variant(-1.0f), Variant(1.0f)}, {"0.0000", "1.4142", "-"}},
        {"a single value", {Variant(5.0f)}, {"5.0000", "-", "-"}},
    };
    for (const Statistikfall& f : faelle) {
        SCOPED_TRACE(f.name);
        Tabellenlauf t;
        t.spalten({24, 20});
        t.tabelle.setELA(std::vector<double>{0, 2});
        t.tabelle.setELFORMAT(std::vector<QString>{QString(), QStringLiteral("#0.0000")});
        t.tabelle.setELMW(std::vector<double>{0, 1});
        Zellenfeld body(2, int(f.werte.size()));
        for (int j = 0; j < body.rows(); ++j)
            body(1, j) = f.werte[std::size_t(j)];
        t.tabelle.TABELLE(body, 1);
        Zellenfeld st(2, 3);
        st(0, 0) = Variant("Mittelwert");
        st(0, 1) = Variant("Stand.abw.");
        st(0, 2) = Variant("Var.koeff.");
        t.surface.clearCalls();
        t.tabelle.TABELLE(st, 2);

        QStringList erwartet;
        const QStringList namen = {"Mittelwert", "Stand.abw.", "Var.koeff."};
        for (int j = 0; j < 3; ++j)
            erwartet << namen[j] << f.zeilen[j];
        EXPECT_EQ(t.texte(), erwartet);
        // The caller's array holds the figures afterwards: numbers, or the text "-".
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(st(1, j).isString(), f.zeilen[j] == QLatin1String("-"));
    }
}

TEST(Tabelle, StatisticsBlockBeforeAnyBodyFails) {
    Tabellenlauf t;
    t.spalten({20, 20});
    t.tabelle.setELMW(std::vector<double>{0, 1});
    Zellenfeld st(2, 3);
    EXPECT_THROW(t.tabelle.TABELLE(st, 2), platform::VbError);
}

// A record name is the user's text: it is drawn as typed, while a caption is read in the markup.
TEST(Tabelle, PlainCellsAreNotReadAsMarkup) {
    Tabellenlauf t;
    t.spalten({30, 20});
    t.tabelle.setELA(std::vector<double>{0, 0});
    Zellenfeld body(2, 1);
    body.setKlartext(0, 0, QStringLiteral("Probe {g,1}7"));
    body(1, 0) = Variant("{g,1}r");
    t.tabelle.TABELLE(body, 1);
    EXPECT_EQ(t.texte(), (QStringList{"Probe {g,1}7", "r"}));
    EXPECT_EQ(t.surface.calls(QStringLiteral("Print"))[1].font.Name, QStringLiteral("Symbol"));
    EXPECT_EQ(t.surface.calls(QStringLiteral("Print"))[0].font.Name, QStringLiteral("Arial"));
}

TEST(Tabelle, MarkerColumnDrawsTheMarkerInItsColour) {
    struct Fall {
        int N;
        const char* call;
        int count;
        long colour;
    };
    const Fall faelle[] = {
        {0, "Line", 4, platform::RGB(0, 0, 255)},   {1, "FilledBox", 1, platform::RGB(0, 255, 0)},
        {3, "Circle", 1, platform::RGB(255, 0, 0)}, {5, "Line", 3, platform::RGB(0, 180, 0)},
        {7, "PSet", 1, platform::RGB(0, 0, 0)},     {9, "", 0, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.N);
        Tabellenlauf t;
        t.spalten({10});
        t.tabelle.setELFORMAT(std::vector<QString>{QStringLiteral("SYMBOL")});
        t.surface.setForeColor(platform::RGB(1, 2, 3));
        Zellenfeld body(1, 1);
        body(0, 0) = Variant(std::int16_t(f.N));
        t.tabelle.TABELLE(body, 1);
        std::vector<RecordingSurface::Call> marker;
        for (const auto& c : t.surface.calls())
            if (c.name != QLatin1String("Box")) marker.push_back(c);
        ASSERT_EQ(int(marker.size()), f.count);
        for (const auto& c : marker) {
            EXPECT_EQ(c.name, QString::fromLatin1(f.call));
            EXPECT_EQ(c.foreColor, f.colour);
            // Centred in the column, half a row above the row line (2.5 + 1.5 + 4 - 2 = 6).
            if (f.N == 7) {
                EXPECT_EQ(c.args, (std::vector<double>{7.5, 6}));
            }
        }
        EXPECT_EQ(t.surface.ForeColor(), platform::RGB(1, 2, 3));
        if (f.N == 3) {
            EXPECT_EQ(marker[0].fillStyle, platform::Surface::FillSolid);
            EXPECT_EQ(t.surface.FillStyle(), platform::Surface::FillTransparent);
            EXPECT_EQ(t.surface.FillColor(), platform::NumberFromColor(platform::QBColor(0)));
        }
    }
}

TEST(Tabelle, WithoutColumnWidthsItSaysSoAndDrawsNothing) {
    Tabellenlauf t;
    Zellenfeld k(2, 2);
    t.tabelle.TABELLE(k, 0);
    EXPECT_TRUE(t.surface.calls().empty());
    ASSERT_EQ(t.run.dialogs().asked().size(), 1u);
    EXPECT_EQ(t.run.dialogs().asked()[0].prompt,
              QStringLiteral("Angabe der Spaltenbreiten in Objekt picBILD12 fehlt !"));
    EXPECT_EQ(t.run.dialogs().asked()[0].title, QStringLiteral("Tabelle"));
}

TEST(Tabelle, TitleAboveAndFootnoteBelowTheBlocksDrawn) {
    Tabellenlauf t;
    t.spalten({20, 20});
    t.kopf();
    Zellenfeld body = nummern(2, 3);
    t.tabelle.TABELLE(body, 1);
    t.surface.clearCalls();
    t.tabelle.TITEL(QStringLiteral("Titel"));
    t.tabelle.FUSSNOTE(QStringLiteral("Fussnote"));
    const auto prints = t.surface.calls(QStringLiteral("Print"));
    ASSERT_EQ(prints.size(), 2u);
    // The title's bottom at T - ERZ - 1.5, the footnote's top at T + HK + HB + ERZ + 1.5.
    EXPECT_EQ(prints[0].args, (std::vector<double>{2.5, 2.5 - 1.5 - 1.5 - 4}));
    EXPECT_EQ(prints[1].args, (std::vector<double>{4, 2.5 + 11 + 15 + 1.5 + 1.5}));
}

TEST(Tabelle, RowHeightDefaultsOnceToTheHeightOfX) {
    Tabellenlauf t;
    t.tabelle.setEZH(0);
    t.spalten({20});
    t.kopf();
    EXPECT_FLOAT_EQ(t.tabelle.EZH(), 4); // Arial 8: 4 mm
    t.tabelle.SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 12, 0, 0, 0, 0);
    t.kopf();
    EXPECT_FLOAT_EQ(t.tabelle.EZH(), 4);
}

} // namespace
