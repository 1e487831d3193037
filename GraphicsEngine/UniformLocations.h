#pragma once
#include <GL/glew.h>

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace graph {

class Shader;

// The locations of a fixed list of uniforms in one program, looked up when
// the program is first used and again only after it was built anew (a live
// reload), so that a draw sets its uniforms without a look-up by name. The
// index of a name in the list is the index of its location.
class UniformLocations {
public:
    UniformLocations(const char* const* names, std::size_t count);
    explicit UniformLocations(std::vector<std::string> names);

    // Follows `shader`'s current build; true when it is linked. Only a new
    // build (or another program) costs look-ups.
    bool follow(const Shader& shader);
    // Whether the last follow met a new build and looked the locations up:
    // the moment to set uniforms that never change.
    bool renewed() const { return renewed_; }
    GLint operator[](std::size_t index) const { return locations_[index]; }

private:
    std::vector<std::string> names_;
    std::vector<GLint> locations_;
    GLuint program_ = 0;
    unsigned long long generation_ = 0;
    bool linked_ = false;
    bool renewed_ = false;
};

// One list of uniforms in every program a pass draws with: a table per
// program, so that switching between programs costs no look-up either.
class UniformTables {
public:
    explicit UniformTables(std::vector<std::string> names) : names_(std::move(names)) {}

    // The table of `shader`, followed to its current build.
    const UniformLocations& follow(const Shader& shader);

private:
    std::vector<std::string> names_;
    std::map<const Shader*, UniformLocations> tables_;
};

}  // namespace graph
