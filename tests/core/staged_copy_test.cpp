// Backups and new libraries appear whole or not at all: interrupted at every stage, or the process
// killed at random moments, the target is the earlier folder or the new one, never a mix, the user's
// other files stay, and what an interrupted run left is found and removed.
#include "core/folder_copy.h"
#include "core/globals.h"
#include "core/staging.h"
#include "platform/dao/dao.h"
#include "platform/vb/error.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/safe_file_writer.h"
#include "tests/core/folder_snapshot.h"
#include "tests/support/test_env.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>

namespace {

constexpr const char* kLoop = "VEYRA_STAGED_LOOP";
constexpr const char* kRounds = "VEYRA_KILL_ROUNDS";

void copyLibrary(const QString& from, const QString& to) {
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString& name : source.entryList({QStringLiteral("*.mdb"), QStringLiteral("*.rtf")}, QDir::Files))
        ASSERT_TRUE(QFile::copy(source.filePath(name), to + u'/' + name));
}

// Every entry name of a folder, hidden ones included.
QStringList entries(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

// A backup's state: its pages by hash and its database's rows.
struct BackupState {
    QMap<QString, QByteArray> pages;
    QStringList rows;
    bool operator==(const BackupState&) const = default;
};

BackupState backupState(const QString& folder) {
    BackupState state;
    state.pages = snapshot(folder);
    state.pages.remove(QStringLiteral("dirovovivov.mdb"));
    state.pages.remove(QStringLiteral("readme.txt"));  // the user's own file
    if (QFileInfo::exists(folder + QStringLiteral("/dirovovivov.mdb")))
        state.rows = databaseRows(folder + QStringLiteral("/dirovovivov.mdb"));
    dao::DBEngine::closeIdleHandles();  // a claim on the backup would keep the next one off it
    return state;
}

// Two libraries that differ in every way a mix would show: A is the starter library; B has one item
// more, one fewer (its pages left behind) and a page of no item at all.
class StagedCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        copyLibrary(testenv::programDir(), path("A"));
        copyLibrary(testenv::programDir(), path("B"));
        {
            dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(path("B/dirovovivov.mdb"));
            db.execute(QStringLiteral("insert into codeitems (parentid, description) values (0, '新条目')"));
            db.execute(QStringLiteral("delete from codeitems where id = 2"));
            db.close();
        }
        writeFile(path("B/GREENNOTE5.rtf"), "{\\rtf1 page of the new item}");
        writeFile(path("B/REDNOTE77.rtf"), "{\\rtf1 page of no item}");
        writeFile(path("A/GREENNOTE1.rtf"), "{\\rtf1 A's own first page}");
        dao::DBEngine::closeIdleHandles();
        core::gBackupMode = false;
    }
    void TearDown() override {
        core::setStagingFault({});
        vb::SafeFileWriter::setFaultHook({});
        core::gBackupMode = false;
        dao::DBEngine::closeIdleHandles();
    }

    QString path(const QString& name) const { return root_.filePath(name); }

    void backUp(const QString& work, const QString& target) {
        core::gBackupMode = true;
        QString source = work, into = target;
        core::CopyWorkDatabase(source, into);
    }

    // What a backup of `work` holds, by a backup into a fresh folder.
    BackupState expectedBackup(const QString& work) {
        const QString reference = path(QStringLiteral("reference-") + QFileInfo(work).fileName());
        if (!QFileInfo::exists(reference)) backUp(work, reference);
        return backupState(reference);
    }

    QTemporaryDir root_;
    vb::MsgBoxScript boxes_;
};

TEST_F(StagedCopyTest, ABackupLeavesOutPagesOfItemsThatAreGone) {
    const BackupState b = expectedBackup(path("B"));
    EXPECT_TRUE(b.pages.contains(QStringLiteral("GREENNOTE5.rtf")));
    EXPECT_FALSE(b.pages.contains(QStringLiteral("REDNOTE77.rtf")));
    EXPECT_FALSE(b.pages.contains(QStringLiteral("GREENNOTE2.rtf")));
    EXPECT_TRUE(b.pages.contains(QStringLiteral("BLUENote3.rtf")));
    EXPECT_EQ(b.rows, databaseRows(path("B/dirovovivov.mdb")));
}

