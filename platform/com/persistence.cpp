#include "platform/com/persistence.h"

#include <QStringList>
#include <QtEndian>

#include <cstring>

namespace com {

HResult MemoryStream::Read(void* data, uint32_t size, uint32_t* read) {
    const qsizetype n = std::min<qsizetype>(size, std::max<qsizetype>(0, bytes_.size() - pos_));
    if (n > 0) std::memcpy(data, bytes_.constData() + pos_, static_cast<size_t>(n));
    pos_ += n;
    if (read) *read = static_cast<uint32_t>(n);
    return S_OK;
}

HResult MemoryStream::Write(const void* data, uint32_t size, uint32_t* written) {
    if (pos_ + qsizetype(size) > bytes_.size()) bytes_.resize(pos_ + size);
    if (size) std::memcpy(bytes_.data() + pos_, data, size);
    pos_ += size;
    if (written) *written = size;
    return S_OK;
}

HResult MemoryStream::Seek(uint64_t position) {
    if (position > uint64_t(bytes_.size())) return E_INVALIDARG;
    pos_ = static_cast<qsizetype>(position);
    return S_OK;
}

HResult MemoryStream::Tell(uint64_t* position) {
    if (!position) return E_POINTER;
    *position = static_cast<uint64_t>(pos_);
    return S_OK;
}

HResult MemoryStream::Size(uint64_t* size) {
    if (!size) return E_POINTER;
    *size = static_cast<uint64_t>(bytes_.size());
    return S_OK;
}

bool readExact(IStream* s, void* data, uint32_t size) {
    uint32_t got = 0;
    return s && succeeded(s->Read(data, size, &got)) && got == size;
}

bool writeExact(IStream* s, const void* data, uint32_t size) {
    uint32_t put = 0;
    return s && succeeded(s->Write(data, size, &put)) && put == size;
}

namespace {
template <class T>
bool writeLE(IStream* s, T v) {
    const T le = qToLittleEndian(v);
    return writeExact(s, &le, sizeof le);
}
template <class T>
bool readLE(IStream* s, T* v) {
    T le{};
    if (!readExact(s, &le, sizeof le)) return false;
    *v = qFromLittleEndian(le);
    return true;
}
}  // namespace

HResult writeTaggedValue(IStream* s, const Value& v) {
    switch (v.type()) {
    case VarType::BStr: return DISP_E_TYPEMISMATCH;  // no form here; nothing is written
    default: break;
    }
    const auto type = static_cast<uint16_t>(v.type());
    bool ok = writeLE<uint16_t>(s, type);
    switch (v.type()) {
    case VarType::I2: ok = ok && writeLE<int16_t>(s, v.toInt16()); break;
    case VarType::Bool: ok = ok && writeLE<int16_t>(s, v.toBool() ? -1 : 0); break;
    case VarType::I4: ok = ok && writeLE<int32_t>(s, v.toInt32()); break;
    case VarType::UI4: ok = ok && writeLE<uint32_t>(s, v.toUInt32()); break;
    case VarType::I8: ok = ok && writeLE<int64_t>(s, v.toInt64()); break;
    case VarType::R4: {
        const float f = static_cast<float>(v.toDouble());
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        ok = ok && writeLE<uint32_t>(s, bits);
        break;
    }
    case VarType::R8: {
        const double d = v.toDouble();
        uint64_t bits;
        std::memcpy(&bits, &d, 8);
        ok = ok && writeLE<uint64_t>(s, bits);
        break;
    }
    default: break;  // Empty and Null: the tag alone
    }
    return ok ? S_OK : STG_E_READFAULT;
}

HResult readTaggedValue(IStream* s, Value* v) {
    uint16_t type = 0;
    if (!readLE(s, &type)) return STG_E_READFAULT;
    switch (static_cast<VarType>(type)) {
    case VarType::Empty: *v = Value(); return S_OK;
    case VarType::Null: *v = Value::null(); return S_OK;
    case VarType::I2: {
        int16_t x;
        if (!readLE(s, &x)) return STG_E_READFAULT;
        *v = Value(x);
        return S_OK;
    }
    case VarType::Bool: {
        int16_t x;
        if (!readLE(s, &x)) return STG_E_READFAULT;
        *v = Value(x != 0);
        return S_OK;
    }
    case VarType::I4: {
        int32_t x;
        if (!readLE(s, &x)) return STG_E_READFAULT;
        *v = Value(x);
        return S_OK;
    }
    case VarType::UI4: {
        uint32_t x;
        if (!readLE(s, &x)) return STG_E_READFAULT;
        *v = Value(x);
        return S_OK;
    }
    case VarType::I8: {
        int64_t x;
        if (!readLE(s, &x)) return STG_E_READFAULT;
        *v = Value(x);
        return S_OK;
    }
    case VarType::R4: {
        uint32_t bits;
        if (!readLE(s, &bits)) return STG_E_READFAULT;
        float f;
        std::memcpy(&f, &bits, 4);
        *v = Value(f);
        return S_OK;
    }
    case VarType::R8: {
        uint64_t bits;
        if (!readLE(s, &bits)) return STG_E_READFAULT;
        double d;
        std::memcpy(&d, &bits, 8);
        *v = Value(d);
        return S_OK;
    }
    default: return DISP_E_TYPEMISMATCH;
    }
}

HResult MemoryStorage::CreateStream(const QString& name, IStream** out) {
    if (!out) return E_POINTER;
    auto s = make<MemoryStream>();
    auto it = std::find_if(streams_.begin(), streams_.end(), [&](const auto& p) { return p.first == name; });
    if (it != streams_.end()) it->second = s;
    else streams_.emplace_back(name, s);
    *out = s.detach();
    return S_OK;
}

HResult MemoryStorage::OpenStream(const QString& name, IStream** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (const auto& [n, s] : streams_) {
        if (n != name) continue;
        s->Seek(0);
        s->AddRef();
        *out = s.get();
        return S_OK;
    }
    return STG_E_FILENOTFOUND;
}

static const QByteArray kStorageMagic("VYSTG1\0\0", 8);

QByteArray MemoryStorage::serialize() const {
    QByteArray out = kStorageMagic;
    auto put32 = [&](uint32_t v) {
        const uint32_t le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char*>(&le), 4);
    };
    put32(static_cast<uint32_t>(streams_.size()));
    for (const auto& [name, s] : streams_) {
        const uint16_t len = qToLittleEndian(static_cast<uint16_t>(name.size()));
        out.append(reinterpret_cast<const char*>(&len), 2);
        for (QChar c : name) {
            const uint16_t u = qToLittleEndian(c.unicode());
            out.append(reinterpret_cast<const char*>(&u), 2);
        }
        put32(static_cast<uint32_t>(s->bytes().size()));
        out.append(s->bytes());
    }
    return out;
}

