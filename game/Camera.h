#pragma once
// Camera arithmetic as pure functions. The camera itself is a set of Engine
// fields; the Engine operations placeCamera, moveCamera, mouseLook, flyTour
// and updateFrustum (game/Camera.cpp) apply these to them.

#include <glm/glm.hpp>
#include <string>

#include "game/Settings.h"

// A frustum plane; only `point` and `normal` start zeroed.
struct Plane {
    glm::vec3 point{0.0f};
    glm::vec3 normal{0.0f};
    float distance;
    Plane() : point(0.0f), normal(0.0f) {}
};

namespace camera {

// Mouse sensitivity in degrees per pixel.
constexpr float kDegreesPerPixel = 0.25f;
// Degrees to radians as the camera has always used it.
constexpr float kDegToRad = 0.017453292f;
// One tour cycle in seconds of total time.
constexpr float kTourPeriod = 45.0f;

// "camera X Y Z direction X Y Z yaw Y pitch P", as --print-camera prints a
// pose (and the page's state carries it).
std::string poseLine(const glm::vec3& position, const glm::vec3& direction, float yaw,
                     float pitch);

// The vertical field of view, in degrees, that shows `fieldOfView` degrees
// (the camera setting): high on a screen wider than tall, across on one
// taller than wide, so that a portrait phone keeps the fire in the picture.
float verticalFieldOfView(float fieldOfView, float aspect);

// The perspective for a framebuffer of this size: `fieldOfView` degrees as
// verticalFieldOfView takes it (the camera setting's default unless tuned),
// near 0.1, far 250.
glm::mat4 projection(unsigned width, unsigned height,
                     float fieldOfView = CameraSettings{}.fieldOfView);

struct WalkKeys {
    bool forward = false, back = false, left = false, right = false;
};

// The horizontal part of `direction` turned a quarter turn about +y: the
// viewer's left.
glm::vec3 leftOf(const glm::vec3& direction);

// The eye after one frame of walking with the held keys at `speed`.
glm::vec3 walk(const glm::vec3& position, const glm::vec3& direction, WalkKeys keys,
               float frameTime, float speed = CameraSettings{}.walkSpeed);

struct LookAngles {
    float yaw = 0.0f;    // degrees, 0..360 after wrapping
    float pitch = 0.0f;  // degrees, -90..90
};

// Whether the cursor left the pixel it was re-centred to (coordinates
// truncated toward zero, so sub-pixel moves do not count).
bool cursorMoved(double x, double y, double lastX, double lastY);

// Applies a cursor offset already turned into look units (dx > 0 for a move
// to the left, dy > 0 for a move up).
LookAngles turn(LookAngles angles, float dx, float dy);

// (1, 0, 1) turned by the look angles; always sqrt 2 long, and only 45
// degrees above the horizon at pitch 90.
glm::vec3 lookDirection(LookAngles angles);

// Where the tour stands within its cycle: spherical coordinates around the
// target (radians for the angles; phi measured from +y).
struct TourOrbit {
    float radius = 0.0f;
    float phi = 0.0f;
    float theta = 0.0f;
};

// Position within the cycle, in [0, 1).
float tourPhase(double totalTime);
TourOrbit tourOrbit(float u);

struct TourPose {
    glm::vec3 target{0.0f};
    glm::vec3 position{0.0f};
    glm::vec3 direction{0.0f};  // unit length, towards the target
};
TourPose tourPose(double totalTime);

// Fills planes 0..3 (near, far, right, left) for an eye at `position`
// looking along `direction` (used as it is, not normalised); the others are
// left alone. Normals point inwards. The side planes open at least as wide
// as a projection of `fieldOfView` degrees.
void buildFrustum(Plane* planes, const glm::vec3& position, const glm::vec3& direction,
                  const glm::vec3& up, float aspect,
                  float fieldOfView = CameraSettings{}.fieldOfView);

// The bounding-sphere radius used for culling: half the box diagonal plus one.
float cullingRadius(const glm::vec3& minCorner, const glm::vec3& maxCorner);

// True when the sphere is not wholly outside any of planes 0..3. There is no
// top or bottom plane, so nothing is culled for being above or below the view.
bool sphereVisible(const Plane* planes, const glm::vec3& centre, float radius);

}  // namespace camera
