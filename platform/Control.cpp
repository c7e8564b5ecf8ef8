#include "platform/Control.h"

#include <algorithm>

namespace bc {

const char* kindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label: return "label";
    case ControlKind::Image: return "image";
    case ControlKind::Button: return "button";
    case ControlKind::Switch: return "switch";
    case ControlKind::Stepper: return "stepper";
    case ControlKind::View: return "view";
    }
    return "view";
}

bool takesTaps(ControlKind kind)
{
    return kind == ControlKind::Button || kind == ControlKind::Switch || kind == ControlKind::Stepper;
}

Rect Control::canvasFrame() const
{
    Rect r = frame_;
    for (const Control* p = parent_; p != nullptr; p = p->parent_) {
        r = r.offset(p->frame().x, p->frame().y);
    }
    return r;
}

bool Control::isEffectivelyHidden() const
{
    for (const Control* c = this; c != nullptr; c = c->parent_) {
        if (c->hidden_) {
            return true;
        }
    }
    return false;
}

bool Control::acceptsTouch() const
{
    return takesTaps(kind_) && isEnabled() && !isEffectivelyHidden();
}

bool Stepper::increment()
{
    const double next = std::min(value_ + stepValue, maximumValue);
    if (next == value_) {
        return false;
    }
    value_ = next;
    return true;
}

bool Stepper::decrement()
{
    const double next = std::max(value_ - stepValue, minimumValue);
    if (next == value_) {
        return false;
    }
    value_ = next;
    return true;
}

} // namespace bc
