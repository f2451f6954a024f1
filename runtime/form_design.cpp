#include "runtime/form_design.h"

#include <QFile>

#include "runtime/runtime_error.h"

namespace rt {

const ControlDesign* FormDesign::control(const QString& name) const
{
    for (const auto& c : controls)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

FormDesign parseFormDesign(const QString& text)
{
    std::vector<ControlDesign> blocks;
    int lineNo = 0;
    const auto fail = [&](const QString& why) {
        throw RuntimeError(ErrTypeMismatch, QStringLiteral("design data line %1: %2").arg(lineNo).arg(why));
    };
    for (const QString& raw : text.split(u'\n')) {
        ++lineNo;
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']') || line.size() < 3)
                fail(QStringLiteral("bad block header"));
            blocks.push_back({line.mid(1, line.size() - 2).trimmed(), {}, {}});
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            fail(QStringLiteral("expected Key = value"));
        if (blocks.empty())
            fail(QStringLiteral("entry before the first block"));
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key.compare(QStringLiteral("Kind"), Qt::CaseInsensitive) == 0)
            blocks.back().kind = value;
        else
            blocks.back().bag.setRawText(key, value);
    }
    if (blocks.empty())
        fail(QStringLiteral("no window block"));
    for (const auto& b : blocks)
        if (b.kind.isEmpty())
            throw RuntimeError(ErrTypeMismatch, QStringLiteral("design block %1 has no Kind").arg(b.name));
    FormDesign design;
    design.window = std::move(blocks.front());
    design.controls.assign(std::make_move_iterator(blocks.begin() + 1), std::make_move_iterator(blocks.end()));
    return design;
}

QString formatFormDesign(const FormDesign& design)
{
    QString out;
    const auto block = [&](const ControlDesign& c) {
        out += u'[' + c.name + QStringLiteral("]\nKind = ") + c.kind + u'\n';
        for (const auto& e : c.bag.entries())
            out += e.key + QStringLiteral(" = ") + e.text + u'\n';
        out += u'\n';
    };
    block(design.window);
    for (const auto& c : design.controls)
        block(c);
    return out;
}

FormDesign loadFormDesign(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw RuntimeError(53, QStringLiteral("design data not found: %1").arg(path));
    return parseFormDesign(QString::fromUtf8(f.readAll()));
}

} // namespace rt
