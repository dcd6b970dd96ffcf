// The mean of n.x * n.y filtered samples over a footprint centred on uv:
// the footprint is cut into cells, each sampled at its centre with
// gradients of the cell's size. Minified pictures keep their detail
// averaged instead of skipping texels.
vec4 footprintAverage(sampler2D source, vec2 uv, vec2 footprint, ivec2 n) {
    vec2 cell = footprint / vec2(n);
    vec4 sum = vec4(0.0);
    for (int j = 0; j < n.y; ++j) {
        for (int i = 0; i < n.x; ++i) {
            vec2 q = uv + footprint * ((vec2(i, j) + 0.5) / vec2(n) - 0.5);
            sum += textureGrad(source, q, vec2(cell.x, 0.0), vec2(0.0, cell.y));
        }
    }
    return sum / float(n.x * n.y);
}

// Samples per axis for a footprint of f texels.
ivec2 footprintSamples(vec2 f) {
    return ivec2(min(f * 0.5 + 1.5, vec2(16.0)));
}

// The mean over the parallelogram spanned by the screen derivatives dx and
// dy (in uv) around uv: n.x steps along dx, n.y along dy, each sample with
// the gradients of one grid cell. Rotated and sheared pictures shrink as
// evenly as straight ones.
vec4 footprintParallelogram(sampler2D source, vec2 uv, vec2 dx, vec2 dy, ivec2 n) {
    vec2 cellX = dx / float(n.x), cellY = dy / float(n.y);
    vec4 sum = vec4(0.0);
    for (int j = 0; j < n.y; ++j) {
        for (int i = 0; i < n.x; ++i) {
            vec2 q = uv + dx * ((float(i) + 0.5) / float(n.x) - 0.5) +
                     dy * ((float(j) + 0.5) / float(n.y) - 0.5);
            sum += textureGrad(source, q, cellX, cellY);
        }
    }
    return sum / float(n.x * n.y);
}
