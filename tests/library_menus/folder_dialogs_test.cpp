// The new-library and backup dialogs through their controls.
#include "core/folder_copy.h"
#include "core/globals.h"
#include "library/frm_library_folder.h"
#include "platform/vb/folders.h"
#include "tests/library_menus/menus_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

namespace {

class FolderDialogsTest : public MenusTest {
protected:
    template <class F>
    F& open(const char* entryName) {
        trigger(QString::fromLatin1(entryName));
        return forms::defaultInstance<F>();
    }
    static void ok(library::FrmLibraryFolder& d) { QTest::mouseClick(d.cmdok(), Qt::LeftButton); }
    static QString folder(const QString& name) { return dataPath(name); }
    static void touch(const QString& path, const QByteArray& content = "x") {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    int items() { return w().tvCodeItems()->topLevelItem(0)->childCount(); }
};

TEST_F(FolderDialogsTest, ANewLibraryStartsFromTheTemplateAndBecomesTheWorkFolder) {
    library::FrmNew& d = open<library::FrmNew>("mnuNewDatabase");
    EXPECT_EQ(d.Caption(), "新建");
    EXPECT_EQ(d.Label1()->text(), "请确定工作目录：");
    EXPECT_EQ(d.txtPath()->text(), folder(QStringLiteral("FW")));
    EXPECT_FALSE(d.lblmsg()->isVisible());
    const QString target = folder(QStringLiteral("新库"));
    d.txtPath()->setText(target);
    ok(d);
    EXPECT_EQ(boxes_.count(), 0) << (boxes_.count() ? boxes_.last().text.toStdString() : "");
    EXPECT_TRUE(QFileInfo(target + QStringLiteral("/dirovovivov.mdb")).isFile());
    EXPECT_EQ(core::gWorkPath, target + u'/');
    EXPECT_EQ(setting(QStringLiteral("LastDB")), target + u'/');
    EXPECT_EQ(w().DatabasePath, target + QStringLiteral("/dirovovivov.mdb"));
    EXPECT_TRUE(w().Caption().endsWith(QStringLiteral("........当前工作目录：") + target + u'/'));
    EXPECT_EQ(forms::loadedInstance<library::FrmNew>(), nullptr);
    EXPECT_EQ(rowCount(w().DatabasePath, QStringLiteral("codeitems")),
              rowCount(core::TemplateFolder() + QStringLiteral("dirovovivov.mdb"), QStringLiteral("codeitems")));
}

TEST_F(FolderDialogsTest, TheWorkFolderIsRefusedHoweverItIsWritten) {
    const QString work = core::gWorkPath;
    QDir().mkpath(folder(QStringLiteral("links")));
    QFile::link(QDir::cleanPath(work), folder(QStringLiteral("links/work")));
    for (const QString& spelling : {work, work + QStringLiteral("./"), folder(QStringLiteral("links/work"))}) {
        library::FrmNew& d = open<library::FrmNew>("mnuNewDatabase");
        d.txtPath()->setText(spelling);
        boxes_.clear();
        ok(d);
        ASSERT_EQ(boxes_.count(), 1) << spelling.toStdString();
        EXPECT_EQ(boxes_.last().text, "此目录是当前的工作目录，请选择其它目录！！");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(core::gWorkPath, work);
    }
    library::FrmNew& d = open<library::FrmNew>("mnuNewDatabase");
    d.txtPath()->setText(QString());
    boxes_.clear();
    ok(d);
    EXPECT_EQ(boxes_.count(), 0) << "an empty folder text does nothing";
}

TEST_F(FolderDialogsTest, AnotherLibraryIsOverwrittenOnlyAfterAYes) {
    const QString other = folder(QStringLiteral("other"));
    touch(other + QStringLiteral("/dirovovivov.mdb"), "someone's library");
    const QString work = core::gWorkPath;
    library::FrmNew& d = open<library::FrmNew>("mnuNewDatabase");
    d.txtPath()->setText(other);
    EXPECT_TRUE(d.lblmsg()->isVisible());
    EXPECT_EQ(d.lblmsg()->text(), "注意:该目录不是空的，选一空目录不是更好吗？");
    boxes_.answer(vb::vbNo);
    ok(d);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().buttons & vb::vbDefaultButton2) << "No is the default";
    QFile f(other + QStringLiteral("/dirovovivov.mdb"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "someone's library");
    EXPECT_EQ(core::gWorkPath, work);

    boxes_.answer(vb::vbYes);
    ok(d);
    EXPECT_EQ(core::gWorkPath, other + u'/');
}

// Over another library, after the Yes, the folder holds the template's library files and nothing of
// the old library's: items that take the old ids show empty pages, as does one whose page file an
// earlier library left under its id.
TEST_F(FolderDialogsTest, ANewLibraryOverAnotherHoldsOnlyTheTemplateAndNewItemsStartEmpty) {
    const QString other = folder(QStringLiteral("旧库")) + u'/';
    QDir(other).removeRecursively();
    QDir().mkpath(other);
    for (const QString& name : QDir(core::gWorkPath).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(core::gWorkPath + name, other + name));
    for (int id = 5; id <= 8; ++id)
        touch(other + QStringLiteral("GREENNOTE%1.rtf").arg(id), "{\\rtf1 the old library's note}");
    touch(other + QStringLiteral("notes.txt"), "the user's own file");

    library::FrmNew& d = open<library::FrmNew>("mnuNewDatabase");
    d.txtPath()->setText(other);
    boxes_.answer(vb::vbYes);
    ok(d);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "该目录中已有一个工作库，新建项目将覆盖它原有的全部内容。\n确实要覆盖吗？");
    ASSERT_EQ(core::gWorkPath, other);
    const QString templateFolder = core::TemplateFolder();
    QStringList expected = QDir(templateFolder).entryList(QDir::Files);
    expected << QStringLiteral("notes.txt");
    expected.sort();
    QStringList now = QDir(other).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    now.sort();
    EXPECT_EQ(now, expected);
    EXPECT_EQ(rowCount(other + QStringLiteral("dirovovivov.mdb"), QStringLiteral("codeitems")),
              rowCount(templateFolder + QStringLiteral("dirovovivov.mdb"), QStringLiteral("codeitems")));
    for (const QString& name : QDir(templateFolder).entryList({QStringLiteral("*.rtf")}, QDir::Files)) {
        QFile a(templateFolder + name), b(other + name);
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(a.readAll(), b.readAll()) << name.toStdString();
    }

