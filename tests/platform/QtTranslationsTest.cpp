#include "platform/runtime/QtTranslations.h"
#include "platform/runtime/DialogService.h"
#include "platform/window/QtDialogService.h"

#include "NextModalBox.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

using namespace platform;

namespace {

// The texts of the buttons of the next modal box, read while it is open; then the box is cancelled.
class ButtonReader {
public:
    QStringList texts() const {
        QStringList sorted = texts_;
        sorted.sort();
        return sorted;
    }

private:
    QStringList texts_;
    NextModalBox box_{[this](QWidget& box) {
        if (auto* buttons = box.findChild<QDialogButtonBox*>())
            for (QAbstractButton* b : buttons->buttons())
                texts_ << b->text().remove(QLatin1Char('&'));
        QMetaObject::invokeMethod(&box, "reject", Qt::QueuedConnection);
    }};
};

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

TEST(QtTranslations, TheStandardButtonsSpeakTheRunsLanguage) {
    struct Case {
        const char* language;
        QStringList question;
        QStringList input;
    };
    const Case cases[] = {
        {"de", {"Ja", "Nein", "Abbrechen"}, {"OK", "Abbrechen"}},
        {"en", {"Yes", "No", "Cancel"}, {"OK", "Cancel"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        const QtTranslations texts{QString::fromLatin1(c.language)};
        if (!texts.loaded())
            GTEST_SKIP() << "Qt's translations are not installed in "
                         << QtTranslations::folder().toStdString() << " (package qt6-translations-l10n)";
        QtDialogService dialogs;
        {
            ButtonReader reader;
            EXPECT_EQ(
                dialogs.MsgBox(QStringLiteral("?"), Msg::YesNoCancel | Msg::Question, QStringLiteral("T")),
                Msg::Cancel);
            EXPECT_EQ(reader.texts(), sorted(c.question));
        }
        {
            ButtonReader reader;
            EXPECT_FALSE(dialogs.InputBox(QStringLiteral("?"), QStringLiteral("T")).has_value());
            EXPECT_EQ(reader.texts(), sorted(c.input));
        }
    }
}

} // namespace
