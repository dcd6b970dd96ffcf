// Opaque white everywhere.
layout(location = 0) out vec4 result;

void main() {
    result = vec4(1.0);
}
