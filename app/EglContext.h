#pragma once
// Headless runs: a desktop OpenGL context from EGL, with no window system and
// no display. The only place that talks to EGL.

#include <string>
#include <vector>

namespace egl {

// What the choice of a device needs to know about one EGL device.
struct DeviceInfo {
    std::string name;       // for messages: its renderer or device file, or empty
    bool software = false;  // a software rasteriser (Mesa marks it EGL_MESA_device_software)
};

// Which device to render on: an index into the list, or Mesa's surfaceless
// platform (index -1); `error` set when there is nothing to take.
struct DeviceChoice {
    int index = -1;
    std::string error;
};

// Pure. `requested` < 0: the first device that is not a software one, else
// the first software one, else the surfaceless platform where it is offered.
// `requested` >= 0 must name a listed device.
DeviceChoice chooseEglDevice(const std::vector<DeviceInfo>& devices, int requested,
                             bool surfacelessOffered);

// "0 (hardware, /dev/dri/renderD128), 1 (software)", or "none".
std::string describeDevices(const std::vector<DeviceInfo>& devices);

// Makes a desktop OpenGL context current on the chosen device (see
// chooseEglDevice) with no surface: the version and profile a window asks for,
// with debug output when `debug`. Returns what it runs on ("EGL device 0 of 1
// (software)"), or an empty string and the reason in `error`.
std::string makeContextCurrent(int requestedDevice, bool debug, std::string& error);

// Whether an EGL context is current on this thread (GL objects may be deleted).
bool contextCurrent();

}  // namespace egl
