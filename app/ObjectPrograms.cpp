#include "app/ObjectPrograms.h"

const char* programKeyForKind(int kind) {
    switch (kind) {
        case 1: return "emberwight";  // the effigy's fire material
        case 4: return "plane";
        case 0:
        case 2:
        case 3:
        case 5:
        case 6: return "default";
        default: return nullptr;
    }
}
