#pragma once

#include "platform/window/ProgressBarWidget.h"

#include <QFrame>
#include <QLabel>
#include <QWidget>
#include <array>

// The start screen: a child window of the main window that stays behind every other child for the whole
// run. It shows the maker's contact data, the program's title and version and a picture of the apparatus,
// and hosts the progress bar that long operations step.
class mdiAUTOSTART : public QWidget {
    Q_OBJECT
public:
    explicit mdiAUTOSTART(QWidget* parent = nullptr);

    // Fills the texts and lays the controls out for the main window's inner size (twips).
    void Form_Load(double SW, double SH);

    QFrame* fraKOPF;
    QLabel* imgTALO;
    std::array<QLabel*, 4> lblKOPF;
    QLabel* lblTITEL;
    QLabel* lblUNTERTITEL;
    QLabel* lblVERSION;
    QLabel* imgDIA;
    platform::ProgressBarWidget* pgbBERECHNEN;
};
