#pragma once
#include <GL/glew.h>

#include <glm/glm.hpp>
#include <string>

#include "game/SceneObject.h"

struct Mesh;

namespace game {

// A scene object drawn from a model file: the rocks, the platform, the
// turning wooden structure and the effigy.
class StaticObject : public SceneObject {
public:
    Mesh* mesh = nullptr;  // owned; stays null when the model cannot be loaded
    graph::Shader* shader = nullptr;
    glm::mat4 currentMatrix{1.0f};  // projection · view · model, rebuilt by update
    glm::mat4 modelMatrix{1.0f};
    GLuint colorTexture = 0;
    float shininess;
    float specLightInt;
    std::string colorFile;
    std::string modelFile;
    std::string normalFile;
    std::string depthFile;

    StaticObject(int kind, int objectId, const BoundingBox& box, const glm::vec3& position,
                 const glm::vec3& rotationAngles, float shininess, float specLightInt,
                 std::string modelFile, std::string colorFile);
    ~StaticObject() override;

    void setMapFiles(std::string normalFile, std::string depthFile);

    void update(double elapsedSeconds) override;
    void draw() override;
    void drawShadow(int a, int b, int c) override;
    void drawOmniShadow() override;
    void drawDepth() override;
    ShadowCasting shadowCasting() const override;
    void placeholder() override;
    // Loads textures and model; an object whose model fails is passed over by
    // every frame step (state kPassedOver), so the object counter leaves it out.
    // Again after releaseGraphics, the placement as it stands.
    void init(graph::Shader* shader) override;
    virtual void placeholderExtra();
    void releaseGraphics() override;

private:
    bool placed_ = false;
};

// Kind 1 (the effigy) is drawn by its fire pass, every other kind by the lit pass.
bool drawsWithEffigyPass(int kind);
// Kind 6 casts no shadows.
bool castsShadows(int kind);
// Kind 2 turns in update; every other kind keeps the matrix init gives it.
bool turnsInUpdate(int kind);
// Kinds 2 and 3 carry normal and depth maps.
bool loadsSurfaceMaps(int kind);
// Degrees per second the turning structure (kind 2) turns about the world y axis.
constexpr float kTurnRate = 18.0f;

// The turning structure's angle after `elapsedSeconds` more at `rate` degrees
// per second, kept in [0, 360):
// an angle that grew without end would lose the step to float rounding after
// some hours and the structure would slow down and stop. The sum is taken in
// double, so even an angle that has already grown large advances by the step.
float turnedAngle(float degrees, double elapsedSeconds, float rate = kTurnRate);

// The start rotation in x, y, z order, zero angles skipped; turns `box` about
// its own edges the same way, which gives it the orientation of the result.
glm::mat4 applyStartRotation(const glm::vec3& angles, BoundingBox& box);

}  // namespace game
