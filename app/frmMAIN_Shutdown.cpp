// Close, Quit and the end of a run.
#include "frmMAIN.h"

#include <QCloseEvent>

void frmMAIN::mnuSCHLIESSEN_Click() {
    restart_ = true;
    close();
}

void frmMAIN::mnuBEENDEN_Click() {
    restart_ = false;
    close();
}

void frmMAIN::closeEvent(QCloseEvent* event) { event->accept(); }
