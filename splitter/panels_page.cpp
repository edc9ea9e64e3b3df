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

void PanelsPage::build(QWidget* page) {
    names_ = QStringList{QString::fromLatin1(kNoControl)};
    if (splitter()) {
        SplitterControl* control = SplitterControl::fromHandle(get(kGetControl).toInt64());
        if (control) {
            work_ = control->model();
            client_ = control->clientSize();
            control->listContainedControls(&names_);
        }
        work_.colCount = get(kCols).toInt16();
        work_.rowCount = get(kRows).toInt16();
        work_.col = get(kCol).toInt16();
        work_.row = get(kRow).toInt16();
    }
    auto* grid = new QGridLayout(page);
    preview_ = new Preview(this, page);
    grid->addWidget(preview_, 0, 0, 4, 2);
    int row = 0, column = 2;
    auto label = [&](QWidget* w, const char* text) {
        auto* l = new QLabel(QString::fromLatin1(text), page);
        l->setBuddy(w);
        grid->addWidget(l, row, column);
        grid->addWidget(w, row, column + 1);
        if (++row == 4 && column == 2) {
            row = 4;
            column = 0;
        } else if (column == 0 && row == 8) {
            row = 4;
            column = 2;
        }
    };
    auto field = [&](int id, const char* text, std::function<void(QLineEdit*)> onLeave) {
        QLineEdit* e = numberField(page, id, std::move(onLeave));
        label(e, text);
        return e;
    };
    cols_ = field(226, "Co&ls:", [this](QLineEdit* f) { countLeft(Direction::Columns, f); });
    rows_ = field(230, "Ro&ws:", [this](QLineEdit* f) { countLeft(Direction::Rows, f); });
    col_ = field(232, "&Col:", [this](QLineEdit* f) { currentLeft(Direction::Columns, f); });
    row_ = field(234, "&Row:", [this](QLineEdit* f) { currentLeft(Direction::Rows, f); });
    width_ = field(248, "&Width:", [this](QLineEdit* f) { sizeLeft(Direction::Columns, f); });
    height_ = field(250, "&Height:", [this](QLineEdit* f) { sizeLeft(Direction::Rows, f); });
    minWidth_ = field(244, "MinW&idth:", [this](QLineEdit* f) { limitLeft(f, &work_.columns.min[work_.col], 0); });
    minHeight_ = field(246, "MinH&eight:", [this](QLineEdit* f) { limitLeft(f, &work_.rows.min[work_.row], 0); });
    maxWidth_ = field(240, "MaxWi&dth:", [this](QLineEdit* f) { limitLeft(f, &work_.columns.max[work_.col], -1); });
    maxHeight_ = field(242, "MaxHei&ght:", [this](QLineEdit* f) { limitLeft(f, &work_.rows.max[work_.row], -1); });
    visibleWidth_ =
        field(224, "VisibleWid&th:", [this](QLineEdit* f) { limitLeft(f, &work_.columns.visible[work_.col], 0); });
    visibleHeight_ =
        field(220, "VisibleHeig&ht:", [this](QLineEdit* f) { limitLeft(f, &work_.rows.visible[work_.row], 0); });
    name_ = new QComboBox(page);
    name_->setObjectName(QStringLiteral("ctl203"));
    name_->setEditable(true);
    name_->setInsertPolicy(QComboBox::NoInsert);
    name_->lineEdit()->setMaxLength(kMaxNameLength);
    name_->addItems(names_);
    QObject::connect(name_, &QComboBox::currentTextChanged, name_, [this] {
        if (filling()) return;
        nameEdited_ = true;
        setDirty();
    });
    onFocusLost(name_, [this] { nameLeft(); });
    onFocusLost(name_->lineEdit(), [this] { nameLeft(); });
    auto* l = new QLabel(QStringLiteral("Control &name in panel:"), page);
    l->setBuddy(name_);
    grid->addWidget(l, 8, 0, 1, 2);
    grid->addWidget(name_, 8, 2, 1, 2);
    showCurrent();
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
    if (at < 0) name_->setEditText(names_.front());
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
    if (readNumber(field, &v) && v >= a.min[i] && (a.max[i] < 0 || v <= a.max[i])) a.size[i] = v;
    showNumber(field, a.size[i]);
}

void PanelsPage::limitLeft(QLineEdit* field, int32_t* slot, int32_t negativeBecomes) {
    int32_t v = 0;
    if (readNumber(field, &v)) *slot = v < 0 ? negativeBecomes : v;
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
    SplitterControl* control = SplitterControl::fromHandle(get(kGetControl).toInt64());
    if (!control) return;
    SplitterModel& m = control->model();
    m.columns = work_.columns;
    m.rows = work_.rows;
    m.panels = work_.panels;
    for (com::DispId id = kCols; id <= kCol; ++id) control->notifyChanged(id);
    control->markDirty();
    m.needsSizing = true;
    control->redraw();
}

}  // namespace splitter
