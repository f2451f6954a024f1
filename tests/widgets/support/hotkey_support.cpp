#include "support/hotkey_support.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>

RKHotKey* makeHotKey(TestServices& t, const QString& name, const rt::PropertyBag& bag, bool userMode, QWidget* parent)
{
    auto* control = new RKHotKey(t.services, parent);
    control->setObjectName(name);
    control->setAmbient({userMode, name, QFont(), false});
    control->readProperties(bag);
    control->resize(73, 25);
    return control;
}

namespace {

struct KeySpec {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers extra;   // for example the keypad flag
    Qt::KeyboardModifier modifier = Qt::NoModifier; // the flag the key holds while down
};

KeySpec keySpec(const QString& name)
{
    static const QHash<QString, KeySpec> named{
        {"Ctrl", {Qt::Key_Control, {}, Qt::ControlModifier}},
        {"Shift", {Qt::Key_Shift, {}, Qt::ShiftModifier}},
        {"Alt", {Qt::Key_Alt, {}, Qt::AltModifier}},
        {"Win", {Qt::Key_Super_L, {}, Qt::MetaModifier}},
        {"RWin", {Qt::Key_Super_R, {}, Qt::MetaModifier}},
        {"Menu", {Qt::Key_Menu, {}, Qt::NoModifier}},
        {"Exclam", {Qt::Key_Exclam, {}, Qt::NoModifier}},
        {"Backspace", {Qt::Key_Backspace, {}, Qt::NoModifier}},
        {"Escape", {Qt::Key_Escape, {}, Qt::NoModifier}},
        {"Delete", {Qt::Key_Delete, {}, Qt::NoModifier}},
        {"Insert", {Qt::Key_Insert, {}, Qt::NoModifier}},
        {"Left", {Qt::Key_Left, {}, Qt::NoModifier}},
        {"Up", {Qt::Key_Up, {}, Qt::NoModifier}},
        {"Space", {Qt::Key_Space, {}, Qt::NoModifier}},
        {"Tab", {Qt::Key_Tab, {}, Qt::NoModifier}},
    };
    if (auto it = named.find(name); it != named.end())
        return *it;
    if (name.size() == 1 && name[0].isLetterOrNumber())
        return {Qt::Key(name[0].toUpper().unicode()), {}, Qt::NoModifier};
    if (name.startsWith(u'F') && name.mid(1).toInt() >= 1)
        return {Qt::Key(Qt::Key_F1 + name.mid(1).toInt() - 1), {}, Qt::NoModifier};
    if (name.startsWith(QStringLiteral("Num")))
        return {Qt::Key(Qt::Key_0 + name.mid(3).toInt()), Qt::KeypadModifier, Qt::NoModifier};
    qFatal("unknown key in a test step: %s", qPrintable(name));
}

} // namespace

void KeyTyper::step(const QString& step)
{
    const bool autoRepeat = step.startsWith(u'r');
    const QString s = autoRepeat ? step.mid(1) : step;
    const bool press = s.startsWith(u'+');
    const KeySpec k = keySpec(s.mid(1));
    QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, k.key, held_ | k.extra, QString(), autoRepeat);
    QCoreApplication::sendEvent(target_, &event);
    if (press)
        held_ |= k.modifier;
    else if (!autoRepeat)
        held_ &= ~Qt::KeyboardModifiers(k.modifier);
}

void KeyTyper::run(const QString& steps)
{
    for (const QString& s : steps.split(u' ', Qt::SkipEmptyParts))
        step(s);
}
