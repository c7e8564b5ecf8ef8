#include "platform/PictureCatalog.h"
#include "platform/StoryboardStages.h"

#include <cmath>
#include <map>
#include <set>

namespace bc::storyboard {

using nlohmann::json;

std::string quote(const std::string& s) { return "\"" + s + "\""; }

namespace {

// Thrown from deep in the parser only, and turned into an Error where the
// parsing stage returns.
struct Failure {
    std::string where;
    std::string what;
};

std::string canvasName()
{
    return std::to_string(static_cast<int>(kCanvasWidth)) + "x" + std::to_string(static_cast<int>(kCanvasHeight)) +
           " canvas";
}

class Parser {
public:
    Parser(const Registry& registry, const PictureCatalog& pictures) : registry_(registry), pictures_(pictures) {}

    void screens(const json& root, std::string& initial, std::vector<ScreenLayout>& out, bool initialOnly)
    {
        if (!root.is_object()) {
            fail("top level", "must be an object with \"initial\" and \"screens\"");
        }
        for (const auto& [key, value] : root.items()) {
            if (key != "initial" && key != "screens" && key != "canvas" && key != "comment") {
                fail("top level", "unknown key " + quote(key));
            }
            (void)value;
        }
        initial = string(root, "initial", "top level", true);
        if (!root.contains("screens") || !root["screens"].is_array() || root["screens"].empty()) {
            fail("top level", "\"screens\" must be a non-empty array");
        }
        std::set<std::string> seen;
        for (const auto& s : root["screens"]) {
            // The rest wait for the whole pass: only the first screen is read, as it would be in it.
            if (initialOnly && !(s.is_object() && s.contains("class") && s["class"] == initial)) {
                continue;
            }
            out.push_back(screen(s));
            if (!seen.insert(out.back().className).second) {
                fail("screen " + quote(out.back().className), "is declared twice");
            }
        }
        if (!seen.contains(initial) && initialOnly) {
            // The load fails either way: with the fault the whole pass meets first.
            out.clear();
            screens(root, initial, out, false);
        }
        if (!seen.contains(initial)) {
            fail("top level", "initial screen " + quote(initial) + " is not declared");
        }
    }

private:
    [[noreturn]] void fail(const std::string& where, const std::string& what) { throw Failure{where, what}; }

    std::string string(const json& obj, const char* key, const std::string& where, bool required)
    {
        if (!obj.contains(key)) {
            if (required) {
                fail(where, std::string("missing ") + quote(key));
            }
            return {};
        }
        if (!obj[key].is_string()) {
            fail(where, quote(key) + " must be a string");
        }
        return obj[key].get<std::string>();
    }

    double number(const json& obj, const char* key, const std::string& where, double fallback)
    {
        if (!obj.contains(key)) {
            return fallback;
        }
        if (!obj[key].is_number()) {
            fail(where, quote(key) + " must be a number");
        }
        const double v = obj[key].get<double>();
        if (!std::isfinite(v)) {
            fail(where, quote(key) + " must be finite");
        }
        return v;
    }

    bool flag(const json& obj, const char* key, const std::string& where, bool fallback)
    {
        if (!obj.contains(key)) {
            return fallback;
        }
        if (!obj[key].is_boolean()) {
            fail(where, quote(key) + " must be true or false");
        }
        return obj[key].get<bool>();
    }

    Color color(const json& obj, const char* key, const std::string& where, Color fallback)
    {
        const std::string text = string(obj, key, where, false);
        if (text.empty()) {
            return fallback;
        }
        const bool shapeOk = text[0] == '#' && (text.size() == 7 || text.size() == 9) &&
                             text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos;
        if (!shapeOk) {
            fail(where, quote(key) + " must be #RRGGBB or #RRGGBBAA, not " + quote(text));
        }
        auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(std::stoi(text.substr(at, 2), nullptr, 16)); };
        return Color{byte(1), byte(3), byte(5), text.size() == 9 ? byte(7) : std::uint8_t{255}};
    }

