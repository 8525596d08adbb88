/* Every texture call of OpenGL 1.3 and of the extensions the program relies on
 * (GL_ARB_multitexture, GL_ARB_texture_cube_map, GL_ARB_texture_env_combine and
 * GL_ARB_texture_env_dot3) that can name what a set hides, checked by its arguments before the
 * driver sees it: texture units, texture environments, texture parameters, texture coordinate
 * generation, texture images, the enables, the binding and the queries. The program calls the
 * core functions directly and fetches the extensions' through SDL, so SDL's lookup hands out the
 * checked versions too. unpoliced_calls.txt lists the calls that cannot name anything hidden;
 * known_calls_test.sh fails when the program calls one that is in neither. */
#define GL_GLEXT_PROTOTYPES
#include "capability_set.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>
#include <string.h>

/* GL_TEXTURE_CUBE_MAP_ARB, its binding, its six faces, its proxy and its size limit. */
static bool IsCubeMapEnum(GLint value)
{
    return value >= GL_TEXTURE_CUBE_MAP_ARB && value <= GL_MAX_CUBE_MAP_TEXTURE_SIZE_ARB;
}

/* GL_COMBINE_ARB and the names and values only the combine environment has. */
static bool IsCombineEnum(GLint value)
{
    return value == GL_SUBTRACT_ARB || (value >= GL_COMBINE_ARB && value <= GL_OPERAND2_ALPHA_ARB);
}

static bool IsDot3Enum(GLint value)
{
    return value == GL_DOT3_RGB_ARB || value == GL_DOT3_RGBA_ARB || value == GL_DOT3_RGB_EXT ||
           value == GL_DOT3_RGBA_EXT;
}

static void CheckTarget(const char* call, GLenum target)
{
    if (IsCubeMapEnum((GLint)target) && CubeMapsHidden())
        Misuse("%s(0x%04X): a cube map, but GL_ARB_texture_cube_map is hidden", call, target);
}

void CheckQuery(const char* call, unsigned name) { CheckTarget(call, name); }

static void CheckUnit(const char* call, GLenum texture)
{
    const int unit = (int)(texture - GL_TEXTURE0_ARB);
    if (unit >= TextureUnitLimit())
        Misuse("%s(GL_TEXTURE%d_ARB): unit %d, but the driver reports %d texture units", call, unit,
               unit, TextureUnitLimit());
}

/* A texture environment's name and, where it is one, its value (0 where it is not). */
static void CheckEnvironment(const char* call, GLenum name, GLint value)
{
    if ((IsCombineEnum((GLint)name) || IsCombineEnum(value)) && CombineHidden())
        Misuse("%s(0x%04X, 0x%04X): the combine environment, but GL_ARB_texture_env_combine is "
               "hidden",
               call, name, value);
    if (IsDot3Enum(value) && Dot3Hidden())
        Misuse("%s(0x%04X, 0x%04X): Dot3, but GL_ARB_texture_env_dot3 is hidden", call, name,
               value);
}

/* The environment colour is the one vector parameter; every other name takes one value. */
#define ENVIRONMENT_VALUE(name, values) ((name) == GL_TEXTURE_ENV_COLOR ? 0 : (GLint)(values)[0])

/* The cube map's coordinate generation modes. */
static void CheckGeneration(const char* call, GLenum name, GLint mode)
{
    const bool cubeMapMode = mode == GL_NORMAL_MAP_ARB || mode == GL_REFLECTION_MAP_ARB;
    if (name == GL_TEXTURE_GEN_MODE && cubeMapMode && CubeMapsHidden())
        Misuse("%s(0x%04X): a cube map's coordinates, but GL_ARB_texture_cube_map is hidden", call,
               mode);
}

#define GENERATION_MODE(name, values) ((name) == GL_TEXTURE_GEN_MODE ? (GLint)(values)[0] : 0)

