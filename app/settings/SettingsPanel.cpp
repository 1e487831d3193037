#include "app/settings/SettingsPanel.h"

// GLEW must come before any other GL header.
#include "app/Game.h"

#include <imgui.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "GraphicsEngine/Platform.h"
#include "app/Keys.h"
#include "app/settings/SettingsFields.h"
#include "app/settings/SettingsFile.h"
#include "app/Toggles.h"
#include "game/Scene.h"
#include "particles/ParticleSystem.h"
#include "render/RenderState.h"

namespace {

// "fieldOfView" -> "Field of view".
std::string words(const std::string& name, bool capital) {
    std::string text;
    for (char c : name) {
        if (std::isupper(static_cast<unsigned char>(c))) {
            text += ' ';
            text += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else {
            text += c;
        }
    }
    if (capital && !text.empty()) text[0] = static_cast<char>(std::toupper(text[0]));
    return text;
}

// One value of the table as its control; false unless it changed.
bool control(const settings::Field& field, Settings& record) {
    const std::string label = words(field.key, false) + "##" + field.path();
    const ImGuiSliderFlags clamp = ImGuiSliderFlags_AlwaysClamp;
    switch (field.type) {
        case settings::Type::Number:
            return ImGui::SliderFloat(label.c_str(), field.number(record), field.min, field.max,
                                      "%.4g", clamp);
        case settings::Type::Color:
            return ImGui::ColorEdit3(label.c_str(), field.number(record), ImGuiColorEditFlags_Float);
        case settings::Type::Range: {
            float* range = field.number(record);
            const float speed = (field.max - field.min) / 500.0f;
            return ImGui::DragFloatRange2(label.c_str(), &range[0], &range[1], speed, field.min,
                                          field.max, "%.4g", "%.4g", clamp);
        }
        case settings::Type::Pair:
            return ImGui::SliderFloat2(label.c_str(), field.number(record), field.min, field.max,
                                       "%.3g", clamp);
        case settings::Type::Choice: {
            int* choice = field.choice(record);
            std::string items;
            for (const std::string& name : field.choices) items += name + '\0';
            return ImGui::Combo(label.c_str(), choice, items.c_str());
        }
    }
    return false;
}

// A group's values and its reset button.
void group(const std::string& name, Settings& record) {
    for (const settings::Field& field : settings::fields()) {
        if (field.group == name) control(field, record);
    }
    if (ImGui::SmallButton(("Reset##" + name).c_str())) {
        settings::copyGroup(name, Settings(), record);
    }
}

// What a key does, done from the panel: its message and GL change as well.
void press(const keys::Key& key, Engine& engine) {
    const toggles::Action action = toggles::act(key, engine);
    if (action.announce) engine.showStatus(action.message);
    toggles::applyEffect(action.effect, engine.textureCache, *engine.render);
}

// The full path of a file name, for the message after Save and Load.
std::string fullPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
}

}  // namespace

SettingsPanel::SettingsPanel(Surface& surface) : surface_(surface) {
    surface_.startPanelInput();
}

SettingsPanel::~SettingsPanel() { surface_.stopPanelInput(); }

bool SettingsPanel::typing() const { return ImGui::GetIO().WantTextInput; }

void SettingsPanel::draw(Engine& engine, const GpuPassTimer& timer, double elapsed) {
    // The graph shows the clock's frame times, also in --fixed-dt runs.
    const double now = surface_.seconds();
    if (lastSeconds_ >= 0.0) history_.add(now - lastSeconds_);
    lastSeconds_ = now;
    RenderBackend& backend = *engine.render->backend;
    backend.newPanelFrame();
    surface_.feedPanelInput(elapsed);
    ImGui::NewFrame();

    const ImVec2 display = ImGui::GetIO().DisplaySize;
    // As wide as 380 pixels of text at the context's scale (a phone's is larger).
    const float width = std::min(380.0f * ImGui::GetIO().FontGlobalScale, display.x);
    ImGui::SetNextWindowPos(ImVec2(display.x - width - 8.0f, 8.0f), ImGuiCond_Appearing);
    ImGui::SetNextWindowSize(ImVec2(width, std::max(display.y - 16.0f, 100.0f)),
                             ImGuiCond_Appearing);
    if (ImGui::Begin("Emberwight settings (Tab)")) {
        ImGui::PushItemWidth(-150.0f);
        performance(engine, timer);
        tuning(engine);
        switches(engine);
        files(engine);
        ImGui::PopItemWidth();
    }
    ImGui::End();

    ImGui::Render();
    backend.renderPanel(ImGui::GetDrawData());
}

