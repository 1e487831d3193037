#include "game/SceneAssembly.h"

#include <utility>

#include "game/Cuboid.h"
#include "game/Scene.h"
#include "game/StaticObject.h"

namespace game {

const Placement kSmallRock = {"rock1_big.obj", {0.5f, 0.5f, 0.5f}, {6.0f, 9.0f, 6.0f},
                              0.5f, 0.15f, 3, "rock1.jpg", "rock1n.jpg", "rock1.jpg"};
const Placement kLargeRock = {"rock2_big.obj", {0.5f, 0.5f, 0.5f}, {8.0f, 12.0f, 8.0f},
                              0.5f, 0.15f, 3, "rock1.jpg", "rock1n.jpg", "rock1.jpg"};
const Placement kPlatform = {"emberwight_platform.obj", {0.0f, 0.0f, 0.0f},
                             {45.0f, 20.0f, 45.0f}, 1.0f, 0.55f, 3,
                             "brick13_2.jpg", "brick13n.jpg", "brick13d.jpg"};
const Placement kTurningStructure = {"emberwight_rotate.obj", {0.0f, 0.0f, 0.0f},
                                     {45.0f, 20.0f, 45.0f}, 0.6f, 0.18f, 2,
                                     "wood17.jpg", "wood17n_2.jpg", "wood17d.jpg"};
const Placement kEffigy = {"emberwight2.obj", {0.0f, 0.0f, 0.0f}, {10.0f, 20.0f, 10.0f},
                           0.5f, 0.15f, 1, "wood_burnt.jpg", "", ""};

const std::array<glm::vec2, 6> kSmallRockSpots = {
    glm::vec2(15.0f, 28.0f),  glm::vec2(-15.0f, -22.0f), glm::vec2(19.0f, -25.0f),
    glm::vec2(35.0f, 35.0f),  glm::vec2(-35.0f, -23.0f), glm::vec2(-12.0f, 50.0f)};
const std::array<glm::vec2, 3> kLargeRockSpots = {
    glm::vec2(-41.0f, 3.5f), glm::vec2(48.0f, -11.0f), glm::vec2(18.0f, 38.0f)};

float platformBaseHeight(float groundAtPlatform) { return groundAtPlatform + 2.5f; }

glm::vec3 fireLightPosition(float platformBase) {
    return glm::vec3(-2.5f, platformBase + 8.19f, 0.0f);
}

glm::vec3 rockPosition(float x, float z, float groundHeight) {
    return glm::vec3(x, groundHeight - 0.5f, z);
}

std::array<FireSegment, 11> fireSegments(float h) {
    using glm::vec3;
    return {{
        {vec3(-0.25f, h + 0.4f, 0.0f), vec3(-1.585f, h + 4.73f, 0.0f)},
        {vec3(-4.75f, h + 0.4f, 0.0f), vec3(-3.415f, h + 4.73f, 0.0f)},
        {vec3(-1.585f, h + 4.73f, 0.0f), vec3(-1.5f, h + 8.5f, 0.0f)},
        {vec3(-3.415f, h + 4.73f, 0.0f), vec3(-3.5f, h + 8.5f, 0.0f)},
        {vec3(-1.5f, h + 8.5f, 0.0f), vec3(1.5f, h + 10.0f, 0.0f)},
        {vec3(-3.5f, h + 8.5f, 0.0f), vec3(-6.5f, h + 10.0f, 0.0f)},
        {vec3(-2.5f, h + 5.95f, 0.0f), vec3(-2.5f, h + 8.41f, 0.0f)},
        {vec3(-2.5f, h + 8.41f, 0.0f), vec3(-2.5f, h + 10.8f, 0.0f)},
        {vec3(-0.55f, h, 1.75f), vec3(-4.45f, h, -1.75f)},
        {vec3(-4.45f, h, 1.75f), vec3(-0.55f, h, -1.75f)},
        {vec3(-2.5f, h, 2.63f), vec3(-2.5f, h, -2.63f)},
    }};
}

namespace {

StaticObject* place(Scene& scene, const Placement& row, const glm::vec3& position) {
    if (row.normalFile[0] == '\0') {
        return scene.createPlainStaticObject(position, row.rotationAngles, row.boxSize,
                                             row.shininess, row.specLightInt, row.kind,
                                             row.modelFile, row.colorFile);
    }
    return scene.createStaticObject(position, row.rotationAngles, row.boxSize, row.shininess,
                                    row.specLightInt, row.kind, row.modelFile, row.colorFile,
                                    row.normalFile, row.depthFile);
}

BoundingBox standingBox(const glm::vec3& position, const glm::vec3& size) {
    const glm::vec3 low(position.x - 0.5f * size.x, position.y, position.z - 0.5f * size.z);
    const glm::vec3 high(position.x + 0.5f * size.x, position.y + size.y,
                         position.z + 0.5f * size.z);
    return BoundingBox(low, high);
}

}  // namespace

void assembleScene(Scene& scene, float platformBase) {
    for (const glm::vec2& spot : kSmallRockSpots) {
        const glm::vec3 at = rockPosition(spot.x, spot.y, scene.heightAt(spot.x, spot.y));
        scene.objects.push_back(place(scene, kSmallRock, at));
    }
    for (const glm::vec2& spot : kLargeRockSpots) {
        const glm::vec3 at = rockPosition(spot.x, spot.y, scene.heightAt(spot.x, spot.y));
        scene.objects.push_back(place(scene, kLargeRock, at));
    }
    const glm::vec3 platformCentre(-2.5f, platformBase, 0.0f);
    scene.objects.push_back(place(scene, kPlatform, platformCentre));
    scene.objects.push_back(place(scene, kTurningStructure, platformCentre));
    scene.objects.push_back(place(scene, kEffigy, platformCentre));

    scene.cuboid = new Cuboid(kCuboidPosition);

    for (const FireSegment& segment : fireSegments(platformBase)) {
        scene.addFireEmitters(segment.first, segment.second);
    }
}

}  // namespace game

game::StaticObject* Scene::createStaticObject(const glm::vec3& position,
                                              const glm::vec3& rotationAngles,
                                              const glm::vec3& boxSize, float shininess,
                                              float specLightInt, int kind, std::string modelFile,
                                              std::string colorFile, std::string normalFile,
                                              std::string depthFile) {
    game::StaticObject* object =
        createPlainStaticObject(position, rotationAngles, boxSize, shininess, specLightInt, kind,
                                std::move(modelFile), std::move(colorFile));
    object->setMapFiles(std::move(normalFile), std::move(depthFile));
    return object;
}

game::StaticObject* Scene::createPlainStaticObject(const glm::vec3& position,
                                                   const glm::vec3& rotationAngles,
                                                   const glm::vec3& boxSize, float shininess,
                                                   float specLightInt, int kind,
                                                   std::string modelFile, std::string colorFile) {
    const int id = objectCount;
    objectCount += 1;
    return new game::StaticObject(kind, id, game::standingBox(position, boxSize), position,
                                  rotationAngles, shininess, specLightInt, std::move(modelFile),
                                  std::move(colorFile));
}
