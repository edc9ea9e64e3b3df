#pragma once
// The chart window "紫微斗数命盘": the birth chart of the current case. It carries its own perpetual
// calendar (the calendar control, shown on the case's birth moment), the palace cells that the chart
// builder fills, the annotation lists and box, and the case's conclusion text, stored in column
// jielun of the case's codefiles row. The chart is built when the window opens and after each press
// of Command1; other changes in the calendar only update its captions.
//
// Opening a case (for the case list and the new-case dialog): call openCase(). It checks that the
// birth lies within the calendar (1882-03-01 … 2031-12-31; outside it a message says so and nothing
// opens), sets gChartTime, gIsMale and gCurrentFileID, and shows the window's default instance. When
// the window already shows another case, the conclusion shown is first stored into that case's own
// row, and then the window is reloaded for the new case (calendar, chart, conclusion, name). Opening
// the case that is already shown only brings the window to the front.
//
// The calendar's captions Label2, Label6 and Label17 (and the birth caption lblCHUsh built from them)
// are copied into the chart's own labels of those names in picMain when a build starts, so the chart
// keeps showing the birth it was built for while the calendar moves on.
//
// The window stores its conclusion into the row of the case it shows (never into "the last row"):
// a case with id 0 stores nothing, a row deleted meanwhile is reported. Closing the window stores the
// conclusion, sets gCurrentFileID to 0, reopens gWorkDB, gives the case list (ctlFileDetails1) the
// focus and sets gCodeID to -1, the case list's reload signal.
#include "platform/forms/event_hook.h"
#include "platform/forms/form.h"
#include "platform/vb/date.h"
#include "windows/four_pillars.h"

#include <QPixmap>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QAction;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QSoundEffect;

namespace calendar {
class Wnl;
}
namespace com {
class ControlHost;
}
namespace forms {
class ComboBox;
class Label;
class PictureBox;
}  // namespace forms

namespace windows {

class ChartCellsWidget;

class FrmBaZi : public forms::Form {
    Q_OBJECT
public:
    explicit FrmBaZi(QWidget* parent = nullptr);
    ~FrmBaZi() override;

    // The first and last days the calendar holds.
    static vb::Date firstBirthDay();
    static vb::Date lastBirthDay();

    // --- Public procedures ---

    // Lays the scroll bars out along the bottom and right edges, sets their ranges so that they
    // reach exactly the far edges of the scroll surface, and moves it to their positions.
    void AlignScrollBars();
    // Redraws the scroll surface's own drawing.
    void UpdateDisplay();
    // Five tigers: the month pillar of solar month `number` ("一" … "十二") of a year with
    // `yearStem`; fills the calendar's month-pillar list.
    QString NianShangQiYue(const QString& yearStem, const QString& number);
    static QString TianGanTouChu(const QString& dayStem, const QString& otherStem);
    // The Four Pillars lookups of the window (see four_pillars.h).
    static QString DiZhiDunChang(const QString& branch) { return fourpillars::DiZhiDunChang(branch); }
    static QString Wangdu(const QString& branch) { return fourpillars::Wangdu(branch); }
    static QString XuHaoToTianGuan(int16_t number) { return fourpillars::XuHaoToTianGuan(number); }
    static int16_t YueZhi2YueShu(const QString& branch) { return fourpillars::YueZhi2YueShu(branch); }
    static int16_t DiZhiToXuHao(const QString& branch) { return fourpillars::DiZhiToXuHao(branch); }
    static QString XuHaoToDiZhi(int16_t number) { return fourpillars::XuHaoToDiZhi(number); }
    static int16_t YS2ALaBo(const QString& numeral) { return fourpillars::YS2ALaBo(numeral); }
    static QString SiZhuNaYin(const QString& pair) { return fourpillars::SiZhuNaYin(pair); }
    static int16_t MingGongZ2S(const QString& branch) { return fourpillars::MingGongZ2S(branch); }
    static QString MingGongS2Z(int16_t number) { return fourpillars::MingGongS2Z(number); }
    static QString GetXiaoyunGZ(int32_t& stemNumber, const int32_t& branchNumber) {
        return fourpillars::GetXiaoyunGZ(stemNumber, branchNumber);
    }

    // --- Event handlers (public so tests drive them as the events do) ---

    void Command1_Click();
    void Label18_Click();
    void Label11_DblClick();
    void cboXing_Click();
    void cboXing_LostFocus();
    void txtJieLun_Change();
    void cboMg_Click();
    void cboDZ_Click();
    void MnuZS_Click();
    void txtDuiZao_DblClick();
    void MnuJT_Click();
    void MnuPrIn_Click();
    void HScroll_Change();
    void VScroll_Change();

    // --- Controls and state, as the opener and tests reach them ---

