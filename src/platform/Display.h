// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

namespace tervalo {

// Chooses the windowing platform before the application object exists. Under a Wayland
// session a client can neither place its window nor keep it on top, so the X11 platform
// (XWayland) is asked for unless a platform was chosen explicitly. Returns a message for the
// user when there is no display to show the widget on.
std::optional<QString> chooseDisplayPlatform(int argc, char **argv);

} // namespace tervalo
