// SPDX-License-Identifier: MIT
#include "platform/NetworkWait.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace tervalo {
namespace {

using namespace std::chrono_literals;

// A window with a button and a text field, as the settings dialog has.
struct InputTarget {
    InputTarget()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(button);
        layout->addWidget(field);
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
        window.show();
        window.activateWindow();
        field->setFocus();
    }
    void useIt()
    {
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClicks(field, QStringLiteral("Kirov"));
    }

    QWidget window;
    QPushButton *button = new QPushButton(QStringLiteral("Применить"), &window);
    QLineEdit *field = new QLineEdit(&window);
    int clicks = 0;
};

// A click or a key that comes while the network is awaited would otherwise run its command in
// the middle of the one that waits, or after it, on a window that has moved on (a second
// Apply); it is dropped. Once the wait is over, input is the user's again.
TEST(NetworkWait, InputDuringAWaitIsDroppedNotDeliveredLater)
{
    InputTarget target;
    NetworkWait wait;
    bool usedDuringTheWait = false;
    QTimer::singleShot(50, [&] {
        usedDuringTheWait = wait.inProgress();
        target.useIt();
    });
    wait.run([] { std::this_thread::sleep_for(300ms); });
    QCoreApplication::processEvents();
    ASSERT_TRUE(usedDuringTheWait);
    EXPECT_EQ(target.clicks, 0);
    EXPECT_EQ(target.field->text(), QString());

    target.useIt();
    EXPECT_EQ(target.clicks, 1);
    EXPECT_EQ(target.field->text(), QStringLiteral("Kirov"));
}

// Once the program is ending, nothing more is sent: a call asked for then never starts, and one
// that was under way ends in ProgramEnding, even when it succeeded.
TEST(NetworkWait, AfterTheEndNoCallRunsAndTheOneUnderWayEndsInProgramEnding)
{
    NetworkWait wait;
    QTimer::singleShot(20, [&] { wait.abandon(); });
    EXPECT_THROW(wait.run([] {
        std::this_thread::sleep_for(200ms);
        return 1;
    }),
                 ProgramEnding);
    bool called = false;
    EXPECT_THROW(wait.run([&] { called = true; }), ProgramEnding);
    EXPECT_FALSE(called);
    EXPECT_FALSE(wait.inProgress());
}

} // namespace
} // namespace tervalo
