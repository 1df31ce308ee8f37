// The export/import dialog's folder tree stays where the user put it, whatever the file system does beside
// the project, and a click chooses the folder under the pointer.
#include "ExchangeFixture.h"
#include "frmEXPIMP.h"
#include "Tasten.h"

#include <functional>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <QWheelEvent>

namespace exchangetest {
namespace {

// The dialog as the user sees it, over a projects folder with many projects, so that the tree scrolls among
// them: DEMO.01 to DEMO.24 beside the current project, each with a project database.
class ExpImpTreeTest : public ExchangeFixture {
protected:
    void SetUp() override {
        ExchangeFixture::SetUp();
        for (int i = 1; i <= 24; ++i) {
            const QString folder =
                run.dir().mkdir(QStringLiteral("projekte/DEMO.%1").arg(i, 2, 10, QLatin1Char('0')));
            ASSERT_TRUE(QFile::copy(otherFolder() + QStringLiteral("/TAMBRIN.mdb"),
                                    folder + QStringLiteral("/TAMBRIN.mdb")));
        }
        ASSERT_NO_FATAL_FAILURE(oeffnen());
    }
    void TearDown() override {
        dialog.reset();
        ExchangeFixture::TearDown();
    }

    // A new dialog, shown.
    void oeffnen() {
        dialog = std::make_unique<frmEXPIMP>();
        dialog->Form_Load();
        tree = dialog->dirEXP;
        model = qobject_cast<QFileSystemModel*>(tree->model());
        ASSERT_NE(model, nullptr);
        // Taller, so that a good part of the projects folder is in view at once.
        dialog->resize(dialog->size() + QSize(0, 300));
        dialog->show();
        ruhen();
    }

    int position() const { return tree->verticalScrollBar()->value(); }
    // The folder in the top row in view.
    QString oben() const { return model->filePath(tree->indexAt(QPoint(0, 0))); }

    // Lets the model and the tree do what they have to do until they are quiet (two seconds at most: other
    // programs may keep changing the folders above the project).
    void ruhen() {
        QElapsedTimer seit;
        seit.start();
        const auto ruhig = [&] { seit.restart(); };
        const QList<QMetaObject::Connection> verbindungen = {
            QObject::connect(model, &QFileSystemModel::directoryLoaded, ruhig),
            QObject::connect(model, &QFileSystemModel::rowsInserted, ruhig),
            QObject::connect(model, &QFileSystemModel::rowsRemoved, ruhig),
            QObject::connect(model, &QFileSystemModel::layoutChanged, ruhig)};
        QElapsedTimer gesamt;
        gesamt.start();
        while (seit.elapsed() < 150 && gesamt.elapsed() < 2000) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
            QEventLoop schlaf;
            QTimer::singleShot(10, &schlaf, &QEventLoop::quit);
            schlaf.exec();
        }
        for (const auto& v : verbindungen)
            QObject::disconnect(v);
    }

    // Runs what changes the folder, and waits (five seconds at most) until the model has read that folder
    // again; then until the tree is quiet.
    bool gelesen(const QString& ordner, const std::function<void()>& aendern) {
        bool da = false;
        QEventLoop warten;
        QTimer frist;
        frist.setSingleShot(true);
        QObject::connect(&frist, &QTimer::timeout, &warten, &QEventLoop::quit);
        const auto verbindung =
            QObject::connect(model, &QFileSystemModel::directoryLoaded, [&](const QString& pfad) {
                if (QDir::cleanPath(pfad) != QDir::cleanPath(ordner)) return;
                da = true;
                warten.quit();
            });
        aendern();
        frist.start(5000);
        if (!da) warten.exec();
        QObject::disconnect(verbindung);
        ruhen();
        return da;
    }

    // One notch of the mouse wheel over the tree (negative: towards the end).
    void rad(int notches) {
        const QPointF mitte = QRectF(tree->viewport()->rect()).center();
        QWheelEvent e(mitte, tree->viewport()->mapToGlobal(mitte), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(tree->viewport(), &e);
        QApplication::processEvents();
    }

    void klick(const QPoint& an) {
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, an, tree->viewport()->mapToGlobal(an), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(tree->viewport(), &e);
        }
        QApplication::processEvents();
    }

    // The project folders DEMO.* whose rows are wholly in view, top down.
    QList<QModelIndex> projekteImBild() {
        QList<QModelIndex> out;
        const QModelIndex oben = model->index(projects());
        for (int row = 0; row < model->rowCount(oben); ++row) {
            const QModelIndex i = model->index(row, 0, oben);
            if (model->fileName(i).startsWith(QLatin1String("DEMO.")) &&
                tree->viewport()->rect().contains(tree->visualRect(i)))
                out << i;
        }
        return out;
    }

    // Clicks the project folder in the middle of those in view other than the folder chosen now, where the
    // user sees it, and checks that exactly that folder is chosen and the tree stayed.
    void projektAnklicken() {
        QList<QModelIndex> imBild = projekteImBild();
        imBild.removeIf([this](const QModelIndex& i) { return model->filePath(i) == dialog->ordner(); });
        ASSERT_GE(imBild.size(), 2) << "too few project folders in view";
        const QModelIndex ziel = imBild.at(imBild.size() / 2);
        const QString vorher = oben();
        klick(tree->visualRect(ziel).center());
        EXPECT_EQ(dialog->ordner(), model->filePath(ziel));
        EXPECT_EQ(dialog->fraEXP->title(), QStringLiteral("Projekt ") + model->fileName(ziel));
        EXPECT_EQ(oben().toStdString(), vorher.toStdString()) << "the click moved the tree";
    }

