// What the program shows from files and databases (a lock file's user line, a record's name or comment, a
// folder) is read as it stands: a message box, an input box and a tool tip never render it as markup.
#include "platform/runtime/DialogService.h"
#include "platform/window/PlainToolTip.h"
#include "platform/window/QtDialogService.h"
#include "platform/window/StatusBar.h"

#include "NextModalBox.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTextDocument>

using namespace platform;

namespace {

// Texts that Qt takes for markup by their look, and texts it does not.
struct Fall {
    const char* name;
    QString text;
};

const std::vector<Fall>& faelle() {
    static const std::vector<Fall> f{
        {"a lock file's user line that would hide the rest",
         QStringLiteral("The project is locked by user <b>MEIER</b>, who has left. Safe to take over.<!--\n"
                        "on computer labpc07 since 12.12.2026 08:14.\n\nAnswer Yes only when that run has "
                        "ended.")},
        {"a record name in bold",
         QStringLiteral("Datensatz <b>x</b> muß zuerst einzeln ausgewertet werden!")},
        {"a name that is a whole paragraph", QStringLiteral("<p>Probe</p>")},
        {"an entity and a line break", QStringLiteral("Probe &amp; B\nKommentar: <i>steif</i>")},
        {"blanks that markup would fold", QStringLiteral("<b>a</b>   b\n  c")},
        {"a plain text with line breaks", QStringLiteral("VB-Error: 53\nFile not found")},
        {"a comparison, no tag", QStringLiteral("m1 < m2 & m2 > m3")},
    };
    return f;
}

// The characters a label or tool tip shows for its text, as Qt decides between plain text and markup.
QString gezeigt(const QString& text, Qt::TextFormat format) {
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text))) return text;
    QTextDocument doc;
    doc.setHtml(text);
    return doc.toPlainText();
}

TEST(PlainText, AMessageBoxShowsItsTextAsItStands) {
    QtDialogService dialogs;
    for (const Fall& fall : faelle()) {
        SCOPED_TRACE(fall.name);
        QString text;
        Qt::TextFormat format = Qt::AutoText;
        bool gesehen = false;
        NextModalBox ansehen([&](QWidget& w) {
            auto* box = qobject_cast<QMessageBox*>(&w);
            ASSERT_NE(box, nullptr);
            // The label the box shows its text in.
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            text = label->text();
            format = label->textFormat();
            gesehen = true;
            box->button(QMessageBox::No)->click();
        });
        EXPECT_EQ(dialogs.MsgBox(fall.text, Msg::YesNo | Msg::Question | Msg::DefaultButton2,
                                 QStringLiteral("Sperre")),
                  Msg::No);
        ASSERT_TRUE(gesehen);
        EXPECT_EQ(gezeigt(text, format), fall.text);
    }
}

TEST(PlainText, AnInputBoxShowsItsPromptAsItStands) {
    QtDialogService dialogs;
    for (const Fall& fall : faelle()) {
        SCOPED_TRACE(fall.name);
        QStringList gezeigteTexte;
        NextModalBox ansehen([&](QWidget& w) {
            auto* box = qobject_cast<QInputDialog*>(&w);
            ASSERT_NE(box, nullptr);
            for (const QLabel* label : box->findChildren<QLabel*>())
                gezeigteTexte << gezeigt(label->text(), label->textFormat());
            box->setTextValue(QStringLiteral("<b>B</b>"));
            box->accept();
        });
        EXPECT_EQ(dialogs.InputBox(fall.text, QStringLiteral("Name"), QStringLiteral("A")),
                  std::optional<QString>(QStringLiteral("<b>B</b>")));
        EXPECT_EQ(gezeigteTexte, QStringList{fall.text});
    }
}

// A tool tip of a status bar panel (the project folder, the user, the active records and their comments):
// the panel keeps the text given, and the tip shows it as it stands; a plain text is passed on unchanged.
TEST(PlainText, AToolTipShowsItsTextAsItStands) {
    StatusBar leiste;
    StatusPanel* panel = leiste.addPanel(QString(), 1000, 500, StatusPanel::NoAutoSize);
    for (const Fall& fall : faelle()) {
        SCOPED_TRACE(fall.name);
        const QString tip = plainToolTip(fall.text);
        // Qt decides by the look of a tool tip whether it is markup.
        EXPECT_EQ(gezeigt(tip, Qt::AutoText), fall.text);
        if (!Qt::mightBeRichText(fall.text)) {
            EXPECT_EQ(tip, fall.text);
        }
        panel->setToolTipText(fall.text);
        EXPECT_EQ(panel->ToolTipText(), fall.text);
        EXPECT_EQ(gezeigt(panel->toolTip(), Qt::AutoText), fall.text);
    }
}

} // namespace