    // A page left under the next ids, as another library or a failed deletion leaves one.
    for (int id = 5; id <= 8; ++id) touch(other + QStringLiteral("GREENNOTE%1.rtf").arg(id), "{\\rtf1 left behind}");
    w().tvCodeItems()->setCurrentItem(w().tvCodeItems()->topLevelItem(0));
    trigger(QStringLiteral("mnuAddCode"));
    const QString id = library::FrmCodeLib::nodeKey(w().tvCodeItems()->currentItem()).mid(1);
    ASSERT_GE(id.toInt(), 5);
    ASSERT_LE(id.toInt(), 8);
    QFile page(other + QStringLiteral("GREENNOTE") + id + QStringLiteral(".rtf"));
    EXPECT_FALSE(page.open(QIODevice::ReadOnly) && page.readAll().contains("left behind"));
    EXPECT_FALSE(editor().toPlainText().contains(QStringLiteral("left behind")));
    EXPECT_TRUE(editor().toPlainText().trimmed().isEmpty()) << editor().toPlainText().toStdString();
}

TEST_F(FolderDialogsTest, AFailedCopyChangesNothing) {
    const QString work = core::gWorkPath;
    const QString items = QString::number(this->items());
    touch(folder(QStringLiteral("plainfile")));
    library::FrmNew& d = open<library::FrmNew>("mnuNewDatabase");
    d.txtPath()->setText(folder(QStringLiteral("plainfile/inside")));
    ok(d);
    ASSERT_GE(boxes_.count(), 1) << "the failure is said";
    EXPECT_EQ(core::gWorkPath, work);
    EXPECT_EQ(setting(QStringLiteral("LastDB")), work);
    EXPECT_TRUE(core::gWorkDB.isOpen());
    EXPECT_EQ(QString::number(this->items()), items);
    EXPECT_TRUE(d.isVisible());
}

TEST_F(FolderDialogsTest, ABackupCopiesTheLibraryAndKeepsTheWorkFolder) {
    library::FrmBak& d = open<library::FrmBak>("MNUBAK");
    EXPECT_EQ(d.Caption(), "备份");
    EXPECT_EQ(d.Label1()->text(), "请确定备份目录：");
    EXPECT_EQ(d.txtPath()->text(), folder(QStringLiteral("BAK")));
    const QString work = core::gWorkPath;
    const QString target = folder(QStringLiteral("备份一"));
    d.txtPath()->setText(target);
    ok(d);
    EXPECT_EQ(boxes_.count(), 0) << (boxes_.count() ? boxes_.last().text.toStdString() : "");
    EXPECT_TRUE(QFileInfo(target + QStringLiteral("/dirovovivov.mdb")).isFile());
    EXPECT_TRUE(integrityOk(target + QStringLiteral("/dirovovivov.mdb")));
    EXPECT_EQ(core::gWorkPath, work);
    EXPECT_EQ(setting(QStringLiteral("LastDB")), work);
    EXPECT_FALSE(core::gBackupMode);
    EXPECT_EQ(forms::loadedInstance<library::FrmBak>(), nullptr);

    // A second backup into the same folder warns first, then replaces it.
    library::FrmBak& again = open<library::FrmBak>("MNUBAK");
    again.txtPath()->setText(target);
    EXPECT_TRUE(again.lblmsg()->isVisible());
    EXPECT_EQ(again.lblmsg()->text(), "注意：该目录不是空的，按“确定”将冲掉原有内容，最好选一新目录");
    ok(again);
    EXPECT_EQ(forms::loadedInstance<library::FrmBak>(), nullptr);
}

TEST_F(FolderDialogsTest, AFailedBackupIsSaidAndTheDialogKeepsItsFolder) {
    const QString target = folder(QStringLiteral("备份二"));
    // The backup's database cannot take its place: a folder holds its name.
    QDir().mkpath(target + QStringLiteral("/dirovovivov.mdb"));
    library::FrmBak& d = open<library::FrmBak>("MNUBAK");
    d.txtPath()->setText(target);
    boxes_.clear();
    ok(d);
    ASSERT_EQ(boxes_.count(), 1) << "the failure is said once";
    ASSERT_EQ(forms::loadedInstance<library::FrmBak>(), &d);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.txtPath()->text(), target);
    EXPECT_TRUE(QFileInfo(target + QStringLiteral("/dirovovivov.mdb")).isDir());
}

