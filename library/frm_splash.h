#pragma once
// The start-up picture, shown while the library window loads.
#include "platform/forms/form.h"

namespace library {

class FrmSplash : public forms::Form {
    Q_OBJECT
public:
    FrmSplash();
};

}  // namespace library
