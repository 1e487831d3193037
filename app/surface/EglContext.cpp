#include "app/surface/EglContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdio>
#include <cstring>

namespace egl {

DeviceChoice chooseEglDevice(const std::vector<DeviceInfo>& devices, int requested,
                             bool surfacelessOffered) {
    DeviceChoice choice;
    const int count = static_cast<int>(devices.size());
    if (requested >= 0) {
        if (requested < count) {
            choice.order.push_back(requested);
        } else {
            choice.error = "no EGL device " + std::to_string(requested) +
                           "; the devices here: " + describeDevices(devices);
        }
        return choice;
    }
    for (const bool software : {false, true}) {
        for (int i = 0; i < count; ++i) {
            if (devices[i].software == software) choice.order.push_back(i);
        }
    }
    if (surfacelessOffered) choice.order.push_back(-1);
    if (choice.order.empty()) choice.error = "EGL offers no device and no surfaceless platform";
    return choice;
}

std::string describeDevices(const std::vector<DeviceInfo>& devices) {
    if (devices.empty()) return "none";
    std::string text;
    for (size_t i = 0; i < devices.size(); ++i) {
        if (i > 0) text += ", ";
        text += std::to_string(i) + (devices[i].software ? " (software" : " (hardware");
        if (!devices[i].name.empty()) text += ", " + devices[i].name;
        text += ")";
    }
    return text;
}

namespace {

// Whole words of a space-separated extension list.
bool hasExtension(const char* list, const char* name) {
    if (list == nullptr) return false;
    const size_t length = std::strlen(name);
    for (const char* at = list; (at = std::strstr(at, name)) != nullptr; at += length) {
        const bool starts = at == list || at[-1] == ' ';
        const bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

template <typename Function>
Function entryPoint(const char* name) {
    return reinterpret_cast<Function>(eglGetProcAddress(name));
}

std::string lastError() {
    char text[32];
    std::snprintf(text, sizeof text, "EGL error 0x%04X", static_cast<unsigned>(eglGetError()));
    return text;
}

struct DeviceList {
    std::vector<EGLDeviceEXT> handles;
    std::vector<DeviceInfo> info;
};

DeviceList listDevices(const char* clientExtensions) {
    DeviceList list;
    const bool enumeration = hasExtension(clientExtensions, "EGL_EXT_device_enumeration") ||
                             hasExtension(clientExtensions, "EGL_EXT_device_base");
    if (!enumeration || !hasExtension(clientExtensions, "EGL_EXT_platform_device")) return list;
    const auto queryDevices = entryPoint<PFNEGLQUERYDEVICESEXTPROC>("eglQueryDevicesEXT");
    const auto queryString = entryPoint<PFNEGLQUERYDEVICESTRINGEXTPROC>("eglQueryDeviceStringEXT");
    EGLint count = 0;
    if (queryDevices == nullptr || queryString == nullptr || !queryDevices(0, nullptr, &count) ||
        count <= 0) {
        return list;
    }
    list.handles.resize(static_cast<size_t>(count));
    if (!queryDevices(count, list.handles.data(), &count)) count = 0;
    list.handles.resize(static_cast<size_t>(count));
    for (EGLDeviceEXT device : list.handles) {
        const char* extensions = queryString(device, EGL_EXTENSIONS);
        DeviceInfo info;
        info.software = hasExtension(extensions, "EGL_MESA_device_software");
        const char* renderer = hasExtension(extensions, "EGL_EXT_device_query_name")
                                   ? queryString(device, EGL_RENDERER_EXT)
                                   : nullptr;
        const char* file = hasExtension(extensions, "EGL_EXT_device_drm_render_node")
                               ? queryString(device, EGL_DRM_RENDER_NODE_FILE_EXT)
                           : hasExtension(extensions, "EGL_EXT_device_drm")
                               ? queryString(device, EGL_DRM_DEVICE_FILE_EXT)
                               : nullptr;
        if (renderer != nullptr) info.name = renderer;
        if (file != nullptr) info.name += (info.name.empty() ? "" : ", ") + std::string(file);
        list.info.push_back(info);
    }
    return list;
}

// Makes a context current on `display`; returns why not, or an empty string.
std::string openContext(EGLDisplay display, const std::string& where, bool debug, bool es) {
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
        return "cannot open " + where + " (" + lastError() + ")";
    }
    const char* const api = es ? "OpenGL ES" : "desktop OpenGL";
    // No window means no surface: the context is made current without one and
    // renders into a framebuffer object.
    const char* extensions = eglQueryString(display, EGL_EXTENSIONS);
    if (!hasExtension(extensions, "EGL_KHR_create_context") ||
        !hasExtension(extensions, "EGL_KHR_surfaceless_context")) {
        eglTerminate(display);
        return where + " cannot make " + (es ? "an " : "a ") + api + " context without a surface";
    }
    if (!eglBindAPI(es ? EGL_OPENGL_ES_API : EGL_OPENGL_API)) {
        eglTerminate(display);
        return where + " offers no " + api + " (" + lastError() + ")";
    }
    EGLConfig config = EGL_NO_CONFIG_KHR;
    if (!hasExtension(extensions, "EGL_KHR_no_config_context")) {
        const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                 es ? EGL_OPENGL_ES3_BIT_KHR : EGL_OPENGL_BIT, EGL_NONE};
        EGLint found = 0;
        if (!eglChooseConfig(display, wanted, &config, 1, &found) || found < 1) {
            eglTerminate(display);
            return where + " has no " + api + " configuration";
        }
    }
    // What the window asks GLFW for: OpenGL 3.0 or later, any profile, or
    // OpenGL ES 3.0 or later.
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION_KHR, 3,
                                 EGL_CONTEXT_MINOR_VERSION_KHR, 0,
                                 EGL_CONTEXT_FLAGS_KHR,
                                 debug ? EGL_CONTEXT_OPENGL_DEBUG_BIT_KHR : 0,
                                 EGL_NONE};
    const EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT ||
        !eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        const std::string reason = lastError();
        eglTerminate(display);
        return std::string("cannot make an ") + (es ? "OpenGL ES 3" : "OpenGL 3") +
               " context on " + where + " (" + reason + ")";
    }
    return "";
}

}  // namespace

