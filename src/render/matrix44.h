#pragma once
// 4 x 4 float matrix in OpenGL order: element (row r, column c) at index
// 4c + r, so it goes to glLoadMatrixf / glMultMatrixf as it is. Points are
// column vectors multiplied on the right; Multiply(A, B) is A·B (B applied
// first). Rotation angles are in degrees. Every builder returns *this.
#include "render/vector3.h"

struct Matrix44 {
  float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

  float& at(int row, int column) { return m[4 * column + row]; }
  float at(int row, int column) const { return m[4 * column + row]; }

  Matrix44& Identity();
  Matrix44& Copy(const Matrix44& source);
  Matrix44& Add(const Matrix44& other);
  Matrix44& Scale(float factor);
  // Rows given top to bottom: the same mathematical matrix, stored transposed.
  Matrix44& FromRows(const float rows[4][4]);
  Matrix44& FromRows(const double rows[4][4]);
  // *this = a·b; a and b may be *this.
  Matrix44& Multiply(const Matrix44& a, const Matrix44& b);
  // *this = *this·b.
  Matrix44& PostMultiply(const Matrix44& b);
  Matrix44& Transpose();

  Matrix44& Translation(float x, float y, float z);
  Matrix44& Scaling(float sx, float sy, float sz);
  Matrix44& RotationX(float degrees);
  Matrix44& RotationY(float degrees);
  Matrix44& RotationY(float cosine, float sine);
  Matrix44& RotationZ(float degrees);
  Matrix44& RotationZ(float cosine, float sine);
  // Axis-angle rotation turning the same way as RotationX about +x.
  Matrix44& RotationAxis(float degrees, Vector3 axis);

  // p' = M p with translation; directions ignore it.
  Vector3 TransformPoint(Vector3 p) const;
  Vector3 TransformDirection(Vector3 d) const;
};

constexpr float kDegreesToRadians = 0.017453292f;

inline Matrix44 Multiply(const Matrix44& a, const Matrix44& b) { return Matrix44{}.Multiply(a, b); }
