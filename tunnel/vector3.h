#pragma once
// Three single-precision floats: positions, directions and normals.
// Operations work in place and return the vector itself.

struct Vector3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;

    Vector3& Set(float nx, float ny, float nz) {
        x = nx;
        y = ny;
        z = nz;
        return *this;
    }
    Vector3& Add(const Vector3& b) {
        x += b.x;
        y += b.y;
        z += b.z;
        return *this;
    }
    Vector3& Scale(float s) {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }
    // Division as a multiplication by the reciprocal.
    Vector3& Divide(float d) { return Scale(1.0f / d); }
    float SquaredLength() const { return x * x + y * y + z * z; }
    // Writes this x b into `out` and returns it.
    Vector3& Cross(const Vector3& b, Vector3& out) const {
        out.Set(y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x);
        return out;
    }
};
