#include "frmAUSWAHL.h"

#include "frmMAIN.h"
#include "Pictures.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/Language.h"
#include "platform/window/FormFont.h"
#include "platform/window/PlainToolTip.h"
#include "platform/window/Twips.h"
#include "RecordId.h"

#include <QKeyEvent>
#include <QSignalBlocker>

using namespace platform;

namespace {
constexpr int IdRole = Qt::UserRole;
constexpr int CommentRole = Qt::UserRole + 1;
} // namespace

frmAUSWAHL::frmAUSWAHL(frmMAIN* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      main_(owner) {
    setObjectName(QStringLiteral("frmAUSWAHL"));
    setWindowIcon(Pictures::programIcon());
    const QFont f = platform::arialFont(11.25);
    setFont(f);
    setFixedSize(twipsToPixels(2565), twipsToPixels(4560));

    lstKEN = new QListWidget(this);
    lstKEN->setObjectName(QStringLiteral("lstKEN"));
    lstKEN->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstKEN->setSortingEnabled(false);
    placeTwips(lstKEN, 240, 330, 2070, 2865);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    placeTwips(cmdOK, 570, 3390, 1440, 400);
    cmdABBRECHEN = new QPushButton(QStringLiteral("Abbrechen"), this);
    cmdABBRECHEN->setObjectName(QStringLiteral("cmdABBRECHEN"));
    cmdABBRECHEN->setAutoDefault(false);
    placeTwips(cmdABBRECHEN, 570, 3870, 1440, 400);
    setTabOrder(cmdOK, cmdABBRECHEN);
    setTabOrder(cmdABBRECHEN, lstKEN);

    connect(lstKEN, &QListWidget::itemSelectionChanged, this, &frmAUSWAHL::lstKEN_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmAUSWAHL::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmAUSWAHL::cmdABBRECHEN_Click);
}

QString frmAUSWAHL::mode() const {
    return main_->Tag;
}

std::int64_t frmAUSWAHL::lineID(int line) const {
    const QListWidgetItem* item = lstKEN->item(line);
    return item ? item->data(IdRole).toLongLong() : 0;
}

void frmAUSWAHL::Form_Load() {
    filling_ = true;
    const QString m = mode();
    if (m == QLatin1String("O"))
        setWindowTitle(Language::text(QStringLiteral("File/Open"), QStringLiteral("Datei/Öffnen")));
    else if (m == QLatin1String("A"))
        setWindowTitle(Language::text(QStringLiteral("File/Select"), QStringLiteral("Datei/Auswahl")));
    else if (m == QLatin1String("L"))
        setWindowTitle(Language::text(QStringLiteral("File/Delete"), QStringLiteral("Datei/Löschen")));
    if (Language::english()) cmdABBRECHEN->setText(QStringLiteral("Cancel"));

    ErrorTrap trap(windowTitle());
    Hourglass hourglass;
    Recordset rs;
    bool read = trap.step([&] {
        rs.OpenForReading(
            QStringLiteral("SELECT [ID],[KEN],[KOM],[AKT] FROM [E1] WHERE [ID]>0 ORDER BY [KEN]"),
            *main_->cnnX);
    });
    if (trap.cancelled()) {
        filling_ = false;
        return;
    }
    if (read) {
        for (; !rs.eof(); rs.MoveNext()) {
            if (!trap.step([&] {
                    const Variant ken = rs.Value(1);
                    const Variant kom = rs.Value(2);
                    const qlonglong id = store::recordId(rs.Value(0));
                    const QString comment = kom.isNull() ? QString() : CStr(kom);
                    auto* line = new QListWidgetItem(ken.isNull() ? QString() : CStr(ken), lstKEN);
                    line->setData(IdRole, id);
                    line->setData(CommentRole, comment);
                    if (CBool(rs.Value(3))) {
                        line->setSelected(true);
                        // In open mode only the first active record in name order stays chosen.
                        if (mode() == QLatin1String("O")) keepFirstSelectedLine();
                    }
                }))
                break;
        }
        rs.Close();
    }
    if (!trap.cancelled()) {
        // Screen position: a fifth of the main window's inner width from the left, a third of the height
        // the main window leaves below the dialog from the top.
        const QWidget* inner = main_->mdiArea;
        const int outer = frameGeometry().height();
        move(inner->width() / 5, (inner->height() - outer) / 3);
    }
    filling_ = false;
}

void frmAUSWAHL::keepFirstSelectedLine() {
    bool first = true;
    for (int i = 0; i < lstKEN->count(); ++i) {
        QListWidgetItem* line = lstKEN->item(i);
        if (!line->isSelected()) continue;
        if (!first) line->setSelected(false);
        first = false;
    }
}

void frmAUSWAHL::lstKEN_Click() {
    if (filling_ || adjusting_) return;
    QListWidgetItem* focused = lstKEN->currentItem();
    if (!focused) return;
    ErrorTrap trap(windowTitle());
    const qsizetype selected = lstKEN->selectedItems().size();
    const auto deselectFocused = [&] {
        adjusting_ = true;
        focused->setSelected(false);
        adjusting_ = false;
    };
    if (mode() == QLatin1String("O")) {
        if (selected > 1) deselectFocused();
    } else if (mode() == QLatin1String("A") && selected >= 2 && focused->isSelected()) {
        // A record joins a selection of several only when its evaluation is stored.
        bool evaluated = false;
        if (!trap.step([&] {
                Recordset rs;
                rs.OpenForReading(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=?"), *main_->cnnX,
                                  {store::idValue(focused->data(IdRole).toLongLong())});
                evaluated = !rs.eof() && !rs.Value(0).isNull() && !CBool(rs.Value(0));
                rs.Close();
            }))
            return;
        if (!evaluated) {
            const QString name = focused->text();
            main_->dialogs().MsgBox(
                Language::text(QStringLiteral("File ") + name +
                                   QStringLiteral(" has to be calculated first!"),
                               QStringLiteral("Datensatz ") + name +
                                   QStringLiteral(" muß zuerst einzeln ausgewertet werden!")),
                Msg::OKOnly | Msg::Exclamation, windowTitle());
            deselectFocused();
        }
    }
    lstKEN->setToolTip(platform::plainToolTip(focused->data(CommentRole).toString()));
}

void frmAUSWAHL::cmdOK_Click() {
    // A record to open or to evaluate needs an ID the input form and the page can hold: one beyond a Long
    // is refused before anything is written, so the active records stay as they were.
    if (mode() == QLatin1String("O") || mode() == QLatin1String("A")) {
        for (int i = 0; i < lstKEN->count(); ++i) {
            if (!lstKEN->item(i)->isSelected() || store::fitsLong(lineID(i))) continue;
            main_->dialogs().MsgBox(store::idTooLarge(lstKEN->item(i)->text(), lineID(i)),
                                    Msg::OKOnly | Msg::Exclamation, windowTitle());
            return;
        }
    }
    ErrorTrap trap(windowTitle());
    Hourglass hourglass;
    // Every listed record's flag is written, True or False, all or none.
    const bool written = trap.step([&] {
        Connection& cnn = *main_->cnnX;
        Connection::Transaction transaction(cnn);
        for (int i = 0; i < lstKEN->count(); ++i)
            cnn.Execute(QStringLiteral("UPDATE [E1] SET [AKT]=? WHERE [ID]=?"),
                        {Variant(lstKEN->item(i)->isSelected()), store::idValue(lineID(i))});
        transaction.commit();
    });
    // A choice that was not stored is not reported as stored: the dialog stays open.
    if (!written) return;
    main_->Tag = QStringLiteral("OK");
    accept();
}

void frmAUSWAHL::cmdABBRECHEN_Click() {
    main_->Tag = QStringLiteral("Abbrechen");
    reject();
}

void frmAUSWAHL::keyPressEvent(QKeyEvent* event) {
    // Esc is the Cancel button; the close box alone leaves the mode letter.
    if (event->key() == Qt::Key_Escape) {
        cmdABBRECHEN->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
