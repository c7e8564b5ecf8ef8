#include "screens/jobs/JobsViewControllers.h"

#include "platform/Format.h"
#include "platform/RunLoop.h"
#include "platform/Services.h"

#include <algorithm>

namespace bc {

namespace {
std::string numbered(const char* name, int n) { return name + std::to_string(n); }

// Appended piece by piece: g++ 12 at -O3 misreads " " + string as an overlapping copy (-Wrestrict).
void addSentence(std::string& line, const std::string& sentence)
{
    line += ' ';
    line += sentence;
}
} // namespace

void JobsViewController::updateUI()
{
    showCoins();
    // The day is shown as it stands now; a screen left open over midnight shows the new one when it comes back.
    turnDay(appState(), services().runLoop.today());
    const DayJobs& day = appState().jobs();
    const Translator& words = services().translator;
    if (greeting_.empty()) {
        greeting_ = spokenLine();
    }
    std::string line = greeting_;
    bool allDone = true;
    for (int i = 0; i < kJobsPerDay; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const std::string job = words.translate(jobWords(day.jobs[at]));
        if (auto* picture = dynamic_cast<ImageView*>(controlNamed(numbered("jobPicture", i + 1)))) {
            picture->setImage(imageNamed(jobPicture(day.jobs[at])));
        }
        if (auto* label = dynamic_cast<Label*>(controlNamed(numbered("jobLabel", i + 1)))) {
            label->setText(job);
        }
        setNamedHidden({numbered("jobTick", i + 1).c_str()}, !day.done[at]);
        addSentence(line, job);
        line += '.';
        if (day.done[at]) {
            addSentence(line, words.translate("Done!"));
        }
        allDone = allDone && day.done[at];
    }
    setNamedHidden({"celebrationLabel", "celebrationPicture"}, !allDone);
    setNamedHidden({"jobsHint"}, allDone);
    if (allDone) {
        if (auto* sticker = dynamic_cast<ImageView*>(controlNamed("celebrationPicture"))) {
            sticker->setImage(imageNamed(stickerPicture(std::min(day.stickers, kStickerBookSize))));
        }
        addSentence(line, words.translate(dayCompleteLine()));
    }
    setSpokenLine(line);
}

void StickerBookViewController::updateUI()
{
    showCoins();
    const int collected = appState().jobs().stickers;
    for (int place = 1; place <= kStickerBookSize; ++place) {
        if (auto* image = dynamic_cast<ImageView*>(controlNamed(numbered("sticker", place)))) {
            image->setImage(imageNamed(place <= collected       ? stickerPicture(place)
                                       : place == collected + 1 ? stickerShadow(place)
                                                                : std::string("sticker-empty.png")));
        }
    }
    const Translator& words = services().translator;
    const std::string count = stringWithFormat("%d", collected);
    std::string text = collected == 0 ? words.translate("No stickers yet.")
                                      : fill(words.translatePlural("You have %s sticker.", "You have %s stickers.",
                                                                   static_cast<unsigned long>(collected)),
                                             count);
    if (collected >= kStickerBookSize) {
        addSentence(text, words.translate("Your book is full!"));
    }
    if (auto* label = dynamic_cast<Label*>(controlNamed("stickerCountLabel"))) {
        label->setText(text);
    }
}

void registerJobScreens(Registry& registry, AppState& state)
{
    using F = FrameStep;
    const ScreenFrame frame{.didLoad = {F::HideBar}, .willAppear = {F::HideBarAnimated, F::Refresh}};
    auto jobs = registerCareScreen<JobsViewController>(registry, state, "JobsViewController", frame);
    jobs.named<Label>("celebrationLabel").named<ImageView>("celebrationPicture").named({"jobsHint"});
    for (int i = 1; i <= kJobsPerDay; ++i) {
        jobs.named<ImageView>(numbered("jobPicture", i)).named<Label>(numbered("jobLabel", i)).named<ImageView>(numbered("jobTick", i));
    }
    auto book = registerCareScreen<StickerBookViewController>(registry, state, "StickerBookViewController", frame);
    book.named<Label>("stickerCountLabel");
    for (int place = 1; place <= kStickerBookSize; ++place) {
        book.named<ImageView>(numbered("sticker", place));
    }
}

} // namespace bc
