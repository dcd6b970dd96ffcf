// The object constants (160 bytes): projection float4x4 at 0 (one column
// per register), alpha float at 64, blend int at 68, normalWorld float4x4
// at 80, shine float at 144. The light constants (64 bytes):
// lightProjection float4x4.
layout(std140, binding = B_SLOT(0)) uniform ObjectConstant { vec4 objectConstant[10]; };
mat4 objectProjection() {
    return mat4(objectConstant[0], objectConstant[1], objectConstant[2], objectConstant[3]);
}
float objectAlpha() { return objectConstant[4].x; }
int objectBlend() { return floatBitsToInt(objectConstant[4].y); }
mat4 objectNormalWorld() {
    return mat4(objectConstant[5], objectConstant[6], objectConstant[7], objectConstant[8]);
}
float objectShine() { return objectConstant[9].x; }
