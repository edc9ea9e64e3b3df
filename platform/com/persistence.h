#pragma once
// Saving and loading objects: byte streams, a storage of named streams, property bags of named
// values, and the persistence interfaces an object offers for each.
#include "platform/com/dispatch.h"

#include <QByteArray>

#include <utility>

namespace com {

struct IStream : IUnknown {
    static constexpr Guid iid = makeGuid("0000000C-0000-0000-C000-000000000046");
    // Reads up to `size` bytes; *read says how many came (fewer at the end). S_OK even when short.
    virtual HResult Read(void* data, uint32_t size, uint32_t* read) = 0;
    virtual HResult Write(const void* data, uint32_t size, uint32_t* written) = 0;
    // Absolute position; *size of the whole stream.
    virtual HResult Seek(uint64_t position) = 0;
    virtual HResult Tell(uint64_t* position) = 0;
    virtual HResult Size(uint64_t* size) = 0;
};

// A stream over bytes in memory.
class MemoryStream final : public Object<IStream> {
public:
    MemoryStream() = default;
    explicit MemoryStream(QByteArray bytes) : bytes_(std::move(bytes)) {}

    HResult Read(void* data, uint32_t size, uint32_t* read) override;
    HResult Write(const void* data, uint32_t size, uint32_t* written) override;
    HResult Seek(uint64_t position) override;
    HResult Tell(uint64_t* position) override;
    HResult Size(uint64_t* size) override;

    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
    qsizetype pos_ = 0;
};

// Whole reads and writes of little-endian values; false when the stream is short or the write fails.
bool readExact(IStream* s, void* data, uint32_t size);
bool writeExact(IStream* s, const void* data, uint32_t size);
// A tagged value: 2-byte type, then the value (I2/Bool 2 bytes, I4/UI4/R4 4, R8/I8 8). Text and other
// types are not written in this form.
HResult writeTaggedValue(IStream* s, const Value& v);
HResult readTaggedValue(IStream* s, Value* v);

struct IStorage : IUnknown {
    static constexpr Guid iid = makeGuid("0000000B-0000-0000-C000-000000000046");
    // A new empty stream under `name`, replacing one of that name.
    virtual HResult CreateStream(const QString& name, IStream** out) = 0;
    // The stream under `name` positioned at its start; STG_E_FILENOTFOUND when there is none.
    virtual HResult OpenStream(const QString& name, IStream** out) = 0;
};

// Named streams in memory, with a file form of our own: "VYSTG1\0\0", a 4-byte count, then per
// stream a 2-byte name length in UTF-16 units, the UTF-16LE name, a 4-byte data length and the data.
class MemoryStorage final : public Object<IStorage> {
public:
    HResult CreateStream(const QString& name, IStream** out) override;
    HResult OpenStream(const QString& name, IStream** out) override;

    QByteArray serialize() const;
    // Replaces the content with that of `bytes`; false (nothing changed) when they are no storage.
    bool deserialize(const QByteArray& bytes);
    QStringList names() const;

private:
    std::vector<std::pair<QString, ComPtr<MemoryStream>>> streams_;
};


struct IPropertyBag : IUnknown {
    static constexpr Guid iid = makeGuid("55272A00-42CB-11CE-8135-00AA004BB851");
    // Reads `name` converted to `type` (Empty: as stored). E_INVALIDARG when the bag has no such value,
    // DISP_E_TYPEMISMATCH / DISP_E_OVERFLOW when it does not convert.
    virtual HResult Read(const QString& name, Value* out, VarType type) = 0;
    virtual HResult Write(const QString& name, const Value& value) = 0;
};

// Named values in memory, in the order first written; names compare without regard to case.
class MemoryPropertyBag final : public Object<IPropertyBag> {
public:
    HResult Read(const QString& name, Value* out, VarType type) override;
    HResult Write(const QString& name, const Value& value) override;

    const std::vector<std::pair<QString, Value>>& values() const { return values_; }
    bool remove(const QString& name);

private:
    std::vector<std::pair<QString, Value>> values_;
};

struct IPersist : IUnknown {
    static constexpr Guid iid = makeGuid("0000010C-0000-0000-C000-000000000046");
    virtual HResult GetClassID(Guid* clsid) = 0;
};

struct IPersistStreamInit : IPersist {
    static constexpr Guid iid = makeGuid("7FD52380-4E07-101B-AE2D-08002B2EC713");
    using Base = IPersist;
    // S_OK when changed since the last save or load, S_FALSE otherwise.
    virtual HResult IsDirty() = 0;
    virtual HResult Load(IStream* stream) = 0;
    virtual HResult Save(IStream* stream, bool clearDirty) = 0;
    virtual HResult InitNew() = 0;
};

struct IPersistStorage : IPersist {
    static constexpr Guid iid = makeGuid("0000010A-0000-0000-C000-000000000046");
    using Base = IPersist;
    virtual HResult IsDirty() = 0;
    virtual HResult InitNew(IStorage* storage) = 0;
    virtual HResult Load(IStorage* storage) = 0;
    virtual HResult Save(IStorage* storage, bool sameAsLoad) = 0;
};

struct IPersistPropertyBag : IPersist {
    static constexpr Guid iid = makeGuid("37D84F60-42CB-11CE-8135-00AA004BB851");
    using Base = IPersist;
    virtual HResult InitNew() = 0;
    virtual HResult Load(IPropertyBag* bag) = 0;
    virtual HResult Save(IPropertyBag* bag, bool clearDirty, bool saveAll) = 0;
};

}  // namespace com
