#include "TestRun.h"

#include "Schema.h"
#include "platform/db/Connection.h"

namespace testsupport {

TestRun::TestRun() : TestRun(Options{}) {}

TestRun::TestRun(const Options& options)
    : locale_(options.language, options.decimalSign), state_(std::make_unique<platform::RunState>()) {
    state_->SPRACHE = options.language == QLatin1String("en") ? 1 : 3;
    state_->DEZIMALPUNKT = options.decimalSign;
    state_->setDialogs(&dialogs_);
    state_->setProgressBar(&progress_);
    state_->setProgramFolder(dir_.mkdir(QStringLiteral("programm")));
    state_->PROJEKTSPFAD = dir_.mkdir(QStringLiteral("projekte"));
    state_->PROJEKT = QStringLiteral("TEST.01");
    state_->BEARBEITER = QStringLiteral("Prüfer");
    if (options.workingCopy) {
        databasePath_ = dir_.file(QStringLiteral("TAMBRIN.mdb"));
        schema::create(schema::Database::Project, databasePath_);
        state_->cnnX = std::make_shared<platform::Connection>();
        state_->cnnX->Open(databasePath_);
    }
    state_->install();
}

TestRun::~TestRun() {
    state_->uninstall();
    if (state_->cnnX) state_->cnnX->Close();
}

} // namespace testsupport
