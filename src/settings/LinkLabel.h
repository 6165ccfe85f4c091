// SPDX-License-Identifier: MIT
#pragma once

#include "shell/Controls.h"

#include <functional>

namespace tervalo {

// A label that reads as a link: underlined, with the hand cursor, running its handler when
// it is clicked (pressed and released over it with the left button).
class LinkLabel : public TLabel {
public:
    LinkLabel(const QString &text, QWidget *parent);

    void setHandler(std::function<void()> handler) { onClick = std::move(handler); }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::function<void()> onClick;
    bool pressed = false;
};

} // namespace tervalo
