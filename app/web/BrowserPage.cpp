#include "app/web/BrowserPage.h"

#include <emscripten.h>

namespace {

EM_JS(void, pageShowMessage, (const char* text), { Module.showMessage(UTF8ToString(text)); });
EM_JS(void, pageStoppedAfter, (const char* text), { Module.stoppedAfter(UTF8ToString(text)); });
EM_JS(void, pageFrameDrawn, (double count, const char* pose),
      { Module.frameDrawn(count, UTF8ToString(pose)); });

}  // namespace

namespace page {

void showMessage(const std::string& text) { pageShowMessage(text.c_str()); }

void frameDrawn(long count, const std::string& pose) {
    pageFrameDrawn(static_cast<double>(count), pose.c_str());
}

void stoppedAfter(long frames) {
    const std::string text =
        "Stopped after " + std::to_string(frames) + (frames == 1 ? " frame" : " frames");
    pageStoppedAfter(text.c_str());
}

}  // namespace page
