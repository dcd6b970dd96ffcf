#pragma once
// Windows-shaped scalar types that the program's own interfaces keep
// (HRESULT codes in exception texts, DWORD sizes). The plugin ABI header
// builds on these.
#include <cstdint>

using HRESULT = std::int32_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using BOOL = std::int32_t;
// Message arguments and results of the window procedures.
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

constexpr bool FAILED(HRESULT hr) { return hr < 0; }
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
