#pragma once

#include "platform/db/Connection.h"
#include "platform/runtime/Variant.h"
#include "TestRun.h"

#include <gtest/gtest.h>
#include <QStringList>
#include <vector>

namespace storetest {

// A test run whose working copy holds a few records:
//   E1: 3 "Probe A" (active), 5 "Probe C", 7 "Probe B" (active)
//   E3: record 5 readings 0..5 (M1 50..55); record 7 readings 0..4 (M1 10..14)
class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override;

    platform::Connection& cnn() { return *run.state().cnnX; }
    void exec(const QString& sql) { cnn().Execute(sql); }
    // Field 0 of every row of the query, in its text form ("Null" for a Null).
    QStringList texts(const QString& sql);
    long count(const QString& sql);
    // The prompts of the message boxes asked so far.
    QStringList messages() { return run.dialogs().messages(); }

    testsupport::TestRun run;
};

// A Variant's value as the tests compare it: its text form, "Null" and "Empty" for those.
QString text(const platform::Variant& v);

} // namespace storetest
