#pragma once
#include <glm/glm.hpp>

#include "GraphicsEngine/BoundingBox.h"

class Engine;
namespace graph {
class Shader;
}

namespace game {

// The state in which the frame passes over an object entirely: not updated,
// not in the shadow cube, not drawn and not counted.
constexpr int kPassedOver = 4;

// How an object takes part in the fire light's shadow cube.
struct ShadowCasting {
    bool casts = false;        // drawOmniShadow draws something
    bool movesItself = false;  // update changes `model` frame after frame
    glm::mat4 model{1.0f};     // what drawOmniShadow draws with
};

// The base of everything the frame handles one by one. The kind picks the
// program at start-up and the pass when drawing; the box drives culling.
// The virtual operations keep a fixed slot order.
class SceneObject {
public:
    int kind;
    int objectId;
    int state = 0;  // kPassedOver: left out of every frame step
    Engine* engine = nullptr;
    glm::mat4 rotationMatrix{1.0f};
    BoundingBox boundingBox;
    glm::vec3 position{0.0f};
    glm::vec3 rotationAngles{0.0f};  // start rotation about x, y, z in degrees

    SceneObject(int kind, int objectId, const BoundingBox& box, const glm::vec3& position);
    // The debug cuboid: kind 9, id 100, an all-zero box.
    explicit SceneObject(const glm::vec3& position);
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;

    virtual ~SceneObject();
    virtual void update(double elapsedSeconds) = 0;
    virtual void draw() = 0;
    virtual void drawShadow(int a, int b, int c) = 0;
    virtual void drawOmniShadow() = 0;
    virtual void placeholder() = 0;
    virtual void init(graph::Shader* shader) = 0;
    // Turns about the box's own current edges, after any earlier turn.
    virtual void turnAboutY(float degrees);
    virtual void turnAboutX(float degrees);
    virtual void turnAboutZ(float degrees);
    virtual void setPosition(const glm::vec3& position);
    virtual void setEngine(Engine* engine);
    // Its depth for the frame's depth pre-pass; an object that writes none
    // is still drawn correctly, only without the saving.
    virtual void drawDepth() {}
    // What the shadow cube needs to know to keep it from one frame to the next;
    // by default nothing is cast.
    virtual ShadowCasting shadowCasting() const { return {}; }
    // Deletes and forgets its GL objects (the context was lost); init makes
    // them again.
    virtual void releaseGraphics() {}

    int getKind() const { return kind; }
};

// R · current for a turn of `degrees` about `axis`. A zero axis (a flat box
// has one) gives no direction, so the rotation is returned unchanged rather
// than filled with NaNs.
glm::mat4 turnedRotation(const glm::mat4& current, const glm::vec3& axis, float degrees);

}  // namespace game
