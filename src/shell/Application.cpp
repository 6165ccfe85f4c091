// SPDX-License-Identifier: MIT
#include "shell/Application.h"

#include "platform/AppTitle.h"
#include "platform/Fonts.h"
#include "platform/OrderlyEnd.h"
#include "settings/Settings.h"
#include "shell/Main.h"

#include <QApplication>

namespace tervalo {

Application::Application(Platform &platform, const ForecastService &service)
    : title(applicationTitle(platform.executablePath()))
    , errors(platform, title)
    , context{platform, state, errors, end, service, title, network}
{}

Application::~Application()
{
    finish();
}

void Application::start()
{
    // The program ends only when it is asked to: in tray mode the widget is a tool window, which
    // Qt does not count, so closing a message box would otherwise look like closing the last
    // window.
    QApplication::setQuitOnLastWindowClosed(false);
    registerFonts();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tervalo.png")));
    Form1 = std::make_unique<TForm1>(context);
    errors.guard([this] { Form1->FormCreate(); });
    Form2 = std::make_unique<TForm2>(context, *Form1);
    // A start that gave way reads nothing and shows nothing: nobody may be there to close a box.
    if (!Form1->gaveWayToAnotherInstance())
        errors.guard([this] { Form2->FormCreate(); });
    Form1->MenuSetttings->setHandler([this](MenuItem &) { Form2->MenuSetttingsClick(); });
}

int Application::run()
{
    // An end by signal or by the end of the session may have nobody there to close a box, so
    // what fails on the way out, such as the final save, is told on stderr instead.
    OrderlyEnd orderlyEnd([this] {
        errors.reportOnStandardError();
        QCoreApplication::exit(0);
    });
    if (!Form1->gaveWayToAnotherInstance())
        Form1->show();
    return end.runMainLoop();
}

void Application::finish()
{
    Form2.reset();
    Form1.reset();
}

} // namespace tervalo
