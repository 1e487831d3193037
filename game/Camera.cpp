#include "game/Camera.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <glm/gtc/matrix_transform.hpp>

#include "app/Engine.h"
#include "game/Scene.h"

namespace camera {

std::string poseLine(const glm::vec3& position, const glm::vec3& direction, float yaw,
                     float pitch) {
    const glm::vec3& p = position;
    const glm::vec3& d = direction;
    char text[192];
    std::snprintf(text, sizeof text,
                  "camera %.4f %.4f %.4f direction %.4f %.4f %.4f yaw %.4f pitch %.4f",
                  static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(p.z),
                  static_cast<double>(d.x), static_cast<double>(d.y), static_cast<double>(d.z),
                  static_cast<double>(yaw), static_cast<double>(pitch));
    return text;
}

float verticalFieldOfView(float fieldOfView, float aspect) {
    if (aspect >= 1.0f) return fieldOfView;
    return glm::degrees(2.0f * std::atan(std::tan(glm::radians(fieldOfView) * 0.5f) / aspect));
}

glm::mat4 projection(unsigned width, unsigned height, float fieldOfView) {
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    return glm::perspective(glm::radians(verticalFieldOfView(fieldOfView, aspect)), aspect, 0.1f,
                            250.0f);
}

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kTourBaseAngle = 1.2566371f;  // 0.4 pi: polar angle of the circles
const glm::vec3 kTourTarget(-2.5f, 10.0f, 0.0f);

float cosOf(float radians) { return static_cast<float>(std::cos(static_cast<double>(radians))); }
float sinOf(float radians) { return static_cast<float>(std::sin(static_cast<double>(radians))); }

// Polar angle while circling: one full swing of +-0.1 pi per circle.
float swingingPhi(float theta) { return kTourBaseAngle + 0.1f * kPi * std::sin(theta); }

}  // namespace

glm::vec3 leftOf(const glm::vec3& d) {
    const double quarter = static_cast<double>(1.5707964f);
    const double c = std::cos(quarter), s = std::sin(quarter);
    return glm::vec3(static_cast<float>(d.x * c + d.z * s), 0.0f,
                     static_cast<float>(d.z * c - d.x * s));
}

glm::vec3 walk(const glm::vec3& position, const glm::vec3& direction, WalkKeys keys,
               float frameTime, float speed) {
    const float step = frameTime * speed;
    glm::vec3 eye = position;
    if (keys.forward) eye += direction * step;
    if (keys.back) eye -= direction * step;
    if (keys.left) eye += leftOf(direction) * step;
    if (keys.right) eye -= leftOf(direction) * step;
    return eye;
}

bool cursorMoved(double x, double y, double lastX, double lastY) {
    return static_cast<long>(x) != static_cast<long>(lastX) ||
           static_cast<long>(y) != static_cast<long>(lastY);
}

LookAngles turn(LookAngles angles, float dx, float dy) {
    angles.yaw += dx * kDegreesPerPixel;
    if (angles.yaw > 360.0f) angles.yaw -= 360.0f;
    if (angles.yaw < 0.0f) angles.yaw += 360.0f;
    angles.pitch = std::clamp(angles.pitch + dy * kDegreesPerPixel, -90.0f, 90.0f);
    return angles;
}

glm::vec3 lookDirection(LookAngles angles) {
    const float p = angles.pitch * kDegToRad;
    const float w = angles.yaw * kDegToRad;
    const float cp = cosOf(p), sp = sinOf(p), cw = cosOf(w), sw = sinOf(w);
    return glm::vec3(cw + cp * sw, sp, cp * cw - sw);
}

float tourPhase(double totalTime) {
    const float t = static_cast<float>(totalTime);
    return (t - std::floor(t / kTourPeriod) * kTourPeriod) / kTourPeriod;
}

TourOrbit tourOrbit(float u) {
    TourOrbit orbit;
    if (u < 0.25f) {
        const float a = 4.0f * u;
        orbit.theta = 2.0f * kPi * a;
        orbit.phi = swingingPhi(orbit.theta);
        orbit.radius = 20.0f;
    } else if (u < 0.55f) {
        const float b = (u - 0.25f) / 0.3f;
        orbit.theta = 2.0f * kPi * b;
        orbit.phi = swingingPhi(orbit.theta);
        orbit.radius = 20.0f + 20.0f * std::min(4.0f * b, 1.0f);
    } else if (u < 0.85f) {
        const float c = (u - 0.55f) / 0.3f;
        orbit.theta = 2.0f * kPi * c;
        orbit.phi = swingingPhi(orbit.theta);
        orbit.radius = 40.0f + 20.0f * std::min(4.0f * c, 1.0f);
    } else {
        // Rise and close in at a fixed bearing, then drop back to the start point.
        const float e = (u - 0.85f) / (1.0f - 0.85f);
        orbit.theta = 2.0f * kPi;
        orbit.phi = kTourBaseAngle - (kPi / 8.0f) * (1.0f - std::cos(2.0f * kPi * e));
        orbit.radius = 60.0f - 40.0f * e;
    }
    return orbit;
}

