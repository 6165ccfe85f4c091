// SPDX-License-Identifier: MIT
#include "settings/TownSearch.h"

#include "forecast/ServiceClient.h"
#include "platform/AppError.h"

#include <QThread>

namespace tervalo {

namespace {

const QString NoConnection = QStringLiteral("Нет связи со службой поиска");
const QString BadAnswer = QStringLiteral("Служба поиска ответила непонятно");
const QString NothingFound = QStringLiteral("Ничего не найдено");

// Asked once per name whatever its case or the blanks around it.
QString askedFormOf(const QString &name)
{
    return name.simplified().toLower();
}

// The request itself, on the helper thread: everything it needs is copied in.
SearchOutcome askTheService(const QString &name, const QString &address,
                            const TransferLimits &limits, const ClientHeaders &identity,
                            const TAppSettings &settings)
{
    SearchOutcome outcome{name, {}, {}};
    HttpAnswer answer;
    try {
        HttpClient client(limits, identity);
        if (settings.ProxyUse)
            useTheProxy(client, settings);
        answer = client.get(address);
    } catch (const AppError &) {
        outcome.problem = NoConnection;
        return outcome;
    }
    try {
        outcome.places = foundPlaces(answer.body);
    } catch (const AppError &) {
        outcome.problem = BadAnswer;
    }
    return outcome;
}

} // namespace

QString searchProblemText(const SearchOutcome &outcome)
{
    if (!outcome.problem.isEmpty())
        return outcome.problem;
    return outcome.places.empty() ? NothingFound : QString();
}

TownSearch::TownSearch(AppContext &context, std::function<void(const SearchOutcome &)> onOutcome,
                       QObject *parent)
    : QObject(parent)
    , context(context)
    , onOutcome(std::move(onOutcome))
{
    due.setSingleShot(true);
    connect(&due, &QTimer::timeout, this, &TownSearch::startWhenAllowed);
}

// A request still under way is stopped by the program's end, which is what destroys this.
TownSearch::~TownSearch()
{
    if (request) {
        request->wait();
        delete request;
    }
}

void TownSearch::nameTyped(const QString &name)
{
    waiting = name;
    due.start(PauseMs);
}

void TownSearch::searchNow(const QString &name)
{
    waiting = name;
    due.stop();
    startWhenAllowed();
}

void TownSearch::cancel()
{
    waiting.clear();
    due.stop();
}

void TownSearch::forgetAnswers()
{
    answers.clear();
}

const FoundPlace *TownSearch::placeListedAs(const QString &entryText) const
{
    const auto found = listed.constFind(entryText);
    return found == listed.constEnd() ? nullptr : &*found;
}

// One request at a time, at most one a second; an answer already had comes at once.
void TownSearch::startWhenAllowed()
{
    if (waiting.isEmpty() || request)
        return;
    const QString name = waiting;
    if (const auto known = answers.constFind(askedFormOf(name)); known != answers.constEnd()) {
        waiting.clear();
        deliver(*known);
        return;
    }
    const qint64 gap = sinceLastRequest.isValid() ? sinceLastRequest.elapsed() : MinimumGapMs;
    if (gap < MinimumGapMs) {
        due.start(int(MinimumGapMs - gap));
        return;
    }
    waiting.clear();
    start(name);
}

void TownSearch::start(const QString &name)
{
    const QString address =
        placeSearchAddress(context.service.placeSearch, name.simplified(), PlacesAsked);
    auto outcome = std::make_shared<SearchOutcome>();
    request = QThread::create([outcome, name, address, limits = context.transferLimits(),
                               identity = openMeteoHeaders(context.service),
                               settings = context.shared.AppSettings] {
        *outcome = askTheService(name, address, limits, identity, settings);
    });
    connect(request, &QThread::finished, this, [this, outcome] { finish(outcome); });
    sinceLastRequest.start();
    request->start();
}

void TownSearch::finish(const std::shared_ptr<SearchOutcome> &outcome)
{
    request->deleteLater();
    request = nullptr;
    if (context.network.abandoned())
        return; // the program is ending: nobody is there to read the list
    // A failure is no answer: the same name is asked again when the user tries again.
    if (outcome->problem.isEmpty())
        answers.insert(askedFormOf(outcome->name), *outcome);
    deliver(*outcome);
    startWhenAllowed();
}

void TownSearch::deliver(const SearchOutcome &outcome)
{
    for (const FoundPlace &place : outcome.places)
        listed.insert(place.entryText, place);
    onOutcome(outcome);
}

} // namespace tervalo