TEST_F(FolderDialogsTest, NoBackupIntoTheWorkFolderOrBelowIt) {
    const QString work = core::gWorkPath;
    library::FrmBak& d = open<library::FrmBak>("MNUBAK");
    for (const QString& target : {work, work + QStringLiteral("inner/backup")}) {
        d.txtPath()->setText(target);
        boxes_.clear();
        ok(d);
        ASSERT_EQ(boxes_.count(), 1) << target.toStdString();
        EXPECT_FALSE(QFileInfo(work + QStringLiteral("inner")).exists());
        EXPECT_TRUE(d.isVisible());
    }
}

TEST_F(FolderDialogsTest, BrowseTakesTheChosenFolderAndCancelEmptiesTheText) {
    library::FrmBak& d = open<library::FrmBak>("MNUBAK");
    dialogs_.answer(forms::DialogAnswer::folder(folder(QStringLiteral("chosen"))));
    QTest::mouseClick(d.Cmdliu(), Qt::LeftButton);
    EXPECT_EQ(d.txtPath()->text(), folder(QStringLiteral("chosen")));
    EXPECT_EQ(dialogs_.last().title, "请选择文件夹：");
    dialogs_.answer(forms::DialogAnswer::cancel());
    QTest::mouseClick(d.Cmdliu(), Qt::LeftButton);
    EXPECT_EQ(d.txtPath()->text(), QString());
    QTest::mouseClick(d.cmdcancel(), Qt::LeftButton);
    EXPECT_EQ(forms::loadedInstance<library::FrmBak>(), nullptr);
}

}  // namespace
