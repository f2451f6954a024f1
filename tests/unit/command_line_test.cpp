// The command line: every argument list and what it asks for, in one table.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

using Kind = CommandLine::Kind;
using Action = CommandLine::Action;

struct Row {
    QStringList arguments;
    Kind kind;
    std::optional<QString> interval = {};
    std::optional<std::pair<QString, QString>> at = {};
    std::vector<Action> actions = {};
    QString errorPart = {}; // Kind::Error: part of the one-line message
};

class CommandLineTable : public ::testing::TestWithParam<Row> {};

TEST_P(CommandLineTable, ParsesAsTheRowSays)
{
    const Row& row = GetParam();
    const CommandLine c = parseCommandLine(row.arguments);
    EXPECT_EQ(c.kind, row.kind);
    EXPECT_EQ(c.interval, row.interval);
    EXPECT_EQ(c.at, row.at);
    EXPECT_EQ(c.actions, row.actions);
    if (row.kind == Kind::Error) {
        EXPECT_TRUE(c.error.startsWith(u"vorlin: ")) << c.error.toStdString();
        EXPECT_TRUE(c.error.contains(row.errorPart)) << c.error.toStdString();
        EXPECT_FALSE(c.error.contains(u'\n')) << "one line";
    }
    EXPECT_EQ(c.hasCommands(), row.kind == Kind::Run && !row.arguments.isEmpty());
}

const QString Bad = QStringLiteral("1\n0");

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTable,
    ::testing::Values(
        Row{{}, Kind::Run},
        Row{{"--start"}, Kind::Run, {}, {}, {Action::Start}},
        Row{{"--interval", "10", "--start"}, Kind::Run, "10", {}, {Action::Start}},
        // The boxes are filled whatever the position; the actions keep their order.
        Row{{"--lock", "--at", "300", "400"}, Kind::Run, {}, std::pair<QString, QString>{"300", "400"}, {Action::Lock}},
        Row{{"--stop", "--start", "--quit"}, Kind::Run, {}, {}, {Action::Stop, Action::Start, Action::Quit}},
        // Values go in as typed: the handlers judge them, with their own messages.
        Row{{"--interval", "abc"}, Kind::Run, "abc"},
        Row{{"--interval", ""}, Kind::Run, ""},
        Row{{"--at", "-10", "-20"}, Kind::Run, {}, std::pair<QString, QString>{"-10", "-20"}},
        Row{{"--interval", "1", "--interval", "2"}, Kind::Run, "2"},
        Row{{"--help"}, Kind::Help},
        Row{{"--start", "--version", "--bogus"}, Kind::Version},
        Row{{"--bogus", "--help"}, Kind::Error, {}, {}, {}, "unknown argument \"--bogus\""},
        Row{{"start"}, Kind::Error, {}, {}, {}, "\"start\""},
        Row{{"-start"}, Kind::Error, {}, {}, {}, "\"-start\""},
        Row{{"--interval=10"}, Kind::Error, {}, {}, {}, "\"--interval=10\""},
        Row{{"--interval"}, Kind::Error, {}, {}, {}, "--interval needs a value"},
        Row{{"--interval", "--start"}, Kind::Error, {}, {}, {}, "--interval needs a value"},
        Row{{"--at", "300"}, Kind::Error, {}, {}, {}, "--at needs two values"},
        Row{{"--at", "300", "--lock"}, Kind::Error, {}, {}, {}, "--at needs two values"},
        Row{{"--interval", Bad}, Kind::Error, {}, {}, {}, "without control characters"},
        Row{{"--x\ny"}, Kind::Error, {}, {}, {}, "\"--x?y\""}));

} // namespace