TEST_F(StagedCopyTest, ABackupStagesNothingOutsideTheFoldersItWrites) {
    QTemporaryDir temporary;
    const QByteArray saved = qgetenv("TMPDIR");
    qputenv("TMPDIR", temporary.path().toUtf8());
    backUp(path("A"), path("target"));
    backUp(path("B"), path("target"));
    qputenv("TMPDIR", saved);
    EXPECT_TRUE(entries(temporary.path()).isEmpty()) << entries(temporary.path()).join(u' ').toStdString();
    EXPECT_EQ(entries(root_.path()), (QStringList{"A", "B", "target"}));
    EXPECT_EQ(boxes_.count(), 0);
}

TEST_F(StagedCopyTest, ABackupThroughALinkReplacesTheFolderItNamesAndKeepsTheLink) {
    backUp(path("A"), path("real"));
    ASSERT_TRUE(QFile::link(path("real"), path("link")));
    backUp(path("B"), path("link"));
    EXPECT_TRUE(QFileInfo(path("link")).isSymLink());
    EXPECT_EQ(backupState(path("real")), expectedBackup(path("B")));
    EXPECT_EQ(boxes_.count(), 0);
}

struct Interruption {
    const char* name;
    std::function<void()> arm;
    bool newOneInPlace;
};

const std::vector<Interruption>& interruptions() {
    static const std::vector<Interruption> cases{
        {"database copied", [] { core::setStagingFault([](core::StagingStage s, const QString&) {
             if (s == core::StagingStage::DatabaseCopied) vb::raise(61, QStringLiteral("test")); }); }, false},
        {"a page being written", [] {
             auto started = std::make_shared<int>(0);
             vb::SafeFileWriter::setFaultHook([started](const QString&, qint64 offset) {
                 if (offset == 0) ++*started;
                 return *started < 3;
             }); }, false},
        {"all written", [] { core::setStagingFault([](core::StagingStage s, const QString&) {
             if (s == core::StagingStage::Complete) vb::raise(61, QStringLiteral("test")); }); }, false},
        {"swapped", [] { core::setStagingFault([](core::StagingStage s, const QString&) {
             if (s == core::StagingStage::Swapped) vb::raise(61, QStringLiteral("test")); }); }, true},
    };
    return cases;
}

TEST_F(StagedCopyTest, ABackupInterruptedAtEveryStageIsTheEarlierOrTheNewOne) {
    const BackupState a = expectedBackup(path("A")), b = expectedBackup(path("B"));
    ASSERT_NE(a, b);
    const QString target = path("target");
    for (const Interruption& at : interruptions()) {
        QDir(target).removeRecursively();
        backUp(path("A"), target);
        writeFile(target + QStringLiteral("/readme.txt"), "the user's note");
        at.arm();
        try {
            backUp(path("B"), target);
        } catch (const vb::Error&) {
        }
        core::setStagingFault({});
        vb::SafeFileWriter::setFaultHook({});
        EXPECT_EQ(backupState(target), at.newOneInPlace ? b : a) << at.name;
        EXPECT_EQ(readFile(target + QStringLiteral("/readme.txt")), "the user's note") << at.name;
        EXPECT_EQ(entries(root_.path()), (QStringList{"A", "B", "reference-A", "reference-B", "target"})) << at.name;
        EXPECT_FALSE(core::gBackupMode);
    }
}

