#include <gtest/gtest.h>

#include "app/surface/EglContext.h"

namespace {

const egl::DeviceInfo kSoftware{"", true};
const egl::DeviceInfo kGpu{"NVIDIA H100, /dev/dri/renderD128", false};
const egl::DeviceInfo kSecondGpu{"/dev/dri/renderD129", false};

struct Case {
    const char* what;
    std::vector<egl::DeviceInfo> devices;
    int requested;
    bool surfaceless;
    std::vector<int> order;  // expected; -1: the surfaceless platform
    const char* error;       // expected part of the error, or null
};

}  // namespace

TEST(EglDeviceChoice, GpusBeforeSoftwareBeforeSurfaceless) {
    const Case cases[] = {
        {"software listed first", {kSoftware, kGpu}, -1, true, {1, 0, -1}, nullptr},
        {"two GPUs in list order", {kGpu, kSoftware, kSecondGpu}, -1, false, {0, 2, 1}, nullptr},
        {"only software", {kSoftware}, -1, true, {0, -1}, nullptr},
        {"only software, no surfaceless", {kSoftware}, -1, false, {0}, nullptr},
        {"no devices", {}, -1, true, {-1}, nullptr},
        {"nothing at all", {}, -1, false, {}, "no device and no surfaceless"},
        {"software asked for by index", {kSoftware, kGpu}, 0, true, {0}, nullptr},
        {"the last device by index", {kGpu, kSecondGpu, kSoftware}, 2, false, {2}, nullptr},
        {"an index past the list", {kSoftware, kGpu}, 2, true, {},
         "no EGL device 2; the devices here: 0 (software), "
         "1 (hardware, NVIDIA H100, /dev/dri/renderD128)"},
        {"an index with no devices", {}, 0, true, {}, "no EGL device 0; the devices here: none"},
    };
    for (const Case& c : cases) {
        const egl::DeviceChoice choice = egl::chooseEglDevice(c.devices, c.requested, c.surfaceless);
        EXPECT_EQ(choice.order, c.order) << c.what;
        if (c.error == nullptr) {
            EXPECT_EQ(choice.error, "") << c.what;
        } else {
            EXPECT_NE(choice.error.find(c.error), std::string::npos) << c.what << ": " << choice.error;
        }
    }
}
