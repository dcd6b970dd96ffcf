#include "platform/cairo/CairoError.h"

#include "core/base/Exception.h"

namespace Platform::Cairo {

void checkStatus(cairo_status_t status, const char* call, const char* place) {
    if (status != CAIRO_STATUS_SUCCESS) throwStatus(status, call, place);
}

void throwStatus(cairo_status_t status, const char* call, const char* place) {
    throw System::makeHResultException(call, place, static_cast<HRESULT>(status), cairo_status_to_string(status));
}

}  // namespace Platform::Cairo
