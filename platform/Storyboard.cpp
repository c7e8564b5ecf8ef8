#include "platform/Storyboard.h"

#include "platform/FileText.h"
#include "platform/PictureCatalog.h"
#include "platform/Services.h"
#include "platform/StoryboardStages.h"
#include "state/Translator.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <optional>
#include <utility>

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
    std::string text; // parsed again whole when the rest is read
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
    BC_TRY_LET(text, readFileText(path));
    return parse(text, path, registry, pictures, loading);
}

namespace {

Result<json> parseJson(const std::string& text, const std::string& source)
{
    try {
        return json::parse(text);
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
}

// Where the code runs cold (the browser's first start) reading the whole
// description costs more than the first screen does: this is the text with
// "screens" cut to its first entry, found by the text's brackets and quotes
// alone. Nothing is decided from it that the whole pass does not decide
// again, so text it misjudges (any but plain, well-formed JSON) only costs
// the quick path: nothing, or a cut the parser refuses, and the whole text is
// parsed instead.
std::optional<std::string> firstScreenOnly(const std::string& text)
{
    std::size_t at = 0;
    const auto space = [&] {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\n' || text[at] == '\r' || text[at] == '\t')) {
            ++at;
        }
    };
    const auto skipString = [&] {
        for (++at; at < text.size() && text[at] != '"'; ++at) {
            at += text[at] == '\\' ? 1 : 0;
        }
        return at++ < text.size();
    };
    // To just past the value that starts here (a scalar: to what ends it).
    const auto skipValue = [&] {
        int depth = 0;
        while (at < text.size()) {
            const char c = text[at];
            if (c == '"') {
                if (!skipString()) {
                    return false;
                }
            } else if (c == '{' || c == '[') {
                ++depth;
                ++at;
            } else if (c == '}' || c == ']') {
                if (depth == 0) {
                    return true;
                }
                ++at;
                --depth;
            } else if (c == ',' && depth == 0) {
                return true;
            } else {
                ++at;
            }
            if (depth == 0 && (c == '"' || c == '}' || c == ']')) {
                return true;
            }
        }
        return false;
    };
    std::optional<std::pair<std::size_t, std::size_t>> cut;
    space();
    if (at >= text.size() || text[at++] != '{') {
        return std::nullopt;
    }
    for (;;) {
        space();
        const std::size_t key = at;
        if (at >= text.size() || text[at] != '"' || !skipString()) {
            return std::nullopt;
        }
        const bool screens = text.compare(key, at - key, "\"screens\"") == 0;
        space();
        if (at >= text.size() || text[at++] != ':') {
            return std::nullopt;
        }
        space();
        const std::size_t value = at;
        if (screens && (cut || at >= text.size() || text[at] != '[')) {
            return std::nullopt;
        }
        if (screens) {
            ++at;
            space();
            if (!skipValue()) {
                return std::nullopt;
            }
            cut = std::pair{at, at};
            at = value;
        }
        if (!skipValue()) {
            return std::nullopt;
        }
        if (screens) {
            cut->second = at - 1; // the array's closing bracket
        }
        space();
        if (at < text.size() && text[at] == ',') {
            ++at;
            continue;
        }
        if (at >= text.size() || text[at] != '}' || !cut) {
            return std::nullopt;
        }
        return text.substr(0, cut->first) + text.substr(cut->second);
    }
}

// The first screen, read from its own text; nothing when the cut or that
// screen has a fault, which the whole text then meets as it would at once.
std::optional<storyboard::Parsed> firstScreenAlone(const std::string& text, const std::string& source,
                                                   const Registry& registry, const PictureCatalog& pictures)
{
    const auto first = firstScreenOnly(text);
    auto root = first ? parseJson(*first, source) : Result<json>(Error{});
    auto parsed = root ? storyboard::parseScreens(*root, registry, pictures, true) : Result<storyboard::Parsed>(Error{});
    return parsed ? std::optional<storyboard::Parsed>(std::move(*parsed)) : std::nullopt;
}

} // namespace

Result<Storyboard> Storyboard::parse(const std::string& text, const std::string& source, const Registry& registry,
                                     const PictureCatalog& pictures, Loading loading)
{
    const bool initialFirst = loading == Loading::InitialFirst;
    auto parsed = initialFirst ? firstScreenAlone(text, source, registry, pictures) : std::nullopt;
    if (!parsed) {
        BC_TRY_LET(root, parseJson(text, source));
        auto whole = storyboard::parseScreens(root, registry, pictures, initialFirst);
        if (!whole) {
            return Error{oneLine(source + ": " + whole.error().message)};
        }
        parsed = std::move(*whole);
    }
    Storyboard board(registry);
    board.initial_ = std::move(parsed->initial);
    board.screens_ = std::move(parsed->screens);
    if (initialFirst) {
        board.pending_ = std::make_shared<const Pending>(Pending{text, source, &pictures});
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
    BC_TRY_LET(root, parseJson(p.text, p.source));
    auto parsed = storyboard::parseScreens(root, *registry_, *p.pictures);
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
