#pragma once
// Guards that show the hourglass pointer while a long operation runs. Both act on the one
// application-wide pointer, which is a value and not a stack.
#include <cstdint>

namespace core {

// Saves the pointer in force when created and puts exactly that one back when released, whatever
// happened in between.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Raises 6 for a value outside 16 bits.
    void SetCursor(int32_t pointer);
    void Restore();

private:
    int16_t saved_;
};

// The hourglass while it lives, the default pointer after. With two overlapping guards the first one
// released already shows the default pointer.
class chourglass {
public:
    chourglass();
    ~chourglass();
    chourglass(const chourglass&) = delete;
    chourglass& operator=(const chourglass&) = delete;
};

}  // namespace core
