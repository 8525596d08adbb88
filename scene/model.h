// One object of the scene with everything needed to draw it with Dot3 lighting.
#pragma once

#include "assets/vertex_record.h"
#include "gfx/gl.h"
#include "math/matrix4f.h"
#include "math/vec3d.h"

#include <lib3ds/types.h>

#include <cstdint>
#include <string>

// Degrees about X, Y and Z to fold into the spin at the next Rotate.
struct RotationStep {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

class Model {
public:
    // Loads and checks the 3DS file (no OpenGL call). A file that cannot be loaded leaves `file`
    // null, with the reason in `fileError`.
    Model(const char* fileName, const float* baseMatrix, const float* baseInverse, GLuint* cubeMap);
    ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Loads a bitmap into the colour texture (slot 0) or the normal map (slot 1) on the active
    // texture unit. False when the bitmap could not be loaded; the loader has said why.
    bool LoadTexture(const char* fileName, int slot);

    // Unrolls the mesh into vertex records (and their triangles' bases) and uploads positions and
    // texture coordinates into two static vertex buffers, leaving GL_ARRAY_BUFFER_ARB bound to
    // the second. False, with no geometry and the reason in `fileError`, when there is no file or
    // the mesh cannot be used.
    bool PrepareMesh();

    // Folds rotationStep into rotation, keeping rotationInverse its exact inverse. Leaves the
    // modelview matrix as it was.
    void Rotate();

    // The vector from the model's origin to the light, in the model's own frame (unnormalised).
    Vec3d LightInModelFrame() const;

    // Draws the model lit per pixel (see model_draw.cpp for the state it leaves behind).
    void Draw();

    // Draw with `lightArray` (vertexCount x 3 floats, as FillLightArray writes them; read on the
    // Dot3 path only; a null array draws nothing) in place of the array Draw fills for itself. With
    // PlaceForDraw and FillLightArray, the seam the benchmark needs to measure Draw against the
    // same calls with an array filled once and kept, and against a shader renderer drawn in the
    // model's place; the tests draw with an array computed the plain way.
    void DrawWithLightArray(const float* lightArray);
    // Draw's first step: clears rotationStep and multiplies the model's placement, spin and tilt
    // onto the modelview matrix.
    void PlaceForDraw();
    // The tangent-space light vector of each vertex for `light` (LightInModelFrame), into
    // `vectors` (vertexCount x 3 floats).
    void FillLightArray(const Vec3d& light, float* vectors) const;

    GLuint colorTexture = 0xFFFFFFFF;
    GLuint normalMapTexture = 0xFFFFFFFF;
    Vec3d* worldPosition = nullptr;  // scene units, owned
    RotationStep rotationStep;
    Matrix4f baseMatrix;   // fixed tilt and scale, applied innermost
    Matrix4f baseInverse;  // undoes the tilt only, not the scale
    Matrix4f rotation;     // accumulated spin
    Matrix4f rotationInverse;
    Lib3dsFile* file = nullptr;
    int32_t bufferCount = 0;
    uint32_t vertexCount = 0;
    GLuint bufferNames[2] = {0, 0};         // positions, texture coordinates
    GLuint* cubeMap = nullptr;              // the scene's normalization cube map; not owned
    VertexRecord* vertexRecords = nullptr;  // vertexCount records, malloc'ed
    // Each triangle's basis (axisS, axisT, axisR), copied from its records, 3 per triangle,
    // malloc'ed: what the draw reads of the records every frame, packed, so that filling the
    // light array reads 72 bytes per triangle instead of touching three 104-byte records.
    Vec3d* triangleBases = nullptr;
    std::string fileError;  // why `file` is null, or why the mesh could not be prepared

private:
    // Sets up the texture units (the light array on unit 1, null when the draw does not read
    // it), draws and resets them.
    void DrawPlaced(const float* lightArray);
    // Whether the draw takes the Dot3 path, the one that reads the light array.
    bool DrawsDot3() const;
};
