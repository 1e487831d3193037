#pragma once

// The shader key start-up hands a scene object of each kind; null for kinds
// that get no program and no init call.
const char* programKeyForKind(int kind);
