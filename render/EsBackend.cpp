#include "render/EsBackend.h"

#include "app/OverlayText.h"
#include "render/ImGuiOpenGLES3.h"

Capabilities EsBackend::capabilities() const {
    Capabilities can;
    can.drawsLines = false;
    can.floatTargets = driverLists("GL_EXT_color_buffer_float");
    // Its queries take the desktop's GL_TIME_ELAPSED through the same calls.
    can.timesPasses = driverLists("GL_EXT_disjoint_timer_query");
    can.copiesCubeImages = false;
    can.textThroughImGui = true;  // freeglut draws for desktop GL alone
    askSamplesAndRenderer(can);
    return can;
}

GLuint64 EsBackend::elapsedNanoseconds(GLuint query) const {
    GLuint64 nanoseconds = 0;
    glGetQueryObjectui64vEXT(query, GL_QUERY_RESULT, &nanoseconds);
    return nanoseconds;
}

// The programs with geometry stages, without them.
std::vector<ProgramFiles> EsBackend::ownPrograms() const {
    return {
        {"shadowOmni", "ShadowMapOmniES.vert", nullptr, "ShadowMapOmniES.frag",
         graph::Stages::Two},
        {"ps_update", "PSUpdateES.vert", nullptr, "PSUpdateES.frag", graph::Stages::VertexCapture},
        {"ps_render", "PSRenderES.vert", nullptr, "PSRenderES.frag", graph::Stages::Two},
    };
}

void EsBackend::setUpParticles(const std::vector<ParticleSystem*>& systems,
                               graph::ProgramTable& shaders) {
    rings_.clear();
    for (ParticleSystem* system : systems) {
        rings_.push_back(std::make_unique<ParticleRing>(*system));
        rings_.back()->initialize(shaders["ps_update"].get(), shaders["ps_render"].get());
    }
}

void EsBackend::releaseParticles() { rings_.clear(); }

void EsBackend::advanceParticles(size_t system, float seconds) { rings_[system]->advance(seconds); }

void EsBackend::drawParticles(size_t system) { rings_[system]->render(); }

// The rings' counts arrive as they advance, from read-backs started here
// once every system is drawn (the first call of a frame); never a wait.
int EsBackend::readParticleCount(size_t system, bool shown, bool& pending, bool& waited) {
    // The pools draw every slot: the counts are the counter's alone, and a
    // browser's read-back costs it a trip to its GPU process.
    if (system == 0 && shown) {
        std::vector<ParticleRing*> rings;
        for (const auto& ring : rings_) rings.push_back(ring.get());
        ParticleRing::countAll(rings);
    }
    pending = false;
    waited = false;
    return rings_[system]->alive();
}

int EsBackend::particlesAlive(size_t system) const {
    return system < rings_.size() ? rings_[system]->alive() : 0;  // 0: not set up
}

long long EsBackend::particleBufferBytes() const {
    long long bytes = 0;
    for (const auto& ring : rings_) bytes += ring->bufferBytes();
    return bytes;
}

void EsBackend::drawText(const std::vector<overlay::Piece>& pieces, unsigned width,
                         unsigned height) {
    overlay::drawImGuiText(pieces, width, height, *this);
}

void EsBackend::startPanelRenderer() { ImGui_ImplOpenGLES3_Init("#version 300 es"); }

void EsBackend::newPanelFrame() { ImGui_ImplOpenGLES3_NewFrame(); }

void EsBackend::renderPanel(ImDrawData* drawData) {
    ImGui_ImplOpenGLES3_RenderDrawData(drawData);
}

void EsBackend::stopPanelRenderer() { ImGui_ImplOpenGLES3_Shutdown(); }

// --- Shadow cube

// The desktop's unsized depth is 24 bits on the drivers measured; ES takes
// only sized formats, each with its own type.
void EsBackend::allocateShadowDepth(GLenum target, GLint, GLsizei width, GLsizei height) const {
    glTexImage2D(target, 0, GL_DEPTH_COMPONENT24, width, height, 0, GL_DEPTH_COMPONENT,
                 GL_UNSIGNED_INT, nullptr);
}

// No border colour in ES 3.0 or WebGL 2: a lookup beyond the map takes its
// edge texel. The frame never draws the sun map and no program reads it.
void EsBackend::setShadowMapEdge() const {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

// No layered attachment: the cube's framebuffer holds its first face, and
// the cube is drawn through a framebuffer per face (drawShadowCube).
void EsBackend::attachShadowCube(GLuint cube) const {
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_CUBE_MAP_POSITIVE_X,
                           cube, 0);
}

// Six passes, the faces outermost: every caster into one face before the
// next, so that the framebuffer changes six times (a software renderer
// flushes at each change).
void EsBackend::drawShadowCube(GLuint, const GLuint faces[6], GLbitfield clear,
                               const std::function<void(int, GLuint)>& draw) const {
    if (clear != 0) glClearDepthf(1.0f);
    for (int face = 0; face < 6; ++face) {
        glBindFramebuffer(GL_FRAMEBUFFER, faces[face]);
        if (clear != 0) glClear(clear);
        draw(face, faces[face]);
    }
}
