// SPDX-License-Identifier: MIT
#pragma once

#include "forecast/PlaceSearch.h"
#include "shell/AppContext.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class QThread;

namespace tervalo {

// What one search for a name came to: the places found, or the line that tells the user why
// there are none.
struct SearchOutcome {
    QString name;
    std::vector<FoundPlace> places;
    QString problem; // empty when the service answered
};

// Places worldwide for the town box, found by name through Open-Meteo's place search while the
// user types: after a pause or at once when asked, one request at a time and at most one a
// second, a newer name replacing one that waits, and the same name asked only once until the
// answers are forgotten. The transfer runs on a helper thread, so the box takes typing all the
// while; it goes through the user's proxy as the forecast does, and stops when the program
// ends.
class TownSearch : public QObject {
public:
    static constexpr int PauseMs = 500;
    static constexpr int MinimumGapMs = 1000;
    static constexpr int PlacesAsked = 10;

    TownSearch(AppContext &context, std::function<void(const SearchOutcome &)> onOutcome,
               QObject *parent = nullptr);
    ~TownSearch() override;

    // The user typed: the name is searched once they pause.
    void nameTyped(const QString &name);
    // The user asked for it (Enter): the name is searched without the pause.
    void searchNow(const QString &name);
    // Nothing waiting is searched any more; a request under way is still answered.
    void cancel();
    // Earlier answers may be stale now (the dialog is shown again).
    void forgetAnswers();

    // A place this search has listed under its entry text; null for any other text.
    const FoundPlace *placeListedAs(const QString &entryText) const;
    bool isBusy() const { return request != nullptr; }

private:
    void startWhenAllowed();
    void start(const QString &name);
    void finish(const std::shared_ptr<SearchOutcome> &outcome);
    void deliver(const SearchOutcome &outcome);

    AppContext &context;
    std::function<void(const SearchOutcome &)> onOutcome;
    QTimer due;
    QString waiting;
    QThread *request = nullptr;
    QElapsedTimer sinceLastRequest;
    QHash<QString, SearchOutcome> answers; // by the name as asked
    QHash<QString, FoundPlace> listed;     // by entry text
};

// The line the dialog shows when a search did not end in a list of places.
QString searchProblemText(const SearchOutcome &outcome);

} // namespace tervalo
