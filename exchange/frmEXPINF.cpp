#include "frmEXPINF.h"

#include "clsDATEN.h"
#include "NEUEID.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/run/ProgressBar.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/Language.h"
#include "platform/window/FormFont.h"
#include "platform/window/Twips.h"

#include <algorithm>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

using platform::ErrorTrap;
using platform::Language;
using platform::placeTwips;
using platform::RunState;
using platform::Variant;
namespace Msg = platform::Msg;

namespace {

QLabel* label(QWidget* parent, const QString& name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setFont(platform::arialFont(11.25));
    return l;
}

QListWidget* list(QWidget* parent, const QString& name) {
    auto* l = new QListWidget(parent);
    l->setObjectName(name);
    l->setFont(platform::arialFont(11.25));
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    return l;
}

// A label's text shrinks its font, in steps of 0.75 pt down to 8.25 pt, until it fits inside its frame: the
// English texts are longer than the places made for the German ones.
void fitIntoFrame(QLabel* label) {
    const int available = label->parentWidget()->width() - label->x() - 2;
    label->setFixedWidth(std::max(label->width(), available));
    QFont font = label->font();
    for (int step = 0; step < 4 && label->fontMetrics().horizontalAdvance(label->text()) > available;
         ++step) {
        font.setPointSizeF(11.25 - 0.75 * (step + 1));
        label->setFont(font);
    }
}

const QString& exportTitle() {
    static const QString title = QStringLiteral("Export Informationssystem");
    return title;
}

// A result (single precision) for the information system's double columns, times a factor, from the digits
// the Single shows: 0.1234 in percent gives 12.34, not 12.340000152587891. Null stays Null.
Variant shown(const Variant& value, double factor) {
    if (value.isEmpty() || value.isNull()) return Variant::null();
    const QString point = QStringLiteral(".");
    const double digits =
        platform::ReadNumber(platform::SingleText(platform::CSng(value), point), point).value_or(0.0);
    return Variant(platform::ReadNumber(platform::DoubleText(digits * factor, point), point).value_or(0.0));
}

} // namespace

frmEXPINF::frmEXPINF(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmEXPINF"));
    setWindowTitle(exportTitle());
    setFont(platform::arialFont(11.25));
    setFixedSize(platform::twipsToPixels(5985), platform::twipsToPixels(5670));

    fraPROJ = new QGroupBox(this);
    fraPROJ->setObjectName(QStringLiteral("fraPROJ"));
    fraPROJ->setFont(platform::arialFont(11.25, true));
    placeTwips(fraPROJ, 210, 240, 2730, 4695);
    lblAKTP1 = label(fraPROJ, QStringLiteral("lblAKTP1"), QStringLiteral("Datensätze"));
    placeTwips(lblAKTP1, 270, 420, 1575, 255);
    lblAKTP2 = label(fraPROJ, QStringLiteral("lblAKTP2"), QStringLiteral("des aktuellen Projektes"));
    placeTwips(lblAKTP2, 270, 720, 2295, 255);
    lstPROJ = list(fraPROJ, QStringLiteral("lstPROJ"));
    placeTwips(lstPROJ, 270, 1260, 2070, 3120);

    fraINF = new QGroupBox(this);
    fraINF->setObjectName(QStringLiteral("fraINF"));
    fraINF->setFont(platform::arialFont(11.25, true));
    placeTwips(fraINF, 3060, 240, 2730, 4695);
    lblAKTI1 = label(fraINF, QStringLiteral("lblAKTI1"), QStringLiteral("Datensätze"));
    placeTwips(lblAKTI1, 240, 330, 1335, 255);
    lblAKTI2 = label(fraINF, QStringLiteral("lblAKTI2"), QStringLiteral("des aktuellen Projektes"));
    placeTwips(lblAKTI2, 240, 600, 2415, 255);
    lblAKTI3 = label(fraINF, QStringLiteral("lblAKTI3"), QStringLiteral("im Informationssystem"));
    placeTwips(lblAKTI3, 240, 870, 2295, 255);
    lstINF = list(fraINF, QStringLiteral("lstINF"));
    placeTwips(lstINF, 240, 1290, 2070, 3120);

    cmdUEBERNEHMEN = new QPushButton(QStringLiteral("Übernehmen"), this);
    cmdUEBERNEHMEN->setObjectName(QStringLiteral("cmdUEBERNEHMEN"));
    cmdUEBERNEHMEN->setAutoDefault(false);
    placeTwips(cmdUEBERNEHMEN, 2490, 5100, 1575, 375);
    cmdSCHLIESSEN = new QPushButton(QStringLiteral("Schließen"), this);
    cmdSCHLIESSEN->setObjectName(QStringLiteral("cmdSCHLIESSEN"));
    cmdSCHLIESSEN->setDefault(true);
    placeTwips(cmdSCHLIESSEN, 4170, 5100, 1600, 400);

    setTabOrder(cmdSCHLIESSEN, lstPROJ);
    setTabOrder(lstPROJ, lstINF);
    setTabOrder(lstINF, cmdUEBERNEHMEN);

    lstINF->viewport()->installEventFilter(this);
    connect(lstINF, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        // The entry clicked last is the one chosen when the click began: the keys may have moved the choice.
        letzter_ = gedrueckt_ ? lstINF->row(item) : -1;
        lstINF_Click(lstINF->row(item));
    });
    connect(cmdUEBERNEHMEN, &QPushButton::clicked, this, &frmEXPINF::cmdUEBERNEHMEN_Click);
    connect(cmdSCHLIESSEN, &QPushButton::clicked, this, &frmEXPINF::cmdSCHLIESSEN_Click);
}

