// The library window's item tree driven through its real control offscreen, over a copy of the shipped
// starter library: filling, renaming, adding, deleting, the pop-up, the toolbar, dragging, and the
// export and import of the library.
#include "core/globals.h"
#include "library/frm_code_lib.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/richtextbox.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/safe_file_writer.h"
#include "tests/core/work_folder_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QtEndian>

#include <memory>

namespace {

using library::FrmCodeLib;

// The starter library: 1 紫微斗数入门 (with 2 十四主星 and 3 四化) and 4 命例, all under ROOT.
class TreeWindow : public WorkFolderTest {
protected:
    void SetUp() override {
        WorkFolderTest::SetUp();
        window_ = std::make_unique<FrmCodeLib>();
        window_->EnableLibraryCommands(true);
        window_->resize(900, 700);
        window_->show();
        window_->FillTree();
    }
    void TearDown() override {
        window_.reset();
        WorkFolderTest::TearDown();
    }

    QTreeWidget* tree() const { return window_->tvCodeItems(); }
    QTreeWidgetItem* node(const QString& key) const { return window_->nodeByKey(key); }
    QTreeWidgetItem* root() const { return node("ROOT"); }
    QPoint centre(QTreeWidgetItem* n) const {
        tree()->scrollToItem(n);
        return tree()->visualItemRect(n).center();
    }
    void select(QTreeWidgetItem* n) { QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, centre(n)); }

