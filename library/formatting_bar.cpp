#include "library/formatting_bar.h"

#include "platform/forms/combobox.h"
#include "platform/forms/font_faces.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/twips.h"
#include "platform/vb/folders.h"
#include "platform/vb/textfunctions.h"

#include <QFontDatabase>
#include <QMouseEvent>

namespace library {

namespace {
constexpr int kButtonWidth = 330;   // twips: 22 pixels
constexpr int kButtonHeight = 315;  // 21 pixels
constexpr int kGroupGap = 120;
const QString kSongTi = QStringLiteral("宋体");
}  // namespace

FormattingBar::FormattingBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picPicture1"));
    images_.addFolder(vb::joinPath(vb::programFolder(), QStringLiteral("pictures")));

    int left = 0;
    for (const BarButton& b : kMainBar) {
        addButton(imgButtons_, b.index, QString::fromUtf16(b.picture), left);
        left += kButtonWidth;
    }
    left += kGroupGap;
    for (int i = 0; i < 3; ++i, left += kButtonWidth) addButton(imgAButtons_, i, QString::fromUtf16(kAlignmentPictures[i]), left);
    left += kGroupGap;
    for (int i = 0; i < 3; ++i, left += kButtonWidth) addButton(imgFButtons_, i, QString::fromUtf16(kStylePictures[i]), left);
    left += kGroupGap;

    cboFontCombo_ = new forms::ComboBox(QStringLiteral("cboFontCombo"), this);
    forms::setTwipsGeometry(cboFontCombo_, left, 0, 2400, kButtonHeight);
    left += 2400 + 60;
    cboSizeCombo_ = new forms::ComboBox(QStringLiteral("cboSizeCombo"), this);
    forms::setTwipsGeometry(cboSizeCombo_, left, 0, 900, kButtonHeight);
    left += 900;
    setMinimumSize(static_cast<int>(vb::twipsToPixels(left)), static_cast<int>(vb::twipsToPixels(kButtonHeight)));

    for (int index : imgButtons_.indexes())
        connect(imgButtons_.at(index), &forms::ImageButton::Click, this, [this, index] { emit imgButtonsClick(index); });
    for (int index : imgAButtons_.indexes())
        connect(imgAButtons_.at(index), &forms::ImageButton::Click, this, [this, index] { emit imgAButtonsClick(index); });
    for (int index : imgFButtons_.indexes())
        connect(imgFButtons_.at(index), &forms::ImageButton::Click, this, [this, index] { emit imgFButtonsClick(index); });
}

forms::ImageButton* FormattingBar::addButton(forms::ControlArray<forms::ImageButton>& array, int index,
                                             const QString& pictureName, int left) {
    auto* button = array.add(index, new forms::ImageButton(&images_, pictureName, this));
    forms::setTwipsGeometry(button, left, 0, kButtonWidth, kButtonHeight);
    button->installEventFilter(this);
    return button;
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
