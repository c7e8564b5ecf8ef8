#pragma once

namespace bc {

// The application's delegate: told of launch and of the lifecycle of the
// run. Nothing is saved anywhere, so it has nothing to do but say yes.
class AppDelegate {
public:
    bool didFinishLaunchingWithOptions();
    void applicationWillResignActive();
    void applicationDidEnterBackground();
    void applicationWillEnterForeground();
    void applicationDidBecomeActive();
    void applicationWillTerminate();
};

// Runs the whole game for the process arguments with the delegate, and
// returns the exit status.
int ApplicationMain(int argc, char** argv, AppDelegate& delegate);

} // namespace bc
