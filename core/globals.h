#pragma once
// The state the windows and modules share for the whole run: the current case, the current library
// and its one database connection, the chart positions the placement steps pass to each other, and a
// few values of the library window. All of it lives on the user-interface thread; nothing is saved
// between runs.
#include "platform/dao/dao.h"
#include "platform/vb/date.h"

#include <QList>
#include <QString>

#include <cstdint>

namespace core {

// The current case.
inline vb::Date gChartTime;        // birth moment
inline bool gIsMale = false;       // sex: true for 男
inline int32_t gCurrentFileID = 0;  // codefiles row whose chart is open, 0 when none
// Item that a new case is added to; while non-zero it also tells the case list to reload (-1 after a
// case window closes). 32 bits: item ids outgrow 16 bits on real libraries.
inline int32_t gCodeID = 0;

// The current library.
inline QString gWorkPath;       // work folder, always ending in "/"
inline dao::Database gWorkDB;   // the one connection to its work database
inline bool gBackupMode = false;  // the next work-database copy is a backup
inline QString gCurrentRtfFile;   // page file shown in the editor

// Chart positions: palace indexes 0 (子) … 11 (亥), except gZiWeiPos and gTianFuPos, which hold branch
// numbers 1 … 12. They keep their values from one build to the next.
inline int gMingPalace = 0;
inline int gShenPalace = 0;
inline int gWealthPalace = 0;
inline int gCareerPalace = 0;
inline int gTravelPalace = 0;
inline int gZuoFuPos = 0;
inline int gYouBiPos = 0;
inline int gWenChangPos = 0;
inline int gWenQuPos = 0;
inline int gLuCunPos = 0;
inline int gZiWeiPos = 0;
inline int gTianFuPos = 0;

// Library-window values (twips unless noted).
inline float gTxtCodeTop = 0, gTxtCodeLeft = 0, gTxtCodeWidth = 0;
inline int32_t gTxtCodeHeight = 0;
inline int32_t gScrollStartTop = 0;
inline float gScrollEndTop = 0;
inline int32_t gScrollMouseY = 0;  // screen pixels
struct CursorPos {
    int32_t x = 0, y = 0;  // screen pixels
};
inline CursorPos gCursorPos;
inline int16_t gBookmarkPaneScale = 1;  // 1 or 3
inline QList<int16_t> gTabStops;
// Character position of the last find hit in the editor, 0 = none. 32 bits: long pages pass 32767.
inline int32_t gFindPos = 0;

}  // namespace core
