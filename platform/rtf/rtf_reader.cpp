#include "platform/rtf/rtf_reader.h"

#include "platform/rtf/code_pages.h"
#include "platform/rtf/rtf_tokenizer.h"
#include "platform/vb/twips.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace rtf {

namespace {

// Where the text of a group goes.
enum class Dest {
    Text,               // the document
    FontTable,          // font entries: \fN \fcharsetN name;
    ColorTable,         // \redN\greenN\blueN;
    Pn,                 // a paragraph's numbering (\pn...)
    ListTable,          // Word's list definitions
    List,               //   one list
    ListLevel,          //     one of its levels
    ListOverrideTable,  // \lsN to list id
    ListOverride,
    Skip,               // not read
};

enum class Action {
    // Character formatting
    Plain, Bold, Italic, Strike, Hidden, Underline, UnderlineNone, Font, FontSize, Foreground,
    Background, Super, Sub, NoSuperSub,
    // The run's script context and the "associated" properties that apply in it
    DoubleByteRun, SingleByteRun, RightToLeftRun, LeftToRightRun, AssocBold, AssocItalic, AssocFontSize,
    // Paragraph formatting
    Pard, AlignLeft, AlignCenter, AlignRight, AlignJustify, LeftIndent, RightIndent, FirstIndent,
    TabStop, TabRight, TabCenter, TabDecimal, ListOverrideIndex, ListLevel,
    PnBullet, PnBody, PnContinue, PnOutline, PnDecimal, PnUpperRoman, PnLowerRoman, PnUpperAlpha,
    PnLowerAlpha,
    // Lists and list tables
    ListId, LevelNumberFormat,
    // Text
    Par, LineBreak, Tab, Cell, Row, Page, Unicode, UnicodeSkip, Character,
    // Tables of the header
    Red, Green, Blue, FontCharset, CodePage, Ansi, Mac, Pc, Pca, DefaultFont, Binary,
    // Destinations
    DestFontTable, DestColorTable, DestPn, DestListTable, DestList, DestListLevel,
    DestListOverrideTable, DestListOverride, DestSkip,
};

struct Keyword {
    std::string_view word;
    Action action;
    char16_t character = 0;  // for Action::Character
    int value = 0;           // an underline style for Action::Underline
};

// Every control word the reader acts on, sorted by word. Words not listed are ignored.
constexpr std::array kKeywords{
    Keyword{"ab", Action::AssocBold},
    Keyword{"afs", Action::AssocFontSize},
    Keyword{"aftnsep", Action::DestSkip},
    Keyword{"ai", Action::AssocItalic},
    Keyword{"annotation", Action::DestSkip},
    Keyword{"ansi", Action::Ansi},
    Keyword{"ansicpg", Action::CodePage},
    Keyword{"atnauthor", Action::DestSkip},
    Keyword{"atnid", Action::DestSkip},
    Keyword{"author", Action::DestSkip},
    Keyword{"b", Action::Bold},
    Keyword{"background", Action::DestSkip},
    Keyword{"bin", Action::Binary},
    Keyword{"bkmkend", Action::DestSkip},
    Keyword{"bkmkstart", Action::DestSkip},
    Keyword{"blue", Action::Blue},
    Keyword{"bullet", Action::Character, u'\u2022'},
    Keyword{"cb", Action::Background},
    Keyword{"cell", Action::Cell},
    Keyword{"cf", Action::Foreground},
    Keyword{"chcbpat", Action::Background},
    Keyword{"colorschememapping", Action::DestSkip},
    Keyword{"colortbl", Action::DestColorTable},
    Keyword{"comment", Action::DestSkip},
    Keyword{"datastore", Action::DestSkip},
    Keyword{"dbch", Action::DoubleByteRun},
    Keyword{"deff", Action::DefaultFont},
    Keyword{"docvar", Action::DestSkip},
    Keyword{"emdash", Action::Character, u'\u2014'},
    Keyword{"emspace", Action::Character, u'\u2003'},
    Keyword{"endash", Action::Character, u'\u2013'},
    Keyword{"enspace", Action::Character, u'\u2002'},
    Keyword{"f", Action::Font},
    Keyword{"falt", Action::DestSkip},
    Keyword{"fcharset", Action::FontCharset},
    Keyword{"fi", Action::FirstIndent},
    Keyword{"filetbl", Action::DestSkip},
    Keyword{"fldinst", Action::DestSkip},
    Keyword{"fname", Action::DestSkip},
    Keyword{"fonttbl", Action::DestFontTable},
    Keyword{"footer", Action::DestSkip},
    Keyword{"footerf", Action::DestSkip},
    Keyword{"footerl", Action::DestSkip},
    Keyword{"footerr", Action::DestSkip},
    Keyword{"footnote", Action::DestSkip},
    Keyword{"formfield", Action::DestSkip},
    Keyword{"fs", Action::FontSize},
    Keyword{"ftncn", Action::DestSkip},
    Keyword{"ftnsep", Action::DestSkip},
    Keyword{"ftnsepc", Action::DestSkip},
    Keyword{"generator", Action::DestSkip},
    Keyword{"green", Action::Green},
    Keyword{"header", Action::DestSkip},
    Keyword{"headerf", Action::DestSkip},
    Keyword{"headerl", Action::DestSkip},
    Keyword{"headerr", Action::DestSkip},
    Keyword{"hich", Action::SingleByteRun},
    Keyword{"highlight", Action::Background},
    Keyword{"i", Action::Italic},
    Keyword{"ilvl", Action::ListLevel},
    Keyword{"info", Action::DestSkip},
    Keyword{"keywords", Action::DestSkip},
    Keyword{"latentstyles", Action::DestSkip},
    Keyword{"ldblquote", Action::Character, u'\u201C'},
    Keyword{"levelnfc", Action::LevelNumberFormat},
    Keyword{"levelnfcn", Action::LevelNumberFormat},
    Keyword{"levelnumbers", Action::DestSkip},
    Keyword{"leveltext", Action::DestSkip},
    Keyword{"li", Action::LeftIndent},
    Keyword{"lin", Action::LeftIndent},
    Keyword{"line", Action::LineBreak},
    Keyword{"list", Action::DestList},
    Keyword{"listid", Action::ListId},
    Keyword{"listlevel", Action::DestListLevel},
    Keyword{"listname", Action::DestSkip},
    Keyword{"listoverride", Action::DestListOverride},
    Keyword{"listoverridetable", Action::DestListOverrideTable},
    Keyword{"listpicture", Action::DestSkip},
    Keyword{"listtable", Action::DestListTable},
    Keyword{"listtext", Action::DestSkip},
    Keyword{"loch", Action::SingleByteRun},
    Keyword{"lquote", Action::Character, u'\u2018'},
    Keyword{"ls", Action::ListOverrideIndex},
    Keyword{"ltrch", Action::LeftToRightRun},
    Keyword{"ltrmark", Action::Character, u'\u200E'},
    Keyword{"mac", Action::Mac},
    Keyword{"mmathPr", Action::DestSkip},
    Keyword{"nestcell", Action::Cell},
    Keyword{"nestrow", Action::Row},
    Keyword{"nonshppict", Action::DestSkip},
    Keyword{"nosupersub", Action::NoSuperSub},
    Keyword{"object", Action::DestSkip},
    Keyword{"operator", Action::DestSkip},
    Keyword{"page", Action::Page},
    Keyword{"panose", Action::DestSkip},
    Keyword{"par", Action::Par},
    Keyword{"pard", Action::Pard},
    Keyword{"pc", Action::Pc},
    Keyword{"pca", Action::Pca},
    Keyword{"pgdsctbl", Action::DestSkip},
    Keyword{"pict", Action::DestSkip},
    Keyword{"plain", Action::Plain},
    Keyword{"pn", Action::DestPn},
    Keyword{"pndec", Action::PnDecimal},
    Keyword{"pnlcltr", Action::PnLowerAlpha},
    Keyword{"pnlcrm", Action::PnLowerRoman},
    Keyword{"pnlvl", Action::PnOutline},
    Keyword{"pnlvlblt", Action::PnBullet},
    Keyword{"pnlvlbody", Action::PnBody},
    Keyword{"pnlvlcont", Action::PnContinue},
    Keyword{"pntext", Action::DestSkip},
    Keyword{"pntxta", Action::DestSkip},
    Keyword{"pntxtb", Action::DestSkip},
    Keyword{"pnucltr", Action::PnUpperAlpha},
    Keyword{"pnucrm", Action::PnUpperRoman},
    Keyword{"private", Action::DestSkip},
    Keyword{"protusertbl", Action::DestSkip},
    Keyword{"qc", Action::AlignCenter},
    Keyword{"qd", Action::AlignJustify},
    Keyword{"qj", Action::AlignJustify},
    Keyword{"ql", Action::AlignLeft},
    Keyword{"qmspace", Action::Character, u'\u2005'},
    Keyword{"qr", Action::AlignRight},
    Keyword{"rdblquote", Action::Character, u'\u201D'},
    Keyword{"red", Action::Red},
    Keyword{"revtbl", Action::DestSkip},
    Keyword{"ri", Action::RightIndent},
    Keyword{"rin", Action::RightIndent},
    Keyword{"row", Action::Row},
    Keyword{"rquote", Action::Character, u'\u2019'},
    Keyword{"rsidtbl", Action::DestSkip},
    Keyword{"rtlch", Action::RightToLeftRun},
    Keyword{"rtlmark", Action::Character, u'\u200F'},
    Keyword{"rxe", Action::DestSkip},
    Keyword{"sect", Action::Page},
    Keyword{"shp", Action::DestSkip},
    Keyword{"shppict", Action::DestSkip},
    Keyword{"strike", Action::Strike},
    Keyword{"striked", Action::Strike},
    Keyword{"stylesheet", Action::DestSkip},
    Keyword{"sub", Action::Sub},
    Keyword{"subject", Action::DestSkip},
    Keyword{"super", Action::Super},
    Keyword{"tab", Action::Tab},
    Keyword{"tc", Action::DestSkip},
    Keyword{"template", Action::DestSkip},
    Keyword{"themedata", Action::DestSkip},
    Keyword{"title", Action::DestSkip},
    Keyword{"tqc", Action::TabCenter},
    Keyword{"tqdec", Action::TabDecimal},
    Keyword{"tqr", Action::TabRight},
    Keyword{"tx", Action::TabStop},
    Keyword{"txe", Action::DestSkip},
    Keyword{"u", Action::Unicode},
    Keyword{"uc", Action::UnicodeSkip},
    Keyword{"ul", Action::Underline, 0, QTextCharFormat::SingleUnderline},
    Keyword{"uld", Action::Underline, 0, QTextCharFormat::DotLine},
    Keyword{"uldash", Action::Underline, 0, QTextCharFormat::DashUnderline},
    Keyword{"uldashd", Action::Underline, 0, QTextCharFormat::DashDotLine},
    Keyword{"uldashdd", Action::Underline, 0, QTextCharFormat::DashDotDotLine},
    Keyword{"uldb", Action::Underline, 0, QTextCharFormat::SingleUnderline},
    Keyword{"ulhwave", Action::Underline, 0, QTextCharFormat::WaveUnderline},
    Keyword{"ulldash", Action::Underline, 0, QTextCharFormat::DashUnderline},
    Keyword{"ulnone", Action::UnderlineNone},
    Keyword{"ulth", Action::Underline, 0, QTextCharFormat::SingleUnderline},
    Keyword{"ulthd", Action::Underline, 0, QTextCharFormat::DotLine},
    Keyword{"ulthdash", Action::Underline, 0, QTextCharFormat::DashUnderline},
    Keyword{"ulw", Action::Underline, 0, QTextCharFormat::SingleUnderline},
    Keyword{"ulwave", Action::Underline, 0, QTextCharFormat::WaveUnderline},
    Keyword{"upr", Action::DestSkip},
    Keyword{"userprops", Action::DestSkip},
    Keyword{"v", Action::Hidden},
    Keyword{"wgrffmtfilter", Action::DestSkip},
    Keyword{"xe", Action::DestSkip},
    Keyword{"xmlnstbl", Action::DestSkip},
    Keyword{"zwj", Action::Character, u'\u200D'},
    Keyword{"zwnj", Action::Character, u'\u200C'},
};

constexpr bool keywordsSorted() {
    for (std::size_t i = 1; i < kKeywords.size(); ++i)
        if (!(kKeywords[i - 1].word < kKeywords[i].word)) return false;
    return true;
}
static_assert(keywordsSorted(), "kKeywords must stay sorted for the binary search");

const Keyword* findKeyword(QByteArrayView word) {
    const std::string_view w(word.data(), static_cast<std::size_t>(word.size()));
    const auto it = std::lower_bound(kKeywords.begin(), kKeywords.end(), w,
                                     [](const Keyword& k, std::string_view x) { return k.word < x; });
    return it != kKeywords.end() && it->word == w ? &*it : nullptr;
}

// Word's list number formats (\levelnfc) to list styles; formats not listed count as decimal.
struct NumberFormatStyle {
    int numberFormat;
    QTextListFormat::Style style;
};
constexpr std::array kNumberFormatStyles{
    NumberFormatStyle{0, QTextListFormat::ListDecimal},
    NumberFormatStyle{1, QTextListFormat::ListUpperRoman},
    NumberFormatStyle{2, QTextListFormat::ListLowerRoman},
    NumberFormatStyle{3, QTextListFormat::ListUpperAlpha},
    NumberFormatStyle{4, QTextListFormat::ListLowerAlpha},
    NumberFormatStyle{23, QTextListFormat::ListDisc},
    NumberFormatStyle{255, QTextListFormat::ListStyleUndefined},  // no number
};

QTextListFormat::Style styleOfNumberFormat(int numberFormat) {
    for (const auto& n : kNumberFormatStyles)
        if (n.numberFormat == numberFormat) return n.style;
    return QTextListFormat::ListDecimal;
}

// Limits that keep hostile values from reaching the layout: ±22 inches for indents and tab stops
// (the largest a rich-edit control accepts), 1 to 1638 points for sizes.
constexpr int kMaxTwips = 31680;
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxTabStops = 64;
constexpr int kMaxListLevel = 8;
constexpr int kMaxUnicodeSkip = 16;
constexpr std::size_t kMaxDepth = 1000;
constexpr double kTwipsPerPixel = vb::kTwipsPerPixel;  // as a double: the divisions are exact

int clampTwips(int v) { return std::clamp(v, -kMaxTwips, kMaxTwips); }

struct CharState {
    int font = -1;  // -1: the default font (\deff)
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false;
    QTextCharFormat::UnderlineStyle underline = QTextCharFormat::NoUnderline;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
    int foreground = 0;  // colour table index; 0 is the automatic colour
    int background = 0;
    // Writers such as LibreOffice give Chinese text its bold, italic and size as the "associated"
    // properties (\ab \ai \afs) of a double-byte run (\dbch); those of a right-to-left run are not ours.
    bool doubleByteRun = false;
    bool rightToLeftRun = false;
    bool associatedApply() const { return doubleByteRun && !rightToLeftRun; }
    friend bool operator==(const CharState&, const CharState&) = default;
};

enum class PnKind { None, Bullet, Numbered, Continue };

struct ParaState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0;  // twips
    int right = 0;
    int firstLine = 0;
    QList<QTextOption::Tab> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
    int listOverride = 0;  // \ls; 0 for none
    int listLevel = 0;     // \ilvl
    PnKind pnKind = PnKind::None;
    QTextListFormat::Style pnStyle = QTextListFormat::ListDecimal;
};

