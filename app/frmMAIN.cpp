#include "frmMAIN.h"

#include "ChildArea.h"
#include "HelpKey.h"
#include "Pictures.h"
#include "mdiAUTOSTART.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/system/FileLock.h"
#include "platform/system/FileSystem.h"
#include "platform/system/SystemDesktop.h"
#include "platform/window/FormFont.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScrollArea>

using platform::StatusPanel;

frmMAIN::frmMAIN(QWidget* parent)
    : QMainWindow(parent), qtDialogs_(std::make_unique<platform::QtDialogService>(this)),
      systemDesktop_(std::make_unique<platform::SystemDesktop>()) {
    setObjectName(QStringLiteral("frmMAIN"));
    setWindowTitle(FAMILY());
    setWindowIcon(Pictures::programIcon());
    setDialogs(qtDialogs_.get());
    setDesktop(systemDesktop_.get());

    mdiArea = new QMdiArea(this);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setBackground(palette().brush(QPalette::Dark)); // the system's application-workspace colour
    childArea_ = new ChildArea(mdiArea);
    setCentralWidget(childArea_->scrollArea());

    buildMenus();
    buildStatusBar();
    // A child window that answers Form_Activate hears of every activation (the pages hide panel 14).
    connect(mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        if (!sub) return;
        // A maximised page restores the start screen to its (empty) normal size; when the start screen
        // is the active child again, it fills the area again.
        if (startScreen_ && sub->widget() == startScreen_ && !sub->isMaximized()) sub->showMaximized();
        notifyActivation(sub->widget());
    });
    new HelpKey(this, [this] { mnuHILFE_Click(); });
    install();
}

frmMAIN::~frmMAIN() {
    uninstall();
    setDialogs(nullptr);
    setDesktop(nullptr);
}

QAction* frmMAIN::item(QMenu* menu, const QString& name, const QString& caption, int helpContext, bool enabled) {
    QAction* a = caption == QLatin1String("-") ? menu->addSeparator() : menu->addAction(caption);
    a->setObjectName(name);
    a->setEnabled(enabled);
    if (helpContext > 0) a->setProperty("HelpContextID", helpContext);
    return a;
}

QString frmMAIN::titleOf(const QAction* action) {
    const QString caption = action->text();
    QString title;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // "&&" stands for one "&" that is shown.
        if (caption[i] == QLatin1Char('&') && ++i == caption.size()) break;
        title += caption[i];
    }
    return title;
}

