#include "app/ObjectPrograms.h"

#include <gtest/gtest.h>

#include <string>

TEST(ObjectPrograms, KindPicksTheProgram) {
    EXPECT_STREQ(programKeyForKind(1), "emberwight");
    EXPECT_STREQ(programKeyForKind(4), "plane");
    for (int kind : {0, 2, 3, 5, 6}) EXPECT_STREQ(programKeyForKind(kind), "default") << kind;
    // No program and no init for anything else, the cuboid's kind included.
    for (int kind : {-1, 7, 8, 9, 100}) EXPECT_EQ(programKeyForKind(kind), nullptr) << kind;
}
