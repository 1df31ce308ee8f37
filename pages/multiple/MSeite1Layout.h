#pragma once

#include "mdiAUSGABESEITE.h"

// Where the multiple-evaluation page places its pictures, in twips of the page window (56.7 to the
// millimetre): the diagram of all records at the left, the results table to its right, 3 mm apart and
// 240 mm wide together, and the summary box below the table, as wide as the table and filling the
// diagram's height.
namespace mseite1layout {

using Lage = ausgabeseite::Lage;

constexpr Lage BILD110{850.5, 1701, 7654.5, 7371};
constexpr Lage BILD120{BILD110.leftTwips + BILD110.widthTwips + 170.1, BILD110.topTwips,
                       13608 - 170.1 - BILD110.widthTwips, 5953.5};
constexpr Lage BILD130{BILD120.leftTwips, BILD120.topTwips + BILD120.heightTwips, BILD120.widthTwips,
                       BILD110.heightTwips - BILD120.heightTwips};

// The printed diagram's size, and the offsets of the printed table and summary box (mm).
constexpr float kDiagrammBreite = 154, kDiagrammHoehe = 151;
constexpr float kTabelleXDL = 20, kTabelleYDO = 7;
constexpr float kSummeXDL = 20, kSummeYDO = 16;

// The summary box: its frame from (2, 2) mm, 45 x 14 mm, and the two lines in it.
constexpr float kKastenLinks = 2, kKastenOben = 2, kKastenBreite = 45, kKastenHoehe = 14;
// The results table: row height and pitch factor, the space inside a block above its first and below its
// last row, the margin above the table (the table's default), and the bottom margin of the screen window.
constexpr float kZeilenhoehe = 3.5f, kZeilenfaktor = 1.2f, kBlockRand = 1.5f, kTabelleRandOben = 2.5f;
constexpr float kTabelleRandUnten = 20;
// The height of a block of that many rows, as the table draws it.
constexpr float blockhoehe(int zeilen) {
    return 2 * kBlockRand + float(zeilen - 1) * (kZeilenhoehe * kZeilenfaktor) + kZeilenhoehe;
}

// The space kept between the printed table and a summary box moved below it.
constexpr float kAbstandUnterTabelle = 3;
// The lowest line a printed table or summary box may reach: above the footer of the sheet.
constexpr float kDruckUnten = 185;

// How the page is made: its form name and caption, its pictures at their places, the table's scroll bar and
// what its error boxes begin with.
inline mdiAUSGABESEITE::Art art() {
    return {"mdiMSEITE1",
            QStringLiteral("Mehrfachauswertung"),
            {"picBILD110", "picBILD120", "picBILD130"},
            {BILD110, BILD120, BILD130},
            "vscBILD120",
            QStringLiteral("VB-Fehler: ")};
}

} // namespace mseite1layout
