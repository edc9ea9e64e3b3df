#include "splitter/class_factory.h"

#include "splitter/panels_page.h"
#include "splitter/border_page.h"
#include "splitter/splitter_control.h"

namespace splitter {

com::HResult getClassObject(const com::Guid& clsid, const com::Guid& iid, void** out) {
    if (!out) return com::E_POINTER;
    *out = nullptr;
    com::ComPtr<com::IClassFactory> factory;
    if (clsid == kClsidSplitter) factory = com::make<ClassFactory<SplitterControl>>();
    else if (clsid == kClsidPpgBorder) factory = com::make<ClassFactory<BorderPage>>();
    else if (clsid == kClsidPpgPanels) factory = com::make<ClassFactory<PanelsPage>>();
    else return com::CLASS_E_CLASSNOTAVAILABLE;
    return factory->QueryInterface(iid, out);
}

}  // namespace splitter
