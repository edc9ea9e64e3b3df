#include "core/editor_host.h"

namespace core {

namespace {
EditorHost* gEditorHost = nullptr;
}

EditorHost* editorHost() { return gEditorHost; }

void setEditorHost(EditorHost* host) { gEditorHost = host; }

}  // namespace core
