// SPDX-License-Identifier: MIT
#pragma once

#include "platform/IniFile.h"
#include "settings/AppSettings.h"

namespace tervalo {

// The settings that live in the widget's controls rather than in the record: the town's
// caption, the check mark of the forecast-panel menu item, and the window's place and size.
class ControlHeldSettings {
public:
    virtual ~ControlHeldSettings() = default;
    virtual QString townCaption() const = 0;
    virtual void setTownCaption(const QString &caption) = 0;
    virtual bool panelMenuChecked() const = 0;
    virtual void setPanelMenuChecked(bool checked) = 0;
    virtual int windowTop() const = 0;
    virtual void setWindowTop(int top) = 0;
    virtual int windowLeft() const = 0;
    virtual void setWindowLeft(int left) = 0;
    virtual int windowHeight() const = 0;
    virtual void setWindowHeight(int height) = 0;
    virtual int windowWidth() const = 0;
    virtual void setWindowWidth(int width) = 0;
};

// Reads every setting from the file, section by section in the file's order, applying each at
// once. A missing key or a malformed value leaves its setting as it is, except that a missing
// place coordinate reads as empty: no place.
void readSettingsFile(const IniFile &file, TAppSettings &settings, ControlHeldSettings &controls);

// Writes every setting in the same order, replacing the file once, so that a failure or a kill
// at any moment leaves the stored values all old or all new. A failed write throws and leaves
// the file as it was.
void saveSettingsFile(IniFile &file, const TAppSettings &settings,
                      const ControlHeldSettings &controls);

} // namespace tervalo
