#include "platform/window/PdfPrintDialog.h"
#include "platform/runtime/ScriptedDialogs.h"
#include "platform/runtime/SystemLocale.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

using namespace platform;

namespace {

TEST(PdfPrintDialog, PresetFromTheRequestAndAnswersTheChoice) {
    SystemLocale::Override de(QStringLiteral("de"), QStringLiteral(","));
    testsupport::TempDir dir;
    PrintRequest request;
    request.minPage = 1;
    request.maxPage = 2;
    request.fromPage = 2;
    request.toPage = 2;
    request.suggestedPdfFile = dir.file(QStringLiteral("Probe B.pdf"));
    ScriptedDialogs dialogs;
    PdfPrintDialog d(request, dialogs);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Drucken"));
    EXPECT_TRUE(d.pageRange->isChecked()); // the active page alone
    EXPECT_EQ(d.fromPage->value(), 2);
    EXPECT_EQ(d.file->text(), request.suggestedPdfFile);

    d.allPages->setChecked(true);
    d.file->setText(dir.file(QStringLiteral("alles")));
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const PrintAnswer a = d.answer();
    EXPECT_EQ(a.range, PrintAnswer::Range::All);
    EXPECT_EQ(a.pdfFile, dir.file(QStringLiteral("alles.pdf")));
    EXPECT_TRUE(a.printerName.isEmpty());
}

TEST(PdfPrintDialog, EveryPageIsThePresetWhenNoPageIsActive) {
    PrintRequest request;
    request.maxPage = 2;
    request.fromPage = 1;
    request.toPage = 2;
    ScriptedDialogs dialogs;
    PdfPrintDialog d(request, dialogs);
    EXPECT_TRUE(d.allPages->isChecked());
}

// After "..." and its file dialog the focus stays on "...": Enter prints from there as from the other
// controls, it does not open the file dialog again.
TEST(PdfPrintDialog, EnterPrintsWhereverTheFocusIs) {
    testsupport::TempDir dir;
    const struct {
        const char* name;
        QWidget* (*control)(PdfPrintDialog&);
    } controls[] = {
        {"...", [](PdfPrintDialog& d) -> QWidget* { return d.chooseFile; }},
        {"file", [](PdfPrintDialog& d) -> QWidget* { return d.file; }},
        {"to", [](PdfPrintDialog& d) -> QWidget* { return d.toPage; }},
    };
    for (const auto& c : controls) {
        for (const int key : {int(Qt::Key_Return), int(Qt::Key_Enter)}) {
            SCOPED_TRACE(std::string(c.name) + " key " + std::to_string(key));
            PrintRequest request;
            request.suggestedPdfFile = dir.file(QStringLiteral("Probe B.pdf"));
            ScriptedDialogs dialogs;
            PdfPrintDialog d(request, dialogs);
            // No file dialog here: the presses of "..." are counted instead.
            QObject::disconnect(d.chooseFile, &QPushButton::clicked, &d, nullptr);
            int browsed = 0;
            QObject::connect(d.chooseFile, &QPushButton::clicked, &d, [&] { ++browsed; });
            d.show();
            d.activateWindow();
            QApplication::processEvents();
            QWidget* control = c.control(d);
            control->setFocus(Qt::OtherFocusReason);
            QApplication::processEvents();
            ASSERT_EQ(d.focusWidget(), control);
            QKeyEvent press(QEvent::KeyPress, key,
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            QApplication::sendEvent(control, &press);
            EXPECT_EQ(browsed, 0);
            EXPECT_EQ(d.result(), QDialog::Accepted);
            EXPECT_FALSE(d.isVisible());
        }
    }
}

void schreiben(const QString& file) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("frueher");
}

TEST(PdfPrintDialog, AsksBeforeItReplacesAFileAndNoKeepsItOpen) {
    SystemLocale::Override de(QStringLiteral("de"), QStringLiteral(","));
    testsupport::TempDir dir;
    const QString probe = dir.file(QStringLiteral("Probe B.pdf"));
    const struct {
        const char* name;
        QStringList there; // files written before
        bool allPages;     // all of two pages, else the second alone
        int answer;        // to the question, when there is one
        QString question;  // empty: none asked
        bool accepted;
    } cases[] = {
        {"a new file", {}, false, 0, {}, true},
        {"the same file again, No",
         {"Probe B.pdf"},
         false,
         Msg::No,
         "Die Datei „" + probe + "“ besteht bereits. Soll sie ersetzt werden?",
         false},
        {"the same file again, Yes",
         {"Probe B.pdf"},
         false,
         Msg::Yes,
         "Die Datei „" + probe + "“ besteht bereits. Soll sie ersetzt werden?",
         true},
        // Two pages go into a file each: those are the files that would be replaced.
        {"the pages' files",
         {"Probe B-1.pdf", "Probe B-2.pdf"},
         true,
         Msg::No,
         "Diese Dateien bestehen bereits:\n" + dir.file("Probe B-1.pdf") + "\n" + dir.file("Probe B-2.pdf") +
             "\nSollen sie ersetzt werden?",
         false},
        {"two pages, only the single file there", {"Probe B.pdf"}, true, 0, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(dir.file(name));
        for (const QString& name : c.there)
            schreiben(dir.file(name));
        PrintRequest request;
        request.maxPage = 2;
        request.fromPage = 2;
        request.toPage = 2;
        request.suggestedPdfFile = probe;
        ScriptedDialogs dialogs;
        if (c.answer) dialogs.answer(c.answer);
        PdfPrintDialog d(request, dialogs);
        d.allPages->setChecked(c.allPages);
        d.pageRange->setChecked(!c.allPages);
        d.accept();
        EXPECT_EQ(d.result() == QDialog::Accepted, c.accepted);
        if (c.question.isEmpty()) {
            EXPECT_TRUE(dialogs.asked().empty());
        } else {
            ASSERT_EQ(dialogs.asked().size(), 1u);
            EXPECT_EQ(dialogs.asked()[0].prompt, c.question);
            EXPECT_EQ(dialogs.asked()[0].style, Msg::YesNo | Msg::Question);
        }
        // Nothing is written by the dialog itself.
        for (const QString& name : c.there) {
            QFile f(dir.file(name));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), QByteArray("frueher"));
        }
    }
}

TEST(PdfPrintDialog, AFolderThatIsNotThereIsOneMessageThroughTheService) {
    SystemLocale::Override de(QStringLiteral("de"), QStringLiteral(","));
    testsupport::TempDir dir;
    PrintRequest request;
    ScriptedDialogs dialogs;
    PdfPrintDialog d(request, dialogs);
    d.file->setText(dir.file(QStringLiteral("fehlt/x.pdf")));
    d.accept();
    EXPECT_NE(d.result(), QDialog::Accepted);
    EXPECT_EQ(dialogs.messages(),
              QStringList{"Bitte geben Sie eine PDF-Datei in einem vorhandenen Ordner an."});
}

} // namespace
