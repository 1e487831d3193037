#include "GraphicsEngine/BufferReadback.h"

#include <cstring>

namespace graph {

bool readBuffer(GLenum target, GLsizeiptr bytes, void* destination) {
    const void* data = glMapBufferRange(target, 0, bytes, GL_MAP_READ_BIT);
    if (data == nullptr) return false;
    std::memcpy(destination, data, static_cast<size_t>(bytes));
    return glUnmapBuffer(target) == GL_TRUE;
}

GLenum readbackUsage() { return GL_STREAM_READ; }

}  // namespace graph
