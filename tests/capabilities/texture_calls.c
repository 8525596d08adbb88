/* The texture calls that use what the set hides, each checked before the driver sees it. The
 * program calls the core functions directly and fetches the multitexture ones through SDL, so
 * SDL's lookup hands out the checked versions. */
#include "capability_set.h"

#include <GL/gl.h>
#include <SDL.h>
#include <string.h>

/* GL_TEXTURE_CUBE_MAP_ARB, its binding, its six faces and its proxy. */
static bool IsCubeMapEnum(GLenum value)
{
    return value >= GL_TEXTURE_CUBE_MAP_ARB && value <= GL_PROXY_TEXTURE_CUBE_MAP_ARB;
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
    if (IsCubeMapEnum(target) && CubeMapsHidden())
        Misuse("%s(0x%04X): a cube map, but GL_ARB_texture_cube_map is hidden", call, target);
}

static void CheckUnit(const char* call, GLenum texture)
{
    const int unit = (int)(texture - GL_TEXTURE0_ARB);
    if (unit >= TextureUnitLimit())
        Misuse("%s(GL_TEXTURE%d_ARB): unit %d, but the driver reports %d texture units", call, unit,
               unit, TextureUnitLimit());
}

void GLAPIENTRY glEnable(GLenum capability)
{
    NEXT(glEnable);
    CheckTarget("glEnable", capability);
    next_glEnable(capability);
}

void GLAPIENTRY glDisable(GLenum capability)
{
    NEXT(glDisable);
    CheckTarget("glDisable", capability);
    next_glDisable(capability);
}

void GLAPIENTRY glBindTexture(GLenum target, GLuint texture)
{
    NEXT(glBindTexture);
    CheckTarget("glBindTexture", target);
    next_glBindTexture(target, texture);
}

void GLAPIENTRY glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                             GLsizei height, GLint border, GLenum format, GLenum type,
                             const void* pixels)
{
    NEXT(glTexImage2D);
    CheckTarget("glTexImage2D", target);
    next_glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}

void GLAPIENTRY glTexParameteri(GLenum target, GLenum name, GLint value)
{
    NEXT(glTexParameteri);
    CheckTarget("glTexParameteri", target);
    next_glTexParameteri(target, name, value);
}

void GLAPIENTRY glTexEnvi(GLenum target, GLenum name, GLint value)
{
    NEXT(glTexEnvi);
    if ((IsCombineEnum((GLint)name) || IsCombineEnum(value)) && CombineHidden())
        Misuse(
            "glTexEnvi(0x%04X, 0x%04X, 0x%04X): the combine environment, but "
            "GL_ARB_texture_env_combine is hidden",
            target, name, value);
    if (IsDot3Enum(value) && Dot3Hidden())
        Misuse("glTexEnvi(0x%04X, 0x%04X, 0x%04X): Dot3, but GL_ARB_texture_env_dot3 is hidden",
               target, name, value);
    next_glTexEnvi(target, name, value);
}

/* The unit selectors, under their core and their ARB names; SDL's lookup below may set what
 * they call before their first call. */
#define UNIT_SELECTOR(name)                                                          \
    static PFNGLACTIVETEXTUREPROC next_##name;                                       \
    void GLAPIENTRY name(GLenum texture)                                             \
    {                                                                                \
        CheckUnit(#name, texture);                                                   \
        if (!next_##name) next_##name = (PFNGLACTIVETEXTUREPROC)NextFunction(#name); \
        next_##name(texture);                                                        \
    }
UNIT_SELECTOR(glActiveTexture)
UNIT_SELECTOR(glActiveTextureARB)
UNIT_SELECTOR(glClientActiveTexture)
UNIT_SELECTOR(glClientActiveTextureARB)

void* SDL_GL_GetProcAddress(const char* name)
{
    NEXT(SDL_GL_GetProcAddress);
    void* function = next_SDL_GL_GetProcAddress(name);
    const struct {
        const char* name;
        void* checked;
        PFNGLACTIVETEXTUREPROC* next;
    } selectors[] = {
        {"glActiveTexture", (void*)glActiveTexture, &next_glActiveTexture},
        {"glActiveTextureARB", (void*)glActiveTextureARB, &next_glActiveTextureARB},
        {"glClientActiveTexture", (void*)glClientActiveTexture, &next_glClientActiveTexture},
        {"glClientActiveTextureARB", (void*)glClientActiveTextureARB,
         &next_glClientActiveTextureARB},
    };
    for (size_t i = 0; function && i < sizeof selectors / sizeof *selectors; ++i) {
        if (strcmp(name, selectors[i].name) != 0) continue;
        *selectors[i].next = (PFNGLACTIVETEXTUREPROC)function;
        return selectors[i].checked;
    }
    return function;
}
