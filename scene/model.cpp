#include "scene/model.h"

#include "assets/model_file_load.h"
#include "gfx/bitmap_load.h"
#include "gfx/capabilities.h"
#include "state/app_state.h"

#include <lib3ds/file.h>

#include <cstdlib>
#include <cstring>

// The spin, the buffers and the texture names start as the members' initialisers give them.
Model::Model(const char* fileName, const float* base, const float* inverse, GLuint* cubeMapName)
    : worldPosition(new Vec3d{0.0, 0.0, 0.0}), cubeMap(cubeMapName)
{
    file = LoadModelFile(fileName, &fileError);
    std::memcpy(baseMatrix.m, base, sizeof baseMatrix.m);
    std::memcpy(baseInverse.m, inverse, sizeof baseInverse.m);
}

Model::~Model()
{
    delete worldPosition;
    // Through the driver only with the context current; otherwise the buffers go with the
    // context's deletion.
    if (bufferCount > 0 && appState.contextCurrent)
        glExtensionEntryPoints.glDeleteBuffersARB(bufferCount, bufferNames);
    if (file) lib3ds_file_free(file);
    std::free(vertexRecords);
    std::free(triangleBases);
}

bool Model::LoadTexture(const char* fileName, int slot)
{
    RgbImage* image = LoadBitmapImage(fileName);
    if (!image) return false;
    GLuint& texture = slot == 0 ? colorTexture : normalMapTexture;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    // The image's rows are packed (3 x width bytes); the default alignment of 4 would misread
    // every width that is not a multiple of 4.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image->width, image->height, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, image->pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    std::free(image->pixels);
    delete image;
    return true;
}

bool Model::PrepareMesh()
{
    const GlExtensionEntryPoints& gl = glExtensionEntryPoints;
    if (!file) return false;
    const Lib3dsMesh* mesh = FindModelMesh(file);
    if (!mesh) {
        fileError = "no mesh is named like the file's first node";
        return false;
    }
    if (!gl.glGenBuffersARB || !gl.glBindBufferARB || !gl.glBufferDataARB) {
        fileError = "the driver offers no vertex buffer entry points";
        return false;
    }
    vertexRecords = BuildVertexRecords(*mesh, &vertexCount);
    if (!vertexRecords) {
        fileError =
            "the mesh cannot be prepared (a face uses a point without coordinates, or "
            "memory ran out)";
        return false;
    }

    auto* positions = static_cast<float*>(std::malloc(size_t(vertexCount) * 12 + 1));
    auto* texCoords = static_cast<float*>(std::malloc(size_t(vertexCount) * 8 + 1));
    triangleBases = static_cast<Vec3d*>(std::malloc(size_t(vertexCount) * sizeof(Vec3d) + 1));
    if (!positions || !texCoords || !triangleBases) {
        std::free(positions);
        std::free(texCoords);
        std::free(vertexRecords);
        std::free(triangleBases);
        vertexRecords = nullptr;
        triangleBases = nullptr;
        vertexCount = 0;
        fileError = "out of memory preparing the mesh";
        return false;
    }
    for (uint32_t f = 0; f < vertexCount / 3; ++f) {
        const VertexRecord& record = vertexRecords[3 * f];
        triangleBases[3 * f] = record.axisS;
        triangleBases[3 * f + 1] = record.axisT;
        triangleBases[3 * f + 2] = record.axisR;
    }
    for (uint32_t k = 0; k < vertexCount; ++k) {
        const VertexRecord& record = vertexRecords[k];
        positions[3 * k] = float(record.position.x);
        positions[3 * k + 1] = float(record.position.y);
        positions[3 * k + 2] = float(record.position.z);
        texCoords[2 * k] = record.texCoord[0];
        texCoords[2 * k + 1] = record.texCoord[1];
    }
    bufferCount = 2;
    gl.glGenBuffersARB(2, bufferNames);
    gl.glBindBufferARB(GL_ARRAY_BUFFER_ARB, bufferNames[0]);
    gl.glBufferDataARB(GL_ARRAY_BUFFER_ARB, GLsizeiptrARB(vertexCount) * 12, positions,
                       GL_STATIC_DRAW_ARB);
    std::free(positions);
    gl.glBindBufferARB(GL_ARRAY_BUFFER_ARB, bufferNames[1]);
    gl.glBufferDataARB(GL_ARRAY_BUFFER_ARB, GLsizeiptrARB(vertexCount) * 8, texCoords,
                       GL_STATIC_DRAW_ARB);
    std::free(texCoords);
    return true;
}

void Model::Rotate()
{
    // Each step turns the model about its own, already turned axes; the inverse composes the
    // opposite turns in the opposite order, so no matrix is ever inverted numerically.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixf(rotation.m);
    glRotatef(rotationStep.x, 1.0f, 0.0f, 0.0f);
    glRotatef(rotationStep.y, 0.0f, 1.0f, 0.0f);
    glRotatef(rotationStep.z, 0.0f, 0.0f, 1.0f);
    glGetFloatv(GL_MODELVIEW_MATRIX, rotation.m);
    glLoadIdentity();
    glRotatef(-rotationStep.z, 0.0f, 0.0f, 1.0f);
    glRotatef(-rotationStep.y, 0.0f, 1.0f, 0.0f);
    glRotatef(-rotationStep.x, 1.0f, 0.0f, 0.0f);
    glMultMatrixf(rotationInverse.m);
    glGetFloatv(GL_MODELVIEW_MATRIX, rotationInverse.m);
    glPopMatrix();
}
