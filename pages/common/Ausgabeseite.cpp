#include "Ausgabeseite.h"

#include "clsTABELLE.h"
#include "frmKONTEXT.h"

#include "platform/run/RunState.h"
#include "platform/surface/PageSurface.h"
#include "platform/surface/PictureBox.h"
#include "platform/system/FileSystem.h"

#include <QKeyEvent>
#include <QPrinterInfo>
#include <QWidget>

using platform::RunState;

namespace ausgabeseite {

platform::PageSurface* blattAnlegen(QWidget* seite) {
    const double k = platform::ImageSurface::kScreenPixelsPerMm;
    seite->resize(int(297 * k), int(210 * k));
    auto* blatt = new platform::PageSurface(seite);
    blatt->setObjectName(QStringLiteral("Seite"));
    return blatt;
}

platform::PictureBox* bildfeld(QWidget* seite, const char* name, float left, float top, float width,
                               float height) {
    auto* b = new platform::PictureBox(seite);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometryMm(left, top, width, height);
    b->setFocusPolicy(Qt::ClickFocus);
    return b;
}

std::pair<int, int> tasteVon(const QKeyEvent& e) {
    int code = e.key();
    if (code == Qt::Key_Escape) code = 27;
    int shift = 0;
    if (e.modifiers() & Qt::ShiftModifier) shift |= 1;
    if (e.modifiers() & Qt::ControlModifier) shift |= 2;
    if (e.modifiers() & Qt::AltModifier) shift |= 4;
    return {code, shift};
}

bool Form_KeyDown(int KeyCode, int Shift) {
    constexpr int kCtrl = 2, kAlt = 4;
    RunState& run = RunState::current();
    if (KeyCode == 27) {
        run.stbMAIN_PanelClick(15);
        return true;
    }
    if (KeyCode == 81 && (Shift & kAlt)) {
        run.mnuBEENDEN_Click();
        return true;
    }
    if (!(Shift & kCtrl)) return false;
    const std::pair<int, int> panels[] = {{65, 14}, {67, 12}, {80, 11}, {83, 10}, {87, 13}};
    for (const auto& [key, panel] : panels)
        if (KeyCode == key) {
            run.stbMAIN_PanelClick(panel);
            return true;
        }
    return false;
}

bool Form_KeyDown(const QKeyEvent& event) {
    const auto [code, shift] = tasteVon(event);
    return Form_KeyDown(code, shift);
}

void Form_Click(QWidget* seite, bool HBOKF, bool HBOKFS, long seitenfarbe, long bildfarbe) {
    frmKONTEXT& dialog = frmKONTEXT::oeffnen();
    dialog.voreinstellen(seite, HBOKF, HBOKFS, seitenfarbe, bildfarbe);
}

void Form_Activate() {
    RunState::current().setPanelVisible(14, false);
}

void farbenSetzen(QWidget* seite, platform::PageSurface* flaeche, long FARBEMDI, long FARBEPIC) {
    flaeche->surface().setBackColor(FARBEMDI);
    for (auto* box : seite->findChildren<platform::PictureBox*>(Qt::FindDirectChildrenOnly))
        if (box != flaeche) box->surface().setBackColor(FARBEPIC);
}

platform::PrintTarget druckziel(const QString& dokument, const QString& dateiname) {
    const RunState& run = RunState::current();
    platform::PrintTarget target;
    target.documentName = dokument;
    if (!run.printer.pdfFile.isEmpty()) {
        target.pdfFile = run.printer.pdfFile;
    } else if (!run.printer.printerName.isEmpty()) {
        target.printerName = run.printer.printerName;
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        namespace fs = platform::FileSystem;
        const QString folder = fs::BuildPath(run.PROJEKTSPFAD, run.PROJEKT);
        target.pdfFile = fs::BuildPath(folder, fs::FileNameOf(dateiname));
    }
    return target;
}

Ziel ziel(int OBJ, platform::PictureBox* box, float XDL, float YDO,
          const std::function<platform::Surface&()>& drucker) {
    if (OBJ == 1) return {&drucker(), box->leftMm() + XDL, box->topMm() + YDO};
    return {&box->surface(), 0, 0};
}

void tabellenziel(clsTABELLE& t, const Ziel& z, platform::ScrollBar* balken) {
    t.setEOBJEKT(z.surface);
    t.setEXDL(z.EXDL);
    t.setEYDO(z.EYDO);
    t.setEYBALKEN(balken);
}

Zeigen::~Zeigen() {
    if (box_) box_->update();
}

} // namespace ausgabeseite
