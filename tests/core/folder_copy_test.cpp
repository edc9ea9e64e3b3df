#include "core/copy_progress_dialog.h"
#include "core/folder_copy.h"
#include "core/globals.h"
#include "core/main_window_host.h"
#include "platform/vb/safe_file_writer.h"
#include "platform/dao/dao.h"
#include "platform/forms/common_dialog.h"
#include "platform/registry/registry.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"
#include "tests/core/folder_snapshot.h"
#include "tests/support/test_env.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

using core::CopyConflict;

class RecordingMainWindow : public core::MainWindowHost {
public:
    void setMousePointer(int p) override { pointers.push_back(p); }
    int mousePointer() const override { return pointers.empty() ? 0 : pointers.back(); }
    QWidget* ownerWidget() override { return nullptr; }
    void unloadWindow() override {}
    std::vector<int> pointers;
};

// A program folder with the shipped library, an empty data folder, a main window that records its
// pointer, and scripted message boxes.
class FolderCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        program_ = root_.filePath(QStringLiteral("program"));
        QDir().mkpath(program_);
        const QDir shipped(testenv::programDir());
        QStringList files{QStringLiteral("dirovovivov.mdb")};
        files += shipped.entryList({QStringLiteral("*.rtf")}, QDir::Files);
        for (const QString& name : files) ASSERT_TRUE(QFile::copy(shipped.filePath(name), program_ + "/" + name));
        vb::setProgramFolder(program_);
        savedDataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", root_.filePath(QStringLiteral("data")).toUtf8());
        registry::DeleteSetting(QStringLiteral("veyraww"), QStringLiteral("Settings"));
        core::setMainWindowHost(&window_);
        core::gBackupMode = false;
    }

    void TearDown() override {
        core::setMainWindowHost(nullptr);
        core::setCopyConflictPolicy({});
        vb::SafeFileWriter::setFaultHook({});
        vb::setProgramFolder(QString());
        qputenv("XDG_DATA_HOME", savedDataHome_);
        registry::DeleteSetting(QStringLiteral("veyraww"), QStringLiteral("Settings"));
        core::gBackupMode = false;
    }

    static QString lastDB() {
        return registry::GetSetting(QStringLiteral("veyraww"), QStringLiteral("Settings"), QStringLiteral("LastDB"),
                                    QStringLiteral("<absent>"));
    }
    QString dataPath(const QString& name) const { return root_.filePath(QStringLiteral("data/veyra/") + name); }

    // Fails the write of the `n`-th file (1-based) that the copy starts.
    static void failAtFile(int n) {
        auto started = std::make_shared<int>(0);
        vb::SafeFileWriter::setFaultHook([started, n](const QString&, qint64 offset) {
            if (offset == 0) ++*started;
            return *started < n;
        });
    }

    // A work folder with the shipped library; returns its path ending in "/".
    QString makeWorkFolder(const QString& name) {
        const QString folder = root_.filePath(name) + QStringLiteral("/");
        QDir().mkpath(folder);
        for (const QString& file : QDir(program_).entryList(QDir::Files)) QFile::copy(program_ + "/" + file, folder + file);
        return folder;
    }

    QTemporaryDir root_;
    QString program_;
    QByteArray savedDataHome_;
    RecordingMainWindow window_;
    vb::MsgBoxScript boxes_;
};

TEST_F(FolderCopyTest, FirstStartCopiesTheShippedLibraryAndKeepsTheProgramFolder) {
    const auto shipped = snapshot(program_);
    core::SetUpLibraryFolders();

    EXPECT_EQ(boxes_.count(), 0);
    EXPECT_EQ(snapshot(program_), shipped);  // nothing leaves the program folder
    EXPECT_EQ(snapshot(dataPath(QStringLiteral("sysfiles"))), shipped);
    EXPECT_EQ(snapshot(dataPath(QStringLiteral("nefilse"))), shipped);
    EXPECT_EQ(lastDB(), core::DefaultWorkFolder());
    EXPECT_TRUE(core::DefaultWorkFolder().endsWith(QStringLiteral("/sysfiles/")));
    // Nothing is left of the copy's own working files.
    EXPECT_EQ(QDir(dataPath(QString())).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"nefilse", "sysfiles"}));
    EXPECT_EQ(window_.pointers, (std::vector<int>{11, 0, 11, 0}));
    EXPECT_FALSE(core::gBackupMode);
}