frmEXPINF::~frmEXPINF() {
    Form_Unload();
}

void frmEXPINF::Form_Load() {
    RunState& run = RunState::current();
    platform::Hourglass sanduhr;
    ErrorTrap trap(RunState::TITLE());
    if (!trap.step([&] {
            if (Language::english()) {
                lblAKTP1->setText(QStringLiteral("Files"));
                lblAKTP2->setText(QStringLiteral("from current project"));
                lblAKTI1->setText(QStringLiteral("Files"));
                lblAKTI2->setText(QStringLiteral("from current project"));
                lblAKTI3->setText(QStringLiteral("in the information system"));
                cmdSCHLIESSEN->setText(QStringLiteral("Quit"));
                cmdUEBERNEHMEN->setText(QStringLiteral("Apply"));
            } else {
                fraPROJ->setTitle(QStringLiteral("Aktuelles Projekt"));
                fraINF->setTitle(QStringLiteral("Informations System"));
            }
            for (QLabel* l : {lblAKTP1, lblAKTP2, lblAKTI1, lblAKTI2, lblAKTI3})
                fitIntoFrame(l);
        }))
        return;
    if (!trap.step([&] {
            projekt_ = run.PROJEKT;
            bearbeiter_ = run.BEARBEITER;
            datum_ = platform::Clock::now().date().toString(QStringLiteral("dd.MM.yy"));
        }))
        return;
    pgbBERECHNEN_ = &run.pgbBERECHNEN();
    pgbBERECHNEN_->setVisible(true);
    const auto fertig = [&] { pgbBERECHNEN_->setVisible(false); };
    if (!trap.step([&] {
            datE1_ = std::make_unique<clsDATEN>();
            datE2_ = std::make_unique<clsDATEN>();
            datA1_ = std::make_unique<clsDATEN>();
            infE0_ = std::make_unique<clsDATEN>();
            infE1_ = std::make_unique<clsDATEN>();
            infE3_ = std::make_unique<clsDATEN>();
            datE1_->ETABELLE = QStringLiteral("E1");
            datE2_->ETABELLE = QStringLiteral("E2");
            datA1_->ETABELLE = QStringLiteral("A1");
        })) {
        fertig();
        return;
    }
    gefunden_ = false;
    infE1_->EINFMDB(QStringLiteral("DALMIR"), gefunden_);
    if (!gefunden_) {
        fertig();
        platform::ScreenPointer::set(platform::ScreenPointer::Default);
        run.dialogs().MsgBox(QStringLiteral("Informationssystem DALMIR ist nicht installiert!"),
                             Msg::OKOnly | Msg::Exclamation, RunState::TITLE());
        return;
    }
    // One connection for the three cursors, so that one export is one transaction.
    if (!trap.step([&] {
            infE0_->shareConnection(*infE1_);
            infE3_->shareConnection(*infE1_);
            infE0_->ETABELLE = QStringLiteral("E0");
            infE1_->ETABELLE = QStringLiteral("E1");
            infE3_->ETABELLE = QStringLiteral("E3");
        })) {
        fertig();
        return;
    }
    letzter_ = -1;
    trap.step([&] { LISTENFUELLEN(*lstPROJ, *lstINF); });
    fertig();
}

