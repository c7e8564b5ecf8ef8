#pragma once

#include "platform/Control.h"
#include "platform/Registry.h"
#include "platform/Result.h"
#include "platform/ScreenController.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace bc {

class PictureCatalog;

struct ControlLayout {
    ControlKind kind = ControlKind::View;
    std::string name; // outlet, else given name, else first action, else route, else kind+index
    std::string outlet;
    Rect frame;
    Style style;
    std::string text;
    std::string title;
    std::string picture;
    std::string icon;
    std::string accessibilityLabel;
    bool hidden = false;
    bool enabled = true;
    bool on = false;
    double minimum = 0, maximum = 100, step = 1, value = 0;
    std::vector<std::string> actions;
    Transition transition;
    std::vector<ControlLayout> children;
};

struct ScreenLayout {
    std::string className;
    std::string title;
    std::string say;
    Color background{250, 246, 238, 255};
    std::vector<ControlLayout> controls;
    std::map<std::string, std::string> segues;
};

// The interface description: every screen's layout, wiring and transitions,
// checked against the registry and the pictures as it loads.
class Storyboard {
public:
    // Whole: every screen is read and every route checked before the load
    // returns. InitialFirst: only the first screen is, so that it shows
    // sooner (the page's start); the rest wait for finishLoading(), or for
    // the first screen asked for that is not read yet. The catalogue must
    // outlive the storyboard.
    enum class Loading { Whole, InitialFirst };

    // An error is one line naming the file and the entry.
    static Result<Storyboard> loadFile(const std::string& path, const Registry& registry,
                                       const PictureCatalog& pictures, Loading loading = Loading::Whole);
    // `source` names the text in error messages (a file path, usually).
    static Result<Storyboard> parse(const std::string& text, const std::string& source, const Registry& registry,
                                    const PictureCatalog& pictures, Loading loading = Loading::Whole);

    // Reads and checks what an InitialFirst load left (nothing otherwise), as
    // a Whole load would have; on error nothing changes and the error stays.
    Result<void> finishLoading() const;
    bool loaded() const { return pending_ == nullptr; }

    const std::string& initial() const { return initial_; }
    // Every screen's layout once loaded; before, the first screen's alone.
    const std::vector<ScreenLayout>& screens() const { return screens_; }
    const ScreenLayout* find(const std::string& className) const;

    // A new, unloaded screen with its controls, outlets and actions bound;
    // null for a class the description lacks, or when what was left to read
    // does not load.
    std::unique_ptr<ScreenController> instantiate(const std::string& className, Services& services) const;

private:
    struct Pending; // the parsed text and what reading the rest needs
    Storyboard(const Registry& registry) : registry_(&registry) {}
    const Registry* registry_;
    std::string initial_;
    // Finishing a load reads what was already there: to a caller, only the
    // time it takes differs, so it happens behind const.
    mutable std::vector<ScreenLayout> screens_;
    mutable std::shared_ptr<const Pending> pending_;
};

} // namespace bc
