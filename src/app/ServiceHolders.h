#pragma once
// The holders of a start-up table's services, owned by the process entry.
// Construction builds the rows in order; when one fails, what was built is
// released in reverse order before the failure goes on. Destruction
// releases every row in reverse order.
// With MOVANE2_STARTUP_TRACE set in the environment, each creation and
// release is written to the standard error stream as "startup: create <name>"
// or "startup: release <name>".
#include "app/StartupTable.h"

#include <vector>

namespace App {

class ServiceHolders {
public:
    explicit ServiceHolders(std::span<const StartupRow> rows);
    ~ServiceHolders();
    ServiceHolders(const ServiceHolders&) = delete;
    ServiceHolders& operator=(const ServiceHolders&) = delete;

private:
    void release() noexcept;

    struct Entry {
        const char* name;
        StartupHolder holder;
    };
    std::vector<Entry> entries_;
};

}  // namespace App