/* glMultiTexCoordN[v] for one component type T with suffix S, under the core or the ARB name. */
#define MULTI_TEX_COORD(X, T, S, ARB)                                                          \
    X(glMultiTexCoord1##S##ARB, (GLenum u, T s), (u, s), CheckUnit(call, u))                   \
    X(glMultiTexCoord2##S##ARB, (GLenum u, T s, T t), (u, s, t), CheckUnit(call, u))           \
    X(glMultiTexCoord3##S##ARB, (GLenum u, T s, T t, T r), (u, s, t, r), CheckUnit(call, u))   \
    X(glMultiTexCoord4##S##ARB, (GLenum u, T s, T t, T r, T q), (u, s, t, r, q),                \
      CheckUnit(call, u))                                                                      \
    X(glMultiTexCoord1##S##v##ARB, (GLenum u, const T* v), (u, v), CheckUnit(call, u))         \
    X(glMultiTexCoord2##S##v##ARB, (GLenum u, const T* v), (u, v), CheckUnit(call, u))         \
    X(glMultiTexCoord3##S##v##ARB, (GLenum u, const T* v), (u, v), CheckUnit(call, u))         \
    X(glMultiTexCoord4##S##v##ARB, (GLenum u, const T* v), (u, v), CheckUnit(call, u))

#define UNIT_CALLS(X, ARB)                                                                  \
    X(glActiveTexture##ARB, (GLenum u), (u), CheckUnit(call, u))                            \
    X(glClientActiveTexture##ARB, (GLenum u), (u), CheckUnit(call, u))                      \
    MULTI_TEX_COORD(X, GLdouble, d, ARB)                                                    \
    MULTI_TEX_COORD(X, GLfloat, f, ARB)                                                     \
    MULTI_TEX_COORD(X, GLint, i, ARB)                                                       \
    MULTI_TEX_COORD(X, GLshort, s, ARB)

/* Each: the name, its parameters, the arguments passed on, the check (`call` names the call). */
#define POLICED_CALLS(X)                                                                          \
    UNIT_CALLS(X, )                                                                               \
    UNIT_CALLS(X, ARB)                                                                            \
    X(glTexEnvf, (GLenum e, GLenum n, GLfloat p), (e, n, p), CheckEnvironment(call, n, (GLint)p)) \
    X(glTexEnvi, (GLenum e, GLenum n, GLint p), (e, n, p), CheckEnvironment(call, n, p))          \
    X(glTexEnvfv, (GLenum e, GLenum n, const GLfloat* p), (e, n, p),                              \
      CheckEnvironment(call, n, ENVIRONMENT_VALUE(n, p)))                                         \
    X(glTexEnviv, (GLenum e, GLenum n, const GLint* p), (e, n, p),                                \
      CheckEnvironment(call, n, ENVIRONMENT_VALUE(n, p)))                                         \
    X(glGetTexEnvfv, (GLenum e, GLenum n, GLfloat* p), (e, n, p), CheckEnvironment(call, n, 0))   \
    X(glGetTexEnviv, (GLenum e, GLenum n, GLint* p), (e, n, p), CheckEnvironment(call, n, 0))     \
    X(glTexParameterf, (GLenum g, GLenum n, GLfloat p), (g, n, p), CheckTarget(call, g))          \
    X(glTexParameteri, (GLenum g, GLenum n, GLint p), (g, n, p), CheckTarget(call, g))            \
    X(glTexParameterfv, (GLenum g, GLenum n, const GLfloat* p), (g, n, p), CheckTarget(call, g))  \
    X(glTexParameteriv, (GLenum g, GLenum n, const GLint* p), (g, n, p), CheckTarget(call, g))    \
    X(glGetTexParameterfv, (GLenum g, GLenum n, GLfloat* p), (g, n, p), CheckTarget(call, g))     \
    X(glGetTexParameteriv, (GLenum g, GLenum n, GLint* p), (g, n, p), CheckTarget(call, g))       \
    X(glGetTexLevelParameterfv, (GLenum g, GLint l, GLenum n, GLfloat* p), (g, l, n, p),          \
      CheckTarget(call, g))                                                                       \
    X(glGetTexLevelParameteriv, (GLenum g, GLint l, GLenum n, GLint* p), (g, l, n, p),            \
      CheckTarget(call, g))                                                                       \
    X(glTexGend, (GLenum c, GLenum n, GLdouble p), (c, n, p), CheckGeneration(call, n, (GLint)p)) \
    X(glTexGenf, (GLenum c, GLenum n, GLfloat p), (c, n, p), CheckGeneration(call, n, (GLint)p))  \
    X(glTexGeni, (GLenum c, GLenum n, GLint p), (c, n, p), CheckGeneration(call, n, p))           \
    X(glTexGendv, (GLenum c, GLenum n, const GLdouble* p), (c, n, p),                             \
      CheckGeneration(call, n, GENERATION_MODE(n, p)))                                            \
    X(glTexGenfv, (GLenum c, GLenum n, const GLfloat* p), (c, n, p),                              \
      CheckGeneration(call, n, GENERATION_MODE(n, p)))                                            \
    X(glTexGeniv, (GLenum c, GLenum n, const GLint* p), (c, n, p),                                \
      CheckGeneration(call, n, GENERATION_MODE(n, p)))                                            \
    X(glTexImage1D,                                                                               \
      (GLenum g, GLint l, GLint i, GLsizei w, GLint b, GLenum f, GLenum t, const void* p),        \
      (g, l, i, w, b, f, t, p), CheckTarget(call, g))                                             \
    X(glTexImage2D,                                                                               \
      (GLenum g, GLint l, GLint i, GLsizei w, GLsizei h, GLint b, GLenum f, GLenum t,             \
       const void* p),                                                                            \
      (g, l, i, w, h, b, f, t, p), CheckTarget(call, g))                                          \
    X(glTexSubImage1D, (GLenum g, GLint l, GLint x, GLsizei w, GLenum f, GLenum t, const void* p), \
      (g, l, x, w, f, t, p), CheckTarget(call, g))                                                \
    X(glTexSubImage2D,                                                                            \
      (GLenum g, GLint l, GLint x, GLint y, GLsizei w, GLsizei h, GLenum f, GLenum t,             \
       const void* p),                                                                            \
      (g, l, x, y, w, h, f, t, p), CheckTarget(call, g))                                          \
    X(glCopyTexImage1D, (GLenum g, GLint l, GLenum i, GLint x, GLint y, GLsizei w, GLint b),      \
      (g, l, i, x, y, w, b), CheckTarget(call, g))                                                \
    X(glCopyTexImage2D,                                                                           \
      (GLenum g, GLint l, GLenum i, GLint x, GLint y, GLsizei w, GLsizei h, GLint b),             \
      (g, l, i, x, y, w, h, b), CheckTarget(call, g))                                             \
    X(glCopyTexSubImage1D, (GLenum g, GLint l, GLint o, GLint x, GLint y, GLsizei w),             \
      (g, l, o, x, y, w), CheckTarget(call, g))                                                   \
    X(glCopyTexSubImage2D,                                                                        \
      (GLenum g, GLint l, GLint o, GLint p, GLint x, GLint y, GLsizei w, GLsizei h),              \
      (g, l, o, p, x, y, w, h), CheckTarget(call, g))                                             \
    X(glGetTexImage, (GLenum g, GLint l, GLenum f, GLenum t, void* p), (g, l, f, t, p),           \
      CheckTarget(call, g))                                                                       \
    X(glCompressedTexImage1D,                                                                     \
      (GLenum g, GLint l, GLenum i, GLsizei w, GLint b, GLsizei s, const void* p),                \
      (g, l, i, w, b, s, p), CheckTarget(call, g))                                                \
    X(glCompressedTexImage2D,                                                                     \
      (GLenum g, GLint l, GLenum i, GLsizei w, GLsizei h, GLint b, GLsizei s, const void* p),     \
      (g, l, i, w, h, b, s, p), CheckTarget(call, g))                                             \
    X(glCompressedTexSubImage1D,                                                                  \
      (GLenum g, GLint l, GLint x, GLsizei w, GLenum f, GLsizei s, const void* p),                \
      (g, l, x, w, f, s, p), CheckTarget(call, g))                                                \
    X(glCompressedTexSubImage2D,                                                                  \
      (GLenum g, GLint l, GLint x, GLint y, GLsizei w, GLsizei h, GLenum f, GLsizei s,            \
       const void* p),                                                                            \
      (g, l, x, y, w, h, f, s, p), CheckTarget(call, g))                                          \
    X(glGetCompressedTexImage, (GLenum g, GLint l, void* p), (g, l, p), CheckTarget(call, g))     \
    X(glEnable, (GLenum c), (c), CheckTarget(call, c))                                            \
    X(glDisable, (GLenum c), (c), CheckTarget(call, c))                                           \
    X(glBindTexture, (GLenum g, GLuint t), (g, t), CheckTarget(call, g))                          \
    X(glGetBooleanv, (GLenum n, GLboolean* v), (n, v), CheckTarget(call, n))                      \
    X(glGetFloatv, (GLenum n, GLfloat* v), (n, v), CheckTarget(call, n))                          \
    X(glGetDoublev, (GLenum n, GLdouble* v), (n, v), CheckTarget(call, n))

/* Each call: its check, then the same function of the driver, found on its first call unless
 * SDL's lookup below handed it over first. */
#define POLICED(name, parameters, arguments, check)                                     \
    static __typeof__(&name) next_##name;                                               \
    void GLAPIENTRY name parameters                                                     \
    {                                                                                   \
        const char* const call = #name;                                                 \
        check;                                                                          \
        if (!next_##name) next_##name = (__typeof__(&name))NextFunction(call);          \
        next_##name arguments;                                                          \
    }
POLICED_CALLS(POLICED)

static __typeof__(&glIsEnabled) next_glIsEnabled;
GLboolean GLAPIENTRY glIsEnabled(GLenum capability)
{
    CheckTarget("glIsEnabled", capability);
    if (!next_glIsEnabled) next_glIsEnabled = (__typeof__(&glIsEnabled))NextFunction("glIsEnabled");
    return next_glIsEnabled(capability);
}

void* SDL_GL_GetProcAddress(const char* name)
{
    NEXT(SDL_GL_GetProcAddress);
    void* function = next_SDL_GL_GetProcAddress(name);
#define ENTRY(policed, parameters, arguments, check) \
    {#policed, (void*)policed, (void**)&next_##policed},
    static const struct {
        const char* name;
        void* checked;
        void** next;
    } checked[] = {POLICED_CALLS(ENTRY){"glIsEnabled", (void*)glIsEnabled,
                                         (void**)&next_glIsEnabled}};
#undef ENTRY
    for (size_t i = 0; function && i < sizeof checked / sizeof *checked; ++i) {
        if (strcmp(name, checked[i].name) != 0) continue;
        *checked[i].next = function;
        return checked[i].checked;
    }
    return function;
}
