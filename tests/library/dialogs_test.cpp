// The options dialog, the about window and the home-page command.
#include "core/settings.h"
#include "library/frm_about.h"
#include "library/frm_options.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/label.h"
#include "platform/vb/app_version.h"
#include "tests/library/library_fixture.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

// Receives the links the desktop would open.
class LinkCatcher : public QObject {
    Q_OBJECT
public:
    LinkCatcher() {
        for (const char* scheme : {"https", "mailto"}) QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~LinkCatcher() override {
        for (const char* scheme : {"https", "mailto"}) QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toString(); }
};

class OptionsTest : public LibraryWindowTest {
protected:
    library::FrmOptions* dialog(core::CSettings& s) {
        auto* d = forms::newInstance<library::FrmOptions>();
        d->Initialise(s);
        return d;
    }
};

TEST_F(OptionsTest, ShowsTheDefaults) {
    core::CSettings s;
    library::FrmOptions* d = dialog(s);
    EXPECT_EQ(d->lstOptions()->item(0)->text(), "程序起动立即进行数据备份");
    EXPECT_EQ(d->lstOptions()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(d->lstOptions()->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(d->lstOptions()->item(2)->checkState(), Qt::Checked);
    EXPECT_EQ(d->txtUpDownpage()->text(), "2");
    EXPECT_EQ(d->txtUpDownLoop()->text(), "1");
    EXPECT_EQ(d->txtUpDownPageLoop()->text(), "1");
    EXPECT_EQ(d->sldUpDown()->value(), 1);
    d->Unload();
}

TEST_F(OptionsTest, OkWritesEveryOptionAndTheBoxesTextWins) {
    core::CSettings s;
    library::FrmOptions* d = dialog(s);
    d->lstOptions()->item(0)->setCheckState(Qt::Checked);
    d->lstOptions()->item(2)->setCheckState(Qt::Unchecked);
    d->UpDownPN()->triggerAction(QAbstractSlider::SliderSingleStepSub);  // up: 2 -> 3
    EXPECT_EQ(d->txtUpDownpage()->text(), "3");
    d->txtUpDownLoop()->setText(QStringLiteral("7"));
    d->sldUpDown()->setValue(9);
    QTest::mouseClick(d->cmdok(), Qt::LeftButton);
    EXPECT_TRUE(s.BackupDatabaseAtStart());
    EXPECT_TRUE(s.CompactDatabaseOnExit());
    EXPECT_FALSE(s.SaveFormLayout());
    EXPECT_EQ(s.ReadPage(), 3);
    EXPECT_EQ(s.Readloop(), 7);
    EXPECT_EQ(s.Readvelocity(), 9);
    EXPECT_FALSE(d->isVisible());
    d->Unload();
}

TEST_F(OptionsTest, CancelChangesNothing) {
    core::CSettings s;
    library::FrmOptions* d = dialog(s);
    d->lstOptions()->item(1)->setCheckState(Qt::Unchecked);
    d->txtUpDownpage()->setText(QStringLiteral("9"));
    QTest::mouseClick(d->cmdcancel(), Qt::LeftButton);
    EXPECT_TRUE(s.CompactDatabaseOnExit());
    EXPECT_EQ(s.ReadPage(), 2);
    d->Unload();
}

struct BadBoxCase {
    const char* page;
    const char* loop;
    const char* pageLoop;
    const char* named;
};

class OptionsBadBoxTest : public OptionsTest, public ::testing::WithParamInterface<BadBoxCase> {};

TEST_P(OptionsBadBoxTest, AWrongBoxIsNamedAndNothingIsWritten) {
    core::CSettings s;
    library::FrmOptions* d = dialog(s);
    d->lstOptions()->item(0)->setCheckState(Qt::Checked);
    d->txtUpDownpage()->setText(QString::fromUtf8(GetParam().page));
    d->txtUpDownLoop()->setText(QString::fromUtf8(GetParam().loop));
    d->txtUpDownPageLoop()->setText(QString::fromUtf8(GetParam().pageLoop));
    QTest::mouseClick(d->cmdok(), Qt::LeftButton);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.startsWith(QString::fromUtf8(GetParam().named))) << boxes_.last().text.toStdString();
    EXPECT_FALSE(s.BackupDatabaseAtStart());
    EXPECT_EQ(s.ReadPage(), 2);
    EXPECT_EQ(s.Readloop(), 1);
    d->Unload();
}

INSTANTIATE_TEST_SUITE_P(Boxes, OptionsBadBoxTest,
                         ::testing::Values(BadBoxCase{"abc", "1", "1", "阅读总的屏数"},
                                           BadBoxCase{"2", "", "1", "总的循环次数"},
                                           BadBoxCase{"2", "1", "40000", "每屏重复次数"},
                                           BadBoxCase{"0", "1", "1", "阅读总的屏数"},
                                           BadBoxCase{"2", "1.5", "1", "总的循环次数"}));

TEST_F(OptionsTest, TheWindowOpensTheDialogModallyOnItsOwnOptions) {
    library::FrmCodeLib& w = start();
    QTimer::singleShot(0, [] {
        for (forms::Form* f : forms::openForms())
            if (auto* d = dynamic_cast<library::FrmOptions*>(f)) {
                d->txtUpDownLoop()->setText(QStringLiteral("5"));
                QTest::mouseClick(d->cmdok(), Qt::LeftButton);
            }
    });
    w.ShowSettings();
    EXPECT_EQ(w.settings().Readloop(), 5);
    forms::deleteUnloadedForms();
    for (forms::Form* f : forms::openForms()) EXPECT_EQ(dynamic_cast<library::FrmOptions*>(f), nullptr);
}

TEST_F(LibraryWindowTest, AboutShowsTheVersionAndALinkOpensAndCloses) {
    LinkCatcher links;
    auto* about = forms::newInstance<library::FrmAbout>();
    EXPECT_EQ(about->Caption(), "关于《Veyra》");
    EXPECT_EQ(about->lblVersion()->text(), vb::appVersionText());
    EXPECT_TRUE(about->lblDisclaimer()->text().startsWith("②本软件仅供学术研究参考"));
    EXPECT_TRUE(about->lblDisclaimer()->text().endsWith("请用户谨慎、合法使用。"));
    about->Show();
    QTest::mouseClick(about->lblMailTo(), Qt::LeftButton);
    EXPECT_EQ(links.opened, QStringList{"mailto:veyra@example.org"});
    EXPECT_TRUE(about->isUnloaded());
}

TEST_F(LibraryWindowTest, AboutStaysOpenWhenALinkCannotBeOpened) {
    auto* about = forms::newInstance<library::FrmAbout>();
    about->Show();
    // An address the desktop cannot open: no program takes an invalid one.
    about->lblLink1()->setCaption(QStringLiteral("https://[veyra"));
    QTest::mouseClick(about->lblLink1(), Qt::LeftButton);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().title, "frmAbout::ExecuteLink");
    EXPECT_TRUE(boxes_.last().text.startsWith("Error Opening Link to https://[veyra\r\n\r\n"));
    EXPECT_FALSE(about->isUnloaded());
    EXPECT_TRUE(about->isVisible());
    about->Unload();
}

TEST_F(LibraryWindowTest, TheHomePageCommandOpensOurAddress) {
    LinkCatcher links;
    library::FrmCodeLib& w = start();
    w.MNUZHUYE_Click();
    EXPECT_EQ(links.opened, QStringList{"https://www.example.org/veyra/"});
}

TEST(AppVersion, IsMajorMinorRevision) {
    EXPECT_EQ(vb::appVersionText(), QStringLiteral("%1.%2.%3").arg(vb::kAppMajor).arg(vb::kAppMinor).arg(vb::kAppRevision));
}

}  // namespace

#include "dialogs_test.moc"
