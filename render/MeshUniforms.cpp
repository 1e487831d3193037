#include "render/MeshUniforms.h"

#include "render/Lighting.h"

namespace meshuniforms {

namespace {

std::vector<std::string> texturedNames() {
    return {"currentMatrix", "colorTexture", "fogColor", "fogStart", "fogEnd",
            "fogDensity",    "fogEquation",  "view",     "modelMatrix"};
}

std::vector<std::string> withAppended(std::vector<std::string> names,
                                      std::initializer_list<const char*> more) {
    names.insert(names.end(), more.begin(), more.end());
    return names;
}

}  // namespace

std::vector<std::string> litNames() {
    std::vector<std::string> names = withAppended(
        texturedNames(),
        {"shadowMap", "normalMap", "depthMap", "heightScale", "depthMvpMatrix", "cm_z_tex",
         "near_far", "l_pos", "sunLightDir", "sunLightCol", "sunLightInt", "ambLightCol",
         "ambLightInt", "shininess", "specLightInt", "numPointLights"});
    const char* const fields[kPointLightFields] = {"Color",    "AmbientInt", "DiffuseInt",
                                                   "Position", "ConstAtt",   "LinearAtt",
                                                   "ExpAtt"};
    for (unsigned light = 0; light < kMaxPointLights; ++light) {
        for (const char* field : fields) names.push_back(lighting::pointLightUniform(light, field));
    }
    return names;
}

std::vector<std::string> effigyNames() {
    return withAppended(texturedNames(), {"fireTexture", "noiseTexture", "timePassed"});
}

std::vector<std::string> sunDepthNames() { return {"depthMVP"}; }

std::vector<std::string> omniDepthNames() {
    std::vector<std::string> names = {"M", "near_far", "l_pos", "faceMatrix"};
    for (unsigned face = 0; face < kCubeFaces; ++face) {
        names.push_back(lighting::cubeFaceUniform(face));
    }
    return names;
}

}  // namespace meshuniforms
