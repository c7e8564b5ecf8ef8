#include "platform/Storyboard.h"

#include "platform/PictureCatalog.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <deque>
#include <fstream>
#include <set>
#include <sstream>

namespace bc {

namespace {

// A load error is one line, even when it quotes text from the file that holds
// line breaks or other control characters.
std::string oneLine(const std::string& message)
{
    std::string out;
    out.reserve(message.size());
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            static const char* hex = "0123456789abcdef";
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 0xf];
        } else {
            out += c;
        }
    }
    return out;
}

using nlohmann::json;

// Thrown inside the parser only; turned into a LoadError at the boundary.
struct Failure {
    std::string where;
    std::string what;
};

std::string quote(const std::string& s) { return "\"" + s + "\""; }

class Parser {
public:
    Parser(const Registry& registry, const PictureCatalog& pictures) : registry_(registry), pictures_(pictures) {}

    void screens(const json& root, std::string& initial, std::vector<ScreenLayout>& out)
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
            out.push_back(screen(s));
            if (!seen.insert(out.back().className).second) {
                fail("screen " + quote(out.back().className), "is declared twice");
            }
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
            static const std::set<std::string> known{"class", "title", "background", "controls", "segues", "comment"};
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
        outlets_.clear();
        index_ = 0;
        for (const auto& c : s["controls"]) {
            layout.controls.push_back(control(c, where, Rect{0, 0, kCanvasWidth, kCanvasHeight}));
        }
        // The code reads every outlet it declares; an unconnected one would be a dangling control.
        for (const auto& [name, outlet] : entry_->outlets) {
            if (!outlets_.contains(name)) {
                fail(where, "outlet " + quote(name) + " is not connected to any control");
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
            fail(where, "frame lies outside its " + std::string(bounds.w == kCanvasWidth ? "375x667 canvas" : "container"));
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
        if (!layout.actions.empty() && layout.kind != ControlKind::Button && layout.kind != ControlKind::Switch &&
            layout.kind != ControlKind::Stepper) {
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
    std::set<std::string> outlets_;
    int index_ = 0;
};

template <class F> void eachControl(const std::vector<ControlLayout>& controls, F&& f)
{
    for (const auto& c : controls) {
        f(c);
        eachControl(c.children, f);
    }
}

void checkRoutes(const std::string& initial, const std::vector<ScreenLayout>& screens, const Registry& registry)
{
    std::map<std::string, const ScreenLayout*> byClass;
    for (const auto& s : screens) {
        byClass[s.className] = &s;
    }
    for (const auto& s : screens) {
        const std::string where = "screen " + quote(s.className);
        for (const auto& [id, target] : s.segues) {
            if (!byClass.contains(target)) {
                throw Failure{where + " segue " + quote(id), "leads to " + quote(target) + ", which is not declared"};
            }
        }
        bool canLeave = s.className == initial;
        const auto* entry = registry.find(s.className);
        eachControl(s.controls, [&](const ControlLayout& c) {
            const auto& t = c.transition;
            if ((t.kind == Transition::Kind::Push || t.kind == Transition::Kind::Unwind) && !byClass.contains(t.target)) {
                throw Failure{where + " control " + quote(c.name), "leads to " + quote(t.target) + ", which is not declared"};
            }
            if (t.kind == Transition::Kind::Pop || t.kind == Transition::Kind::PopToRoot ||
                t.kind == Transition::Kind::Unwind) {
                canLeave = true;
            }
            for (const auto& a : c.actions) {
                if (entry->actions.at(a).leaves) {
                    canLeave = true;
                }
            }
        });
        if (!canLeave) {
            throw Failure{where, "has no control that leaves it (back, home, pop or unwind)"};
        }
    }
    std::set<std::string> reached{initial};
    std::deque<std::string> queue{initial};
    while (!queue.empty()) {
        const ScreenLayout* s = byClass.at(queue.front());
        queue.pop_front();
        auto visit = [&](const std::string& target) {
            if (reached.insert(target).second) {
                queue.push_back(target);
            }
        };
        for (const auto& [id, target] : s->segues) {
            visit(target);
        }
        eachControl(s->controls, [&](const ControlLayout& c) {
            if (c.transition.kind == Transition::Kind::Push) {
                visit(c.transition.target);
            }
        });
    }
    for (const auto& s : screens) {
        if (!reached.contains(s.className)) {
            throw Failure{"screen " + quote(s.className), "cannot be reached from " + quote(initial)};
        }
    }
}

void build(ScreenController& screen, const Registry::Entry& entry, const ControlLayout& layout, View* parent)
{
    std::unique_ptr<Control> control;
    switch (layout.kind) {
    case ControlKind::Label: {
        auto label = std::make_unique<Label>();
        label->setText(layout.text);
        control = std::move(label);
        break;
    }
    case ControlKind::Image: {
        auto image = std::make_unique<ImageView>();
        if (!layout.picture.empty()) {
            image->setImage(screen.imageNamed(layout.picture));
        }
        control = std::move(image);
        break;
    }
    case ControlKind::Button: {
        auto button = std::make_unique<Button>();
        button->setTitle(layout.title, ControlState::Normal);
        button->setEnabled(layout.enabled);
        if (!layout.icon.empty()) {
            button->icon = screen.imageNamed(layout.icon);
        }
        control = std::move(button);
        break;
    }
    case ControlKind::Switch: {
        auto sw = std::make_unique<Switch>();
        sw->setOn(layout.on);
        control = std::move(sw);
        break;
    }
    case ControlKind::Stepper: {
        auto stepper = std::make_unique<Stepper>();
        stepper->minimumValue = layout.minimum;
        stepper->maximumValue = layout.maximum;
        stepper->stepValue = layout.step;
        stepper->setValue(layout.value);
        control = std::move(stepper);
        break;
    }
    case ControlKind::View: control = std::make_unique<View>(); break;
    }
    control->setName(layout.name);
    control->setFrame(layout.frame);
    control->setHidden(layout.hidden);
    control->style = layout.style;
    control->accessibilityLabel = layout.accessibilityLabel;
    Control* raw = control.get();
    if (parent != nullptr) {
        parent->addSubview(raw);
    }
    auto& slot = screen.addSlot(std::move(control));
    slot.outlet = layout.outlet;
    slot.actionNames = layout.actions;
    slot.transition = layout.transition;
    for (const auto& a : layout.actions) {
        slot.actions.push_back(entry.actions.at(a).bind(screen));
    }
    if (!layout.outlet.empty()) {
        entry.outlets.at(layout.outlet).bind(screen, raw);
    }
    for (const auto& child : layout.children) {
        build(screen, entry, child, static_cast<View*>(raw));
    }
}

} // namespace

Storyboard::Loaded Storyboard::loadFile(const std::string& path, const Registry& registry,
                                        const PictureCatalog& pictures)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return LoadError{path + ": cannot be read (missing or not readable)"};
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        return LoadError{path + ": cannot be read"};
    }
    return parse(text.str(), path, registry, pictures);
}