TEST_F(FolderCopyTest, LaterStartsLeaveTheWorkFolderAloneAndRefreshTheTemplateFromTheShippedLibrary) {
    const auto shipped = snapshot(program_);
    core::SetUpLibraryFolders();
    writeFile(dataPath(QStringLiteral("sysfiles/BLUENote9.rtf")), "the user's page");
    writeFile(dataPath(QStringLiteral("nefilse/GREENNOTE1.rtf")), "a damaged template page");
    registry::SaveSetting(QStringLiteral("veyraww"), QStringLiteral("Settings"), QStringLiteral("LastDB"),
                          QStringLiteral("/elsewhere/"));
    const auto work = snapshot(dataPath(QStringLiteral("sysfiles")));

    core::SetUpLibraryFolders();
    EXPECT_EQ(snapshot(dataPath(QStringLiteral("sysfiles"))), work);
    EXPECT_EQ(lastDB(), QStringLiteral("/elsewhere/"));
    // A new library starts from the shipped one: the user's own pages never reach the template.
    EXPECT_FALSE(QFileInfo::exists(dataPath(QStringLiteral("nefilse/BLUENote9.rtf"))));
    EXPECT_EQ(snapshot(dataPath(QStringLiteral("nefilse"))), shipped);
    EXPECT_EQ(boxes_.count(), 0);
}

TEST_F(FolderCopyTest, AFirstCopyThatFailsHalfwayLeavesNoWorkFolderAndIsTriedAgain) {
    const auto shipped = snapshot(program_);
    failAtFile(5);
    QString source = program_, target = core::DefaultWorkFolder();
    core::CopyWorkDatabase(source, target);

    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, QStringLiteral("28"));  // the system's error number: no space left
    EXPECT_FALSE(QFileInfo::exists(dataPath(QStringLiteral("sysfiles"))));
    EXPECT_TRUE(QDir(dataPath(QString())).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    EXPECT_EQ(lastDB(), QStringLiteral("<absent>"));
    EXPECT_EQ(snapshot(program_), shipped);
    EXPECT_EQ(window_.mousePointer(), 0);  // the hourglass is gone after the failure

    vb::SafeFileWriter::setFaultHook({});
    core::CopyWorkDatabase(source, target);
    EXPECT_EQ(snapshot(dataPath(QStringLiteral("sysfiles"))), shipped);
    EXPECT_EQ(lastDB(), core::DefaultWorkFolder());
}

TEST_F(FolderCopyTest, ACancelledFirstCopyLeavesNothing) {
    vb::SafeFileWriter::setFaultHook([](const QString& target, qint64) {
        if (target.endsWith(QStringLiteral("GREENNOTE2.rtf"))) core::CopyProgressDialog::current()->cancelButton()->click();
        return true;
    });
    QString source = program_, target = core::DefaultWorkFolder();
    core::CopyWorkDatabase(source, target);

    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, QStringLiteral("Operation Failed"));
    EXPECT_FALSE(QFileInfo::exists(dataPath(QStringLiteral("sysfiles"))));
    EXPECT_EQ(lastDB(), QStringLiteral("<absent>"));
    EXPECT_EQ(core::CopyProgressDialog::current(), nullptr);
}

TEST_F(FolderCopyTest, ABackupIntoANewFolderCreatesItAndKeepsLastDB) {
    QString work = makeWorkFolder(QStringLiteral("work"));
    work.chop(1);  // the routine adds the "/" and the caller sees it
    QString target = work + QStringLiteral("/bak");
    core::gBackupMode = true;
    core::CopyWorkDatabase(work, target);

    EXPECT_TRUE(work.endsWith(u'/'));
    EXPECT_TRUE(target.endsWith(u'/'));
    EXPECT_EQ(boxes_.count(), 0);
    const auto backup = snapshot(target);
    EXPECT_EQ(backup.size(), 13);
    // The database is copied by the engine's online backup: the same rows, not the same bytes.
    EXPECT_EQ(databaseRows(target + QStringLiteral("dirovovivov.mdb")), databaseRows(work + QStringLiteral("dirovovivov.mdb")));
    EXPECT_EQ(lastDB(), QStringLiteral("<absent>"));
    EXPECT_FALSE(core::gBackupMode);
}

class BackupOverEarlierBackupTest : public FolderCopyTest {
protected:
    void SetUp() override {
        FolderCopyTest::SetUp();
        work_ = makeWorkFolder(QStringLiteral("work"));
        writeFile(work_ + QStringLiteral("readme.rtf"), "new readme");
        target_ = root_.filePath(QStringLiteral("chosen")) + QStringLiteral("/");
        writeFile(target_ + QStringLiteral("dirovovivov.mdb"), "earlier backup");
        writeFile(target_ + QStringLiteral("BLUENote99.rtf"), "page of an item deleted since");
        writeFile(target_ + QStringLiteral("readme.rtf"), "the user's own readme");
        writeFile(target_ + QStringLiteral("holiday.jpg"), "the user's photo");
        before_ = snapshot(target_);
        core::gBackupMode = true;
    }
    QString work_, target_;
    QMap<QString, QByteArray> before_;
};

