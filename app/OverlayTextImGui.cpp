// The overlay's text on OpenGL ES: Dear ImGui's font in one draw list of its
// own, drawn by the panel's renderer without an ImGui frame, so that the text
// neither waits for the panel nor takes its input or its clock.
#include "app/OverlayText.h"

#include <imgui.h>

#include <cmath>
#include <string>

#include "render/RenderBackend.h"

namespace overlay {

namespace {

// freeglut's Helvetica 18: 18 pixels high, lines 23 pixels apart.
constexpr float kTextSize = 18.0f;
constexpr float kLineAdvance = 23.0f;

// Where a piece's first line box starts, in pixels from the framebuffer's top
// left, for a font whose ascent at the text's size is `ascent` pixels.
ImVec2 textTopLeft(const Piece& piece, unsigned width, unsigned height, float ascent) {
    // The raster position's pixel, from the top left, is where the baseline starts.
    const float x = (piece.x + 1.0f) * 0.5f * static_cast<float>(width);
    const float baseline = (1.0f - piece.y) * 0.5f * static_cast<float>(height);
    // Whole pixels, as the bitmap font lands, so that the glyphs stay sharp.
    return {std::floor(x + 0.5f), std::floor(baseline - ascent + 0.5f)};
}

}  // namespace

void drawImGuiText(const std::vector<Piece>& pieces, unsigned width, unsigned height,
                   RenderBackend& backend) {
    if (pieces.empty() || width == 0 || height == 0) return;
    backend.newPanelFrame();  // the font's texture, the first time
    ImFontAtlas& atlas = *ImGui::GetIO().Fonts;
    const ImFont* font = atlas.Fonts[0];
    const float ascent = font->Ascent * kTextSize / font->FontSize;

    ImDrawList list(ImGui::GetDrawListSharedData());
    list._ResetForNewFrame();
    list.PushClipRect(ImVec2(0.0f, 0.0f),
                      ImVec2(static_cast<float>(width), static_cast<float>(height)));
    list.PushTextureID(atlas.TexID);
    for (const Piece& piece : pieces) {
        const ImVec2 at = textTopLeft(piece, width, height, ascent);
        // Line by line at freeglut's spacing, as glutBitmapString moves down.
        const std::string& text = piece.text;
        float top = at.y;
        for (size_t start = 0; start <= text.size(); top += kLineAdvance) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            if (end > start) {
                list.AddText(font, kTextSize, ImVec2(at.x, top), IM_COL32_WHITE,
                             text.data() + start, text.data() + end);
            }
            start = end + 1;
        }
    }
    list.PopTextureID();
    list.PopClipRect();
    list._PopUnusedDrawCmd();
    if (list.CmdBuffer.Size == 0) return;  // nothing but empty pieces

    ImDrawList* lists[] = {&list};
    ImDrawData frame;
    frame.Valid = true;
    frame.CmdLists = lists;
    frame.CmdListsCount = 1;
    frame.TotalVtxCount = list.VtxBuffer.Size;
    frame.TotalIdxCount = list.IdxBuffer.Size;
    frame.DisplayPos = ImVec2(0.0f, 0.0f);
    frame.DisplaySize = ImVec2(static_cast<float>(width), static_cast<float>(height));
    frame.FramebufferScale = ImVec2(1.0f, 1.0f);
    backend.renderPanel(&frame);
}

}  // namespace overlay
