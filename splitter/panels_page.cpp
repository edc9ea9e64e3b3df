#include "splitter/panels_page.h"

#include "platform/vb/codepage936.h"
#include "splitter/splitter_control.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace splitter {

namespace {

constexpr int kMaxNameLength = 300;

// The grid preview: equal cells, the current one in the halftone pattern.
class Preview final : public QFrame {
public:
    Preview(PanelsPage* page, QWidget* parent) : QFrame(parent), page_(page) {
        setObjectName(QStringLiteral("ctl201"));
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setFocusPolicy(Qt::ClickFocus);
        setFixedSize(75 * 6 / 4, (70 * 13 + 4) / 8);
    }
    QSize cellSize() const {
        const SplitterModel& m = page_->working();
        const QRect c = contentsRect();
        return {c.width() / m.colCount, c.height() / m.rowCount};
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QFrame::paintEvent(e);
        const SplitterModel& m = page_->working();
        const QRect area = contentsRect();
        const QSize cell = cellSize();
        QPainter p(this);
        p.setClipRect(area);
        p.translate(area.topLeft());
        const int w = m.col == m.colCount - 1 ? area.width() - cell.width() * m.col : cell.width();
        const int h = m.row == m.rowCount - 1 ? area.height() - cell.height() * m.row : cell.height();
        p.fillRect(QRect(m.col * cell.width(), m.row * cell.height(), w, h), QBrush(Qt::black, Qt::Dense4Pattern));
        p.setPen(Qt::black);
        for (int c = 1; c < m.colCount; ++c) p.drawLine(c * cell.width(), 0, c * cell.width(), area.height());
        for (int r = 1; r < m.rowCount; ++r) p.drawLine(0, r * cell.height(), area.width(), r * cell.height());
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        setFocus(Qt::MouseFocusReason);
        const QSize cell = cellSize();
        const QPoint at = e->position().toPoint() - contentsRect().topLeft();
        if (at.x() < 0 || at.y() < 0 || cell.width() <= 0 || cell.height() <= 0) return;
        page_->selectCell(at.x() / cell.width(), at.y() / cell.height());
    }

private:
    PanelsPage* page_;
};

}  // namespace

PanelsPage::PanelsPage() : PropertyPageBase(QStringLiteral("Panels"), QStringLiteral("Splitter Window Property Page")) {}

SplitterControl* PanelsPage::control() const {
    return splitter() ? SplitterControl::fromHandle(get(kGetControl).toInt64()) : nullptr;
}

void PanelsPage::readControl() {
    names_ = QStringList{QString::fromLatin1(kNoControl)};
    if (!splitter()) return;
    if (SplitterControl* c = control()) {
        work_ = c->model();
        c->listContainedControls(&names_);
    }
    readFrame();
    work_.colCount = get(kCols).toInt16();
    work_.rowCount = get(kRows).toInt16();
    work_.col = get(kCol).toInt16();
    work_.row = get(kRow).toInt16();
}

void PanelsPage::readFrame() {
    SplitterControl* c = control();
    if (!c) return;
    // What the General page may have applied since this page was filled.
    const SplitterModel& m = c->model();
    work_.bevelOuter = m.bevelOuter;
    work_.bevelInner = m.bevelInner;
    work_.bevelWidth = m.bevelWidth;
    work_.borderWidth = m.borderWidth;
    work_.outlineWidth = m.outlineWidth;
    work_.splitterWidth = m.splitterWidth;
    client_ = c->clientSize();
}

