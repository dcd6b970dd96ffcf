#pragma once
// The start-up table: every process-wide service and panel, one row each, in
// creation order. Start-up builds the rows top to bottom; shutdown releases
// them bottom-up, so every service outlives those created after it. A
// service joins the program by adding its row in its place.
#include "core/base/Singleton.h"

#include <functional>
#include <memory>
#include <span>

namespace App {

// What a row built; dropping it releases the service. Null for a row that
// only performs a start-up step.
using StartupHolder = std::shared_ptr<void>;

struct StartupRow {
    const char* name;                       // the service's qualified name
    std::function<StartupHolder()> create;  // throws when the service cannot start
};

// A holder of T, which creates T by its default constructor.
template <class T>
StartupHolder makeHolder() {
    return std::make_shared<System::Singleton<T>>();
}

std::span<const StartupRow> startupTable();

}  // namespace App
