// Draws the button pictures of the formatting bar and of the item-detail tool strip: for each glyph a
// released look ("_u", raised) and a pressed look ("_d", sunken, the glyph one pixel down and right),
// 22 by 21 pixels; and the flat pictures CODE, NOTES, USAGE and FILES of an item's pages. All in the
// 16 colours of the classic palette. In a glyph '#' is black ink, '.' the button face, and the letters below
// name the other palette colours.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 22;
constexpr int kHeight = 21;

// The glyphs, '#' ink; each is centred on the button face.
struct Glyph {
    const char* name;
    std::vector<const char*> rows;
};

const std::array<Glyph, 22> kGlyphs{{
    // Text colour (the key keeps its old name "new"): a letter over a bar of colour.
    {"new", {
        "....##....",
        "....##....",
        "...#..#...",
        "...#..#...",
        "..#....#..",
        "..######..",
        ".#......#.",
        ".#......#.",
        "##......##",
        "..........",
        "rrrrrrrrrr",
        "rrrrrrrrrr",
    }},
    // Select all (the key keeps its old name "open"): every line of a page inside a dashed frame.
    {"open", {
        "#.#.#.#.#.#.#",
        ".............",
        "#.nnnnnnnnn.#",
        ".............",
        "#.nnnnnnn...#",
        ".............",
        "#.nnnnnnnnn.#",
        ".............",
        "#.nnnnnn....#",
        ".............",
        "#.#.#.#.#.#.#",
    }},
    {"print", {
        "...########...",
        "...#wwwwww#...",
        "...#w####w#...",
        "...#wwwwww#...",
        ".############.",
        "#ssssssssssss#",
        "#ssssssssssss#",
        "#sssssssssgg##",
        "#ssssssssssss#",
        ".############.",
        "..#wwwwwwww#..",
        "..##########..",
    }},
    {"find", {
        "..####........",
        ".#wwww#.......",
        "#wwccww#......",
        "#wcwwww#......",
        "#wwwwww#......",
        "#wwwwww#......",
        ".#wwww#.......",
        "..#####.......",
        "......###.....",
        ".......###....",
        "........###...",
        ".........##...",
    }},
    {"cut", {
        "..#.....#..",
        "..#.....#..",
        "..##...##..",
        "...#...#...",
        "...##.##...",
        "....###....",
        ".....#.....",
        "...nn.nn...",
        "..n..n..n..",
        ".n...n...n.",
        ".n...n...n.",
        "..nnn.nnn..",
    }},
    {"copy", {
        "######......",
        "#wwww##.....",
        "#w##w#w#....",
        "#wwww######.",
        "#w###nwwww##",
        "#wwwwnw##wnw",
        "#w###nwwwwnn",
        "#wwwwnw####n",
        "#####nwwwwwn",
        ".....nw####n",
        ".....nwwwwwn",
        ".....nnnnnnn",
    }},
    {"paste", {
        "....####....",
        ".###ssss###.",
        "#mmm####mmm#",
        "#mmmmmmmmmm#",
        "#mmmm#######",
        "#mmmm#wwwww#",
        "#mmmm#w###w#",
        "#mmmm#wwwww#",
        "#mmmm#w###w#",
        "#mmmm#wwwww#",
        ".##########.",
    }},
    {"color", {
        ".....##.....",
        "....####....",
        "....#..#....",
        "...##..##...",
        "...######...",
        "..##....##..",
        "..##....##..",
        ".###....###.",
        "............",
        "rrrrrrrrrrrr",
        "rrrrrrrrrrrr",
    }},
    {"bullet", {
        "nn..........",
        "nn..########",
        "............",
        "............",
        "nn..........",
        "nn..########",
        "............",
        "............",
        "nn..........",
        "nn..########",
    }},
    {"bigsmall", {
        "#####....#####",
        "##..........##",
        "#.#........#.#",
        "#..#......#..#",
        "#...######...#",
        "....#wwww#....",
        "....#wwww#....",
        "#...######...#",
        "#..#......#..#",
        "#.#........#.#",
        "##..........##",
        "#####....#####",
    }},
    {"bookmark", {
        ".###########.",
        "#nnnnnnnnnnw#",
        "#nnnnnnnnnnw#",
        "#nnnrrnnnnnw#",
        "#nnnrrnnnnnw#",
        "#nnnrrnnnnnw#",
        "#nnnrrnnnnnw#",
        "#nnnrrnnnnnw#",
        "#nnnnnnnnnnw#",
        "#nnnnnnnnnnw#",
        ".#wwwwwwwwww#",
        "..##########.",
    }},
    {"mark", {
        "##.........",
        "##rrrrrrr..",
        "##rrrrrrrr.",
        "##rrrrrrr..",
        "##rrrrrr...",
        "##rrrrrrr..",
        "##rrrrrrrr.",
        "##.........",
        "##.........",
        "##.........",
        "##.........",
        "####.......",
    }},
    {"save", {
        "############",
        "#n#wwwwww#n#",
        "#n#wwwwww#n#",
        "#n#wwwwww#n#",
        "#n########n#",
        "#nnnnnnnnnn#",
        "#nn######nn#",
        "#nn#ss#ww#n#",
        "#nn#ss#ww#n#",
        ".###########",
    }},
    {"left", {
        "############",
        "",
        "########",
        "",
        "############",
        "",
        "########",
        "",
        "############",
        "",
        "########",
    }},
    {"center", {
        "############",
        "",
        "..########",
        "",
        "############",
        "",
        "..########",
        "",
        "############",
        "",
        "..########",
    }},
    {"right", {
        "############",
        "",
        "....########",
        "",
        "############",
        "",
        "....########",
        "",
        "############",
        "",
        "....########",
    }},
    {"bold", {
        "#######..",
        ".##...##.",
        ".##...##.",
        ".##...##.",
        ".######..",
        ".##...##.",
        ".##....##",
        ".##....##",
        ".##...##.",
        "#######..",
    }},
    {"italic", {
        "...######",
        ".....##..",
        ".....##..",
        "....##...",
        "....##...",
        "...##....",
        "...##....",
        "..##.....",
        "..##.....",
        "######...",
    }},
    {"underline", {
        "###...###",
        ".#.....#.",
        ".#.....#.",
        ".#.....#.",
        ".#.....#.",
        ".#.....#.",
        ".#.....#.",
        "..#...#..",
        "...###...",
        ".........",
        "#########",
    }},
    {"wordb", {
        "...#.........",
        "..##.#.....#.",
        ".###.#.....#.",
        "####.#..#..#.",
        ".###.#.#.#.#.",
        "..##.##...##.",
        "...#.#.....#.",
    }},
    {"wordf", {
        ".........#...",
        ".#.....#.##..",
        ".#.....#.###.",
        ".#..#..#.####",
        ".#.#.#.#.###.",
        ".##...##.##..",
        ".#.....#.#...",
    }},
    {"backcolor", {
        "....#....",
        "...#.#...",
        "..#...#..",
        "..#####..",
        ".#.....#.",
        ".#.....#.",
        ".........",
        "#########",
        "#########",
    }},
}};