void SettingsPanel::performance(Engine& engine, const GpuPassTimer& timer) {
    ImGui::SetNextItemOpen(true, ImGuiCond_Once);
    if (!ImGui::CollapsingHeader("Performance")) return;
    const std::vector<float> frames = history_.milliseconds();
    ImGui::Text("%.1f frames a second, %.2f ms a frame", history_.rate(),
                frames.empty() ? 0.0 : static_cast<double>(frames.back()));

    // The last ten seconds, with the 60 and 30 frames-a-second lines.
    const float top = std::max(40.0f, history_.peak() * 1.1f);
    ImGui::PlotLines("##frames", frames.data(), static_cast<int>(frames.size()), 0,
                     "frame time, last 10 s", 0.0f, top,
                     ImVec2(ImGui::GetContentRegionAvail().x, 80.0f));
    const ImVec2 low = ImGui::GetItemRectMin(), high = ImGui::GetItemRectMax();
    ImDrawList* lines = ImGui::GetWindowDrawList();
    // The labels sit at either end, so that they stay apart on a slow machine
    // whose frames squeeze the two lines together.
    const ImU32 amber = IM_COL32(255, 200, 80, 180);
    const float sixty = high.y - (high.y - low.y) * (1000.0f / 60.0f) / top;
    const float thirty = high.y - (high.y - low.y) * (1000.0f / 30.0f) / top;
    lines->AddLine(ImVec2(low.x, sixty), ImVec2(high.x, sixty), amber);
    lines->AddLine(ImVec2(low.x, thirty), ImVec2(high.x, thirty), amber);
    lines->AddText(ImVec2(low.x + 2.0f, sixty - 13.0f), amber, "60 fps");
    lines->AddText(ImVec2(high.x - ImGui::CalcTextSize("30 fps").x - 2.0f, thirty - 13.0f), amber,
                   "30 fps");

    // The render scale in use: set by hand, or picked to hold the target
    // (which goes on from a scale set by hand).
    RenderScale& scale = engine.render->scale;
    int target = scale.target();
    if (ImGui::SliderInt("target fps", &target, 0, 120, target == 0 ? "off" : "%d",
                         ImGuiSliderFlags_AlwaysClamp)) {
        scale.setTarget(target);
    }
    float chosen = scale.scale();
    if (ImGui::SliderFloat("render scale", &chosen, renderscale::kMin, renderscale::kMax, "%.2f",
                           ImGuiSliderFlags_AlwaysClamp)) {
        scale.setScale(chosen);
    }
    ImGui::Checkbox("particles at half size", &engine.render->offscreenParticles.enabled);
    ImGui::SameLine();
    ImGui::Checkbox("soft", &engine.render->softParticles);
    // The anti-aliasing that runs (the Picture section's choice, or the
    // renderer's own), on the checkbox's line: the panel keeps its height.
    ImGui::SameLine();
    ImGui::Text("  antialias %s", antialias::nameOf(engine.render->antialias));

    // GPU time of each pass, a few frames back.
    if (!timer.supported()) {
        ImGui::TextUnformatted("No GPU times: this driver has no timer queries");
    } else {
        passTimes(timer);
    }

    // Particles alive per kind: the systems come in bundles of the four kinds.
    int alive[kParticleKinds] = {};
    const RenderBackend& backend = *engine.render->backend;
    for (size_t i = 0; i < engine.scene->particleSystems.size(); ++i) {
        alive[i % kParticleKinds] += backend.particlesAlive(i);
    }
    // Two lines, so that the panel's sections below stay in a small window.
    ImGui::Text("Objects drawn: %d, particles: %d sparks,", engine.objectsDrawn, alive[0]);
    ImGui::Text("  %d smoke, %d large and %d small flames", alive[1], alive[2], alive[3]);
}

void SettingsPanel::passTimes(const GpuPassTimer& timer) {
    double total = 0.0;
    for (double ms : timer.latest()) total += std::max(ms, 0.0);
    if (ImGui::BeginTable("passes", 3, ImGuiTableFlags_RowBg | ImGuiTableFlags_SizingStretchProp)) {
        ImGui::TableSetupColumn("GPU pass");
        ImGui::TableSetupColumn("ms");
        ImGui::TableSetupColumn("share");
        ImGui::TableHeadersRow();
        for (int i = 0; i < GpuPassTimer::kPassCount; ++i) {
            const double ms = std::max(timer.latest()[static_cast<size_t>(i)], 0.0);
            ImGui::TableNextRow();
            ImGui::TableNextColumn();
            ImGui::TextUnformatted(GpuPassTimer::kPassNames[i]);
            ImGui::TableNextColumn();
            ImGui::Text("%.2f", ms);
            ImGui::TableNextColumn();
            ImGui::Text("%.0f %%", total > 0.0 ? 100.0 * ms / total : 0.0);
        }
        ImGui::TableNextRow();
        ImGui::TableNextColumn();
        ImGui::TextUnformatted("all passes");
        ImGui::TableNextColumn();
        ImGui::Text("%.2f", total);
        ImGui::EndTable();
    }
}

