#pragma once
// The user settings of one layer. Shared between its layer list and undo
// records: deleting or resetting a layer gives the list a new settings
// object and leaves the old one (index -1) with whoever holds it.
#include <string>

namespace Edit {

struct Layer {
    bool hide = false;
    std::wstring name;  // empty: unnamed
    bool lock = false;
    int index = -1;     // the layer number; -1 once out of the table

    bool isCustomized() const { return hide || lock || !name.empty(); }
};

}  // namespace Edit
