#include "tests/cases/case_fixture.h"

#include "core/globals.h"
#include "platform/dao/dao.h"
#include "platform/forms/listview.h"
#include "platform/forms/richtextbox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTabBar>
#include <QTest>

void CaseWindowTest::SetUp() {
    window_ = &start();
    window_->Show();
    QApplication::processEvents();
}

QString CaseWindowTest::workFile(const QString& name) { return core::gWorkPath + name; }

void CaseWindowTest::clickTab(int index) {
    QTabBar* tabs = details().tbsTabs();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    QApplication::processEvents();
}

int CaseWindowTest::addCase(int itemId, const QString& name, const QString& sex, const QString& born,
                            const QString& why, const QString& conclusion) {
    core::gWorkDB.execute(QStringLiteral("insert into codefiles (codeid, name, xingbie, borntime, why, jielun) values (?, ?, ?, ?, ?, ?)"),
                          {vb::Variant(itemId), vb::Variant(name), vb::Variant(sex), vb::Variant(born), vb::Variant(why),
                           vb::Variant(conclusion)});
    dao::Recordset rs = core::gWorkDB.openRecordset(QStringLiteral("select max(id) as id from codefiles"), dao::dbOpenSnapshot);
    const int id = rs.value(QStringLiteral("id")).toLong();
    rs.close();
    return id;
}

int CaseWindowTest::caseCount(int itemId) {
    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(core::gWorkPath + QStringLiteral("dirovovivov.mdb"));
    dao::Recordset rs = db.openRecordset(QStringLiteral("select count(*) as n from codefiles where codeid = ?"),
                                         dao::dbOpenSnapshot, {vb::Variant(itemId)});
    const int n = rs.value(QStringLiteral("n")).toLong();
    rs.close();
    return n;
}

QStringList CaseWindowTest::rowTexts(const QTreeWidgetItem* row) {
    QStringList texts;
    for (int c = 0; c < 12; ++c) texts << row->text(c);
    return texts;
}

void CaseWindowTest::typeText(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c.isLetterOrNumber() && c.unicode() < 128 ? QChar(c).toUpper().unicode() : 0,
                        Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, press.key(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}
