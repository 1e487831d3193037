#pragma once
// <GLES3/gl3.h> as render/ImGuiOpenGLES3.cpp sees it off the browser: GLEW,
// loaded on the ES context as on any other, declares every call the library's
// ES 3 path makes. The real header is not wanted (nor always installed): it
// would declare the same functions again as plain prototypes, which GLEW's
// macros of the same names turn into errors. GLEW defines desktop OpenGL's
// names besides, two of which the library takes to mean "this GL has it":
// GL_POLYGON_MODE (it would set and restore a polygon mode, an error on ES)
// and GL_CLIP_ORIGIN (clip control). The ES 3 header has neither.
#include <GL/glew.h>
#undef GL_POLYGON_MODE
#undef GL_CLIP_ORIGIN
