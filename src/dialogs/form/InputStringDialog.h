#pragma once
// One text row under a title (required unless told otherwise); true with
// the text on OK.
// User-interface thread only.
#include <string>

namespace Dialog::InputStringDialog {

bool show(const std::wstring& title, const std::wstring& label, std::wstring& value, bool required = true);

}  // namespace Dialog::InputStringDialog
