#include "tests/core_editor/editor_fixture.h"

#include "core/richtext_commands.h"
#include "tests/support/test_env.h"

namespace editortest {

MainWindowStandIn::MainWindowStandIn()
    : txtCode_(new forms::RichTextBox(QStringLiteral("txtCode"), &window_)),
      dialog_(new forms::CommonDialog(QStringLiteral("dlgCommonDialog1"), &window_)),
      fonts_(new forms::ComboBox(QStringLiteral("cboFontCombo"), &window_)),
      sizes_(new forms::ComboBox(QStringLiteral("cboSizeCombo"), &window_)) {
    for (const auto& keys : core::kButtonPictureKeys) {
        for (const char* key : {keys.pressed, keys.released}) {
            const QString name = QString::fromLatin1(key);
            pictures_.insert(name, QPixmap(testenv::sourceDir() + "/data/pictures/" + name + ".png"));
        }
    }
    fonts_->addItems(
        {QStringLiteral("Arial"), QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("黑体")});
    for (int size = 6; size <= 70; ++size) sizes_->addItem(QStringLiteral(" %1").arg(size));
    core::setEditorHost(this);
}

MainWindowStandIn::~MainWindowStandIn() { core::setEditorHost(nullptr); }

void MainWindowStandIn::setButtonPicture(core::ButtonBar bar, int index, const QPixmap& picture) {
    QString key = QStringLiteral("?");
    for (auto it = pictures_.cbegin(); it != pictures_.cend(); ++it)
        if (!picture.isNull() && it.value().cacheKey() == picture.cacheKey()) key = it.key();
    shown_[{bar, index}] = key;
    log_ << QStringLiteral("%1 %2 %3").arg(bar == core::ButtonBar::Alignment ? "A" : "F").arg(index).arg(key);
}

QString MainWindowStandIn::shown(core::ButtonBar bar, int index) const {
    const auto it = shown_.find({bar, index});
    return it == shown_.end() ? QString() : it->second;
}

void EditorTest::select(const QString& text) {
    box().setSelStart(static_cast<int>(box().text().indexOf(text)));
    box().setSelLength(static_cast<int>(text.size()));
}

}  // namespace editortest
