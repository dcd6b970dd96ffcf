#pragma once
// Tests that lay out or draw text include this header: before main runs,
// fontconfig is pointed at the project's pinned file (tests/data/fonts), so
// every machine sets the tests' text in the same fonts and pictures repeat.
// Test programs only (MOVANE2_SOURCE_DIR is theirs).
#include <cstdlib>

namespace TestSupport {

inline const bool fontsPinned = [] {
    return setenv("FONTCONFIG_FILE", MOVANE2_SOURCE_DIR "/tests/data/fonts/fonts.conf", 1) == 0;
}();

}  // namespace TestSupport
