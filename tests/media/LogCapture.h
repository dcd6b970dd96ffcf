#pragma once
#include "support/LogCapture.h"

namespace MediaTest {
using LogCapture = TestSupport::LogCapture;
}  // namespace MediaTest
