#define GL_GLEXT_PROTOTYPES
#include "bench/glsl_frame.h"

#include "scene/frame_driver.h"
#include "scene/model.h"
#include "scene/scene.h"

#include <cstdio>
#include <map>
#include <vector>

namespace {

// The fixed-function path per pixel: the normal map's texel, the cube map's normalised light
// vector, their Dot3 product as GL_ARB_texture_env_dot3 defines it, times the colour texture and
// the current colour.
const char* const kVertexShader = R"(#version 120
attribute vec3 axisS;
attribute vec3 axisT;
attribute vec3 axisR;
uniform vec3 light;
varying vec3 lightVector;
void main()
{
    gl_Position = ftransform();
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
    lightVector = vec3(dot(light, axisS), dot(light, axisT), dot(light, axisR));
}
)";

const char* const kFragmentShader = R"(#version 120
uniform sampler2D normalMap;
uniform samplerCube cubeMap;
uniform sampler2D colorMap;
varying vec3 lightVector;
void main()
{
    vec3 n = texture2D(normalMap, gl_TexCoord[0].st).rgb;
    vec3 l = textureCube(cubeMap, lightVector).rgb;
    float d = clamp(4.0 * dot(n - 0.5, l - 0.5), 0.0, 1.0);
    gl_FragColor = vec4(d * texture2D(colorMap, gl_TexCoord[0].st).rgb * gl_Color.rgb, 1.0);
}
)";

GLuint program = 0;
GLint lightUniform = -1;
// NOTE: drivers that alias generic attributes onto the fixed ones (NVIDIA's: 0 position,
// 2 normal, 3 colour, 4 secondary colour, 5 fog, 8-15 texture coordinates) would feed an array on
// 3 to gl_Color and one on 8 to gl_MultiTexCoord0, which the shaders read. 5 to 7 stand for
// nothing they read, nor anything the rest of the frame relies on (fog stays off).
enum Attribute : GLuint { kAxisS = 5, kAxisT = 6, kAxisR = 7 };
std::map<const Model*, GLuint> basisBuffers;  // 9 floats per vertex: axisS, axisT, axisR

GLuint Compile(GLenum type, const char* source)
{
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (!compiled) {
        char log[1024] = "";
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "dot3bump-bench: shader: %s\n", log);
    }
    return shader;
}

void UploadBasis(const Model& model)
{
    std::vector<float> basis;
    basis.reserve(size_t(model.vertexCount) * 9);
    for (uint32_t i = 0; i < model.vertexCount; ++i) {
        const VertexRecord& r = model.vertexRecords[i];
        for (const Vec3d* axis : {&r.axisS, &r.axisT, &r.axisR})
            basis.insert(basis.end(), {float(axis->x), float(axis->y), float(axis->z)});
    }
    GLuint& buffer = basisBuffers[&model];
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(basis.size() * sizeof(float)), basis.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void DrawWithShader(Model& model)
{
    model.PlaceForDraw();
    const Vec3d light = model.LightInModelFrame();
    glUseProgram(program);
    glUniform3f(lightUniform, float(light.x), float(light.y), float(light.z));
    const GLuint textures[] = {model.normalMapTexture, *model.cubeMap, model.colorTexture};
    const GLenum targets[] = {GL_TEXTURE_2D, GL_TEXTURE_CUBE_MAP, GL_TEXTURE_2D};
    for (int unit = 0; unit < 3; ++unit) {
        glActiveTexture(GLenum(GL_TEXTURE0 + unit));
        glBindTexture(targets[unit], textures[unit]);
    }
    glActiveTexture(GL_TEXTURE0);

    glEnableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, model.bufferNames[0]);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glClientActiveTexture(GL_TEXTURE0);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, model.bufferNames[1]);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, basisBuffers[&model]);
    const GLsizei stride = 9 * sizeof(float);
    for (GLuint attribute : {kAxisS, kAxisT, kAxisR}) {
        glEnableVertexAttribArray(attribute);
        glVertexAttribPointer(attribute, 3, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(size_t(attribute - kAxisS) * 12));
    }
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(model.vertexCount));
    for (GLuint attribute : {kAxisS, kAxisT, kAxisR}) glDisableVertexAttribArray(attribute);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
}

}  // namespace

bool PrepareGlslFrame()
{
    if (!program) {
        program = glCreateProgram();
        glAttachShader(program, Compile(GL_VERTEX_SHADER, kVertexShader));
        glAttachShader(program, Compile(GL_FRAGMENT_SHADER, kFragmentShader));
        glBindAttribLocation(program, kAxisS, "axisS");
        glBindAttribLocation(program, kAxisT, "axisT");
        glBindAttribLocation(program, kAxisR, "axisR");
        glLinkProgram(program);
        GLint linked = 0;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        if (!linked) {
            std::fprintf(stderr, "dot3bump-bench: the GLSL program does not link\n");
            return false;
        }
        lightUniform = glGetUniformLocation(program, "light");
        glUseProgram(program);
        glUniform1i(glGetUniformLocation(program, "normalMap"), 0);
        glUniform1i(glGetUniformLocation(program, "cubeMap"), 1);
        glUniform1i(glGetUniformLocation(program, "colorMap"), 2);
        glUseProgram(0);
    }
    UploadBasis(*cubeModel);
    UploadBasis(*sphereModel);
    return true;
}

void ReleaseGlslFrame()
{
    for (auto& entry : basisBuffers) glDeleteBuffers(1, &entry.second);
    basisBuffers.clear();
}

void GlslFrame()
{
    RenderFrame(DrawWithShader);
    glFinish();
}