    std::unique_ptr<frmEXPIMP> dialog;
    QTreeView* tree = nullptr;
    QFileSystemModel* model = nullptr;
};

TEST_F(ExpImpTreeTest, TheProjectsFolderIsInViewWhenTheDialogOpens) {
    const QModelIndex folder = model->index(projects());
    EXPECT_EQ(tree->currentIndex(), folder);
    EXPECT_TRUE(tree->viewport()->rect().contains(tree->visualRect(folder)));
}

// The user puts the tree where the project of their choice is, then the file system changes beside the
// project and the model reads the folder again: the tree stays, and a click chooses the folder under the
// pointer.
TEST_F(ExpImpTreeTest, TheTreeStaysWhereTheUserPutItWhenTheFolderBesideTheProjectChanges) {
    struct Case {
        const char* wie;
        std::function<void()> hinstellen; // how the user put the tree
        const char* was;
        bool gewaehlter; // the model reads the chosen folder (else the projects folder)
        std::function<void()> aendern;
    };
    const auto mausrad = [this] { rad(-1); };
    // Three clicks on the scroll bar's arrow at its lower end.
    const auto leiste = [this] {
        QScrollBar* bar = tree->verticalScrollBar();
        const QPoint pfeil(bar->width() / 2, bar->height() - bar->width() / 2);
        for (int i = 0; i < 3; ++i)
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QMouseEvent e(type, pfeil, bar->mapToGlobal(pfeil), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
                QApplication::sendEvent(bar, &e);
            }
        QApplication::processEvents();
    };
    // Down a page and a row with the keys (Enter would press the dialog's default button, Schließen).
    const auto tasten = [this] {
        tree->setFocus();
        testsupport::taste(tree, Qt::Key_PageDown);
        testsupport::taste(tree, Qt::Key_Down);
        QApplication::processEvents();
        ASSERT_TRUE(dialog->isVisible());
    };
    const std::vector<Case> cases = {
        {"wheel", mausrad, "a folder made", false,
         [this] { QDir().mkpath(projects() + QStringLiteral("/ZNEU.90")); }},
        {"scroll bar", leiste, "a project made", false,
         [this] {
             QDir().mkpath(projects() + QStringLiteral("/ZPROJEKT.91"));
             QFile::copy(otherFolder() + QStringLiteral("/TAMBRIN.mdb"),
                         projects() + QStringLiteral("/ZPROJEKT.91/TAMBRIN.mdb"));
         }},
        {"keys", tasten, "a folder renamed", false,
         [this] { QDir(projects()).rename(QStringLiteral("DEMO.24"), QStringLiteral("ZDEMO.24")); }},
        {"wheel", mausrad, "a folder removed", false,
         [this] { QDir(projects() + QStringLiteral("/DEMO.23")).removeRecursively(); }},
        // Rows that come or go above those in view push nothing down or up.
        {"wheel, far", [this] { rad(-3); }, "a folder made above the rows in view", false,
         [this] {
             ASSERT_TRUE(oben().contains(QLatin1String("/DEMO.")));
             QDir().mkpath(projects() + QStringLiteral("/AAA.00"));
         }},
        {"wheel, far", [this] { rad(-3); }, "a folder removed above the rows in view", false,
         [this] {
             ASSERT_TRUE(oben().contains(QLatin1String("/DEMO.")));
             ASSERT_NE(oben(), projects() + QStringLiteral("/DEMO.01"));
             QDir(projects() + QStringLiteral("/DEMO.01")).removeRecursively();
         }},
        // The chosen project opened by the user: the model reads it for the first time.
        {"a click",
         [this] {
             rad(-1);
             projektAnklicken();
         },
         "the chosen project opened", true, [this] { testsupport::taste(tree, Qt::Key_Right); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.wie) + ", " + c.was);
        ASSERT_NO_FATAL_FAILURE(oeffnen());
        const int geoeffnet = position();
        ASSERT_NO_FATAL_FAILURE(c.hinstellen());
        ASSERT_NE(position(), geoeffnet) << "the user did not move the tree";
        const QString gestellt = oben();
        const QString ordner = c.gewaehlter ? dialog->ordner() : projects();
        EXPECT_TRUE(gelesen(ordner, [&] { c.aendern(); }))
            << "the model did not read " << ordner.toStdString();
        EXPECT_EQ(oben().toStdString(), gestellt.toStdString()) << "the tree moved by itself";
        ASSERT_NO_FATAL_FAILURE(projektAnklicken());
    }
}

// Clicks one project after the other: each chooses the folder under the pointer, and none moves the tree.
TEST_F(ExpImpTreeTest, AClickChoosesTheFolderUnderThePointerAndLeavesTheTreeWhereItIs) {
    const int geoeffnet = position();
    rad(-1);
    ASSERT_NE(position(), geoeffnet) << "the wheel did not move the tree";
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ASSERT_NO_FATAL_FAILURE(projektAnklicken());
        ruhen();
    }
}

} // namespace
} // namespace exchangetest
