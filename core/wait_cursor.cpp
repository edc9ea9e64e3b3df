#include "core/wait_cursor.h"

#include "platform/vb/mousepointer.h"
#include "platform/vb/variant.h"

namespace core {

CWaitCursor::CWaitCursor() : saved_(vb::screenMousePointer()) {}

CWaitCursor::~CWaitCursor() { Restore(); }

void CWaitCursor::SetCursor(int32_t pointer) { vb::setScreenMousePointer(vb::checkedInt16(pointer)); }

void CWaitCursor::Restore() { vb::setScreenMousePointer(saved_); }

chourglass::chourglass() { vb::setScreenMousePointer(vb::vbHourglass); }

chourglass::~chourglass() { vb::setScreenMousePointer(vb::vbDefault); }

}  // namespace core
