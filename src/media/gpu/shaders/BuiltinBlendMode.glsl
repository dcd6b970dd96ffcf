// Blend-mode compositing of a premultiplied source s over a premultiplied
// destination d at opacity a. Codes 0 to 12 give r to be drawn over the
// target (r + d * (1 - r.a)); codes 20 to 23 give the pixel that replaces
// it. Any other code behaves as 0. Where codes 20 to 23 would divide by a
// zero alpha the result is transparent black, never NaN.
vec3 blendLuma(vec3 c) {
    return vec3(dot(c, vec3(0.299, 0.587, 0.114)), dot(c, vec3(-0.169, -0.331, 0.5)),
                dot(c, vec3(0.5, -0.419, -0.081)));
}

vec3 blendColour(float y, float cb, float cr) {
    return vec3(y + 1.402 * cr, y - 0.344 * cb - 0.714 * cr, y + 1.772 * cb);
}

// c * scale / c.a, or 0 when c.a is 0.
vec4 blendRescale(vec4 c, float scale) {
    return c.a != 0.0 ? scale * c / c.a : vec4(0.0);
}

vec4 blendMode(int code, vec4 s, vec4 d, float a) {
    vec3 dd = d.rgb * s.a;
    vec3 rgb;
    switch (code) {
        case 1: rgb = dd + s.rgb; break;
        case 2: rgb = dd - s.rgb; break;
        case 3: rgb = d.rgb * s.rgb; break;
        case 4: rgb = d.rgb * (s.a - s.rgb) + s.rgb; break;
        case 5: {
            vec3 low = 2.0 * d.rgb * s.rgb;
            vec3 high = 2.0 * (d.rgb * (s.a - s.rgb) + s.rgb) - s.a;
            rgb = mix(high, low, lessThan(d.rgb, vec3(0.5)));
            break;
        }
        case 6: rgb = max(s.rgb, dd); break;
        case 7: rgb = min(s.rgb, dd); break;
        case 8: {
            vec3 source = blendLuma(s.rgb), target = blendLuma(dd);
            rgb = blendColour(source.x, target.y, target.z);
            break;
        }
        case 9: {
            vec3 source = blendLuma(s.rgb), target = blendLuma(dd);
            rgb = blendColour(target.x, source.y, source.z);
            break;
        }
        case 10: rgb = clamp(dd + s.rgb - s.a, 0.0, s.a); break;
        case 11: rgb = clamp(dd + 2.0 * s.rgb - s.a, 0.0, s.a); break;
        case 12: rgb = abs(dd - s.rgb); break;
        case 20: {
            vec4 c = s * a + d;
            return blendRescale(c, min(s.a * a + d.a, 1.0));
        }
        case 21: {
            vec4 c = s * a + d * (1.0 - s.a * a);
            return blendRescale(c, min(s.a * a + d.a, 1.0));
        }
        case 22: {
            vec4 c = s * a + d;
            return blendRescale(c, max(d.a, s.a * a));
        }
        case 23: return blendRescale(d, max(d.a - s.a * a, 0.0));
        default: return s * a;
    }
    return vec4(rgb * a, s.a * a);
}