struct GroupState {
    Dest dest = Dest::Text;
    CharState ch;
    ParaState para;
    int unicodeSkip = 1;  // \uc
};

struct FontEntry {
    QString name;
    int charset = -1;
};

struct ListDefinition {
    int id = 0;
    std::vector<int> levelFormats;
};

class Reader {
public:
    Reader(QByteArrayView data, QTextDocument& document)
        : tokens_(data), document_(document), cursor_(&document) {}

    bool run();
    // Binary data ran past the end of the input.
    bool binaryCutOff() const { return binaryCutOff_; }
    bool onlyBlanksLeft() const { return tokens_.onlyBlanksLeft(); }

private:
    GroupState& state() { return stack_.back(); }

    void handleWord(const Token& t);
    void handleSymbol(char symbol);
    void handleText(QByteArrayView bytes);
    void handleByte(char byte);
    void pushGroup();
    void popGroup();
    void setDest(Dest dest);

    void appendCharacter(char16_t c);
    void flushBytes();
    void flushText();
    void finishFontName();
    void ensureBlock(const QTextCharFormat& first = {});
    void finishParagraph(bool byMark);
    bool blockHasContent() const { return !blockPending_ && cursor_.block().length() > 1; }

    int codePage() const;
    QTextCharFormat charFormat(const CharState& ch) const;
    // The format of the current state: runs in one state share it, so it is made once for them.
    const QTextCharFormat& currentCharFormat();
    QTextListFormat::Style listStyle(const ParaState& para) const;