TourPose tourPose(double totalTime) {
    const TourOrbit o = tourOrbit(tourPhase(totalTime));
    const glm::vec3 offset(o.radius * std::sin(o.phi) * std::cos(o.theta),
                           o.radius * std::cos(o.phi),
                           o.radius * std::sin(o.phi) * std::sin(o.theta));
    TourPose pose;
    pose.target = kTourTarget;
    pose.position = kTourTarget + offset;
    pose.direction = -offset / glm::length(offset);
    return pose;
}

void buildFrustum(Plane* planes, const glm::vec3& position, const glm::vec3& direction,
                  const glm::vec3& up, float aspect, float fieldOfView) {
    const glm::vec3& p = position;
    const glm::vec3& d = direction;
    const glm::vec3 nearCentre = p + d * 0.1f;
    const glm::vec3 farCentre = p + d * 200.0f;
    const glm::vec3 side = glm::cross(up, d);
    // The tangent takes 22.5 as radians (0.558 rather than 0.414): the side
    // planes open wider than the projection, so culling errs towards drawing.
    // A field of view tuned wider than that opens them with it.
    const float opening = std::max(std::tan(22.5f), std::tan(glm::radians(fieldOfView) * 0.5f));
    const float halfWidth = opening * 2.0f * 0.1f * aspect * 0.5f;
    const glm::vec3 a = nearCentre + side * halfWidth - p;
    const glm::vec3 b = nearCentre - side * halfWidth - p;

    planes[0].point = nearCentre;
    planes[0].normal = d;
    planes[0].distance = -glm::dot(d, nearCentre);

    planes[1].point = farCentre;
    planes[1].normal = -d;
    planes[1].distance = -glm::dot(-d, farCentre);

    planes[2].point = p;
    planes[2].normal = glm::normalize(glm::cross(up, glm::normalize(b)));
    planes[2].distance = -glm::dot(planes[2].normal, p);

    planes[3].point = p;
    planes[3].normal = glm::normalize(glm::cross(glm::normalize(a), up));
    planes[3].distance = -glm::dot(planes[3].normal, p);
}

float cullingRadius(const glm::vec3& minCorner, const glm::vec3& maxCorner) {
    const glm::vec3 diagonal = minCorner - maxCorner;
    const float squared = glm::dot(diagonal, diagonal);
    return static_cast<float>(std::sqrt(static_cast<double>(squared))) * 0.5f + 1.0f;
}

bool sphereVisible(const Plane* planes, const glm::vec3& centre, float radius) {
    for (int i = 0; i < 4; ++i) {
        const float s = glm::dot(planes[i].normal, centre) + planes[i].distance;
        if (s < -radius) return false;
    }
    return true;
}

}  // namespace camera

// --- Engine operations ------------------------------------------------------

void Engine::placeCamera(const glm::vec3& position, float yawDegrees, float pitchDegrees) {
    cameraPosition = position;
    yaw = yawDegrees;
    pitch = pitchDegrees;
    camera::LookAngles angles;
    angles.yaw = yaw;
    angles.pitch = pitch;
    viewDirection = camera::lookDirection(angles);
    viewMatrix = glm::lookAt(cameraPosition, cameraPosition + 10.0f * viewDirection, cameraUp);
}

// The clock has advanced already (Engine::advanceClock).
void Engine::moveCamera(bool forward, bool back, bool left, bool right, double elapsed) {
    if (cameraTour) {
        flyTour();  // the movement keys do nothing during the tour
    } else {
        camera::WalkKeys keys;
        keys.forward = forward;
        keys.back = back;
        keys.left = left;
        keys.right = right;
        cameraPosition = camera::walk(cameraPosition, viewDirection, keys,
                                      static_cast<float>(elapsed), scene->settings.camera.walkSpeed);
    }
}

void Engine::mouseLook() {
    double dx = 0.0, dy = 0.0;
    if (surface->cursorTravel(dx, dy)) {
        camera::LookAngles angles;
        angles.yaw = yaw;
        angles.pitch = pitch;
        angles = camera::turn(angles, static_cast<float>(-dx), static_cast<float>(-dy));
        yaw = angles.yaw;
        pitch = angles.pitch;
        viewDirection = camera::lookDirection(angles);
    }
}

void Engine::buildView() {
    const float fieldOfView = scene->settings.camera.fieldOfView;
    if (width > 0 && height > 0) projectionMatrix = camera::projection(width, height, fieldOfView);
    cameraUp = glm::vec3(0.0f, 1.0f, 0.0f);
    viewMatrix = glm::lookAt(cameraPosition, cameraPosition + 10.0f * viewDirection, cameraUp);
}

void Engine::flyTour() {
    const camera::TourPose pose = camera::tourPose(totalTime);
    cameraTarget = pose.target;
    cameraPosition = pose.position;
    viewDirection = pose.direction;
}

void Engine::updateFrustum() {
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    camera::buildFrustum(frustumPlanes, cameraPosition, viewDirection, cameraUp, aspect,
                         camera::verticalFieldOfView(scene->settings.camera.fieldOfView, aspect));
}
