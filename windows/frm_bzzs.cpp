#include "windows/frm_bzzs.h"

#include "core/richtext_commands.h"
#include "core/rule_database.h"
#include "platform/dao/dao.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/error_report.h"
#include "platform/forms/font_faces.h"
#include "platform/forms/richtextbox.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/msgbox.h"
#include "windows/knowledge_topics.h"

#include <QHash>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>

#include <functional>

namespace windows {

namespace {

const QString kFormName = QStringLiteral("frmBZzs");
const QString kCaption = QStringLiteral("八字知识");
const QString kFace = QStringLiteral("宋体");

constexpr int kClientWidth = 10020;
constexpr int kClientHeight = 6945;
constexpr int kSliderHeight = 510;

constexpr int kSliderMin = 10;
constexpr int kSliderMax = 30;
constexpr int kSmallChange = 1;
constexpr int kLargeChange = 5;

const char16_t kUnreadable[] = u"无法从规则数据库读取八字知识（编号 %1）：\n%2";
const char16_t kNoRow[] = u"规则数据库中没有这篇八字知识（编号 %1）。";
const char16_t kNoContent[] = u"这篇八字知识（编号 %1）没有内容。";

QString tag(const QString& procedure) { return QStringLiteral(" ") + kFormName + QStringLiteral("::") + procedure; }

void guard(const QString& procedure, const std::function<void()>& body) { forms::reportErrors(tag(procedure), body); }

void complain(const QString& text) { vb::MsgBox(text, vb::vbOKOnly | vb::vbExclamation, kCaption); }

}  // namespace

FrmBZzs::FrmBZzs() : forms::Form(kFormName) {
    setCaption(kCaption);
    setFont(forms::designFont(kFace, 9.75));
    QWidget* area = client();

    TxtZs_ = new forms::RichTextBox(QStringLiteral("TxtZs"), area);
    TxtZs_->setFont(forms::designFont(kFace, 12));
    forms::setTwipsGeometry(TxtZs_, 0, 0, kClientWidth, kClientHeight - kSliderHeight);

    Slider1_ = new QSlider(Qt::Horizontal, area);
    Slider1_->setObjectName(QStringLiteral("Slider1"));
    Slider1_->setRange(kSliderMin, kSliderMax);
    Slider1_->setValue(kSliderMin);
    Slider1_->setSingleStep(kSmallChange);
    Slider1_->setPageStep(kLargeChange);
    Slider1_->setTickInterval(1);
    Slider1_->setTickPosition(QSlider::TicksBelow);
    forms::setTwipsGeometry(Slider1_, 0, kClientHeight - kSliderHeight, kClientWidth, kSliderHeight);
    connect(Slider1_, &QSlider::valueChanged, this, [this] { guard(QStringLiteral("Slider1_Scroll"), [this] { ApplyFontSize(); }); });

    dlgCommonDialog1_ = new forms::CommonDialog(QStringLiteral("dlgCommonDialog1"), this);

    buildMenus();

    // The client area takes its place below the menu bar first, so the design size is the client's own.
    if (layout()) layout()->activate();
    setClientSize(kClientWidth, kClientHeight);
}

FrmBZzs::~FrmBZzs() = default;

void FrmBZzs::buildMenus() {
    QMenu* Mnubzizhishi = menuBar()->addMenu(kCaption);
    Mnubzizhishi->setObjectName(QStringLiteral("Mnubzizhishi"));
    Mnubzizhishi->menuAction()->setObjectName(QStringLiteral("Mnubzizhishi"));

    QHash<QString, QMenu*> submenus;
    for (const KnowledgeTopic& topic : kKnowledgeTopics) {
        const QString name = QString::fromUtf16(topic.name);
        const QString caption = QString::fromUtf16(topic.caption);
        QMenu* under = topic.parent ? submenus.value(QString::fromUtf16(topic.parent)) : Mnubzizhishi;
        QAction* action = nullptr;
        switch (topic.kind) {
        case TopicKind::Submenu: {
            QMenu* menu = under->addMenu(caption);
            menu->setObjectName(name);
            submenus.insert(name, menu);
            action = menu->menuAction();
            break;
        }
        case TopicKind::Separator:
            action = under->addSeparator();
            break;
        case TopicKind::Article: {
            action = under->addAction(caption);
            const int id = topic.id;
            connect(action, &QAction::triggered, this,
                    [this, name, id] { guard(name + QStringLiteral("_Click"), [this, id] { ShowBaziArticle(id); }); });
            break;
        }
        }
        action->setObjectName(name);
    }

    QAction* print = menuBar()->addAction(QStringLiteral("打印"));
    print->setObjectName(QStringLiteral("Mnuprint"));
    connect(print, &QAction::triggered, this, [this] { guard(QStringLiteral("Mnuprint_Click"), [this] { Mnuprint_Click(); }); });
}

QAction* FrmBZzs::menuEntry(const QString& name) const { return menuBar()->findChild<QAction*>(name); }

void FrmBZzs::ShowBaziArticle(int id) {
    QString content;
    try {
        dao::Workspace ws = dao::DBEngine::defaultWorkspace();
        dao::Database db = ws.openDatabase(core::ruleDatabasePath(), false, false, QString::fromUtf16(core::kRuleConnect));
        dao::Recordset rs = db.openRecordset(QStringLiteral("SELECT content FROM bazizhishi WHERE id=") + QString::number(id),
                                             dao::dbOpenSnapshot);
        if (rs.eof()) return complain(QString::fromUtf16(kNoRow).arg(id));
        const vb::Variant value = rs[QStringLiteral("content")];
        if (value.isNull() || value.text().isEmpty()) return complain(QString::fromUtf16(kNoContent).arg(id));
        content = value.text();
    } catch (const vb::Error& e) {
        return complain(QString::fromUtf16(kUnreadable).arg(id).arg(forms::errorReportText(e, tag(QStringLiteral("ShowBaziArticle")))));
    }
    TxtZs_->setText(content);
    if (chosenPoints_) setWholeTextFont(*chosenPoints_);
}

void FrmBZzs::setWholeTextFont(double points) {
    TxtZs_->setSelStart(0);
    TxtZs_->setSelLength(static_cast<int>(TxtZs_->text().size()));
    TxtZs_->setSelFontName(forms::installedFamily(kFace));
    TxtZs_->setSelFontSize(points);
    TxtZs_->setSelLength(0);
}

void FrmBZzs::ApplyFontSize() {
    TxtZs_->setFocus();
    const double points = Slider1_->value() + 1;
    setWholeTextFont(points);
    chosenPoints_ = points;
}

void FrmBZzs::Mnuprint_Click() { core::PrintRichText(this, TxtZs_); }

}  // namespace windows
