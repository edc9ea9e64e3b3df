#pragma once
// What the library writes into the class registry: the entries of the control class and of its two
// property pages, each key relative to "CLSID\{class}". "%MODULE%" stands for the library's path.
#include "platform/com/class_registry.h"
#include "splitter/splitter_identity.h"

#include <array>

namespace splitter {

struct RegistryEntry {
    const com::Guid* clsid;
    const char* subkey;  // "" = the class key itself
    const char* name;    // nullptr = the key only, "" = its default value
    const char* value;
};

inline constexpr std::array<RegistryEntry, 21> kRegistryEntries{{
    {&kClsidSplitter, "", "", kSplitterDescription},
    {&kClsidSplitter, "ProgID", "", kSplitterProgId},
    {&kClsidSplitter, "VersionIndependentProgID", "", kSplitterVersionIndependentProgId},
    {&kClsidSplitter, "Programmable", nullptr, nullptr},
    {&kClsidSplitter, "Control", nullptr, nullptr},
    {&kClsidSplitter, "Insertable", nullptr, nullptr},
    {&kClsidSplitter, "InprocServer32", "", "%MODULE%"},
    {&kClsidSplitter, "InprocServer32", "ThreadingModel", "Apartment"},
    {&kClsidSplitter, "ToolboxBitmap32", "", "%MODULE%, 1"},
    {&kClsidSplitter, "MiscStatus", "", "0"},
    {&kClsidSplitter, "MiscStatus\\1", "", "197009"},
    {&kClsidSplitter, "TypeLib", "", "{A6FBEE43-63D4-11D1-B2DF-444553540000}"},
    {&kClsidSplitter, "Version", "", "1.0"},
    {&kClsidPpgBorder, "", "", kPpgBorderDescription},
    {&kClsidPpgBorder, "Programmable", nullptr, nullptr},
    {&kClsidPpgBorder, "InprocServer32", "", "%MODULE%"},
    {&kClsidPpgBorder, "InprocServer32", "ThreadingModel", "Apartment"},
    {&kClsidPpgPanels, "", "", kPpgPanelsDescription},
    {&kClsidPpgPanels, "Programmable", nullptr, nullptr},
    {&kClsidPpgPanels, "InprocServer32", "", "%MODULE%"},
    {&kClsidPpgPanels, "InprocServer32", "ThreadingModel", "Apartment"},
}};

// The registry key of a class: "CLSID\{...}".
QString classKey(const com::Guid& clsid);

// Writes every entry with `modulePath` for "%MODULE%" / removes every key the entries name. The
// shared "CLSID" key itself is never touched.
void writeRegistration(com::ClassRegistry& registry, const QString& modulePath);
void removeRegistration(com::ClassRegistry& registry);

}  // namespace splitter
