/* What the driver reports: its extension strings without the hidden names, and its texture
 * unit count cut to the set's. The program reads GLX's string for the multisample extension of
 * the window system; EGL has multisample formats in its core. */
#include "capability_set.h"

#include <GL/gl.h>
#include <GL/glx.h>
#include <stdlib.h>
#include <string.h>

typedef struct {
    char* text;
    size_t capacity;
} Buffer;

/* The driver's string without the hidden names. Later calls write the same text into the same
 * buffer, so a pointer the program keeps stays good unless a new context's string is longer. */
static const char* Filter(const char* extensions, Buffer* buffer)
{
    if (!extensions) return NULL;
    const size_t size = strlen(extensions) + 1;
    if (buffer->capacity < size) {
        free(buffer->text);
        buffer->text = malloc(size);
        buffer->capacity = buffer->text ? size : 0;
        if (!buffer->text) Misuse("no memory for an extension string");
    }
    char* out = buffer->text;
    for (const char* name = extensions; *name;) {
        const size_t length = strcspn(name, " ");
        if (length > 0 && !ExtensionHidden(name, length)) {
            if (out != buffer->text) *out++ = ' ';
            memcpy(out, name, length);
            out += length;
        }
        name += length;
        name += strspn(name, " ");
    }
    *out = '\0';
    return buffer->text;
}

const GLubyte* GLAPIENTRY glGetString(GLenum name)
{
    NEXT(glGetString);
    static Buffer buffer;
    const GLubyte* value = next_glGetString(name);
    if (name != GL_EXTENSIONS) return value;
    return (const GLubyte*)Filter((const char*)value, &buffer);
}

const char* glXQueryExtensionsString(Display* display, int screen)
{
    NEXT(glXQueryExtensionsString);
    static Buffer buffer;
    return Filter(next_glXQueryExtensionsString(display, screen), &buffer);
}

void GLAPIENTRY glGetIntegerv(GLenum name, GLint* values)
{
    NEXT(glGetIntegerv);
    CheckQuery("glGetIntegerv", name);
    next_glGetIntegerv(name, values);
    if (name == GL_MAX_TEXTURE_UNITS_ARB && *values > TextureUnitLimit())
        *values = TextureUnitLimit();
}
