#pragma once
// The library window's menu tree: every entry with its name, caption, place and initial state, in
// display order. An entry's action is connected by name; the table holds only the shape.
#include <array>

namespace library {

struct MenuEntry {
    const char16_t* name;
    const char16_t* caption;
    const char16_t* parent;  // null for a top-level menu
    bool hidden = false;
    bool disabled = false;
    bool checked = false;
    bool separatorAfter = false;
};

inline constexpr MenuEntry kMenuEntries[] = {
    {u"mnufile", u"文件", nullptr},
    {u"mnuNewDatabase", u"新建项目", u"mnufile"},
    {u"mnuOpenDatabase", u"导入备份", u"mnufile", false, false, false, true},
    {u"MNUBAK", u"项目备份", u"mnufile", false, false, false, true},
    {u"mnuExit", u"退    出", u"mnufile"},
    {u"MnuEditRtxt", u"编辑", nullptr},
    {u"MnuCopy", u"复制", u"MnuEditRtxt"},
    {u"MnuCut", u"剪切", u"MnuEditRtxt"},
    {u"MnuPaste", u"粘贴", u"MnuEditRtxt", false, false, false, true},
    {u"MnuClear", u"清除", u"MnuEditRtxt"},
    {u"mnueditselectall", u"全选", u"MnuEditRtxt", false, false, false, true},
    {u"mnuFind", u"查找", u"MnuEditRtxt"},
    {u"MnuEdit", u"LV调用之菜单", nullptr, true},
    {u"mnuAddCode", u"添加条目", u"MnuEdit"},
    {u"mnuDeleteCode", u"删除条目", u"MnuEdit"},
    {u"mnuExport", u"导出条目", u"MnuEdit", true, true},
    {u"mnuImport", u"导入条目", u"MnuEdit", true, true, false, true},
    {u"mnuRename", u"条目改名", u"MnuEdit", false, false, false, true},
    {u"mnuBookMark", u"添加书签", u"MnuEdit"},
    {u"mnuInsert", u"插入", nullptr},
    {u"mnuInsertDate", u"日期", u"mnuInsert"},
    {u"mnuInsertDateShort", u"&Short", u"mnuInsertDate"},
    {u"mnuInsertDateMedium", u"&Medium", u"mnuInsertDate"},
    {u"mnuInsertDateLong", u"&Long", u"mnuInsertDate"},
    {u"mnuInsertTime", u"时间", u"mnuInsert"},
    {u"mnuInsertTimeShort", u"&Short", u"mnuInsertTime"},
    {u"mnuInsertTimeMedium", u"&Medium", u"mnuInsertTime"},
    {u"mnuInsertTimeLong", u"&Long", u"mnuInsertTime"},
    {u"mnuInsertPathAndFile", u"路径各文件名", u"mnuInsert"},
    {u"MnuFormat", u"格式", nullptr},
    {u"mnuformatfont", u"字体", u"MnuFormat"},
    {u"MnuPara", u"段落", u"MnuFormat", false, false, false, true},
    {u"MnuLeft", u"左", u"MnuPara"},
    {u"MnuCenter", u"中", u"MnuPara"},
    {u"MnuRight", u"右", u"MnuPara"},
    {u"MnuFcolor", u"前景色", u"MnuFormat"},
    {u"mnuBbolor", u"背景色", u"MnuFormat"},
    {u"mnuView", u"工具", nullptr},
    {u"mnuSettings", u"设置", u"mnuView", false, false, false, true},
    {u"MnuJiSuan", u"计算器", u"mnuView"},
    // No command: a new case starts from the case list, and the chart window has its own calendar.
    {u"MnuWanNian", u"万年历", u"mnuView", true, true},
    {u"MnuBZZS", u"八字知识", u"mnuView", false, false, false, true},
    {u"MnuBMadd", u"书签添加", u"mnuView"},
    {u"mnuViewBookMarks", u"书签显示", u"mnuView", false, false, true},
    {u"MnuFD", u"放大", u"mnuView", true},
    {u"mnuHuanyuan", u"还原", u"mnuView", true},
    {u"MnuHeLpZt", u"帮助", nullptr},
    {u"MnuHeLp", u"帮助主题", u"MnuHeLpZt"},
    {u"MNUZHUYE", u"进入主页", u"MnuHeLpZt"},
    {u"mnuAbout", u"关    于", u"MnuHeLpZt"},
};

}  // namespace library
