// Choosing another work database, its version row and its case table.
#include "core/folder_copy.h"
#include "core/globals.h"
#include "platform/dao/dao.h"
#include "platform/vb/app_version.h"
#include "platform/vb/folders.h"
#include "tests/library/library_fixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTreeWidget>

#include <functional>

#include <sqlite3.h>
#include <sys/stat.h>

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
    EXPECT_TRUE(boxes_.last().text.contains(broken + "dirovovivov.mdb")) << boxes_.last().text.toStdString();
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

// Files named dirovovivov.mdb that are not Veyra's work databases, each made in `folder`.
struct ForeignCase {
    const char* name;
    const char* reason;  // words the refusal gives
    std::function<void(const QString& database)> make;
};

void sqlInto(const QString& database, const QStringList& statements) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(database).constData(), &db), SQLITE_OK);
    for (const QString& sql : statements) ASSERT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

void copyShipped(const QString& database) {
    ASSERT_TRUE(QFile::copy(vb::joinPath(vb::programFolder(), QStringLiteral("dirovovivov.mdb")), database));
    QFile::setPermissions(database, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

const ForeignCase kForeignCases[] = {
    {"OtherTables", "缺少数据表 codeitems",
     [](const QString& db) { sqlInto(db, {QStringLiteral("CREATE TABLE notes (id INTEGER, body TEXT)")}); }},
    {"ItemsWithoutParent", "数据表 codeitems 缺少列 parentid",
     [](const QString& db) {
         sqlInto(db, {QStringLiteral("CREATE TABLE codeitems (id INTEGER, description TEXT, code TEXT, notes TEXT, example TEXT)"),
                      QStringLiteral("CREATE TABLE Bookmarks (ID INTEGER, CodeID INTEGER, Description TEXT)")});
     }},
    {"NoBookmarks", "缺少数据表 Bookmarks",
     [](const QString& db) {
         copyShipped(db);
         sqlInto(db, {QStringLiteral("DROP TABLE Bookmarks")});
     }},
    {"CasesWithoutConclusion", "数据表 codefiles 缺少列 jielun",
     [](const QString& db) {
         copyShipped(db);
         sqlInto(db, {QStringLiteral("ALTER TABLE codefiles DROP COLUMN jielun")});
     }},
    {"Damaged", "损坏",
     [](const QString& db) {
         copyShipped(db);
         // The second page, the first table's b-tree, overwritten.
         QFile f(db);
         ASSERT_TRUE(f.open(QIODevice::ReadWrite));
         const QByteArray header = f.read(18);
         const int pageSize = (static_cast<unsigned char>(header[16]) << 8) | static_cast<unsigned char>(header[17]);
         ASSERT_GT(f.size(), 2 * pageSize);
         f.seek(pageSize);
         f.write(QByteArray(pageSize, '\x5a'));
     }},
    {"Fifo", "不是普通文件",
     [](const QString& db) { ASSERT_EQ(::mkfifo(QFile::encodeName(db).constData(), 0600), 0); }},
    {"Folder", "不是普通文件", [](const QString& db) { ASSERT_TRUE(QDir().mkpath(db)); }},
    {"NoDatabase", "不是数据库文件",
     [](const QString& db) {
         QFile f(db);
         ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         f.write(QByteArray(4096, 'x'));
     }},
};

// What a file of the folder is, to see that nothing was written into it or beside it.
QString folderState(const QString& folder) {
    QString state;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        state += info.fileName() + u':' + QString::number(info.size()) + u':';
        if (info.isFile()) {
            QFile f(info.filePath());
            if (f.open(QIODevice::ReadOnly | QIODevice::Unbuffered) && info.size() > 0)
                state += QString::fromLatin1(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex());
        }
        state += u'\n';
    }
    return state;
}

class ForeignDatabaseTest : public WorkDatabaseTest, public ::testing::WithParamInterface<ForeignCase> {
protected:
    // The folder with the foreign file; the FIFO is never read by the test itself.
    QString makeForeign() {
        const QString folder = dataPath(QStringLiteral("foreign/"));
        QDir().mkpath(folder);
        GetParam().make(folder + QStringLiteral("dirovovivov.mdb"));
        return folder;
    }
    void expectRefusalNaming(const QString& database) {
        ASSERT_GE(boxes_.count(), 1);
        const QString text = boxes_.shown().front().text;
        EXPECT_TRUE(text.contains(database)) << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8(GetParam().reason))) << text.toStdString();
    }
};

TEST_P(ForeignDatabaseTest, ChosenItIsRefusedAndTheOpenLibraryStays) {
    library::FrmCodeLib& w = start();
    const QString before = w.DatabasePath;
    const QString lastDB = setting(QStringLiteral("LastDB"));
    const QString folder = makeForeign();
    const QString state = folderState(folder);
    boxes_.clear();
    dialogs_.answer(forms::DialogAnswer::open(folder + "dirovovivov.mdb"));
    w.ChooseWorkDatabase();
    ASSERT_EQ(boxes_.count(), 1) << "one message, naming the file";
    expectRefusalNaming(folder + "dirovovivov.mdb");
    EXPECT_EQ(w.DatabasePath, before);
    EXPECT_EQ(setting(QStringLiteral("LastDB")), lastDB);
    EXPECT_TRUE(core::gWorkDB.isOpen());
    EXPECT_EQ(core::gWorkDB.name(), before);
    EXPECT_EQ(w.tvCodeItems()->topLevelItem(0)->text(0), "ROOT");
    EXPECT_EQ(folderState(folder), state) << "nothing made in it or beside it, no backup";
}

TEST_P(ForeignDatabaseTest, AsTheLastWorkFolderItIsRefusedAtStartAndAtTheEnd) {
    start();  // the first start makes the default library
    stop();
    const QString folder = makeForeign();
    const QString state = folderState(folder);
    setSetting(QStringLiteral("LastDB"), folder);
    setSetting(QStringLiteral("BackupAtStart"), QStringLiteral("True"));
    boxes_.clear();
    library::FrmCodeLib& w = start();
    ASSERT_EQ(boxes_.count(), 1) << boxes_.last().text.toStdString();
    expectRefusalNaming(folder + "dirovovivov.mdb");
    EXPECT_TRUE(w.DatabasePath.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dataPath(QStringLiteral("codebackup.mdb")))) << "no start-up backup of it";
    EXPECT_FALSE(core::gWorkDB.isOpen());
    EXPECT_FALSE(w.menuEntry(QStringLiteral("mnuView"))->isEnabled());
    // The end neither compacts it nor names it again.
    ASSERT_TRUE(w.settings().CompactDatabaseOnExit());
    stop();
    EXPECT_EQ(boxes_.count(), 1);
    EXPECT_EQ(setting(QStringLiteral("LastDB")), folder);
    EXPECT_EQ(folderState(folder), state);
}

INSTANTIATE_TEST_SUITE_P(Files, ForeignDatabaseTest, ::testing::ValuesIn(kForeignCases),
                         [](const auto& info) { return std::string(info.param.name); });

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