TEST_F(BackupOverEarlierBackupTest, ReplacesTheProgramsOwnFilesAndAsksAboutOthers) {
    std::vector<QString> asked;
    core::setCopyConflictPolicy([&](const QString& path) {
        asked.push_back(QFileInfo(path).fileName());
        return CopyConflict::Skip;
    });
    core::CopyWorkDatabase(work_, target_);

    EXPECT_EQ(asked, std::vector<QString>{QStringLiteral("readme.rtf")});
    EXPECT_EQ(boxes_.count(), 0);
    EXPECT_EQ(databaseRows(target_ + QStringLiteral("dirovovivov.mdb")), databaseRows(work_ + QStringLiteral("dirovovivov.mdb")));
    EXPECT_EQ(readFile(target_ + QStringLiteral("GREENNOTE1.rtf")), readFile(work_ + QStringLiteral("GREENNOTE1.rtf")));
    EXPECT_FALSE(QFileInfo::exists(target_ + QStringLiteral("BLUENote99.rtf")));
    EXPECT_EQ(readFile(target_ + QStringLiteral("readme.rtf")), QByteArray("the user's own readme"));
    EXPECT_EQ(readFile(target_ + QStringLiteral("holiday.jpg")), QByteArray("the user's photo"));
    EXPECT_EQ(QDir(target_).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 15);
    EXPECT_FALSE(core::gBackupMode);
}

TEST_F(BackupOverEarlierBackupTest, ReplaceAnswerReplacesTheOtherFile) {
    core::setCopyConflictPolicy([](const QString&) { return CopyConflict::Replace; });
    core::CopyWorkDatabase(work_, target_);
    EXPECT_EQ(readFile(target_ + QStringLiteral("readme.rtf")), QByteArray("new readme"));
}

TEST_F(BackupOverEarlierBackupTest, TheDefaultPolicyAsksTheUser) {
    boxes_.answer(vb::vbNo);
    core::CopyWorkDatabase(work_, target_);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains(QStringLiteral("readme.rtf")));
    EXPECT_EQ(boxes_.last().buttons & 7, vb::vbYesNoCancel);
    EXPECT_EQ(readFile(target_ + QStringLiteral("readme.rtf")), QByteArray("the user's own readme"));
}

TEST_F(BackupOverEarlierBackupTest, CancelChangesNothing) {
    core::setCopyConflictPolicy([](const QString&) { return CopyConflict::Cancel; });
    core::CopyWorkDatabase(work_, target_);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, QStringLiteral("Operation Failed"));
    EXPECT_EQ(snapshot(target_), before_);
    EXPECT_FALSE(core::gBackupMode);
}

TEST_F(BackupOverEarlierBackupTest, ACopyThatFailsHalfwayKeepsTheEarlierBackupWhole) {
    core::setCopyConflictPolicy([](const QString&) { return CopyConflict::Replace; });
    failAtFile(3);
    core::CopyWorkDatabase(work_, target_);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, QStringLiteral("28"));
    EXPECT_EQ(snapshot(target_), before_);  // no file lost, none half written, no working files left
    EXPECT_FALSE(core::gBackupMode);
    EXPECT_EQ(window_.mousePointer(), 0);
    EXPECT_EQ(lastDB(), QStringLiteral("<absent>"));
}

TEST_F(FolderCopyTest, ABackupIsSeenByTheNextOpenOfTheBackupDatabase) {
    // An earlier backup, opened and closed again: the engine may keep its file open for a quick reopen.
    const QString work = makeWorkFolder(QStringLiteral("work"));
    const QString target = root_.filePath(QStringLiteral("chosen")) + QStringLiteral("/");
    QDir().mkpath(target);
    ASSERT_TRUE(QFile::copy(testenv::programDir() + QStringLiteral("/template/dirovovivov.mdb"),
                            target + QStringLiteral("dirovovivov.mdb")));
    auto items = [&] {
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(target + QStringLiteral("dirovovivov.mdb"));
        const int n = db.openRecordset(QStringLiteral("select * from codeitems"), dao::dbOpenSnapshot).recordCount();
        db.close();
        return n;
    };
    ASSERT_EQ(items(), 0);
    QString source = work, to = target;
    core::gBackupMode = true;
    core::CopyWorkDatabase(source, to);
    EXPECT_EQ(items(), 4);
}

TEST_F(FolderCopyTest, AMissingSourceIsReported) {
    core::gBackupMode = true;
    QString source = root_.filePath(QStringLiteral("nowhere")), target = root_.filePath(QStringLiteral("t"));
    core::CopyWorkDatabase(source, target);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, source + QStringLiteral(" 目錄不存在"));
    EXPECT_EQ(boxes_.last().title, QStringLiteral("檔案路徑錯誤"));
    EXPECT_EQ(boxes_.last().buttons, vb::vbOKOnly);
    EXPECT_TRUE(core::gBackupMode);  // not consumed
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_TRUE(window_.pointers.empty());
}