    // Skips the binary data of \binN.
    void skipBinary(int count) {
        if (tokens_.skip(count) < count) binaryCutOff_ = true;
    }

    Tokenizer tokens_;
    bool binaryCutOff_ = false;
    QTextDocument& document_;
    QTextCursor cursor_;
    CodePageDecoder decoder_;

    std::vector<GroupState> stack_;
    std::size_t extraDepth_ = 0;  // groups beyond kMaxDepth, read in their parent's state
    bool starPending_ = false;    // \* was read: the next word names an optional destination
    int fallbackToSkip_ = 0;      // fallback characters after \uN still to drop

    int documentCodePage_ = kCodePageWestern;
    int defaultFont_ = 0;
    std::map<int, FontEntry> fonts_;
    int fontEntry_ = -1;
    QByteArray fontNameBytes_;
    QString fontNameText_;

    std::vector<QColor> colors_;
    int red_ = -1, green_ = -1, blue_ = -1;

    std::vector<ListDefinition> lists_;
    std::map<int, int> overrides_;  // \ls to list id
    int overrideListId_ = 0;
    int overrideIndex_ = 0;

    QByteArray pendingBytes_;  // text bytes not yet decoded
    QString pendingText_;      // decoded text not yet inserted, in the current formats
    bool blockPending_ = false;  // a \par ended the last block; the next one starts with content
    std::optional<CharState> madeFor_;  // the state `made_` was made for; none after a table changed
    QTextCharFormat made_;
    QTextBlockFormat newBlockFormat_;  // the format the current block was given when it was inserted
    QTextList* lastList_ = nullptr;
    QTextListFormat::Style lastListStyle_ = QTextListFormat::ListStyleUndefined;
    int lastListIndent_ = 0;
};

