#pragma once
// Three-component float vector of the engine's geometry, laid out as the
// plain float[3] that GL calls and stored data use.
#include <cmath>

struct Vector3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  constexpr Vector3() = default;
  constexpr Vector3(float ax, float ay, float az) : x(ax), y(ay), z(az) {}

  const float* data() const { return &x; }
  float* data() { return &x; }
  float operator[](int i) const { return (&x)[i]; }
  float& operator[](int i) { return (&x)[i]; }

  friend constexpr bool operator==(const Vector3&, const Vector3&) = default;
};

constexpr Vector3 operator+(Vector3 a, Vector3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
constexpr Vector3 operator-(Vector3 a, Vector3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
constexpr Vector3 operator-(Vector3 a) { return {-a.x, -a.y, -a.z}; }
constexpr Vector3 operator*(Vector3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
constexpr Vector3 operator*(float s, Vector3 a) { return a * s; }
inline Vector3& operator+=(Vector3& a, Vector3 b) { return a = a + b; }

constexpr float Dot(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
constexpr Vector3 Cross(Vector3 a, Vector3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(Vector3 a) { return std::sqrt(Dot(a, a)); }

// A zero vector stays zero: degenerate input (collinear triangle corners,
// coincident camera eye and target) must not turn into NaN downstream.
inline Vector3 Normalise(Vector3 a) {
  const float length = Length(a);
  return length > 0.0f ? a * (1.0f / length) : Vector3{};
}
