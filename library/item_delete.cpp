#include "library/item_delete.h"

#include "core/data_object.h"
#include "core/globals.h"
#include "core/text_helpers.h"
#include "core/work_database.h"
#include "platform/dao/dao.h"

#include <QFile>

namespace library {

void deleteItemRecords(const QList<QString>& keys) {
    dao::Workspace ws = dao::DBEngine::defaultWorkspace();
    ws.beginTrans();
    try {
        for (const QString& key : keys) {
            const vb::Variant id = core::keyValue(key);
            core::gWorkDB.execute(QStringLiteral("delete from codeitems where id = ?"), {id});
            core::gWorkDB.execute(QStringLiteral("delete from bookmarks where codeid = ?"), {id});
            core::gWorkDB.execute(QStringLiteral("delete from codefiles where codeid = ?"), {id});
        }
        ws.commitTrans();
    } catch (...) {
        ws.rollback();
        throw;
    }
    // The rows are gone for good; a page that cannot be removed now stays behind harmlessly, since
    // ids are never given out again.
    for (const QString& key : keys)
        for (core::ItemPage page : {core::ItemPage::Code, core::ItemPage::Notes, core::ItemPage::Example}) {
            const QString path = core::gWorkPath + core::pageFileName(page, key);
            if (core::FileExists(path)) QFile::remove(path);
        }
    dao::DBEngine::idle(dao::dbRefreshCache);
}

}  // namespace library
