#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "GraphicsEngine/Shader.h"

using graph::Dialect;
using graph::sourceForDialect;

TEST(ShaderDialect, DesktopAndEsOwnSourcesAreReadAsWritten) {
    const std::string desktop = "#version 330 core\nin vec3 p;\n";
    const std::string es = "#version 300 es\nprecision mediump float;\n";
    EXPECT_EQ(sourceForDialect(desktop, Dialect::Desktop), desktop);
    EXPECT_EQ(sourceForDialect(es, Dialect::Es), es);
}

TEST(ShaderDialect, EsTakesItsVersionAndKeepsTheFilesLineNumbers) {
    const std::string es = sourceForDialect("#version 330 core\nin vec3 p;\nvoid main() {}\n",
                                            Dialect::Es);
    EXPECT_EQ(es.rfind("#version 300 es\n", 0), 0u);
    EXPECT_EQ(es.find("330"), std::string::npos);
    EXPECT_NE(es.find("precision highp float;"), std::string::npos);
    EXPECT_NE(es.find("precision highp samplerCubeShadow;"), std::string::npos);
    // The line after the directive is the file's second line.
    EXPECT_NE(es.find("#line 2\nin vec3 p;\nvoid main() {}\n"), std::string::npos);
    // A file without a version line keeps all of its lines.
    EXPECT_NE(sourceForDialect("void main() {}", Dialect::Es).find("#line 1\nvoid main() {}"),
              std::string::npos);
}

// Taken-in files arrive between #line directives that keep each file's own
// line numbers, each file one source string; a missing file or a loop stops.
TEST(ShaderIncludes, ExpandInPlaceAndKeepEveryFilesLineNumbers) {
    const std::map<std::string, std::string> files = {
        {"a.glsl", "float a;\n#include \"b.glsl\"\n"},
        {"b.glsl", "float b;"},
        {"loop.glsl", "#include \"loop.glsl\"\n"},
    };
    const graph::IncludeReader read = [&](const std::string& name, std::string& text) {
        const auto file = files.find(name);
        if (file == files.end()) return false;
        text = file->second;
        return true;
    };
    std::vector<std::string> included;
    std::string missing;
    std::string source = "#version 330 core\n  #include \"a.glsl\"\n#include \"b.glsl\"\nvoid main() {}\n";
    ASSERT_TRUE(graph::expandIncludes(source, read, included, missing));
    EXPECT_EQ(source,
              "#version 330 core\n"
              "#line 1 1\nfloat a;\n#line 1 2\nfloat b;\n#line 3 1\n#line 3 0\n"
              "#line 1 2\nfloat b;\n#line 4 0\nvoid main() {}\n");
    EXPECT_EQ(included, (std::vector<std::string>{"a.glsl", "b.glsl"}));

    std::string plain = "void main() {}";
    EXPECT_TRUE(graph::expandIncludes(plain, read, included, missing));
    EXPECT_EQ(plain, "void main() {}") << "nothing taken in: untouched";

    for (const char* name : {"none.glsl", "loop.glsl"}) {
        std::string broken = std::string("#include \"") + name + "\"\n";
        EXPECT_FALSE(graph::expandIncludes(broken, read, included, missing)) << name;
        EXPECT_EQ(missing, name);
    }
}
