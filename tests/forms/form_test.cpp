// The window framework: a form's load and unload, default instances, the registry of open forms,
// control arrays, image buttons and the one error report.
#include "platform/forms/control_array.h"
#include "platform/forms/error_report.h"
#include "platform/forms/form.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/image_button.h"
#include "platform/vb/msgbox.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A form that records its events and can refuse to close.
class Sample : public forms::Form {
public:
    Sample() : forms::Form(QStringLiteral("frmSample")) {}
    QStringList events;
    int refuse = 0;  // cancel value QueryUnload returns
    bool failLoad = false;

protected:
    void Form_Load() override {
        events << QStringLiteral("Load");
        if (failLoad) vb::raise(53, QStringLiteral("frmSample"));
    }
    void Form_QueryUnload(int& cancel, int mode) override {
        events << QStringLiteral("QueryUnload %1").arg(mode);
        cancel = refuse;
    }
    void Form_Unload(int&) override { events << QStringLiteral("Unload"); }
};

class Other : public forms::Form {
public:
    Other() : forms::Form(QStringLiteral("frmOther")) {}
};

class FormTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (forms::Form* f : forms::openForms()) {
            if (auto* s = dynamic_cast<Sample*>(f)) s->refuse = 0;
        }
        forms::unloadAll(forms::vbFormCode);
        forms::deleteUnloadedForms();
    }
    vb::MsgBoxScript boxes_;
};

TEST_F(FormTest, TheDefaultInstanceIsLoadedOnceAndReleasedOnUnload) {
    Sample& first = forms::defaultInstance<Sample>();
    EXPECT_EQ(&forms::defaultInstance<Sample>(), &first);
    EXPECT_EQ(first.events, QStringList{"Load"});
    EXPECT_EQ(first.objectName(), "frmSample");

    QPointer<Sample> gone = &first;
    EXPECT_TRUE(first.Unload());
    EXPECT_EQ(forms::loadedInstance<Sample>(), nullptr);
    forms::deleteUnloadedForms();
    EXPECT_TRUE(gone.isNull());
    Sample& second = forms::defaultInstance<Sample>();
    EXPECT_EQ(second.events, QStringList{"Load"});  // a fresh form, loaded again
}

TEST_F(FormTest, QueryUnloadCancelKeepsTheFormAndClosingByTheFrameAsksItToo) {
    Sample& f = forms::defaultInstance<Sample>();
    f.Show();
    f.refuse = 1;
    EXPECT_FALSE(f.Unload());
    EXPECT_FALSE(f.close());
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(forms::loadedInstance<Sample>(), &f);
    EXPECT_EQ(f.events, (QStringList{"Load", "QueryUnload 1", "QueryUnload 0"}));

    f.refuse = 0;
    EXPECT_TRUE(f.close());
    EXPECT_EQ(f.events.mid(3), (QStringList{"QueryUnload 0", "Unload"}));
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(forms::loadedInstance<Sample>(), nullptr);
}

TEST_F(FormTest, UnloadAllUnloadsEveryOtherFormNewInstancesIncluded) {
    Sample& main = forms::defaultInstance<Sample>();
    Other& other = forms::defaultInstance<Other>();
    Other* dialog = forms::newInstance<Other>();
    EXPECT_NE(dialog, &other);
    EXPECT_EQ(forms::openForms().size(), 3);

    EXPECT_TRUE(forms::unloadAll(forms::vbFormOwner, &main));
    EXPECT_EQ(forms::openForms(), QList<forms::Form*>{&main});
    EXPECT_EQ(forms::loadedInstance<Other>(), nullptr);
}

TEST_F(FormTest, AnErrorInFormLoadIsReportedAndTheFormStillLoads) {
    auto* f = new Sample;
    f->failLoad = true;
    f->Load();
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.startsWith(QStringLiteral("53 File not found frmSample frmSample::Form_Load")))
        << boxes_.last().text.toStdString();
    EXPECT_TRUE(f->isLoaded());
    f->Unload();
}

TEST_F(FormTest, AModalShowReturnsWhenTheFormIsHiddenOrUnloaded) {
    for (bool unload : {false, true}) {
        Sample* f = forms::newInstance<Sample>();
        QTimer::singleShot(0, f, [f, unload] { unload ? (void)f->Unload() : f->hide(); });
        f->Show(true);
        EXPECT_FALSE(f->isVisible());
        if (!unload) f->Unload();
    }
}

