#include "support/TestMeshes.h"

#include <vector>

#include "GraphicsEngine/Shader.h"

namespace testmesh {

namespace {

struct Face {
    glm::vec3 origin, edgeU, edgeV;
};

void build(Mesh& mesh, graph::Shader* shader, const std::vector<Face>& faces, float repeat) {
    mesh.allocate(4 * static_cast<unsigned>(faces.size()), 6 * static_cast<unsigned>(faces.size()));
    const glm::vec2 corners[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (unsigned f = 0; f < faces.size(); ++f) {
        const Face& face = faces[f];
        const glm::vec3 normal = glm::normalize(glm::cross(face.edgeU, face.edgeV));
        const glm::vec3 tangent = glm::normalize(face.edgeU);
        const glm::vec3 bitangent = glm::normalize(face.edgeV);
        for (unsigned c = 0; c < 4; ++c) {
            const unsigned v = 4 * f + c;
            const glm::vec3 p = face.origin + corners[c].x * face.edgeU + corners[c].y * face.edgeV;
            for (int k = 0; k < 3; ++k) {
                mesh.positions[3 * v + k] = p[k];
                mesh.normals[3 * v + k] = normal[k];
                mesh.tangents[3 * v + k] = tangent[k];
                mesh.bitangents[3 * v + k] = bitangent[k];
            }
            mesh.uvs[2 * v] = corners[c].x * repeat;
            mesh.uvs[2 * v + 1] = corners[c].y * repeat;
        }
        const unsigned order[6] = {0, 1, 2, 0, 2, 3};
        for (unsigned i = 0; i < 6; ++i) mesh.indices[6 * f + i] = 4 * f + order[i];
    }
    mesh.shader = shader;
    mesh.uploadBuffers();
}

}  // namespace

void quad(Mesh& mesh, graph::Shader* shader, glm::vec3 origin, glm::vec3 edgeU, glm::vec3 edgeV,
          float repeat) {
    build(mesh, shader, {{origin, edgeU, edgeV}}, repeat);
}

void box(Mesh& mesh, graph::Shader* shader, glm::vec3 low, glm::vec3 high) {
    const glm::vec3 size = high - low;
    const glm::vec3 x(size.x, 0, 0), y(0, size.y, 0), z(0, 0, size.z);
    build(mesh, shader,
          {{low, x, z}, {low + y, z, x}, {low, y, x}, {low + z, x, y}, {low, z, y}, {low + x, y, z}},
          1.0f);
}

GLuint solidTexture(unsigned char r, unsigned char g, unsigned char b) {
    std::vector<unsigned char> pixels;
    for (int i = 0; i < 16; ++i) pixels.insert(pixels.end(), {r, g, b});
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

}  // namespace testmesh