void SettingsPanel::tuning(Engine& engine) {
    std::string openPrefix;
    bool prefixShown = false;
    for (const std::string& name : settings::groups()) {
        const size_t dot = name.find('.');
        if (dot == std::string::npos) {
            if (!openPrefix.empty() && prefixShown) ImGui::Unindent();
            openPrefix.clear();
            if (!ImGui::CollapsingHeader(words(name, true).c_str())) continue;
            if (name == "glow" && !engine.render->glowEnabled) ImGui::TextDisabled("The glow is off (G).");
            group(name, engine.scene->settings);
            continue;
        }
        // "particles.smoke": a header for "particles", a tree node for each kind.
        const std::string prefix = name.substr(0, dot);
        if (prefix != openPrefix) {
            openPrefix = prefix;
            prefixShown = ImGui::CollapsingHeader(words(prefix, true).c_str());
            if (prefixShown) ImGui::Indent();
        }
        if (!prefixShown) continue;
        if (ImGui::TreeNode(words(name.substr(dot + 1), true).c_str())) {
            group(name, engine.scene->settings);
            ImGui::TreePop();
        }
    }
    if (!openPrefix.empty() && prefixShown) ImGui::Unindent();
}

void SettingsPanel::switches(Engine& engine) {
    if (!ImGui::CollapsingHeader("Switches")) return;
    auto label = [](const keys::Key& key) { return std::string(key.name) + " " + key.label; };
    // The panel's keys, each as its key would switch it: the flags first.
    for (const keys::Key& key : keys::all()) {
        const bool* flag = keys::flagOf(key, engine);
        if (key.panel != keys::Panel::Control || flag == nullptr) continue;
        bool on = *flag;
        if (ImGui::Checkbox(label(key).c_str(), &on)) press(key, engine);
    }
    // The cycling keys: pressed until they reach the choice.
    for (const keys::Key& key : keys::all()) {
        if (key.panel != keys::Panel::Control || !key.mode) continue;
        int choice = engine.*key.mode;
        if (ImGui::Combo(label(key).c_str(), &choice, key.choices)) {
            while (engine.*key.mode != choice) press(key, engine);
        }
    }
    // F11: the surface's state, not the engine's.
    for (const keys::Key& key : keys::all()) {
        if (key.panel != keys::Panel::Control || key.kind != keys::Kind::FullScreen) continue;
        bool full = engine.surface->fullScreen();
        if (ImGui::Checkbox(label(key).c_str(), &full)) {
            engine.surface->setFullScreen(full);
            engine.showStatus(key.states[engine.surface->fullScreen()]);
        }
    }
}

void SettingsPanel::files(Engine& engine) {
    // A file picked in a browser arrives frames after its Load.
    if (platform::pickedFileArrived()) load(engine);
    if (!ImGui::CollapsingHeader("Settings file")) return;
    ImGui::InputText("file", path_, sizeof path_);
    if (ImGui::Button("Save")) {
        // Only what differs from the defaults, so the file says what was tuned.
        std::string error;
        fileFailed_ = !settings::save(path_, engine.scene->settings, Settings(), error);
        if (fileFailed_) {
            fileMessage_ = error;
        } else {
            fileMessage_ = platform::offerDownload(path_) ? "Offered as a download: " + std::string(path_)
                                                          : "Saved to " + fullPath(path_);
        }
        std::printf("%s\n", fileMessage_.c_str());
    }
    ImGui::SameLine();
    if (ImGui::Button("Load")) {
        if (platform::pickFile(path_)) {
            fileFailed_ = false;
            fileMessage_ = "Choose a settings file to load";
        } else {
            load(engine);
        }
    }
    ImGui::SameLine();
    if (ImGui::Button("Reset all")) engine.scene->settings = Settings();
    if (!fileMessage_.empty()) {
        const ImVec4 colour = fileFailed_ ? ImVec4(1.0f, 0.45f, 0.4f, 1.0f)
                                          : ImVec4(0.6f, 0.9f, 0.6f, 1.0f);
        ImGui::PushTextWrapPos(0.0f);
        ImGui::TextColored(colour, "%s", fileMessage_.c_str());
        ImGui::PopTextWrapPos();
    }
}

// All or nothing: a bad file leaves every value as it was.
void SettingsPanel::load(Engine& engine) {
    std::string error;
    fileFailed_ = !settings::load(path_, engine.scene->settings, error);
    fileMessage_ = fileFailed_ ? error : "Loaded " + fullPath(path_);
    std::printf("%s\n", fileMessage_.c_str());
}

// --- Engine operations ------------------------------------------------------

void Engine::drawPanel(double elapsed) {
    if (!game->session.panelOpen) return;
    std::unique_ptr<SettingsPanel>& panel = game->session.panel;
    if (!panel) {
        uiContext();  // made the first time
        panel = std::make_unique<SettingsPanel>(*surface);
    }
    panel->draw(*this, render->timer, elapsed);
}

void Engine::followPanel() {
    Session& session = game->session;
    if (session.panelOpen != session.cursorFree) {
        session.cursorFree = session.panelOpen;
        if (session.cursorFree) {
            surface->releaseCursor();
        } else {
            surface->captureCursor();
            if (session.panel) session.panel->closed();
        }
    }
    // The benchmark times every frame itself; otherwise the passes are timed
    // while the panel shows them.
    GpuPassTimer& timer = render->timer;
    if (!timer.everyFrame) timer.active = session.panelOpen && timer.supported();
}

bool Engine::panelTyping() const {
    const Session& session = game->session;
    return session.panelOpen && session.panel && session.panel->typing();
}