    int addRow(int parent, const QString& title) {
        core::gWorkDB.execute("insert into codeitems (parentid, description) values (?, ?)", {parent, title});
        return value("select max(id) from codeitems").toInt();
    }
    // The whole table, to see that showing the tree writes nothing.
    QString tableDump() {
        dao::Recordset rs = core::gWorkDB.openRecordset("select * from codeitems order by id", dao::dbOpenSnapshot);
        QString dump;
        for (; !rs.eof(); rs.moveNext())
            for (int i = 0; i < rs.fieldCount(); ++i) dump += rs.field(i).value().text() + u'|';
        return dump;
    }
    // A subtree's titles and shape: "title(child,child)", children in the tree's order.
    static QString shape(const QTreeWidgetItem* n) {
        QString s = n->text(0);
        if (n->childCount() == 0) return s;
        QStringList children;
        for (int i = 0; i < n->childCount(); ++i) children.append(shape(n->child(i)));
        return s + u'(' + children.join(u',') + u')';
    }
    // The editor of the label being edited (a closed one may linger until it is deleted).
    QLineEdit* labelEditor() const {
        for (QLineEdit* editor : tree()->viewport()->findChildren<QLineEdit*>())
            if (editor->isVisible()) return editor;
        return nullptr;
    }
    void typeLabel(const QString& text) {
        QLineEdit* editor = labelEditor();
        ASSERT_NE(editor, nullptr);
        editor->clear();
        editor->insert(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the editor commits on the event loop's next turn
    }
    QAction* toolButton(const QString& tag) const {
        for (QAction* a : window_->tbTools()->actions())
            if (a->data().toString() == tag) return a;
        return nullptr;
    }
    QAction* entry(const QString& name) const { return window_->menuEntry(name); }

    // Drag and drop as the control sees it: the press and the move start the drag, then the drag
    // events arrive over the viewport with the key under the private format.
    std::unique_ptr<QMimeData> startDrag(QTreeWidgetItem* n) {
        const QPoint from = centre(n);
        QTest::mousePress(tree()->viewport(), Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(0, 30)), tree()->viewport()->mapToGlobal(QPointF(from)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(tree()->viewport(), &move);
        auto data = std::make_unique<QMimeData>();
        const QString key = FrmCodeLib::nodeKey(n);
        data->setData("application/x-bazimainlibTree", QByteArray(reinterpret_cast<const char*>(key.utf16()), key.size() * 2));
        return data;
    }
    // Moves and drops go to the widget that accepted the drag's entry, as during a real drag.
    void enter(const QMimeData* data, QPoint at) {
        QDragEnterEvent entered(at, Qt::MoveAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(tree()->viewport(), &entered);
    }
    bool dragOver(const QMimeData* data, QPoint at) {
        enter(data, at);
        QDragMoveEvent over(at, Qt::MoveAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(tree()->viewport(), &over);
        return over.isAccepted();
    }
    bool drop(const QMimeData* data, QPoint at) {
        enter(data, at);
        QDropEvent event(QPointF(at), Qt::MoveAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(tree()->viewport(), &event);
        return event.isAccepted();
    }
    bool dragOnto(QTreeWidgetItem* dragged, QTreeWidgetItem* target) {
        auto data = startDrag(dragged);
        const QPoint at = centre(target);
        dragOver(data.get(), at);
        return drop(data.get(), at);
    }

    vb::MsgBoxScript boxes_;
    forms::DialogScript dialogs_;
    std::unique_ptr<FrmCodeLib> window_;
};

TEST_F(TreeWindow, FillShowsTheStarterLibraryUnderABoldRoot) {
    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_EQ(shape(root()), "ROOT(命例,紫微斗数入门(十四主星,四化))");
    EXPECT_TRUE(root()->font(0).bold());
    EXPECT_TRUE(root()->isExpanded());
    EXPECT_EQ(tree()->currentItem(), root()) << "the root is selected after a fill";
    EXPECT_EQ(FrmCodeLib::nodeImage(root()), "VIEWBOOKMARKS");
    EXPECT_EQ(FrmCodeLib::nodeImage(node("C1")), "FOLDER");
    EXPECT_EQ(FrmCodeLib::nodeImage(node("C2")), "CHILD");
    // Four different pictures, each with something drawn on it.
    QList<QImage> pictures;
    for (const char* key : {"FOLDER", "OPENFOLDER", "CHILD", "VIEWBOOKMARKS"}) {
        const QImage picture = window_->treeImages().picture(key).toImage();
        ASSERT_EQ(picture.size(), QSize(16, 16)) << key;
        EXPECT_FALSE(pictures.contains(picture)) << key;
        int inked = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) inked += qAlpha(picture.pixel(x, y)) > 0;
        EXPECT_GT(inked, 60) << key;
        pictures.append(picture);
    }
    EXPECT_FALSE(root()->flags() & Qt::ItemIsEditable) << "the root cannot be renamed";
}

TEST_F(TreeWindow, OrphansSelfParentsAndCyclesAreShownUnderTheRootAndNothingIsWritten) {
    const int orphan = addRow(999, "孤项");
    core::gWorkDB.execute("update codeitems set parentid = id where id = ?", {addRow(0, "自指")});
    const int a = addRow(0, "环甲");
    const int b = addRow(a, "环乙");
    core::gWorkDB.execute("update codeitems set parentid = ? where id = ?", {b, a});
    addRow(b, "环下");
    const QString before = tableDump();

    window_->FillTree();
    EXPECT_EQ(tableDump(), before);
    EXPECT_TRUE(tree()->updatesEnabled()) << "redrawing is on again";
    EXPECT_EQ(node(QStringLiteral("C%1").arg(orphan))->parent(), root());
    EXPECT_EQ(node("C" + value("select id from codeitems where description = '自指'"))->parent(), root());
    // One item of the cycle hangs under the root; the rest keep their place under it.
    const int underRoot = (node(QStringLiteral("C%1").arg(a))->parent() == root()) +
                          (node(QStringLiteral("C%1").arg(b))->parent() == root());
    EXPECT_EQ(underRoot, 1);
    EXPECT_EQ(tree()->topLevelItemCount(), 1);
    int shown = 0;
    for (QTreeWidgetItemIterator it(tree()); *it; ++it) ++shown;
    EXPECT_EQ(shown, rows("select * from codeitems") + 1) << "no item is lost";
}

TEST_F(TreeWindow, RowsWithUnreadableOrMissingParentsAreNamedOnceAndTheRestIsFilled) {
    const int huge = addRow(0, "巨数上级");
    core::gWorkDB.execute("update codeitems set parentid = 1099511627776 where id = ?", {huge});
    const int text = addRow(0, "文字上级");
    core::gWorkDB.execute("update codeitems set parentid = 'abc' where id = ?", {text});
    const int orphan = addRow(999, "孤项");
    const int underHuge = addRow(huge, "巨数之下");
    const int before = boxes_.count();

    window_->FillTree();
    ASSERT_EQ(boxes_.count(), before + 1) << "one message for all of them";
    const QString message = boxes_.last().text;
    for (const char* name : {"巨数上级", "文字上级", "孤项"})
        EXPECT_TRUE(message.contains(QString::fromUtf8(name))) << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("巨数之下"))) << "it is under its own parent";
    for (int id : {huge, text, orphan}) EXPECT_EQ(node(QStringLiteral("C%1").arg(id))->parent(), root());
    EXPECT_EQ(node(QStringLiteral("C%1").arg(underHuge))->parent(), node(QStringLiteral("C%1").arg(huge)));
    int shown = 0;
    for (QTreeWidgetItemIterator it(tree()); *it; ++it) ++shown;
    EXPECT_EQ(shown, rows("select * from codeitems") + 1) << "every other item is filled";
}

TEST_F(TreeWindow, EveryFillStartsFromAnEmptyTree) {
    core::gWorkDB.execute("delete from codeitems");
    window_->FillTree();
    window_->FillTree();
    ASSERT_EQ(tree()->topLevelItemCount(), 1);
    EXPECT_EQ(root()->childCount(), 0);
    EXPECT_TRUE(root()->font(0).bold());
}

TEST_F(TreeWindow, RenameStoresTheTitleRefusesEmptyTextAndLimitsTheLength) {
    select(node("C2"));
    entry("mnuRename")->trigger();
    typeLabel("主星十四");
    EXPECT_EQ(node("C2")->text(0), "主星十四");
    EXPECT_EQ(value("select description from codeitems where id = 2"), "主星十四");
    EXPECT_EQ(window_->statusPanel1()->text(), "主星十四");

    tree()->editItem(node("C2"));
    typeLabel("");
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "You must enter some text for a description");
    EXPECT_EQ(boxes_.last().buttons, vb::vbInformation);
    EXPECT_EQ(node("C2")->text(0), "主星十四");
    EXPECT_EQ(value("select description from codeitems where id = 2"), "主星十四");

    tree()->editItem(node("C3"));
    typeLabel(QString(60, u'化'));
    EXPECT_EQ(value("select description from codeitems where id = 3"), QString(50, u'化'));

    select(root());
    entry("mnuRename")->trigger();
    EXPECT_EQ(labelEditor(), nullptr) << "the root's label is not editable";
    tree()->editItem(root());
    EXPECT_EQ(labelEditor(), nullptr);
}

TEST_F(TreeWindow, InsertKeyAddsAnItemUnderTheSelectedNodeAndEditsItsTitle) {
    select(node("C4"));
    QTest::keyClick(tree(), Qt::Key_Insert);
    const QString id = value("select max(id) from codeitems");
    EXPECT_EQ(value("select parentid from codeitems where id = ?", {id.toInt()}), "4");
    QTreeWidgetItem* added = node("C" + id);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->parent(), node("C4"));
    EXPECT_EQ(added->text(0), "新建条目");
    EXPECT_EQ(FrmCodeLib::nodeImage(added), "CHILD");
    // The parent shows as a folder; made visible, it is expanded (and so its picture is OPENFOLDER).
    EXPECT_EQ(FrmCodeLib::nodeExpandedImage(node("C4")), "FOLDER");
    EXPECT_TRUE(node("C4")->isExpanded());
    EXPECT_EQ(FrmCodeLib::nodeImage(node("C4")), "OPENFOLDER");
    EXPECT_EQ(tree()->currentItem(), added);
    typeLabel("大限");
    EXPECT_EQ(value("select description from codeitems where id = ?", {id.toInt()}), "大限");

