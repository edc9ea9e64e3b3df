#include "splitter/splitter_control.h"

#include "platform/vb/codepage936.h"
#include "splitter/container_client.h"
#include "splitter/module_count.h"
#include "splitter/splitter_window.h"

#include <QCursor>
#include <QtEndian>

#include <algorithm>
#include <mutex>
#include <set>

namespace splitter {

namespace {

std::mutex& liveMutex() {
    static std::mutex m;
    return m;
}
std::set<const SplitterControl*>& liveControls() {
    static std::set<const SplitterControl*> s;
    return s;
}

constexpr uint32_t kStreamVersion = 0x200;
// Longest panel name a stream may hold (bytes of UTF-16 with the terminator).
constexpr uint32_t kMaxNameBytes = 64 * 1024;

// The cursor over a bar: sideways for a vertical bar, up and down for a horizontal one, both at a crossing.
Qt::CursorShape barCursor(int16_t hit) {
    const bool vertical = hit / 16 != 0, horizontal = hit % 16 != 0;
    return vertical && horizontal ? Qt::SizeAllCursor : vertical ? Qt::SplitHCursor : Qt::SplitVCursor;
}

// HIMETRIC (0.01 mm) and pixels at 96 per inch, rounded to the nearest as the platform's conversions
// round, so a stored extent reloads as the pixels it was written from. The products are taken in 64
// bits and both sides are bounded by the largest extent a pane addresses.
constexpr int64_t kHimetricPerInch = 2540, kPixelsPerInch = 96;
int64_t pixelsOf(int64_t himetric) { return (himetric * kPixelsPerInch + kHimetricPerInch / 2) / kHimetricPerInch; }
int32_t toPixels(int64_t himetric) { return int32_t(std::clamp<int64_t>(pixelsOf(himetric), 0, kMaxExtent)); }
int32_t toHimetric(int64_t pixels) {
    const int64_t p = std::clamp<int64_t>(pixels, 0, kMaxExtent);
    return int32_t((p * kHimetricPerInch + kPixelsPerInch / 2) / kPixelsPerInch);
}
QSize himetricToPixels(QSize h) { return {toPixels(h.width()), toPixels(h.height())}; }
QSize pixelsToHimetric(QSize p) { return {toHimetric(p.width()), toHimetric(p.height())}; }
// The client area as the layout sees it.
QSize boundedPixels(QSize p) { return {std::min(p.width(), kMaxExtent), std::min(p.height(), kMaxExtent)}; }
// Whether a stored extent is one the control can have: not negative and no larger than the largest extent.
bool saneExtent(QSize h) {
    auto ok = [](int v) { return v >= 0 && pixelsOf(v) <= kMaxExtent; };
    return ok(h.width()) && ok(h.height());
}

}  // namespace

SplitterControl::SplitterControl()
    : events_(com::make<com::ConnectionPoint>(kDiidISplitterEvents)),
      propertyNotify_(com::make<com::ConnectionPoint>(com::IPropertyNotifySink::iid)) {
    ++moduleCount();
    shown_ = model_;
    std::lock_guard lock(liveMutex());
    liveControls().insert(this);
}

SplitterControl::~SplitterControl() {
    {
        std::lock_guard lock(liveMutex());
        liveControls().erase(this);
    }
    Close();
    events_->clear();
    propertyNotify_->clear();
    --moduleCount();
}

SplitterControl* SplitterControl::fromHandle(int64_t handle) {
    auto* p = reinterpret_cast<SplitterControl*>(static_cast<intptr_t>(handle));
    std::lock_guard lock(liveMutex());
    return liveControls().count(p) ? p : nullptr;
}

// ---- dispatch ----------------------------------------------------------------------------------

com::HResult SplitterControl::GetIDsOfNames(const QString& name, com::DispId* id) {
    if (!id) return com::E_POINTER;
    for (const Member& m : kMembers) {
        if (name.compare(QLatin1String(m.name.data(), qsizetype(m.name.size())), Qt::CaseInsensitive) == 0) {
            *id = m.id;
            return com::S_OK;
        }
    }
    *id = com::DISPID_UNKNOWN;
    return com::DISP_E_UNKNOWNNAME;
}

com::HResult SplitterControl::Invoke(com::DispId id, com::InvokeKind kind, const std::vector<com::Value>& args,
                                     com::Value* result) {
    const Member* m = findMember(id);
    if (!m) return com::DISP_E_MEMBERNOTFOUND;
    if (m->kind == MemberKind::Method) {
        // A call without arguments may come as a property get, as late-bound callers send it.
        if (kind == com::InvokeKind::PropertyPut) return com::DISP_E_MEMBERNOTFOUND;
        if (int(args.size()) != m->argumentCount) return com::DISP_E_BADPARAMCOUNT;
        com::Value r;
        switch (id) {
        case kEqualColWidth:
        case kEqualRowHeight: {
            const Direction d = id == kEqualColWidth ? Direction::Columns : Direction::Rows;
            r = com::Value(model_.equalize(d, clientExtent(d)));
            redraw();
            break;
        }
        case kHitTest: {
            bool okX = false, okY = false;
            const int32_t x = args[0].toInt32(&okX), y = args[1].toInt32(&okY);
            if (!okX || !okY) return com::DISP_E_TYPEMISMATCH;
            r = com::Value(model_.hitTest(x, y));
            break;
        }
        case kAutoSizeAll: r = com::Value(autoSizeAll()); break;
        case kAutoSizePanel: {
            bool okC = false, okR = false;
            const int16_t c = args[0].toInt16(&okC), rr = args[1].toInt16(&okR);
            if (!okC || !okR) return com::DISP_E_TYPEMISMATCH;
            ContainerClient client(site_.get());
            r = com::Value(model_.autoSizePanel(c, rr, client));
            break;
        }
        case kGetControl: r = com::Value(static_cast<int64_t>(reinterpret_cast<intptr_t>(this))); break;
        default: return com::DISP_E_MEMBERNOTFOUND;
        }
        if (result) *result = r;
        return com::S_OK;
    }
    if (kind == com::InvokeKind::PropertyGet || (kind == com::InvokeKind::Method && args.empty())) {
        com::Value v;
        const com::HResult hr = get(id, &v);
        if (result && com::succeeded(hr)) *result = v;
        return hr;
    }
    if (kind == com::InvokeKind::PropertyPut && m->kind == MemberKind::Property) {
        if (args.size() != 1) return com::DISP_E_BADPARAMCOUNT;
        return put(id, args[0]);
    }
    return com::DISP_E_MEMBERNOTFOUND;
}

com::HResult SplitterControl::get(com::DispId id, com::Value* out) {
    const SplitterModel& m = model_;
    const auto& c = m.columns;
    const auto& r = m.rows;
    switch (id) {
    case kBevelOuter: *out = m.bevelOuter; break;
    case kBevelInner: *out = m.bevelInner; break;
    case kBevelWidth: *out = m.bevelWidth; break;
    case kBorderWidth: *out = m.borderWidth; break;
    case kOutlineWidth: *out = m.outlineWidth; break;
    case kSplitterWidth: *out = m.splitterWidth; break;
    case kCols: *out = m.colCount; break;
    case kRows: *out = m.rowCount; break;
    case kColWidth: *out = c.size[m.col]; break;
    case kColMaxWidth: *out = c.max[m.col]; break;
    case kColMinWidth: *out = c.min[m.col]; break;
    case kColVisibleWidth: *out = c.visible[m.col]; break;
    case kRowHeight: *out = r.size[m.row]; break;
    case kRowMaxHeight: *out = r.max[m.row]; break;
    case kRowMinHeight: *out = r.min[m.row]; break;
    case kRowVisibleHeight: *out = r.visible[m.row]; break;
    case kPanelControl: *out = vb::fromCp936(m.panels[m.col * kMaxLines + m.row]); break;
    case kRow: *out = m.row; break;
    case kCol: *out = m.col; break;
    case kBackColor: *out = m.backColor; break;
    case kAutoSizeChildren: *out = m.autoSizeChildren; break;
    case kHWnd: *out = static_cast<int64_t>(reinterpret_cast<intptr_t>(window_.data())); break;
    default: return com::DISP_E_MEMBERNOTFOUND;
    }
    return com::S_OK;
}

com::HResult SplitterControl::put(com::DispId id, const com::Value& v) {
    const Member* member = findMember(id);
    com::Value typed;
    if (const com::HResult hr = v.changeType(member->type, &typed); com::failed(hr)) return hr;
    SplitterModel& m = model_;
    unsigned effects = kNone;
    switch (id) {
    case kBevelOuter: effects = m.putStyle(&m.bevelOuter, typed.toInt16()); break;
    case kBevelInner: effects = m.putStyle(&m.bevelInner, typed.toInt16()); break;
    case kAutoSizeChildren: effects = m.putStyle(&m.autoSizeChildren, typed.toInt16()); break;
    case kBevelWidth: effects = m.putWidth(&m.bevelWidth, typed.toInt16()); break;
    case kBorderWidth: effects = m.putWidth(&m.borderWidth, typed.toInt16()); break;
    case kOutlineWidth: effects = m.putWidth(&m.outlineWidth, typed.toInt16()); break;
    case kSplitterWidth: effects = m.putWidth(&m.splitterWidth, typed.toInt16()); break;
    case kCols:
        effects = m.putCount(Direction::Columns, typed.toInt16(), !userMode(), clientExtent(Direction::Columns));
        break;
    case kRows: effects = m.putCount(Direction::Rows, typed.toInt16(), !userMode(), clientExtent(Direction::Rows)); break;
    case kColWidth: effects = m.putSize(Direction::Columns, typed.toInt32()); break;
    case kRowHeight: effects = m.putSize(Direction::Rows, typed.toInt32()); break;
    case kColMaxWidth: effects = m.putMax(Direction::Columns, typed.toInt32()); break;
    case kRowMaxHeight: effects = m.putMax(Direction::Rows, typed.toInt32()); break;
    case kColMinWidth: effects = m.putMin(Direction::Columns, typed.toInt32()); break;
    case kRowMinHeight: effects = m.putMin(Direction::Rows, typed.toInt32()); break;
    case kColVisibleWidth: effects = m.putVisible(Direction::Columns, typed.toInt32()); break;
    case kRowVisibleHeight: effects = m.putVisible(Direction::Rows, typed.toInt32()); break;
    case kPanelControl: effects = m.putPanel(vb::toCp936(typed.toString())); break;
    case kRow: effects = m.putCurrent(Direction::Rows, typed.toInt16()); break;
    case kCol: effects = m.putCurrent(Direction::Columns, typed.toInt16()); break;
    case kBackColor: effects = m.putBackColor(typed.toUInt32()); break;
    default: return com::DISP_E_MEMBERNOTFOUND;
    }
    apply(effects, id);
    return com::S_OK;
}

void SplitterControl::apply(unsigned effects, com::DispId id) {
    if (effects & kDirty) dirty_ = true;
    if (effects & kNotify) notifyChanged(id);
    if (effects & kRelayout) model_.needsSizing = true;
    if (effects & kRedraw) redraw();
}

void SplitterControl::notifyChanged(com::DispId id) {
    propertyNotify_->forEach<com::IPropertyNotifySink>([&](com::IPropertyNotifySink* s) { s->OnChanged(id); });
}

void SplitterControl::fire(com::DispId id, const std::vector<com::Value>& args) {
    events_->forEach<com::IDispatch>([&](com::IDispatch* s) { s->Invoke(id, com::InvokeKind::Method, args, nullptr); });
}

// ---- geometry and window --------------------------------------------------------------------------

QWidget* SplitterControl::window() const { return window_.data(); }

QSize SplitterControl::clientSize() const {
    return window_ ? boundedPixels(window_->size()) : himetricToPixels(extent_);
}

int SplitterControl::clientExtent(Direction d) const {
    const QSize s = clientSize();
    return d == Direction::Columns ? s.width() : s.height();
}

bool SplitterControl::userMode() const {
    auto ambient = com::queryInterface<com::IDispatch>(site_);
    com::Value v;
    if (!ambient || com::failed(com::getProperty(ambient.get(), com::DISPID_AMBIENT_USERMODE, &v))) return false;
    return v.toBool();
}

void SplitterControl::redraw() {
    if (!window_) return;
    model_.recomputeLast(Direction::Rows, clientExtent(Direction::Rows));
    model_.recomputeLast(Direction::Columns, clientExtent(Direction::Columns));
    if (model_.autoSizeChildren != 0 && model_.needsSizing) {
        autoSizeAll();
        model_.needsSizing = false;
    }
    shown_ = model_;
    window_->update();
}

bool SplitterControl::autoSizeAll() {
    ContainerClient client(site_.get());
    return model_.autoSizeAll(client);
}

int SplitterControl::listContainedControls(QStringList* names) {
    ContainerClient client(site_.get());
    return client.listControls(names);
}

void SplitterControl::updateFeedback() {
    if (!window_) return;
    // Sizing while moving shows the move itself; otherwise the bars show where the release will put them.
    std::array<QRect, 2> bars;
    if (model_.autoSizeChildren != 1) {
        const QSize client = window_->size();
        bars = {model_.feedbackRect(Direction::Columns, client), model_.feedbackRect(Direction::Rows, client)};
    }
    window_->showFeedback(bars);
}

void SplitterControl::mouseMoved(QPoint p, int16_t button, int16_t shift, bool anyFlag) {
    fire(kEventMouseMove, {com::Value(button), com::Value(shift), com::Value(int32_t(int16_t(p.x()))),
                           com::Value(int32_t(int16_t(p.y())))});
    if (!window_) return;
    if (model_.dragging()) {
        model_.dragTo(p);
        if (model_.autoSizeChildren == 1) redraw();
        else updateFeedback();
        fire(kEventSplitterMoving, {com::Value(int16_t(model_.dragColumns.bar)), com::Value(int16_t(model_.dragRows.bar))});
        return;
    }
    const int16_t hit = model_.hitTest(p.x(), p.y());
    if (!anyFlag && hit >= 1 && hit <= 255) {
        window_->setCursor(barCursor(hit));
    } else {
        window_->unsetCursor();
    }
}

bool SplitterControl::leftButtonDown(QPoint p) {
    if (model_.dragging()) return true;
    const int16_t hit = model_.hitTest(p.x(), p.y());
    if (hit >= 1 && hit <= 255) {
        if (!model_.startDrag(hit, p)) return true;
        if (model_.autoSizeChildren != 1) updateFeedback();
        fire(kEventSplitterStartMoving,
             {com::Value(int16_t(model_.dragColumns.bar)), com::Value(int16_t(model_.dragRows.bar))});
        if (window_) {
            window_->setCursor(barCursor(hit));
            window_->grabMouse();
            window_->setFocus(Qt::MouseFocusReason);
        }
        return true;
    }
    if (!userMode() && hit >= 256 && hit <= 511) {
        put(kRow, com::Value(int16_t((hit - 256) % 16)));
        put(kCol, com::Value(int16_t((hit - 256) / 16)));
    }
    return false;
}

bool SplitterControl::leftButtonUp() {
    if (!model_.dragging()) return false;
    const int16_t colBar = int16_t(model_.dragColumns.bar), rowBar = int16_t(model_.dragRows.bar);
    const bool changed = model_.dragChangedSizes();
    // Cleared first: the redraw and the event handlers see no drag under way.
    model_.clearDrag();
    if (model_.autoSizeChildren != 1) {
        model_.needsSizing = true;
        updateFeedback();
        if (changed) redraw();
    }
    fire(kEventSplitterMoved, {com::Value(colBar), com::Value(rowBar)});
    if (window_) window_->releaseMouse();
    return true;
}

void SplitterControl::captureLost() {
    if (model_.dragging()) leftButtonUp();
}

void SplitterControl::focusChanged(bool gotFocus) {
    if (auto cs = com::queryInterface<com::IOleControlSite>(site_)) cs->OnFocus(gotFocus);
}

// ---- IOleObject -----------------------------------------------------------------------------------

com::HResult SplitterControl::SetClientSite(com::IOleClientSite* site) {
    site_ = com::ComPtr<com::IOleClientSite>(site);
    return com::S_OK;
}

com::HResult SplitterControl::GetClientSite(com::IOleClientSite** out) {
    if (!out) return com::E_POINTER;
    *out = com::ComPtr<com::IOleClientSite>(site_).detach();
    return *out ? com::S_OK : com::E_FAIL;
}

com::HResult SplitterControl::SetExtent(const QSize& himetric) {
    if (!saneExtent(himetric)) return com::E_INVALIDARG;
    extent_ = himetric;
    return com::S_OK;
}

com::HResult SplitterControl::GetExtent(QSize* himetric) {
    if (!himetric) return com::E_POINTER;
    *himetric = window_ ? pixelsToHimetric(window_->size()) : extent_;
    return com::S_OK;
}

com::HResult SplitterControl::Activate(QWidget* parent, QWidget** window) {
    if (!window_) {
        window_ = new SplitterWindow(this, parent);
        window_->resize(himetricToPixels(extent_));
    } else if (window_->parentWidget() != parent) {
        window_->setParent(parent);
    }
    if (window) *window = window_.data();
    redraw();
    return com::S_OK;
}

com::HResult SplitterControl::Close() {
    if (window_) {
        extent_ = pixelsToHimetric(window_->size());
        SplitterWindow* w = window_.data();
        window_.clear();
        w->detach();
        if (w->mouseGrabber() == w) w->releaseMouse();
        delete w;
    }
    model_.clearDrag();
    return com::S_OK;
}

// ---- connection points, pages, browsing ----------------------------------------------------------

com::HResult SplitterControl::FindConnectionPoint(const com::Guid& iid, com::IConnectionPoint** out) {
    if (!out) return com::E_POINTER;
    *out = nullptr;
    if (iid == kDiidISplitterEvents) *out = com::ComPtr<com::IConnectionPoint>(events_).detach();
    else if (iid == com::IPropertyNotifySink::iid) *out = com::ComPtr<com::IConnectionPoint>(propertyNotify_).detach();
    return *out ? com::S_OK : com::CONNECT_E_NOCONNECTION;
}

com::HResult SplitterControl::GetPages(std::vector<com::Guid>* pages) {
    if (!pages) return com::E_POINTER;
    pages->assign(kPropertyPages.begin(), kPropertyPages.end());
    return com::S_OK;
}

namespace {
const QStringList& browsingStrings(com::DispId id) {
    static const QStringList bevels{QStringLiteral("0 - None"), QStringLiteral("1 - Inset"), QStringLiteral("2 - Raised")};
    static const QStringList autoSize{QStringLiteral("0 - Not autosize child controls"),
                                      QStringLiteral("1 - Autosize child controls while moving splitter"),
                                      QStringLiteral("2 - Autosize child controls after splitter moved")};
    static const QStringList none;
    return id == kBevelOuter || id == kBevelInner ? bevels : id == kAutoSizeChildren ? autoSize : none;
}
}  // namespace

com::HResult SplitterControl::GetDisplayString(com::DispId id, QString* out) {
    const QStringList& strings = browsingStrings(id);
    if (strings.isEmpty()) return com::E_NOTIMPL;
    if (!out) return com::E_POINTER;
    com::Value v;
    get(id, &v);
    const int16_t value = v.toInt16();
    *out = value >= 0 && value < strings.size() ? strings[value] : QString::number(value);
    return com::S_OK;
}

com::HResult SplitterControl::GetPredefinedStrings(com::DispId id, QStringList* strings, std::vector<uint32_t>* cookies) {
    const QStringList& all = browsingStrings(id);
    if (all.isEmpty()) return com::E_NOTIMPL;
    if (!strings || !cookies) return com::E_POINTER;
    *strings = all;
    *cookies = {0, 1, 2};
    return com::S_OK;
}

com::HResult SplitterControl::GetPredefinedValue(com::DispId id, uint32_t cookie, com::Value* out) {
    if (browsingStrings(id).isEmpty()) return com::E_NOTIMPL;
    if (!out) return com::E_POINTER;
    *out = com::Value(static_cast<int16_t>(cookie));
    return com::S_OK;
}

// ---- persistence ------------------------------------------------------------------------------------

com::HResult SplitterControl::GetClassID(com::Guid* clsid) {
    if (!clsid) return com::E_POINTER;
    *clsid = kClsidSplitter;
    return com::S_OK;
}

com::HResult SplitterControl::IsDirty() { return dirty_ ? com::S_OK : com::S_FALSE; }

com::HResult SplitterControl::InitNew() { return com::S_OK; }
com::HResult SplitterControl::InitNew(com::IStorage*) { return com::S_OK; }

namespace {

// A tagged value put through the property rules on a model being loaded.
void putLoaded(SplitterModel& m, com::DispId id, const com::Value& v, bool designTime, QSize client) {
    switch (id) {
    case kBevelOuter: m.putStyle(&m.bevelOuter, v.toInt16()); break;
    case kBevelInner: m.putStyle(&m.bevelInner, v.toInt16()); break;
    case kAutoSizeChildren: m.putStyle(&m.autoSizeChildren, v.toInt16()); break;
    case kBevelWidth: m.putWidth(&m.bevelWidth, v.toInt16()); break;
    case kBorderWidth: m.putWidth(&m.borderWidth, v.toInt16()); break;
    case kOutlineWidth: m.putWidth(&m.outlineWidth, v.toInt16()); break;
    case kSplitterWidth: m.putWidth(&m.splitterWidth, v.toInt16()); break;
    case kCols: m.putCount(Direction::Columns, v.toInt16(), designTime, client.width()); break;
    case kRows: m.putCount(Direction::Rows, v.toInt16(), designTime, client.height()); break;
    case kBackColor: m.putBackColor(v.toUInt32()); break;
    default: break;
    }
}

QString nameFromUtf16(const QByteArray& bytes) {
    QString s;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t c = qFromLittleEndian<char16_t>(bytes.constData() + i);
        if (c == 0) break;
        s += QChar(c);
    }
    return s;
}

}  // namespace

