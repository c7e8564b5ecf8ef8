#include "platform/ScreenController.h"

#include "platform/Console.h"
#include "platform/Format.h"
#include "platform/NavigationController.h"
#include "platform/PictureCatalog.h"
#include "platform/Random.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace bc {

std::string Transition::tapName() const
{
    switch (kind) {
    case Kind::Push: return "->" + target;
    case Kind::Pop: return "<-pop";
    case Kind::PopToRoot: return "<-root";
    case Kind::Unwind: return "<-unwind";
    case Kind::None: break;
    }
    return {};
}

void ScreenController::performSegueWithIdentifier(const std::string& identifier, ScreenController* sender)
{
    (void)sender;
    if (navigation_ != nullptr) {
        navigation_->performSegue(this, identifier);
    }
}

Services& ScreenController::services() const
{
    if (services_ == nullptr) {
        // Only a screen made outside the interface description lacks them: a programming error.
        std::fprintf(stderr, "%s: screen %s has no services\n", kProgramName, className_.c_str());
        std::abort();
    }
    return *services_;
}

void ScreenController::NSLog(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string line = vstringWithFormat(format, args);
    va_end(args);
    services().console.log(line);
}

std::uint32_t ScreenController::randomUniform(std::uint32_t bound) { return services().random.uniform(bound); }

Picture ScreenController::imageNamed(const std::string& name)
{
    return services().pictures.imageNamed(name, services().console);
}

void ScreenController::loadViewIfNeeded()
{
    if (!loaded_) {
        loaded_ = true;
        viewDidLoad();
    }
}

const ScreenController::Slot* ScreenController::slotOf(const Control* control) const
{
    for (const auto& slot : slots_) {
        if (slot.control.get() == control) {
            return &slot;
        }
    }
    return nullptr;
}

Control* ScreenController::controlNamed(const std::string& name) const
{
    for (const auto& slot : slots_) {
        if (slot.control->name() == name) {
            return slot.control.get();
        }
    }
    return nullptr;
}

void ScreenController::sendActions(Control* control)
{
    const Slot* slot = slotOf(control);
    if (slot == nullptr) {
        return;
    }
    // Copy: an action may take this screen off the stack, never out of memory,
    // but keep the loop independent of the slot all the same.
    const auto actions = slot->actions;
    for (const auto& action : actions) {
        action(control);
    }
}

ScreenController::Slot& ScreenController::addSlot(std::unique_ptr<Control> control)
{
    slots_.push_back(Slot{std::move(control), {}, {}, {}, {}});
    return slots_.back();
}

} // namespace bc
