#include "platform/Storyboard.h"

#include "platform/PictureCatalog.h"
#include "platform/Services.h"
#include "platform/StoryboardStages.h"
#include "state/Translator.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>

namespace bc {

namespace {

using nlohmann::json;

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

// Texts the child reads, in the child's language; an empty one stays empty
// (a catalogue keeps its header under the empty message).
std::string translated(const Translator& words, const std::string& english)
{
    return english.empty() ? english : words.translate(english.c_str());
}

void build(ScreenController& screen, const Registry::Entry& entry, const ControlLayout& layout, View* parent)
{
    const Translator& words = screen.services().translator;
    std::unique_ptr<Control> control;
    switch (layout.kind) {
    case ControlKind::Label: {
        auto label = std::make_unique<Label>();
        label->setText(translated(words, layout.text));
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
        button->setTitle(translated(words, layout.title));
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
    control->accessibilityLabel = translated(words, layout.accessibilityLabel);
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

struct Storyboard::Pending {
    json root;
    std::string source;
    const PictureCatalog* pictures = nullptr;
};

Result<Storyboard> Storyboard::loadFile(const std::string& path, const Registry& registry,
                                        const PictureCatalog& pictures, Loading loading)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return Error{path + ": is a folder, not a file"};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return Error{path + ": cannot be read (missing or not readable)"};
    }
    // In whole blocks: a character at a time is slow where the code runs cold (the browser's first start).
    std::string text;
    char block[16384];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        text.append(block, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        return Error{path + ": cannot be read"};
    }
    return parse(text, path, registry, pictures, loading);
}

Result<Storyboard> Storyboard::parse(const std::string& text, const std::string& source, const Registry& registry,
                                     const PictureCatalog& pictures, Loading loading)
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
        return Error{oneLine(source + ": not valid JSON: " + what)};
    } catch (const json::exception& e) {
        // Well-formed text the parser still refuses, such as a number too large.
        std::string what = e.what();
        if (auto tag = what.find("] "); tag != std::string::npos) {
            what = what.substr(tag + 2);
        }
        return Error{oneLine(source + ": not valid JSON: " + what)};
    }
    const bool initialFirst = loading == Loading::InitialFirst;
    auto parsed = storyboard::parseScreens(root, registry, pictures, initialFirst);
    if (!parsed) {
        return Error{oneLine(source + ": " + parsed.error().message)};
    }
    Storyboard board(registry);
    board.initial_ = std::move(parsed->initial);
    board.screens_ = std::move(parsed->screens);
    if (initialFirst) {
        board.pending_ = std::make_shared<const Pending>(Pending{std::move(root), source, &pictures});
        return board;
    }
    if (auto routes = storyboard::checkRoutes(board.initial_, board.screens_, registry); !routes) {
        return Error{oneLine(source + ": " + routes.error().message)};
    }
    return board;
}

Result<void> Storyboard::finishLoading() const
{
    if (!pending_) {
        return {};
    }
    const Pending& p = *pending_;
    auto parsed = storyboard::parseScreens(p.root, *registry_, *p.pictures);
    if (!parsed) {
        return Error{oneLine(p.source + ": " + parsed.error().message)};
    }
    if (auto routes = storyboard::checkRoutes(parsed->initial, parsed->screens, *registry_); !routes) {
        return Error{oneLine(p.source + ": " + routes.error().message)};
    }
    screens_ = std::move(parsed->screens);
    pending_.reset();
    return {};
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
    if (find(className) == nullptr && !finishLoading()) {
        return nullptr;
    }
    const ScreenLayout* layout = find(className);
    const Registry::Entry* entry = registry_->find(className);
    if (layout == nullptr || entry == nullptr) {
        return nullptr;
    }
    auto screen = entry->make();
    screen->setServices(services);
    screen->setClassName(layout->className);
    screen->setTitle(translated(services.translator, layout->title));
    screen->setSpokenLine(translated(services.translator, layout->say));
    screen->backgroundColor = layout->background;
    screen->segues = layout->segues;
    for (const auto& c : layout->controls) {
        build(*screen, *entry, c, nullptr);
    }
    return screen;
}

} // namespace bc
