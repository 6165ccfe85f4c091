// SPDX-License-Identifier: MIT
// Reading and saving the settings file from and into the widget window.
#include "settings/DataFiles.h"
#include "settings/SettingsFile.h"
#include "shell/Main.h"

namespace tervalo {

namespace {

// The window's controls as the holders of the town name, the panel mark and the geometry.
class WindowHeldSettings final : public ControlHeldSettings {
public:
    explicit WindowHeldSettings(TForm1 &form)
        : form(form)
    {}

    QString townCaption() const override { return form.CityNameLabel->text(); }
    void setTownCaption(const QString &caption) override { form.CityNameLabel->setText(caption); }
    bool panelMenuChecked() const override { return form.AddPanel->isChecked(); }
    void setPanelMenuChecked(bool checked) override { form.AddPanel->setChecked(checked); }
    int windowTop() const override { return form.y(); }
    void setWindowTop(int top) override { form.move(form.x(), top); }
    int windowLeft() const override { return form.x(); }
    void setWindowLeft(int left) override { form.move(left, form.y()); }
    int windowHeight() const override { return form.height(); }
    void setWindowHeight(int height) override { form.resize(form.width(), height); }
    int windowWidth() const override { return form.width(); }
    void setWindowWidth(int width) override { form.resize(width, form.height()); }

private:
    TForm1 &form;
};

} // namespace

void TForm1::ReadSettings()
{
    const IniFile file(shared.DataFolder + SettingsFileName, context.platform.files());
    WindowHeldSettings controls(*this);
    readSettingsFile(file, shared.AppSettings, controls);
}

void TForm1::SaveSettings()
{
    IniFile file(shared.DataFolder + SettingsFileName, context.platform.files());
    saveSettingsFile(file, shared.AppSettings, WindowHeldSettings(*this));
}

} // namespace tervalo
