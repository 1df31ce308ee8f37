// The input form's keys, the checks when a box is left, and the events of its grids, editing boxes and row
// buttons, which go to the grid editor of the same index.

#include "mdiEINGABE.h"

#include "clsFLX.h"

#include "platform/run/RunState.h"
#include "platform/surface/PictureBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/OptionButton.h"
#include "platform/window/Twips.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

using platform::RunState;

namespace {

constexpr int kCtrl = 2, kAlt = 4;
constexpr int kKommaTaste = 110; // the keypad's decimal key

// The key code and the shift state of a key event, as the key handler takes them.
std::pair<int, int> tasteVon(const QKeyEvent& e) {
    int code = e.key();
    if ((e.modifiers() & Qt::KeypadModifier) && (code == Qt::Key_Comma || code == Qt::Key_Period))
        code = kKommaTaste;
    int shift = 0;
    if (e.modifiers() & Qt::ShiftModifier) shift |= 1;
    if (e.modifiers() & Qt::ControlModifier) shift |= kCtrl;
    if (e.modifiers() & Qt::AltModifier) shift |= kAlt;
    return {code, shift};
}

bool istEnter(const QKeyEvent& e) {
    return e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter;
}

} // namespace

void mdiEINGABE::connectEvents() {
    connect(SSTab, &QTabWidget::currentChanged, this, [this] { SSTab_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(optKENW[i], &platform::OptionButton::Click, this, [this, i] { optKENW_Click(i); });
    for (int i = 0; i < 3; ++i) {
        platform::FlexGrid* g = msgFLX[i];
        connect(g, &platform::FlexGrid::DblClick, this, [this, i] { msgFLX_DblClick(i); });
        connect(g, &platform::FlexGrid::KeyPress, this, [this, i](int k) { msgFLX_KeyPress(i, k); });
        connect(g, &platform::FlexGrid::Click, this, [this, i] { msgFLX_Click(i); });
        connect(g, &platform::FlexGrid::MouseDown, this,
                [this, i](int, int, float x, float) { msgFLX_MouseDown(i, x); });
        connect(g, &platform::FlexGrid::MouseUp, this,
                [this, i](int, int, float, float) { msgFLX_MouseUp(i); });
        connect(g, &platform::FlexGrid::Scroll, this, [this, i] { msgFLX_Scroll(i); });
        connect(g, &platform::FlexGrid::MouseMove, this,
                [this, i](int, int, float x, float y) { msgFLX_MouseMove(i, x, y); });
    }
    for (int i = 0; i < 3; ++i)
        connect(picFLX[i], &platform::PictureBox::mouseMoved, this, [this, i](float x, float y) {
            picFLX_MouseMove(i, float(x * platform::TwipsPerMillimetre),
                             float(y * platform::TwipsPerMillimetre));
        });
    for (int i = 0; i < 2; ++i) {
        connect(cmdH[i], &QPushButton::clicked, this, [this, i] { cmdH_Click(i); });
        connect(cmdW[i], &QPushButton::clicked, this, [this, i] { cmdW_Click(i); });
        connect(cmdK[i], &QPushButton::clicked, this, [this, i] { cmdK_Click(i); });
        connect(cmdE[i], &QPushButton::clicked, this, [this, i] { cmdE_Click(i); });
    }
    hBeiseiteVerfolgen();
    // The form sees every key before its controls, and the checked boxes report when they are left.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

// --- Keys ---

bool mdiEINGABE::Form_KeyDown(int KeyCode, int Shift) {
    RunState& run = RunState::current();
    QWidget* aktiv = tasteZiel_ ? tasteZiel_.data() : focusWidget();
    if (KeyCode == kKommaTaste) {
        // The run's decimal sign in place of what the keyboard layout puts on the key.
        const QString d = run.DEZIMALPUNKT;
        auto* combo = qobject_cast<QComboBox*>(aktiv);
        auto* zeile = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(aktiv);
        if (zeile) {
            zeile->insert(d);
            return true;
        }
        const int i = gridIndex(aktiv);
        if (i >= 0 && !d.isEmpty()) {
            msgFLX_KeyPress(i, d.at(0).unicode());
            return true;
        }
        return false;
    }
    if (KeyCode == Qt::Key_Q && (Shift & kAlt)) {
        run.mnuBEENDEN_Click();
        return true;
    }
    if (!(Shift & kCtrl)) return false;
    if (KeyCode == Qt::Key_C) {
        const int i = gridIndex(aktiv);
        if (i < 0) return false;
        flx(i).BEARBEITEN(-1, 0);
        return true;
    }
    if (KeyCode == Qt::Key_S) {
        run.stbMAIN_PanelClick(8);
        return true;
    }
    if (KeyCode == Qt::Key_V) {
        const int i = gridIndex(aktiv);
        if (i < 0) return false;
        cmdE_Click(i);
        return true;
    }
    return false;
}

int mdiEINGABE::gridIndex(const QObject* widget) const {
    for (int i = 0; i < 3; ++i)
        if (widget && (widget == msgFLX[i] || widget->parent() == msgFLX[i]->viewport() ||
                       widget == msgFLX[i]->viewport()))
            return i;
    return -1;
}

int mdiEINGABE::editorGrid(const QObject* widget) const {
    for (int i = 0; i < 3; ++i)
        if (widget && (widget == txtFLX[i] || widget == cboFLX[i] || widget->parent() == cboFLX[i])) return i;
    return -1;
}

bool mdiEINGABE::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto& taste = static_cast<QKeyEvent&>(*event);
        const auto [code, shift] = tasteVon(taste);
        // Ctrl+S may close the form: nothing of it is touched after a command.
        QPointer<mdiEINGABE> form(this);
        tasteZiel_ = qobject_cast<QWidget*>(watched);
        const bool genommen = Form_KeyDown(code, shift);
        if (!form) return true;
        tasteZiel_ = nullptr;
        if (genommen) return true;
        const int i = editorGrid(watched);
        if (i >= 0 && istEnter(taste)) {
            if (watched == txtFLX[i])
                txtFLX_KeyPress(i, 13);
            else
                cboFLX_KeyPress(i, 13);
            return true;
        }
        break;
    }
    case QEvent::FocusOut:
        pruefenBeimVerlassen(watched, static_cast<QFocusEvent&>(*event));
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        if (klickVerworfen(watched, event->type())) return true;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// --- Checks when a box is left ---

void mdiEINGABE::pruefenBeimVerlassen(QObject* watched, const QFocusEvent& event) {
    // Only a move of the focus inside the form leaves a box; a message box, another window or the form's
    // closing do not.
    const Qt::FocusReason grund = event.reason();
    if (grund == Qt::ActiveWindowFocusReason || grund == Qt::PopupFocusReason || pruefend_) return;
    // A box that goes out of sight with its tab is left by the tab switch, which checks it once the other
    // tab is shown (SSTab_Click); the form being hidden does not leave it.
    if (auto* w = qobject_cast<QWidget*>(watched); !w || !w->isVisible()) {
        if (w && w != txtKEN && geprueft(w)) ausserSicht_ = w;
        return;
    }
    QWidget* neu = QApplication::focusWidget();
    if (!neu || !isAncestorOf(neu) || neu == watched) return;

    QWidget* box = geprueft(watched);
    if (!box) return;
    pruefend_ = true;
    const bool abgelehnt = feldPruefen(*box);
    pruefend_ = false;
    if (abgelehnt) {
        // The click that moved the focus does not reach the control it went to: the focus never arrived
        // there, and a control's own check on that click would be a second message for one action.
        klickZiel_ = grund == Qt::MouseFocusReason ? neu : nullptr;
        // The focus stays in the refused box. It has gone on to another box by now, which the way back leaves
        // unchecked: a refused value there would hand the focus back in turn, without end.
        QPointer<QWidget> ziel(box);
        QTimer::singleShot(0, this, [this, ziel] {
            if (ziel) fokusOhnePruefung(*ziel);
            // A release that a message box took in the meantime never comes: the click is over.
            klickZiel_ = nullptr;
        });
    }
}

void mdiEINGABE::fokusOhnePruefung(QWidget& ziel) {
    const bool vorher = pruefend_;
    pruefend_ = true;
    ziel.setFocus(Qt::OtherFocusReason);
    pruefend_ = vorher;
}

bool mdiEINGABE::klickVerworfen(QObject* watched, QEvent::Type typ) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!klickZiel_ || !w) return false;
    if (w != klickZiel_ && !klickZiel_->isAncestorOf(w)) {
        // A press elsewhere is a new click.
        if (typ == QEvent::MouseButtonPress) klickZiel_ = nullptr;
        return false;
    }
    if (typ == QEvent::MouseButtonRelease) klickZiel_ = nullptr;
    return true;
}

