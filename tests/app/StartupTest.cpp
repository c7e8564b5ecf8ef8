#include "app/CommandLine.h"
#include "app/GameRegistry.h"
#include "platform/Application.h"
#include "support/Game.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace bc {
namespace {

Result<LaunchOptions> parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "buddycare");
    return parseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLine, SeedsAreWholeNumbersFromZeroTo2To64Minus1)
{
    const std::pair<const char*, std::optional<std::uint64_t>> rows[] = {
        {"0", 0},
        {"18446744073709551615", UINT64_MAX},
        {"-1", std::nullopt},
        {"18446744073709551616", std::nullopt},
        {"5x", std::nullopt},
    };
    for (const auto& [text, expected] : rows) {
        const auto options = parse({"--headless", "--seed", text});
        ASSERT_EQ(options.ok(), expected.has_value()) << text;
        if (options) {
            EXPECT_EQ(options->seed, expected) << text;
        } else {
            EXPECT_NE(options.error().message.find("--seed"), std::string::npos) << options.error().message;
        }
    }
}

TEST(CommandLine, UnitsAndLanguageAreCheckedAndARefusalIsOneLine)
{
    EXPECT_EQ(parse({})->units, GlucoseUnit::MgPerDl);
    EXPECT_EQ(parse({"--units", "mmol"})->units, GlucoseUnit::MmolPerL);
    for (const char* bad : {"mmol/L", "MG", "", "mg\nmmol"}) {
        const auto refused = parse({"--units", bad});
        ASSERT_FALSE(refused.ok()) << bad;
        EXPECT_EQ(refused.error().message.find('\n'), std::string::npos) << refused.error().message;
    }
    EXPECT_EQ(parse({"--language", "fr_CA"})->language, "fr_CA");
    EXPECT_EQ(parse({"--version"})->finished, 0) << "asked for, so not a failure";
    EXPECT_NE(parse({"--colour"}).error().message.find("(see --help)"), std::string::npos);
    EXPECT_FALSE(parse({"--language", "../../tmp/x"}).ok());
    EXPECT_FALSE(parse({"--resources", ""}).ok());
    EXPECT_EQ(parse({})->date, kFirstPlayDay);
    EXPECT_EQ(parse({"--date", "2027-03-01"})->date, (Date{2027, 3, 1}));
    for (const char* bad : {"2027-02-29", "tomorrow", "", "2027-03-01\nx"}) {
        const auto refused = parse({"--date", bad});
        ASSERT_FALSE(refused.ok()) << bad;
        EXPECT_EQ(refused.error().message.rfind("--date: ", 0), 0u) << refused.error().message;
        EXPECT_EQ(refused.error().message.find('\n'), std::string::npos) << refused.error().message;
    }
    EXPECT_NE(parse({"--date", "2027 03 01"}).error().message.find("\"2027 03 01\""), std::string::npos)
        << "only what would break the line is replaced";
}

TEST(ApplicationCreate, ResourceFaultsSayWhatIsWrongWithTheFolder)
{
    test::ScratchFolder folder;
    folder.write("plain.txt", "x");
    std::filesystem::create_directory(folder.path() + "/nested");
    std::filesystem::create_directory(folder.path() + "/nested/storyboard.json");
    const std::pair<std::string, std::string> rows[] = {
        {"/plain.txt", "plain.txt: is not a folder"},
        {"/nested", "storyboard.json: is a folder, not a file"},
    };
    GameSetup game;
    for (const auto& [name, expected] : rows) {
        auto created = Application::create(folder.path() + name, game.registry, RunLoop::ClockKind::Virtual);
        ASSERT_FALSE(created.ok()) << name;
        EXPECT_NE(created.error().message.find(expected), std::string::npos) << created.error().message;
    }
}

} // namespace
} // namespace bc
