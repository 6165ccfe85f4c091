// SPDX-License-Identifier: MIT
#pragma once

#include "settings/SettingsFile.h"

namespace tervalo::test {

// The controls' side of the settings, as plain values: the town caption, the panel mark and
// the window's geometry, starting as the widget's design has them.
struct PlainControls final : ControlHeldSettings {
    QString town = QStringLiteral("Москва");
    bool panelMark = false;
    int top = 0, left = 0, height = 304, width = 679;

    QString townCaption() const override { return town; }
    void setTownCaption(const QString &caption) override { town = caption; }
    bool panelMenuChecked() const override { return panelMark; }
    void setPanelMenuChecked(bool checked) override { panelMark = checked; }
    int windowTop() const override { return top; }
    void setWindowTop(int value) override { top = value; }
    int windowLeft() const override { return left; }
    void setWindowLeft(int value) override { left = value; }
    int windowHeight() const override { return height; }
    void setWindowHeight(int value) override { height = value; }
    int windowWidth() const override { return width; }
    void setWindowWidth(int value) override { width = value; }
};

} // namespace tervalo::test
