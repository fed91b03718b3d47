#include "render/matrix44.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <utility>

namespace {

template <typename Number>
void StoreRows(Matrix44& matrix, const Number rows[4][4]) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) matrix.at(r, c) = static_cast<float>(rows[r][c]);
}

// The 3 x 3 rotation part from rows, the rest identity.
Matrix44& StoreRotation(Matrix44& matrix, const float rows[3][3]) {
  matrix.Identity();
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) matrix.at(r, c) = rows[r][c];
  return matrix;
}

// Identity except for three elements.
Matrix44& IdentityWith(Matrix44& matrix, std::array<int, 3> elements, Vector3 values) {
  matrix.Identity();
  for (int i = 0; i < 3; ++i) matrix.m[elements[i]] = values[i];
  return matrix;
}

}  // namespace

Matrix44& Matrix44::Identity() { return *this = Matrix44{}; }

Matrix44& Matrix44::Copy(const Matrix44& source) {
  if (&source != this) *this = source;
  return *this;
}

Matrix44& Matrix44::Add(const Matrix44& other) {
  for (int i = 0; i < 16; ++i) m[i] += other.m[i];
  return *this;
}

Matrix44& Matrix44::Scale(float factor) {
  for (float& element : m) element *= factor;
  return *this;
}

Matrix44& Matrix44::FromRows(const float rows[4][4]) {
  StoreRows(*this, rows);
  return *this;
}

Matrix44& Matrix44::FromRows(const double rows[4][4]) {
  StoreRows(*this, rows);
  return *this;
}

// Column c of the product is a's columns weighted by column c of b: four
// independent lanes the compiler can keep in one vector register. The sums
// run in the same order as the textbook loop, so the results are the same.
Matrix44& Matrix44::Multiply(const Matrix44& a, const Matrix44& b) {
  float product[16];
  for (int c = 0; c < 4; ++c) {
    const float* column = &b.m[4 * c];
    for (int r = 0; r < 4; ++r)
      product[4 * c + r] = a.m[r] * column[0] + a.m[4 + r] * column[1] + a.m[8 + r] * column[2] + a.m[12 + r] * column[3];
  }
  std::copy(std::begin(product), std::end(product), m);
  return *this;
}

Matrix44& Matrix44::PostMultiply(const Matrix44& b) { return Multiply(*this, b); }

Matrix44& Matrix44::Transpose() {
  for (int r = 0; r < 4; ++r)
    for (int c = r + 1; c < 4; ++c) std::swap(at(r, c), at(c, r));
  return *this;
}

Matrix44& Matrix44::Translation(float x, float y, float z) { return IdentityWith(*this, {12, 13, 14}, {x, y, z}); }

Matrix44& Matrix44::Scaling(float sx, float sy, float sz) { return IdentityWith(*this, {0, 5, 10}, {sx, sy, sz}); }

Matrix44& Matrix44::RotationX(float degrees) {
  const float c = std::cos(degrees * kDegreesToRadians), s = std::sin(degrees * kDegreesToRadians);
  const float rows[3][3] = {{1, 0, 0}, {0, c, -s}, {0, s, c}};
  return StoreRotation(*this, rows);
}

Matrix44& Matrix44::RotationY(float degrees) {
  return RotationY(std::cos(degrees * kDegreesToRadians), std::sin(degrees * kDegreesToRadians));
}

Matrix44& Matrix44::RotationY(float c, float s) {
  const float rows[3][3] = {{c, 0, -s}, {0, 1, 0}, {s, 0, c}};
  return StoreRotation(*this, rows);
}

Matrix44& Matrix44::RotationZ(float degrees) {
  return RotationZ(std::cos(degrees * kDegreesToRadians), std::sin(degrees * kDegreesToRadians));
}

Matrix44& Matrix44::RotationZ(float c, float s) {
  const float rows[3][3] = {{c, s, 0}, {-s, c, 0}, {0, 0, 1}};
  return StoreRotation(*this, rows);
}

Matrix44& Matrix44::RotationAxis(float degrees, Vector3 axis) {
  const Vector3 n = Normalise(axis);
  const float x = n.x, y = n.y, z = n.z;
  const float c = std::cos(degrees * kDegreesToRadians), s = std::sin(degrees * kDegreesToRadians);
  const float t = 1.0f - c;
  const float rows[3][3] = {{x * x + (1 - x * x) * c, x * y * t - z * s, x * z * t + y * s},
                            {x * y * t + z * s, y * y + (1 - y * y) * c, y * z * t - x * s},
                            {x * z * t - y * s, y * z * t + x * s, z * z + (1 - z * z) * c}};
  return StoreRotation(*this, rows);
}

Vector3 Matrix44::TransformPoint(Vector3 p) const {
  return TransformDirection(p) + Vector3{m[12], m[13], m[14]};
}

Vector3 Matrix44::TransformDirection(Vector3 d) const {
  return {m[0] * d.x + m[4] * d.y + m[8] * d.z, m[1] * d.x + m[5] * d.y + m[9] * d.z,
          m[2] * d.x + m[6] * d.y + m[10] * d.z};
}