com::HResult SplitterControl::loadStream(com::IStream* s, SplitterModel* m, QSize* extent) {
    uint32_t version = 0;
    if (!com::readExact(s, &version, 4)) return com::STG_E_READFAULT;
    version = qFromLittleEndian(version);
    if (version <= kStreamVersion) {
        int32_t wh[2];
        if (!com::readExact(s, wh, 8)) return com::STG_E_READFAULT;
        *extent = QSize(qFromLittleEndian(wh[0]), qFromLittleEndian(wh[1]));
        if (!saneExtent(*extent)) return com::STG_E_INVALIDHEADER;
    }
    const QSize client = window_ ? boundedPixels(window_->size()) : himetricToPixels(*extent);
    const bool designTime = !userMode();
    for (com::DispId id : kPropertyMap) {
        com::Value v, typed;
        if (const com::HResult hr = com::readTaggedValue(s, &v); com::failed(hr)) return hr;
        if (com::failed(v.changeType(findMember(id)->type, &typed))) return com::DISP_E_TYPEMISMATCH;
        putLoaded(*m, id, typed, designTime, client);
    }
    auto readLines = [&](LineArrays& a, int n) {
        for (int i = 0; i < n; ++i) {
            int32_t rec[4];
            if (!com::readExact(s, rec, 16)) return false;
            a.max[i] = qFromLittleEndian(rec[0]);
            a.min[i] = qFromLittleEndian(rec[1]);
            a.visible[i] = qFromLittleEndian(rec[2]);
            a.size[i] = qFromLittleEndian(rec[3]);
        }
        return true;
    };
    if (!readLines(m->columns, m->colCount) || !readLines(m->rows, m->rowCount)) return com::STG_E_READFAULT;
    uint64_t position = 0, size = 0;
    s->Tell(&position);
    s->Size(&size);
    for (int c = 0; c < m->colCount; ++c) {
        for (int r = 0; r < m->rowCount; ++r) {
            uint32_t count = 0;
            if (!com::readExact(s, &count, 4)) return com::STG_E_READFAULT;
            count = qFromLittleEndian(count);
            s->Tell(&position);
            if (count > kMaxNameBytes || count % 2 != 0 || count > size - position) return com::STG_E_READFAULT;
            QByteArray text(qsizetype(count), '\0');
            if (count && !com::readExact(s, text.data(), count)) return com::STG_E_READFAULT;
            m->panels[c * kMaxLines + r] = vb::toCp936(nameFromUtf16(text));
        }
    }
    return com::S_OK;
}

