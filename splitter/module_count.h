#pragma once
// Live objects and server locks of the library: DllCanUnloadNow answers from this count.
#include <atomic>

namespace splitter {

inline std::atomic<long>& moduleCount() {
    static std::atomic<long> count{0};
    return count;
}

// Counts the module busy for the lifetime of an object that holds one.
struct ModuleReference {
    ModuleReference() { ++moduleCount(); }
    ~ModuleReference() { --moduleCount(); }
    ModuleReference(const ModuleReference&) = delete;
    ModuleReference& operator=(const ModuleReference&) = delete;
};

}  // namespace splitter