void frmMAIN::buildMenus() {
    QMenuBar* bar = menuBar();
    mnuDATEI = bar->addMenu(QStringLiteral("&Datei"));
    mnuDATEI->setObjectName(QStringLiteral("mnuDATEI"));
    mnuNEU = item(mnuDATEI, QStringLiteral("mnuNEU"), QStringLiteral("&Neu"), 11);
    mnuOEFFNEN = item(mnuDATEI, QStringLiteral("mnuOEFFNEN"), QStringLiteral("&Öffnen"), 12);
    mnuAUSWAHL = item(mnuDATEI, QStringLiteral("mnuAUSWAHL"), QStringLiteral("&Auswahl"), 13);
    mnuTRENN0 = item(mnuDATEI, QStringLiteral("mnuTRENN0"), QStringLiteral("-"), 0);
    mnuEXPIMP = item(mnuDATEI, QStringLiteral("mnuEXPIMP"), QStringLiteral("&Export-Import"), 14);
    mnuEXPINF = item(mnuDATEI, QStringLiteral("mnuEXPINF"), QStringLiteral("Export-&Inf.system"), 0);
    mnuLOESCHEN = item(mnuDATEI, QStringLiteral("mnuLOESCHEN"), QStringLiteral("&Löschen"), 16);
    mnuSCHLIESSEN = item(mnuDATEI, QStringLiteral("mnuSCHLIESSEN"), QStringLiteral("&Schließen"), 17);
    mnuTRENN1 = item(mnuDATEI, QStringLiteral("mnuTRENN1"), QStringLiteral("-"), 0);
    mnuSPEICHERN = item(mnuDATEI, QStringLiteral("mnuSPEICHERN"), QStringLiteral("&Speichern"), 18);
    mnuBEENDEN = item(mnuDATEI, QStringLiteral("mnuBEENDEN"), QStringLiteral("&Beenden"), 19);

    mnuAUSWERTEN = bar->addMenu(QStringLiteral("&Auswerten"));
    mnuAUSWERTEN->setObjectName(QStringLiteral("mnuAUSWERTEN"));
    mnuAUSWERTEN->menuAction()->setProperty("HelpContextID", 20);
    mnuEINGABEGRAFIK = item(mnuAUSWERTEN, QStringLiteral("mnuEINGABEGRAFIK"), QStringLiteral("&Eingabegrafik"), 21, false);
    mnuBERECHNEN = item(mnuAUSWERTEN, QStringLiteral("mnuBERECHNEN"), QStringLiteral("&Berechnen"), 22);
    mnuMBERECHNEN = item(mnuAUSWERTEN, QStringLiteral("mnuMBERECHNEN"), QStringLiteral("&MBerechnen"), 23, false);
    mnuFBERECHNEN = item(mnuAUSWERTEN, QStringLiteral("mnuFBERECHNEN"), QStringLiteral("&FBerechnen"), 24, false);
    mnuNEUBERECHNEN = item(mnuAUSWERTEN, QStringLiteral("mnuNEUBERECHNEN"), QStringLiteral("&Neuberechnen"), 25);

    mnuEXTRAS = bar->addMenu(QStringLiteral("E&xtras"));
    mnuEXTRAS->setObjectName(QStringLiteral("mnuEXTRAS"));
    mnuEXTRAS->menuAction()->setProperty("HelpContextID", 30);
    mnuVVORGABEN = item(mnuEXTRAS, QStringLiteral("mnuVVORGABEN"), QStringLiteral("&Vorgaben"), 30, false);
    mnuVEVORGABEN = item(mnuEXTRAS, QStringLiteral("mnuVEVORGABEN"), QStringLiteral("&Elektronikvorgaben"), 32, false);
    mnuTRENN2 = item(mnuEXTRAS, QStringLiteral("mnuTRENN2"), QStringLiteral("-"), 0);
    mnuWERKZEUGE = mnuEXTRAS->addMenu(QStringLiteral("&Werkzeuge"));
    mnuWERKZEUGE->setObjectName(QStringLiteral("mnuWERKZEUGE"));
    mnuWERKZEUGE->menuAction()->setProperty("HelpContextID", 33);
    // The submenu itself too: a command that disables the main window while it builds a page enables it
    // again, and Qt would enable the submenu's entry with it.
    mnuWERKZEUGE->setEnabled(false);
    mnuWERKZEUGE->menuAction()->setEnabled(false);
    mnuTEXT = item(mnuWERKZEUGE, QStringLiteral("mnuTEXT"), QStringLiteral("&Text"), 30);
    mnuPOLYGON = item(mnuWERKZEUGE, QStringLiteral("mnuPOLYGON"), QStringLiteral("&Polygon"), 30);
    mnuKREIS = item(mnuWERKZEUGE, QStringLiteral("mnuKREIS"), QStringLiteral("&Kreisbogen"), 30);
    mnuKOMPRIMIEREN = item(mnuEXTRAS, QStringLiteral("mnuKOMPRIMIEREN"), QStringLiteral("&Komprimieren"), 34);

    mnuFRAGEZEICHEN = bar->addMenu(QStringLiteral("&?"));
    mnuFRAGEZEICHEN->setObjectName(QStringLiteral("mnuFRAGEZEICHEN"));
    mnuHILFE = item(mnuFRAGEZEICHEN, QStringLiteral("mnuHILFE"), QStringLiteral("&Hilfe"), 0);
    mnuREADME = item(mnuFRAGEZEICHEN, QStringLiteral("mnuREADME"), QStringLiteral("&ReadMe"), 42);
    mnuHINWEISE = item(mnuFRAGEZEICHEN, QStringLiteral("mnuHINWEISE"), QStringLiteral("Hin&weise"), 43);
    mnuTRENN4 = item(mnuFRAGEZEICHEN, QStringLiteral("mnuTRENN4"), QStringLiteral("-"), 0);
    mnuINFO = item(mnuFRAGEZEICHEN, QStringLiteral("mnuINFO"), QStringLiteral("&Info"), 44);

    connect(mnuNEU, &QAction::triggered, this, &frmMAIN::mnuNEU_Click);
    connect(mnuOEFFNEN, &QAction::triggered, this, &frmMAIN::mnuOEFFNEN_Click);
    connect(mnuAUSWAHL, &QAction::triggered, this, &frmMAIN::mnuAUSWAHL_Click);
    connect(mnuEXPIMP, &QAction::triggered, this, &frmMAIN::mnuEXPIMP_Click);
    connect(mnuEXPINF, &QAction::triggered, this, &frmMAIN::mnuEXPINF_Click);
    connect(mnuLOESCHEN, &QAction::triggered, this, &frmMAIN::mnuLOESCHEN_Click);
    connect(mnuSCHLIESSEN, &QAction::triggered, this, &frmMAIN::mnuSCHLIESSEN_Click);
    connect(mnuSPEICHERN, &QAction::triggered, this, &frmMAIN::mnuSPEICHERN_Click);
    connect(mnuBEENDEN, &QAction::triggered, this, [this] { mnuBEENDEN_Click(); });
    connect(mnuAUSWERTEN, &QMenu::aboutToShow, this, &frmMAIN::mnuAUSWERTEN_Click);
    connect(mnuBERECHNEN, &QAction::triggered, this, &frmMAIN::mnuBERECHNEN_Click);
    connect(mnuMBERECHNEN, &QAction::triggered, this, &frmMAIN::mnuMBERECHNEN_Click);
    connect(mnuNEUBERECHNEN, &QAction::triggered, this, &frmMAIN::mnuNEUBERECHNEN_Click);
    connect(mnuKOMPRIMIEREN, &QAction::triggered, this, &frmMAIN::mnuKOMPRIMIEREN_Click);
    connect(mnuFRAGEZEICHEN, &QMenu::aboutToShow, this, &frmMAIN::mnuFRAGEZEICHEN_Click);
    connect(mnuHILFE, &QAction::triggered, this, [this] { mnuHILFE_Click(); });
    connect(mnuREADME, &QAction::triggered, this, &frmMAIN::mnuREADME_Click);
    connect(mnuHINWEISE, &QAction::triggered, this, &frmMAIN::mnuHINWEISE_Click);
    connect(mnuINFO, &QAction::triggered, this, &frmMAIN::mnuINFO_Click);
}

