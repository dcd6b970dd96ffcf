// Integer loads of run-time shaders: outside the picture (or its level)
// they read 0, as D3D's Load does.
bool hlslOutside(ivec2 position, ivec2 size) {
    return any(lessThan(position, ivec2(0))) || any(greaterThanEqual(position, size));
}
vec4 hlslLoad(sampler2D s, ivec2 p, int lod) {
    return hlslOutside(p, textureSize(s, lod)) ? vec4(0.0) : texelFetch(s, p, lod);
}
ivec4 hlslLoad(isampler2D s, ivec2 p, int lod) {
    return hlslOutside(p, textureSize(s, lod)) ? ivec4(0) : texelFetch(s, p, lod);
}
uvec4 hlslLoad(usampler2D s, ivec2 p, int lod) {
    return hlslOutside(p, textureSize(s, lod)) ? uvec4(0u) : texelFetch(s, p, lod);
}
vec4 hlslLoad(sampler2DArray s, ivec3 p, int lod) {
    ivec3 size = textureSize(s, lod);
    return hlslOutside(p.xy, size.xy) || p.z < 0 || p.z >= size.z ? vec4(0.0) : texelFetch(s, p, lod);
}
vec4 hlslLoadOffset(sampler2D s, ivec2 p, int lod, ivec2 offset) {
    return hlslLoad(s, p + offset, lod);
}
