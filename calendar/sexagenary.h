#pragma once
// The stem and branch cycles by position (stem 0 甲 … 9 癸, branch 0 子 … 11 亥; every position
// wraps), the nayin of a pillar and the zodiac animal of a branch.
#include <QString>

namespace calendar {

int wrap(int value, int cycle);

QString stemAt(int position);
QString branchAt(int position);
QString pillarAt(int stemPosition, int branchPosition);

// Position of a stem or branch character; -1 for any other text.
int stemPosition(const QString& stem);
int branchPosition(const QString& branch);

QString nayin(int stemPosition, int branchPosition);
QString zodiacAnimal(int branchPosition);

}  // namespace calendar
