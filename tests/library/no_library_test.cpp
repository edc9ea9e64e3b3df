// The library window when no library is open (the start-up choice was cancelled): what a user can
// still press, and that what needs a library is off rather than silently doing nothing or naming
// an error.
#include "core/globals.h"
#include "tests/library/library_fixture.h"

#include <QAction>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

namespace {

class NoLibraryTest : public LibraryWindowTest {
protected:
    library::FrmCodeLib& startShown() {
        library::FrmCodeLib& w = startWithoutLibrary();
        w.Show();
        boxes_.clear();
        return w;
    }

    static QWidget* button(library::FrmCodeLib& w, const char* tag) {
        QAction* action = w.tbTools()->findChild<QAction*>(QString::fromLatin1(tag));
        return action ? w.tbTools()->widgetForAction(action) : nullptr;
    }
};

TEST_F(NoLibraryTest, TheItemButtonsAreOffAndAClickDoesNothing) {
    library::FrmCodeLib& w = startShown();
    ASSERT_FALSE(core::gWorkDB.isOpen());
    for (const char* tag : {"NEW", "DELETE", "BOOKMARK", "PREVIOUS", "NEXT"}) {
        QWidget* b = button(w, tag);
        ASSERT_NE(b, nullptr) << tag;
        EXPECT_FALSE(b->isEnabled()) << tag;
        QTest::mouseClick(b, Qt::LeftButton);
        EXPECT_EQ(boxes_.count(), 0) << tag << ": " << (boxes_.count() ? boxes_.last().text.toStdString() : "");
    }
    EXPECT_EQ(w.tvCodeItems()->topLevelItemCount(), 0);
    // What needs no library stays at hand: choosing one, the bookmark pane, the options.
    for (const char* tag : {"OPENDB", "VIEWBOOKMARKS", "SETTINGS"}) EXPECT_TRUE(button(w, tag)->isEnabled()) << tag;

    // Once a library is open the item buttons work again.
    ASSERT_TRUE(w.OpenLibraryFolder(dataPath(QStringLiteral("sysfiles/"))));
    for (const char* tag : {"NEW", "DELETE", "BOOKMARK", "PREVIOUS", "NEXT"}) EXPECT_TRUE(button(w, tag)->isEnabled()) << tag;
}

}  // namespace
