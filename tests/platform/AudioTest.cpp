#include "platform/Audio.h"
#include "platform/Control.h"
#include "platform/Gettext.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace bc {
namespace {

// What the keyboard's focus reads out: the screen-reader words first, then
// what the child sees on the control, its name only when it shows nothing.
TEST(SpokenName, AControlIsReadByWhatItShowsBeforeItsName)
{
    const GettextTranslator words(BUDDYCARE_CATALOGUES, "en");
    const std::pair<std::function<std::unique_ptr<Control>()>, const char*> rows[] = {
        {[] { auto l = std::make_unique<Label>(); l->setName("note"); l->setText("Time to eat"); return l; }, "Time to eat"},
        {[] { auto l = std::make_unique<Label>(); l->setName("note"); return l; }, "note"},
        {[] {
             auto l = std::make_unique<Label>();
             l->setText("Time to eat");
             l->accessibilityLabel = "Lunch";
             return l;
         },
         "Lunch"},
        {[] { auto b = std::make_unique<Button>(); b->setName("go"); b->setTitle("Go"); return b; }, "Go"},
        {[] { auto v = std::make_unique<View>(); v->setName("box"); return v; }, "box"},
    };
    for (const auto& [make, says] : rows) {
        EXPECT_EQ(spokenName(*make(), words), says);
    }
}

} // namespace
} // namespace bc
