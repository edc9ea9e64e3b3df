// The chart window's annotations: the explanation of a picked star or palace from the rule
// database, the general knowledge text, and the enlarged view of the annotation box.
#include "windows/frm_ba_zi.h"

#include "core/conversions.h"
#include "core/rule_database.h"
#include "platform/dao/dao.h"
#include "platform/forms/error_report.h"
#include "platform/forms/combobox.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/richtextbox.h"
#include "windows/chart_annotations.h"
#include "windows/frm_fang_da.h"

#include <QPlainTextEdit>

namespace windows {

namespace {

dao::Database openRuleDatabase() {
    return dao::DBEngine::defaultWorkspace().openDatabase(core::ruleDatabasePath(), false, false,
                                                          QString::fromUtf16(core::kRuleConnect));
}

// The readable explanation of `table` row `id`; empty when the row is missing or its text is Null.
// A database or table that cannot be read raises.
QString explanation(dao::Database& db, const QString& table, int id) {
    dao::Recordset rs =
        db.openRecordset(QStringLiteral("SELECT description FROM ") + table + QStringLiteral(" WHERE id =") + QString::number(id),
                         dao::dbOpenSnapshot);
    QString text;
    if (!rs.eof()) {
        const vb::Variant v = rs.value(QStringLiteral("Description"));
        if (!v.isNull()) text = core::UnscrambleText(v.toString());
    }
    rs.close();
    return text;
}

}  // namespace

void FrmBaZi::showAnnotation(const char* procedure, const QString& table, int row, int fallbackRow) {
    QString text;
    try {
        dao::Database db = openRuleDatabase();
        text = explanation(db, table, row);
        // A missing or empty explanation shows the fallback, never the previous pick's text.
        if (text.isEmpty()) text = explanation(db, QStringLiteral("saveM"), fallbackRow);
        db.close();
    } catch (const vb::Error& e) {
        // The box keeps what it shows. An unreadable rule database is said once, not at every pick,
        // until a pick reads it again.
        if (!annotationFailureReported_) {
            annotationFailureReported_ = true;
            forms::reportError(e, QStringLiteral(" frmBaZi::") + QLatin1String(procedure));
        }
        return;
    }
    annotationFailureReported_ = false;
    txtDuiZao_->setPlainText(text);
}

void FrmBaZi::cboMg_Click() {
    if (cboMg_->listIndex() < 0) return;
    showAnnotation("cboMg_Click", QStringLiteral("saveM"), cboMg_->listIndex() + 1, kStarFallbackRow);
    annotationTitle_ = cboMg_->text();
}

void FrmBaZi::cboDZ_Click() {
    if (cboDZ_->listIndex() < 0) return;
    annotationTitle_ = cboDZ_->text();
    showAnnotation("cboDZ_Click", QStringLiteral("saveY"), cboDZ_->listIndex() + 1, kPalaceFallbackRow);
}

void FrmBaZi::MnuZS_Click() {
    // A rule database that cannot be read is reported as the annotations report it, and the
    // enlarged window is not opened on a text it could not get.
    guarded("MnuZS_Click", [this] {
        QString text;
        bool found = false;
        {
            dao::Database db = openRuleDatabase();
            dao::Recordset rs = db.openRecordset(QStringLiteral("SELECT a FROM zs  "), dao::dbOpenSnapshot);
            if (!rs.eof()) {
                const vb::Variant v = rs.value(QStringLiteral("a"));
                text = v.isNull() ? QString() : v.toString();
                found = true;
            }
            rs.close();
            db.close();
        }
        FrmFangDa& big = forms::defaultInstance<FrmFangDa>();
        big.ShowCentredOn(this);
        if (found) big.TxtFd()->setText(text);
        big.appendTitle(QStringLiteral("知识"));
    });
}

void FrmBaZi::txtDuiZao_DblClick() {
    guarded("txtDuiZao_DblClick", [this] {
        FrmFangDa& big = forms::defaultInstance<FrmFangDa>();
        big.ShowCentredOn(this);
        big.TxtFd()->setText(txtDuiZao_->toPlainText());
        big.appendTitle(annotationTitle_);
    });
}

}  // namespace windows
