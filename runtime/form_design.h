#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "runtime/property_bag.h"

namespace rt {

// A window's design data: the window's own entries and one block per control,
// in the order they are created. The text format:
//
//   # comment
//   [Form1]              the first block is the window itself
//   Kind = Form
//   Caption = "Vorlin"
//   [Label1]             then one block per control
//   Kind = Label
//   Left = 120           positions and sizes in twips
//
// Every block is a property bag; a user control is handed its block as its bag.
struct ControlDesign {
    QString name;
    QString kind;
    PropertyBag bag;
};

struct FormDesign {
    ControlDesign window;
    std::vector<ControlDesign> controls;

    const ControlDesign* control(const QString& name) const;
};

// Throws RuntimeError on a malformed text (a line that is neither a block
// header, an entry, a comment nor blank; a block without Kind).
FormDesign parseFormDesign(const QString& text);
QString formatFormDesign(const FormDesign& design);
// Reads a design file, for example from the program's resources (":/forms/form1.frm").
FormDesign loadFormDesign(const QString& path);

// 15 twips are one logical pixel.
constexpr int TwipsPerPixel = 15;
inline int twipsToPixels(int twips) { return (twips + (twips >= 0 ? 7 : -7)) / TwipsPerPixel; }
inline int pixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }

} // namespace rt
