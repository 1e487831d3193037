#pragma once
// Headless runs: a desktop OpenGL or OpenGL ES context from EGL, with no window system and
// no display. The only place that talks to EGL.

#include <string>
#include <vector>

namespace egl {

// What the choice of a device needs to know about one EGL device.
struct DeviceInfo {
    std::string name;       // for messages: its renderer or device file, or empty
    bool software = false;  // a software rasteriser (Mesa marks it EGL_MESA_device_software)
};

// The devices to try, best first: indices into the list, -1 for Mesa's
// surfaceless platform; `error` set when there is nothing to try.
struct DeviceChoice {
    std::vector<int> order;
    std::string error;
};

// Pure. `requested` < 0: every device that is not a software one, in list
// order, then the software ones, then the surfaceless platform where it is
// offered. `requested` >= 0 must name a listed device, which alone is tried.
DeviceChoice chooseEglDevice(const std::vector<DeviceInfo>& devices, int requested,
                             bool surfacelessOffered);

// "0 (hardware, /dev/dri/renderD128), 1 (software)", or "none".
std::string describeDevices(const std::vector<DeviceInfo>& devices);

// Makes a desktop OpenGL context (OpenGL ES 3.0 with `es`) current, with no
// surface, on the first device of chooseEglDevice's order that gives one: the
// version and profile a window asks for, with debug output when `debug`. Returns what it runs on ("EGL
// device 0 of 1 (software)"), or an empty string and the reasons in `error`.
std::string makeContextCurrent(int requestedDevice, bool debug, bool es, std::string& error);

// Releases the context current on this thread and terminates its display.
void releaseCurrentContext();

}  // namespace egl
