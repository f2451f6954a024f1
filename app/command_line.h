#pragma once
// What `vorlin` is asked to do by its arguments. Plain `vorlin` opens the
// window; with commands it hands them to this user's running Vorlin, or runs
// them itself once its window is up when none runs.
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

class Form1;

struct CommandLine {
    enum class Kind { Run, Help, Version, Error };
    enum class Action { Start, Stop, Lock, Quit };

    Kind kind = Kind::Run;
    std::optional<QString> interval;               // --interval MS: text for the interval box
    std::optional<std::pair<QString, QString>> at; // --at X Y: texts for the X and Y boxes
    std::vector<Action> actions;                   // in the order given
    QString error;                                 // Kind::Error: one line for standard error

    // Something for the running instance to do; plain `vorlin` has nothing.
    bool hasCommands() const { return interval || at || !actions.empty(); }
    bool quits() const;
};

// The arguments without the program's name. The first of --help, --version or
// a fault decides; values are taken as typed, checked only by the handlers.
CommandLine parseCommandLine(const QStringList& arguments);
QString commandLineHelp();

// Fills the boxes as if typed, then runs each action with the main window's
// handler that its hotkey runs, or closes the window as its close box does.
void runCommands(const CommandLine& commands, Form1& form1);
