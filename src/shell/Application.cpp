// SPDX-License-Identifier: MIT
#include "shell/Application.h"

#include "platform/AppTitle.h"
#include "platform/Fonts.h"
#include "platform/OrderlyEnd.h"
#include "presentation/Pictures.h"
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

// An end by signal or by the end of the session comes at any moment, a network wait or a box
// included, and may have nobody there to close a box: the transfer in progress stops, every
// loop returns, and what fails on the way out, such as the final save, is told on stderr.
void Application::endInOrder()
{
    network.abandon();
    errors.reportOnStandardError();
    end.request(); // for a main loop that has yet to start
    QCoreApplication::exit(0);
}

void Application::start()
{
    // Taken before the start-up's first network call, which may be a long one.
    orderlyEnd = std::make_unique<OrderlyEnd>([this] { endInOrder(); });
    // The program ends only when it is asked to: in tray mode the widget is a tool window, which
    // Qt does not count, so closing a message box would otherwise look like closing the last
    // window.
    QApplication::setQuitOnLastWindowClosed(false);
    registerFonts();
    QApplication::setWindowIcon(programIcon());
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
    if (!Form1->gaveWayToAnotherInstance())
        Form1->show();
    return end.runMainLoop();
}

void Application::finish()
{
    // Nothing waits for the network on the way out: a place search still under way stops.
    network.abandon();
    Form2.reset();
    Form1.reset();
    orderlyEnd.reset();
}

} // namespace tervalo
