#include <gtest/gtest.h>

#include "extended/fpu.h"

// A process may start in another x87 mode (a Windows process at 53-bit
// precision): the tests run in the one the programs set at start-up.
int main(int argc, char** argv)
{
    SetFpuMode();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