// The 16-colour palette the pictures are stored in.
const QList<QRgb> kPalette{0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
                           0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
                           0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

// The palette index a glyph character paints, or -1 for the button face.
int inkColour(char c) {
    switch (c) {
    case '#': return 0;   // black
    case 'm': return 1;   // maroon
    case 'g': return 2;   // green
    case 'n': return 4;   // navy
    case 'c': return 6;   // teal
    case 's': return 8;   // grey
    case 'r': return 9;   // red
    case 'y': return 11;  // yellow
    case 'w': return 15;  // white
    default: return -1;
    }
}

// The flat pictures of the item's pages, 16 by 16 on the window's face colour.
constexpr int kBadgeSize = 16;
const std::array<Glyph, 4> kBadges{{
    {"CODE", {
        ".##########.",
        "#.#........#",
        "#.#.######.#",
        "#.#........#",
        "#.#.######.#",
        "#.#........#",
        "#.#.####...#",
        "#.#........#",
        "#.#........#",
        ".##########.",
    }},
    {"NOTES", {
        "##########",
        "#........#",
        "#.######.#",
        "#........#",
        "#.######.#",
        "#........#",
        "#.####...#",
        "#......###",
        "#......##.",
        "########..",
    }},
    {"USAGE", {
        "....##....",
        "...#..#...",
        "..#....#..",
        "..#....#..",
        "...#..#...",
        "....##....",
        "....##....",
        "...####...",
        "...#..#...",
        "...####...",
    }},
    {"FILES", {
        "...###......",
        "..#...#.....",
        "..#...#.###.",
        "...###.#...#",
        "..#...##...#",
        ".#.....####.",
        "#.....#....#",
        "#....#......#",
        "#####.......#",
        ".....########",
    }},
}};

QImage badge(const Glyph& glyph) {
    QImage image(kBadgeSize, kBadgeSize, QImage::Format_RGB32);
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    int glyphWidth = 0;
    for (const char* row : glyph.rows) glyphWidth = std::max(glyphWidth, static_cast<int>(std::strlen(row)));
    const int left = (kBadgeSize - glyphWidth) / 2;
    const int top = (kBadgeSize - static_cast<int>(glyph.rows.size())) / 2;
    for (int y = 0; y < static_cast<int>(glyph.rows.size()); ++y)
        for (int x = 0; glyph.rows[y][x]; ++x)
            if (glyph.rows[y][x] == '#') image.setPixel(left + x, top + y, 0xFF000080);
    return image;
}


QImage draw(const Glyph& glyph, bool pressed) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter p(&image);
    const QColor light(0xFF, 0xFF, 0xFF), shadow(0x80, 0x80, 0x80), dark(0, 0, 0);
    const int r = kWidth - 1, b = kHeight - 1;
    // Raised: light top-left, dark bottom-right; sunken the other way round.
    p.setPen(pressed ? shadow : light);
    p.drawLine(0, 0, r - 1, 0);
    p.drawLine(0, 0, 0, b - 1);
    p.setPen(pressed ? light : dark);
    p.drawLine(0, b, r, b);
    p.drawLine(r, 0, r, b);
    p.setPen(pressed ? dark : shadow);
    if (pressed) {
        p.drawLine(1, 1, r - 2, 1);
        p.drawLine(1, 1, 1, b - 2);
    } else {
        p.drawLine(1, b - 1, r - 1, b - 1);
        p.drawLine(r - 1, 1, r - 1, b - 1);
    }
    p.end();

    int glyphWidth = 0;
    for (const char* row : glyph.rows) glyphWidth = std::max(glyphWidth, static_cast<int>(std::strlen(row)));
    const int left = (kWidth - glyphWidth) / 2 + (pressed ? 1 : 0);
    const int top = (kHeight - static_cast<int>(glyph.rows.size())) / 2 + (pressed ? 1 : 0);
    for (int y = 0; y < static_cast<int>(glyph.rows.size()); ++y)
        for (int x = 0; glyph.rows[y][x]; ++x)
            if (const int colour = inkColour(glyph.rows[y][x]); colour >= 0) image.setPixel(left + x, top + y, kPalette[colour]);
    return image.convertToFormat(QImage::Format_Indexed8, kPalette, Qt::ThresholdDither);
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: button-pictures <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const Glyph& g : kGlyphs) {
        for (bool pressed : {false, true}) {
            const QString path = QStringLiteral("%1/%2_%3.png").arg(folder, QLatin1String(g.name), pressed ? "d" : "u");
            if (!draw(g, pressed).save(path, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    for (const Glyph& g : kBadges) {
        const QString path = QStringLiteral("%1/%2.png").arg(folder, QLatin1String(g.name));
        if (!badge(g).convertToFormat(QImage::Format_Indexed8, kPalette, Qt::ThresholdDither).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
