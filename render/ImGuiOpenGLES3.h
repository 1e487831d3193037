#pragma once
// Dear ImGui's OpenGL renderer built a second time, for OpenGL ES 3.0 (and the
// browser's WebGL 2): its own ES 3 path, with "#version 300 es" programs, no
// polygon mode and no primitive restart. The same functions as
// ImGui_ImplOpenGL3_*, under their own names, so that both builds link into one
// program; render/ImGuiOpenGLES3.cpp compiles it.
#include <imgui.h>

IMGUI_IMPL_API bool ImGui_ImplOpenGLES3_Init(const char* glslVersion = nullptr);
IMGUI_IMPL_API void ImGui_ImplOpenGLES3_Shutdown();
IMGUI_IMPL_API void ImGui_ImplOpenGLES3_NewFrame();
IMGUI_IMPL_API void ImGui_ImplOpenGLES3_RenderDrawData(ImDrawData* drawData);
