// Dear ImGui's imgui_impl_opengl3.cpp, as it ships, compiled for OpenGL ES 3
// (IMGUI_IMPL_OPENGL_ES3) under the names of render/ImGuiOpenGLES3.h. Its
// functions with external linkage and its data record are renamed here; the
// rest of it is static to this file.
//
// For ES 3 the library includes <GLES3/gl3.h>. Here that is
// render/glew-as-gles3/GLES3/gl3.h, whose folder CMakeLists.txt puts first
// for this file: the calls go through GLEW, like every other GL call of the
// program. A browser build (Emscripten) leaves the folder out and gets the
// compiler's own header.
#define IMGUI_IMPL_OPENGL_ES3
#define ImGui_ImplOpenGL3_Data ImGui_ImplOpenGLES3_Data
#define ImGui_ImplOpenGL3_Init ImGui_ImplOpenGLES3_Init
#define ImGui_ImplOpenGL3_Shutdown ImGui_ImplOpenGLES3_Shutdown
#define ImGui_ImplOpenGL3_NewFrame ImGui_ImplOpenGLES3_NewFrame
#define ImGui_ImplOpenGL3_RenderDrawData ImGui_ImplOpenGLES3_RenderDrawData
#define ImGui_ImplOpenGL3_CreateFontsTexture ImGui_ImplOpenGLES3_CreateFontsTexture
#define ImGui_ImplOpenGL3_DestroyFontsTexture ImGui_ImplOpenGLES3_DestroyFontsTexture
#define ImGui_ImplOpenGL3_CreateDeviceObjects ImGui_ImplOpenGLES3_CreateDeviceObjects
#define ImGui_ImplOpenGL3_DestroyDeviceObjects ImGui_ImplOpenGLES3_DestroyDeviceObjects

// From the folder of the back ends' sources (CMakeLists.txt).
#include <imgui_impl_opengl3.cpp>
