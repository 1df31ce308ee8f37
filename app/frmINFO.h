#pragma once

#include <array>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

class mdiAUTOSTART;

// The info box: the product family, the program's title, subtitle, file and version, the maker's rights
// notice, the developers, and the maker's contact data with two logos. Built anew for each opening.
class frmINFO : public QDialog {
    Q_OBJECT
public:
    explicit frmINFO(QWidget* owner = nullptr);

    // Sets the texts: the contact data, the start screen's title, subtitle and version, and the program's
    // title and version information. A failure shows the error box and leaves the texts set so far.
    void Form_Load(const mdiAUTOSTART* startScreen);

    // The trademarks field of the program's version information: the developers.
    static QString LegalTrademarks();
    // The developers line of a trademarks field: longer than 50 characters, it is cut after the first comma
    // at position 50 or later, and " ..." follows.
    static QString developers(const QString& trademarks);

    QLabel* imgORV;
    QLabel* imgTALO;
    std::array<QLabel*, 8> lblORV;
    QFrame* Line1;
    std::array<QLabel*, 8> lblINFO;
    QPushButton* cmdSCHLIESSEN;

public slots:
    void cmdSCHLIESSEN_Click();

protected:
    void showEvent(QShowEvent* event) override;
};
