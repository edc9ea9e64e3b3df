#pragma once
// The members of ISplitter and ISplitterEvents: DISPIDs, names and the help strings of the type library.
#include "platform/com/dispatch.h"
#include "platform/com/unknown.h"
#include "splitter/splitter_identity.h"

#include <array>
#include <string_view>

namespace splitter {

enum Dispid : com::DispId {
    kBevelOuter = 1,
    kBevelInner = 2,
    kBevelWidth = 3,
    kBorderWidth = 4,
    kOutlineWidth = 5,
    kSplitterWidth = 6,
    kCols = 7,
    kRows = 8,
    kColWidth = 9,
    kColMaxWidth = 10,
    kColMinWidth = 11,
    kColVisibleWidth = 12,
    kRowHeight = 13,
    kRowMaxHeight = 14,
    kRowMinHeight = 15,
    kRowVisibleHeight = 16,
    kPanelControl = 17,
    kRow = 18,
    kCol = 19,
    kBackColor = 20,
    kAutoSizeChildren = 21,
    kHWnd = 22,
    kEqualRowHeight = 23,
    kEqualColWidth = 24,
    kHitTest = 25,
    kAutoSizeAll = 26,
    kAutoSizePanel = 27,
    kGetControl = 29,
};

enum EventDispid : com::DispId {
    kEventMouseMove = -606,
    kEventSplitterStartMoving = 1,
    kEventSplitterMoving = 2,
    kEventSplitterMoved = 3,
};

enum class MemberKind { Property, ReadOnlyProperty, Method };

struct Member {
    com::DispId id;
    std::string_view name;
    MemberKind kind;
    com::VarType type;        // property type or method result
    int argumentCount;        // of a method
    std::string_view help;    // of the get (and put, unless putHelp is given)
    std::string_view putHelp;
    bool hidden;
};

inline constexpr std::array<Member, 28> kMembers{{
    {kBevelOuter, "BevelOuter", MemberKind::Property, com::VarType::I2, 0, "Outer Bevel", {}, false},
    {kBevelInner, "BevelInner", MemberKind::Property, com::VarType::I2, 0, "Inner Bevel", {}, false},
    {kBevelWidth, "BevelWidth", MemberKind::Property, com::VarType::I2, 0, "Bevel Width", {}, false},
    {kBorderWidth, "BorderWidth", MemberKind::Property, com::VarType::I2, 0, "Border Width", {}, false},
    {kOutlineWidth, "OutlineWidth", MemberKind::Property, com::VarType::I2, 0, "Outline Width", {}, false},
    {kSplitterWidth, "SplitterWidth", MemberKind::Property, com::VarType::I2, 0, "Splitter Width", {}, false},
    {kCols, "Cols", MemberKind::Property, com::VarType::I2, 0, "Number of Columns", {}, false},
    {kRows, "Rows", MemberKind::Property, com::VarType::I2, 0, "Number of Rows", {}, false},
    {kColWidth, "ColWidth", MemberKind::Property, com::VarType::I4, 0, "Column Width", {}, false},
    {kColMaxWidth, "ColMaxWidth", MemberKind::Property, com::VarType::I4, 0, "Maximum Width of Column", {}, false},
    {kColMinWidth, "ColMinWidth", MemberKind::Property, com::VarType::I4, 0, "Minimum Width of Column", {}, false},
    {kColVisibleWidth, "ColVisibleWidth", MemberKind::Property, com::VarType::I4, 0, "Visible Widht of the Column",
     "Visible Width of the Column", false},
    {kRowHeight, "RowHeight", MemberKind::Property, com::VarType::I4, 0, "Height of the Row", {}, false},
    {kRowMaxHeight, "RowMaxHeight", MemberKind::Property, com::VarType::I4, 0, "Maximum Height of the Row", {}, false},
    {kRowMinHeight, "RowMinHeight", MemberKind::Property, com::VarType::I4, 0, "Minimum Height of the Row", {}, false},
    {kRowVisibleHeight, "RowVisibleHeight", MemberKind::Property, com::VarType::I4, 0, "Visible Height of the Row", {},
     false},
    {kPanelControl, "PanelControl", MemberKind::Property, com::VarType::BStr, 0, "Control Name in the Panel", {}, false},
    {kRow, "Row", MemberKind::Property, com::VarType::I2, 0, "Row Index", {}, false},
    {kCol, "Col", MemberKind::Property, com::VarType::I2, 0, "Column Index", {}, false},
    {kBackColor, "BackColor", MemberKind::Property, com::VarType::UI4, 0, "Background Color", {}, false},
    {kAutoSizeChildren, "AutoSizeChildren", MemberKind::Property, com::VarType::I2, 0, "Autosize the Child Controls", {},
     false},
    // The window handle has the platform's pointer width here.
    {kHWnd, "hWnd", MemberKind::ReadOnlyProperty, com::VarType::I8, 0, "Widnow Handle", {}, false},
    {kEqualRowHeight, "EqualRowHeight", MemberKind::Method, com::VarType::I4, 0, "Equal the Height of the Rows", {}, false},
    {kEqualColWidth, "EqualColWidth", MemberKind::Method, com::VarType::I4, 0, "Equal the Width of the Columns", {}, false},
    {kHitTest, "HitTest", MemberKind::Method, com::VarType::I2, 2, "Hit Testing", {}, false},
    {kAutoSizeAll, "AutoSizeAll", MemberKind::Method, com::VarType::Bool, 0, "Autosize All Panels", {}, false},
    {kAutoSizePanel, "AutoSizePanel", MemberKind::Method, com::VarType::Bool, 2, "Autosize One Panel", {}, false},
    {kGetControl, "GetControl", MemberKind::Method, com::VarType::I8, 0, {}, {}, true},
}};

inline constexpr std::array<std::pair<com::DispId, std::string_view>, 4> kEvents{{
    {kEventMouseMove, "MouseMove"},
    {kEventSplitterStartMoving, "SplitterStartMoving"},
    {kEventSplitterMoving, "SplitterMoving"},
    {kEventSplitterMoved, "SplitterMoved"},
}};

// The member of a DISPID, or null.
constexpr const Member* findMember(com::DispId id) {
    for (const Member& m : kMembers)
        if (m.id == id) return &m;
    return nullptr;
}

// The properties the framework persists by name, in property-map order, then the two pages.
inline constexpr std::array<com::DispId, 10> kPropertyMap{kBevelOuter,   kBevelInner,   kBevelWidth, kBorderWidth,
                                                          kOutlineWidth, kSplitterWidth, kCols,       kRows,
                                                          kBackColor,    kAutoSizeChildren};
inline constexpr std::array<com::Guid, 2> kPropertyPages{kClsidPpgBorder, kClsidPpgPanels};

// The control's default interface: dual, reached here through its dispatch half.
struct ISplitter : com::IDispatch {
    static constexpr com::Guid iid = kIidISplitter;
    using Base = com::IDispatch;
};

}  // namespace splitter
