#include "Gitterform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

Gitterform::Gitterform(int spalten, int zeilen, QWidget* form) : fenster(form ? form : &eigenes_) {
    if (!form) eigenes_.resize(900, 500);
    grid = new platform::FlexGrid(fenster);
    grid->setGeometry(10, 40, 640, 300);
    grid->setCols(spalten);
    grid->setRows(zeilen);
    txt = new platform::TextBox(fenster);
    cbo = new platform::ComboBox(fenster);
    pic = new platform::PictureBox(fenster);
    pic->setGeometryMm(1, 1, 10, 5);
    fenster->show();
    flx.setEFLX(grid);
    flx.setETXT(txt);
    flx.setECBO(cbo);
    flx.setEPIC(pic);

    QObject::connect(grid, &platform::FlexGrid::DblClick, [this] { flx.BEARBEITEN(0); });
    QObject::connect(grid, &platform::FlexGrid::KeyPress, [this](int k) { flx.BEARBEITEN(std::int16_t(k)); });
    QObject::connect(grid, &platform::FlexGrid::Click, [this] { flx.EINFUEGEN(0); });
    QObject::connect(grid, &platform::FlexGrid::MouseDown,
                     [this](int, int, float x, float) { flx.BEARBEITEN(-2, x); });
    QObject::connect(grid, &platform::FlexGrid::MouseUp,
                     [this](int, int, float, float) { flx.EINFUEGEN(-2); });
    QObject::connect(grid, &platform::FlexGrid::Scroll, [this] {
        ++scrollEvents;
        flx.BLAETTERN();
    });
    QObject::connect(grid, &platform::FlexGrid::MouseMove,
                     [this](int, int, float x, float y) { flx.TOOLTIP(x, y); });
    QObject::connect(pic, &platform::PictureBox::mouseMoved,
                     [this](float x, float y) { flx.TOOLTIP(x * 56.7f, y * 56.7f); });
    QObject::connect(txt, &QLineEdit::returnPressed, [this] { flx.EINFUEGEN(13); });
}

QStringList Gitterform::spalte(int c) const {
    QStringList texte;
    for (int r = grid->FixedRows(); r < grid->Rows(); ++r)
        texte << grid->TextMatrix(r, c);
    return texte;
}

void Gitterform::fuellen(const QStringList& zeilen, int abSpalte) {
    if (grid->Rows() < grid->FixedRows() + zeilen.size())
        grid->setRows(grid->FixedRows() + int(zeilen.size()));
    for (int i = 0; i < zeilen.size(); ++i) {
        const QStringList zellen = zeilen[i].split(QLatin1Char('\t'));
        for (int j = 0; j < zellen.size(); ++j)
            grid->setTextMatrix(grid->FixedRows() + i, abSpalte + j, zellen[j]);
    }
}

namespace {
void tasten(QWidget* ziel, const QString& text) {
    for (const QChar ch : text) {
        const int key = ch.toUpper().unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(ziel, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(ziel, &release);
    }
}

void maus(QWidget* ziel, QEvent::Type typ, const QPoint& p, Qt::MouseButtons gedrueckt) {
    QMouseEvent e(typ, QPointF(p), ziel->mapToGlobal(QPointF(p)), Qt::LeftButton, gedrueckt, Qt::NoModifier);
    QApplication::sendEvent(ziel, &e);
}
} // namespace

void Gitterform::tippe(const QString& text) {
    // The first key goes to the grid; once an editor is open, the rest go to it.
    for (const QChar ch : text) {
        QWidget* ziel = !txt->isHidden() ? static_cast<QWidget*>(txt) : grid;
        tasten(ziel, QString(ch));
    }
}

void Gitterform::tippeImEditor(const QString& text) {
    tasten(txt, text);
}

void Gitterform::enterImEditor() {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(txt, &press);
}

QPoint Gitterform::mitte(int zeile, int spalte, double anteil) const {
    return QPoint(grid->columnViewportPosition(spalte) + int(grid->columnWidth(spalte) * anteil),
                  grid->rowViewportPosition(zeile) + grid->rowHeight(zeile) / 2);
}

void Gitterform::doppelklick(int zeile, int spalte) {
    const QPoint p = mitte(zeile, spalte);
    QWidget* vp = grid->viewport();
    maus(vp, QEvent::MouseButtonPress, p, Qt::LeftButton);
    maus(vp, QEvent::MouseButtonRelease, p, Qt::NoButton);
    maus(vp, QEvent::MouseButtonDblClick, p, Qt::LeftButton);
    maus(vp, QEvent::MouseButtonRelease, p, Qt::NoButton);
}

void Gitterform::klick(int zeile, int spalte) {
    const QPoint p = mitte(zeile, spalte);
    maus(grid->viewport(), QEvent::MouseButtonPress, p, Qt::LeftButton);
    maus(grid->viewport(), QEvent::MouseButtonRelease, p, Qt::NoButton);
}

void Gitterform::ziehe(int zeile, int spalte, double anteil, int bisZeile, int bisSpalte) {
    QWidget* vp = grid->viewport();
    maus(vp, QEvent::MouseButtonPress, mitte(zeile, spalte, anteil), Qt::LeftButton);
    maus(vp, QEvent::MouseMove, mitte(bisZeile, bisSpalte), Qt::LeftButton);
    maus(vp, QEvent::MouseButtonRelease, mitte(bisZeile, bisSpalte), Qt::NoButton);
}

void alsMassenGitter(Gitterform& f, int datenzeilen) {
    using platform::Variant;
    f.flx.setELSB({10, 17, 17, 17, 17, 17});
    f.flx.setELST1({"Lfd.", "m{t,3}1,w", "m{t,3}1,f", "m{t,3}1,t", "m{t,1}B", "{c,176}C"});
    f.flx.setELSTTT(
        {"laufende Nummer", "Masse feucht", "Masse Feuchte", "Masse trocken", "Behälter", "Temperatur"});
    f.flx.setELSTYP({1, 0, 0, 0, 0, 0});
    f.flx.setELFORMAT({Variant(), "#0.00", "#0.00", "#0.00", "#0.00", "#0.0"});
    f.flx.setELMIN({0, 0, 0, 0, 0, 0});
    f.flx.setELMAX({100000, 100000, 100000, 100000, 100000, 100000});
    f.flx.setELINDEXMIN(Variant(std::int16_t(1)));
    f.grid->setRows(f.grid->FixedRows() + datenzeilen);
    f.flx.SCHRIFTEINSTELLUNGEN(QString(), 10);
    f.flx.NUMMERIEREN();
}
