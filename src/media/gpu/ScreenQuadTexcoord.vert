// The screen quad for pixel programs that also read texture coordinates.
layout(location = 0) in vec4 POSITION;
layout(location = 1) in vec2 TEXCOORD;

layout(location = 0) out vec2 TEXCOORD_OUT;

void main() {
    gl_Position = POSITION;
    TEXCOORD_OUT = TEXCOORD;
}
