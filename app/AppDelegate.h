#pragma once

#include "platform/Result.h"

namespace bc {

// The application's delegate: told when the run starts and ends. Nothing is
// saved anywhere, so it has nothing to do but say yes.
class AppDelegate {
public:
    bool didFinishLaunchingWithOptions();
    void applicationDidBecomeActive();
    void applicationWillResignActive();
    void applicationWillTerminate();
};

// Runs the whole game for the process arguments with the delegate: the exit
// status, or why the game could not start.
Result<int> ApplicationMain(int argc, char** argv, AppDelegate& delegate);

} // namespace bc