void frmMAIN::buildStatusBar() {
    stbMAIN = new platform::StatusBar(this);
    stbMAIN->setObjectName(QStringLiteral("stbMAIN"));
    const QFont f = platform::arialFont(11.25);
    stbMAIN->setFont(f);
    setStatusBar(stbMAIN);
    struct Info {
        const char* text;
        double width, minWidth;
        int autoSize;
    };
    const Info info[] = {
        {"Projektspfad\\", 2461, 1411, StatusPanel::Contents}, {"Projekt", 1402, 706, StatusPanel::Contents},
        {"/", 318, 35, StatusPanel::Contents},                  {"Programm", 2064, 706, StatusPanel::Contents},
        {"/", 318, 35, StatusPanel::Contents},                  {"Datensatz", 1984, 706, StatusPanel::Contents},
        {"", 12136, 706, StatusPanel::Spring},
    };
    for (const auto& i : info) stbMAIN->addPanel(QString::fromUtf8(i.text), i.width, i.minWidth, i.autoSize);
    struct Command {
        const char* text;
        const char* tip;
    };
    const Command commands[] = {
        {"OK", "Eingabedaten speichern"},
        {"Abbrechen", "Eingabedaten verwerfen"},
        {"Anzeigen", "Ausgabeseite anzeigen"},
        {"Drucken", "Ausgabeseite drucken"},
        {"Kopie", "Bildschirmkopie speichern"},
        {"Word", "Ausgabeseite in ein Word-Dokument übertragen"},
        {"AutoCAD", "Ausgabeseite in eine AutoCAD-Zeichnung übertragen"},
        {"Schließen", "Zurück zum Startbildschirm"},
    };
    for (const auto& c : commands) {
        StatusPanel* p = stbMAIN->addPanel(QString::fromUtf8(c.text), 2293, 2293, StatusPanel::NoAutoSize,
                                           StatusPanel::Raised, false);
        p->setToolTipText(QString::fromUtf8(c.tip));
    }
    connect(stbMAIN, &platform::StatusBar::panelMouseDown, this, &frmMAIN::stbMAIN_MouseDown);
    connect(stbMAIN, &platform::StatusBar::PanelClick, this, [this](int index) { stbMAIN_PanelClick(index); });
}