// A new library's template in data folder `data`; its files by hash, with what the user keeps in
// the folder.
class NewLibraryTest : public StagedCopyTest {
protected:
    void SetUp() override {
        StagedCopyTest::SetUp();
        savedData_ = qgetenv("XDG_DATA_HOME");
        for (const char* data : {"data1", "data2"}) QDir().mkpath(path(QString::fromLatin1(data)));
        copyLibrary(path("A"), path("data1/veyra/nefilse"));
        copyLibrary(path("B"), path("data2/veyra/nefilse"));
        useData("data1");
        // Another library, with pages the template does not have, and the user's other things.
        target_ = path("old");
        copyLibrary(path("B"), target_);
        writeFile(target_ + QStringLiteral("/BLUENote9.rtf"), "a page of the old library's item 9");
        writeFile(target_ + QStringLiteral("/notes.txt"), "the user's notes");
        writeFile(target_ + QStringLiteral("/pictures/one.png"), "a picture");
        old_ = snapshot(target_);
    }
    void TearDown() override {
        qputenv("XDG_DATA_HOME", savedData_);
        StagedCopyTest::TearDown();
    }
    void useData(const char* data) { qputenv("XDG_DATA_HOME", path(QString::fromLatin1(data)).toUtf8()); }
    // The folder as a new library from `data`'s template leaves it.
    QMap<QString, QByteArray> made(const char* data) const {
        QMap<QString, QByteArray> files = snapshot(path(QString::fromLatin1(data)) + QStringLiteral("/veyra/nefilse"));
        files.insert(QStringLiteral("notes.txt"), old_.value(QStringLiteral("notes.txt")));
        files.insert(QStringLiteral("pictures/one.png"), old_.value(QStringLiteral("pictures/one.png")));
        return files;
    }

    QByteArray savedData_;
    QString target_;
    QMap<QString, QByteArray> old_;
};

TEST_F(NewLibraryTest, OverAnotherLibraryOnlyTheTemplatesLibraryFilesRemain) {
    core::MakeLibraryFromTemplate(target_);
    EXPECT_EQ(snapshot(target_), made("data1"));
    EXPECT_FALSE(QFileInfo::exists(target_ + QStringLiteral("/BLUENote9.rtf")));
    EXPECT_FALSE(QFileInfo::exists(target_ + QStringLiteral("/GREENNOTE5.rtf")));
    EXPECT_EQ(entries(root_.path()), (QStringList{"A", "B", "data1", "data2", "old"}));

    // Into a folder that is not there yet.
    core::MakeLibraryFromTemplate(path("fresh"));
    EXPECT_EQ(snapshot(path("fresh")), snapshot(path("data1/veyra/nefilse")));
}

TEST_F(NewLibraryTest, InterruptedAtEveryStageTheFolderIsTheOldLibraryOrTheNewOne) {
    for (const Interruption& at : interruptions()) {
        if (std::string(at.name) == "database copied") continue;  // a backup's stage only
        at.arm();
        try {
            core::MakeLibraryFromTemplate(target_);
        } catch (const vb::Error&) {
        }
        core::setStagingFault({});
        vb::SafeFileWriter::setFaultHook({});
        EXPECT_EQ(snapshot(target_), at.newOneInPlace ? made("data1") : old_) << at.name;
        EXPECT_EQ(entries(root_.path()), (QStringList{"A", "B", "data1", "data2", "old"})) << at.name;
        if (at.newOneInPlace) break;
    }
}

TEST_F(NewLibraryTest, AFullDiskIsReportedAndChangesNothing) {
    vb::SafeFileWriter::setFaultHook([](const QString&, qint64) { return false; });
    try {
        core::MakeLibraryFromTemplate(target_);
        FAIL() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 61);
        EXPECT_EQ(e.description().left(9), QStringLiteral("Disk full"));
    }
    EXPECT_EQ(snapshot(target_), old_);
}

// The child of the kill loops: copies over and over until killed, alternating between two sources.
TEST(StagedCopyChild, CopiesUntilKilled) {
    const QStringList spec = qEnvironmentVariable(kLoop).split(u'|');
    if (spec.size() != 4) GTEST_SKIP() << "runs as the child of the kill loops";
    for (int i = 0;; ++i) {
        const QString& source = spec[1 + i % 2];
        if (spec[0] == QStringLiteral("backup")) {
            core::gBackupMode = true;
            QString from = source, into = spec[3];
            core::CopyWorkDatabase(from, into);
        } else {
            qputenv("XDG_DATA_HOME", source.toUtf8());
            core::MakeLibraryFromTemplate(spec[3]);
        }
    }
}

int killRounds() {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue(kRounds, &ok);
    return ok && n > 0 ? n : 8;
}

