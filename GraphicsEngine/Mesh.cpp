#include "GraphicsEngine/Mesh.h"

#include "GraphicsEngine/Shader.h"

void Mesh::allocate(unsigned vertexCount, unsigned indexCount) {
    this->vertexCount = vertexCount;
    this->indexCount = indexCount;
    positions = new float[3 * static_cast<size_t>(vertexCount)];
    normals = new float[3 * static_cast<size_t>(vertexCount)];
    uvs = new float[2 * static_cast<size_t>(vertexCount)];
    tangents = new float[3 * static_cast<size_t>(vertexCount)];
    bitangents = new float[3 * static_cast<size_t>(vertexCount)];
    indices = new unsigned[indexCount];
}

void Mesh::uploadBuffers() {
    const GLsizeiptr vec3Bytes = 12 * static_cast<GLsizeiptr>(vertexCount);
    const GLsizeiptr vec2Bytes = 8 * static_cast<GLsizeiptr>(vertexCount);
    glGenVertexArrays(1, &buffers.vao);
    buffers.addBuffer(GL_ARRAY_BUFFER, vec3Bytes, 3, positions, nullptr, "position");
    buffers.addBuffer(GL_ARRAY_BUFFER, vec3Bytes, 3, normals, nullptr, "normal");
    buffers.addBuffer(GL_ARRAY_BUFFER, vec2Bytes, 2, uvs, nullptr, "uv");
    buffers.addBuffer(GL_ELEMENT_ARRAY_BUFFER, 4 * static_cast<GLsizeiptr>(indexCount), 1, nullptr,
                      indices, "indices");
    buffers.addBuffer(GL_ARRAY_BUFFER, vec3Bytes, 3, tangents, nullptr, "tangent");
    buffers.addBuffer(GL_ARRAY_BUFFER, vec3Bytes, 3, bitangents, nullptr, "bitangent");
    // Without a program the attributes are bound at the first draw instead.
    if (shader != nullptr) buffers.bindToProgram(*shader);
}

void Mesh::release() {
    delete[] positions;
    delete[] normals;
    delete[] uvs;
    delete[] tangents;
    delete[] bitangents;
    delete[] indices;
    positions = normals = uvs = tangents = bitangents = nullptr;
    indices = nullptr;
    vertexCount = 0;
    indexCount = 0;
    buffers.release();
}