bool MemoryStorage::deserialize(const QByteArray& bytes) {
    if (!bytes.startsWith(kStorageMagic)) return false;
    qsizetype at = kStorageMagic.size();
    auto take = [&](qsizetype n, QByteArray* part) {
        if (n < 0 || n > bytes.size() - at) return false;
        *part = bytes.mid(at, n);
        at += n;
        return true;
    };
    QByteArray part;
    if (!take(4, &part)) return false;
    const uint32_t count = qFromLittleEndian<uint32_t>(part.constData());
    std::vector<std::pair<QString, ComPtr<MemoryStream>>> streams;
    for (uint32_t i = 0; i < count; ++i) {
        if (!take(2, &part)) return false;
        const uint16_t len = qFromLittleEndian<uint16_t>(part.constData());
        if (!take(qsizetype(len) * 2, &part)) return false;
        QString name;
        for (int k = 0; k < len; ++k) name += QChar(qFromLittleEndian<uint16_t>(part.constData() + 2 * k));
        if (!take(4, &part)) return false;
        const uint32_t size = qFromLittleEndian<uint32_t>(part.constData());
        if (!take(qsizetype(size), &part)) return false;
        streams.emplace_back(name, make<MemoryStream>(part));
    }
    if (at != bytes.size()) return false;
    streams_ = std::move(streams);
    return true;
}

QStringList MemoryStorage::names() const {
    QStringList out;
    for (const auto& p : streams_) out << p.first;
    return out;
}

HResult MemoryPropertyBag::Read(const QString& name, Value* out, VarType type) {
    if (!out) return E_POINTER;
    for (const auto& [n, v] : values_) {
        if (n.compare(name, Qt::CaseInsensitive) != 0) continue;
        if (type == VarType::Empty) {
            *out = v;
            return S_OK;
        }
        return v.changeType(type, out);
    }
    return E_INVALIDARG;
}

HResult MemoryPropertyBag::Write(const QString& name, const Value& value) {
    for (auto& [n, v] : values_) {
        if (n.compare(name, Qt::CaseInsensitive) == 0) {
            v = value;
            return S_OK;
        }
    }
    values_.emplace_back(name, value);
    return S_OK;
}

bool MemoryPropertyBag::remove(const QString& name) {
    const auto before = values_.size();
    std::erase_if(values_, [&](const auto& p) { return p.first.compare(name, Qt::CaseInsensitive) == 0; });
    return values_.size() != before;
}

}  // namespace com