void frmEXPINF::Form_Unload() {
    datE1_.reset();
    datE2_.reset();
    datA1_.reset();
    infE0_.reset();
    infE3_.reset();
    infE1_.reset();
    if (pgbBERECHNEN_) pgbBERECHNEN_->setVisible(false);
    pgbBERECHNEN_ = nullptr;
}

void frmEXPINF::fortschritt(std::size_t k, std::size_t n) {
    if (pgbBERECHNEN_ && n > 0)
        pgbBERECHNEN_->setValue(float(platform::RoundHalfEven(double(k) / double(n) * 100.0)));
}

void frmEXPINF::LISTENFUELLEN(QListWidget& projekt, QListWidget& informationssystem) {
    const auto eintragen = [&](clsDATEN& cursor, const std::vector<std::int32_t>& ids, QListWidget& liste) {
        for (std::size_t k = 0; k < ids.size(); ++k) {
            cursor.ESPIDW = ids[k];
            Variant ken;
            if (!cursor.DTVV(QStringLiteral("KEN"), ken)) return false;
            auto* item =
                new QListWidgetItem(ken.isEmpty() || ken.isNull() ? QString() : platform::CStr(ken), &liste);
            item->setData(Qt::UserRole, ids[k]);
            fortschritt(k, ids.size());
        }
        return true;
    };
    // The records of the working copy, without the multiple evaluation's row 0.
    std::vector<std::int32_t> ids;
    if (datE1_->IDKRIT(ids, QStringLiteral("ID"), Variant(std::int32_t(0)), QStringLiteral(">")) &&
        !eintragen(*datE1_, ids, projekt))
        return;
    // The information system's records whose origin is the current project.
    ids.clear();
    if (infE0_->IDKRIT(ids, QStringLiteral("PROJ"), Variant(projekt_), QString(), QStringLiteral("ID")) &&
        !eintragen(*infE1_, ids, informationssystem))
        return;
    if (pgbBERECHNEN_) pgbBERECHNEN_->setValue(0);
}

void frmEXPINF::lstINF_Click(int Index) {
    if (Index == letzter_) {
        lstINF->clearSelection();
        lstINF->setCurrentRow(-1, QItemSelectionModel::Clear);
        letzter_ = -1;
    } else {
        letzter_ = Index;
    }
}

platform::Variant frmEXPINF::hoechsteID() {
    // One statement that raises on failure: a highest ID read as 0 after an error would write the new record
    // over an existing one.
    platform::Recordset rs;
    rs.OpenForReading(
        QStringLiteral("SELECT MAX([ID]) FROM (SELECT [ID] FROM [E0] UNION ALL SELECT [ID] FROM [E1] "
                       "UNION ALL SELECT [ID] FROM [E3])"),
        *infE1_->sharedConnection());
    return rs.eof() ? Variant() : rs.Value(0);
}