com::HResult SplitterControl::commitLoad(const SplitterModel& loaded) {
    if (!loaded.columns.sane(loaded.colCount) || !loaded.rows.sane(loaded.rowCount)) return com::STG_E_DOCFILECORRUPT;
    model_ = loaded;
    model_.clearDrag();
    model_.needsSizing = true;
    model_.col = std::min<int16_t>(model_.col, int16_t(model_.colCount - 1));
    model_.row = std::min<int16_t>(model_.row, int16_t(model_.rowCount - 1));
    dirty_ = false;
    redraw();
    return com::S_OK;
}

com::HResult SplitterControl::Load(com::IStream* stream) {
    if (!stream) return com::E_POINTER;
    SplitterModel loaded = model_;
    QSize extent = extent_;
    if (const com::HResult hr = loadStream(stream, &loaded, &extent); com::failed(hr)) return hr;
    const com::HResult hr = commitLoad(loaded);
    if (com::succeeded(hr)) extent_ = extent;
    return hr;
}

com::HResult SplitterControl::Save(com::IStream* s, bool clearDirty) {
    if (!s) return com::E_POINTER;
    QSize extent;
    GetExtent(&extent);
    const uint32_t head[3] = {qToLittleEndian(kStreamVersion), qToLittleEndian(uint32_t(extent.width())),
                              qToLittleEndian(uint32_t(extent.height()))};
    if (!com::writeExact(s, head, 12)) return com::STG_E_READFAULT;
    for (com::DispId id : kPropertyMap) {
        com::Value v;
        get(id, &v);
        if (const com::HResult hr = com::writeTaggedValue(s, v); com::failed(hr)) return hr;
    }
    auto writeLines = [&](const LineArrays& a, int n) {
        for (int i = 0; i < n; ++i) {
            const int32_t rec[4] = {qToLittleEndian(a.max[i]), qToLittleEndian(a.min[i]), qToLittleEndian(a.visible[i]),
                                    qToLittleEndian(a.size[i])};
            if (!com::writeExact(s, rec, 16)) return false;
        }
        return true;
    };
    if (!writeLines(model_.columns, model_.colCount) || !writeLines(model_.rows, model_.rowCount))
        return com::STG_E_READFAULT;
    for (int c = 0; c < model_.colCount; ++c) {
        for (int r = 0; r < model_.rowCount; ++r) {
            const QString name = vb::fromCp936(model_.panels[c * kMaxLines + r]);
            QByteArray bytes;
            for (QChar ch : name) {
                const char16_t le = qToLittleEndian(char16_t(ch.unicode()));
                bytes.append(reinterpret_cast<const char*>(&le), 2);
            }
            bytes.append(2, '\0');
            const uint32_t count = qToLittleEndian(uint32_t(bytes.size()));
            if (!com::writeExact(s, &count, 4) || !com::writeExact(s, bytes.constData(), uint32_t(bytes.size())))
                return com::STG_E_READFAULT;
        }
    }
    if (clearDirty) dirty_ = false;
    return com::S_OK;
}

