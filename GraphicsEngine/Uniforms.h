#pragma once
// Sets one uniform of `program` by name. Locations are looked up on every
// call; a name the program does not use has location -1, which GL ignores.
#include <GL/glew.h>

#include <glm/glm.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <string>

namespace uniforms {

inline GLint at(GLuint program, const std::string& name) {
    return glGetUniformLocation(program, name.c_str());
}
inline void setInt(GLuint program, const std::string& name, GLint value) {
    glUniform1i(at(program, name), value);
}
inline void setFloat(GLuint program, const std::string& name, GLfloat value) {
    glUniform1f(at(program, name), value);
}
inline void setVec2(GLuint program, const std::string& name, const glm::vec2& value) {
    glUniform2fv(at(program, name), 1, glm::value_ptr(value));
}
inline void setVec3(GLuint program, const std::string& name, const glm::vec3& value) {
    glUniform3f(at(program, name), value.x, value.y, value.z);
}
inline void setVec4(GLuint program, const std::string& name, const glm::vec4& value) {
    glUniform4fv(at(program, name), 1, glm::value_ptr(value));
}
inline void setMat4(GLuint program, const std::string& name, const glm::mat4& value) {
    glUniformMatrix4fv(at(program, name), 1, GL_FALSE, glm::value_ptr(value));
}

// The distance fog, the eye and the model matrix, as every lit program takes them.
inline void setFogViewAndModel(GLuint program, const glm::vec3& fogColor, float fogStart,
                               float fogEnd, float fogDensity, const glm::vec3& eye,
                               const glm::mat4& modelMatrix) {
    setVec4(program, "fogColor", glm::vec4(fogColor, 1.0f));
    setFloat(program, "fogStart", fogStart);
    setFloat(program, "fogEnd", fogEnd);
    setFloat(program, "fogDensity", fogDensity);
    setInt(program, "fogEquation", 0);  // linear
    setVec3(program, "view", eye);
    setMat4(program, "modelMatrix", modelMatrix);
}

}  // namespace uniforms
