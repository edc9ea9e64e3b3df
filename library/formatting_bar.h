#pragma once
// The formatting bar above the library editor (the text-page tool panel picPicture1): the main
// command bar imgButtons, the alignment buttons imgAButtons, the style buttons imgFButtons, the font
// and size boxes, and the image list of their pictures. It shows the pressed picture while the left
// button is down on a button; what a click does belongs to the library window.
#include "platform/forms/control_array.h"
#include "platform/forms/image_button.h"
#include "platform/forms/image_list.h"

#include <QWidget>

namespace forms {
class ComboBox;
}

namespace library {

// The main bar's elements (there is no element 2) and the names of their pictures; element 13 adds
// a bookmark like element 12 and shows its pictures.
struct BarButton {
    int index;
    const char16_t* picture;
};
inline constexpr BarButton kMainBar[] = {
    {0, u"new"},    {1, u"open"},    {3, u"print"},    {4, u"find"},      {5, u"cut"},
    {6, u"copy"},   {7, u"paste"},   {8, u"color"},    {9, u"bullet"},    {10, u"bigsmall"},
    {11, u"bookmark"}, {12, u"mark"}, {13, u"mark"},   {14, u"bookmark"},
};
inline constexpr const char16_t* kAlignmentPictures[] = {u"left", u"center", u"right"};
inline constexpr const char16_t* kStylePictures[] = {u"bold", u"italic", u"underline"};

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

    // The font names the system has, in its order, with "宋体" (or the installed face that stands for
    // it) selected; the sizes " 6" … " 70" with " 12" selected.
    void FillFontList();

signals:
    void imgButtonsClick(int index);
    void imgAButtonsClick(int index);
    void imgFButtonsClick(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    forms::ImageButton* addButton(forms::ControlArray<forms::ImageButton>& array, int index, const QString& pictureName,
                                  int left);

    forms::ImageList images_;
    forms::ControlArray<forms::ImageButton> imgButtons_{QStringLiteral("imgButtons")};
    forms::ControlArray<forms::ImageButton> imgAButtons_{QStringLiteral("imgAButtons")};
    forms::ControlArray<forms::ImageButton> imgFButtons_{QStringLiteral("imgFButtons")};
    forms::ComboBox* cboFontCombo_;
    forms::ComboBox* cboSizeCombo_;
};

}  // namespace library
