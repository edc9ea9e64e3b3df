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

bool isWorkFolderFile(const QString& fileName) {
    static const QRegularExpression pagePattern(QStringLiteral("^(GREENNOTE|BLUENOTE|REDNOTE)[0-9]+\\.rtf$"),
                                                QRegularExpression::CaseInsensitiveOption);
    return fileName.compare(QStringView(kWorkDatabaseName), Qt::CaseInsensitive) == 0 ||
           pagePattern.match(fileName).hasMatch();
}

}  // namespace core
