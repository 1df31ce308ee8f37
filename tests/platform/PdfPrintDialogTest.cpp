#include "TempDir.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/window/PdfPrintDialog.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <gtest/gtest.h>

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
    PdfPrintDialog d(request);
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
    PdfPrintDialog d(request);
    EXPECT_TRUE(d.allPages->isChecked());
}

} // namespace
