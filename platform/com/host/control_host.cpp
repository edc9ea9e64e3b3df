#include "platform/com/host/control_host.h"

#include "platform/com/host/class_loader.h"
#include "platform/com/host/property_frame.h"
#include "platform/com/persistence.h"
#include "platform/vb/error.h"
#include "platform/vb/folders.h"
#include "splitter/splitter_identity.h"

#include <QFile>
#include <QSaveFile>

namespace com {

namespace {
constexpr int kCannotCreateObject = 429;
constexpr int kInvalidFileFormat = 321;
const QString kSource = QStringLiteral("ControlHost");
}  // namespace

ControlHost::~ControlHost() {
    // Take the host's widgets back before the control's window goes, at the same place on the host.
    if (site_) {
        for (QWidget* w : site_->contained()) {
            if (!host_ || w->parentWidget() == host_) continue;
            const bool hidden = w->isHidden();
            const QPoint at = w->parentWidget() ? w->parentWidget()->mapTo(host_, w->pos()) : w->pos();
            w->setParent(host_);
            w->move(at);
            w->setVisible(!hidden);
        }
        site_->clear();
    }
    if (object_) {
        object_->Close();
        object_->SetClientSite(nullptr);
    }
}

QWidget* ControlHost::window() const { return window_.data(); }

void ControlHost::setUserMode(bool on) { site_->setUserMode(on); }

bool ControlHost::showPropertyPages(QWidget* owner, const QString& caption) {
    return PropertyFrame::show(object_.get(), caption, owner);
}

bool ControlHost::save(const QString& file) const {
    auto persist = queryInterface<IPersistStreamInit>(object_);
    auto stream = make<MemoryStream>();
    if (!persist || failed(persist->Save(stream.get(), true))) return false;
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(stream->bytes());
    return f.commit();
}

std::unique_ptr<ControlHost> hostControl(QWidget* host, const Guid& clsid, const QString& streamFile,
                                         const QList<QWidget*>& contained) {
    HResult hr = S_OK;
    auto object = createInstance<IOleObject>(clsid, &hr);
    auto dispatch = queryInterface<IDispatch>(object);
    if (!object || !dispatch)
        vb::raise(kCannotCreateObject, kSource,
                  QStringLiteral("ActiveX component can't create object %1 (0x%2)")
                      .arg(clsid.toString())
                      .arg(uint32_t(hr), 8, 16, QLatin1Char('0')));
    std::unique_ptr<ControlHost> h(new ControlHost);
    h->host_ = host;
    h->object_ = object;
    h->dispatch_ = dispatch;
    h->site_ = make<ContainerSite>();
    object->SetClientSite(h->site_.get());
    if (!streamFile.isEmpty()) {
        QFile f(streamFile);
        if (!f.exists()) vb::raise(vb::kFileNotFound, kSource, QStringLiteral("File not found: %1").arg(streamFile));
        if (!f.open(QIODevice::ReadOnly))
            vb::raise(vb::kPermissionDenied, kSource, QStringLiteral("Cannot read %1").arg(streamFile));
        auto persist = queryInterface<IPersistStreamInit>(object);
        auto stream = make<MemoryStream>(f.readAll());
        if (!persist || failed(persist->Load(stream.get())))
            vb::raise(kInvalidFileFormat, kSource, QStringLiteral("Invalid file format: %1").arg(streamFile));
    }
    QWidget* window = nullptr;
    object->Activate(host, &window);
    h->window_ = window;
    h->site_->setControlWindow(window);
    h->site_->setContained(contained);
    for (QWidget* w : contained) {
        if (!w || !window) continue;
        const QRect g = w->geometry();
        const bool hidden = w->isHidden();
        w->setParent(window);
        w->setGeometry(g);
        w->setVisible(!hidden);
    }
    if (window) window->show();
    Value autoSize;
    if (succeeded(getProperty(dispatch.get(), QStringLiteral("AutoSizeChildren"), &autoSize)) && autoSize.toInt32() != 0)
        callMethod(dispatch.get(), QStringLiteral("AutoSizeAll"), {}, nullptr);
    return h;
}

std::unique_ptr<ControlHost> hostSplitter(QWidget* host, const QString& layoutFile, const QList<QWidget*>& contained) {
    const QString library = vb::joinPath(vb::programFolder(), QString::fromLatin1(splitter::kLibraryFileName));
    if (failed(ensureRegistered(splitter::kClsidSplitter, library)))
        vb::raise(kCannotCreateObject, kSource, QStringLiteral("Cannot register %1").arg(library));
    return hostControl(host, splitter::kClsidSplitter, layoutFile, contained);
}

}  // namespace com