TEST_F(FormTest, TwipsGeometryRoundTrips) {
    Sample& f = forms::defaultInstance<Sample>();
    f.setClientSize(6000, 3000);
    EXPECT_EQ(f.ScaleWidth(), 6000);
    EXPECT_EQ(f.ScaleHeight(), 3000);
    f.Move(1500, 1200, 7500, 4500);
    EXPECT_EQ(f.Left(), 1500);
    EXPECT_EQ(f.Top(), 1200);
    EXPECT_EQ(f.Width(), 7500);
    EXPECT_EQ(f.Height(), 4500);
}

TEST_F(FormTest, TheClientSizeLeavesRoomForTheMenuBar) {
    Sample& f = forms::defaultInstance<Sample>();
    f.menuBar()->addMenu(QStringLiteral("文件"))->addAction(QStringLiteral("退出"));
    f.setClientSize(6000, 3000);
    EXPECT_EQ(f.ScaleHeight(), 3000) << "before the first show";
    f.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    EXPECT_EQ(f.ScaleWidth(), 6000);
    EXPECT_EQ(f.ScaleHeight(), 3000) << "once the menu bar is shown";
}

TEST(ControlArray, ElementsByTheirOwnIndexesAndAMissingOneIsError340) {
    QWidget parent;
    forms::ControlArray<QLabel> lblSEG(QStringLiteral("lblSEG"));
    for (int i = 1; i <= 12; ++i) lblSEG.add(i, new QLabel(&parent));
    EXPECT_EQ(lblSEG.lBound(), 1);
    EXPECT_EQ(lblSEG.uBound(), 12);
    EXPECT_EQ(lblSEG[5].objectName(), "lblSEG");
    EXPECT_EQ(lblSEG[5].property("Index").toInt(), 5);
    try {
        lblSEG[0];
        ADD_FAILURE();
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 340);
    }
    delete lblSEG.at(3);
    EXPECT_FALSE(lblSEG.contains(3));
    EXPECT_EQ(lblSEG.at(3), nullptr);
}

TEST(ImageButton, SwapsPressedAndReleasedPicturesAndAMissingKeyShowsNothing) {
    forms::ImageList images;
    QPixmap down(8, 8), up(8, 8);
    down.fill(Qt::black);
    up.fill(Qt::white);
    images.add(QStringLiteral("bold_d"), down);
    images.add(QStringLiteral("bold_u"), up);
    forms::ImageButton bold(&images, QStringLiteral("bold"));
    forms::ImageButton missing(&images, QStringLiteral("nothing"));
    EXPECT_EQ(bold.shownKey(), "bold_u");
    EXPECT_EQ(bold.pixmap().toImage(), up.toImage());
    bold.setPressed(true);
    EXPECT_TRUE(bold.isPressed());
    EXPECT_EQ(bold.pixmap().toImage(), down.toImage());
    missing.setPressed(true);
    EXPECT_TRUE(missing.pixmap().isNull());

    int clicks = 0;
    QObject::connect(&bold, &forms::ImageButton::Click, [&] { ++clicks; });
    bold.resize(20, 20);
    QTest::mouseClick(&bold, Qt::LeftButton);
    QTest::mouseClick(&bold, Qt::RightButton);
    EXPECT_EQ(clicks, 1);
}

TEST(ErrorReport, NumberDescriptionSourceAndTheTag) {
    const vb::Error e(3024, QStringLiteral("DAO.Workspace"), QStringLiteral("Could not find file 'x.mdb'."));
    EXPECT_EQ(forms::errorReportText(e, QStringLiteral(" frmCodeLib::Form_Load")),
              QStringLiteral("3024 Could not find file 'x.mdb'. DAO.Workspace frmCodeLib::Form_Load"));
    vb::MsgBoxScript boxes;
    EXPECT_FALSE(forms::reportErrors(QStringLiteral("frmCodeLib::tbTools_ButtonClick"), [] { throw std::runtime_error("boom"); }));
    EXPECT_EQ(boxes.last().text, QStringLiteral("51 boom frmCodeLib::tbTools_ButtonClick"));
    EXPECT_TRUE(forms::reportErrors(QStringLiteral("x"), [] {}));
    EXPECT_EQ(boxes.count(), 1);
}

}  // namespace
