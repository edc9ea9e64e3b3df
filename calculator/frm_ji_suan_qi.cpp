#include "calculator/frm_ji_suan_qi.h"

#include "calculator/display_box.h"
#include "calculator/leading_number.h"
#include "platform/forms/error_report.h"
#include "platform/forms/font_faces.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/twips.h"
#include "platform/vb/variant.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLayout>

#include <algorithm>
#include <cmath>

namespace calculator {

namespace {

enum class ButtonFont { Digit, Operator, EqualsKey, BackSpaceKey, ClearKey };

QFont buttonFont(ButtonFont kind) {
    switch (kind) {
    case ButtonFont::Digit:
        return forms::designFont(QStringLiteral("黑体"), 21.75, true);
    case ButtonFont::Operator:
        return forms::designFont(QStringLiteral("Courier New"), 24, true);
    case ButtonFont::EqualsKey:
        return forms::designFont(QStringLiteral("宋体"), 18);
    case ButtonFont::BackSpaceKey:
        return forms::designFont(QStringLiteral("宋体"), 9, true);
    case ButtonFont::ClearKey:
        return forms::designFont(QStringLiteral("楷体_GB2312"), 26.25);
    }
    return QFont();
}

struct ButtonPlace {
    const char16_t* name;
    const char16_t* caption;
    int left, top, width, height;
    ButtonFont font;
    void (FrmJiSuanQi::*click)();
};

// The digit keys, cmdNumber(0) … cmdNumber(9): three columns of rows 1 2 3, 4 5 6, 7 8 9 and the 0
// between +/- and the point.
struct DigitPlace {
    int left, top, width;
};
constexpr std::array<DigitPlace, 10> kDigits{
    DigitPlace{2040, 3960, 1335},
    DigitPlace{240, 1800, 1335}, DigitPlace{2040, 1800, 1335}, DigitPlace{3840, 1800, 1455},
    DigitPlace{240, 2520, 1335}, DigitPlace{2040, 2520, 1335}, DigitPlace{3840, 2520, 1455},
    DigitPlace{240, 3240, 1335}, DigitPlace{2040, 3240, 1335}, DigitPlace{3840, 3240, 1455},
};

const std::array kButtons{
    ButtonPlace{u"cmdPlusMinus", u"+/-", 240, 3960, 1335, 495, ButtonFont::Digit, &FrmJiSuanQi::cmdPlusMinus_Click},
    ButtonPlace{u"cmdDecimal", u".", 3840, 3960, 1455, 495, ButtonFont::Digit, &FrmJiSuanQi::cmdDecimal_Click},
    ButtonPlace{u"leftk", u"(", 240, 4680, 1335, 495, ButtonFont::Digit, &FrmJiSuanQi::leftk_Click},
    ButtonPlace{u"rightk", u")", 2040, 4680, 1335, 495, ButtonFont::Digit, &FrmJiSuanQi::rightk_Click},
    ButtonPlace{u"plus", u"+", 5760, 1800, 1500, 495, ButtonFont::Operator, &FrmJiSuanQi::plus_Click},
    ButtonPlace{u"jian", u"-", 5760, 2520, 1500, 495, ButtonFont::Operator, &FrmJiSuanQi::jian_Click},
    ButtonPlace{u"cheng", u"*", 5760, 3240, 1500, 495, ButtonFont::Operator, &FrmJiSuanQi::cheng_Click},
    ButtonPlace{u"chu", u"/", 5760, 3960, 1500, 495, ButtonFont::Operator, &FrmJiSuanQi::chu_Click},
    ButtonPlace{u"Command1", u"等   于", 3840, 4680, 3420, 495, ButtonFont::EqualsKey, &FrmJiSuanQi::Command1_Click},
    ButtonPlace{u"Command2", u"Back Space", 7380, 1800, 1275, 495, ButtonFont::BackSpaceKey, &FrmJiSuanQi::Command2_Click},
    ButtonPlace{u"cmdClearEntry", u"清除", 7380, 2520, 1275, 2655, ButtonFont::ClearKey, &FrmJiSuanQi::cmdClearEntry_Click},
};

constexpr int kDisplayLeft = 240;
constexpr int kDisplayTop = 240;
constexpr int kDisplayWidth = 8415;
constexpr int kDisplayHeight = 285;
constexpr int kStatusGap = 15;
constexpr int kStatusHeight = 270;

}  // namespace

FrmJiSuanQi::FrmJiSuanQi() : forms::Form(QStringLiteral("frmJiSuanQi")) {
    setDialogKeys();
    setCaption(QStringLiteral("表达式计算器    "));
    QWidget* area = client();

    for (int i = 0; i < 10; ++i) {
        auto* b = cmdNumber_.add(i, new QPushButton(QString::number(i), area));
        b->setFont(buttonFont(ButtonFont::Digit));
        forms::setTwipsGeometry(b, kDigits[i].left, kDigits[i].top, kDigits[i].width, 495);
        connect(b, &QPushButton::clicked, this, [this, i] { Guard("cmdNumber_Click", [this, i] { cmdNumber_Click(i); }); });
    }
    for (const ButtonPlace& p : kButtons) {
        auto* b = new QPushButton(QString::fromUtf16(p.caption), area);
        b->setObjectName(QString::fromUtf16(p.name));
        b->setFont(buttonFont(p.font));
        forms::setTwipsGeometry(b, p.left, p.top, p.width, p.height);
        const auto click = p.click;
        const QByteArray handler = (QString::fromUtf16(p.name) + QStringLiteral("_Click")).toLatin1();
        connect(b, &QPushButton::clicked, this, [this, click, handler] { Guard(handler.constData(), [this, click] { (this->*click)(); }); });
    }
    // Enter evaluates, as the equals key does.
    findChild<QPushButton*>(QStringLiteral("Command1"))->setDefault(true);

    txtDisplay_ = new DisplayBox(QStringLiteral("txtDisplay"), area);
    txtDisplay_->setMaxLength(12000);
    txtDisplay_->setFont(forms::designFont(QStringLiteral("Courier New"), 15, true));
    QPalette colours = txtDisplay_->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    txtDisplay_->setPalette(colours);
    forms::setTwipsGeometry(txtDisplay_, kDisplayLeft, kDisplayTop, kDisplayWidth, kDisplayHeight);
    // A grown display lies over the keys below it.
    txtDisplay_->raise();
    connect(txtDisplay_, &DisplayBox::Change, this, [this] { Guard("txtDisplay_Change", [this] { txtDisplay_Change(); }); });
    connect(txtDisplay_, &DisplayBox::GotFocus, this, [this] { Guard("txtDisplay_GotFocus", [this] { txtDisplay_GotFocus(); }); });

    lblErrorText_ = new QLabel(area);
    lblErrorText_->setObjectName(QStringLiteral("lblErrorText"));
    lblErrorText_->setFont(forms::designFont(QStringLiteral("宋体"), 10.5));
    QPalette red = lblErrorText_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    lblErrorText_->setPalette(red);
    forms::setTwipsGeometry(lblErrorText_, kDisplayLeft, kDisplayTop + kDisplayHeight + kStatusGap, kDisplayWidth, kStatusHeight);

    // The client area takes its place in the frame first, so the design size is the client's own.
    if (layout()) layout()->activate();
    setClientSize(8895, 5490);
}

FrmJiSuanQi::~FrmJiSuanQi() = default;

QPushButton* FrmJiSuanQi::button(const QString& name) const {
    return client()->findChild<QPushButton*>(name, Qt::FindDirectChildrenOnly);
}

void FrmJiSuanQi::Guard(const char* handler, const std::function<void()>& body) {
    forms::reportErrors(QStringLiteral(" frmJiSuanQi::") + QLatin1String(handler), body);
}

void FrmJiSuanQi::Form_Load() {
    setFont(txtDisplay_->font());
    // The line step is the width of "TT", as the display's font was chosen for it; a stand-in font whose
    // lines are taller than that takes its own line height, so no line is cut.
    const QFontMetricsF metrics(txtDisplay_->font());
    const qreal frame = 2.0 * txtDisplay_->frameWidth() + 2.0 * txtDisplay_->document()->documentMargin();
    LineHeight_ = static_cast<float>(vb::pixelsToTwips(std::max(metrics.horizontalAdvance(QStringLiteral("TT")),
                                                                std::ceil(metrics.lineSpacing() + frame))));
    for (int i = 0; i < kMemoryCells; ++i) Memory_[static_cast<size_t>(i)] = 40 - i;
}

void FrmJiSuanQi::Append(QChar c) { txtDisplay_->setText(txtDisplay_->Text() + c); }

void FrmJiSuanQi::cmdNumber_Click(int index) { Append(QChar(u'0' + index)); }
void FrmJiSuanQi::cmdDecimal_Click() { Append(u'.'); }
void FrmJiSuanQi::plus_Click() { Append(u'+'); }
void FrmJiSuanQi::jian_Click() { Append(u'-'); }
void FrmJiSuanQi::cheng_Click() { Append(u'*'); }
void FrmJiSuanQi::chu_Click() { Append(u'/'); }
void FrmJiSuanQi::leftk_Click() { Append(u'('); }
void FrmJiSuanQi::rightk_Click() { Append(u')'); }

void FrmJiSuanQi::Command1_Click() {
    struct Release {
        std::unique_ptr<CompStr>& held;
        ~Release() { held.reset(); }
    } release{Syscomp1_};
    Syscomp1_ = std::make_unique<CompStr>();
    connect(Syscomp1_.get(), &CompStr::GetGrid, this, &FrmJiSuanQi::SysComp1_GetGrid, Qt::DirectConnection);
    Syscomp1_->ErrorText.clear();
    const QString old = txtDisplay_->Text();
    QString expression = old;
    const QString result = Syscomp1_->GetExp(expression);
    lblErrorText_->setText(Syscomp1_->ErrorText);
    txtDisplay_->setText(old + QLatin1Char('=') + result);
}

void FrmJiSuanQi::SysComp1_GetGrid(QString& name, QString& value) {
    const std::optional<double> v = LeadingNumber(name);
    if (!v || !(*v > 0 && *v < 40)) return;
    const auto index = static_cast<size_t>(vb::roundHalfEven(*v));
    value = QString::number(Memory_[index]);
}

void FrmJiSuanQi::Command2_Click() {
    const QString trimmed = txtDisplay_->Text().trimmed();
    if (trimmed.size() >= 1) txtDisplay_->setText(trimmed.left(trimmed.size() - 1));
}

void FrmJiSuanQi::cmdClearEntry_Click() { txtDisplay_->setText(QString()); }

void FrmJiSuanQi::cmdPlusMinus_Click() {
    const QString text = txtDisplay_->Text();
    if (text.startsWith(QLatin1Char('-'))) txtDisplay_->setText(text.mid(1));
    else txtDisplay_->setText(QLatin1Char('-') + text);
}

void FrmJiSuanQi::txtDisplay_GotFocus() {
    // Until a first change has fitted it, the box keeps its design height, lower than one line of its
    // font: the first change must still fit it, so a line typed straight into it is not cut.
    if (LineCount_ != 0) LineCount_ = txtDisplay_->LineCount();
}

void FrmJiSuanQi::txtDisplay_Change() {
    const QRect display = forms::twipsGeometry(txtDisplay_);
    // The box follows its text by whole lines but never passes the window's bottom edge: it takes at
    // most the lines that fit below its top, however many lines the text gained at once.
    const int room = std::max(1, static_cast<int>((ScaleHeight() - display.top()) / LineHeight_));
    const int32_t lines = std::min(txtDisplay_->LineCount(), room);
    if (lines == LineCount_) return;
    LineCount_ = lines;
    const int height = static_cast<int>(std::lround(LineCount_ * LineHeight_));
    forms::setTwipsGeometry(txtDisplay_, display.left(), display.top(), display.width(), height);
    const int statusTop = std::min(display.top() + height + kStatusGap, ScaleHeight() - kStatusHeight);
    forms::setTwipsGeometry(lblErrorText_, display.left(), statusTop, display.width(), kStatusHeight);
}

}  // namespace calculator