TEST_F(FolderCopyTest, ABackupOntoItselfChangesNothing) {
    const QString work = makeWorkFolder(QStringLiteral("work"));
    const auto before = snapshot(work);
    QString source = work, target = work;
    core::gBackupMode = true;
    core::CopyWorkDatabase(source, target);
    EXPECT_EQ(snapshot(work), before);
    EXPECT_FALSE(core::gBackupMode);
}

TEST_F(FolderCopyTest, CopyFolderFilesCopiesPlainFilesOnly) {
    const QString source = root_.filePath(QStringLiteral("src"));
    writeFile(source + QStringLiteral("/a.rtf"), "a");
    writeFile(source + QStringLiteral("/b.bin"), QByteArray(300000, 'b'));
    writeFile(source + QStringLiteral("/.hidden"), "h");
    writeFile(source + QStringLiteral("/sub/c.rtf"), "c");
    const QString target = root_.filePath(QStringLiteral("dst"));
    writeFile(target + QStringLiteral("/a.rtf"), "older and longer");
    writeFile(target + QStringLiteral("/keep.txt"), "k");

    core::CopyFolderFiles(source, target);
    EXPECT_EQ(QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"a.rtf", "b.bin", "keep.txt"}));
    EXPECT_EQ(readFile(target + QStringLiteral("/a.rtf")), QByteArray("a"));
    EXPECT_EQ(readFile(target + QStringLiteral("/b.bin")), QByteArray(300000, 'b'));
    EXPECT_EQ(window_.pointers, (std::vector<int>{11, 0}));
}

TEST_F(FolderCopyTest, CopyFolderFilesOfSubfoldersOnlyMakesTheTarget) {
    const QString source = root_.filePath(QStringLiteral("src"));
    QDir().mkpath(source + QStringLiteral("/sub"));
    const QString target = root_.filePath(QStringLiteral("dst"));
    core::CopyFolderFiles(source, target);
    EXPECT_TRUE(QFileInfo(target).isDir());
    EXPECT_TRUE(QDir(target).isEmpty());

    core::CopyFolderFiles(root_.filePath(QStringLiteral("nowhere")), target);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().title, QStringLiteral("檔案路徑錯誤"));
}

TEST_F(FolderCopyTest, CopyFolderFilesFailureRaisesAndKeepsTheEarlierFile) {
    const QString source = root_.filePath(QStringLiteral("src"));
    writeFile(source + QStringLiteral("/a.rtf"), "new");
    const QString target = root_.filePath(QStringLiteral("dst"));
    writeFile(target + QStringLiteral("/a.rtf"), "earlier");
    failAtFile(1);
    try {
        core::CopyFolderFiles(source, target);
        FAIL() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 61);
    }
    EXPECT_EQ(readFile(target + QStringLiteral("/a.rtf")), QByteArray("earlier"));
    EXPECT_EQ(QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"a.rtf"});
    EXPECT_EQ(window_.mousePointer(), 0);
}

TEST_F(FolderCopyTest, FolderSizeSumsPlainFilesIn64Bits) {
    const QString folder = root_.filePath(QStringLiteral("sized"));
    EXPECT_EQ(core::FolderSize(folder), 0);
    QDir().mkpath(folder);
    EXPECT_EQ(core::FolderSize(folder), 0);
    writeFile(folder + QStringLiteral("/a"), QByteArray(1000, 'a'));
    writeFile(folder + QStringLiteral("/sub/b"), QByteArray(50, 'b'));
    EXPECT_EQ(core::FolderSize(folder + QStringLiteral("/")), 1000);
    // Two sparse files of 1.5 GiB: the total passes what 32 bits hold.
    for (const char* name : {"/big1", "/big2"}) {
        QFile f(folder + QString::fromLatin1(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(3) << 29));
    }
    EXPECT_EQ(core::FolderSize(folder), (qint64(3) << 30) + 1000);
}

TEST_F(FolderCopyTest, BrowseForFolderGivesTheChosenFolderOrNothing) {
    forms::DialogScript dialogs;
    dialogs.answer(forms::DialogAnswer::cancel()).answer(forms::DialogAnswer::folder(root_.path() + QStringLiteral("/")));
    EXPECT_EQ(core::BrowseForFolder(nullptr, QStringLiteral("请选择文件夹：")), QString());
    EXPECT_EQ(dialogs.last().title, QStringLiteral("请选择文件夹："));
    EXPECT_EQ(dialogs.last().kind, forms::DialogKind::Folder);
    EXPECT_EQ(core::BrowseForFolder(nullptr, QString()), root_.path());
}

}  // namespace