bool Reader::run() {
    stack_.emplace_back();  // outside every group: nothing there is read
    stack_.back().dest = Dest::Skip;
    cursor_.beginEditBlock();
    bool complete = false;
    for (Token t = tokens_.next(); t.kind != Token::Kind::End; t = tokens_.next()) {
        if (fallbackToSkip_ > 0) {
            switch (t.kind) {
            case Token::Kind::GroupStart:
            case Token::Kind::GroupEnd:
                fallbackToSkip_ = 0;
                break;
            case Token::Kind::Text: {
                const qsizetype n = std::min<qsizetype>(fallbackToSkip_, t.text.size());
                fallbackToSkip_ -= static_cast<int>(n);
                t.text = t.text.sliced(n);
                if (t.text.isEmpty()) continue;
                break;
            }
            default:
                --fallbackToSkip_;
                if (t.kind == Token::Kind::ControlWord && t.text == "bin" && t.parameter > 0)
                    skipBinary(t.parameter);
                continue;
            }
        }
        if (t.kind != Token::Kind::ControlWord) starPending_ = false;
        switch (t.kind) {
        case Token::Kind::GroupStart:
            flushText();
            pushGroup();
            break;
        case Token::Kind::GroupEnd:
            flushText();
            if (stack_.size() == 2 && extraDepth_ == 0) {
                // The document's group closes: its last paragraph takes the formats in effect here.
                if (!blockPending_) finishParagraph(false);
                complete = true;
            } else {
                popGroup();
            }
            break;
        case Token::Kind::ControlWord:
            handleWord(t);
            break;
        case Token::Kind::ControlSymbol:
            handleSymbol(t.symbol);
            break;
        case Token::Kind::HexByte:
            handleByte(static_cast<char>(t.parameter));
            break;
        case Token::Kind::Text:
            handleText(t.text);
            break;
        case Token::Kind::End:
            break;
        }
        if (complete) break;
    }
    flushText();
    if (!complete && !blockPending_) finishParagraph(false);  // cut off: the last paragraph as far as it went
    cursor_.endEditBlock();
    return complete;
}

