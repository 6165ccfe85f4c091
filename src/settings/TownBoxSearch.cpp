// SPDX-License-Identifier: MIT
// The town box's places worldwide: with Open-Meteo as the source, what the user types is also
// looked up by name, and the places found are listed under the directory's own matches.
#include "settings/Settings.h"
#include "settings/TownChoice.h"
#include "settings/TownSearch.h"
#include "shell/Controls.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QStringListModel>

#include <algorithm>

namespace tervalo {

namespace {

// How many of the directory's matches stand above the places found.
constexpr int DirectoryMatchesListed = 5;
constexpr int LettersToSearch = 2;

} // namespace

// A completer of its own, not the box's: the box keeps completing in the line as it does, and
// this one only shows its list when a search brings places. Its list passes typing on to the
// box and picks an entry with Down and Return or a click.
void TForm2::createPlaceList()
{
    townSearch = new TownSearch(
        context, [this](const SearchOutcome &outcome) { showSearchOutcome(outcome); }, this);
    placeEntries = new QStringListModel(this);
    placeList = new QCompleter(placeEntries, this);
    placeList->setObjectName(QStringLiteral("PlaceList"));
    placeList->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    placeList->setWidget(CityNameComboBox->lineEdit());
    placeList->popup()->setObjectName(QStringLiteral("PlaceListPopup"));
    placeList->popup()->setFont(CityNameComboBox->font());
    placeList->popup()->installEventFilter(this); // after the completer's, so it comes first
    connect(placeList->popup(), &QAbstractItemView::clicked, this,
            [this](const QModelIndex &entry) { pickListedEntry(entry); });
    connect(CityNameComboBox->lineEdit(), &QLineEdit::textEdited, this,
            [this] { context.errors.guard([this] { townTextEdited(); }); });
}

// The entry picked in the list becomes the box's text, as a pick in the box's own list does.
void TForm2::pickListedEntry(const QModelIndex &entry)
{
    placeList->popup()->hide();
    if (!entry.isValid())
        return;
    CityNameComboBox->setEditText(entry.data().toString());
    PlaceSearchLine->clear();
}

bool TForm2::searchesPlaces() const
{
    return ForecastSourceBox->currentIndex() == forecast_source::OpenMeteo;
}

// What the user typed, without the rest of an entry that the box completed it with; a text
// with digits is an entry already, not a name to look up.
QString TForm2::typedTownName() const
{
    const QLineEdit *edit = CityNameComboBox->lineEdit();
    QString typed = edit->text();
    if (edit->hasSelectedText() && edit->selectionEnd() == typed.size())
        typed.truncate(edit->selectionStart());
    const auto letters =
        std::count_if(typed.cbegin(), typed.cend(), [](QChar c) { return c.isLetter(); });
    return HasNoDigit(typed) && letters >= LettersToSearch ? typed.simplified() : QString();
}

void TForm2::townTextEdited()
{
    if (!searchesPlaces())
        return;
    PlaceSearchLine->clear();
    const QString name = typedTownName();
    if (name.isEmpty())
        townSearch->cancel();
    else
        townSearch->nameTyped(name);
}

// Enter looks the typed name up at once; true when it did.
bool TForm2::searchOnEnter()
{
    const QString name = searchesPlaces() ? typedTownName() : QString();
    if (name.isEmpty())
        return false;
    townSearch->searchNow(name);
    return true;
}

// An answer for a name the box no longer shows is kept for later but not listed.
void TForm2::showSearchOutcome(const SearchOutcome &outcome)
{
    const QString name = typedTownName();
    if (!searchesPlaces() || name.compare(outcome.name, Qt::CaseInsensitive) != 0)
        return;
    const QString problem = searchProblemText(outcome);
    PlaceSearchLine->setText(problem);
    if (!problem.isEmpty())
        return;
    QStringList entries = directoryMatches(name);
    for (const FoundPlace &place : outcome.places)
        entries << place.entryText;
    placeEntries->setStringList(entries);
    // Under the whole box, as wide as it, not only under its edit field.
    QLineEdit *const edit = CityNameComboBox->lineEdit();
    placeList->complete(
        QRect(edit->mapFrom(CityNameComboBox, QPoint(0, 0)), CityNameComboBox->size()));
}

QStringList TForm2::directoryMatches(const QString &name) const
{
    QStringList matches;
    for (int i = 0; i < CityNameComboBox->count() && matches.size() < DirectoryMatchesListed; ++i) {
        const QString entry = CityNameComboBox->itemText(i);
        if (entry.startsWith(name, Qt::CaseInsensitive))
            matches << entry;
    }
    return matches;
}

// The place found worldwide brings its coordinates; a town of the directory has its station's,
// and the stored town, left as it was, keeps what it has.
void TForm2::takeChosenPlace(const QString &storedCityText)
{
    TAppSettings &settings = context.shared.AppSettings;
    if (const FoundPlace *found = townSearch->placeListedAs(settings.CityText)) {
        settings.PlaceLatitude = found->place.latitude;
        settings.PlaceLongitude = found->place.longitude;
    } else if (settings.CityText != storedCityText) {
        settings.PlaceLatitude.clear();
        settings.PlaceLongitude.clear();
    }
}

// The XML export takes station indexes only: with it there is nothing to look up.
void TForm2::ForecastSourceBoxChange()
{
    if (searchesPlaces())
        return;
    townSearch->cancel();
    placeList->popup()->hide();
    PlaceSearchLine->clear();
}

} // namespace tervalo
