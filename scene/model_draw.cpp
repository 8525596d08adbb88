// The per-pixel lit draw. Texture unit 0 samples the normal map, unit 1 the normalization cube
// map at the per-vertex tangent-space light vector, combined by Dot3; unit 2 multiplies the
// colour texture on top.
//
// State left behind, which the next draw and the overlay rely on: unit 0 selected (client and
// server), GL_TEXTURE_2D enabled there with its last texture bound and GL_MODULATE; unit 1 with
// no target enabled (its Dot3 combiner stays set, and passes its input through); unit 2 with
// texturing disabled; no client array but unit 0's texture coordinates enabled (after the Dot3
// cases); no array buffer bound; the modelview matrix at view x T(position) x rotation x base.
#include "scene/model.h"

#include "gfx/capabilities.h"
#include "scene/scene.h"
#include "state/app_state.h"

#include <cstdlib>

namespace {

// Fetched by the graphics start-up, before the first model exists.
const GlExtensionEntryPoints& entryPoints = glExtensionEntryPoints;

// Client unit first, then server unit. A driver with vertex buffers but without multitexture
// has neither entry point: there is only unit 0 then, and nothing to select.
void SelectUnit(int unit)
{
    const GLenum name = GLenum(GL_TEXTURE0_ARB + unit);
    if (entryPoints.glClientActiveTextureARB) entryPoints.glClientActiveTextureARB(name);
    if (entryPoints.glActiveTextureARB) entryPoints.glActiveTextureARB(name);
}

void SetUpNormalMapUnit(const Model& model)
{
    SelectUnit(0);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, model.normalMapTexture);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    entryPoints.glBindBufferARB(GL_ARRAY_BUFFER_ARB, model.bufferNames[1]);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
}

void SetUpCubeMapUnit(const Model& model, const float* lightArray)
{
    SelectUnit(1);
    glEnable(GL_TEXTURE_CUBE_MAP_ARB);
    glBindTexture(GL_TEXTURE_CUBE_MAP_ARB, *model.cubeMap);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    // The light vectors change every frame: they come from client memory, not a buffer.
    entryPoints.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    glTexCoordPointer(3, GL_FLOAT, 0, lightArray);
}

void SetUpColorUnit(const Model& model)
{
    SelectUnit(2);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, model.colorTexture);
    entryPoints.glBindBufferARB(GL_ARRAY_BUFFER_ARB, model.bufferNames[1]);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
}

void SetNormalMapCombiner()
{
    SelectUnit(0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_REPLACE);
}

void SetDot3Combiner()
{
    SelectUnit(1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_ARB, GL_PREVIOUS_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_DOT3_RGB_ARB);
}

void SetModulateColor()
{
    SelectUnit(2);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

// Only for the units the driver has: a driver refuses to select another, and the calls meant for
// it would change the unit still selected.
bool HasUnit(int unit) { return unit < capabilityFlags.textureUnits; }

void ResetTextureState()
{
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    if (HasUnit(1)) {
        SelectUnit(1);
        // Not even disabled where the driver has no cube maps: it would refuse the target.
        if (capabilityFlags.textureCubeMap) glDisable(GL_TEXTURE_CUBE_MAP_ARB);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    if (HasUnit(2)) {
        SelectUnit(2);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisable(GL_TEXTURE_2D);
    }
    SelectUnit(0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    entryPoints.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
}

double Dot(const Vec3d& a, const Vec3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

}  // namespace

Vec3d Model::LightInModelFrame() const
{
    // The inverse of the model's placement, spin and tilt. The base inverse undoes the tilt
    // only, so L keeps scene units; only its direction matters, the cube map normalises it.
    const Vec3d& p = *worldPosition;
    Matrix4f toModel;
    glPushMatrix();
    glLoadIdentity();
    glMultMatrixf(baseInverse.m);
    glMultMatrixf(rotationInverse.m);
    glTranslated(-p.x, -p.y, -p.z);
    glGetFloatv(GL_MODELVIEW_MATRIX, toModel.m);
    glPopMatrix();
    return TransformPoint(toModel, lightPosition);
}

void Model::PlaceForDraw()
{
    rotationStep = RotationStep();
    const Vec3d& p = *worldPosition;
    glTranslated(p.x, p.y, p.z);
    glMultMatrixf(rotation.m);
    glMultMatrixf(baseMatrix.m);
}

void Model::FillLightArray(const Vec3d& light, float* vectors) const
{
    // The three corners of a triangle carry its one basis, so the vector is computed once per
    // triangle and written to its three corners: the very floats of a computation per corner.
    const Vec3d* basis = triangleBases;
    const Vec3d* const end = triangleBases + vertexCount;
    for (float* out = vectors; basis != end; basis += 3, out += 9) {
        const float s = float(Dot(light, basis[0]));
        const float t = float(Dot(light, basis[1]));
        const float r = float(Dot(light, basis[2]));
        out[0] = out[3] = out[6] = s;
        out[1] = out[4] = out[7] = t;
        out[2] = out[5] = out[8] = r;
    }
}

void Model::DrawPlaced(const float* lightArray)
{
    glEnableClientState(GL_VERTEX_ARRAY);
    entryPoints.glBindBufferARB(GL_ARRAY_BUFFER_ARB, bufferNames[0]);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);

    if (DrawsDot3()) {
        SetUpNormalMapUnit(*this);
        SetUpCubeMapUnit(*this, lightArray);
        if (renderMode.colorPass) SetUpColorUnit(*this);
        SetNormalMapCombiner();
        SetDot3Combiner();
        if (renderMode.colorPass) SetModulateColor();
    } else {
        // Colours only: unit 0 keeps GL_MODULATE from the last reset, so the texture is
        // multiplied by the current colour, which the rest of the frame leaves white.
        SelectUnit(0);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, colorTexture);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        entryPoints.glBindBufferARB(GL_ARRAY_BUFFER_ARB, bufferNames[1]);
        glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    }

    glDrawArrays(GL_TRIANGLES, 0, GLsizei(vertexCount));
    ResetTextureState();
}

bool Model::DrawsDot3() const { return capabilityFlags.bumpMapping && renderMode.bumpPass; }

void Model::Draw()
{
    if (!file) return;
    PlaceForDraw();
    const Vec3d light = LightInModelFrame();
    // Only the Dot3 path reads the light array, allocated for this draw alone. With glibc that
    // costs nothing in the steady state: after the first free it raises its mmap threshold and
    // keeps the block. The Windows heap maps blocks above about half a megabyte afresh and
    // unmaps them on free, so from about 43k vertices each draw faults in every page of its
    // array (measured under Wine: 572 faults and about 2.4 ms per draw of the 64k-face sphere).
    if (!DrawsDot3()) return DrawPlaced(nullptr);
    auto* vectors = static_cast<float*>(std::malloc(size_t(vertexCount) * 12 + 1));
    if (!vectors) return;  // nothing drawn this frame; the next frame tries again
    FillLightArray(light, vectors);
    DrawPlaced(vectors);
    std::free(vectors);
}

void Model::DrawWithLightArray(const float* lightArray)
{
    // The Dot3 path hands the array to OpenGL as a client array, which a null pointer would
    // turn into a read of address 0 inside the driver's draw.
    if (!file || !lightArray) return;
    PlaceForDraw();
    DrawPlaced(lightArray);
}
