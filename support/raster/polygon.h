// A small 2-D toolkit over locked pixel memory: polygons (outlined, filled, moved, rotated,
// scaled), angle tables, matrices, box overlap, colour scans and fast distances.
#pragma once

#include <cstdint>

// A vertex relative to its polygon's origin.
struct Vertex2D {
    float x;
    float y;
};

// A polygon: vertex i lies on the screen at (x0 + x, y0 + y), each truncated toward zero.
struct Polygon2D {
    int state;       // 0: inactive, drawing does nothing; anything else: active
    int vertexCount; // number of vertices
    int x0;          // origin on the screen
    int y0;
    uint32_t colour;    // palette index (8-bit drawing) or pixel value (16-bit drawing)
    Vertex2D* vertices; // vertexCount vertices in order around the outline, owned by the caller
};

constexpr int ANGLE_TABLE_SIZE = 361;

// ---- built by BuildSinCosTables (the rotations build them on first use) ----
// Cosine and sine of whole degrees 0 to 360.
extern float CosTable[ANGLE_TABLE_SIZE];
extern float SinTable[ANGLE_TABLE_SIZE];

// Outlines edges 0-1, 1-2, ..., (n-1)-0 with clipped lines. 0 (nothing drawn) when the polygon is
// absent, inactive or has no vertices; else 1.
int DrawPolygon8(const Polygon2D* polygon, uint8_t* memory, int pitch);
int DrawPolygon16(const Polygon2D* polygon, uint8_t* memory, int pitch);

// Fills the polygon: every row from the top vertex to the bottom one, from the leftmost to the
// rightmost pixel that the Bresenham outline (edges 0-1, ..., (n-1)-0, as DrawLine8 draws them)
// puts on that row. For a convex polygon that is exactly its outline and inside. Rows and runs are
// trimmed to the clip window, so a polygon reaching beyond it is cut, never written outside.
void FillPolygon8(const Polygon2D* polygon, uint8_t* memory, int pitch);
void FillPolygon16(const Polygon2D* polygon, uint8_t* memory, int pitch);

// The transforms return 1, or 0 for an absent polygon (or one without its vertex list).
int TranslatePolygon(Polygon2D* polygon, int dx, int dy);
// Angles are whole degrees; -360 to 360 as the tables give them, others reduced by whole turns.
int RotatePolygon(Polygon2D* polygon, int angle);
int ScalePolygon(Polygon2D* polygon, float sx, float sy);
// The box of the vertex offsets together with (0, 0). 0 when there are no vertices.
int PolygonBounds(const Polygon2D* polygon, float* minX, float* maxX, float* minY, float* maxY);

void BuildSinCosTables();

// The same transforms through 3 x 2 matrices (rotation gives the same result as RotatePolygon).
int TranslatePolygonMat(Polygon2D* polygon, int dx, int dy);
int RotatePolygonMat(Polygon2D* polygon, int angle);
int ScalePolygonMat(Polygon2D* polygon, float sx, float sy);

// Matrices are plain float arrays in row order: 3 x 2 is (m00, m01, m10, m11, m20, m21), and a
// point (x, y) times it is (x m00 + y m10 + m20, x m01 + y m11 + m21). The result may be one of
// the inputs. All return 1.
int MatInit3x2(float matrix[6], float m00, float m01, float m10, float m11, float m20, float m21);
int MatMul1x2By3x2(const float point[2], const float matrix[6], float result[2]);
int MatMul1x3By3x3(const float row[3], const float matrix[9], float result[3]);
int MatMul3x3(const float a[9], const float b[9], float result[9]);

// 1 when the two boxes, each shrunk to three quarters of its size, overlap; else 0.
int RectsOverlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2);

// 1 as soon as a pixel of the rectangle between the two corners (inclusive, either order, trimmed
// to the screen) lies in [low, high] (8-bit) or equals a or b (16-bit); else 0.
int ColourScan8(int x1, int y1, int x2, int y2, uint8_t low, uint8_t high, uint8_t* memory,
                int pitch);
int ColourScan16(int x1, int y1, int x2, int y2, uint16_t a, uint16_t b, uint8_t* memory,
                 int pitch);

// Length estimates without a square root, within a few percent.
int FastDistance2D(int dx, int dy);
float FastDistance3D(float dx, float dy, float dz);