static const QString kContents = QStringLiteral("Contents");

com::HResult SplitterControl::Load(com::IStorage* storage) {
    if (!storage) return com::E_POINTER;
    com::ComPtr<com::IStream> s;
    if (const com::HResult hr = storage->OpenStream(kContents, s.put()); com::failed(hr)) return hr;
    return Load(s.get());
}

com::HResult SplitterControl::Save(com::IStorage* storage, bool) {
    if (!storage) return com::E_POINTER;
    com::ComPtr<com::IStream> s;
    if (const com::HResult hr = storage->CreateStream(kContents, s.put()); com::failed(hr)) return hr;
    return Save(s.get(), true);
}

namespace {
QString memberName(com::DispId id) {
    const std::string_view n = findMember(id)->name;
    return QString::fromLatin1(n.data(), qsizetype(n.size()));
}
}  // namespace

com::HResult SplitterControl::loadBag(com::IPropertyBag* bag, SplitterModel* m) {
    const QSize client = clientSize();
    const bool designTime = !userMode();
    for (com::DispId id : kPropertyMap) {
        com::Value v;
        const com::HResult hr = bag->Read(memberName(id), &v, findMember(id)->type);
        if (hr == com::E_INVALIDARG) continue;  // absent: keeps its value
        if (com::failed(hr)) return hr;
        putLoaded(*m, id, v, designTime, client);
    }
    auto readLines = [&](LineArrays& a, int n, const char* maxName, const char* minName, const char* visName,
                         const char* sizeName) -> com::HResult {
        const std::pair<const char*, std::array<int32_t, kMaxLines>*> fields[4] = {
            {maxName, &a.max}, {minName, &a.min}, {visName, &a.visible}, {sizeName, &a.size}};
        for (int i = 0; i < n; ++i) {
            for (const auto& [name, array] : fields) {
                com::Value v;
                const com::HResult hr = bag->Read(QString::fromLatin1(name) + QString::number(i), &v, com::VarType::I4);
                if (hr == com::E_INVALIDARG) continue;
                if (com::failed(hr)) return hr;
                (*array)[i] = v.toInt32();
            }
        }
        return com::S_OK;
    };
    if (const auto hr = readLines(m->columns, m->colCount, "ColMaxWidth", "ColMinWidth", "ColVisibleWidth", "ColWidth");
        com::failed(hr))
        return hr;
    if (const auto hr = readLines(m->rows, m->rowCount, "RowMaxHeight", "RowMinHeight", "RowVisibleHeight", "RowHeight");
        com::failed(hr))
        return hr;
    for (int c = 0; c < m->colCount; ++c) {
        for (int r = 0; r < m->rowCount; ++r) {
            com::Value v;
            const com::HResult hr =
                bag->Read(QStringLiteral("PanelControl") + QString::number(c * kMaxLines + r), &v, com::VarType::BStr);
            if (com::failed(hr) && hr != com::E_INVALIDARG) return hr;
            m->panels[c * kMaxLines + r] = com::succeeded(hr) ? vb::toCp936(v.toString()) : QByteArray();
        }
    }
    return com::S_OK;
}

