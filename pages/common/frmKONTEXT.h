#pragma once

#include <array>
#include <QDialog>
#include <QPointer>
#include <QString>

class QGroupBox;
class QPushButton;
namespace platform {
class CheckBox;
}

// The page-settings dialog "Kontextmenü Seite": the page header and footer and the page numbering on or
// off, and the colours of an output page and of its pictures. A page opens it with a click on its free
// area and presets it; OK sends the settings to that page with the request KONTEXT, by name. It serves the
// page that opened it last, and sends nothing when that page is gone.
class frmKONTEXT : public QDialog {
    Q_OBJECT
public:
    // The one dialog of the run, made (and loaded) when it is not open.
    static frmKONTEXT& oeffnen();
    // The open dialog, or nullptr.
    static frmKONTEXT* offen();

    // The page's switches into the check boxes' Tags and its colours into the colour dialogs; then the
    // dialog shows, without an owner and without waiting, in front, with its check boxes set from the Tags.
    void voreinstellen(QWidget* seite, bool HBOKF, bool HBOKFS, long seitenfarbe, long bildfarbe);
    // The page the dialog serves (nullptr when it is gone).
    QWidget* seite() const { return seite_; }

    // English captions when the run's language is English.
    void Form_Load();
    // The check boxes take the page's switches again, header and footer first.
    void Form_Activate();
    // Clearing the header and footer clears and disables the page numbering; ticking it ticks and enables it.
    void chkBOKF_Click();
    // Colour dialog Index (0 the page, 1 the pictures).
    void cmdFARBEN_Click(int Index);
    void cmdOK_Click();
    void cmdABBRECHEN_Click();

    QGroupBox* fraSKALEN;
    std::array<QPushButton*, 2> cmdFARBEN;
    platform::CheckBox* chkBOKF;
    platform::CheckBox* chkBOKFS;
    QPushButton* cmdOK;
    QPushButton* cmdABBRECHEN;
    // The switches the page had when it opened the dialog, "1" on and "0" off.
    QString chkBOKF_Tag = QStringLiteral("1");
    QString chkBOKFS_Tag = QStringLiteral("1");
    // The colour dialogs: their colours and titles.
    std::array<long, 2> cdlFARBEN_Color{16777215, 16777215};
    std::array<QString, 2> cdlFARBEN_Titel;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;

private:
    frmKONTEXT();
    void platzieren();
    // Closes the dialog for good: it goes once the events are handled.
    void entladen();

    QPointer<QWidget> seite_;
    bool geschlossen_ = false;
};
