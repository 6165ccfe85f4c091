// SPDX-License-Identifier: MIT
#pragma once

namespace tervalo {

// Makes the three font families the widget draws with resolve to the installed faces:
// Tahoma from Wine's fonts (a folder fontconfig does not search), "Roboto Condensed Light" as
// it is, and "Roboto Th", which no face is named, to Roboto Thin. Needs the application object.
void registerFonts();

} // namespace tervalo
