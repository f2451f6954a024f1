#include "app/form2.h"

#include "app/control_kinds.h"
#include "app/maker.h"
#include "platform/platform.h"
#include "platform/shell.h"

Form2::Form2(rt::Services& services) : rt::Form(services, QStringLiteral(":/forms/form2.frm"), makeControlFactory()) {}

void Form2::Form_Load()
{
    Label3 = control<rt::Label>(QStringLiteral("Label3"));
    Label5 = control<rt::Label>(QStringLiteral("Label5"));
    Label6 = control<rt::Label>(QStringLiteral("Label6"));
    Label7 = control<rt::Label>(QStringLiteral("Label7"));
    // The texts that name the maker come from the maker's values, so they
    // change in one place with the addresses the links open.
    Label3->setCaption(QStringLiteral("本软件由%1编写，具有安全，小巧，绿色的特点。").arg(maker::DevelopmentTool));
    Label5->setCaption(maker::supportText());
    Label6->setCaption(u' ' + maker::HomePage.toString());
    connect(Label6, &rt::Label::Click, this, &Form2::Label6_Click);
    connect(Label7, &rt::Label::Click, this, &Form2::Label7_Click);
}

void Form2::Label6_Click()
{
    if (services().platform.shell)
        services().platform.shell->openUrl(maker::HomePage.toString());
}

void Form2::Label7_Click()
{
    if (services().platform.shell)
        services().platform.shell->openUrl(maker::feedbackMailto());
}