com::HResult SplitterControl::Load(com::IPropertyBag* bag) {
    if (!bag) return com::E_POINTER;
    SplitterModel loaded = model_;
    if (const com::HResult hr = loadBag(bag, &loaded); com::failed(hr)) return hr;
    return commitLoad(loaded);
}

com::HResult SplitterControl::Save(com::IPropertyBag* bag, bool clearDirty, bool) {
    if (!bag) return com::E_POINTER;
    for (com::DispId id : kPropertyMap) {
        com::Value v;
        get(id, &v);
        if (const com::HResult hr = bag->Write(memberName(id), v); com::failed(hr)) return hr;
    }
    auto writeLines = [&](const LineArrays& a, int n, const char* maxName, const char* minName, const char* visName,
                          const char* sizeName) {
        for (int i = 0; i < n; ++i) {
            const QString k = QString::number(i);
            bag->Write(QLatin1String(maxName) + k, com::Value(a.max[i]));
            bag->Write(QLatin1String(minName) + k, com::Value(a.min[i]));
            bag->Write(QLatin1String(visName) + k, com::Value(a.visible[i]));
            bag->Write(QLatin1String(sizeName) + k, com::Value(a.size[i]));
        }
    };
    writeLines(model_.columns, model_.colCount, "ColMaxWidth", "ColMinWidth", "ColVisibleWidth", "ColWidth");
    writeLines(model_.rows, model_.rowCount, "RowMaxHeight", "RowMinHeight", "RowVisibleHeight", "RowHeight");
    for (int c = 0; c < model_.colCount; ++c)
        for (int r = 0; r < model_.rowCount; ++r)
            bag->Write(QStringLiteral("PanelControl") + QString::number(c * kMaxLines + r),
                       com::Value(vb::fromCp936(model_.panels[c * kMaxLines + r])));
    if (clearDirty) dirty_ = false;
    return com::S_OK;
}

}  // namespace splitter
