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
    // Two label-and-field pairs a row, the automatic-sizing list under its label across the page: its
    // items are longer than half the page. The tab order is the order of the fields below.
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 8, 8, 8);
    auto pair = [&](QWidget* field, const char* label, int row, int column) {
        auto* l = new QLabel(QString::fromLatin1(label), page);
        l->setBuddy(field);
        grid->addWidget(l, row, column);
        grid->addWidget(field, row, column + 1);
    };
    auto list = [&](int id, QStringList items, com::DispId prop) {
        auto* c = new QComboBox(page);
        c->setObjectName(QStringLiteral("ctl%1").arg(id));
        c->addItems(items);
        if (splitter()) c->setCurrentIndex(get(prop).toInt16());
        QObject::connect(c, &QComboBox::currentIndexChanged, c, [this] { setDirty(); });
        return c;
    };
    auto field = [&](int id, com::DispId prop) {
        QLineEdit* e = numberField(page, id, [](QLineEdit* f) { showNumber(f, widthOf(f)); });
        if (splitter()) showNumber(e, get(prop).toInt16());
        return e;
    };
    const QStringList bevels{QStringLiteral("None"), QStringLiteral("Inset"), QStringLiteral("Raised")};
    inner_ = list(211, bevels, kBevelInner);
    pair(inner_, "Bevel &Inner:", 0, 0);
    outer_ = list(212, bevels, kBevelOuter);
    pair(outer_, "Bevel &Outer:", 0, 2);
    autoSize_ = list(217,
                     {QStringLiteral("Not autosize child controls"),
                      QStringLiteral("Autosize child controls while moving splitter"),
                      QStringLiteral("Autosize child controls after splitter moved")},
                     kAutoSizeChildren);
    auto* autoSizeLabel = new QLabel(QStringLiteral("&Auto Size Children:"), page);
    autoSizeLabel->setBuddy(autoSize_);
    grid->addWidget(autoSizeLabel, 1, 0, 1, 4);
    grid->addWidget(autoSize_, 2, 0, 1, 4);
    bevelWidth_ = field(222, kBevelWidth);
    pair(bevelWidth_, "&Bevel Width:", 3, 0);
    borderWidth_ = field(215, kBorderWidth);
    pair(borderWidth_, "B&order Width:", 3, 2);
    outlineWidth_ = field(224, kOutlineWidth);
    pair(outlineWidth_, "&Outline Width:", 4, 0);
    splitterWidth_ = field(220, kSplitterWidth);
    pair(splitterWidth_, "&Splitter Width:", 4, 2);
    grid->setRowStretch(5, 1);
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
