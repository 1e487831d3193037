#pragma once
#include <gtest/gtest.h>

#include "support/PassRig.h"

// The rig as a test fixture: set up before each test, torn down after.
class PassFixture : public testing::Test, protected PassRig {
protected:
    explicit PassFixture(bool es = false) : PassRig(es) {}
    void SetUp() override { setUp(); }
    void TearDown() override { tearDown(); }
};
