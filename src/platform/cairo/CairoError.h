#pragma once
// Cairo failures become the program's HRESULT exception: the call as our
// code writes it, Cairo's status code and its text.
#include <cairo.h>

namespace Platform::Cairo {

// Throws for a status other than success.
void checkStatus(cairo_status_t status, const char* call, const char* place);
[[noreturn]] void throwStatus(cairo_status_t status, const char* call, const char* place);

}  // namespace Platform::Cairo