void Reader::pushGroup() {
    if (stack_.size() >= kMaxDepth) {
        ++extraDepth_;
        return;
    }
    if (stack_.size() == 1) {
        stack_.emplace_back();  // the document's own group
    } else {
        stack_.push_back(stack_.back());
    }
}

void Reader::popGroup() {
    if (extraDepth_ > 0) {
        --extraDepth_;
        return;
    }
    if (stack_.size() <= 1) return;
    const GroupState done = stack_.back();
    stack_.pop_back();
    switch (done.dest) {
    case Dest::FontTable:
        if (state().dest != Dest::FontTable) finishFontName();
        break;
    case Dest::Pn:
        state().para.pnKind = done.para.pnKind;
        state().para.pnStyle = done.para.pnStyle;
        break;
    case Dest::ListOverride:
        if (state().dest == Dest::ListOverrideTable && overrideIndex_ > 0)
            overrides_[overrideIndex_] = overrideListId_;
        break;
    default:
        break;
    }
}

void Reader::setDest(Dest dest) {
    state().dest = dest;
    switch (dest) {
    case Dest::FontTable:
        fontEntry_ = -1;
        break;
    case Dest::List:
        lists_.emplace_back();
        break;
    case Dest::ListLevel:
        if (!lists_.empty()) lists_.back().levelFormats.push_back(0);
        break;
    case Dest::ListOverride:
        overrideListId_ = 0;
        overrideIndex_ = 0;
        break;
    default:
        break;
    }
}

void Reader::handleSymbol(char symbol) {
    if (state().dest == Dest::Skip) return;
    switch (symbol) {
    case '*':
        flushText();
        starPending_ = true;
        break;
    case '~':
        appendCharacter(u'\u00A0');
        break;
    case '_':
        appendCharacter(u'\u2011');
        break;
    default:  // \- (optional hyphen), \| \: (index marks) and stray symbols show nothing
        break;
    }
}

