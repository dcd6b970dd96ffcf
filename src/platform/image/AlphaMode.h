#pragma once
// How the alpha of a bitmap's pixels is to be read when a drawing surface
// makes a bitmap of them.
enum D2D1_ALPHA_MODE : int {
    D2D1_ALPHA_MODE_UNKNOWN = 0,        // taken as premultiplied
    D2D1_ALPHA_MODE_PREMULTIPLIED = 1,
    D2D1_ALPHA_MODE_STRAIGHT = 2,
    D2D1_ALPHA_MODE_IGNORE = 3,         // every pixel opaque
};