void frmMAIN::setEnglishTexts() {
    setWindowTitle(FAMILY());
    mnuDATEI->setTitle(QStringLiteral("&File"));
    mnuNEU->setText(QStringLiteral("&New"));
    mnuOEFFNEN->setText(QStringLiteral("&Open"));
    mnuAUSWAHL->setText(QStringLiteral("&Select"));
    mnuLOESCHEN->setText(QStringLiteral("&Delete"));
    mnuSCHLIESSEN->setText(QStringLiteral("&Done"));
    mnuSPEICHERN->setText(QStringLiteral("&Save"));
    mnuBEENDEN->setText(QStringLiteral("&Quit"));
    mnuAUSWERTEN->setTitle(QStringLiteral("&Evaluate"));
    mnuEINGABEGRAFIK->setText(QStringLiteral("&Graphics of Input Data"));
    mnuBERECHNEN->setText(QStringLiteral("&Calculate"));
    mnuMBERECHNEN->setText(QStringLiteral("Calculate &Multiple"));
    mnuFBERECHNEN->setText(QStringLiteral("Calculate &Next"));
    mnuNEUBERECHNEN->setText(QStringLiteral("Calculate &First"));
    mnuEXTRAS->setTitle(QStringLiteral("Tools"));
    mnuVVORGABEN->setText(QStringLiteral("Preset Data"));
    mnuVEVORGABEN->setText(QStringLiteral("Preset Electronic Data"));
    mnuWERKZEUGE->setTitle(QStringLiteral("Grafic Tools"));
    mnuTEXT->setText(QStringLiteral("Text"));
    mnuPOLYGON->setText(QStringLiteral("Polygon"));
    mnuKREIS->setText(QStringLiteral("Circle"));
    mnuKOMPRIMIEREN->setText(QStringLiteral("Compact Database"));
    mnuHILFE->setText(QStringLiteral("Help"));

    const char* texts[] = {nullptr, "Cancel", "Show", "Print", "Copy", nullptr, nullptr, "Close"};
    const char* tips[] = {"Save input-data",   "Discard input-data",        "Show another page",
                          "Print loaded pages", "Save Screenshot",           "Send current page to word",
                          "Send current page to AutoCAD", "Back to the front window"};
    for (int i = 0; i < 8; ++i) {
        StatusPanel* p = stbMAIN->Panels(8 + i);
        if (texts[i]) p->setText_(QString::fromUtf8(texts[i]));
        p->setToolTipText(QString::fromUtf8(tips[i]));
    }
}

QString frmMAIN::LOCALEINFO(long, int item) const {
    switch (item) {
    case 0x59: return platform::SystemLocale::languageName();
    case 0x0E: return platform::SystemLocale::decimalSign();
    default: return QString();
    }
}

QString frmMAIN::projectDatabase() const {
    using platform::FileSystem::BuildPath;
    return BuildPath(BuildPath(PROJEKTSPFAD, PROJEKT), TITLE() + QStringLiteral(".mdb"));
}

QString frmMAIN::workingCopyOwnerFile() const {
    QString path = XMDBPFAD();
    path.chop(4);
    return path + QStringLiteral(".projekt");
}

