#include "splitter/border_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace splitter {

BorderPage::BorderPage()
    : PropertyPageBase(QStringLiteral("General"), QStringLiteral("Splitter Windows Property Page")) {}

namespace {
// A width field's number: negative (or no number) becomes 0; above the 16-bit range, the largest width.
int16_t widthOf(QLineEdit* field) {
    int32_t v = 0;
    bool ok = false;
    const qlonglong wide = field->text().trimmed().toLongLong(&ok);
    if (!ok || wide < 0) v = 0;
    else v = static_cast<int32_t>(std::min<qlonglong>(wide, INT16_MAX));
    return static_cast<int16_t>(v);
}
}  // namespace

void BorderPage::build(QWidget* page) {
    auto* grid = new QGridLayout(page);
    int row = 0;
    auto list = [&](int id, const char* label, QStringList items, com::DispId prop) {
        auto* c = new QComboBox(page);
        c->setObjectName(QStringLiteral("ctl%1").arg(id));
        c->addItems(items);
        if (splitter()) c->setCurrentIndex(get(prop).toInt16());
        QObject::connect(c, &QComboBox::currentIndexChanged, c, [this] { setDirty(); });
        auto* l = new QLabel(QString::fromLatin1(label), page);
        l->setBuddy(c);
        grid->addWidget(l, row, 0);
        grid->addWidget(c, row++, 1);
        return c;
    };
    const QStringList bevels{QStringLiteral("None"), QStringLiteral("Inset"), QStringLiteral("Raised")};
    inner_ = list(211, "Bevel &Inner:", bevels, kBevelInner);
    outer_ = list(212, "Bevel &Outer:", bevels, kBevelOuter);
    autoSize_ = list(217, "&Auto Size Children:",
                     {QStringLiteral("Not autosize child controls"),
                      QStringLiteral("Autosize child controls while moving splitter"),
                      QStringLiteral("Autosize child controls after splitter moved")},
                     kAutoSizeChildren);
    auto field = [&](int id, const char* label, com::DispId prop) {
        QLineEdit* e = numberField(page, id, [](QLineEdit* f) { showNumber(f, widthOf(f)); });
        if (splitter()) showNumber(e, get(prop).toInt16());
        auto* l = new QLabel(QString::fromLatin1(label), page);
        l->setBuddy(e);
        grid->addWidget(l, row, 0);
        grid->addWidget(e, row++, 1);
        return e;
    };
    bevelWidth_ = field(222, "&Bevel Width:", kBevelWidth);
    borderWidth_ = field(215, "B&order Width:", kBorderWidth);
    outlineWidth_ = field(224, "&Outline Width:", kOutlineWidth);
    splitterWidth_ = field(220, "&Splitter Width:", kSplitterWidth);
}

void BorderPage::applyToObject() {
    put(kBevelInner, com::Value(int16_t(inner_->currentIndex())));
    put(kBevelOuter, com::Value(int16_t(outer_->currentIndex())));
    put(kAutoSizeChildren, com::Value(int16_t(autoSize_->currentIndex())));
    put(kBevelWidth, com::Value(widthOf(bevelWidth_)));
    put(kBorderWidth, com::Value(widthOf(borderWidth_)));
    put(kOutlineWidth, com::Value(widthOf(outlineWidth_)));
    put(kSplitterWidth, com::Value(widthOf(splitterWidth_)));
}

}  // namespace splitter
