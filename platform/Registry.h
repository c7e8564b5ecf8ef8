#pragma once

#include "platform/ScreenController.h"

#include <functional>
#include <map>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace bc {

template <class C> struct ControlKindOf;
template <> struct ControlKindOf<Label> { static constexpr ControlKind value = ControlKind::Label; };
template <> struct ControlKindOf<ImageView> { static constexpr ControlKind value = ControlKind::Image; };
template <> struct ControlKindOf<Button> { static constexpr ControlKind value = ControlKind::Button; };
template <> struct ControlKindOf<Switch> { static constexpr ControlKind value = ControlKind::Switch; };
template <> struct ControlKindOf<Stepper> { static constexpr ControlKind value = ControlKind::Stepper; };
template <> struct ControlKindOf<View> { static constexpr ControlKind value = ControlKind::View; };

// The one place where names in the interface description meet code: screen
// classes, their outlets, the controls their code finds by name, and their
// actions. A name missing on either side is a load error.
class Registry {
public:
    struct Outlet {
        ControlKind kind;
        std::function<void(ScreenController&, Control*)> bind;
    };
    struct ActionEntry {
        std::function<Action(ScreenController&)> bind;
        bool leaves = false; // takes the child off this screen (back, home, done…)
    };
    struct Entry {
        std::function<std::unique_ptr<ScreenController>()> make;
        std::map<std::string, Outlet> outlets;
        // Controls the screen's code looks up by name; the kind, when it counts.
        std::map<std::string, std::optional<ControlKind>> named;
        std::map<std::string, ActionEntry> actions;
    };

    template <class S> class Builder {
    public:
        explicit Builder(Entry& entry) : entry_(entry) {}

        template <class C, class B>
        Builder& outlet(const std::string& name, C* B::*member)
        {
            static_assert(std::is_base_of_v<B, S> && std::is_base_of_v<Control, C>);
            entry_.outlets[name] = Outlet{ControlKindOf<C>::value, [member](ScreenController& screen, Control* c) {
                                              static_cast<S&>(screen).*member = static_cast<C*>(c);
                                          }};
            return *this;
        }

        // A control the screen's code asks for by name (controlNamed) rather
        // than holding through an outlet: a control of that kind...
        template <class C> Builder& named(const std::string& name)
        {
            static_assert(std::is_base_of_v<Control, C>);
            entry_.named[name] = ControlKindOf<C>::value;
            return *this;
        }
        // ...or of any kind, for code that only shows or hides it.
        Builder& named(std::initializer_list<const char*> names)
        {
            for (const char* name : names) {
                entry_.named[name] = std::nullopt;
            }
            return *this;
        }

        // An action that takes the control that fired it.
        template <class B> Builder& action(const std::string& name, void (B::*method)(Control*))
        {
            return add(name, method, false);
        }
        // An operation with no sender that a control may still run (a reset, say).
        template <class B> Builder& action(const std::string& name, void (B::*method)())
        {
            return add(name, method, false);
        }
        // Like action(), for the ones that move the child off this screen.
        template <class M> Builder& exit(const std::string& name, M method) { return add(name, method, true); }

    private:
        template <class B> Builder& add(const std::string& name, void (B::*method)(Control*), bool leaves)
        {
            static_assert(std::is_base_of_v<B, S>);
            entry_.actions[name] = ActionEntry{[method](ScreenController& screen) -> Action {
                                                   S* self = &static_cast<S&>(screen);
                                                   return [self, method](Control* sender) { (self->*method)(sender); };
                                               },
                                               leaves};
            return *this;
        }
        template <class B> Builder& add(const std::string& name, void (B::*method)(), bool leaves)
        {
            static_assert(std::is_base_of_v<B, S>);
            entry_.actions[name] = ActionEntry{[method](ScreenController& screen) -> Action {
                                                   S* self = &static_cast<S&>(screen);
                                                   return [self, method](Control*) { (self->*method)(); };
                                               },
                                               leaves};
            return *this;
        }
        Entry& entry_;
    };

    template <class S> Builder<S> screen(const std::string& className)
    {
        return screen<S>(className, [] { return std::make_unique<S>(); });
    }
    // With a maker of its own, for screens that are handed what they work on.
    template <class S, class Make> Builder<S> screen(const std::string& className, Make make)
    {
        static_assert(std::is_base_of_v<ScreenController, S>);
        Entry& entry = entries_[className];
        entry.make = [make] { return std::unique_ptr<ScreenController>(make()); };
        return Builder<S>(entry);
    }

    // Screens registered only when one of them is first looked up: where code
    // is compiled as it first runs (the browser), a start that needs one
    // screen does not pay for them all. A group comes after the ones before it
    // and after every screen registered directly; a class is registered once.
    void later(std::function<void(Registry&)> group) { groups_.push_back(std::move(group)); }

    const Entry* find(const std::string& className) const
    {
        for (;;) {
            if (auto it = entries_.find(className); it != entries_.end()) {
                return &it->second;
            }
            if (!fillNextGroup()) {
                return nullptr;
            }
        }
    }

private:
    // Into a registry of its own, then moved in: the entries already handed
    // out stay where they are.
    bool fillNextGroup() const
    {
        if (filled_ == groups_.size()) {
            return false;
        }
        Registry group;
        groups_[filled_++](group);
        entries_.merge(group.entries_);
        for (auto& more : group.groups_) {
            groups_.push_back(std::move(more));
        }
        return true;
    }

    mutable std::map<std::string, Entry> entries_;
    mutable std::vector<std::function<void(Registry&)>> groups_;
    mutable std::size_t filled_ = 0;
};

} // namespace bc
