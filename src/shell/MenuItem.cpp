// SPDX-License-Identifier: MIT
#include "shell/MenuItem.h"

namespace tervalo {

MenuItem::MenuItem(const QString &name, const QString &caption, QObject *parent)
    : QAction(caption, parent)
{
    setObjectName(name);
    // A "-" caption makes a separator line, which carries no text: some styles draw it.
    if (caption == QLatin1String("-")) {
        setSeparator(true);
        setText(QString());
    }
}

void MenuItem::setEnabled(bool on)
{
    enabled = on;
    QAction::setEnabled(on);
}

void MenuItem::setChecked(bool checked)
{
    checkMark = checked;
    setCheckable(isCheckable() || checked);
    QAction::setChecked(checked);
}

void MenuItem::run()
{
    if (isEnabled() && onClick)
        onClick(*this);
}

void MenuItem::chosenInMenu()
{
    // Qt flips a checkable action's mark on its own when it is chosen; put it back first.
    QAction::setChecked(checkMark);
    run();
}

} // namespace tervalo
