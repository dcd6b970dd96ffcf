#include "app/ServiceHolders.h"

#include <cstdio>
#include <cstdlib>

namespace App {

namespace {

void trace(const char* what, const char* name) {
    static const bool enabled = [] {
        const char* value = std::getenv("MOVANE2_STARTUP_TRACE");
        return value && *value;
    }();
    if (enabled) std::fprintf(stderr, "startup: %s %s\n", what, name);
}

}  // namespace

ServiceHolders::ServiceHolders(std::span<const StartupRow> rows) {
    entries_.reserve(rows.size());
    try {
        for (const StartupRow& row : rows) {
            entries_.push_back({row.name, row.create()});
            trace("create", row.name);
        }
    } catch (...) {
        release();
        throw;
    }
}

ServiceHolders::~ServiceHolders() { release(); }

void ServiceHolders::release() noexcept {
    while (!entries_.empty()) {
        const char* name = entries_.back().name;
        entries_.pop_back();
        trace("release", name);
    }
}

}  // namespace App
