#include "library/frm_code_lib.h"

#include "library/frm_calendar.h"
#include "platform/vb/mousepointer.h"
#include "platform/vb/twips.h"

#include <QMenuBar>
#include <QSplitter>
#include <QTextEdit>
#include <QTreeWidget>

#include <memory>

namespace library {

namespace {
// Default layout (twips) until the saved layout is restored.
constexpr int kMainWidthTwips = 11000;
constexpr int kMainHeightTwips = 6210;
constexpr int kTreeWidthTwips = 3270;

std::unique_ptr<FrmCodeLib>& instance() {
    static std::unique_ptr<FrmCodeLib> window;
    return window;
}
}  // namespace

FrmCodeLib::FrmCodeLib(QWidget* parent)
    : QMainWindow(parent), tvCodeItems_(new QTreeWidget), txtCode_(new QTextEdit) {
    setObjectName(QStringLiteral("frmCodeLib"));
    setWindowTitle(QStringLiteral("Veyra"));
    tvCodeItems_->setObjectName(QStringLiteral("tvCodeItems"));
    tvCodeItems_->setHeaderHidden(true);
    txtCode_->setObjectName(QStringLiteral("txtCode"));

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(tvCodeItems_);
    split->addWidget(txtCode_);
    split->setSizes({vb::twipsToPixels(kTreeWidthTwips), vb::twipsToPixels(kMainWidthTwips - kTreeWidthTwips)});
    setCentralWidget(split);
    resize(vb::twipsToPixels(kMainWidthTwips), vb::twipsToPixels(kMainHeightTwips));
    // Until the case list opens it for a new case, the calendar is opened from here.
    menuBar()->addAction(QStringLiteral("万年历"), this, [] { showFrmcalendar(); });
    core::setMainWindowHost(this);
}

FrmCodeLib::~FrmCodeLib() {
    if (core::mainWindowHost() == this) core::setMainWindowHost(nullptr);
}

void FrmCodeLib::setMousePointer(int pointer) {
    Qt::CursorShape shape;
    if (vb::cursorShapeOf(pointer, &shape)) setCursor(shape);
    else unsetCursor();
    mousePointer_ = pointer;
}

void FrmCodeLib::unloadWindow() { close(); }

FrmCodeLib& frmCodeLib() {
    auto& w = instance();
    if (!w) w = std::make_unique<FrmCodeLib>();
    return *w;
}

bool hasFrmCodeLib() { return instance() != nullptr; }

void releaseFrmCodeLib() { instance().reset(); }

}  // namespace library
