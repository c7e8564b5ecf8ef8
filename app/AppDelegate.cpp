#include "app/AppDelegate.h"

namespace bc {

bool AppDelegate::didFinishLaunchingWithOptions() { return true; }
void AppDelegate::applicationDidBecomeActive() {}
void AppDelegate::applicationWillResignActive() {}
void AppDelegate::applicationWillTerminate() {}

} // namespace bc
