#include "tools/ObjMesh.h"

#include <cmath>
#include <cstdio>
#include <glm/gtc/matrix_transform.hpp>

int ObjMesh::addPosition(const glm::vec3& p) {
    positions_.push_back(p);
    return static_cast<int>(positions_.size()) - 1;
}

int ObjMesh::addUv(const glm::vec2& uv) {
    uvs_.push_back(uv);
    return static_cast<int>(uvs_.size()) - 1;
}

int ObjMesh::addNormal(const glm::vec3& n) {
    normals_.push_back(glm::normalize(n));
    return static_cast<int>(normals_.size()) - 1;
}

void ObjMesh::addTriangle(const Corner& a, const Corner& b, const Corner& c) {
    triangles_.push_back(a);
    triangles_.push_back(b);
    triangles_.push_back(c);
}

void ObjMesh::addQuad(const glm::vec3 (&corners)[4], const glm::vec2 (&uvs)[4],
                      const glm::vec3& normal, bool facingNormal) {
    const glm::vec3 winding = glm::cross(corners[1] - corners[0], corners[2] - corners[0]);
    const bool counterClockwise = glm::dot(winding, normal) > 0.0f;
    const int n = addNormal(normal);
    Corner c[4];
    for (int i = 0; i < 4; ++i) c[i] = {addPosition(corners[i]), addUv(uvs[i]), n};
    if (counterClockwise == facingNormal) {
        addTriangle(c[0], c[1], c[2]);
        addTriangle(c[0], c[2], c[3]);
    } else {
        addTriangle(c[0], c[2], c[1]);
        addTriangle(c[0], c[3], c[2]);
    }
}

void ObjMesh::addBeam(const glm::vec3& a, const glm::vec3& b, float thickness, float overhang,
                      const BeamMapping& mapping, float roll) {
    const glm::vec3 axis = glm::normalize(b - a);
    const glm::vec3 reference =
        std::abs(axis.y) < 0.9f ? glm::vec3(0.0f, 1.0f, 0.0f) : glm::vec3(1.0f, 0.0f, 0.0f);
    glm::vec3 side = glm::normalize(glm::cross(reference, axis));
    glm::vec3 up = glm::cross(axis, side);
    const glm::mat3 turn(glm::rotate(glm::mat4(1.0f), glm::radians(roll), axis));
    side = turn * side;
    up = turn * up;

    const float h = thickness * 0.5f;
    const float length = glm::length(b - a) + 2.0f * overhang;
    const glm::vec3 start = a - axis * overhang;
    const glm::vec3 end = start + axis * length;
    const float v1 = length / mapping.metresPerRepeat.y;
    const float w = thickness / mapping.metresPerRepeat.x;

    // Four long faces, each turning a quarter further around the axis.
    const glm::vec3 normals[4] = {side, up, -side, -up};
    for (int f = 0; f < 4; ++f) {
        const glm::vec3 n = normals[f];
        const glm::vec3 across = glm::cross(n, axis);  // u direction on this face
        const glm::vec3 centre0 = start + n * h;
        const glm::vec3 centre1 = end + n * h;
        const float u0 = mapping.uStart + mapping.uStride * f;
        const glm::vec3 corners[4] = {centre0 - across * h, centre0 + across * h,
                                      centre1 + across * h, centre1 - across * h};
        const glm::vec2 uvs[4] = {{u0, 0.0f}, {u0 + w, 0.0f}, {u0 + w, v1}, {u0, v1}};
        addQuad(corners, uvs, n);
    }
    // End caps.
    const float uOffset = mapping.uStart;
    const float wv = thickness / mapping.metresPerRepeat.y;
    for (int e = 0; e < 2; ++e) {
        const glm::vec3 n = e == 0 ? -axis : axis;
        const glm::vec3 centre = e == 0 ? start : end;
        const glm::vec3 corners[4] = {centre - side * h - up * h, centre + side * h - up * h,
                                      centre + side * h + up * h, centre - side * h + up * h};
        const glm::vec2 uvs[4] = {
            {uOffset, 0.0f}, {uOffset + w, 0.0f}, {uOffset + w, wv}, {uOffset, wv}};
        addQuad(corners, uvs, n);
    }
}

bool ObjMesh::write(const std::string& path, const std::string& objectName) const {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::fprintf(file, "# Emberwight generated model\no %s\n", objectName.c_str());
    for (const glm::vec3& p : positions_) std::fprintf(file, "v %.5f %.5f %.5f\n", p.x, p.y, p.z);
    for (const glm::vec2& t : uvs_) std::fprintf(file, "vt %.5f %.5f\n", t.x, t.y);
    for (const glm::vec3& n : normals_) std::fprintf(file, "vn %.5f %.5f %.5f\n", n.x, n.y, n.z);
    for (size_t i = 0; i < triangles_.size(); i += 3) {
        std::fprintf(file, "f");
        for (size_t k = 0; k < 3; ++k) {
            const Corner& c = triangles_[i + k];
            std::fprintf(file, " %d/%d/%d", c.position + 1, c.uv + 1, c.normal + 1);
        }
        std::fprintf(file, "\n");
    }
    const bool ok = std::ferror(file) == 0;
    return std::fclose(file) == 0 && ok;
}
