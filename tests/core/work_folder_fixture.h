#pragma once
// A throw-away work folder holding a copy of the shipped starter library, opened as the current
// library (gWorkPath, gWorkDB) for the duration of a test.
#include "platform/dao/dao.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class WorkFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString& name) const { return dir_.filePath(name); }
    // Rows a statement returns.
    int rows(const QString& sql, const QList<vb::Variant>& params = {});
    // One value of the first row ("" when there is none or it is Null).
    QString value(const QString& sql, const QList<vb::Variant>& params = {});
    static QByteArray readFile(const QString& path);
    static void writeFile(const QString& path, const QByteArray& bytes);

    QTemporaryDir dir_;
};

// The error a call raises; fails the test when it raises none.
template <typename F>
vb::Error errorOf(F&& f) {
    try {
        f();
    } catch (const vb::Error& e) {
        return e;
    }
    ADD_FAILURE() << "no error raised";
    return vb::Error(0, QString(), QString());
}
