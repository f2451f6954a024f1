#include "app/command_line.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include "app/form1.h"

namespace {

using Action = CommandLine::Action;

CommandLine failure(const QString& what)
{
    CommandLine c;
    c.kind = CommandLine::Kind::Error;
    c.error = QStringLiteral("vorlin: %1 (see vorlin --help)").arg(what);
    return c;
}

// A box holds one line of typed text: no control characters.
bool typeable(const QString& text)
{
    return std::none_of(text.begin(), text.end(), [](QChar ch) { return ch.category() == QChar::Other_Control; });
}

QString shown(QString text)
{
    for (QChar& ch : text)
        if (ch.category() == QChar::Other_Control)
            ch = u'?';
    return text;
}

// A command can arrive while a message box runs its own loop. Closing the
// window there would delete it under the handler that opened the box, so the
// boxes are closed first and the window once only the main loop runs.
void closeOutsideMessageLoops(const QPointer<Form1>& window)
{
    if (!window)
        return;
    if (QThread::currentThread()->loopLevel() <= 1) {
        window->close();
        return;
    }
    while (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        box->reject();
    QTimer::singleShot(0, window, [window] { closeOutsideMessageLoops(window); });
}

} // namespace

bool CommandLine::quits() const { return std::find(actions.begin(), actions.end(), Action::Quit) != actions.end(); }

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine c;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--help" || a == u"--version") {
            CommandLine only;
            only.kind = a == u"--help" ? CommandLine::Kind::Help : CommandLine::Kind::Version;
            return only;
        }
        if (a == u"--start")
            c.actions.push_back(Action::Start);
        else if (a == u"--stop")
            c.actions.push_back(Action::Stop);
        else if (a == u"--lock")
            c.actions.push_back(Action::Lock);
        else if (a == u"--quit")
            c.actions.push_back(Action::Quit);
        else if (a == u"--interval" || a == u"--at") {
            const qsizetype count = a == u"--interval" ? 1 : 2;
            const QStringList values = arguments.mid(i + 1, count);
            // "--interval --start" forgot the value; a negative coordinate has one dash.
            if (values.size() < count || std::any_of(values.begin(), values.end(), [](const QString& v) { return v.startsWith(u"--"); }))
                return failure(count == 1 ? QStringLiteral("--interval needs a value, MS")
                                          : QStringLiteral("--at needs two values, X and Y"));
            if (!std::all_of(values.begin(), values.end(), typeable))
                return failure(a + QStringLiteral(" takes text without control characters"));
            if (count == 1)
                c.interval = values[0];
            else
                c.at = std::pair{values[0], values[1]};
            i += count;
        } else
            return failure(QStringLiteral("unknown argument \"%1\"").arg(shown(a)));
    }
    return c;
}

QString commandLineHelp()
{
    return QStringLiteral(
        "Usage: vorlin [--interval MS] [--at X Y] [--start] [--stop] [--lock] [--quit]\n"
        "Without arguments Vorlin opens its window. With them it hands the commands to\n"
        "your running Vorlin, or starts one that runs them once its window is up.\n"
        "\n"
        "  --interval MS  type MS into the click interval box (1 to 5000 milliseconds)\n"
        "  --at X Y       type X and Y into the coordinate boxes\n"
        "  --start        start clicking, as the start hotkey does\n"
        "  --stop         stop clicking and release the cursor, as the stop hotkey does\n"
        "  --lock         pin the cursor to X, Y, as the lock hotkey does\n"
        "  --quit         close the running Vorlin, as its close box does\n"
        "  --help         show this help\n"
        "  --version      show the version\n"
        "\n"
        "The boxes are filled first, then the commands run in the order given; a bad\n"
        "interval or missing coordinates show the same messages as the hotkeys.\n");
}

void runCommands(const CommandLine& commands, Form1& form1)
{
    if (commands.interval)
        form1.mTextBox3->setText(*commands.interval);
    if (commands.at) {
        form1.mTextBox1->setText(commands.at->first);
        form1.mTextBox2->setText(commands.at->second);
    }
    // A message box's own loop may let a quit in between two actions.
    const QPointer<Form1> window = &form1;
    for (const Action a : commands.actions) {
        if (!window || !window->isLoaded())
            return;
        switch (a) {
        case Action::Start: window->Glintbutton1_Click(); break;
        case Action::Stop: window->Glintbutton2_Click(); break;
        case Action::Lock: window->Image4_Click(); break;
        case Action::Quit: closeOutsideMessageLoops(window); return;
        }
    }
}
