#include "ElectronicsPresets.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

using platform::Variant;

namespace examples {

namespace {

Variant textOrNull(const QString& text) {
    return text.isEmpty() ? Variant::null() : Variant(text);
}

} // namespace

void storePreset(platform::Connection& c, const Preset& p, int IDK) {
    c.Execute(
        QStringLiteral("INSERT INTO TAMBRIN_VE1 (IDK, AKVK, ZL, DATUM, UHRZEIT, KENZ1NR, KENZ1KZ, TZS, TZZ) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {Variant(std::int32_t(IDK)), Variant(p.AKVK), Variant(std::int16_t(p.ZL)), textOrNull(p.DATUM),
         textOrNull(p.UHRZEIT), textOrNull(p.KENZ1NR), textOrNull(p.KENZ1KZ), textOrNull(p.TZS),
         textOrNull(p.TZZ)});
    for (size_t i = 0; i < p.values.size(); ++i) {
        const Preset::Value& v = p.values[i];
        c.Execute(
            QStringLiteral("INSERT INTO TAMBRIN_VE2 (IDK, MNR, SPALTE, POSITION, PRAEFIX, SUFFIX, FAKTOR, "
                           "FORMAT) VALUES (?, ?, ?, ?, ?, ?, ?, NULL)"),
            {Variant(std::int32_t(IDK)), Variant(std::int16_t(i)), textOrNull(v.SPALTE),
             textOrNull(v.POSITION), textOrNull(v.PRAEFIX), textOrNull(v.SUFFIX),
             v.FAKTOR ? Variant(*v.FAKTOR) : Variant::null()});
    }
}

bool hasPreset(platform::Connection& c, const QString& AKVK) {
    platform::Recordset rs;
    rs.OpenForReading(QStringLiteral("SELECT [IDK] FROM [TAMBRIN_VE1] WHERE [AKVK]=?"), c, {Variant(AKVK)});
    return !rs.eof();
}

std::vector<DemoElectronics> demoElectronics() {
    const std::vector<Preset::Value> drying = {
        {QStringLiteral("M1"), QStringLiteral("0"), {}, {}, 1},
        {QStringLiteral("M1W"), QStringLiteral("1"), {}, {}, 1},
        {QStringLiteral("M2W"), QStringLiteral("2"), {}, {}, 1},
        {QStringLiteral("MCW"), QStringLiteral("3"), {}, {}, 1},
    };
    std::vector<DemoElectronics> demo;

    // A: a balance that writes a protocol head, then one weighing per line, with decimal commas.
    Preset a;
    a.AKVK = QStringLiteral("Waage Zeilen (A)");
    a.ZL = 4;
    a.KENZ1KZ = QStringLiteral("#DATEN");
    a.TZS = QStringLiteral(";");
    a.values = drying;
    demo.push_back({a,
                    {QStringLiteral("Waage_A.txt"), QByteArray("Waagenprotokoll Bodenlabor, Pr\xC3\xBC"
                                                               "fstand 2\r\n"
                                                               "m1;m1w;m2w;mcw\r\n"
                                                               "#DATEN\r\n"
                                                               "2783,0;256,2;240,0;40,0\r\n"
                                                               "3057,0;259,8;240,0;40,0\r\n"
                                                               "3224,0;264,0;240,0;40,0\r\n"
                                                               "3281,0;268,6;240,0;40,0\r\n"
                                                               "3250,0;272,2;240,0;40,0\r\n"
                                                               "3196,0;276,4;240,0;40,0\r\n")}});

    // B: all weighings in one line, each closed by "|", the masses with their unit; the first block is the
    // device's head and is skipped.
    Preset b;
    b.AKVK = QStringLiteral("Waage Block (B)");
    b.ZL = 4;
    b.KENZ1NR = QStringLiteral("1");
    b.TZS = QStringLiteral("<BLANK>");
    b.TZZ = QStringLiteral("|");
    b.values = drying;
    for (auto& v : b.values)
        v.SUFFIX = QStringLiteral("g");
    demo.push_back({b,
                    {QStringLiteral("Waage_B.txt"),
                     QByteArray("WX200 6 Zyklen|2783.0g 256.2g 240.0g 40.0g|3057.0g 259.8g 240.0g 40.0g|"
                                "3224.0g 264.0g 240.0g 40.0g|3281.0g 268.6g 240.0g 40.0g|"
                                "3250.0g 272.2g 240.0g 40.0g|3196.0g 276.4g 240.0g 40.0g|\n")}});

    // C: one value per line; each cycle opens with the count of the lines that follow and the cycle
    // number; the mould's mass comes in kilograms.
    Preset c;
    c.AKVK = QStringLiteral("Waage Werte (C)");
    c.ZL = 6;
    c.values = drying;
    for (auto& v : c.values)
        v.POSITION = QString::number(v.POSITION.toInt() + 2);
    c.values[0].FAKTOR = 1000;
    QByteArray cBytes;
    const char* rows[][4] = {{"2.783", "256.2", "240.0", "40.0"}, {"3.057", "259.8", "240.0", "40.0"},
                             {"3.224", "264.0", "240.0", "40.0"}, {"3.281", "268.6", "240.0", "40.0"},
                             {"3.250", "272.2", "240.0", "40.0"}, {"3.196", "276.4", "240.0", "40.0"}};
    for (int k = 0; k < 6; ++k) {
        cBytes += "5\n" + QByteArray::number(k) + "\n";
        for (const char* v : rows[k])
            cBytes += QByteArray(v) + "\n";
    }
    demo.push_back({c, {QStringLiteral("Waage_C.txt"), cBytes}});
    return demo;
}

} // namespace examples
