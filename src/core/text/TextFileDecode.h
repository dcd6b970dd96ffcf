#pragma once
// The text of a text file whose encoding is not stated: UTF-8 (a leading
// byte-order mark dropped) when the bytes are valid UTF-8, else the legacy
// encoding (CP932 unless changed at start-up) when every byte sequence is
// valid there. Bytes that are neither are no text: nothing is guessed.
#include <optional>
#include <string>

namespace System::String {

std::optional<std::wstring> decodeTextFile(const std::string& bytes);

}  // namespace System::String
