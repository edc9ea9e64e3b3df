#pragma once
// Readable QString values in test failure messages.
#include <QString>

#include <ostream>

#include "tests/support/qt_print.h"