QWidget* mdiEINGABE::geprueft(const QObject* widget) const {
    if (widget == txtKEN) return txtKEN;
    if (widget == cboDPR) return cboDPR;
    for (const Zahlenfeld& feld : zahlenfelder_)
        if (widget == feld.box) return feld.box;
    return nullptr;
}

bool mdiEINGABE::feldPruefen(QWidget& box) {
    if (&box == txtKEN) return txtKEN_Validate();
    if (&box == cboDPR) return cboDPR_Validate();
    return txtZAHL_Validate(static_cast<platform::TextBox&>(box));
}

// --- Grid, editing-box and button events ---

void mdiEINGABE::msgFLX_DblClick(int Index) {
    flx(Index).BEARBEITEN(0, 0);
}

void mdiEINGABE::msgFLX_KeyPress(int Index, int KeyAscii) {
    flx(Index).BEARBEITEN(std::int16_t(KeyAscii), 0);
    const int tab = SSTab->currentIndex();
    REITERAKTUALISIEREN(tab);
    REITERFORMATIEREN(tab);
}

void mdiEINGABE::msgFLX_Click(int Index) {
    flx(Index).EINFUEGEN(0);
    REITERAKTUALISIEREN(SSTab->currentIndex());
}

void mdiEINGABE::msgFLX_MouseDown(int Index, float X) {
    flx(Index).BEARBEITEN(-2, X);
}

