#pragma once
#include <GL/glew.h>

#include <glm/glm.hpp>

#include "GraphicsEngine/Mesh.h"

// Small meshes and textures for the pass tests, built the way the model
// loader builds them (all five named arrays, uploaded for one program).
namespace testmesh {

// A parallelogram from `origin` along `edgeU` and `edgeV`, counter-clockwise
// seen from cross(edgeU, edgeV); uv runs 0..repeat along each edge.
void quad(Mesh& mesh, graph::Shader* shader, glm::vec3 origin, glm::vec3 edgeU, glm::vec3 edgeV,
          float repeat = 1.0f);
// A closed axis-aligned box with outward faces.
void box(Mesh& mesh, graph::Shader* shader, glm::vec3 low, glm::vec3 high);
// A 4 x 4 texture of one colour (RGB bytes).
GLuint solidTexture(unsigned char r, unsigned char g, unsigned char b);

}  // namespace testmesh
