#pragma once
#include <glm/glm.hpp>
#include <string>
#include <vector>

// One OBJ object with one (default) material: positions, normals and texture
// coordinates indexed per triangle corner, written as text.
class ObjMesh {
public:
    struct Corner {
        int position;
        int uv;
        int normal;
    };

    int addPosition(const glm::vec3& p);
    int addUv(const glm::vec2& uv);
    int addNormal(const glm::vec3& n);
    void addTriangle(const Corner& a, const Corner& b, const Corner& c);

    // A flat quad (corners in order around it) with one normal. The corners
    // are wound counter-clockwise as seen from the side the normal points to,
    // or from the other side when `facingNormal` is false.
    void addQuad(const glm::vec3 (&corners)[4], const glm::vec2 (&uvs)[4], const glm::vec3& normal,
                 bool facingNormal = true);

    // How a beam's faces take the texture: metres per repeat across (u) and
    // along (v) the beam, and where on u each of its four long faces starts.
    struct BeamMapping {
        glm::vec2 metresPerRepeat{1.0f, 2.0f};
        float uStart = 0.0f;
        float uStride = 1.0f / 3.0f;
    };

    // A closed square-section box along a -> b, `thickness` across, reaching
    // `overhang` beyond both ends; `roll` turns the section about the axis
    // (degrees). Texture coordinates run along the length (v).
    void addBeam(const glm::vec3& a, const glm::vec3& b, float thickness, float overhang,
                 const BeamMapping& mapping, float roll = 0.0f);

    size_t triangleCount() const { return triangles_.size() / 3; }
    const std::vector<glm::vec3>& positions() const { return positions_; }

    bool write(const std::string& path, const std::string& objectName) const;

private:
    std::vector<glm::vec3> positions_;
    std::vector<glm::vec2> uvs_;
    std::vector<glm::vec3> normals_;
    std::vector<Corner> triangles_;
};
