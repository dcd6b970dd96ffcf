#pragma once
// Pictures drawn with Cairo go to the GPU: a premultiplied ARGB32 image of
// the texture's size replaces the texture's pixels, converted by GL into
// the texture's format (half floats, 8-bit, or the alpha of a mask).
// Runs on the calling thread's GL context.
typedef struct _cairo_surface cairo_surface_t;

namespace Platform::Gl {
class Texture;
}

namespace Platform::Cairo {

// A transparent ARGB32 image of the size (owned by the caller).
cairo_surface_t* createTextureImage(int width, int height);

// Throws the program's HRESULT exception with the GL error and the place
// when the upload fails.
void uploadToTexture(cairo_surface_t* image, Gl::Texture& texture, const char* place);

}  // namespace Platform::Cairo