QString frmMAIN::shortenedFolder(const QString& folder, QChar separator) {
    QString text = folder;
    if (text.size() > 20) {
        int cut = 2;
        while (text.size() > 20) {
            text = text.mid(cut - 1);
            // The first separator at or after the third character of what is kept.
            const int next = text.indexOf(separator, 2);
            if (next < 0) break; // the last folder's name alone is that long: no further cut
            cut = next + 1;
        }
        text = QStringLiteral(" ... ") + text;
    }
    return text + separator;
}

void frmMAIN::AKTUELLANZEIGEN() {
    platform::Recordset rs;
    rs.Open(QStringLiteral("SELECT [KEN],[KOM] FROM [E1] WHERE [AKT]=true ORDER BY [KEN]"), *cnnX);
    QString text, tip;
    const long n = rs.RecordCount();
    if (n == 0) {
        text = QStringLiteral("-");
    } else if (n == 1) {
        text = rs.Value(0).isNull() ? QString() : rs.Value(0).asString();
        const platform::Variant kom = rs.Value(1);
        tip = kom.isNull() ? QString() : kom.asString();
    } else {
        QStringList names;
        for (rs.MoveFirst(); !rs.eof(); rs.MoveNext()) names << (rs.Value(0).isNull() ? QString() : rs.Value(0).asString());
        text = names.first() + QStringLiteral(",...");
        tip = names.join(QStringLiteral(", "));
    }
    rs.Close();
    stbMAIN->Panels(6)->setText_(text);
    stbMAIN->Panels(6)->setToolTipText(tip);
}

QMdiSubWindow* frmMAIN::addChild(QWidget* form, bool maximised) {
    ChildArea::measure(form);
    QMdiSubWindow* sub = mdiArea->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setObjectName(form->objectName() + QStringLiteral("_frame"));
    childArea_->follow(sub);
    if (maximised) sub->showMaximized();
    else sub->show();
    childArea_->fit();
    return sub;
}

QWidget* frmMAIN::Form(const QString& name) const {
    for (QWidget* w : Forms())
        if (w->objectName() == name) return w;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w != this) return w;
    return nullptr;
}

QList<QWidget*> frmMAIN::Forms() const {
    QList<QWidget*> forms;
    for (QMdiSubWindow* sub : mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (sub->widget()) forms << sub->widget();
    return forms;
}

void frmMAIN::unloadChild(QWidget* form) {
    for (QMdiSubWindow* sub : mdiArea->subWindowList())
        if (sub->widget() == form) {
            sub->setWidget(nullptr);
            delete form;
            delete sub;
            return;
        }
}

QWidget* frmMAIN::ActiveForm() const {
    QMdiSubWindow* sub = mdiArea->activeSubWindow();
    return sub ? sub->widget() : nullptr;
}

void frmMAIN::setPanelVisible(int panel, bool visible) { stbMAIN->Panels(panel)->setVisible_(visible); }

bool frmMAIN::panelVisible(int panel) const { return stbMAIN->Panels(panel)->Visible(); }

void frmMAIN::showChild(QWidget* form) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) {
        sub->showMaximized();
        mdiArea->setActiveSubWindow(sub);
        childArea_->fit();
    }
}

void frmMAIN::hideChild(QWidget* form) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) sub->hide();
}

QList<QWidget*> frmMAIN::PageList() const {
    QList<QWidget*> pages;
    const QList<QWidget*> forms = Forms();
    for (const char* mark : {"mdiESEITE", "mdiSEITE", "mdiPSEITE", "mdiMSEITE"})
        for (QWidget* w : forms)
            if (w->objectName().contains(QLatin1String(mark), Qt::CaseInsensitive)) pages << w;
    return pages;
}

void frmMAIN::notifyActivation(QWidget* form) {
    if (form && form->metaObject()->indexOfMethod("Form_Activate()") >= 0)
        QMetaObject::invokeMethod(form, "Form_Activate", Qt::DirectConnection);
}
