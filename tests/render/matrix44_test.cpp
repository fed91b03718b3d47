#include <gtest/gtest.h>

#include "render/matrix44.h"

namespace {

void ExpectNear(Vector3 actual, Vector3 expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f);
  EXPECT_NEAR(actual.y, expected.y, 1e-5f);
  EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

TEST(Matrix44Test, LayoutIsColumnMajorWithTranslationInTwelveToFourteen) {
  const Matrix44 t = Matrix44{}.Translation(1, 2, 3);
  EXPECT_EQ(t.m[12], 1.0f);
  EXPECT_EQ(t.m[13], 2.0f);
  EXPECT_EQ(t.m[14], 3.0f);
  EXPECT_EQ(t.m[15], 1.0f);
  ExpectNear(t.TransformPoint({0, 0, 0}), {1, 2, 3});
  ExpectNear(t.TransformDirection({0, 0, 1}), {0, 0, 1});

  const float rows[4][4] = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}};
  Matrix44 fromRows;
  fromRows.FromRows(rows);
  EXPECT_EQ(fromRows.m[1], 5.0f);  // row 1, column 0
  EXPECT_EQ(fromRows.m[4], 2.0f);  // row 0, column 1
  const double doubleRows[4][4] = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}};
  Matrix44 fromDoubles;
  fromDoubles.FromRows(doubleRows);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(fromDoubles.m[i], fromRows.m[i]);
  fromRows.Transpose();
  EXPECT_EQ(fromRows.m[1], 2.0f);
}

TEST(Matrix44Test, ProductAppliesTheRightOperandFirst) {
  const Matrix44 combined = Multiply(Matrix44{}.Translation(1, 0, 0), Matrix44{}.RotationZ(90));
  ExpectNear(combined.TransformPoint({1, 0, 0}), {1, -1, 0});

  Matrix44 inPlace = Matrix44{}.Translation(1, 0, 0);
  inPlace.PostMultiply(Matrix44{}.RotationZ(90));
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(inPlace.m[i], combined.m[i]);

  Matrix44 aliased = Matrix44{}.Scaling(2, 3, 4);
  aliased.Multiply(aliased, aliased);
  ExpectNear(aliased.TransformPoint({1, 1, 1}), {4, 9, 16});
}

TEST(Matrix44Test, RotationsTurnTheStatedWay) {
  // RotationX takes +y to +z; RotationY and RotationZ turn the other way.
  ExpectNear(Matrix44{}.RotationX(90).TransformPoint({0, 1, 0}), {0, 0, 1});
  ExpectNear(Matrix44{}.RotationY(90).TransformPoint({0, 0, 1}), {-1, 0, 0});
  ExpectNear(Matrix44{}.RotationZ(90).TransformPoint({0, 1, 0}), {1, 0, 0});
  ExpectNear(Matrix44{}.RotationY(0.0f, 1.0f).TransformPoint({1, 0, 0}), {0, 0, 1});
  ExpectNear(Matrix44{}.RotationZ(0.0f, 1.0f).TransformPoint({1, 0, 0}), {0, -1, 0});
  // The axis form about x matches RotationX, and normalises its axis.
  const Matrix44 axis = Matrix44{}.RotationAxis(30, {5, 0, 0});
  const Matrix44 x = Matrix44{}.RotationX(30);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(axis.m[i], x.m[i], 1e-6f);
  ExpectNear(Matrix44{}.RotationAxis(120, {1, 1, 1}).TransformPoint({1, 0, 0}), {0, 1, 0});
}

TEST(Matrix44Test, ElementWiseOperations) {
  Matrix44 sum = Matrix44{}.Identity();
  sum.Add(Matrix44{}.Identity()).Scale(0.5f);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(sum.m[i], Matrix44{}.m[i]);
  Matrix44 copy;
  copy.Copy(Matrix44{}.Translation(4, 5, 6)).Copy(copy);
  EXPECT_EQ(copy.m[13], 5.0f);
}

}  // namespace
