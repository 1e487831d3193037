#include "GraphicsEngine/Platform.h"

#include <cstdlib>

#include <emscripten.h>
#include <emscripten/heap.h>
#include <emscripten/html5_webgl.h>

namespace platform {

// A page has no console to keep open.
void consolePause() {}

// The browser paces frames: its animation callback runs at the display's rate,
// and a page that blocked would freeze its tab.
void sleepMilliseconds(int) {}

double seconds() { return emscripten_get_now() / 1000.0; }

// The program's memory: wasm has one heap, grown and never shrunk.
long residentKilobytes() { return static_cast<long>(emscripten_get_heap_size() / 1024); }

bool glContextCurrent() { return emscripten_webgl_get_current_context() != 0; }

// The page packs the shaders and resources under /emberwight in its file
// system: the program stands beside them, as in an unpacked archive.
std::string executablePath() { return "/emberwight/emberwight"; }

bool headlessAvailable() { return false; }

void beforeWindowSystem() {}

// The page does both (app/web/page.js): a download of the file from the
// program's file system, and a picker whose file it writes there.
EM_JS(void, pageOfferDownload, (const char* path), { Module.offerDownload(UTF8ToString(path)); });
EM_JS(void, pagePickFile, (const char* path), { Module.pickFile(UTF8ToString(path)); });
EM_JS(int, pagePickedFileArrived, (), { return Module.takePickedFile() ? 1 : 0; });

bool offerDownload(const std::string& path) {
    pageOfferDownload(path.c_str());
    return true;
}

bool pickFile(const std::string& path) {
    pagePickFile(path.c_str());
    return true;
}

bool pickedFileArrived() { return pagePickedFileArrived() != 0; }

void setEnvironmentDefault(const char* name, const char* value) { setenv(name, value, 0); }

// The browser's own audio says nothing on stderr, which is the page's
// console besides.
int silenceStderr() { return -1; }
void restoreStderr(int) {}

}  // namespace platform
