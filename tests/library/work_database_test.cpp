// Choosing another work database, its version row and its case table.
#include "core/folder_copy.h"
#include "core/globals.h"
#include "platform/dao/dao.h"
#include "platform/vb/app_version.h"
#include "platform/vb/folders.h"
#include "tests/library/library_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTreeWidget>

namespace {

class WorkDatabaseTest : public LibraryWindowTest {
protected:
    // A second library: a copy of the shipped one in its own folder.
    QString secondLibrary(const QString& name) {
        const QString folder = dataPath(name + u'/');
        QDir().mkpath(folder);
        EXPECT_TRUE(QFile::copy(vb::joinPath(vb::programFolder(), QStringLiteral("dirovovivov.mdb")), folder + "dirovovivov.mdb"));
        return folder;
    }
};

TEST_F(WorkDatabaseTest, ChoosingAnotherLibrarySwitchesToItAndBacksItUp) {
    library::FrmCodeLib& w = start();
    const QString other = secondLibrary(QStringLiteral("other"));
    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(other + "dirovovivov.mdb");
    db.execute(QStringLiteral("insert into codeitems (parentid, description) values (0, '另一个库')"));
    db.close();

    dialogs_.answer(forms::DialogAnswer::open(other + "dirovovivov.mdb"));
    w.ChooseWorkDatabase();
    EXPECT_EQ(core::gWorkPath, other);
    EXPECT_EQ(w.DatabasePath, other + "dirovovivov.mdb");
    EXPECT_EQ(setting(QStringLiteral("LastDB")), other);
    EXPECT_EQ(w.Caption(), QStringLiteral("Veyra      ...当前工作目录：") + other);
    EXPECT_FALSE(w.tvCodeItems()->findItems(QStringLiteral("另一个库"), Qt::MatchRecursive).isEmpty());
    EXPECT_TRUE(integrityOk(other + "bak/dirovovivov.mdb"));
    EXPECT_EQ(rowCount(other + "bak/dirovovivov.mdb", QStringLiteral("codeitems")),
              rowCount(other + "dirovovivov.mdb", QStringLiteral("codeitems")));
}

TEST_F(WorkDatabaseTest, AFailedChoiceKeepsTheLibraryThatWasOpen) {
    library::FrmCodeLib& w = start();
    const QString before = w.DatabasePath;
    const QString broken = dataPath(QStringLiteral("broken/"));
    QDir().mkpath(broken);
    QFile f(broken + "dirovovivov.mdb");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2048, '\x7f'));
    f.close();

    dialogs_.answer(forms::DialogAnswer::open(broken + "dirovovivov.mdb"));
    w.ChooseWorkDatabase();
    ASSERT_GE(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.endsWith(QStringLiteral(" frmCodeLib::OpenWorkDatabase")));
    EXPECT_EQ(w.DatabasePath, before);
    EXPECT_EQ(setting(QStringLiteral("LastDB")), dataPath(QStringLiteral("sysfiles/")));
    EXPECT_TRUE(core::gWorkDB.isOpen());
    EXPECT_EQ(core::gWorkDB.name(), before);
    EXPECT_FALSE(QFileInfo::exists(broken + "bak"));
}

struct RefusedCase {
    const char* what;
    bool templateDatabase;  // else a file of another name
};

class RefusedChoiceTest : public WorkDatabaseTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedChoiceTest, IsRefusedWithAMessageAndChangesNothing) {
    library::FrmCodeLib& w = start();
    const QString before = w.DatabasePath;
    QString chosen;
    if (GetParam().templateDatabase) {
        chosen = core::TemplateFolder() + "../nefilse/dirovovivov.mdb";  // the same file, spelt otherwise
    } else {
        chosen = dataPath(QStringLiteral("notes.mdb"));
        QFile::copy(before, chosen);
    }
    dialogs_.answer(forms::DialogAnswer::open(chosen));
    boxes_.clear();
    w.ChooseWorkDatabase();
    ASSERT_EQ(boxes_.count(), 1) << GetParam().what;
    if (GetParam().templateDatabase) {
        EXPECT_EQ(boxes_.last().text, QStringLiteral("请不要导入这一目录下的文件,"));
    }
    EXPECT_EQ(w.DatabasePath, before);
    EXPECT_EQ(core::gWorkDB.name(), before);
}

INSTANTIATE_TEST_SUITE_P(Choices, RefusedChoiceTest,
                         ::testing::Values(RefusedCase{"template", true}, RefusedCase{"other name", false}));

TEST_F(WorkDatabaseTest, ALibraryWithoutItsVersionAndCaseTablesGetsThemComplete) {
    start();  // the first start sets LastDB to the default library
    stop();
    const QString folder = secondLibrary(QStringLiteral("old"));
    {
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(folder + "dirovovivov.mdb");
        db.execute(QStringLiteral("DROP TABLE CodeDBVersion"));
        db.execute(QStringLiteral("DROP TABLE codefiles"));
        db.close();
    }
    setSetting(QStringLiteral("LastDB"), folder);
    start();
    dao::Recordset rs = core::gWorkDB.openRecordset(QStringLiteral("select version from CodeDBVersion"), dao::dbOpenSnapshot);
    EXPECT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(QStringLiteral("version")).toString(), vb::appVersionText());
    rs.close();
    // The case list's columns are there.
    dao::Recordset cases = core::gWorkDB.openRecordset(QStringLiteral("select ID, CodeID, NAME, xingbie, borntime, guatime, "
                                                                      "savetime, address, tel, why, jielun from codefiles"),
                                                       dao::dbOpenSnapshot);
    EXPECT_TRUE(cases.eof());
    cases.close();
}

}  // namespace