    ChartCellsWidget* picMain() const { return picMain_; }
    calendar::Wnl* calendarControl() const { return calendar_; }
    forms::Label* lblXMing() const { return lblXMing_; }
    QPlainTextEdit* txtJieLun() const { return txtJieLun_; }
    QPlainTextEdit* txtDuiZao() const { return txtDuiZao_; }
    forms::ComboBox* cboMg() const { return cboMg_; }
    forms::ComboBox* cboDZ() const { return cboDZ_; }
    forms::ComboBox* cboXing() const { return cboXing_; }
    QPushButton* Command1() const { return command1_; }
    forms::PictureBox* picbox() const { return picbox_; }
    QScrollBar* HScroll() const { return hScroll_; }
    QScrollBar* VScroll() const { return vScroll_; }
    QLabel* lblFiller() const { return lblFiller_; }
    // The case whose conclusion the window shows and stores (gCurrentFileID when it was opened).
    int32_t shownFileId() const { return fileId_; }
    // The birth moment the window was opened on.
    const vb::Date& shownBirth() const { return birth_; }
    // The name of the last annotation picked; empty before the first pick.
    const QString& annotationTitle() const { return annotationTitle_; }
    // The splitter control, while it is hosted.
    com::ControlHost* splitter() const { return splitter_.get(); }
    // The chart as the last picture command took it.
    const QPixmap& capturedPicture() const { return captured_; }
    // The path the picture command saves to: veyrpic.bmp in the user's data folder.
    static QString picturePath();
    // Prints into this PDF file instead of the default printer (empty: the default printer).
    void setPrintFile(const QString& pdfFile) { printFile_ = pdfFile; }

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_Unload(int& cancel) override;
    void Form_Resize() override;

private:
    friend bool openCase(const vb::Date& birth, bool isMale, int32_t fileId, const QString& name);
    friend bool storeShownConclusion();

    void buildControls();
    void buildMenus();
    // The splitter control that shares the annotation's and the conclusion's area between them.
    void hostSplitter();
    void connectEvents();
    // Shows the shared case (gChartTime, gIsMale, gCurrentFileID) in the calendar, the sex list and
    // the conclusion box, and arms the chart build of the next grid refresh.
    void showSharedCase();
    // Stores the conclusion shown into the shown case's row; false when it failed (reported).
    bool storeConclusion();
    // The refresh of the calendar's grid: the window's own captions, then the pending build.
    void calendarPainted();
    void writeBirthCaption();
    void RefreshChart();
    // The annotation of a pick: `table` row `row`, else the fallback row of saveM, else empty. When
    // the rule database cannot be read the box keeps its text and the first such failure is reported
    // under `procedure`.
    void showAnnotation(const char* procedure, const QString& table, int row, int fallbackRow);
    // The chart rendered from its own widget, put on the clipboard and kept as the picture.
    void capture();
    void guarded(const char* procedure, const std::function<void()>& work);

    // Calendar-side state.
    bool birthCaptionPending_ = false;
    // Conclusion.
    QString lastConclusion_;
    bool settingConclusion_ = false;
    int32_t fileId_ = 0;
    vb::Date birth_;
    int lastUnloadMode_ = forms::vbFormCode;
    QString annotationTitle_;
    bool annotationFailureReported_ = false;
    QPixmap captured_;
    QString printFile_;

    forms::PictureBox* picbox_ = nullptr;
    QLabel* PicBack_ = nullptr;
    ChartCellsWidget* picMain_ = nullptr;
    calendar::Wnl* calendar_ = nullptr;
    forms::Label* Label18_ = nullptr;
    forms::Label* Label11_ = nullptr;
    forms::Label* lblXMing_ = nullptr;
    forms::Label* lblhour1_ = nullptr;
    forms::Label* lblhour2_ = nullptr;
    forms::ComboBox* cboXing_ = nullptr;
    QPushButton* command1_ = nullptr;
    QGroupBox* Frame2_ = nullptr;
    forms::ComboBox* cboMg_ = nullptr;
    forms::ComboBox* cboDZ_ = nullptr;
    QPlainTextEdit* txtDuiZao_ = nullptr;
    QPlainTextEdit* txtJieLun_ = nullptr;
    QScrollBar* hScroll_ = nullptr;
    QScrollBar* vScroll_ = nullptr;
    QLabel* lblFiller_ = nullptr;
    QSoundEffect* clickSound_ = nullptr;
    // The boxes' event hooks call members of this class: they go with its members, never after.
    forms::EventHooks hooks_;
    // Declared last, so that it is released first: it gives the two boxes back before they go.
    std::unique_ptr<com::ControlHost> splitter_;
};

// Opens the chart window on a case; see the top of this file. False when the birth lies outside the
// calendar (the user has been told) or the window could not be opened.
bool openCase(const vb::Date& birth, bool isMale, int32_t fileId, const QString& name);

// False, after telling the user, when `birth` lies outside the calendar (no chart can be built).
bool birthCanBeCharted(const vb::Date& birth);

// The open chart window, if any, stores the conclusion it shows into its case; false when that
// failed (the user has been told). True when no chart window is open.
bool storeShownConclusion();
// Closes the open chart window, if any, once its conclusion is stored into its case; false, with the
// window left open, when the conclusion could not be stored (the user has been told).
bool closeChartWindow();

}  // namespace windows
