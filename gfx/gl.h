// OpenGL 1.x and GLU with the ARB extension names the program uses.
#pragma once

#include "platform/gl_headers.h"
