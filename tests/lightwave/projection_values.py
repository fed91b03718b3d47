#!/usr/bin/env python3
# The expected texture coordinates of RotatedLayersProjectOnEveryAxis
# (mesh_building_test.cpp), worked out from LightWave's mapping rules in
# double precision and printed as the test's table. It shares nothing with
# the C++ code: it starts from the layer as written to the file.
import math

PI = 3.14159265359
HALFPI = 1.570796326795
DEGREES_PER_RADIAN = 57.2957763671875  # what the reader turns ROTA's radians by
RADIANS_PER_DEGREE = 0.017453292       # what the rotation builders turn degrees by

CENTER = (0.1, -0.2, 0.15)
SIZE = (1.5, 2.0, 2.5)
HPB = (0.4, -0.3, 0.6)  # ROTA: heading, pitch, bank in radians

POINTS = [(0.9, -0.4, 1.3), (-1.1, 0.6, 0.5), (0.35, 1.2, -0.8), (-0.6, -0.9, -1.4),
          # three triangles for the cubic layer, facing mostly along x, y and z
          (0.0, 0.0, 0.0), (0.2, 1.0, 0.1), (0.1, 0.3, 1.0),
          (0.0, 0.5, 0.0), (1.0, 0.6, 0.2), (0.3, 0.4, 1.0),
          (0.0, 0.0, 0.5), (1.0, 0.2, 0.6), (0.3, 1.0, 0.4)]
FAN = [(0, 1, 2), (0, 2, 3)]
CUBIC = [(4, 5, 6), (7, 8, 9), (10, 11, 12)]


def rotation(axis, degrees):
    c, s = math.cos(degrees * RADIANS_PER_DEGREE), math.sin(degrees * RADIANS_PER_DEGREE)
    return {'x': [[1, 0, 0], [0, c, -s], [0, s, c]],
            'y': [[c, 0, -s], [0, 1, 0], [s, 0, c]],
            'z': [[c, s, 0], [-s, c, 0], [0, 0, 1]]}[axis]


def product(a, b):
    return [[sum(a[r][k] * b[k][c] for k in range(3)) for c in range(3)] for r in range(3)]


# ROTA (H, P, B) is stored as rotations (P, -H, -B) degrees about x, y, z,
# combined as Ry · Rx · Rz and applied to p − centre as a column vector.
M = product(product(rotation('y', -HPB[0] * DEGREES_PER_RADIAN), rotation('x', HPB[1] * DEGREES_PER_RADIAN)),
            rotation('z', -HPB[2] * DEGREES_PER_RADIAN))


def rotated(p):
    d = [p[i] - CENTER[i] for i in range(3)]
    return [sum(M[r][k] * d[k] for k in range(3)) for r in range(3)]


def heading(a, b):
    if a == 0 and b == 0:
        return 0.0
    if b == 0:
        return HALFPI if a < 0 else -HALFPI
    return PI - math.atan(a / b) if b < 0 else -math.atan(a / b)


def pitch(a, y, b):
    if a == 0 and b == 0:
        return 0.0 if y == 0 else (-HALFPI if y < 0 else HALFPI)
    return math.atan(y / math.sqrt(a * a + b * b))


def planar(q, axis):
    x, y, z = q
    sx, sy, sz = SIZE
    return ((z / sz if axis == 'X' else x / sx) + 0.5, 0.5 - (z / sz if axis == 'Y' else y / sy))


def cylindrical(q, axis):
    x, y, z = q
    a, b = {'X': (z, -y), 'Y': (-x, z), 'Z': (-x, -y)}[axis]
    along = {'X': x / SIZE[0], 'Y': y / SIZE[1], 'Z': z / SIZE[2]}[axis]
    return (1 - heading(a, b) / (2 * PI), 0.5 - along)


def spherical(q, axis):
    x, y, z = q
    a, y2, b = {'X': (z, x, -y), 'Y': (-x, y, z), 'Z': (-x, z, -y)}[axis]
    return (1 - heading(a, b) / (2 * PI), 0.5 - pitch(a, y2, b) / PI)


def cubic_axis(points):
    p0, p1, p2 = points
    e1 = [p1[i] - p0[i] for i in range(3)]
    e2 = [p2[i] - p0[i] for i in range(3)]
    nx, ny, nz = (abs(e1[1] * e2[2] - e1[2] * e2[1]), abs(e1[2] * e2[0] - e1[0] * e2[2]),
                  abs(e1[0] * e2[1] - e1[1] * e2[0]))
    if nx < nz:
        return 'Z' if nz > ny else 'Y'
    return 'X' if nx > ny else 'Y'


def row(projection, axis, triangles, uv_of_point):
    points = sorted({p for t in triangles for p in t})
    uvs = ['{%d, {%.6ff, %.6ff}}' % ((p,) + uv_of_point(p)) for p in points]
    lines = [', '.join(uvs[i:i + 3]) for i in range(0, len(uvs), 3)]
    tris = ', '.join('{%s}' % ', '.join(map(str, t)) for t in triangles)
    return '      {LW::%s, %d, {%s},\n       {%s}},' % (projection, 'XYZ'.index(axis), tris, ',\n        '.join(lines))


for name, rule in (('kPlanar', planar), ('kCylindrical', cylindrical), ('kSpherical', spherical)):
    for axis in 'XYZ':
        print(row(name, axis, FAN, lambda p: rule(rotated(POINTS[p]), axis)))
axes = {p: cubic_axis([POINTS[i] for i in t]) for t in CUBIC for p in t}
assert sorted(set(axes.values())) == ['X', 'Y', 'Z']
print(row('kCubic', 'Y', CUBIC, lambda p: planar(rotated(POINTS[p]), axes[p])))
