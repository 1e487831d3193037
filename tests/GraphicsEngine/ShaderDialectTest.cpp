#include <gtest/gtest.h>

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
