#pragma once
// A fresh folder per test and small helpers to make databases in it.
#include "tests/support/error_number.h"
#include "platform/dao/dao.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// Readable failure messages for texts.
#include "tests/support/qt_print.h"

namespace daotest {

class DaoTest : public ::testing::Test {
protected:
    void TearDown() override { dao::DBEngine::closeIdleHandles(); }

    QString path(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }
    // A new database holding the tables that `statements` create and fill.
    dao::Database make(const QString& name, const QStringList& statements, const QString& password = QString()) const;

    QTemporaryDir dir_;
};

// The engine error number that `f` raises, or 0.
using testenv::errorOf;
// Its text.
QString errorTextOf(const std::function<void()>& f);

}  // namespace daotest
