#include "core/startup.h"

#include "platform/dao/dao.h"
#include "platform/vb/error.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace core {

QString ruleDatabasePath() {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromUtf16(kRuleDatabaseName);
}

void TestOpenRuleDatabase() {
    for (int attempt = 1;; ++attempt) {
        try {
            dao::Workspace ws = dao::DBEngine::defaultWorkspace();
            dao::Database db = ws.openDatabase(ruleDatabasePath(), false, false, QString::fromUtf16(kRuleConnect));
            db.close();
            return;
        } catch (const vb::Error&) {
            if (attempt == 2) throw;
        }
    }
}

bool Main(const std::function<void()>& showMainWindow) {
    try {
        TestOpenRuleDatabase();
    } catch (const vb::Error& e) {
        QMessageBox::critical(nullptr, QCoreApplication::applicationName(),
                              QStringLiteral("Run-time error '%1':\n\n%2").arg(e.number()).arg(e.description()));
        return false;
    }
    showMainWindow();
    return true;
}

}  // namespace core
