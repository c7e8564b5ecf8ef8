#include "screens/settings/PracticeViewController.h"

#include "platform/Format.h"
#include "platform/RunLoop.h"
#include "platform/Services.h"

#include <string>

namespace bc {

namespace {
// Each column: the end of its labels' names, what a number in it is for a
// screen reader (which reads "Good checks today: 3"), and which counts it shows.
struct Column {
    const char* suffix;
    const char* spoken;
    PracticeCounts PracticeRecord::*counts;
};
const Column kColumns[] = {{"Today", untranslated("%s today"), &PracticeRecord::today},
                           {"Week", untranslated("%s this week"), &PracticeRecord::week},
                           {"Ever", untranslated("%s in all"), &PracticeRecord::ever}};
// Kept on this device, the counts go back to the day remembering began;
// otherwise they are this run's alone.
const char* const kThisRunNote =
    untranslated("What your child did in the game, counted since it was opened. Every try is practice.");
const char* const kRememberedNote =
    untranslated("What your child did in the game, counted since remembering began. Every try is practice.");
} // namespace

void PracticeViewController::updateUI()
{
    showCoins();
    // Shown as of today without turning the day: only doing something does that.
    const PracticeRecord record = practiceOn(appState().practice(), services().runLoop.today());
    const Translator& words = services().translator;
    if (auto* note = dynamic_cast<Label*>(controlNamed("practiceNote"))) {
        note->setText(words.translate(appState().preferences().remember ? kRememberedNote : kThisRunNote));
    }
    for (const PracticeCount& row : kPracticeCounts) {
        const auto* caption = dynamic_cast<const Label*>(controlNamed(std::string(row.name) + "Caption"));
        for (const Column& column : kColumns) {
            auto* number = dynamic_cast<Label*>(controlNamed(row.name + std::string(column.suffix)));
            if (number == nullptr || caption == nullptr) {
                continue;
            }
            number->setText(stringWithFormat("%d", (record.*column.counts).*row.count));
            number->accessibilityLabel = fill(words.translate(column.spoken), caption->text());
        }
    }
}

void registerPracticeScreen(Registry& registry, AppState& state)
{
    using F = FrameStep;
    auto builder = registerCareScreen<PracticeViewController>(
        registry, state, "PracticeViewController", {.didLoad = {F::HideBar}, .willAppear = {F::HideBarAnimated, F::Refresh}});
    builder.named<Label>("practiceNote");
    for (const PracticeCount& row : kPracticeCounts) {
        builder.named<Label>(std::string(row.name) + "Caption");
        for (const Column& column : kColumns) {
            builder.named<Label>(row.name + std::string(column.suffix));
        }
    }
}

} // namespace bc