void frmEXPINF::EXPORTIEREN(QListWidget& projekt, QListWidget& informationssystem) {
    RunState& run = RunState::current();
    auto& dialoge = run.dialogs();
    const QList<QListWidgetItem*> gewaehlt = projekt.selectedItems();
    if (gewaehlt.isEmpty() || !gefunden_) {
        dialoge.MsgBox(QStringLiteral("Auswahl eines Datensatzes des aktuellen Projektes fehlt !"),
                       Msg::OKOnly, RunState::TITLE());
        return;
    }
    const std::int32_t id = gewaehlt.front()->data(Qt::UserRole).toInt();
    const QString name = gewaehlt.front()->text();
    datE1_->ESPIDW = id;

    // Only an evaluated record has results to give.
    datA1_->ESPIDW = id;
    Variant offen;
    if (!datA1_->DTVV(QStringLiteral("BONEU"), offen)) return;
    if (offen.isEmpty() || offen.isNull() || platform::CBool(offen)) {
        dialoge.MsgBox(
            Language::text(QStringLiteral("The file ") + name + QStringLiteral(" has not been calculated!"),
                           QStringLiteral("Der Datensatz ") + name +
                               QStringLiteral(" ist nicht ausgewertet!")),
            Msg::OKOnly | Msg::Exclamation, RunState::TITLE());
        return;
    }

    const QList<QListWidgetItem*> ziel = informationssystem.selectedItems();
    const bool neu = ziel.isEmpty();
    if (neu) {
        if (dialoge.MsgBox(QStringLiteral("Neuen Datensatz anlegen ?"), Msg::YesNo, RunState::TITLE()) !=
            Msg::Yes)
            return;
    } else if (dialoge.MsgBox(QStringLiteral("Ausgewählten Datensatz überschreiben ?"), Msg::YesNo,
                              RunState::TITLE()) != Msg::Yes) {
        return;
    }

    platform::Hourglass sanduhr;
    pgbBERECHNEN_->setVisible(true);
    struct Ende {
        platform::ProgressBar* bar;
        ~Ende() {
            bar->setValue(0);
            bar->setVisible(false);
        }
    } ende{pgbBERECHNEN_};

    ErrorTrap trap(exportTitle());
    std::unique_ptr<platform::Connection::Transaction> transaktion;
    std::int32_t infId = 0;
    // Every step that fails has shown its message: the export ends there and nothing of it stays.
    const auto schritt = [&](const std::function<bool()>& body) {
        bool gut = false;
        trap.step([&] { gut = body(); });
        return gut && !trap.failed();
    };
    if (!schritt([&] {
            transaktion = std::make_unique<platform::Connection::Transaction>(*infE1_->sharedConnection());
            if (neu) {
                infId = store::NEUEID(hoechsteID());
            } else {
                infId = ziel.front()->data(Qt::UserRole).toInt();
            }
            infE1_->ESPIDW = infId;
            infE0_->ESPIDW = infId;
            infE3_->ESPIDW = infId;
            return true;
        }))
        return;

    if (neu) {
        for (const QString& spalte : {QStringLiteral("KEN"), QStringLiteral("KOM")}) {
            Variant wert;
            if (!schritt([&] { return datE1_->DTVV(spalte, wert) && infE1_->DVTV(spalte, wert); })) return;
        }
        if (!schritt([&] {
                return infE0_->DVTI(QStringLiteral("QART"), 0) &&
                       infE0_->DVTT(QStringLiteral("PROJ"), projekt_) &&
                       infE0_->DVTT(QStringLiteral("QUELLE"), quelle_) &&
                       infE0_->DVTT(QStringLiteral("BEARBEITER"), bearbeiter_) &&
                       infE0_->DVTV(QStringLiteral("DATUM"), Variant(datum_));
            }))
            return;
    }

    bool platte = false;
    Variant rhpr, wpr, wu, wo;
    // W1 and W2 are the polyline's crossings of the same maximum that RHPR and WPR export: one source for
    // every record, whatever its page shows.
    if (!schritt([&] {
            datE2_->ESPIDW = id;
            return datE2_->DTVB(QStringLiteral("KENP"), platte) &&
                   datA1_->DTVV(QStringLiteral("RHPR"), rhpr) && datA1_->DTVV(QStringLiteral("WPR"), wpr) &&
                   datA1_->DTVV(QStringLiteral("WUDPR"), wu) && datA1_->DTVV(QStringLiteral("WODPR"), wo);
        }))
        return;
    if (!schritt([&] {
            return infE3_->DVTV(platte ? QStringLiteral("RHPRPL") : QStringLiteral("RHPR"),
                                shown(rhpr, 1.0)) &&
                   infE3_->DVTV(platte ? QStringLiteral("WPRPL") : QStringLiteral("WPR"),
                                shown(wpr, 100.0)) &&
                   infE3_->DVTV(QStringLiteral("W1"), shown(wu, 100.0)) &&
                   infE3_->DVTV(QStringLiteral("W2"), shown(wo, 100.0));
        }))
        return;
    pgbBERECHNEN_->setValue(100);
    if (!schritt([&] {
            transaktion->commit();
            return true;
        }))
        return;

    if (neu) {
        Variant ken;
        infE1_->DTVV(QStringLiteral("KEN"), ken);
        auto* item = new QListWidgetItem(ken.isEmpty() || ken.isNull() ? QString() : platform::CStr(ken),
                                         &informationssystem);
        item->setData(Qt::UserRole, infId);
        informationssystem.repaint();
    }
}

void frmEXPINF::cmdUEBERNEHMEN_Click() {
    EXPORTIEREN(*lstPROJ, *lstINF);
}

void frmEXPINF::cmdSCHLIESSEN_Click() {
    close();
}

bool frmEXPINF::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstINF->viewport() && event->type() == QEvent::MouseButtonPress) {
        const QListWidgetItem* item = lstINF->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        gedrueckt_ = item && item->isSelected();
    }
    return QDialog::eventFilter(watched, event);
}

void frmEXPINF::closeEvent(QCloseEvent* event) {
    done(QDialog::Rejected);
    event->accept();
}
