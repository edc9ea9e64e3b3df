#pragma once
// A rule database of the test's own: a copy of the build's zodazire.mdb in a fresh folder, which the
// test may change and which the chart reads while the fixture lives.
#include <QString>
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

}  // namespace charttest