    select(root());
    entry("mnuAddCode")->trigger();
    QTest::keyClick(labelEditor(), Qt::Key_Escape);
    EXPECT_EQ(value("select parentid from codeitems where id = (select max(id) from codeitems)"), "0");
    EXPECT_EQ(FrmCodeLib::nodeImage(root()), "VIEWBOOKMARKS") << "adding under the root leaves its picture";
}

TEST_F(TreeWindow, DeleteAsksRollsBackOnFailureAndRemovesPagesOnlyAfterTheCommit) {
    core::gWorkDB.execute("insert into bookmarks (codeid, description) values (3, 'mark')");
    // A failure in the middle of the subtree: the last item's bookmark rows cannot be deleted.
    core::gWorkDB.execute("CREATE TRIGGER stop_delete BEFORE DELETE ON bookmarks WHEN old.codeid = 3 "
                          "BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    const QString before = tableDump();
    select(node("C1"));
    boxes_.answer(vb::vbYes);
    QTest::keyClick(tree(), Qt::Key_Delete);
    ASSERT_EQ(boxes_.count(), 2);
    EXPECT_EQ(boxes_.shown()[0].text, "删除这一项目及其下的所有子项吗？");
    EXPECT_EQ(boxes_.shown()[0].title, "Delete");
    EXPECT_EQ(boxes_.shown()[0].buttons, vb::vbYesNo | vb::vbExclamation);
    EXPECT_TRUE(boxes_.last().text.contains("frmCodeLib::DeleteCodeItem")) << boxes_.last().text.toStdString();
    EXPECT_EQ(tableDump(), before) << "every row of the subtree is back";
    EXPECT_EQ(rows("select * from bookmarks where codeid = 3"), 1);
    for (const char* page : {"GREENNOTE1.rtf", "BLUENote2.rtf", "REDNOTE3.rtf"})
        EXPECT_TRUE(QFile::exists(path(page))) << page;
    ASSERT_NE(node("C1"), nullptr);
    EXPECT_EQ(node("C1")->childCount(), 2);

    core::gWorkDB.execute("DROP TRIGGER stop_delete");
    boxes_.clear();
    boxes_.answer(vb::vbNo);
    entry("mnuDeleteCode")->trigger();
    EXPECT_NE(node("C1"), nullptr) << "No keeps the item";

    boxes_.answer(vb::vbYes);
    entry("mnuDeleteCode")->trigger();
    EXPECT_EQ(boxes_.count(), 2);
    EXPECT_EQ(node("C1"), nullptr);
    EXPECT_EQ(rows("select * from codeitems where id in (1, 2, 3)"), 0);
    EXPECT_EQ(rows("select * from bookmarks where codeid in (1, 2, 3)"), 0);
    for (const char* page : {"GREENNOTE1.rtf", "BLUENote2.rtf", "REDNOTE3.rtf"})
        EXPECT_FALSE(QFile::exists(path(page))) << page;
    EXPECT_TRUE(QFile::exists(path("GREENNOTE4.rtf")));
    EXPECT_NE(tree()->currentItem(), nullptr);

    boxes_.clear();
    select(node("C4"));
    boxes_.answer(vb::vbYes);
    entry("mnuDeleteCode")->trigger();
    EXPECT_EQ(boxes_.shown()[0].text, "删除这一项目吗？");
    EXPECT_EQ(root()->childCount(), 0);
    EXPECT_EQ(FrmCodeLib::nodeImage(root()), "VIEWBOOKMARKS");

    boxes_.clear();
    select(root());
    entry("mnuDeleteCode")->trigger();
    EXPECT_EQ(boxes_.count(), 0) << "the root is never deleted";
}

TEST_F(TreeWindow, RightClickSelectsTheNodeUnderThePointerForThePopup) {
    QMenu* popup = window_->findChild<QMenu*>("MnuEdit");
    ASSERT_NE(popup, nullptr);
    select(root());
    QTest::mouseClick(tree()->viewport(), Qt::RightButton, {}, centre(node("C3")));
    EXPECT_EQ(tree()->currentItem(), node("C3"));
    EXPECT_TRUE(popup->isVisible());
    for (const char* name : {"mnuRename", "mnuDeleteCode", "mnuBookMark", "mnuExport", "mnuImport"})
        EXPECT_TRUE(entry(name)->isEnabled()) << name;
    popup->hide();

    QTest::mouseClick(tree()->viewport(), Qt::RightButton, {}, centre(root()));
    for (const char* name : {"mnuRename", "mnuDeleteCode", "mnuBookMark"}) EXPECT_FALSE(entry(name)->isEnabled()) << name;
    for (const char* name : {"mnuExport", "mnuImport", "mnuAddCode"}) {
        EXPECT_TRUE(entry(name)->isEnabled()) << name;
        EXPECT_TRUE(entry(name)->isVisible()) << name;
    }
    popup->hide();
}

TEST_F(TreeWindow, ToolbarStepsThroughSiblingsParentsAndFirstChildren) {
    struct Step {
        const char* from;
        const char* tag;
        const char* to;
    };
    const QList<Step> steps{
        {"C2", "NEXT", "C3"}, {"C3", "NEXT", "C3"},   // no next sibling and no child: nothing
        {"C3", "PREVIOUS", "C2"}, {"C2", "PREVIOUS", "C1"}, {"C1", "NEXT", "C2"},  // last sibling: its first child
        {"C4", "NEXT", "C1"}, {"C4", "PREVIOUS", "ROOT"}, {"ROOT", "NEXT", "C4"}, {"ROOT", "PREVIOUS", "ROOT"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.from) + " " + s.tag);
        tree()->setCurrentItem(node(s.from));
        toolButton(s.tag)->trigger();
        EXPECT_EQ(FrmCodeLib::nodeKey(tree()->currentItem()), s.to);
        EXPECT_EQ(window_->shownKey(), s.to) << "the highlighted item is the shown one";
    }
    // The root, highlighted and shown last, is no item for the status bar to name.
    EXPECT_EQ(window_->statusPanel1()->text(), "");
    tree()->setCurrentItem(node("C2"));
    toolButton("PREVIOUS")->trigger();
    EXPECT_EQ(window_->statusPanel1()->text(), "紫微斗数入门");

    const bool shown = window_->viewBookMarks();
    toolButton("VIEWBOOKMARKS")->trigger();
    EXPECT_EQ(window_->viewBookMarks(), !shown);
    tree()->setCurrentItem(node("C4"));
    toolButton("NEW")->trigger();
    EXPECT_EQ(node("C4")->childCount(), 1);
    EXPECT_EQ(boxes_.count(), 0);
}

