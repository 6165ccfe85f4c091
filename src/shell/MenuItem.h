// SPDX-License-Identifier: MIT
#pragma once

#include <QAction>

#include <functional>

namespace tervalo {

// A menu item. Choosing it in its menu and running it from code are the same: if the item is
// enabled its handler is called, whether the item is visible or not; a disabled item does
// nothing. An item never changes its own check mark; its handler decides.
class MenuItem : public QAction {
public:
    using Handler = std::function<void(MenuItem &)>;

    MenuItem(const QString &name, const QString &caption, QObject *parent);

    void setHandler(Handler handler) { onClick = std::move(handler); }
    // The item's own enabled state: Qt reports a hidden action as disabled, yet a hidden item
    // still runs.
    bool isEnabled() const { return enabled; }
    void setEnabled(bool on);
    bool isChecked() const { return checkMark; }
    void setChecked(bool checked);

    // Runs the item as if it had been chosen.
    void run();
    // Called when the user chose the item in its menu.
    void chosenInMenu();

private:
    Handler onClick;
    bool checkMark = false;
    bool enabled = true;
};

} // namespace tervalo
