#pragma once
// The library window's layout as the settings store keeps it: key and default of each value.
namespace library {

struct LayoutSetting {
    const char16_t* key;
    double byDefault;
};

inline constexpr LayoutSetting kMainLeft{u"MainLeft", 2055};
inline constexpr LayoutSetting kMainTop{u"MainTop", 2175};
inline constexpr LayoutSetting kMainWidth{u"MainWidth", 11000};
inline constexpr LayoutSetting kMainHeight{u"MainHeight", 6210};
inline constexpr LayoutSetting kTreeWidth{u"TreeWidth", 3270};
inline constexpr LayoutSetting kTxtBackColor{u"txtBackColor", 68528};
inline constexpr char16_t kViewBookMarksKey[] = u"ViewBookMarks";
inline constexpr char16_t kLastDBKey[] = u"LastDB";

}  // namespace library
