#include <gtest/gtest.h>

#include "platform/pocketpc.h"

int main(int argc, char** argv)
{
    // Failures are printed by GoogleTest; keep Windows' own error dialogs away.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
