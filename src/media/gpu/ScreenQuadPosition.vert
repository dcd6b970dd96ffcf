// The screen quad for pixel programs that read only their position.
layout(location = 0) in vec4 POSITION;

void main() {
    gl_Position = POSITION;
}
