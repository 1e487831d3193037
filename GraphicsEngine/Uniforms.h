#pragma once
// Sets one uniform of the program in use at a location looked up beforehand
// (graph::UniformLocations); GL ignores location -1, a name the program does
// not use.
#include <GL/glew.h>

#include <glm/glm.hpp>
#include <glm/gtc/type_ptr.hpp>

namespace uniforms {

inline void setInt(GLint location, GLint value) { glUniform1i(location, value); }
inline void setFloat(GLint location, GLfloat value) { glUniform1f(location, value); }
inline void setVec2(GLint location, const glm::vec2& value) {
    glUniform2fv(location, 1, glm::value_ptr(value));
}
inline void setVec3(GLint location, const glm::vec3& value) {
    glUniform3f(location, value.x, value.y, value.z);
}
inline void setVec4(GLint location, const glm::vec4& value) {
    glUniform4fv(location, 1, glm::value_ptr(value));
}
inline void setMat4(GLint location, const glm::mat4& value) {
    glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(value));
}

}  // namespace uniforms
