#pragma once

#include "platform/ui/TextBox.h"

#include <QWidget>

// The input form of one compaction test record: the test conditions on the first tab, the readings on the
// second. It opens empty for a new record, loads a stored record with OEFFNEN and writes itself into the
// record tables E1, E2 and E3 with OK. The main window saves it through status panel 8 and reads the
// record's name from txtKEN.
class mdiEINGABE : public QWidget {
    Q_OBJECT
public:
    // Builds the empty form for a new record.
    explicit mdiEINGABE(QWidget* parent = nullptr);
    ~mdiEINGABE() override;

    // The record's name; the main window reads its Text.
    platform::TextBox* txtKEN = nullptr;

    // Loads record AKTID into the shown form.
    Q_INVOKABLE void OEFFNEN(qint32 AKTID);
    // Writes the form under AKTID into E1 (AKT True), E2 and E3, all inside one savepoint of the working
    // copy: a failure leaves nothing of it written and returns false.
    Q_INVOKABLE bool OK(qint32 AKTID);
    // Before any save: closes an open grid editor through its value check and checks every value that
    // would fail to store. False after its one message; nothing is written.
    Q_INVOKABLE bool EINGABEPRUEFEN();
};
