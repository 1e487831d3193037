#pragma once
// The uniforms the mesh passes set, by index into tables of locations looked
// up once per program build (graph::UniformLocations) rather than by name on
// every draw.
#include <initializer_list>
#include <string>
#include <vector>

#include "GraphicsEngine/UniformLocations.h"

namespace meshuniforms {

// What every textured mesh program takes: the lit and the effigy's lists
// start with these.
enum Textured {
    CurrentMatrix, ColorTexture,
    FogColor, FogStart, FogEnd, FogDensity, FogEquation, View, ModelMatrix,
    kTexturedUniforms
};
enum Lit {
    ShadowMap = kTexturedUniforms, NormalMap, DepthMap, HeightScale, DepthMvpMatrix, CmZTex,
    NearFar, LPos, SunLightDir, SunLightCol, SunLightInt, AmbLightCol, AmbLightInt, Shininess,
    SpecLightInt, NumPointLights, kLitUniforms
};
// The fields of one point light, after kLitUniforms for each light in turn.
enum PointLightField {
    Color, AmbientInt, DiffuseInt, Position, ConstAtt, LinearAtt, ExpAtt, kPointLightFields
};
// As many point lights as the lit programs hold; no program reads more.
constexpr unsigned kMaxPointLights = 4;
constexpr unsigned pointLightUniform(unsigned light, PointLightField field) {
    return kLitUniforms + light * kPointLightFields + field;
}
enum Effigy { FireTexture = kTexturedUniforms, NoiseTexture, TimePassed, kEffigyUniforms };
// The depth-only programs: the sun's ("shadow", also the depth pre-pass) and
// the shadow cube's ("shadowOmni"), whose six face matrices follow its list.
// The desktop's cube program takes all six faces and the light; ES's, one
// face per draw, its faceMatrix alone. A name a program lacks is at -1.
enum SunDepth { DepthMvp, kSunDepthUniforms };
enum OmniDepth { M, OmniNearFar, OmniLPos, OmniFaceMatrix, kOmniDepthUniforms };
constexpr unsigned kCubeFaces = 6;
constexpr unsigned cubeFaceUniform(unsigned face) { return kOmniDepthUniforms + face; }

std::vector<std::string> litNames();
std::vector<std::string> effigyNames();
std::vector<std::string> sunDepthNames();
std::vector<std::string> omniDepthNames();

}  // namespace meshuniforms

// Where the mesh passes find their uniforms. The lit and effigy passes draw
// with whatever program a mesh names, so they keep a table per program.
struct MeshUniforms {
    graph::UniformTables lit{meshuniforms::litNames()};
    graph::UniformTables effigy{meshuniforms::effigyNames()};
    graph::UniformLocations sunDepth{meshuniforms::sunDepthNames()};
    graph::UniformLocations omniDepth{meshuniforms::omniDepthNames()};
};
