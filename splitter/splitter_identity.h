#pragma once
// The splitter control's published identity: type library, classes, interfaces, ProgIDs and the
// descriptions written into the class registry.
#include "platform/com/guid.h"

namespace splitter {

inline constexpr com::Guid kLibId = com::makeGuid("A6FBEE43-63D4-11D1-B2DF-444553540000");
inline constexpr com::Guid kClsidSplitter = com::makeGuid("A6FBEE51-63D4-11D1-B2DF-444553540000");
inline constexpr com::Guid kIidISplitter = com::makeGuid("A6FBEE50-63D4-11D1-B2DF-444553540000");
inline constexpr com::Guid kDiidISplitterEvents = com::makeGuid("AF77E8A0-63FA-11D1-B2DF-444553540000");
inline constexpr com::Guid kClsidPpgBorder = com::makeGuid("A6FBEE52-63D4-11D1-B2DF-444553540000");
inline constexpr com::Guid kClsidPpgPanels = com::makeGuid("A6FBEE53-63D4-11D1-B2DF-444553540000");

inline constexpr const char* kTypeLibName = "SplitterWnd";
inline constexpr const char* kTypeLibHelp = "Splitter Window Control";
inline constexpr const char* kSplitterDescription = "Splitter Window Control";
inline constexpr const char* kSplitterProgId = "Splitter.Splitter";
inline constexpr const char* kSplitterVersionIndependentProgId = "Splitter.Splitter";
inline constexpr const char* kSplitterLibraryName = "SplitterWnd.Splitter";
inline constexpr const char* kISplitterHelp = "ISplitter Interface";
inline constexpr const char* kISplitterEventsHelp = "Event interface for Splitter Window Control";
inline constexpr const char* kPpgBorderProgId = "SplitterPpgBorder.SplitterPpgBorder.1";
inline constexpr const char* kPpgBorderVersionIndependentProgId = "SplitterPpgBorder.SplitterPpgBorder";
inline constexpr const char* kPpgBorderDescription = "SplitterPpgBorder Class";
inline constexpr const char* kPpgPanelsProgId = "SplitterPpgPanels.SplitterPpgPanels.1";
inline constexpr const char* kPpgPanelsVersionIndependentProgId = "SplitterPpgPanels.SplitterPpgPanels";
inline constexpr const char* kPpgPanelsDescription = "SplitterPpgPanels Class";

// The file name of the library in the program folder.
inline constexpr const char* kLibraryFileName = "libsplitter.so";

}  // namespace splitter
