// The lighting pass's quad: clip-space positions and the view vector in
// NORMAL, both passed through.
layout(location = 0) in vec4 POSITION;
layout(location = 1) in vec3 NORMAL;
layout(location = 2) in vec2 TEXCOORD;
layout(location = 3) in float COLOR;
layout(location = 2) out vec4 NORMAL_OUT;

void main() {
    gl_Position = POSITION;
    NORMAL_OUT = vec4(NORMAL, 0.0);
}
