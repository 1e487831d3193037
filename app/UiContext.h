#pragma once
// Dear ImGui's one context, which the settings panel and the overlay's text on
// OpenGL ES share, with the renderer back end's ImGui renderer started in it.
// Made the first time either needs it (Engine::uiContext), it lives to the
// end of the run; the panel starts the surface's input itself.

struct ImGuiContext;
class RenderBackend;

class UiContext {
public:
    // Makes the context current on the current GL context and starts
    // `backend`'s renderer; `backend` outlives it.
    // `scale`: the surface's uiScale, so that the panel reads at the same size
    // on a phone's dense display as on a desktop's.
    explicit UiContext(RenderBackend& backend, float scale = 1.0f);
    ~UiContext();
    UiContext(const UiContext&) = delete;
    UiContext& operator=(const UiContext&) = delete;

    // The renderer's GL objects (its programs, buffers and font texture)
    // deleted and made again around a lost context; the context itself, the
    // panel's state and its input stay.
    void stopRenderer();
    void startRenderer();

private:
    RenderBackend& backend_;
    ImGuiContext* context_ = nullptr;
};
