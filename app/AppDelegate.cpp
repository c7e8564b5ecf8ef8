#include "app/AppDelegate.h"

namespace bc {

bool AppDelegate::didFinishLaunchingWithOptions() { return true; }
void AppDelegate::applicationWillResignActive() {}
void AppDelegate::applicationDidEnterBackground() {}
void AppDelegate::applicationWillEnterForeground() {}
void AppDelegate::applicationDidBecomeActive() {}
void AppDelegate::applicationWillTerminate() {}

} // namespace bc
