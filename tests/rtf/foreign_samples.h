#pragma once
// RTF files as other programs write them, written by hand in those programs' manner.

namespace rtftest {

// WordPad on a Chinese Windows 7 (rich edit 4.1): GBK bytes in a charset-134 font, Symbol bullets
// in the \pn form, and paragraph spacing, which the editor does not keep.
inline constexpr const char* kWordPad =
    "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl{\\f0\\fnil\\fcharset134 "
    "\\'cb\\'ce\\'cc\\'e5;}{\\f1\\fnil\\fcharset0 Calibri;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
    "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\sa200\\sl276\\slmult1\\lang2052\\f0\\fs22"
    "\\'d7\\'cf\\'ce\\'a2\\'b6\\'b7\\'ca\\'fd\\lang1033\\f1  Zi Wei\\par\r\n"
    "\\pard\\qc\\b\\f0\\fs32\\'c3\\'fc\\'b9\\'ac\\b0\\f1\\fs22\\par\r\n"
    "\\pard{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}}\\fi-720\\li720\\sa200\\sl276"
    "\\slmult1\\cf1\\f0\\'cc\\'ab\\'d1\\'f4\\cf0\\f1\\par\r\n"
    "{\\pntext\\f2\\'B7\\tab}\\cf2\\ul\\f0\\'cc\\'ab\\'d2\\'f5\\ulnone\\cf0\\f1\\par\r\n"
    "\\pard\\sa200\\sl276\\slmult1\\tx1440\\tqr\\tx5760 a\\tab b\\tab c\\par\r\n"
    "}\r\n";

// The rich-text box of the program's earlier version (rich edit 2.0): 宋体 9 pt pages, a page
// that ends in "\par }" and characters outside GBK as \uN with "?".
inline constexpr const char* kRichTextBox =
    "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset134 "
    "\\'cb\\'ce\\'cc\\'e5;}{\\f1\\fswiss\\fprq2\\fcharset0 Arial;}}\r\n"
    "{\\colortbl ;\\red128\\green0\\blue128;}\r\n"
    "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs18\\'c3\\'fc\\'b9\\'ac\\'d6\\'f7\\'d0\\'c7\\'a3\\'ba\\cf1\\b\\'d7\\'cf"
    "\\'ce\\'a2\\cf0\\b0\\par\r\n"
    "\\pard\\li360\\ri180\\fi-180\\i\\f1 Note \\u-10179?\\u-8704?\\i0  \\u12354?\\line next\\par\r\n"
    "\\par }\r\n";

// Word 2003 with its list tables: \ls paragraphs, \listtext, associated fonts, a style sheet, an
// information group, theme data and optional destinations.
inline constexpr const char* kWord =
    "{\\rtf1\\adeflang1025\\ansi\\ansicpg936\\uc2\\adeff0\\deff0\\stshfdbch13\\stshfloch0\\deflang1033\\deflangfe2052"
    "{\\fonttbl{\\f0\\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}"
    "{\\f3\\froman\\fcharset2\\fprq2{\\*\\panose 05050102010706020507}Symbol;}\r\n"
    "{\\f13\\fnil\\fcharset134\\fprq2{\\*\\panose 02010600030101010101}\\'cb\\'ce\\'cc\\'e5{\\*\\falt SimSun};}}\r\n"
    "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n"
    "{\\stylesheet{\\qj \\li0\\ri0\\nowidctlpar\\wrapdefault\\fs21\\lang1033\\langfe2052\\kerning2\\loch\\f0\\hich\\af0"
    "\\dbch\\af13 \\snext0 Normal;}{\\*\\cs10 \\additive \\ssemihidden Default Paragraph Font;}}\r\n"
    "{\\*\\listtable{\\list\\listtemplateid-1{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\levelfollow0\\levelstartat1"
    "{\\leveltext\\leveltemplateid67698689\\'01\\u-3913 ?;}{\\levelnumbers;}\\f3\\fbias0 \\fi-420\\li420\\jclisttab"
    "\\tx420\\lin420 }{\\listname ;}\\listid1}\r\n"
    "{\\list\\listtemplateid-2{\\listlevel\\levelnfc0\\levelnfcn0\\leveljc0\\levelfollow0\\levelstartat1"
    "{\\leveltext\\leveltemplateid1\\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-420\\li420\\jclisttab\\tx420\\lin420 }"
    "{\\listname ;}\\listid2}}\r\n"
    "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}{\\listoverride\\listid2"
    "\\listoverridecount0\\ls2}}\r\n"
    "{\\info{\\title test}{\\author someone}{\\creatim\\yr2006\\mo5\\dy1\\hr10\\min2}}\\paperw11906\\paperh16838"
    "\\margl1800\\margr1800\\deftab420\\ftnbj\\viewkind1\\viewscale100{\\*\\fchars !),.:;?]\\}}{\\*\\lchars ([\\{}"
    "\\ltrpar \\sectd \\ltrsect\\linex0{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang {\\pntxta \\dbch .}}\r\n"
    "\\pard\\plain \\ltrpar\\qj \\li0\\ri0\\nowidctlpar\\wrapdefault\\itap0 \\fs21\\lang1033\\langfe2052\\kerning2\\loch\\af0"
    "\\hich\\af0\\dbch\\af13\\cgrid {\\rtlch \\af0 \\ltrch \\loch\\af0\\hich\\af0\\dbch\\af13\\insrsid1 \\hich\\af0"
    "\\dbch\\af13\\loch\\f0 Word }{\\rtlch \\ltrch \\b\\f13\\dbch\\af13\\insrsid1 \\'d7\\'cf\\'ce\\'a2}{\\ltrch "
    "\\insrsid1 \\par }\r\n"
    "{\\listtext\\pard\\plain\\ltrpar \\f3\\insrsid1 \\loch\\af3\\dbch\\af13\\hich\\f3 \\'b7\\tab}\\pard \\ltrpar\\qj "
    "\\fi-420\\li420\\nowidctlpar\\jclisttab\\tx420\\wrapdefault\\ls1\\adjustright\\lin420\\itap0 {\\cf2\\insrsid1 "
    "\\hich\\af0\\dbch\\af13\\loch\\f13 {\\uc2\\u22825\\'cc\\'ec}}{\\insrsid1 \\par }\r\n"
    "{\\listtext\\pard\\plain\\ltrpar \\insrsid1 \\hich\\af0\\dbch\\af13\\loch\\f0 1.\\tab}\\pard \\ltrpar\\qj "
    "\\fi-420\\li420\\nowidctlpar\\jclisttab\\tx420\\wrapdefault\\ls2\\adjustright\\lin420\\itap0 {\\insrsid1 one"
    "\\par }\r\n"
    "{\\*\\themedata 504b030414000600080000002100828abc13fa0000001c020000130000005b436f6e74656e745f54797065735d2e786d6c}\r\n"
    "{\\*\\datastore 0105000002000000180000004d73786d6c322e534158584d4c5265616465722e362e30000000000000}}\r\n";

// LibreOffice Writer: line breaks inside control words' runs, \'3f fallbacks, page-style tables.
inline constexpr const char* kLibreOffice =
    "{\\rtf1\\ansi\\deff3\\adeflang1025\r\n"
    "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f1\\froman\\fprq2\\fcharset2 Symbol;}"
    "{\\f2\\fswiss\\fprq2\\fcharset0 Arial;}{\\f3\\froman\\fprq2\\fcharset0 Liberation Serif{\\*\\falt Times New Roman};}"
    "{\\f4\\fnil\\fprq2\\fcharset134 Noto Sans CJK SC;}}\r\n"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green255\\blue0;}\r\n"
    "{\\stylesheet{\\s0\\snext0\\dbch\\af4\\langfe2052\\dbch\\af5\\afs24\\alang1081\\loch\\f3\\hich\\af3\\fs24\\lang1033 "
    "Normal;}\r\n{\\s15\\sbasedon0\\snext16\\ql\\sb240\\sa120\\keepn\\dbch\\af4\\loch\\f2\\fs28 Heading;}\r\n"
    "}{\\*\\generator LibreOffice/7.0.4.2$Linux_X86_64 LibreOffice_project/00$Build-2}{\\info{\\creatim\\yr2021\\mo3"
    "\\dy4\\hr10\\min5}}{\\*\\userprops}\\deftab709\r\n"
    "\\hyphauto1\\viewscale100\r\n"
    "{\\*\\pgdsctbl\r\n{\\pgdsc0\\pgdscuse451\\pgwsxn11906\\pghsxn16838\\marglsxn1134\\pgdscnxt0 Default Style;}}\r\n"
    "\\formshade{\\*\\pgdscno0}\\paperh16838\\paperw11906\\sectd\\sbknone\\sectunlocked1\\pgndec\\ftnbj\\ftnstart1\r\n"
    "{\\*\\ftnsep\\chftnsep}\\pgndec\\pard\\plain \\s0\\dbch\\af4\\langfe2052\\dbch\\af5\\afs24\\alang1081\\loch\\f3"
    "\\hich\\af3\\fs24\\lang1033\\qr{\\cf2\\highlight3\\rtlch \\ltrch\\loch\r\n"
    "Libre}{\\rtlch \\ltrch\\loch\\strike\r\n"
    " struck}{\\dbch\\af4\\rtlch \\ltrch\\loch\\f4\\hich\\af4\r\n"
    "\\u20013\\'3f\\u25991\\'3f}\r\n"
    "\\par \\pard\\plain \\s0\\loch\\f3\\fs24\\li567\\ri283\\fi-283{\\i\\rtlch \\ltrch\\loch\r\n"
    "Indented italic}\r\n"
    "\\par }";

}  // namespace rtftest
