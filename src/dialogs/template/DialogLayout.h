#pragma once
// Where a dialog built from rows puts everything: its size and place on the
// screen, the label column, each row, the note, the extra buttons and OK,
// and whether it shows OK and submits on Enter. Pixels throughout; all
// geometry follows from the row height (the control font's line + 4).
#include "platform/gtk/Messages.h"

#include <optional>
#include <vector>

namespace Dialog {

enum class ButtonMode { Auto = 0, Always = 1, Never = 2, Confirm = 3 };

struct LayoutInput {
    int rowHeight = 0;
    struct Row {
        int width = 0;
        int height = 0;       // 0: one row height
        int labelWidth = -1;  // -1: no label
    };
    std::vector<Row> rows;
    std::optional<int> noteWidth;
    // Extra buttons in order: their width (0: four row heights), or -1 for
    // one without a label of its own.
    std::vector<int> buttons;
    ButtonMode buttonMode = ButtonMode::Auto;
    int minimumWidth = 0;
    int minimumHeight = 0;
    bool enableEnterSubmit = false;
    // The owner's window rectangle and the point the dialog opens at.
    Platform::RECT owner;
    Platform::POINT point;
};

struct LayoutResult {
    bool showOk = false;
    bool noEnterSubmit = false;
    bool centred = false;
    int clientWidth = 0;
    int clientHeight = 0;
    int labelColumn = 0;
    // The dialog's top-left corner on the screen.
    Platform::POINT position;
    // Per row: its label (when it has one) and its control rectangle.
    std::vector<std::optional<Platform::RECT>> labels;
    std::vector<Platform::RECT> rows;
    std::optional<Platform::RECT> note;
    // Per extra button: its rectangle, none for one without a label.
    std::vector<std::optional<Platform::RECT>> buttons;
    std::optional<Platform::RECT> ok;
};

LayoutResult layoutDialog(const LayoutInput& input);

}  // namespace Dialog