void Reader::handleWord(const Token& t) {
    const Keyword* k = findKeyword(t.text);
    const bool starred = std::exchange(starPending_, false);
    GroupState& s = state();
    if (s.dest == Dest::Skip) {
        if (k && k->action == Action::Binary && t.parameter > 0) skipBinary(t.parameter);
        return;
    }
    if (!k) {
        if (starred) setDest(Dest::Skip);  // an optional destination this reader does not know
        return;
    }
    const int p = t.parameter;
    const bool on = !t.hasParameter || p != 0;

    // Words that add characters keep the pending text; every other word may change the formats,
    // so the text so far is put into the document first.
    switch (k->action) {
    case Action::Character:
        appendCharacter(k->character);
        return;
    case Action::Tab:
    case Action::Cell:
        appendCharacter(u'\t');
        return;
    case Action::LineBreak:
        appendCharacter(u'\u2028');
        return;
    case Action::Unicode: {
        const int code = p < 0 ? p + 65536 : p;
        if (t.hasParameter && code > 0 && code <= 0xFFFF) appendCharacter(static_cast<char16_t>(code));
        fallbackToSkip_ = s.unicodeSkip;
        return;
    }
    default:
        break;
    }
    flushText();

    if (starred) {
        switch (k->action) {
        case Action::DestPn:
        case Action::DestListTable:
        case Action::DestListOverrideTable:
            break;
        default:
            setDest(Dest::Skip);
            return;
        }
    }

    switch (k->action) {
    // Destinations
    case Action::DestFontTable:
        setDest(Dest::FontTable);
        return;
    case Action::DestColorTable:
        setDest(Dest::ColorTable);
        return;
    case Action::DestPn:
        setDest(Dest::Pn);
        return;
    case Action::DestListTable:
        setDest(Dest::ListTable);
        return;
    case Action::DestList:
        setDest(s.dest == Dest::ListTable ? Dest::List : Dest::Skip);
        return;
    case Action::DestListLevel:
        setDest(s.dest == Dest::List ? Dest::ListLevel : Dest::Skip);
        return;
    case Action::DestListOverrideTable:
        setDest(Dest::ListOverrideTable);
        return;
    case Action::DestListOverride:
        setDest(s.dest == Dest::ListOverrideTable ? Dest::ListOverride : Dest::Skip);
        return;
    case Action::DestSkip:
        setDest(Dest::Skip);
        return;
    // The header
    case Action::Ansi:
        documentCodePage_ = kCodePageWestern;
        return;
    case Action::Mac:
        documentCodePage_ = 10000;
        return;
    case Action::Pc:
        documentCodePage_ = 437;
        return;
    case Action::Pca:
        documentCodePage_ = 850;
        return;
    case Action::CodePage:
        if (p > 0 && p < 65536) documentCodePage_ = p;
        return;
    case Action::DefaultFont:
        defaultFont_ = p;
        return;
    case Action::Binary:
        if (p > 0) skipBinary(p);
        return;
    case Action::UnicodeSkip:
        s.unicodeSkip = std::clamp(p, 0, kMaxUnicodeSkip);
        return;
    default:
        break;
    }

    switch (s.dest) {
    case Dest::FontTable:
        if (k->action == Action::Font) {
            finishFontName();
            fontEntry_ = p;
            fonts_[p] = FontEntry{};
        } else if (k->action == Action::FontCharset && fontEntry_ >= 0) {
            fonts_[fontEntry_].charset = p;
        }
        return;
    case Dest::ColorTable:
        if (k->action == Action::Red) red_ = std::clamp(p, 0, 255);
        if (k->action == Action::Green) green_ = std::clamp(p, 0, 255);
        if (k->action == Action::Blue) blue_ = std::clamp(p, 0, 255);
        return;
    case Dest::List:
        if (k->action == Action::ListId && !lists_.empty()) lists_.back().id = p;
        return;
    case Dest::ListLevel:
        if (k->action == Action::LevelNumberFormat && !lists_.empty() && !lists_.back().levelFormats.empty())
            lists_.back().levelFormats.back() = p;
        return;
    case Dest::ListOverride:
        if (k->action == Action::ListId) overrideListId_ = p;
        if (k->action == Action::ListOverrideIndex) overrideIndex_ = p;
        return;
    case Dest::ListTable:
    case Dest::ListOverrideTable:
    case Dest::Skip:
        return;
    case Dest::Text:
    case Dest::Pn:
        break;
    }

    CharState& ch = s.ch;
    ParaState& para = s.para;
    switch (k->action) {
    case Action::Plain:
        ch = CharState{};
        break;
    case Action::Bold:
        ch.bold = on;
        break;
    case Action::Italic:
        ch.italic = on;
        break;
    case Action::DoubleByteRun:
        ch.doubleByteRun = true;
        break;
    case Action::SingleByteRun:
        ch.doubleByteRun = false;
        break;
    case Action::RightToLeftRun:
        ch.rightToLeftRun = true;
        break;
    case Action::LeftToRightRun:
        ch.rightToLeftRun = false;
        break;
    case Action::AssocBold:
        if (ch.associatedApply()) ch.bold = on;
        break;
    case Action::AssocItalic:
        if (ch.associatedApply()) ch.italic = on;
        break;
    case Action::AssocFontSize:
        if (ch.associatedApply())
            ch.halfPoints = p > 0 ? std::clamp(p, kMinHalfPoints, kMaxHalfPoints) : kDefaultHalfPoints;
        break;
    case Action::Strike:
        ch.strike = on;
        break;
    case Action::Hidden:
        ch.hidden = on;
        break;
    case Action::Underline:
        ch.underline = on ? static_cast<QTextCharFormat::UnderlineStyle>(k->value) : QTextCharFormat::NoUnderline;
        break;
    case Action::UnderlineNone:
        ch.underline = QTextCharFormat::NoUnderline;
        break;
    case Action::Font:
        ch.font = p;
        break;
    case Action::FontSize:
        ch.halfPoints = p > 0 ? std::clamp(p, kMinHalfPoints, kMaxHalfPoints) : kDefaultHalfPoints;
        break;
    case Action::Foreground:
        ch.foreground = p;
        break;
    case Action::Background:
        ch.background = p;
        break;
    case Action::Super:
        ch.vertical = QTextCharFormat::AlignSuperScript;
        break;
    case Action::Sub:
        ch.vertical = QTextCharFormat::AlignSubScript;
        break;
    case Action::NoSuperSub:
        ch.vertical = QTextCharFormat::AlignNormal;
        break;
    case Action::Pard:
        para = ParaState{};
        break;
    case Action::AlignLeft:
        para.alignment = Qt::AlignLeft;
        break;
    case Action::AlignCenter:
        para.alignment = Qt::AlignHCenter;
        break;
    case Action::AlignRight:
        para.alignment = Qt::AlignRight;
        break;
    case Action::AlignJustify:
        para.alignment = Qt::AlignJustify;
        break;
    case Action::LeftIndent:
        para.left = clampTwips(p);
        break;
    case Action::RightIndent:
        para.right = clampTwips(p);
        break;
    case Action::FirstIndent:
        para.firstLine = clampTwips(p);
        break;
    case Action::TabRight:
        para.nextTabType = QTextOption::RightTab;
        break;
    case Action::TabCenter:
        para.nextTabType = QTextOption::CenterTab;
        break;
    case Action::TabDecimal:
        para.nextTabType = QTextOption::DelimiterTab;
        break;
    case Action::TabStop:
        if (para.tabs.size() < kMaxTabStops) {
            QTextOption::Tab tab(clampTwips(p) / kTwipsPerPixel, para.nextTabType);
            if (para.nextTabType == QTextOption::DelimiterTab) tab.delimiter = QLatin1Char('.');
            para.tabs.append(tab);
        }
        para.nextTabType = QTextOption::LeftTab;
        break;
    case Action::ListOverrideIndex:
        para.listOverride = std::max(p, 0);
        break;
    case Action::ListLevel:
        para.listLevel = std::clamp(p, 0, kMaxListLevel);
        break;
    case Action::PnBullet:
        para.pnKind = PnKind::Bullet;
        break;
    case Action::PnBody:
    case Action::PnOutline:
        para.pnKind = PnKind::Numbered;
        break;
    case Action::PnContinue:
        para.pnKind = PnKind::Continue;
        break;
    case Action::PnDecimal:
        para.pnStyle = QTextListFormat::ListDecimal;
        break;
    case Action::PnUpperRoman:
        para.pnStyle = QTextListFormat::ListUpperRoman;
        break;
    case Action::PnLowerRoman:
        para.pnStyle = QTextListFormat::ListLowerRoman;
        break;
    case Action::PnUpperAlpha:
        para.pnStyle = QTextListFormat::ListUpperAlpha;
        break;
    case Action::PnLowerAlpha:
        para.pnStyle = QTextListFormat::ListLowerAlpha;
        break;
    case Action::Par:
    case Action::Row:
        if (s.dest == Dest::Text) finishParagraph(true);
        break;
    case Action::Page:
        if (s.dest == Dest::Text && blockHasContent()) finishParagraph(true);
        break;
    default:
        break;
    }
}

