#pragma once
// The formatting bar above the library editor (the text-page tool panel picPicture1): the main
// command bar imgButtons, the alignment buttons imgAButtons, the style buttons imgFButtons, the font
// and size boxes, and the image list of their pictures. It shows the pressed picture while the left
// button is down on a button; what a click does belongs to the library window.
#include "platform/forms/control_array.h"
#include "platform/forms/image_button.h"
#include "platform/forms/image_list.h"

#include <QWidget>

#include <vector>

namespace forms {
class ComboBox;
}

namespace library {

// The main bar's elements (there is no element 2) and the names of their pictures; element 13 adds
// a bookmark like element 12 and shows its pictures.
struct BarButton {
    int index;
    const char16_t* picture;
    const char16_t* tip;  // what a click does
};
inline constexpr BarButton kMainBar[] = {
    {0, u"new", u"文字颜色"},        {1, u"open", u"全选"},           {3, u"print", u"打印"},
    {4, u"find", u"查找和替换"},     {5, u"cut", u"剪切"},            {6, u"copy", u"复制"},
    {7, u"paste", u"粘贴"},          {8, u"color", u"背景颜色"},      {9, u"bullet", u"项目符号"},
    {10, u"bigsmall", u"放大编辑区"}, {11, u"bookmark", u"显示或隐藏书签栏"}, {12, u"mark", u"添加书签"},
    {13, u"mark", u"添加书签"},      {14, u"bookmark", u"显示或隐藏书签栏"},
};
inline constexpr BarButton kAlignmentBar[] = {{0, u"left", u"左对齐"}, {1, u"center", u"居中"}, {2, u"right", u"右对齐"}};
inline constexpr BarButton kStyleBar[] = {{0, u"bold", u"粗体"}, {1, u"italic", u"斜体"}, {2, u"underline", u"下划线"}};

// The smallest and largest size of the size box.
inline constexpr int kSmallestSize = 6;
inline constexpr int kLargestSize = 70;

class FormattingBar : public QWidget {
    Q_OBJECT
public:
    explicit FormattingBar(QWidget* parent = nullptr);

    const forms::ImageList& ilsImageList1() const { return images_; }
    const forms::ControlArray<forms::ImageButton>& imgButtons() const { return imgButtons_; }
    const forms::ControlArray<forms::ImageButton>& imgAButtons() const { return imgAButtons_; }
    const forms::ControlArray<forms::ImageButton>& imgFButtons() const { return imgFButtons_; }
    forms::ComboBox* cboFontCombo() const { return cboFontCombo_; }
    forms::ComboBox* cboSizeCombo() const { return cboSizeCombo_; }

    // The bar wraps its groups (main bar, alignment, style, the two boxes) onto as many rows as its
    // width needs, so that nothing of it is cut off in a narrow window.
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

    // The font names the system has, in its order, with "宋体" (or the installed face that stands for
    // it) selected; the sizes " 6" … " 70" with " 12" selected.
    void FillFontList();

signals:
    void imgButtonsClick(int index);
    void imgAButtonsClick(int index);
    void imgFButtonsClick(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    forms::ImageButton* addButton(forms::ControlArray<forms::ImageButton>& array, const BarButton& button);
    // Places the groups for `width` pixels (only measures when `place` is false); the height taken.
    int arrange(int width, bool place) const;

    std::vector<std::vector<QWidget*>> groups_;

    forms::ImageList images_;
    forms::ControlArray<forms::ImageButton> imgButtons_{QStringLiteral("imgButtons")};
    forms::ControlArray<forms::ImageButton> imgAButtons_{QStringLiteral("imgAButtons")};
    forms::ControlArray<forms::ImageButton> imgFButtons_{QStringLiteral("imgFButtons")};
    forms::ComboBox* cboFontCombo_;
    forms::ComboBox* cboSizeCombo_;
};

}  // namespace library
