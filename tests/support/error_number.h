#pragma once
// The number of the error a piece of work raises, 0 when it raises none.
#include "platform/vb/error.h"

#include <functional>

namespace testenv {

inline int errorOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const vb::Error& e) {
        return e.number();
    }
    return 0;
}

}  // namespace testenv
