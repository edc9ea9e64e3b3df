// splitter-demo: hosts libsplitter.so from the program folder in a window, as the program's own
// windows do, with a 2 x 2 grid of panes holding four text boxes. The panes are sized after a bar has
// moved, as in the program's windows ("Size while dragging" sizes them on every move instead).
// "Properties…" opens the control's property pages; "Design mode" lets a click on a pane make it
// current, as a designer would.
#include "platform/com/host/control_host.h"
#include "platform/vb/error.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QResizeEvent>

namespace {

class DemoWindow final : public QMainWindow {
public:
    DemoWindow() {
        setWindowTitle(QStringLiteral("Splitter demo"));
        auto* central = new QWidget(this);
        setCentralWidget(central);
        QList<QWidget*> boxes;
        for (int i = 1; i <= 4; ++i) {
            auto* t = new QPlainTextEdit(central);
            t->setObjectName(QStringLiteral("Text%1").arg(i));
            t->setPlainText(QStringLiteral("Text%1").arg(i));
            boxes << t;
        }
        splitter_ = com::hostSplitter(central, QString(), boxes);
        com::IDispatch* d = splitter_->control();
        com::putProperty(d, QStringLiteral("Cols"), com::Value(int16_t(2)));
        com::putProperty(d, QStringLiteral("Rows"), com::Value(int16_t(2)));
        const char* names[2][2] = {{"Text1", "Text2"}, {"Text3", "Text4"}};
        for (int c = 0; c < 2; ++c) {
            for (int r = 0; r < 2; ++r) {
                com::putProperty(d, QStringLiteral("Col"), com::Value(int16_t(c)));
                com::putProperty(d, QStringLiteral("Row"), com::Value(int16_t(r)));
                com::putProperty(d, QStringLiteral("PanelControl"), com::Value(names[c][r]));
            }
        }
        com::putProperty(d, QStringLiteral("AutoSizeChildren"), com::Value(int16_t(2)));
        auto* menu = menuBar()->addMenu(QStringLiteral("&Splitter"));
        menu->addAction(QStringLiteral("&Properties…"), this, [this] {
            splitter_->showPropertyPages(this, QStringLiteral("Splitter1 Properties"));
        });
        QAction* design = menu->addAction(QStringLiteral("&Design mode"));
        design->setCheckable(true);
        connect(design, &QAction::toggled, this, [this](bool on) { splitter_->setUserMode(!on); });
        QAction* live = menu->addAction(QStringLiteral("Size while &dragging"));
        live->setCheckable(true);
        connect(live, &QAction::toggled, this, [this](bool on) {
            com::putProperty(splitter_->control(), QStringLiteral("AutoSizeChildren"), com::Value(int16_t(on ? 1 : 2)));
        });
        menu->addAction(QStringLiteral("&Equal widths"), this, [this] {
            com::callMethod(splitter_->control(), QStringLiteral("EqualColWidth"), {}, nullptr);
            com::callMethod(splitter_->control(), QStringLiteral("EqualRowHeight"), {}, nullptr);
        });
        menu->addSeparator();
        menu->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
        resize(640, 480);
    }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QMainWindow::resizeEvent(e);
        if (!splitter_ || !splitter_->window()) return;
        splitter_->window()->setGeometry(centralWidget()->rect());
        if (shared_) return;
        // The first time the window has its size, share it out among the panes.
        shared_ = true;
        com::callMethod(splitter_->control(), QStringLiteral("EqualColWidth"), {}, nullptr);
        com::callMethod(splitter_->control(), QStringLiteral("EqualRowHeight"), {}, nullptr);
    }

private:
    std::unique_ptr<com::ControlHost> splitter_;
    bool shared_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    try {
        DemoWindow w;
        w.show();
        return app.exec();
    } catch (const vb::Error& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Splitter demo"),
                              QStringLiteral("%1 %2 %3").arg(e.number()).arg(e.description(), e.source()));
        return 1;
    }
}
