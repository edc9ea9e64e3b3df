#pragma once
// A rule database of the test's own: the authored tables of the chart loaded from data/rules into a
// fresh password-protected file, which the test may then change, and which the chart reads while the
// fixture lives.
#include "chart/memory_chart_surface.h"
#include "platform/dao/dao.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace charttest {

class RuleDbFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs statements against the test's rule database (rows added, changed or removed).
    void execute(const QStringList& statements);

    QTemporaryDir dir_;
    QString path_;
};

// Loads the named authored tables (every column as text) into a new database at `path`.
void makeRuleDatabase(const QString& path, const QStringList& tables);

}  // namespace charttest