void PanelsPage::build(QWidget* page) {
    readControl();
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    preview_ = new Preview(this, page);
    grid->addWidget(preview_, 0, 0, 6, 1, Qt::AlignLeft | Qt::AlignTop);
    // Right of the preview, a column's value beside its row counterpart, one pair to a line.
    struct Field {
        int id;
        const char* label;
        QLineEdit* PanelsPage::*field;
        std::function<void(PanelsPage*, QLineEdit*)> onLeave;
    };
    const Field fields[] = {
        {226, "Co&ls:", &PanelsPage::cols_, [](PanelsPage* p, QLineEdit* f) { p->countLeft(Direction::Columns, f); }},
        {230, "Ro&ws:", &PanelsPage::rows_, [](PanelsPage* p, QLineEdit* f) { p->countLeft(Direction::Rows, f); }},
        {232, "&Col:", &PanelsPage::col_, [](PanelsPage* p, QLineEdit* f) { p->currentLeft(Direction::Columns, f); }},
        {234, "&Row:", &PanelsPage::row_, [](PanelsPage* p, QLineEdit* f) { p->currentLeft(Direction::Rows, f); }},
        {248, "&Width:", &PanelsPage::width_, [](PanelsPage* p, QLineEdit* f) { p->sizeLeft(Direction::Columns, f); }},
        {250, "&Height:", &PanelsPage::height_, [](PanelsPage* p, QLineEdit* f) { p->sizeLeft(Direction::Rows, f); }},
        {244, "MinW&idth:", &PanelsPage::minWidth_,
         [](PanelsPage* p, QLineEdit* f) { p->limitLeft(f, &p->work_.columns.min[p->work_.col], 0); }},
        {246, "MinH&eight:", &PanelsPage::minHeight_,
         [](PanelsPage* p, QLineEdit* f) { p->limitLeft(f, &p->work_.rows.min[p->work_.row], 0); }},
        {240, "MaxWi&dth:", &PanelsPage::maxWidth_,
         [](PanelsPage* p, QLineEdit* f) { p->limitLeft(f, &p->work_.columns.max[p->work_.col], -1); }},
        {242, "MaxHei&ght:", &PanelsPage::maxHeight_,
         [](PanelsPage* p, QLineEdit* f) { p->limitLeft(f, &p->work_.rows.max[p->work_.row], -1); }},
        {224, "VisibleWid&th:", &PanelsPage::visibleWidth_,
         [](PanelsPage* p, QLineEdit* f) { p->limitLeft(f, &p->work_.columns.visible[p->work_.col], 0); }},
        {220, "VisibleHeig&ht:", &PanelsPage::visibleHeight_,
         [](PanelsPage* p, QLineEdit* f) { p->limitLeft(f, &p->work_.rows.visible[p->work_.row], 0); }},
    };
    for (int i = 0; i < int(std::size(fields)); ++i) {
        const Field& f = fields[i];
        QLineEdit* e = numberField(page, f.id, [this, leave = f.onLeave](QLineEdit* e) { leave(this, e); });
        this->*f.field = e;
        auto* l = new QLabel(QString::fromLatin1(f.label), page);
        l->setBuddy(e);
        grid->addWidget(l, i / 2, 1 + i % 2 * 2);
        grid->addWidget(e, i / 2, 2 + i % 2 * 2);
    }
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    name_ = new QComboBox(page);
    name_->setObjectName(QStringLiteral("ctl203"));
    fillNames();
    QObject::connect(name_, &QComboBox::currentIndexChanged, name_, [this] {
        if (filling()) return;
        nameEdited_ = true;
        setDirty();
    });
    onFocusLost(name_, [this] { nameLeft(); });
    auto* l = new QLabel(QStringLiteral("Control &name in panel:"), page);
    l->setBuddy(name_);
    grid->addWidget(l, 6, 0);
    grid->addWidget(name_, 6, 1, 1, 4);
    // Shown again, another page may have applied in between: the page works with the control's
    // frame as it is now, and an untouched page shows all of the control as it is now.
    onShown(page, [this] {
        if (IsPageDirty() == com::S_OK) return readFrame();
        readControl();
        fillNames();
        showCurrent();
    });
    showCurrent();
}

void PanelsPage::fillNames() {
    Filling f(this);
    name_->clear();
    name_->addItems(names_);
}

