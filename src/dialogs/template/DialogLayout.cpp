#include "dialogs/template/DialogLayout.h"

#include <algorithm>

namespace Dialog {

namespace {

constexpr int kMargin = 12;
constexpr int kRowGap = 6;
constexpr int kNarrowestRow = 300;

Platform::RECT rect(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

}  // namespace

LayoutResult layoutDialog(const LayoutInput& in) {
    LayoutResult out;
    const int rowHeight = in.rowHeight;
    out.showOk = in.rows.size() >= 2;
    int widest = kNarrowestRow;
    int widestLabel = -1;
    int total = 18;
    std::vector<int> heights;
    for (const LayoutInput::Row& row : in.rows) {
        widest = std::max(widest, row.width);
        int height = row.height;
        if (height != 0) out.showOk = true;
        else height = rowHeight;
        heights.push_back(height);
        if (row.labelWidth >= 0) widestLabel = std::max(widestLabel, row.labelWidth);
        total += height + kRowGap;
    }
    out.labelColumn = widestLabel >= 0 ? widestLabel + 8 : 0;
    const int contentWidth = widest + 2 * kMargin + out.labelColumn;
    if (in.buttonMode != ButtonMode::Auto) out.showOk = in.buttonMode == ButtonMode::Always;
    const bool buttonRow = out.showOk || !in.buttons.empty() || in.noteWidth;
    if (buttonRow) total += kMargin + rowHeight;
    if (out.showOk || in.buttonMode == ButtonMode::Confirm) {
        out.centred = true;
        if (in.buttonMode == ButtonMode::Confirm || !in.enableEnterSubmit) out.noEnterSubmit = true;
    }
    out.clientWidth = std::max(contentWidth, in.minimumWidth);
    out.clientHeight = std::max(total, in.minimumHeight);

    // The window manager draws the frame: the window is its client area.
    const Platform::RECT& owner = in.owner;
    if (out.centred) {
        out.position = {(owner.left + owner.right - out.clientWidth) / 2,
                        (owner.top + owner.bottom - out.clientHeight) / 2};
    } else {
        out.position = {std::min(in.point.x, owner.right - out.clientWidth),
                        std::min(in.point.y, owner.bottom - out.clientHeight)};
    }

    int y = kMargin;
    const int rowWidth = std::max(0, out.clientWidth - out.labelColumn - 2 * kMargin);
    for (std::size_t i = 0; i < in.rows.size(); ++i) {
        if (in.rows[i].labelWidth >= 0) out.labels.push_back(rect(kMargin, y, out.labelColumn, rowHeight));
        else out.labels.emplace_back();
        out.rows.push_back(rect(out.labelColumn + kMargin, y, rowWidth, heights[i]));
        y += heights[i] + kRowGap;
    }

    const int buttonTop = y + kRowGap;
    int x = kMargin;
    if (in.noteWidth) {
        out.note = rect(kMargin, buttonTop, *in.noteWidth, rowHeight);
        x = *in.noteWidth + 2 * kMargin;
    }
    for (const int requested : in.buttons) {
        if (requested < 0) {
            out.buttons.emplace_back();
            continue;
        }
        const int w = requested ? requested : 4 * rowHeight;
        const int left = std::min(x, out.clientWidth - w - kMargin);
        out.buttons.push_back(rect(left, buttonTop, w, rowHeight));
        x += w + kMargin;
    }
    if (out.showOk)
        out.ok = rect(std::max(kMargin, out.clientWidth - 4 * rowHeight - kMargin), buttonTop, 4 * rowHeight, rowHeight);
    return out;
}

}  // namespace Dialog
