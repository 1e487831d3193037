#pragma once
// Tab's panel (Dear ImGui): the frame's time and where it goes, every tunable
// value live, the render switches, and settings files. It exists from the
// first time it opens; while closed nothing of it runs.

#include <string>

#include "app/settings/FrameHistory.h"

class Engine;
class GpuPassTimer;
class Surface;

class SettingsPanel {
public:
    // Starts the surface's input for Dear ImGui's context, which is current
    // (app/UiContext.h), until it goes.
    explicit SettingsPanel(Surface& surface);
    ~SettingsPanel();
    SettingsPanel(const SettingsPanel&) = delete;
    SettingsPanel& operator=(const SettingsPanel&) = delete;

    // One frame of the panel, drawn by the engine's back end over the bound
    // framebuffer, with the pass times `timer` holds; `elapsed` is the frame's
    // time on the clock.
    void draw(Engine& engine, const GpuPassTimer& timer, double elapsed);
    // Whether a text field has the keyboard (the demo's keys then wait).
    bool typing() const;
    // Closed: the time until it opens again is no frame of the graph.
    void closed() { lastSeconds_ = -1.0; }

private:
    Surface& surface_;
    FrameHistory history_;
    double lastSeconds_ = -1.0;  // the clock at the last frame drawn
    char path_[512] = "emberwight-settings.json";
    std::string fileMessage_;
    bool fileFailed_ = false;

    void performance(Engine& engine, const GpuPassTimer& timer);
    void passTimes(const GpuPassTimer& timer);  // the table of the passes' GPU times
    void tuning(Engine& engine);
    void switches(Engine& engine);
    void files(Engine& engine);
    void load(Engine& engine);  // the file at path_, with its message
};