// Runs the child on `spec` `killRounds()` times, kills it at a random moment and hands the folder's
// state to `check`, which says which of the expected states it is (-1 for none).
void killLoop(const QString& spec, const QString& parent, const std::function<int()>& check, int states) {
    QRandomGenerator random(20261211);
    std::vector<int> seen(states, 0);
    const int rounds = killRounds();
    for (int round = 0; round < rounds; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kLoop), spec);
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=StagedCopyChild.*")});
        ASSERT_TRUE(child.waitForStarted());
        QThread::msleep(150 + random.bounded(900));
        ASSERT_EQ(child.state(), QProcess::Running) << child.readAll().toStdString();
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished();
        const int state = check();
        ASSERT_GE(state, 0) << "round " << round << ": a mixed or partial folder";
        ++seen[state];
        // The next start's clean-up takes what the killed copy left.
        core::RemoveInterruptedCopies(parent);
    }
    QString counts;
    for (int n : seen) counts += QString::number(n) + u' ';
    std::printf("%d kills; folder states seen: %s\n", rounds, counts.toUtf8().constData());
}

TEST_F(StagedCopyTest, KilledWhileBackingUpTheBackupIsTheEarlierOrTheNewOne) {
    const BackupState a = expectedBackup(path("A")), b = expectedBackup(path("B"));
    const QString target = path("target");
    backUp(path("A"), target);
    writeFile(target + QStringLiteral("/readme.txt"), "the user's note");
    killLoop(QStringLiteral("backup|%1|%2|%3").arg(path("A"), path("B"), target), root_.path(), [&] {
        if (readFile(target + QStringLiteral("/readme.txt")) != "the user's note") return -1;
        const BackupState now = backupState(target);
        return now == a ? 0 : now == b ? 1 : -1;
    }, 2);
    EXPECT_EQ(entries(root_.path()), (QStringList{"A", "B", "reference-A", "reference-B", "target"}));
}

TEST_F(NewLibraryTest, KilledWhileMakingItTheFolderIsTheOldLibraryOrANewOne) {
    const auto first = made("data1"), second = made("data2");
    killLoop(QStringLiteral("library|%1|%2|%3").arg(path("data1"), path("data2"), target_), root_.path(), [&] {
        const auto now = snapshot(target_);
        return now == old_ ? 0 : now == first ? 1 : now == second ? 2 : -1;
    }, 3);
    EXPECT_EQ(entries(root_.path()), (QStringList{"A", "B", "data1", "data2", "old"}));
}

TEST(InterruptedCopies, OnlyTheProgramsOwnLeftoversAreRemoved) {
    QTemporaryDir dir;
    const QStringList leftovers{".BAK.partial-a1B2c3", ".sysfiles.old-Zz09aa", "..dirovovivov.mdb.new-abcdef.compact-123456",
                                ".dirovovivov.mdb.compact-q1w2e3", ".dirovovivov.mdb.compact-q1w2e3-journal",
                                ".veyra-copy-XyZ123", ".GREENNOTE5.rtf.aB3dE6", "BLUENote12.rtf.Q1w2E3", ".dirovovivov.mdb.k9K9k9"};
    const QStringList kept{"dirovovivov.mdb", "dirovovivov.mdb-journal", "GREENNOTE5.rtf", ".config", "notes.txt.abcdef",
                           ".BAK.partial-toolong1", "holiday.partial-a1B2c3", ".hidden.old"};
    for (const QString& name : leftovers + kept) writeFile(dir.filePath(name), "x");
    QDir().mkpath(dir.filePath(".FW.partial-Q2w3e4/inner"));
    core::RemoveInterruptedCopies(dir.path());
    QStringList expected = kept;
    expected.sort();
    EXPECT_EQ(entries(dir.path()), expected);

    // Beside a work folder, only that folder's staging goes.
    writeFile(dir.filePath(".mine.partial-a1B2c3"), "x");
    writeFile(dir.filePath(".theirs.partial-a1B2c3"), "x");
    core::RemoveInterruptedCopies(dir.path(), QStringLiteral("mine"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(".mine.partial-a1B2c3")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(".theirs.partial-a1B2c3")));
}

}  // namespace
