// SPDX-License-Identifier: MIT
#pragma once

#include "forecast/ForecastService.h"
#include "platform/EndRequest.h"
#include "platform/ErrorReport.h"
#include "platform/Platform.h"
#include "shell/AppContext.h"
#include "shell/SharedState.h"

#include <memory>

namespace tervalo {

class OrderlyEnd;
class TForm1;
class TForm2;

// The program from its first window to its end, on an application object that already
// exists: `start` takes the end signals and creates the widget window (whose creation runs the
// whole start-up, showing the clock as soon as the settings are read) and then the hidden
// settings dialog, `run` shows the widget and runs the event loop until an end request or an
// orderly end, and `finish` destroys the windows in reverse order, which saves the settings.
class Application {
public:
    Application(Platform &platform, const ForecastService &service);
    ~Application();

    void start();
    int run();
    void finish();

    TForm1 *form1() const { return Form1.get(); }
    TForm2 *form2() const { return Form2.get(); }
    SharedState &shared() { return state; }
    bool endRequested() const { return end.isRequested(); }

private:
    void endInOrder();

    QString title;
    SharedState state;
    ErrorReport errors;
    EndRequest end;
    NetworkWait network;
    AppContext context;
    std::unique_ptr<OrderlyEnd> orderlyEnd;
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TForm2> Form2;
};

} // namespace tervalo
