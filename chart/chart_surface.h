#pragma once
// The controls of the chart window that the chart builder and its steps write and read, as one
// interface: the palace cells (star slots, per-palace label arrays, the cell and anchor geometry),
// the four-transformation table, the header labels, the birth captions the build reads, and the
// four lines that join the life palace with its wealth, career and travel palaces.
//
// A label is addressed by its control and its element index: per-palace arrays by palace index
// 0 (子) … 11 (亥), `lblZX` 0 … 431 (see starSlot), `lBlxh` 0 … 11, `Label2` only element 1, and single labels by
// the control alone. An index the control does not have raises 340 ("Control array element … doesn't
// exist"), as addressing a missing element of a control array does.
#include <QString>

#include <cstdint>

namespace chart {

// 0x00BBGGRR, or 0x80000000 + n for system colour n.
using Colour = uint32_t;

inline constexpr int kPalaceCount = 12;
// Star slots of a palace: three groups of six names, each name with its brightness word six slots
// on. The first two groups (slots 0 … 23) are elements p × 24 + s of lblZX; the third (24 … 35), which
// takes the stars of a palace that holds more than twelve, follows after the first 288 elements.
inline constexpr int kSlotsPerPalace = 24;
inline constexpr int kSlotGroupSize = 6;
inline constexpr int kSlotGroups = 3;
inline constexpr int kAllSlotsPerPalace = 2 * kSlotGroupSize * kSlotGroups;  // 36
inline constexpr int kStarSlotCount = kPalaceCount * kAllSlotsPerPalace;  // 432
// The lblZX element of slot `s` (0 … 35) of `palace`.
constexpr int starSlot(int palace, int s) {
    return s < kSlotsPerPalace ? palace * kSlotsPerPalace + s
                               : kPalaceCount * kSlotsPerPalace + palace * (kAllSlotsPerPalace - kSlotsPerPalace) +
                                     (s - kSlotsPerPalace);
}
// The first slot of each group.
inline constexpr int kSlotGroupStarts[kSlotGroups] = {0, 12, 24};
inline constexpr int kSiHuaRows = 4;
inline constexpr int kSiHuaLabelCount = 3 * kSiHuaRows;  // star, word, brightness per row

enum class Control {
    // Arrays.
    lblZX,     // star slots: palace × 24 + slot
    lBlxh,     // four-transformation table: r star, r + 4 word, r + 8 brightness
    lblSEG,    // palace names
    lblSEGtg,  // palace stems
    lblSG,     // body-palace mark
    lblXX,     // minor periods
    lblDX,     // major periods
    lblZSMJ,   // life stages
    lblBSSES,  // the cycle that begins with 博士
    lblLNSQ,   // year-front cycle
    lblLNJQ,   // general-front cycle
    lblXK,     // void marks
    lblZNDJ,   // 子年斗君
    Label2,    // element 1: the lunar month name of the birth
    // Single labels.
    lblWXj,      // five-element bureau
    lblYinY,     // class of the chart (阳男 …)
    lblMz,       // life ruler
    lblshz,      // body ruler
    lblWho,      // "姓名："
    lblmingzhu,  // "命主："
    lblshenzhu,  // "身主："
    lblCHUsh,    // birth caption: 6th char year stem, 7th year branch, 16th hour branch
    Label6,      // lunar day name of the birth
    Label17,     // hour pillar and "时": 2nd char the hour branch
};
inline constexpr int kControlCount = static_cast<int>(Control::Label17) + 1;

// The four joining lines.
enum class JoinLine { lineM2G, LineM2C, LineC2G, LineM2Q };
inline constexpr int kJoinLineCount = 4;

struct ControlInfo {
    const char* name;  // the control's name, as the window's object names spell it
    int firstIndex;    // lowest element index; single labels: 0
    int count;         // elements; single labels: 1
    bool isArray;
};
const ControlInfo& controlInfo(Control c);
const char* joinLineName(JoinLine line);

// A point in twips, single precision as the window's coordinates are.
struct PointF {
    float x = 0;
    float y = 0;
    friend bool operator==(const PointF&, const PointF&) = default;
};

struct LineState {
    Colour borderColor = 0;
    PointF first;   // X1, Y1
    PointF second;  // X2, Y2
    friend bool operator==(const LineState&, const LineState&) = default;
};

class ChartSurface {
public:
    virtual ~ChartSurface() = default;

    // Array elements.
    QString caption(Control c, int index) const;
    void setCaption(Control c, int index, const QString& text);
    Colour foreColor(Control c, int index) const;
    void setForeColor(Control c, int index, Colour colour);
    // Single labels.
    QString caption(Control c) const;
    void setCaption(Control c, const QString& text);
    Colour foreColor(Control c) const;
    void setForeColor(Control c, Colour colour);

    // Palace cell `PicDI`(p): its Left and Top in the container of the cells and the joining lines.
    PointF cellOrigin(int palace) const;
    // `LineDW`(p): X1 and Y1 in the cell's own coordinates, where the joining lines meet the palace.
    PointF cellAnchor(int palace) const;

    virtual LineState joinLine(JoinLine line) const = 0;
    virtual void setJoinLineColor(JoinLine line, Colour colour) = 0;
    virtual void setJoinLineEnds(JoinLine line, PointF first, PointF second) = 0;

    // A build that failed: told once per failed build, with the error's text.
    virtual void reportBuildFailure(const QString& text) = 0;

protected:
    // The element exists (checked by the public calls).
    virtual QString captionAt(Control c, int index) const = 0;
    virtual void setCaptionAt(Control c, int index, const QString& text) = 0;
    virtual Colour foreColorAt(Control c, int index) const = 0;
    virtual void setForeColorAt(Control c, int index, Colour colour) = 0;
    virtual PointF cellOriginAt(int palace) const = 0;
    virtual PointF cellAnchorAt(int palace) const = 0;
};

// Raises 340 unless `index` is an element of the control.
void checkElement(Control c, int index);
bool hasElement(Control c, int index);
inline bool isPalace(int palace) { return palace >= 0 && palace < kPalaceCount; }

}  // namespace chart
