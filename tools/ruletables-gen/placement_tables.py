#!/usr/bin/env python3
"""Writes the rule tables of the chart placement steps into data/rules/ (CSV + schema).

Each table follows from the placing rule of its stars, stated here once as a count from a starting
palace; the CSVs are committed, so the build never runs this script. Run it again after changing a
rule:  python3 tools/ruletables-gen/placement_tables.py [data/rules]

Palaces are numbered 0 (子) … 11 (亥); "forward" is rising number.
"""
import json
import os
import sys

BRANCHES = "子丑寅卯辰巳午未申酉戌亥"
STEMS = "甲乙丙丁戊己庚辛壬癸"
BUREAUS = [("水二局", 2), ("木三局", 3), ("金四局", 4), ("土五局", 5), ("火六局", 6)]
# The twelve palace names, counted backward from the life palace, as the palace-name labels show them.
PALACE_NAMES = ["命宫", "兄弟", "夫妻", "子女", "财帛", "疾厄", "迁移", "交友", "官禄", "田宅", "福德", "父母"]
LETTERS12 = "abcdefghijkl"
LETTERS10 = "abcdefghij"


def br(i):
    return BRANCHES[i % 12]


def idx(branch):
    return BRANCHES.index(branch)


# ---------------------------------------------------------------------------------------------
# 紫微 by bureau and lunar day: count the day up to the next multiple of the bureau number; the
# quotient, counted from 寅 as 1, is the palace; an odd remainder moves that many palaces back, an
# even one that many forward.
def ziwei(bureau, day):
    q = -(-day // bureau)
    x = q * bureau - day
    pos = 2 + q - 1
    return (pos - x if x % 2 else pos + x) % 12


# The 紫微 group, offsets from 紫微; the 天府 group, offsets from 天府. 天府 mirrors 紫微 across 寅申.
ZIWEI_GROUP = [("天机", -1), ("太阳", -3), ("武曲", -4), ("天同", -5), ("廉贞", -8)]
TIANFU_GROUP = [("太阴", 1), ("贪狼", 2), ("巨门", 3), ("天相", 4), ("天梁", 5), ("七杀", 6), ("破军", 10)]


def tianfu(zi):
    return (4 - zi) % 12


# Hour stars: start palace and direction, counted from the hour 子.
HOUR_STARS_MAJOR = [("文昌", 10, -1), ("文曲", 4, 1), ("地劫", 11, 1), ("地空", 11, -1)]
HOUR_STARS_MINOR = [("台辅", 6, 1), ("封诰", 2, 1)]
# 火星 and 铃星: the palace of the hour 子, by the year branch's triad.
FIRE_BELL_START = {  # triad of the year branch → (火星, 铃星)
    "寅午戌": ("丑", "卯"),
    "申子辰": ("寅", "戌"),
    "巳酉丑": ("卯", "戌"),
    "亥卯未": ("酉", "戌"),
}
TRIADS = ["寅午戌", "申子辰", "巳酉丑", "亥卯未"]


def triad(branch):
    return next(t for t in TRIADS if branch in t)


# Month stars, month 1 (正月) … 12 (腊月).
def month_rows():
    return [
        ("左辅", [br(4 + m) for m in range(12)]),
        ("右弼", [br(10 - m) for m in range(12)]),
        ("天刑", [br(9 + m) for m in range(12)]),
        ("天姚", [br(1 + m) for m in range(12)]),
        ("天巫", ["巳申寅亥"[m % 4] for m in range(12)]),
        ("天月", list("戌巳辰寅未卯亥未寅午戌寅")),
        ("阴煞", ["寅子戌申午辰"[m % 6] for m in range(12)]),
        ("解神", list("申申戌戌子子寅寅辰辰午午")),
    ]


# Stem stars, stem 甲 … 癸. 擎羊 and 陀罗 flank 禄存.
LUCUN = "寅卯巳午巳午申酉亥子"


def stem_rows():
    return [
        ("禄存", list(LUCUN)),
        ("擎羊", [br(idx(c) + 1) for c in LUCUN]),
        ("陀罗", [br(idx(c) - 1) for c in LUCUN]),
        ("天魁", list("丑子亥亥丑子丑午卯卯")),
        ("天钺", list("未申酉酉未申未寅巳巳")),
        ("天官", list("未辰巳寅卯酉亥酉戌午")),
        ("天福", list("酉申子亥卯寅午巳午巳")),
        ("天厨", list("巳午子巳午申寅午酉亥")),
    ]


# Year-branch stars, year branch 子 … 亥.
def by_triad(table):
    return [table[triad(b)] for b in BRANCHES]


def season(y):  # 亥子丑 0, 寅卯辰 1, 巳午未 2, 申酉戌 3
    return ((y + 1) // 3) % 4


def year_rows():
    return [
        ("天马", by_triad({"寅午戌": "申", "申子辰": "寅", "巳酉丑": "亥", "亥卯未": "巳"})),
        ("红鸾", [br(3 - y) for y in range(12)]),
        ("天喜", [br(9 - y) for y in range(12)]),
        ("天哭", [br(6 - y) for y in range(12)]),
        ("天虚", [br(6 + y) for y in range(12)]),
        ("龙池", [br(4 + y) for y in range(12)]),
        ("凤阁", [br(10 - y) for y in range(12)]),
        ("孤辰", [br(2 + 3 * season(y)) for y in range(12)]),
        ("寡宿", [br(10 + 3 * season(y)) for y in range(12)]),
        ("蜚廉", list("申酉戌巳午未寅卯辰亥子丑")),
        ("破碎", ["巳丑酉"[y % 3] for y in range(12)]),
        ("华盖", by_triad({"寅午戌": "戌", "申子辰": "辰", "巳酉丑": "丑", "亥卯未": "未"})),
        ("咸池", by_triad({"寅午戌": "卯", "申子辰": "酉", "巳酉丑": "午", "亥卯未": "子"})),
        ("天德", [br(9 + y) for y in range(12)]),
        ("月德", [br(5 + y) for y in range(12)]),
        ("天空", [br(y + 1) for y in range(12)]),
    ]


# 天才: from the life palace (as 子) forward to the year branch; the cell names that palace.
def tiancai_row():
    return [("天才", [PALACE_NAMES[(-y) % 12] for y in range(12)])]


# 天伤 in the palace of friends (交友), 天使 in the palace of health (疾厄), by the life palace.
def tianshang_rows():
    return [
        ("天伤", [br(m - PALACE_NAMES.index("交友")) for m in range(12)]),
        ("天使", [br(m - PALACE_NAMES.index("疾厄")) for m in range(12)]),
    ]


# 截路 and 空亡 by the year stem's pair (甲己, 乙庚, 丙辛, 丁壬, 戊癸): 截路 on the yang branch of
# the pair, 空亡 on the yin branch after it.
JIELU_PAIRS = ["申酉", "午未", "辰巳", "寅卯", "子丑"]

STAGES = ["长生", "沐浴", "冠带", "临官", "帝旺", "衰", "病", "死", "墓", "绝", "胎", "养"]
CHANGSHENG = {"水二局": "申", "木三局": "亥", "金四局": "巳", "土五局": "申", "火六局": "寅"}
GENERAL_STAR = {"寅午戌": "午", "申子辰": "子", "巳酉丑": "酉", "亥卯未": "卯"}
MINOR_START = {"a": "辰", "b": "戌", "c": "未", "d": "丑"}  # 寅午戌, 申辰子, 巳酉丑, 亥卯未
LIFE_RULER = ["贪狼", "巨门", "禄存", "文曲", "廉贞", "武曲", "破军", "武曲", "廉贞", "文曲", "禄存", "巨门"]
BODY_RULER = ["火星", "天相", "天梁", "天同", "文昌", "天机", "火星", "天相", "天梁", "天同", "文昌", "天机"]


# ---------------------------------------------------------------------------------------------
def col(name, width=None, chars=None, type_="text", max_width=None, **extra):
    c = {"name": name, "type": type_}
    if width is not None:
        c["width"] = width
    if max_width is not None:
        c["maxWidth"] = max_width
    if chars is not None:
        c["chars"] = chars
    c.update(extra)
    return c


def write_table(folder, name, key, columns, rows):
    for r in rows:
        assert len(r) == len(columns), (name, r)
        for cell in r:
            assert "," not in str(cell) and "\n" not in str(cell), (name, cell)
    schema = {"table": name, "key": key, "rows": len(rows), "columns": columns}
    lines = ["{",
             '  "table": %s,' % json.dumps(name, ensure_ascii=False),
             '  "key": %s,' % json.dumps(key, ensure_ascii=False),
             '  "rows": %d,' % len(rows),
             '  "columns": [']
    for i, c in enumerate(columns):
        lines.append("    " + json.dumps(c, ensure_ascii=False) + ("," if i + 1 < len(columns) else ""))
    lines += ["  ]", "}"]
    with open(os.path.join(folder, name + ".schema.json"), "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    with open(os.path.join(folder, name + ".csv"), "w", encoding="utf-8", newline="\n") as f:
        f.write(",".join(c["name"] for c in columns) + "\n")
        for r in rows:
            f.write(",".join(str(x) for x in r) + "\n")


def star_table(folder, name, rows, letters=LETTERS12, width=1, chars="branch", name_col="y"):
    columns = [col(name_col, max_width=4)] + [col(c, width, chars) for c in letters]
    write_table(folder, name, [name_col], columns, [[y] + cells for y, cells in rows])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "data", "rules")
    os.makedirs(folder, exist_ok=True)
    bureau_chars = "".join(sorted(set("".join(b for b, _ in BUREAUS)), key="".join(b for b, _ in BUREAUS).index))

    # Step 8: 紫微 by bureau and day.
    for name, days in (("EziweiB15", range(1, 16)), ("EziweiB30", range(16, 31))):
        columns = [col("n", 3, bureau_chars)] + [col("a%d" % k, 1, "branch") for k in range(1, 16)]
        rows = [[b] + [br(ziwei(n, d)) for d in days] for b, n in BUREAUS]
        write_table(folder, name, ["n"], columns, rows)

    # Steps 9 to 11.
    star_table(folder, "FZiWeiZhuX9", [(s, [br(z + off) for z in range(12)]) for s, off in ZIWEI_GROUP])
    star_table(folder, "GZiWeiTF10", [("天府", [br(tianfu(z)) for z in range(12)])])
    star_table(folder, "HAnTianFuX11", [(s, [br(f + off) for f in range(12)]) for s, off in TIANFU_GROUP])

    # Steps 12_1 to 12_3.
    star_table(folder, "iRiXiZX12_1", [(s, [br(start + d * h) for h in range(12)]) for s, start, d in HOUR_STARS_MAJOR])
    rows = []
    for y in BRANCHES:
        fire, bell = FIRE_BELL_START[triad(y)]
        rows.append(["火星", y] + [br(idx(fire) + h) for h in range(12)])
        rows.append(["铃星", y] + [br(idx(bell) + h) for h in range(12)])
    columns = [col("y", max_width=4), col("n", 1, "branch")] + [col(c, 1, "branch") for c in LETTERS12]
    write_table(folder, "iRiXiZX12_2", ["y", "n"], columns, rows)
    star_table(folder, "iRiXiZX12_3", [(s, [br(start + d * h) for h in range(12)]) for s, start, d in HOUR_STARS_MINOR])

    # Steps 13, 15_1, 17_1, 17_2, 21.
    star_table(folder, "jYUEXIZHUX13", month_rows())
    star_table(folder, "GanXiZx15_1", stem_rows(), letters=LETTERS10)
    star_table(folder, "kAZHIXIZHX17_1", year_rows())
    star_table(folder, "KAZHIXIZHX17_2", tiancai_row(), width=2, chars="".join(PALACE_NAMES))
    star_table(folder, "ATianSTSH21", tianshang_rows())

    # Step 19: 截路 then 空亡, per year stem.
    columns = [col("s", max_width=4)] + [col(c, 2, "branch") for c in LETTERS10]
    write_table(folder, "AJieLuKW19", ["s"], columns, [["截路空亡"] + [JIELU_PAIRS[s % 5] for s in range(10)]])

    # Step 20: the six ten-day cycles; n = the two branches the cycle leaves out.
    rows = []
    for start in range(0, 60, 10):
        rows.append([br(start + 10) + br(start + 11)] + [br(start + k) for k in range(10)])
    columns = [col("n", 2, "branch")] + [col(c, 1, "branch") for c in LETTERS10]
    write_table(folder, "AXUNZHXUNK20", ["n"], columns, rows)

    # Step 27: 子年斗君: from 戌 back to the birth month, then forward to the birth hour.
    columns = [col("y", 1, "branch")] + [col(c, 1, "branch") for c in LETTERS12]
    write_table(folder, "AziNianDJ27", ["y"], columns,
                [[br(h)] + [br(10 - m + h) for m in range(12)] for h in range(12)])

    # Steps 25 and 26: the k-th column holds the palace of the k-th name of the cycle.
    write_table(folder, "MSuiQzhX25", ["y"], columns, [[br(y)] + [br(y + k) for k in range(12)] for y in range(12)])
    write_table(folder, "NsuiQzzhX26", ["y"], columns,
                [[br(y)] + [br(idx(GENERAL_STAR[triad(br(y))]) + k) for k in range(12)] for y in range(12)])

    # Step 18: the twelve stages, a pair of columns per bureau (forward, backward).
    columns = [col("y", max_width=2)] + [col(c, 1, "branch") for c in LETTERS10]
    rows = []
    for k, stage in enumerate(STAGES):
        cells = []
        for b, _ in BUREAUS:
            s = idx(CHANGSHENG[b])
            cells += [br(s + k), br(s - k)]
        rows.append([stage] + cells)
    write_table(folder, "lZHANGSHEN18", ["y"], columns, rows)

    # Step 23: row r is the palace r − 1 back from the life palace; the text is its age range.
    columns = [col("ID", type_="long", min=1, max=12)]
    for letter, (_, n) in zip("abcde", BUREAUS):
        columns += [col(letter + "1", max_width=7, chars="0123456789-"), col(letter + "2", max_width=7, chars="0123456789-")]
    rows = []
    for r in range(1, 13):
        row = [r]
        for _, n in BUREAUS:
            for d in (1, 2):
                j = (13 - r) % 12 if d == 1 else r - 1
                row.append("%d-%d" % (n + 10 * j, n + 10 * j + 9))
        rows.append(row)
    write_table(folder, "OqiDAx23", ["ID"], columns, rows)

    # Step 24: row r is the palace of the minor period at nominal age r.
    columns = [col("ID", type_="long", min=1, max=12)]
    for letter in "abcd":
        columns += [col(letter + "1", 1, "branch"), col(letter + "2", 1, "branch")]
    rows = []
    for r in range(1, 13):
        row = [r]
        for letter in "abcd":
            s = idx(MINOR_START[letter])
            row += [br(s + r - 1), br(s - r + 1)]
        rows.append(row)
    write_table(folder, "PQiXX24", ["ID"], columns, rows)

    # Step 22.
    star_table(folder, "qMingZsZ22_1", [("命主", LIFE_RULER)], width=2, chars=None, name_col="s")
    star_table(folder, "QMingZsZ22_2", [("身主", BODY_RULER)], width=2, chars=None, name_col="s")


if __name__ == "__main__":
    main()
