#include "platform/Driver.h"

#include "platform/Application.h"
#include "platform/Console.h"

#include <charconv>
#include <cmath>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

namespace bc {

namespace {

using json = nlohmann::ordered_json;

constexpr std::size_t kMaxLine = 4096;
constexpr double kMaxWait = 24 * 60 * 60;

void emit(std::ostream& out, const json& answer)
{
    // Names echoed back may hold bytes that are not UTF-8; never let them throw.
    out << answer.dump(-1, ' ', false, json::error_handler_t::replace) << '\n';
    out.flush();
}

json error(const std::string& why) { return json{{"error", why}}; }

std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> out;
    std::istringstream in(line);
    std::string w;
    while (in >> w) {
        out.push_back(w);
    }
    return out;
}

// The top screen's control a driver name means, in the documented order.
Control* resolve(const Application& app, const std::string& name)
{
    const ScreenController* screen = app.top();
    if (screen == nullptr) {
        return nullptr;
    }
    const auto& slots = screen->slots();
    auto first = [&](auto&& match) -> Control* {
        Control* found = nullptr;
        for (const auto& slot : slots) {
            if (match(slot)) {
                if (slot.control->acceptsTouch()) {
                    return slot.control.get();
                }
                if (found == nullptr) {
                    found = slot.control.get();
                }
            }
        }
        return found;
    };
    using Slot = ScreenController::Slot;
    if (auto* c = first([&](const Slot& s) { return !s.outlet.empty() && s.outlet == name; })) {
        return c;
    }
    if (auto* c = first([&](const Slot& s) {
            return std::find(s.actionNames.begin(), s.actionNames.end(), name) != s.actionNames.end();
        })) {
        return c;
    }
    if (auto* c = first([&](const Slot& s) {
            return s.transition.kind != Transition::Kind::None && s.transition.tapName() == name;
        })) {
        return c;
    }
    return first([&](const Slot& s) { return s.control->name() == name; });
}

json describe(const Control& c)
{
    json j{{"name", c.name()},
           {"kind", kindName(c.kind())},
           {"hidden", c.isEffectivelyHidden()},
           {"enabled", c.isEnabled()}};
    switch (c.kind()) {
    case ControlKind::Label: j["text"] = static_cast<const Label&>(c).text(); break;
    case ControlKind::Button: j["title"] = static_cast<const Button&>(c).title(); break;
    case ControlKind::Switch: j["on"] = static_cast<const Switch&>(c).isOn(); break;
    case ControlKind::Stepper: j["value"] = static_cast<const Stepper&>(c).value(); break;
    case ControlKind::Image: {
        const auto& picture = static_cast<const ImageView&>(c).image();
        j["picture"] = picture.empty() ? json(nullptr) : json(picture.name());
        break;
    }
    case ControlKind::View: break;
    }
    return j;
}

std::optional<double> parseSeconds(const std::string& text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

json describeTopScreen(const Application& app)
{
    const ScreenController* screen = app.top();
    json controls = json::array();
    for (const auto& slot : screen->slots()) {
        controls.push_back(describe(*slot.control));
    }
    return json{{"screen", screen->className()},
                {"navigationBarHidden", app.navigation().isNavigationBarHidden()},
                {"controls", controls}};
}

bool driverCommand(Application& app, StateAccess& state, FrameShooter* shooter, const std::string& line,
                   std::ostream& out)
{
    if (line.size() > kMaxLine) {
        emit(out, error("line longer than " + std::to_string(kMaxLine) + " bytes"));
        return true;
    }
    const auto w = words(line);
    if (w.empty()) {
        emit(out, error("empty command"));
        return true;
    }
    const std::string& cmd = w[0];
    auto arity = [&](std::size_t n, const char* usage) {
        if (w.size() != n + 1) {
            emit(out, error(std::string("usage: ") + usage));
            return false;
        }
        return true;
    };
    // Log lines reach the output as they are written, so before the answer.
    Console& console = app.console();
    auto previous = console.setObserver([&out](const std::string& text) { emit(out, json{{"log", text}}); });
    struct Restore {
        Console& console;
        Console::Observer& prev;
        ~Restore() { console.setObserver(std::move(prev)); }
    } restore{console, previous};

    if (cmd == "quit") {
        if (arity(0, "quit")) {
            emit(out, json{{"ok", true}});
            return false;
        }
        return true;
    }
    if (cmd == "tap") {
        if (!arity(1, "tap NAME")) {
            return true;
        }
        std::optional<std::string> why;
        if (w[1] == "navBack") {
            why = app.navBack();
        } else {
            Control* c = resolve(app, w[1]);
            why = c == nullptr ? std::optional<std::string>("no control \"" + w[1] + "\" on " + app.top()->className())
                               : app.tap(c);
        }
        emit(out, why ? error(*why) : json{{"ok", true}});
        return true;
    }
    if (cmd == "toggle") {
        if (!arity(1, "toggle NAME")) {
            return true;
        }
        Control* c = resolve(app, w[1]);
        auto why = c == nullptr ? std::optional<std::string>("no control \"" + w[1] + "\" on " + app.top()->className())
                                : app.toggle(c);
        emit(out, why ? error(*why) : json{{"ok", true}});
        return true;
    }
    if (cmd == "step") {
        if (!arity(2, "step NAME up|down")) {
            return true;
        }
        if (w[2] != "up" && w[2] != "down") {
            emit(out, error("step direction must be up or down"));
            return true;
        }
        Control* c = resolve(app, w[1]);
        auto why = c == nullptr ? std::optional<std::string>("no control \"" + w[1] + "\" on " + app.top()->className())
                                : app.step(c, w[2] == "up");
        emit(out, why ? error(*why) : json{{"ok", true}});
        return true;
    }
    if (cmd == "wait") {
        if (!arity(1, "wait SECONDS")) {
            return true;
        }
        auto seconds = parseSeconds(w[1]);
        if (!seconds || *seconds < 0) {
            emit(out, error("wait needs a number of seconds, 0 or more"));
            return true;
        }
        if (*seconds > kMaxWait) {
            emit(out, error("wait is limited to one day (86400 seconds) at a time"));
            return true;
        }
        app.runLoop().advance(*seconds);
        app.afterEvent();
        emit(out, json{{"ok", true}});
        return true;
    }
    if (cmd == "screen") {
        if (arity(0, "screen")) {
            emit(out, describeTopScreen(app));
        }
        return true;
    }
    if (cmd == "state") {
        if (arity(0, "state")) {
            emit(out, state.snapshot());
        }
        return true;
    }
    if (cmd == "set") {
        if (!arity(2, "set FIELD VALUE")) {
            return true;
        }
        auto why = state.set(w[1], w[2]);
        emit(out, why ? error(*why) : json{{"ok", true}});
        return true;
    }
    if (cmd == "stack") {
        if (arity(0, "stack")) {
            json names = json::array();
            for (const auto* s : app.navigation().viewControllers()) {
                names.push_back(s->className());
            }
            emit(out, json{{"stack", names}});
        }
        return true;
    }
    if (cmd == "shot") {
        if (!arity(1, "shot FILE.png")) {
            return true;
        }
        const std::string& path = w[1];
        if (path.size() < 5 || path.compare(path.size() - 4, 4, ".png") != 0) {
            emit(out, error("shot writes a .png file"));
            return true;
        }
        auto why = shooter == nullptr ? std::optional<std::string>("this build cannot draw frames") : shooter->shoot(app, path);
        emit(out, why ? error(*why) : json{{"ok", true}});
        return true;
    }
    emit(out, error("unknown command \"" + cmd + "\" (tap, toggle, step, wait, screen, state, set, stack, shot, quit)"));
    return true;
}

int runDriver(Application& app, StateAccess& state, FrameShooter* shooter, std::istream& in, std::ostream& out)
{
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!driverCommand(app, state, shooter, line, out)) {
            break;
        }
    }
    return 0;
}

} // namespace bc