void mdiEINGABE::msgFLX_MouseUp(int Index) {
    flx(Index).EINFUEGEN(-2);
}

void mdiEINGABE::msgFLX_Scroll(int Index) {
    flx(Index).BLAETTERN();
}

void mdiEINGABE::msgFLX_MouseMove(int Index, float X, float Y) {
    flx(Index).TOOLTIP(X, Y);
}

void mdiEINGABE::picFLX_MouseMove(int Index, float X, float Y) {
    flx(Index).TOOLTIP(X, Y);
}

void mdiEINGABE::txtFLX_KeyPress(int Index, int KeyAscii) {
    flx(Index).EINFUEGEN(std::int16_t(KeyAscii));
    if (KeyAscii == 13) REITERAKTUALISIEREN(SSTab->currentIndex());
}

void mdiEINGABE::cboFLX_KeyPress(int Index, int KeyAscii) {
    flx(Index).EINFUEGEN(std::int16_t(KeyAscii));
    REITERAKTUALISIEREN(SSTab->currentIndex());
}

void mdiEINGABE::cmdH_Click(int Index) {
    // A value the check refuses stops the insert with the editor still open.
    if (!flx(Index).EINFUEGEN(0) || !flx(Index).ZEILEEINFUEGEN()) return;
    const int tab = SSTab->currentIndex();
    REITERAKTUALISIEREN(tab);
    REITERFORMATIEREN(tab);
}

void mdiEINGABE::cmdW_Click(int Index) {
    if (!flx(Index).EINFUEGEN(0) || !flx(Index).ZEILEENTFERNEN()) return;
    REITERFORMATIEREN(SSTab->currentIndex());
}

void mdiEINGABE::cmdK_Click(int Index) {
    flx(Index).BEARBEITEN(-1, 0);
}

void mdiEINGABE::cmdE_Click(int Index) {
    flx(Index).EINFUEGEN(-1);
    // Readings the paste added get their h' and their sums as an inserted reading does.
    const int tab = SSTab->currentIndex();
    REITERAKTUALISIEREN(tab);
    REITERFORMATIEREN(tab);
}
