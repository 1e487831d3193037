// Lays every texture and sprite sheet out on one picture for looking at them:
// tileable surfaces are shown 2 x 2 so their seams would show.
//   contact_sheet_tool TEXTURE_DIR OUT.png          the whole sheet
//   contact_sheet_tool TEXTURE_DIR OUT.png NAME     one texture, full size
#include <FreeImage.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "tools/Image.h"

namespace {

struct Entry {
    const char* name;
    bool tiled;
};

const Entry kEntries[] = {
    {"ground07.jpg", true},   {"ground07b.jpg", true},   {"ground07n.jpg", true},
    {"rock1.jpg", true},      {"rock1n.jpg", true},      {"brick13_2.jpg", true},
    {"brick13d.jpg", true},   {"brick13n.jpg", true},    {"wood17.jpg", true},
    {"wood17d.jpg", true},    {"wood17n_2.jpg", true},   {"wood_burnt.jpg", true},
    {"fire_layer.tga", true}, {"noise.tga", true},       {"sunsprite.tga", false},
    {"particle.tga", false},  {"h_level_ew.tga", false}, {"smoke45_alpha.tga", false},
    {"flames3.tga", false},   {"flames2.tga", false},    {"skybox2.jpg", false},
};

constexpr int kCell = 400;
constexpr int kGap = 8;
constexpr int kColumns = 6;

// The file as a top-first Image; RGBA sheets are shown over a mid grey so
// their alpha is visible.
bool load(const std::string& path, Image& result) {
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    if (format == FIF_UNKNOWN) format = FreeImage_GetFIFFromFilename(path.c_str());
    FIBITMAP* loaded = format == FIF_UNKNOWN ? nullptr : FreeImage_Load(format, path.c_str(), 0);
    if (loaded == nullptr) return false;
    FIBITMAP* bitmap = FreeImage_ConvertTo32Bits(loaded);
    FreeImage_Unload(loaded);
    const int w = static_cast<int>(FreeImage_GetWidth(bitmap));
    const int h = static_cast<int>(FreeImage_GetHeight(bitmap));
    result = Image(w, h);
    for (int y = 0; y < h; ++y) {
        const BYTE* line = FreeImage_GetScanLine(bitmap, h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const BYTE* p = line + 4 * x;
            const float a = p[FI_RGBA_ALPHA] / 255.0f;
            const glm::vec3 rgb(p[FI_RGBA_RED], p[FI_RGBA_GREEN], p[FI_RGBA_BLUE]);
            result.set(x, y, glm::mix(glm::vec3(0.3f), rgb / 255.0f, a));
        }
    }
    FreeImage_Unload(bitmap);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s TEXTURE_DIR OUT.png [NAME]\n", argv[0]);
        return 2;
    }
    FreeImage_Initialise();
    if (argc == 4) {
        Image picture(1, 1);
        if (!load(std::string(argv[1]) + "/" + argv[3], picture)) return 1;
        return picture.savePng(argv[2]) ? 0 : 1;
    }
    const int count = static_cast<int>(sizeof(kEntries) / sizeof(kEntries[0]));
    const int rows = (count + kColumns - 1) / kColumns;
    Image sheet(kColumns * (kCell + kGap) + kGap, rows * (kCell + kGap) + kGap,
                glm::vec4(0.12f, 0.12f, 0.14f, 1.0f));
    int missing = 0;
    for (int i = 0; i < count; ++i) {
        Image picture(1, 1);
        const std::string path = std::string(argv[1]) + "/" + kEntries[i].name;
        if (!load(path, picture)) {
            std::fprintf(stderr, "missing %s\n", path.c_str());
            ++missing;
            continue;
        }
        const int repeat = kEntries[i].tiled ? 2 : 1;
        const float scale = std::min(static_cast<float>(kCell) / (picture.width() * repeat),
                                     static_cast<float>(kCell) / (picture.height() * repeat));
        const int w = static_cast<int>(picture.width() * repeat * scale);
        const int h = static_cast<int>(picture.height() * repeat * scale);
        Image thumb(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const float sx = std::fmod((x + 0.5f) / scale, static_cast<float>(picture.width()));
                const float sy =
                    std::fmod((y + 0.5f) / scale, static_cast<float>(picture.height()));
                thumb.at(x, y) = picture.sample(sx, sy);
            }
        const int column = i % kColumns;
        const int row = i / kColumns;
        sheet.paste(thumb, kGap + column * (kCell + kGap), kGap + row * (kCell + kGap));
        std::printf("row %d, column %d: %s (%dx%d)\n", row + 1, column + 1, kEntries[i].name,
                    picture.width(), picture.height());
    }
    const bool saved = sheet.savePng(argv[2]);
    FreeImage_DeInitialise();
    return saved && missing == 0 ? 0 : 1;
}