TEST_F(TreeWindow, DropOnTheRootMakesATopLevelItem) {
    EXPECT_TRUE(dragOnto(node("C2"), root()));
    EXPECT_EQ(value("select parentid from codeitems where id = 2"), "0");
    EXPECT_EQ(node("C2")->parent(), root());
    EXPECT_EQ(window_->dragNode(), nullptr);
    EXPECT_EQ(window_->dropHighlight(), nullptr);
    EXPECT_FALSE(window_->tmrDragTimer()->isActive());

    EXPECT_TRUE(dragOnto(node("C3"), root()));
    EXPECT_EQ(FrmCodeLib::nodeImage(node("C1")), "CHILD") << "a parent left without children becomes a leaf";
    EXPECT_EQ(FrmCodeLib::nodeExpandedImage(node("C1")), "CHILD");
}

TEST_F(TreeWindow, DropIntoItsOwnSubtreeIsRefusedBeforeAnythingChanges) {
    const QString before = tableDump();
    EXPECT_FALSE(dragOnto(node("C1"), node("C2")));
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "不能把条目移到它自己的下级条目之中：那样会形成循环。");
    EXPECT_EQ(tableDump(), before);
    EXPECT_EQ(shape(root()), "ROOT(命例,紫微斗数入门(十四主星,四化))");

    auto data = startDrag(node("C1"));
    dragOver(data.get(), centre(node("C1")));
    EXPECT_EQ(window_->dropHighlight(), nullptr) << "the dragged node is never the highlight";
    EXPECT_FALSE(drop(data.get(), centre(node("C1"))));
    EXPECT_EQ(tableDump(), before);

    auto foreign = std::make_unique<QMimeData>();
    foreign->setText("C4");
    startDrag(node("C4"));
    EXPECT_FALSE(dragOver(foreign.get(), centre(node("C1"))));
    EXPECT_FALSE(drop(foreign.get(), centre(node("C1"))));
    EXPECT_EQ(tableDump(), before);
}

