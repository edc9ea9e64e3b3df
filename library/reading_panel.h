#pragma once
// The reading panel `Picscroll`: the text of kli.txt in the box `txtScroll`, moved slowly upward by
// the timer `Timer1` and wrapping back to its start, shown in place of the item pages while no item
// is bound. The pointer's height on the screen sets the speed, a click pauses or resumes.
//
// The timer runs only while the panel is shown and not paused, so a hidden panel costs nothing.
// Positions are twips, as the panel's scale measures them.
#include "platform/forms/picturebox.h"

#include <QTimer>

#include <cstdint>

namespace forms {
class RichTextBox;
}

namespace library {

// The single-twip steps of one tick for a pointer at screen height `mouseY` (pixels): 8 before the
// pointer has moved (0), then one more group of 7 for each further 50 pixels. A position above the
// screen counts as its top edge.
int readingStepsPerTick(int32_t mouseY);

// The panel's text from the file's bytes: each line of the file followed by CR LF.
QString readingText(const QByteArray& ansiBytes);

class ReadingPanel : public forms::PictureBox {
    Q_OBJECT
public:
    // Speed of the timer, in milliseconds.
    static constexpr int kTickMs = 10;

    explicit ReadingPanel(QWidget* parent = nullptr);

    // Loads kli.txt of the program folder (code page 936) into the box, puts it back at its top and
    // shows the panel. A missing file is reported ("文件不全") and the text stays as it was.
    void StartReading();

    // One tick of the timer.
    void Timer1_Timer();
    // A click on the text: pause or resume.
    void txtScroll_Click();
    // A pointer move over the text, at screen height `screenY` in pixels.
    void txtScroll_MouseMove(int screenY);

    forms::RichTextBox* txtScroll() const { return txtScroll_; }
    QTimer* Timer1() { return &timer_; }
    bool paused() const { return paused_; }
    // txtScroll's Top, in twips.
    int32_t textTop() const { return top_; }
    // The text's height, in twips.
    int32_t textHeight() const;
    // The panel's height, in twips.
    int32_t viewHeight() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setTextTop(int32_t twips);
    // Sizes the box to hold its whole text at the panel's width.
    void fitText();
    void updateTimer();

    forms::RichTextBox* txtScroll_;
    QTimer timer_;
    int32_t top_ = 0;
    bool paused_ = false;
};

}  // namespace library