    void picture(const std::string& name, const std::string& where)
    {
        if (!name.empty() && !pictures_.exists(name)) {
            fail(where, "picture " + quote(name) + " not found in " + pictures_.directory().string());
        }
    }

    ScreenLayout screen(const json& s)
    {
        if (!s.is_object()) {
            fail("screens", "each screen must be an object");
        }
        ScreenLayout layout;
        layout.className = string(s, "class", "a screen", true);
        const std::string where = "screen " + quote(layout.className);
        for (const auto& [key, value] : s.items()) {
            static const std::set<std::string> known{"class", "title", "say", "background", "controls", "segues", "comment"};
            if (!known.contains(key)) {
                fail(where, "unknown key " + quote(key));
            }
            (void)value;
        }
        entry_ = registry_.find(layout.className);
        className_ = layout.className;
        if (entry_ == nullptr) {
            fail(where, "unknown screen class " + quote(layout.className));
        }
        layout.title = string(s, "title", where, false);
        layout.say = string(s, "say", where, false);
        layout.background = color(s, "background", where, layout.background);
        if (s.contains("segues")) {
            if (!s["segues"].is_object()) {
                fail(where, "\"segues\" must be an object of identifier: class");
            }
            for (const auto& [id, target] : s["segues"].items()) {
                if (!target.is_string()) {
                    fail(where + " segue " + quote(id), "target must be a class name");
                }
                layout.segues[id] = target.get<std::string>();
            }
        }
        if (!s.contains("controls") || !s["controls"].is_array()) {
            fail(where, "\"controls\" must be an array");
        }
        names_.clear();
        kinds_.clear();
        outlets_.clear();
        index_ = 0;
        for (const auto& c : s["controls"]) {
            layout.controls.push_back(control(c, where, Rect{0, 0, kCanvasWidth, kCanvasHeight}));
        }
        // A line may speak what a control of its screen shows when it is said.
        for (auto open = layout.say.find('{'); open != std::string::npos; open = layout.say.find('{', open + 1)) {
            const auto close = layout.say.find('}', open);
            if (close == std::string::npos || !names_.contains(layout.say.substr(open + 1, close - open - 1))) {
                fail(where, "\"say\" must name a control of this screen in " + quote(layout.say.substr(open)));
            }
        }
        // The code reads every outlet it declares; an unconnected one would be a dangling control.
        for (const auto& [name, outlet] : entry_->outlets) {
            if (!outlets_.contains(name)) {
                fail(where, "outlet " + quote(name) + " is not connected to any control");
            }
        }
        // A control the code finds by name would otherwise be missed without a word.
        for (const auto& [name, kind] : entry_->named) {
            const auto found = kinds_.find(name);
            if (found == kinds_.end()) {
                fail(where, "has no control named " + quote(name) + ", which its code looks up");
            }
            if (kind && *kind != found->second) {
                fail(where, "control " + quote(name) + " is a " + kindName(found->second) + ", not the " +
                                kindName(*kind) + " its code looks up");
            }
        }
        return layout;
    }