TEST_F(TreeWindow, HoveringOverACollapsedNodeExpandsItAndTheDropGoesUnderIt) {
    ASSERT_FALSE(node("C1")->isExpanded());
    auto data = startDrag(node("C4"));
    const QPoint overC1 = centre(node("C1"));
    dragOver(data.get(), overC1);
    EXPECT_EQ(window_->dropHighlight(), node("C1"));
    for (int tick = 0; tick < 8; ++tick) window_->tmrDragTimer_Timer();
    dragOver(data.get(), centre(root()));
    EXPECT_EQ(window_->hoverCount(), 0) << "the count starts again over another node";
    dragOver(data.get(), overC1);
    for (int tick = 0; tick < 10; ++tick) window_->tmrDragTimer_Timer();
    EXPECT_FALSE(node("C1")->isExpanded());
    window_->tmrDragTimer_Timer();
    EXPECT_TRUE(node("C1")->isExpanded());

    // Near the edges the drag scrolls; in the middle it does not.
    dragOver(data.get(), QPoint(10, 5));
    EXPECT_EQ(window_->dragScroll(), -1);
    dragOver(data.get(), QPoint(10, tree()->viewport()->height() - 5));
    EXPECT_EQ(window_->dragScroll(), 1);

    node("C1")->setExpanded(false);
    dragOver(data.get(), centre(node("C1")));
    EXPECT_TRUE(drop(data.get(), centre(node("C1"))));
    EXPECT_EQ(value("select parentid from codeitems where id = 4"), "1");
    EXPECT_EQ(node("C4")->parent(), node("C1"));
    EXPECT_EQ(FrmCodeLib::nodeExpandedImage(node("C1")), "OPENFOLDER");
}

