#pragma once

#include <cstdint>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>

class frmMAIN;

// The record-selection dialog: lists the project's test records by name, preselects the active ones and,
// on OK, writes the choice into the active flag E1.AKT of every listed record. The main window's Tag tells
// it the command it serves ("O" open: one record; "A" select: any records, each evaluated first; "L"
// delete) and receives its answer: "OK" when the choice is stored, "Abbrechen" after Cancel, the mode
// letter unchanged when the close box closed it. Each list line keeps its record's ID, so that the choice
// is written to the records the lines show, whatever their names hold. A record whose ID lies beyond a Long
// (written by another tool) is listed and can be deleted; OK refuses to open or select it with one message
// that names it, and writes nothing.
class frmAUSWAHL : public QDialog {
    Q_OBJECT
public:
    explicit frmAUSWAHL(frmMAIN* owner);

    // Caption by the mode, the list of records with the active ones selected, the dialog's place.
    void Form_Load();
    // Every change of the list's selection: while the dialog fills the list nothing is examined; after a
    // user's change the mode's rule applies to the line that has the focus.
    void lstKEN_Click();
    void cmdOK_Click();
    void cmdABBRECHEN_Click();

    // The record ID of list line i (beyond a Long for a record another tool numbered so).
    std::int64_t lineID(int line) const;

    QListWidget* lstKEN;
    QPushButton* cmdOK;
    QPushButton* cmdABBRECHEN;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The mode letter the dialog was opened with.
    QString mode() const;
    void keepFirstSelectedLine();

    frmMAIN* main_;
    bool filling_ = false;
    bool adjusting_ = false; // the rule itself is changing the selection
};