    ControlLayout control(const json& c, const std::string& screenWhere, const Rect& bounds)
    {
        ++index_;
        if (!c.is_object()) {
            fail(screenWhere, "control #" + std::to_string(index_) + " must be an object");
        }
        ControlLayout layout;
        const std::string kind = string(c, "kind", screenWhere + " control #" + std::to_string(index_), true);
        static const std::map<std::string, ControlKind> kinds{
            {"label", ControlKind::Label},   {"image", ControlKind::Image},     {"button", ControlKind::Button},
            {"switch", ControlKind::Switch}, {"stepper", ControlKind::Stepper}, {"view", ControlKind::View}};
        auto kindIt = kinds.find(kind);
        if (kindIt == kinds.end()) {
            fail(screenWhere + " control #" + std::to_string(index_), "unknown kind " + quote(kind));
        }
        layout.kind = kindIt->second;
        layout.outlet = string(c, "outlet", screenWhere, false);
        const std::string given = string(c, "name", screenWhere, false);
        if (c.contains("actions")) {
            if (!c["actions"].is_array()) {
                fail(screenWhere, "\"actions\" must be an array of names");
            }
            for (const auto& a : c["actions"]) {
                if (!a.is_string()) {
                    fail(screenWhere, "\"actions\" must be an array of names");
                }
                layout.actions.push_back(a.get<std::string>());
            }
        }
        transition(c, layout, screenWhere);

        layout.name = !layout.outlet.empty()        ? layout.outlet
                    : !given.empty()            ? given
                    : !layout.actions.empty()     ? layout.actions.front()
                    : layout.transition.kind != Transition::Kind::None ? layout.transition.tapName()
                                                                       : kind + std::to_string(index_);
        const std::string where = screenWhere + " control " + quote(layout.name);
        kinds_[layout.name] = layout.kind;
        if (!names_.insert(layout.name).second) {
            fail(where, "duplicate control name " + quote(layout.name) + " (give one of them a \"name\")");
        }

        allowedKeys(c, layout.kind, where);

        if (!c.contains("frame") || !c["frame"].is_array() || c["frame"].size() != 4) {
            fail(where, "\"frame\" must be [x, y, width, height]");
        }
        float f[4];
        for (int i = 0; i < 4; ++i) {
            if (!c["frame"][i].is_number() || !std::isfinite(c["frame"][i].get<double>())) {
                fail(where, "\"frame\" must hold four numbers");
            }
            f[i] = c["frame"][i].get<float>();
        }
        layout.frame = Rect{f[0], f[1], f[2], f[3]};
        if (f[2] < 0 || f[3] < 0 || f[0] < 0 || f[1] < 0 || f[0] + f[2] > bounds.w + 0.01f ||
            f[1] + f[3] > bounds.h + 0.01f) {
            fail(where, "frame lies outside its " + std::string(bounds.w == kCanvasWidth ? canvasName() : "container"));
        }

        layout.text = string(c, "text", where, false);
        layout.title = string(c, "title", where, false);
        layout.picture = string(c, "picture", where, false);
        layout.icon = string(c, "icon", where, false);
        layout.accessibilityLabel = string(c, "label", where, false);
        picture(layout.picture, where);
        picture(layout.icon, where);
        layout.hidden = flag(c, "hidden", where, false);
        layout.enabled = flag(c, "enabled", where, true);
        layout.on = flag(c, "on", where, false);
        layout.style.fontSize = static_cast<float>(number(c, "font", where, layout.style.fontSize));
        layout.style.bold = flag(c, "bold", where, false);
        layout.style.textColor = color(c, "color", where, layout.style.textColor);
        layout.style.background = color(c, "fill", where, layout.style.background);
        layout.style.cornerRadius = static_cast<float>(number(c, "corner", where, 0));
        const std::string align = string(c, "align", where, false);
        if (align == "center") {
            layout.style.align = TextAlign::Center;
        } else if (align == "right") {
            layout.style.align = TextAlign::Right;
        } else if (!align.empty() && align != "left") {
            fail(where, "\"align\" must be left, center or right");
        }
        if (layout.style.fontSize < 6 || layout.style.fontSize > 200) {
            fail(where, "\"font\" must be between 6 and 200 points");
        }
        layout.minimum = number(c, "min", where, 0);
        layout.maximum = number(c, "max", where, 100);
        layout.step = number(c, "step", where, 1);
        layout.value = number(c, "value", where, layout.minimum);
        if (layout.kind == ControlKind::Stepper &&
            (layout.minimum > layout.maximum || layout.step <= 0 || layout.value < layout.minimum || layout.value > layout.maximum)) {
            fail(where, "stepper needs min <= value <= max and a step above 0");
        }

        if (!layout.outlet.empty()) {
            auto it = entry_->outlets.find(layout.outlet);
            if (it == entry_->outlets.end()) {
                fail(where, "unknown outlet " + quote(layout.outlet) + " of class " + className_);
            }
            if (it->second.kind != layout.kind) {
                fail(where, "outlet " + quote(layout.outlet) + " is a " + kindName(it->second.kind) + ", not a " + kind);
            }
            if (!outlets_.insert(layout.outlet).second) {
                fail(where, "outlet " + quote(layout.outlet) + " is connected twice");
            }
        }
        for (const auto& a : layout.actions) {
            if (!entry_->actions.contains(a)) {
                fail(where, "unknown action " + quote(a) + " of class " + className_);
            }
        }
        if (!layout.actions.empty() && !takesTaps(layout.kind)) {
            fail(where, "only buttons, switches and steppers run actions");
        }
        if (layout.transition.kind != Transition::Kind::None && layout.kind != ControlKind::Button) {
            fail(where, "only buttons lead to other screens");
        }

        if (c.contains("children")) {
            if (layout.kind != ControlKind::View || !c["children"].is_array()) {
                fail(where, "\"children\" belongs to a view and must be an array");
            }
            for (const auto& child : c["children"]) {
                layout.children.push_back(control(child, screenWhere, layout.frame));
            }
        }
        return layout;
    }