TEST_F(TreeWindow, AfterADropTheDroppedItemIsHighlightedShownAndNamed) {
    select(node("C4"));
    ASSERT_EQ(window_->shownKey(), "C4");
    window_->txtCode()->textCursor().insertText(QStringLiteral("typed before the drop"));
    EXPECT_TRUE(dragOnto(node("C2"), root()));
    EXPECT_EQ(tree()->currentItem(), node("C2"));
    EXPECT_EQ(window_->shownKey(), "C2");
    EXPECT_EQ(window_->statusPanel1()->text(), "十四主星");
    EXPECT_TRUE(readFile(path("GREENNOTE4.rtf")).contains("typed before the drop"));
}

class TransferWindow : public TreeWindow {
protected:
    // Exports the subtree of `key` into `file`; imports `file` under `target`.
    void exportFrom(const QString& key, const QString& file) {
        tree()->setCurrentItem(node(key));
        dialogs_.answer(forms::DialogAnswer::save(file));
        entry("mnuExport")->trigger();
        EXPECT_EQ(dialogs_.last().title, "Export Data To File :");
        EXPECT_EQ(dialogs_.last().filter, "radedurudazured Export|*.vcl");
    }
    void importInto(const QString& key, const QString& file) {
        tree()->setCurrentItem(node(key));
        dialogs_.answer(forms::DialogAnswer::open(file));
        entry("mnuImport")->trigger();
        EXPECT_EQ(dialogs_.last().title, "Import Data From File :");
    }
    int32_t countOf(const QString& file) {
        const QByteArray bytes = readFile(file);
        return bytes.size() < 4 ? -1 : qFromLittleEndian<int32_t>(bytes.constData());
    }
};

TEST_F(TransferWindow, AnExportOntoAFullDiskIsSaidAsSuchAndKeepsTheEarlierFile) {
    const QString file = path("all.vcl");
    writeFile(file, "an earlier export");
    vb::SafeFileWriter::setFaultHook([](const QString&, qint64) { return false; });
    exportFrom("ROOT", file);
    vb::SafeFileWriter::setFaultHook({});
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.startsWith("61 Disk full: " + file)) << boxes_.last().text.toStdString();
    EXPECT_EQ(readFile(file), "an earlier export");
}

TEST_F(TransferWindow, StarterLibraryRoundTripsThroughTheRoot) {
    const QString file = path("all.vcl");
    exportFrom("ROOT", file);
    EXPECT_EQ(countOf(file), 4);
    EXPECT_FALSE(window_->prgBar()->isVisible());
    EXPECT_EQ(boxes_.count(), 0);

    importInto("ROOT", file);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "Successfully imported 4 Code snippets.");
    EXPECT_EQ(boxes_.last().buttons, vb::vbInformation);
    EXPECT_EQ(rows("select * from codeitems"), 8);
    EXPECT_EQ(shape(root()), "ROOT(命例,命例,紫微斗数入门(十四主星,四化),紫微斗数入门(十四主星,四化))");
    EXPECT_FALSE(window_->prgBar()->isVisible());

    // A leaf alone, imported under an item.
    const QString leaf = path("leaf.vcl");
    exportFrom("C3", leaf);
    EXPECT_EQ(countOf(leaf), 1);
    importInto("C4", leaf);
    EXPECT_EQ(boxes_.last().text, "Successfully imported 1 Code snippets.");
    EXPECT_EQ(shape(node("C4")), "命例(四化)");
    EXPECT_TRUE(node("C4")->isExpanded());
}

