#pragma once

// The input form's geometry in twips (56.7 to the millimetre, 15 to the screen pixel): every place and size
// of its controls, inside their containers.
namespace eingabe {

// The header frame with the record's name and comment, and the tab control below it.
constexpr double kKopfBreite = 12240, kKopfHoehe = 720;
constexpr double kReiterBreite = 12240, kReiterHoehe = 7740;
constexpr double kRand = 240;  // around the header and the tab control
constexpr double kZeile = 360; // height of a label, an option button or a box line
constexpr double kFeldHoehe = 375;

// Tab 0: two columns of frames, the evaluation frame across the bottom.
constexpr double kLinks = 180, kRechts = 6180, kSpalteBreite = 5760;
constexpr double kFrameOben = 390;   // the first line inside a titled frame
constexpr double kFeldAbstand = 480; // from one number box to the next
constexpr double kSymbolLinks = 240; // the symbol of a number box, inside its frame
constexpr double kSymbolBreite = 1260;
constexpr double kFeldLinks = 1560; // the box
constexpr double kFeldBreite = 1620;
constexpr double kEinheitLinks = 3300; // the unit
constexpr double kEinheitBreite = 1200;
constexpr double kAuswertungOben = 6300, kAuswertungHoehe = 840;

// Tab 1: three framed grids side by side, the row buttons below the mass grids.
constexpr double kGridOben = 1020, kGridHoehe = 4740;
constexpr double kGridRand = 120; // the grid inside its frame
constexpr double kFrameGridOben = 120;
constexpr double kKnopfHoehe = 420;
constexpr double kGridBreite[3] = {4740, 4230, 1830}; // the columns and a vertical scroll bar
constexpr double kFrameGridLinks[3] = {120, 5220, 9810};

} // namespace eingabe
