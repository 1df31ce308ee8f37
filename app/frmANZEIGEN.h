#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QPushButton>
#include <array>

class frmMAIN;

// The page chooser: a small modeless dialog that brings one of the loaded output pages to the front,
// maximised, and hides the others (which stay loaded).
class frmANZEIGEN : public QDialog {
    Q_OBJECT
public:
    explicit frmANZEIGEN(frmMAIN* owner);

    // Builds the page list from the loaded pages and proposes the active page's number.
    void Form_Load();
    // Checks the typed page number and returns the chosen one (1..n; 1 when nothing fits).
    int checkPageNumber();
    void cmdOK_Click();
    void cmdABBRECHEN_Click();

    std::array<QLabel*, 2> lblSEITEN;
    QLabel* lblSEITE;
    QLineEdit* txtSEITE;
    QPushButton* cmdOK;
    QPushButton* cmdABBRECHEN;

    int pageCount() const { return int(pages_.size()); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Activate();
    frmMAIN* main_;
    QList<QPointer<QWidget>> pages_;
};
