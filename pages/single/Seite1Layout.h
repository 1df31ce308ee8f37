#pragma once

#include "mdiAUSGABESEITE.h"

// Where page 1 places its pictures, in twips of the page window (56.7 to the millimetre), as the sheet is
// laid out: the diagram at the left, the table of readings to its right, 3 mm apart and 237 mm wide
// together, and the text block below the table, as high as the two together and 18 mm wider than the table.
namespace seite1layout {

using Lage = ausgabeseite::Lage;

constexpr Lage BILD11{850.5, 1701, 7654.5, 7371};
constexpr Lage BILD12{BILD11.leftTwips + BILD11.widthTwips + 170.1, BILD11.topTwips,
                      13437.9 - BILD11.widthTwips, 3685.5};
constexpr Lage BILD13{BILD12.leftTwips, BILD12.topTwips + BILD12.heightTwips, 6804,
                      BILD11.heightTwips - BILD12.heightTwips};

// The printed diagram's size in millimetres, and the offsets of the printed table and text block.
constexpr float kDiagrammBreite = 154, kDiagrammHoehe = 151;
constexpr float kTabelleXDL = 20, kTabelleYDO = 8;
constexpr float kTextblockXDL = 20, kTextblockYDO = 15;

// How page 1 is made: its form name and caption, its pictures at their places, the table's scroll bar and
// what its error boxes begin with.
inline mdiAUSGABESEITE::Art art() {
    return {"mdiSEITE1",
            QStringLiteral("Seite 1"),
            {"picBILD11", "picBILD12", "picBILD13"},
            {BILD11, BILD12, BILD13},
            "vscBILD12",
            QStringLiteral("VB-Error: ")};
}

} // namespace seite1layout
