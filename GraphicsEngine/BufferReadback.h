#pragma once
// Reads a buffer's first bytes back into memory. Native OpenGL and ES map the
// buffer; WebGL cannot map for reading and copies instead (BufferReadbackWeb.cpp).
#include <GL/glew.h>

namespace graph {

// The first `bytes` of the buffer bound to `target`, into `destination`;
// false where the driver refused.
bool readBuffer(GLenum target, GLsizeiptr bytes, void* destination);

// The usage hint of a buffer that copies land in to be read back.
GLenum readbackUsage();

}  // namespace graph
