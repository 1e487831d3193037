#pragma once
// The scene's own clock, at the tuned time scale: the particles, the fire
// light's flicker, the effigy's fire and the turning structure follow it,
// while walking and the tour keep the real one (Engine::frameTime).
struct SceneClock {
    float frameTime = 0.0f;  // this frame's scene seconds
    double time = 0.0;       // scene seconds since start-up

    void advance(float realFrameTime, float timeScale) {
        frameTime = realFrameTime * timeScale;
        time += static_cast<double>(frameTime);
    }
};
