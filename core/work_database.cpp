#include "core/work_database.h"

#include "platform/dao/dao.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

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

QString workDatabaseProblem(const QString& path) {
    QList<dao::TableColumns> tables;
    try {
        tables = dao::DBEngine::inspectDatabase(path);
    } catch (const vb::Error& e) {
        switch (e.number()) {
        case dao::kCouldNotFindFile: return QStringLiteral("文件不存在");
        case dao::kUnrecognizedDatabaseFormat:
            return QFileInfo(path).isFile() ? QStringLiteral("它不是数据库文件") : QStringLiteral("它不是普通文件");
        case dao::kDatabaseCorrupt: return QStringLiteral("数据库已损坏（未通过 SQLite 的快速检查）");
        case dao::kCannotOpenFile: return QStringLiteral("没有读取它的权限");
        default: return QStringLiteral("无法读取它（%1 %2）").arg(e.number()).arg(e.description());
        }
    }
    const auto find = [&tables](const QString& name) -> const dao::TableColumns* {
        for (const dao::TableColumns& t : tables)
            if (t.table.compare(name, Qt::CaseInsensitive) == 0) return &t;
        return nullptr;
    };
    for (const WorkTable& wanted : kWorkTables) {
        const QString name = QString::fromUtf16(wanted.name);
        const dao::TableColumns* table = find(name);
        if (!table) {
            if (wanted.madeWhenMissing) continue;
            return QStringLiteral("缺少数据表 %1").arg(name);
        }
        for (const QString& column : QString::fromUtf16(wanted.columns).split(u' ')) {
            const bool present = std::any_of(table->columns.begin(), table->columns.end(), [&](const QString& c) {
                return c.compare(column, Qt::CaseInsensitive) == 0;
            });
            if (!present) return QStringLiteral("数据表 %1 缺少列 %2").arg(name, column);
        }
    }
    return QString();
}

}  // namespace core
