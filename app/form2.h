#pragma once
#include "runtime/controls.h"
#include "runtime/form.h"

// The About window: what the program is, who made it, and two links, one to
// the maker's home page (Label6) and one that starts a feedback e-mail (Label7).
// It holds no state; Form1 opens it and unloads it on shutdown.
class Form2 : public rt::Form {
    Q_OBJECT
public:
    explicit Form2(rt::Services& services);

    void Label6_Click(); // the home page
    void Label7_Click(); // a new e-mail to the feedback address

    rt::Label* Label3 = nullptr; // the development tool
    rt::Label* Label5 = nullptr; // the maker's site
    rt::Label* Label6 = nullptr;
    rt::Label* Label7 = nullptr;

protected:
    void Form_Load() override;
};
