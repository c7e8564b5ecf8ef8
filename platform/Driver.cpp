#include "platform/Driver.h"

#include "platform/Application.h"
#include "platform/Audio.h"
#include "platform/Console.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <istream>
#include <ostream>
#include <sstream>
#include <string_view>
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

struct Context {
    Application& app;
    StateAccess& state;
    FrameShooter* shooter;
};
using Words = std::vector<std::string>;

json ok() { return json{{"ok", true}}; }

json outcome(const Result<void>& done) { return done ? ok() : error(done.error().message); }

template <class Act> json onControl(Context& c, const std::string& name, Act&& act)
{
    Control* control = resolve(c.app, name);
    if (control == nullptr) {
        return error("no control \"" + name + "\" on " + c.app.top()->className());
    }
    return outcome(act(control));
}

json wait(Context& c, const Words& w)
{
    auto seconds = parseSeconds(w[1]);
    if (!seconds || *seconds < 0) {
        return error("wait needs a number of seconds, 0 or more");
    }
    if (*seconds > kMaxWait) {
        return error("wait is limited to one day (86400 seconds) at a time");
    }
    c.app.runLoop().advance(*seconds);
    c.app.afterEvent();
    return ok();
}

json stack(Context& c, const Words&)
{
    json names = json::array();
    for (const auto* s : c.app.navigation().viewControllers()) {
        names.push_back(s->className());
    }
    return json{{"stack", names}};
}

json shot(Context& c, const Words& w)
{
    const std::string& path = w[1];
    if (path.size() < 5 || path.compare(path.size() - 4, 4, ".png") != 0) {
        return error("shot writes a .png file");
    }
    return outcome(c.shooter == nullptr ? Result<void>(Error{"this build cannot draw frames"})
                                        : c.shooter->shoot(c.app, path));
}

struct Command {
    std::string_view name;
    std::size_t arguments;
    const char* usage;
    json (*run)(Context&, const Words&);
};

// In the order the "unknown command" answer lists them.
const Command kCommands[] = {
    {"tap", 1, "tap NAME",
     [](Context& c, const Words& w) {
         if (w[1] == "navBack") {
             return outcome(c.app.navBack());
         }
         return onControl(c, w[1], [&](Control* control) { return c.app.tap(control); });
     }},
    {"toggle", 1, "toggle NAME",
     [](Context& c, const Words& w) { return onControl(c, w[1], [&](Control* control) { return c.app.toggle(control); }); }},
    {"step", 2, "step NAME up|down",
     [](Context& c, const Words& w) {
         if (w[2] != "up" && w[2] != "down") {
             return error("step direction must be up or down");
         }
         return onControl(c, w[1], [&](Control* control) { return c.app.step(control, w[2] == "up"); });
     }},
    {"wait", 1, "wait SECONDS", wait},
    {"screen", 0, "screen", [](Context& c, const Words&) { return describeTopScreen(c.app); }},
    {"state", 0, "state", [](Context& c, const Words&) { return c.state.snapshot(); }},
    {"set", 2, "set FIELD VALUE",
     [](Context& c, const Words& w) {
         const auto answer = outcome(c.state.set(w[1], w[2]));
         c.app.afterEvent(); // a handled input like any other, so what changed is kept
         return answer;
     }},
    {"stack", 0, "stack", stack},
    {"heard", 0, "heard", [](Context& c, const Words&) { return takeHeard(c.app); }},
    {"shot", 1, "shot FILE.png", shot},
    {"quit", 0, "quit", [](Context&, const Words&) { return ok(); }},
};

std::string unknownCommand(const std::string& name)
{
    std::string known;
    for (const auto& command : kCommands) {
        known += (known.empty() ? "" : ", ") + std::string(command.name);
    }
    return "unknown command \"" + name + "\" (" + known + ")";
}

} // namespace

json describeControl(const Control& c)
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

json takeHeard(Application& app)
{
    auto* recorder = dynamic_cast<AudioRecorder*>(&app.audio());
    if (recorder == nullptr) {
        return error("this game plays its sounds aloud and keeps no record of them");
    }
    json list = json::array();
    for (const auto& h : recorder->take()) {
        list.push_back(json{{h.kind == Heard::Kind::Sound ? "sound" : "say", h.what}});
    }
    return json{{"heard", list}};
}

json describeTopScreen(const Application& app)
{
    const ScreenController* screen = app.top();
    json controls = json::array();
    for (const auto& slot : screen->slots()) {
        controls.push_back(describeControl(*slot.control));
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
    const Command* command = nullptr;
    for (const auto& candidate : kCommands) {
        if (candidate.name == w[0]) {
            command = &candidate;
        }
    }
    if (command == nullptr) {
        emit(out, error(unknownCommand(w[0])));
        return true;
    }
    if (w.size() != command->arguments + 1) {
        emit(out, error(std::string("usage: ") + command->usage));
        return true;
    }
    // Log lines reach the output as they are written, so before the answer.
    Console& console = app.console();
    auto previous = console.setObserver([&out](const std::string& text) { emit(out, json{{"log", text}}); });
    struct Restore {
        Console& console;
        Console::Observer& prev;
        ~Restore() { console.setObserver(std::move(prev)); }
    } restore{console, previous};
    Context context{app, state, shooter};
    emit(out, command->run(context, w));
    return command->name != "quit";
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
        if (!out) {
            // Nobody reads the answers any more (a closed pipe): stop, and say so.
            return 1;
        }
    }
    return 0;
}

} // namespace bc