std::string makeContextCurrent(int requestedDevice, bool debug, bool es, std::string& error) {
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (clientExtensions == nullptr) eglGetError();  // EGL 1.4 without client extensions
    const auto getPlatformDisplay =
        entryPoint<PFNEGLGETPLATFORMDISPLAYEXTPROC>("eglGetPlatformDisplayEXT");
    if (!hasExtension(clientExtensions, "EGL_EXT_platform_base") || getPlatformDisplay == nullptr) {
        error = "no EGL driver offers platform displays (EGL_EXT_platform_base): is Mesa's "
                "libegl-mesa0 or a GPU driver's EGL installed?";
        return "";
    }
    const DeviceList devices = listDevices(clientExtensions);
    const DeviceChoice choice =
        chooseEglDevice(devices.info, requestedDevice,
                        hasExtension(clientExtensions, "EGL_MESA_platform_surfaceless"));
    if (!choice.error.empty()) {
        error = choice.error;
        return "";
    }

    // A device that is listed may still fail to open (a GPU whose driver is
    // not installed, say): then the next best is taken, and the console says so.
    for (const int index : choice.order) {
        std::string where = "the EGL surfaceless platform";
        EGLDisplay display = EGL_NO_DISPLAY;
        if (index >= 0) {
            where = "EGL device " + std::to_string(index) + " of " +
                    std::to_string(devices.info.size()) + " (" +
                    (devices.info[index].software ? "software" : "hardware");
            const std::string& name = devices.info[index].name;
            where += (name.empty() ? "" : ", " + name) + ")";
            display = getPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, devices.handles[index], nullptr);
        } else {
            display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        }
        const std::string failure = openContext(display, where, debug, es);
        if (failure.empty()) return where;
        if (index != choice.order.back()) std::printf("EGL: %s; trying the next\n", failure.c_str());
        error += (error.empty() ? "" : "; ") + failure;
    }
    error += "; the devices here: " + describeDevices(devices.info);
    return "";
}

void releaseCurrentContext() {
    const EGLDisplay display = eglGetCurrentDisplay();
    if (display == EGL_NO_DISPLAY) return;
    const EGLContext context = eglGetCurrentContext();
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, context);
    eglTerminate(display);
}

}  // namespace egl
