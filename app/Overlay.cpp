#include "app/Overlay.h"

#include <cstdio>

#include "app/Engine.h"
#include "app/Keys.h"
#include "render/RenderState.h"

namespace overlay {

// The lines above the keys', then the help line of each key that has one.
std::string helpFor(const std::string& lookLine, bool escapeQuits) {
    std::string text = "Emberwight - Help:\n"
                       "\n"
                       "Controls:\n" +
                       lookLine + "\nUse WASD to move.\n";
    for (const keys::Key& key : keys::all()) {
        if (key.kind == keys::Kind::Quit && !escapeQuits) continue;
        if (key.help) text += std::string("\n") + key.help;
    }
    return text;
}

const std::string helpText = helpFor("Move the mouse to look around.", true);

std::string frameTimeLine(float frameTime, float renderScale, const char* antialias) {
    const float milliseconds = frameTime * 1000.0f;
    const float rate = 1.0f / frameTime;
    char text[96];
    std::snprintf(text, sizeof text, "Frametime: %6.4f ms - FPS: %4.0f",
                  static_cast<double>(milliseconds), static_cast<double>(rate));
    std::string line = text;
    if (renderScale < 1.0f) {
        std::snprintf(text, sizeof text, " - scale %.2f", static_cast<double>(renderScale));
        line += text;
    }
    if (antialias != nullptr) line += std::string(" - antialias ") + antialias;
    return line;
}

std::string objectCountLine(int objectsDrawn) {
    char text[48];
    std::snprintf(text, sizeof text, "Number of Objects: %d", objectsDrawn);
    return text;
}

std::string particleCountLine(int particlesCounted) {
    char text[48];
    std::snprintf(text, sizeof text, "Number of Particles: %d", particlesCounted);
    return text;
}

float rowY(float yAt768, unsigned height) {
    if (height == 0) return yAt768;
    const double pixelsFromTop = (1.0 - static_cast<double>(yAt768)) * 384.0;
    return static_cast<float>(1.0 - 2.0 * pixelsFromTop / static_cast<double>(height));
}

std::vector<Piece> pieces(const Engine& engine) {
    std::vector<Piece> list;
    auto add = [&list, &engine](float x, float y, std::string text, bool echoed) {
        Piece piece;
        piece.x = x;
        piece.y = rowY(y, engine.height);
        piece.text = std::move(text);
        piece.echoed = echoed;
        list.push_back(std::move(piece));
    };
    add(-0.98f, 0.93f, engine.statusText, true);  // drawn even when empty
    if (engine.showHelp) {
        const Surface* surface = engine.surface.get();
        add(-0.98f, 0.85f,
            surface != nullptr ? helpFor(surface->lookHelp(), surface->escapeQuits()) : helpText,
            true);
    }
    if (engine.showFrameTime) {
        const RenderState* render = engine.render;
        add(0.2f, 0.93f,
            render != nullptr
                ? frameTimeLine(engine.frameTime, render->scale.scale(),
                                antialias::nameOf(render->antialias))
                : frameTimeLine(engine.frameTime),
            true);
    }
    if (engine.showObjectCount) add(0.2f, 0.87f, objectCountLine(engine.objectsDrawn), false);
    if (engine.showParticleCount) {
        add(0.2f, 0.81f, particleCountLine(engine.particlesCounted), false);
    }
    return list;
}

}  // namespace overlay

void Engine::drawOverlay() {
    const std::vector<overlay::Piece> list = overlay::pieces(*this);
    // The back end's text: freeglut's on the desktop, Dear ImGui's on ES.
    if (surface->drawsText()) {
        RenderBackend& backend = *render->backend;
        // Over the display, whatever the last pass drew into: nothing tested,
        // blended or culled, filled.
        glBindFramebuffer(GL_FRAMEBUFFER, displayFramebuffer());
        backend.setState(PassState::screen(static_cast<int>(width), static_cast<int>(height)));
        if (render->caps.textThroughImGui) uiContext();  // made the first time
        backend.drawText(list, width, height);
    }
    for (const overlay::Piece& piece : list) {
        if (echoStatus && piece.echoed) std::printf("%s\n", piece.text.c_str());
    }
    echoStatus = false;
}
