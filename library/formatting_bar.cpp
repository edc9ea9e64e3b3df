#include "library/formatting_bar.h"

#include "platform/forms/combobox.h"
#include "platform/forms/font_faces.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/twips.h"
#include "platform/vb/folders.h"
#include "platform/vb/textfunctions.h"

#include <QFontDatabase>
#include <QMouseEvent>

#include <span>
#include <utility>

namespace library {

namespace {
constexpr int kButtonWidth = 330;   // twips: 22 pixels
constexpr int kButtonHeight = 315;  // 21 pixels
constexpr int kGroupGap = 120;
constexpr int kRowGap = 30;
constexpr int kFontBoxWidth = 2400;
constexpr int kSizeBoxWidth = 900;
constexpr int kBoxGap = 60;
const QString kSongTi = QStringLiteral("宋体");
}  // namespace

FormattingBar::FormattingBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picPicture1"));
    images_.addFolder(vb::joinPath(vb::programFolder(), QStringLiteral("pictures")));

    for (auto [array, buttons] : {std::pair{&imgButtons_, std::span<const BarButton>(kMainBar)},
                                  std::pair{&imgAButtons_, std::span<const BarButton>(kAlignmentBar)},
                                  std::pair{&imgFButtons_, std::span<const BarButton>(kStyleBar)}}) {
        groups_.emplace_back();
        for (const BarButton& b : buttons) groups_.back().push_back(addButton(*array, b));
    }

    cboFontCombo_ = new forms::ComboBox(QStringLiteral("cboFontCombo"), this);
    forms::setTwipsGeometry(cboFontCombo_, 0, 0, kFontBoxWidth, kButtonHeight);
    cboFontCombo_->setToolTip(QStringLiteral("字体"));
    cboSizeCombo_ = new forms::ComboBox(QStringLiteral("cboSizeCombo"), this);
    forms::setTwipsGeometry(cboSizeCombo_, 0, 0, kSizeBoxWidth, kButtonHeight);
    cboSizeCombo_->setToolTip(QStringLiteral("字号"));
    groups_.push_back({cboFontCombo_, cboSizeCombo_});

    // As narrow as its widest group, as high as one row.
    setMinimumSize(vb::twipsToPixels(kFontBoxWidth + kBoxGap + kSizeBoxWidth), vb::twipsToPixels(kButtonHeight));
    arrange(width(), true);

    for (int index : imgButtons_.indexes())
        connect(imgButtons_.at(index), &forms::ImageButton::Click, this, [this, index] { emit imgButtonsClick(index); });
    for (int index : imgAButtons_.indexes())
        connect(imgAButtons_.at(index), &forms::ImageButton::Click, this, [this, index] { emit imgAButtonsClick(index); });
    for (int index : imgFButtons_.indexes())
        connect(imgFButtons_.at(index), &forms::ImageButton::Click, this, [this, index] { emit imgFButtonsClick(index); });
}

forms::ImageButton* FormattingBar::addButton(forms::ControlArray<forms::ImageButton>& array, const BarButton& b) {
    auto* button = array.add(b.index, new forms::ImageButton(&images_, QString::fromUtf16(b.picture), this));
    button->setToolTip(QString::fromUtf16(b.tip));
    forms::setTwipsGeometry(button, 0, 0, kButtonWidth, kButtonHeight);
    button->installEventFilter(this);
    return button;
}

int FormattingBar::arrange(int width, bool place) const {
    const int groupGap = vb::twipsToPixels(kGroupGap);
    const int itemGap = vb::twipsToPixels(kBoxGap);
    const int rowHeight = vb::twipsToPixels(kButtonHeight);
    const int rowStep = rowHeight + vb::twipsToPixels(kRowGap);
    int x = 0;
    int y = 0;
    for (const std::vector<QWidget*>& group : groups_) {
        int groupWidth = 0;
        for (QWidget* w : group) groupWidth += w->width() + (groupWidth > 0 && !qobject_cast<forms::ImageButton*>(w) ? itemGap : 0);
        // A group starts a new row when it does not fit beside the one before it; a group wider
        // than the bar breaks between its buttons.
        if (x > 0 && x + groupGap + groupWidth > width) {
            x = 0;
            y += rowStep;
        } else if (x > 0) {
            x += groupGap;
        }
        bool first = true;
        for (QWidget* w : group) {
            if (!first && !qobject_cast<forms::ImageButton*>(w)) x += itemGap;
            if (x > 0 && x + w->width() > width && !first) {
                x = 0;
                y += rowStep;
            }
            if (place) w->move(x, y);
            x += w->width();
            first = false;
        }
    }
    return y + rowHeight;
}

int FormattingBar::heightForWidth(int width) const { return arrange(width, false); }

QSize FormattingBar::sizeHint() const {
    int width = 0;
    for (const std::vector<QWidget*>& group : groups_)
        for (QWidget* w : group) width += w->width();
    width += static_cast<int>(groups_.size()) * vb::twipsToPixels(kGroupGap);
    return {width, heightForWidth(this->width() > 0 ? this->width() : width)};
}

void FormattingBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange(width(), true);
}

// The pressed picture while the left button is down; the click itself comes after the release.
bool FormattingBar::eventFilter(QObject* watched, QEvent* event) {
    if (auto* button = qobject_cast<forms::ImageButton*>(watched)) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                button->setPressed(event->type() == QEvent::MouseButtonPress);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormattingBar::FillFontList() {
    const QSignalBlocker quietFonts(cboFontCombo_);
    const QSignalBlocker quietSizes(cboSizeCombo_);
    cboFontCombo_->clear();
    const QStringList families = QFontDatabase::families();
    cboFontCombo_->addItems(families);
    // The design face where the system has it, else the installed face that stands for it.
    const QString wanted = families.contains(kSongTi) ? kSongTi : forms::installedFamily(kSongTi);
    for (int i = 0; i < cboFontCombo_->listCount(); ++i)
        if (cboFontCombo_->list(i) == wanted) cboFontCombo_->setListIndex(i);

    cboSizeCombo_->clear();
    for (int size = kSmallestSize; size <= kLargestSize; ++size) cboSizeCombo_->addItem(vb::str(size));
    cboSizeCombo_->setListIndex(12 - kSmallestSize);
}

}  // namespace library
