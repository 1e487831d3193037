#include "app/UiContext.h"

// GLEW must come before any other GL header.
#include "app/Game.h"

#include <imgui.h>

#include "render/RenderState.h"

UiContext::UiContext(RenderBackend& backend, float scale) : backend_(backend) {
    IMGUI_CHECKVERSION();
    context_ = ImGui::CreateContext();
    ImGui::SetCurrentContext(context_);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // no imgui.ini left behind in the working folder
    io.LogFilename = nullptr;
    ImGui::StyleColorsDark();
    ImGui::GetStyle().Colors[ImGuiCol_WindowBg].w = 0.85f;
    if (scale > 1.0f) {
        ImGui::GetStyle().ScaleAllSizes(scale);
        io.FontGlobalScale = scale;
    }
    backend_.startPanelRenderer();
}

UiContext::~UiContext() {
    backend_.stopPanelRenderer();
    ImGui::DestroyContext(context_);
}

void UiContext::stopRenderer() {
    ImGui::SetCurrentContext(context_);
    backend_.stopPanelRenderer();
}

void UiContext::startRenderer() {
    ImGui::SetCurrentContext(context_);
    backend_.startPanelRenderer();
}

// --- Engine operations ------------------------------------------------------

UiContext& Engine::uiContext() {
    std::unique_ptr<UiContext>& ui = game->session.ui;
    if (!ui) ui = std::make_unique<UiContext>(*render->backend, surface->uiScale());
    return *ui;
}
