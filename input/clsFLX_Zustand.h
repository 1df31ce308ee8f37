#pragma once

// The state of one grid editor, shared by the files that implement clsFLX.

#include "clsFLX.h"
#include "drawing/SurfaceSettings.h"
#include "Editortasten.h"
#include "Formatmerker.h"
#include "platform/surface/PictureBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextBox.h"
#include "Zellwerte.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <QPointer>
#include <QString>

namespace platform {
class Variant;
}

struct clsFLX::Zustand {
    // Bindings; the window owns them, and a control it has destroyed reads as unbound.
    QPointer<platform::FlexGrid> grid;
    clsFLX* coupled = nullptr;
    std::unique_ptr<clsFLX> ownCoupled; // made by EFLXK's get when nothing was bound
    QPointer<platform::TextBox> txt;
    QPointer<platform::ComboBox> cbo;
    QPointer<platform::PictureBox> pic;
    // Tab, Shift+Tab and Esc in the bound editors.
    std::unique_ptr<Editortasten> tasten;

    // The column lists.
    Liste lsb, lst1, lsttt, lstyp, lformat, la, lmin, lmax, lselek;
    std::optional<Liste> lst2;
    std::vector<QStringList> lcbo;
    Indexwert indexMin, indexMax;

    // Start values of the three running-number levels and the maxima of levels 2 and 3.
    std::int16_t s1 = 0, s2 = 0, s3 = 0, m2 = 0, m3 = 0;
    // The rightmost column of each of the types 1 to 6, -1 when none has it (index = type).
    int typSpalte[7] = {-1, -1, -1, -1, -1, -1, -1};

    bool boh = true;
    std::int16_t det = -1;
    QString dete = QStringLiteral("mm");
    // The edit target: the cell the open editor writes into.
    std::int16_t znr = 0, snr = 0;
    // Where the grid was scrolled when the editor opened: a rejected value scrolls it back there.
    int editTopRow = 0, editLeftCol = 0;
    bool scrollingBack = false;
    // A row insert or remove is running (couplings that lead back here end here).
    bool zeilenImGange = false;

    // The caption fonts: 0 the header picture's, 1-5 built from the grid's font.
    drawing::MarkupFonts fonts;
    // Formats and dates worked out before.
    Formatmerker merker;
};