void PanelsPage::showCurrent() {
    Filling f(this);
    const SplitterModel& m = work_;
    showNumber(cols_, m.colCount);
    showNumber(rows_, m.rowCount);
    showNumber(col_, m.col);
    showNumber(row_, m.row);
    showNumber(width_, m.columns.size[m.col]);
    showNumber(height_, m.rows.size[m.row]);
    showNumber(minWidth_, m.columns.min[m.col]);
    showNumber(minHeight_, m.rows.min[m.row]);
    showNumber(maxWidth_, m.columns.max[m.col]);
    showNumber(maxHeight_, m.rows.max[m.row]);
    showNumber(visibleWidth_, m.columns.visible[m.col]);
    showNumber(visibleHeight_, m.rows.visible[m.row]);
    const QString name = vb::fromCp936(m.panels[m.col * kMaxLines + m.row]);
    const int at = name_->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    name_->setCurrentIndex(at >= 0 ? at : 0);
    nameEdited_ = false;
    repaintPreview();
}

void PanelsPage::repaintPreview() {
    if (preview_) preview_->update();
}

bool PanelsPage::selectCell(int c, int r) {
    if (c < 0 || r < 0 || c >= work_.colCount || r >= work_.rowCount) return false;
    work_.col = static_cast<int16_t>(c);
    work_.row = static_cast<int16_t>(r);
    showCurrent();
    return true;
}

void PanelsPage::countLeft(Direction d, QLineEdit* field) {
    int32_t v = 0;
    if (readNumber(field, &v) && v >= 1 && v <= kMaxLines && v != work_.count(d)) {
        readFrame();
        for (int i = work_.count(d); i < v; ++i) work_.lines(d).resetEntry(i);
        work_.count(d) = static_cast<int16_t>(v);
        work_.current(d) = std::min<int16_t>(work_.current(d), static_cast<int16_t>(v - 1));
        work_.equalize(d, d == Direction::Columns ? client_.width() : client_.height());
    }
    showCurrent();
}

void PanelsPage::currentLeft(Direction d, QLineEdit* field) {
    int32_t v = 0;
    if (readNumber(field, &v) && v >= 0 && v < work_.count(d)) work_.current(d) = static_cast<int16_t>(v);
    showCurrent();
}

void PanelsPage::sizeLeft(Direction d, QLineEdit* field) {
    int32_t v = 0;
    LineArrays& a = work_.lines(d);
    const int i = work_.current(d);
    if (readNumber(field, &v) && a.accepts(i, v)) a.size[i] = v;
    showNumber(field, a.size[i]);
}

void PanelsPage::limitLeft(QLineEdit* field, int32_t* slot, int32_t negativeBecomes) {
    int32_t v = 0;
    if (readNumber(field, &v)) *slot = boundLimit(v, negativeBecomes);
    showNumber(field, *slot);
}

void PanelsPage::nameLeft() {
    if (!nameEdited_) return;
    nameEdited_ = false;
    const QByteArray name = vb::toCp936(name_->currentText().left(kMaxNameLength));
    const int current = work_.col * kMaxLines + work_.row;
    if (work_.panels[current] == name) return;
    for (int c = 0; c < work_.colCount; ++c)
        for (int r = 0; r < work_.rowCount; ++r)
            if (work_.panels[c * kMaxLines + r] == name) work_.panels[c * kMaxLines + r].clear();
    work_.panels[current] = name;
}

void PanelsPage::applyToObject() {
    nameLeft();
    put(kCols, com::Value(work_.colCount));
    put(kRows, com::Value(work_.rowCount));
    put(kCol, com::Value(work_.col));
    put(kRow, com::Value(work_.row));
    SplitterControl* c = control();
    if (!c) return;
    SplitterModel& m = c->model();
    m.columns = work_.columns;
    m.rows = work_.rows;
    m.panels = work_.panels;
    for (com::DispId id = kCols; id <= kCol; ++id) c->notifyChanged(id);
    c->markDirty();
    m.needsSizing = true;
    c->redraw();
}

}  // namespace splitter
