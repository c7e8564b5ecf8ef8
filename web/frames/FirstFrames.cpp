// The first frame of the page, once for each language the bundle carries,
// worked out by the game itself before the page is served:
//   buddycare-first-frames RESOURCES OUT.json
// RESOURCES is the bundle's resource folder (the interface description, the
// pictures and locale/*.json). The first screen of a run depends on nothing
// but the language: the care state starts the same every time, and nothing
// random happens before a check. The page draws the answer while its code
// still loads, and the code takes over the very same frame.
#include "platform/FileText.h"
#include "platform/sdl/FontMeasure.h"
#include "platform/sdl/FontSource.h"
#include "web/glue/JsonTranslator.h"
#include "web/glue/WebSession.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>

namespace {

// As the page measures: widths in the game's typeface, lines 1.2 times
// their size (the page sets each line's height from the frame).
class PageMeasure : public bc::TextMeasure {
public:
    explicit PageMeasure(bc::sdl::FontSource& fonts) : widths_(fonts) {}
    float width(const std::string& line, float size, bool bold) const override
    {
        return widths_.width(line, size, bold);
    }
    float lineHeight(float size, bool bold) const override { return plain_.lineHeight(size, bold); }
    bool hasGlyph(char32_t character) const override { return widths_.hasGlyph(character); }

private:
    bc::sdl::FontMeasure widths_;
    bc::PlainMeasure plain_;
};

bc::Result<bc::WebSession::json> firstFrames(const std::filesystem::path& resources, bc::sdl::FontSource& fonts)
{
    std::set<std::string> languages{""};
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(resources / "locale", error)) {
        if (entry.path().extension() == ".json") {
            languages.insert(entry.path().stem().string());
        }
    }
    bc::WebSession::json frames = bc::WebSession::json::object();
    for (const std::string& language : languages) {
        std::unique_ptr<const bc::Translator> translator;
        if (!language.empty()) {
            BC_TRY_LET(catalogue, bc::readFileText(resources / "locale" / (language + ".json")));
            translator = std::make_unique<const bc::JsonTranslator>(catalogue);
        }
        BC_TRY_LET(session, bc::WebSession::start(resources.string(), bc::RunLoop::ClockKind::Real, std::nullopt,
                                                  std::move(translator), std::nullopt,
                                                  std::make_unique<const PageMeasure>(fonts)));
        frames[language] = {{"frame", session->frame()}, {"words", session->words()}};
    }
    return frames;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "buddycare-first-frames: usage: buddycare-first-frames RESOURCES OUT.json\n";
        return 2;
    }
    auto fonts = bc::sdl::FontSource::find();
    if (!fonts) {
        std::cerr << "buddycare-first-frames: " << fonts.error().message << "\n";
        return 2;
    }
    auto frames = firstFrames(argv[1], **fonts);
    if (!frames) {
        std::cerr << "buddycare-first-frames: " << frames.error().message << "\n";
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << frames->dump(-1, ' ', false, bc::WebSession::json::error_handler_t::replace);
    if (!out.flush()) {
        std::cerr << "buddycare-first-frames: " << argv[2] << ": cannot be written\n";
        return 2;
    }
    return 0;
}