TEST_F(TransferWindow, AfterAnImportTheHighlightStaysOnTheShownItem) {
    const QString leaf = path("leaf.vcl");
    exportFrom("C3", leaf);
    select(node("C4"));
    window_->txtCode()->textCursor().insertText(QStringLiteral("typed before the import"));
    importInto("C4", leaf);
    EXPECT_EQ(boxes_.last().text, "Successfully imported 1 Code snippets.");
    EXPECT_EQ(tree()->currentItem(), node("C4"));
    EXPECT_EQ(window_->shownKey(), "C4");
    EXPECT_EQ(window_->statusPanel1()->text(), "命例");
    EXPECT_TRUE(window_->txtCode()->text().contains(QStringLiteral("typed before the import")));
}

TEST_F(TransferWindow, AnExportFirstWritesThePageOnScreen) {
    select(node("C3"));
    window_->txtCode()->textCursor().insertText(QStringLiteral("typed just before the export"));
    exportFrom("C3", path("shown.vcl"));
    // The file names the item's pages: they hold what the screen showed.
    EXPECT_TRUE(readFile(path("GREENNOTE3.rtf")).contains("typed just before the export"));
}

TEST_F(TransferWindow, GeneratedDeepTreeRoundTripsWithItsShape) {
    // A chain 300 deep with a few side branches, under a top item.
    dao::Workspace ws = dao::DBEngine::defaultWorkspace();
    ws.beginTrans();  // one write to the disk, not three hundred
    const int top = addRow(0, "深");
    int parent = top;
    for (int depth = 1; depth <= 300; ++depth) {
        if (depth % 50 == 0) addRow(parent, QStringLiteral("旁%1").arg(depth));
        parent = addRow(parent, QStringLiteral("层%1").arg(depth));
    }
    ws.commitTrans();
    window_->FillTree();
    const QString original = shape(node(QStringLiteral("C%1").arg(top)));
    const QString file = path("deep.vcl");
    exportFrom(QStringLiteral("C%1").arg(top), file);
    EXPECT_EQ(countOf(file), 307);

    importInto("C4", file);
    EXPECT_EQ(boxes_.last().text, "Successfully imported 307 Code snippets.");
    ASSERT_EQ(node("C4")->childCount(), 1);
    EXPECT_EQ(shape(node("C4")->child(0)), original);
}

TEST_F(TransferWindow, DamagedFilesAreReportedAndAddNothing) {
    const QString good = path("good.vcl");
    exportFrom("ROOT", good);
    const QByteArray bytes = readFile(good);
    QByteArray negative = bytes;
    negative[3] = '\x80';
    QByteArray oversized = bytes;
    oversized[4] = '\xFF';
    oversized[5] = '\xFF';
    QByteArray badText = bytes;
    badText[6] = '\x81';
    badText[7] = '\x7F';
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* names;
    };
    const QList<Case> cases{
        {"truncated", bytes.left(bytes.size() - 5), "Record 4"},
        {"negative count", negative, "negative"},
        {"oversized length", oversized, "Record 1"},
        {"not code page 936", badText, "Record 1"},
        {"empty", QByteArray(), "count"},
    };
    const QString before = tableDump();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = path("bad.vcl");
        writeFile(file, c.bytes);
        boxes_.clear();
        importInto("C1", file);
        ASSERT_EQ(boxes_.count(), 1);
        EXPECT_TRUE(boxes_.last().text.contains(c.names)) << boxes_.last().text.toStdString();
        EXPECT_TRUE(boxes_.last().text.endsWith("\nfrmCodeLib::ImportCodeItems")) << boxes_.last().text.toStdString();
        EXPECT_EQ(tableDump(), before);
        EXPECT_FALSE(window_->prgBar()->isVisible());
    }

    boxes_.clear();
    tree()->setCurrentItem(root());
    dialogs_.answer(forms::DialogAnswer::cancel());
    entry("mnuImport")->trigger();
    EXPECT_EQ(boxes_.count(), 0) << "a cancelled dialog does nothing";
    EXPECT_EQ(tableDump(), before);
}

}  // namespace
