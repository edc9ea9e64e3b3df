#include "core/work_database.h"

#include <QRegularExpression>

namespace core {

QString pageFileName(ItemPage page, const QString& itemKey) {
    switch (page) {
    case ItemPage::Code: return QStringLiteral("GREENNOTE") + itemKey + QStringLiteral(".rtf");
    case ItemPage::Notes: return QStringLiteral("BLUENote") + itemKey + QStringLiteral(".rtf");
    case ItemPage::Example: return QStringLiteral("REDNOTE") + itemKey + QStringLiteral(".rtf");
    }
    return QString();
}

QString pageItemKey(const QString& fileName) {
    static const QRegularExpression pagePattern(QStringLiteral("^(?:GREENNOTE|BLUENOTE|REDNOTE)([0-9]+)\\.rtf$"),
                                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pagePattern.match(fileName);
    return m.hasMatch() ? m.captured(1) : QString();
}

bool isWorkFolderFile(const QString& fileName) {
    return fileName.compare(QStringView(kWorkDatabaseName), Qt::CaseInsensitive) == 0 || !pageItemKey(fileName).isEmpty();
}

}  // namespace core