void Reader::handleText(QByteArrayView bytes) {
    switch (state().dest) {
    case Dest::Text:
        pendingBytes_.append(bytes);
        break;
    case Dest::FontTable:
        for (char c : bytes) {
            if (c == ';') {
                finishFontName();
            } else if (fontEntry_ >= 0) {
                fontNameBytes_.append(c);
            }
        }
        break;
    case Dest::ColorTable:
        for (char c : bytes) {
            if (c != ';') continue;
            madeFor_.reset();
            colors_.push_back(red_ < 0 && green_ < 0 && blue_ < 0
                                  ? QColor()
                                  : QColor(std::max(red_, 0), std::max(green_, 0), std::max(blue_, 0)));
            red_ = green_ = blue_ = -1;
        }
        break;
    default:
        break;
    }
}

void Reader::handleByte(char byte) {
    const Dest dest = state().dest;
    if (dest == Dest::Text) pendingBytes_.append(byte);
    if (dest == Dest::FontTable && fontEntry_ >= 0) fontNameBytes_.append(byte);
}

void Reader::appendCharacter(char16_t c) {
    const Dest dest = state().dest;
    if (dest == Dest::Text) {
        flushBytes();
        pendingText_.append(QChar(c));
    } else if (dest == Dest::FontTable && fontEntry_ >= 0) {
        const auto it = fonts_.find(fontEntry_);
        const int charset = it != fonts_.end() ? it->second.charset : -1;
        const int codePage = codePageOfCharset(charset, documentCodePage_);
        fontNameText_ += decoder_.decode(std::exchange(fontNameBytes_, {}), codePage);
        fontNameText_.append(QChar(c));
    }
}

// A font name as the font table can hold it: no ";" (which ends an entry), no control or
// non-character codes, no blanks around it. A name taken from damaged input is cleaned here, so that
// writing it and reading it back gives the same name, and saving twice the same bytes.
QString cleanFontName(const QString& raw) {
    QString name;
    name.reserve(raw.size());
    for (const QChar ch : raw) {
        const char16_t c = ch.unicode();
        if (c == u';' || c < 0x20 || c == 0x7F || c == u'\u2028' || c == u'\u2029' || c == u'\uFFFC' ||
            (c >= 0xFDD0 && c <= 0xFDEF) || c == 0xFFFE || c == 0xFFFF)
            continue;
        name.append(c == u'\u00A0' ? QChar(u' ') : ch);
    }
    return name.trimmed();
}

void Reader::finishFontName() {
    if (fontEntry_ < 0) return;
    FontEntry& font = fonts_[fontEntry_];
    const int codePage = codePageOfCharset(font.charset, documentCodePage_);
    fontNameText_ += decoder_.decode(std::exchange(fontNameBytes_, {}), codePage);
    if (font.name.isEmpty()) font.name = cleanFontName(fontNameText_);
    madeFor_.reset();
    fontNameText_.clear();
    fontEntry_ = -1;
}

int Reader::codePage() const {
    const int font = stack_.back().ch.font >= 0 ? stack_.back().ch.font : defaultFont_;
    const auto it = fonts_.find(font);
    if (it == fonts_.end() || it->second.charset < 0) return documentCodePage_;
    return codePageOfCharset(it->second.charset, documentCodePage_);
}

void Reader::flushBytes() {
    if (pendingBytes_.isEmpty()) return;
    pendingText_ += decoder_.decode(pendingBytes_, codePage());
    pendingBytes_.clear();
}

// Characters that must not reach the document as text: control characters other than the tab,
// paragraph separators (they would split blocks), the object and frame markers QTextDocument uses
// itself, and non-characters. A surrogate without its partner becomes U+FFFD.
QString cleanText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                out.append(text[i]);
                out.append(text[++i]);
            } else {
                out.append(QChar::ReplacementCharacter);
            }
            continue;
        }
        if (QChar::isLowSurrogate(c)) {
            out.append(QChar::ReplacementCharacter);
            continue;
        }
        if ((c < 0x20 && c != u'\t') || c == 0x7F || c == 0x2029 || c == 0xFFFC || c == 0xFFFE || c == 0xFFFF ||
            (c >= 0xFDD0 && c <= 0xFDEF))
            continue;
        out.append(QChar(c));
    }
    return out;
}

