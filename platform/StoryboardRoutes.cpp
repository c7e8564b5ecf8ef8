#include "platform/StoryboardStages.h"

#include <deque>
#include <map>
#include <optional>
#include <set>

namespace bc::storyboard {

namespace {
template <class F> void eachControl(const std::vector<ControlLayout>& controls, F&& f)
{
    for (const auto& c : controls) {
        f(c);
        eachControl(c.children, f);
    }
}

} // namespace

Result<void> checkRoutes(const std::string& initial, const std::vector<ScreenLayout>& screens,
                         const Registry& registry)
{
    const auto failure = [](const std::string& where, const std::string& what) { return Error{where + ": " + what}; };
    std::map<std::string, const ScreenLayout*> byClass;
    for (const auto& s : screens) {
        byClass[s.className] = &s;
    }
    for (const auto& s : screens) {
        const std::string where = "screen " + quote(s.className);
        for (const auto& [id, target] : s.segues) {
            if (!byClass.contains(target)) {
                return failure(where + " segue " + quote(id), "leads to " + quote(target) + ", which is not declared");
            }
        }
        bool canLeave = s.className == initial;
        const auto* entry = registry.find(s.className);
        std::optional<Error> strayRoute;
        eachControl(s.controls, [&](const ControlLayout& c) {
            const auto& t = c.transition;
            if ((t.kind == Transition::Kind::Push || t.kind == Transition::Kind::Unwind) && !byClass.contains(t.target) &&
                !strayRoute) {
                strayRoute = failure(where + " control " + quote(c.name),
                                     "leads to " + quote(t.target) + ", which is not declared");
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
        if (strayRoute) {
            return *strayRoute;
        }
        if (!canLeave) {
            return failure(where, "has no control that leaves it (back, home, pop or unwind)");
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
            return failure("screen " + quote(s.className), "cannot be reached from " + quote(initial));
        }
    }
    return done();
}

} // namespace bc::storyboard