Storyboard::Loaded Storyboard::parse(const std::string& text, const std::string& source, const Registry& registry,
                                     const PictureCatalog& pictures)
{
    json root;
    try {
        root = json::parse(text);
    } catch (const json::parse_error& e) {
        std::string what = e.what();
        // nlohmann prefixes its own tag; keep the part a person can act on.
        if (auto at = what.find("parse error"); at != std::string::npos) {
            what = what.substr(at);
        }
        return LoadError{oneLine(source + ": not valid JSON: " + what)};
    } catch (const json::exception& e) {
        // Well-formed text the parser still refuses, such as a number too large.
        std::string what = e.what();
        if (auto tag = what.find("] "); tag != std::string::npos) {
            what = what.substr(tag + 2);
        }
        return LoadError{oneLine(source + ": not valid JSON: " + what)};
    }
    Storyboard board(registry);
    try {
        Parser parser(registry, pictures);
        parser.screens(root, board.initial_, board.screens_);
        checkRoutes(board.initial_, board.screens_, registry);
    } catch (const Failure& f) {
        return LoadError{oneLine(source + ": " + f.where + ": " + f.what)};
    } catch (const json::exception& e) {
        return LoadError{oneLine(source + ": " + e.what())};
    }
    return board;
}

const ScreenLayout* Storyboard::find(const std::string& className) const
{
    for (const auto& s : screens_) {
        if (s.className == className) {
            return &s;
        }
    }
    return nullptr;
}

std::unique_ptr<ScreenController> Storyboard::instantiate(const std::string& className, Services& services) const
{
    const ScreenLayout* layout = find(className);
    const Registry::Entry* entry = registry_->find(className);
    if (layout == nullptr || entry == nullptr) {
        return nullptr;
    }
    auto screen = entry->make();
    screen->setServices(services);
    screen->setClassName(layout->className);
    screen->setTitle(layout->title);
    screen->backgroundColor = layout->background;
    screen->segues = layout->segues;
    for (const auto& c : layout->controls) {
        build(*screen, *entry, c, nullptr);
    }
    return screen;
}

} // namespace bc
