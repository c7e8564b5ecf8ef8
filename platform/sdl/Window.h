#pragma once

#include "platform/Driver.h"

#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

namespace bc {

class Application;

namespace sdl {

class FontSource;

struct WindowOptions {
    bool fullscreen = false;
    // Called once the first frame is on the screen: what can wait starts then.
    std::function<void()> afterFirstFrame;
    // Called before SDL's video shuts down, however the window ends.
    std::function<void()> beforeClosing;
    // A font lookup started early (startFindingFonts); the window starts one when none was.
    std::shared_future<Result<std::shared_ptr<FontSource>>> fonts;
};

// Opens the window on the home screen and runs the event loop until the
// window closes. Start-up problems (no display, no usable font) print one
// line and give status 2.
int runWindow(Application& app, const WindowOptions& options);

// Draws frames with SDL's software renderer into PNG files; needs no display.
// Fonts are looked for on the first frame asked for, and a missing font is the
// answer to that request.
std::unique_ptr<FrameShooter> makeShooter();

} // namespace sdl
} // namespace bc