void Reader::flushText() {
    if (state().dest != Dest::Text) {
        pendingBytes_.clear();
        pendingText_.clear();
        return;
    }
    flushBytes();
    if (pendingText_.isEmpty()) return;
    const QString text = cleanText(std::exchange(pendingText_, {}));
    if (text.isEmpty() || state().ch.hidden) return;
    const QTextCharFormat& format = currentCharFormat();
    // A list marker is drawn in its block's own format: the block takes its first character's, as a
    // paragraph typed in the editor does, so the marker keeps the size and colour of its text.
    if (!blockPending_ && cursor_.block().length() == 1) cursor_.setBlockCharFormat(format);
    ensureBlock(format);
    cursor_.insertText(text, format);
}

const QTextCharFormat& Reader::currentCharFormat() {
    if (madeFor_ != state().ch) {
        made_ = charFormat(state().ch);
        madeFor_ = state().ch;
    }
    return made_;
}

QTextCharFormat Reader::charFormat(const CharState& ch) const {
    QTextCharFormat f;
    const auto font = fonts_.find(ch.font >= 0 ? ch.font : defaultFont_);
    if (font != fonts_.end() && !font->second.name.isEmpty()) f.setFontFamilies({font->second.name});
    f.setFontPointSize(ch.halfPoints / 2.0);
    f.setFontWeight(ch.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(ch.italic);
    f.setFontStrikeOut(ch.strike);
    f.setUnderlineStyle(ch.underline);
    if (ch.vertical != QTextCharFormat::AlignNormal) f.setVerticalAlignment(ch.vertical);
    auto colour = [this](int index) {
        return index > 0 && static_cast<std::size_t>(index) < colors_.size() ? colors_[static_cast<std::size_t>(index)]
                                                                             : QColor();
    };
    if (const QColor c = colour(ch.foreground); c.isValid()) f.setForeground(c);
    if (const QColor c = colour(ch.background); c.isValid()) f.setBackground(c);
    return f;
}

QTextListFormat::Style Reader::listStyle(const ParaState& para) const {
    if (para.listOverride > 0) {
        const auto override = overrides_.find(para.listOverride);
        if (override == overrides_.end()) return QTextListFormat::ListDisc;
        for (const auto& list : lists_) {
            if (list.id != override->second) continue;
            if (static_cast<std::size_t>(para.listLevel) >= list.levelFormats.size()) return QTextListFormat::ListDisc;
            return styleOfNumberFormat(list.levelFormats[static_cast<std::size_t>(para.listLevel)]);
        }
        return QTextListFormat::ListDisc;
    }
    switch (para.pnKind) {
    case PnKind::Bullet:
        return QTextListFormat::ListDisc;
    case PnKind::Numbered:
        return para.pnStyle;
    default:
        return QTextListFormat::ListStyleUndefined;
    }
}

void Reader::ensureBlock(const QTextCharFormat& first) {
    if (!blockPending_) return;
    // Paragraphs mostly keep the formats of the one before: given them now, the block seldom needs
    // them set again when it ends.
    cursor_.insertBlock(newBlockFormat_, first);
    blockPending_ = false;
}

void Reader::finishParagraph(bool byMark) {
    ensureBlock();
    const ParaState& para = state().para;
    const QTextListFormat::Style style = listStyle(para);
    const int listIndent = style == QTextListFormat::ListStyleUndefined ? 0 : para.listLevel + 1;

    // In a list the marker hangs in the list's own indent: the left indent less that indent is the
    // paragraph's margin, and a negative first-line indent only places the marker.
    const double indentWidth = document_.indentWidth();
    QTextBlockFormat block;
    if (para.alignment != Qt::AlignLeft) block.setAlignment(para.alignment);
    double left = para.left / kTwipsPerPixel;
    double first = para.firstLine / kTwipsPerPixel;
    if (listIndent > 0) {
        left = std::max(0.0, left - listIndent * indentWidth);
        first = std::max(0.0, first);
    }
    if (left != 0) block.setLeftMargin(left);
    if (first != 0) block.setTextIndent(first);
    if (para.right != 0) block.setRightMargin(para.right / kTwipsPerPixel);
    if (!para.tabs.isEmpty()) block.setTabPositions(para.tabs);
    if (block != newBlockFormat_ || cursor_.block().blockNumber() == 0) cursor_.setBlockFormat(block);
    newBlockFormat_ = block;

    if (listIndent > 0) {
        if (lastList_ && lastListStyle_ == style && lastListIndent_ == listIndent) {
            lastList_->add(cursor_.block());
        } else {
            QTextListFormat list;
            list.setStyle(style);
            list.setIndent(listIndent);
            lastList_ = cursor_.createList(list);
            lastListStyle_ = style;
            lastListIndent_ = listIndent;
        }
    } else {
        lastList_ = nullptr;
    }
    if (cursor_.block().length() == 1) cursor_.setBlockCharFormat(currentCharFormat());
    blockPending_ = byMark;
}

}  // namespace

bool looksLikeRtf(QByteArrayView data) {
    qsizetype i = 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n')) ++i;
    return data.sliced(i).startsWith("{\\rtf");
}

ReadResult read(QByteArrayView data, QTextDocument& document) {
    ReadResult result;
    if (!looksLikeRtf(data)) return result;
    result.isRtf = true;
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    Reader reader(data, document);
    result.complete = reader.run();
    result.whole = result.complete && !reader.binaryCutOff() && reader.onlyBlanksLeft();
    document.setUndoRedoEnabled(undo);
    return result;
}

}  // namespace rtf
