#pragma once
#include <string>

// Settings beyond the classic command line, for tests, tools and users. None
// of them changes what the positional arguments mean; app/run/Options.cpp
// reads each from its option.
struct RunOptions {
    long frames = -1;            // --frames N: end after N frames, as ESC would (-1: never)
    double fixedDt = -1.0;       // --fixed-dt S: every frame lasts S seconds (<0: real time)
    double seconds = -1.0;       // --seconds S: end once S seconds have been simulated
    std::string screenshot;      // --screenshot FILE: the last frame, before its swap
    double shotEvery = -1.0;     // --shot-every S: a numbered PNG every S simulated seconds
    std::string shotDir = ".";   // --shot-dir DIR: where numbered PNGs (and F12's) go
    bool printCamera = false;    // --print-camera: the camera pose after the last frame
    double benchmark = -1.0;     // --benchmark [S]: measure S seconds of the tour (<0: off)
    std::string benchmarkCsv;    // --benchmark-csv FILE: one row per measured frame
    long autoKeys = 0;           // --auto-keys N: press the next key of a cycle every N frames
    bool glDebug = false;        // --gl-debug: print and count GL errors
    long statsEvery = 0;         // --stats N: memory and counters every N frames
    bool shadowCasters = true;   // --no-shadow-casters: the fire light's shadow cube stays cleared
    bool unlit = false;          // --unlit: lit surfaces show their colour texture only
    bool shaderReload = true;    // --no-shader-reload: saved GLSL files are not rebuilt while running
    bool placeCamera = false;    // --camera X,Y,Z,YAW,PITCH: where the walk starts
    float cameraPose[5] = {};    // x, y, z, yaw and pitch in degrees, as --print-camera prints them
    bool headless = false;       // --headless: an EGL context and an offscreen framebuffer, no window
    int eglDevice = -1;          // --egl-device N: the EGL device to render on (-1: choose)
    bool gles = false;           // --gles: OpenGL ES 3.0 and its renderer, no geometry stages
    bool glow = false;           // --glow: start with the glow on (G)
    bool showShadowCube = false; // --show-shadow-cube: start with the shadow-cube box shown (C)
    std::string settingsFile;    // --settings FILE: tuned values applied at start-up
    bool printSettings = false;  // --print-settings: print every setting as JSON and end
    bool panel = false;          // --panel: start with the settings panel open (Tab)
    float renderScale = 1.0f;    // --render-scale S: the scene drawn at S x the surface's size
    int targetFps = 0;           // --target-fps N: the render scale picked to hold N (0: off)
    bool fullResParticles = false;  // --full-res-particles: not drawn at half size
    bool hardParticles = false;     // --hard-particles: cut where they meet the scene
    bool bilinearUpscale = false;   // --bilinear-upscale: below 1, the plain blit
    std::string audioOut;        // --audio-out FILE: the sound of the frames drawn, as a WAV
    bool mute = false;           // --mute: start with the sound muted (M)
    float volume = -1.0f;        // --volume V: the sound's volume, 0 to 1 (<0: the settings')
    int antialias = 0;           // --antialias MODE: 1 off, 2 post, 3 msaa (0: the renderer's)
    int msaaSamples = 4;         // --msaa-samples N: msaa's samples
    bool help = false;           // --help: the usage text, and end
};
