#pragma once
// One required text row under a title; true with the text on OK.
// User-interface thread only.
#include <string>

namespace Dialog::InputStringDialog {

bool show(const std::wstring& title, const std::wstring& label, std::wstring& value);

}  // namespace Dialog::InputStringDialog
