#include "app/command_line.h"

#include <gtest/gtest.h>

using namespace paperkit;

TEST(CommandLine, RunsTheInstanceWithItsOptions) {
    const auto parsed = ParseCommandLine({"paperkit", "--headless", "--server",
                                          "http://127.0.0.1:8080", "--exit-when-idle", "a.pkd"});
    ASSERT_TRUE(parsed.options);
    EXPECT_TRUE(parsed.options->headless);
    EXPECT_TRUE(parsed.options->exitWhenIdle);
    EXPECT_EQ(parsed.options->server, "http://127.0.0.1:8080");
    EXPECT_EQ(parsed.options->guideFile, "a.pkd");
    EXPECT_EQ(parsed.options->step, RemoteStep::None);
}

TEST(CommandLine, StepsTravelAsMessages) {
    const std::pair<const char*, RemoteStep> cases[] = {
        {"--next", RemoteStep::Next},
        {"--prev", RemoteStep::Prev},
        {"--next-album", RemoteStep::NextAlbum},
        {"--prev-album", RemoteStep::PrevAlbum},
        {"--clear", RemoteStep::Clear},
    };
    for (const auto& [flag, step] : cases) {
        const auto parsed = ParseCommandLine({"paperkit", flag});
        ASSERT_TRUE(parsed.options) << flag;
        EXPECT_EQ(parsed.options->step, step) << flag;
        EXPECT_EQ(StepFromMessage(StepMessage(step)), step) << flag;
    }
    EXPECT_EQ(StepFromMessage("1114"), RemoteStep::None);
}

TEST(CommandLine, RefusesWhatItCannotDo) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"paperkit", "--next", "--prev"},
             {"paperkit", "--next", "a.pkd"},
             {"paperkit", "--bogus"},
             {"paperkit", "a.pkd", "b.pkd"},
         }) {
        const auto parsed = ParseCommandLine(args);
        EXPECT_FALSE(parsed.options) << args[1];
        EXPECT_NE(parsed.exitCode, 0) << args[1];
        EXPECT_FALSE(parsed.output.empty()) << args[1];
    }
}

TEST(CommandLine, HelpAndVersionEndWithSuccess) {
    const auto version = ParseCommandLine({"paperkit", "--version"});
    EXPECT_FALSE(version.options);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_NE(version.output.find("1.0.0.1030"), std::string::npos);
    const auto help = ParseCommandLine({"paperkit", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("--exit-when-idle"), std::string::npos);
}