    void transition(const json& c, ControlLayout& layout, const std::string& where)
    {
        int count = 0;
        if (c.contains("push")) {
            layout.transition = {Transition::Kind::Push, string(c, "push", where, true)};
            ++count;
        }
        if (c.contains("unwind")) {
            layout.transition = {Transition::Kind::Unwind, string(c, "unwind", where, true)};
            ++count;
        }
        if (flag(c, "pop", where, false)) {
            layout.transition = {Transition::Kind::Pop, {}};
            ++count;
        }
        if (flag(c, "popToRoot", where, false)) {
            layout.transition = {Transition::Kind::PopToRoot, {}};
            ++count;
        }
        if (count > 1) {
            fail(where, "a control leads to one place only (push, pop, popToRoot or unwind)");
        }
    }

    void allowedKeys(const json& c, ControlKind kind, const std::string& where)
    {
        static const std::set<std::string> common{"kind", "name", "outlet", "frame", "hidden", "label", "fill",
                                                  "corner", "comment"};
        static const std::map<ControlKind, std::set<std::string>> perKind{
            {ControlKind::Label, {"text", "font", "bold", "color", "align"}},
            {ControlKind::Image, {"picture"}},
            {ControlKind::Button,
             {"title", "icon", "font", "bold", "color", "enabled", "actions", "push", "pop", "popToRoot", "unwind"}},
            {ControlKind::Switch, {"on", "actions"}},
            {ControlKind::Stepper, {"min", "max", "step", "value", "actions"}},
            {ControlKind::View, {"children"}},
        };
        for (const auto& [key, value] : c.items()) {
            (void)value;
            if (!common.contains(key) && !perKind.at(kind).contains(key)) {
                fail(where, "key " + quote(key) + " does not belong to a " + kindName(kind));
            }
        }
    }

    const Registry& registry_;
    const PictureCatalog& pictures_;
    const Registry::Entry* entry_ = nullptr;
    std::string className_;
    std::set<std::string> names_;
    std::map<std::string, ControlKind> kinds_;
    std::set<std::string> outlets_;
    int index_ = 0;
};

} // namespace

Result<Parsed> parseScreens(const json& root, const Registry& registry, const PictureCatalog& pictures,
                            bool initialOnly)
{
    Parsed parsed;
    try {
        Parser(registry, pictures).screens(root, parsed.initial, parsed.screens, initialOnly);
    } catch (const Failure& f) {
        return Error{f.where + ": " + f.what};
    } catch (const json::exception& e) {
        return Error{e.what()};
    }
    return parsed;
}

} // namespace bc::storyboard
