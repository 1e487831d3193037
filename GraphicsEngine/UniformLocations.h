#pragma once
#include <GL/glew.h>

#include <cstddef>
#include <vector>

namespace graph {

class Shader;

// The locations of a fixed list of uniforms in one program, looked up when
// the program is first used and again only after it was built anew (a live
// reload), so that a draw sets its uniforms without a look-up by name. The
// index of a name in the list is the index of its location.
class UniformLocations {
public:
    // `names` must outlive this object (a table of string literals).
    UniformLocations(const char* const* names, std::size_t count);

    // Follows `shader`'s current build; true when it is linked. Only a new
    // build (or another program) costs look-ups.
    bool follow(const Shader& shader);
    GLint operator[](std::size_t index) const { return locations_[index]; }

private:
    const char* const* names_;
    std::vector<GLint> locations_;
    GLuint program_ = 0;
    unsigned long long generation_ = 0;
    bool linked_ = false;
};

}  // namespace graph
