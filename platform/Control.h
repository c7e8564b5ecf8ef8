#pragma once

#include "platform/Geometry.h"

#include <string>
#include <vector>

namespace bc {

enum class ControlKind { Label, Image, Button, Switch, Stepper, View };

const char* kindName(ControlKind kind);
// Buttons, switches and steppers: the kinds a finger can work.
bool takesTaps(ControlKind kind);

enum class TextAlign { Left, Center, Right };

// How a control looks; set from the interface description, never by screens.
struct Style {
    float fontSize = 17;
    bool bold = false;
    Color textColor{40, 40, 60, 255};
    Color background{0, 0, 0, 0};
    float cornerRadius = 0;
    TextAlign align = TextAlign::Left;
};

class Control {
public:
    explicit Control(ControlKind kind) : kind_(kind) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }

    // The stable name the driver and the focus ring use (outlet, action or route).
    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    const Rect& frame() const { return frame_; }
    void setFrame(Rect r) { frame_ = r; }
    // Frame on the canvas, containers' offsets applied.
    Rect canvasFrame() const;

    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { hidden_ = hidden; }
    // Hidden itself or inside a hidden container.
    bool isEffectivelyHidden() const;

    virtual bool isEnabled() const { return true; }
    // Visible, enabled and a kind that reacts to touch.
    bool acceptsTouch() const;

    Control* parent() const { return parent_; }
    void setParent(Control* parent) { parent_ = parent; }

    Style style;
    // Words a screen reader says for controls whose text does not say enough.
    std::string accessibilityLabel;

private:
    ControlKind kind_;
    std::string name_;
    Rect frame_;
    bool hidden_ = false;
    Control* parent_ = nullptr;
};

class Label : public Control {
public:
    Label() : Control(ControlKind::Label) {}
    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }

private:
    std::string text_;
};

// A picture chosen by file name; an empty name shows nothing.
class Picture {
public:
    Picture() = default;

    const std::string& name() const { return name_; }
    bool empty() const { return name_.empty(); }

private:
    // Only the catalogue names pictures: a name always means an existing file.
    friend class PictureCatalog;
    explicit Picture(std::string name) : name_(std::move(name)) {}
    std::string name_;
};

class ImageView : public Control {
public:
    ImageView() : Control(ControlKind::Image) {}
    const Picture& image() const { return image_; }
    void setImage(Picture image) { image_ = std::move(image); }

private:
    Picture image_;
};

class Button : public Control {
public:
    Button() : Control(ControlKind::Button) {}
    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    bool isEnabled() const override { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    // An icon drawn beside the title.
    Picture icon;

private:
    std::string title_;
    bool enabled_ = true;
};

class Switch : public Control {
public:
    Switch() : Control(ControlKind::Switch) {}
    bool isOn() const { return on_; }
    void setOn(bool on) { on_ = on; }

private:
    bool on_ = false;
};

class Stepper : public Control {
public:
    Stepper() : Control(ControlKind::Stepper) {}
    double value() const { return value_; }
    // Stored as given, as the platform's stepper does when code sets it.
    void setValue(double value) { value_ = value; }
    double minimumValue = 0;
    double maximumValue = 100;
    double stepValue = 1;
    // The value as its screen shows it, when that is not the value itself
    // (a rate kept in tenths): what is said of it. Empty: the value.
    std::string shownValue;

    // One press of + or −, clamped to the bounds. Returns whether the value moved.
    bool increment();
    bool decrement();

private:
    double value_ = 0;
};

// A plain container: hiding it hides what it holds. Holds non-owning links;
// the screen owns every control.
class View : public Control {
public:
    View() : Control(ControlKind::View) {}
    const std::vector<Control*>& subviews() const { return subviews_; }
    void addSubview(Control* child)
    {
        child->setParent(this);
        subviews_.push_back(child);
    }

private:
    std::vector<Control*> subviews_;
};

} // namespace bc
