#include "core/data_object.h"

#include "platform/vb/error.h"

namespace core {

void applyChangeRule(int32_t& state, const QString& source) {
    switch (state) {
    case kRecordUnchanged: state = kRecordChanged; return;
    case kRecordNew:
    case kRecordChanged: return;
    case kRecordMarkedForDeletion:
        throw vb::Error(kErrRecordAboutToBeDeleted, source, QStringLiteral("This Record is About to be deleted"));
    case kRecordDeleted: throw vb::Error(kErrRecordDeleted, source, QStringLiteral("This record has been deleted"));
    default: throw vb::Error(kErrRecordNotCreated, source, QStringLiteral("This record has not been created yet"));
    }
}

vb::Variant keyValue(const QString& key) { return vb::Variant(vb::Variant(key).toLong()); }

void passOn(const vb::Error& error, const QString& source) { throw error.withSource(source); }

}  // namespace core
