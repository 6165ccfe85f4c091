// SPDX-License-Identifier: MIT
// The condition classifier: the weather texts become the big picture, its caption and the
// five small pictures with their tooltips; at night the big picture becomes a night scene.
#include "presentation/Conditions.h"

#include "forecast/ConditionTexts.h"

#include "shell/Main.h"

namespace tervalo {

namespace {

using namespace condition_texts;

// Today's snow tooltip, in place of the day text.
const QString SnowTooltip = QStringLiteral("Снег");

constexpr int NightStartHour = 22;
constexpr int NightEndHour = 6; // the last hour of the night

ConditionRule rule(const QStringList &texts, const char *picture,
                   std::optional<QString> todayTooltip = {})
{
    return {texts, texts, QLatin1String("B") + QLatin1String(picture),
            QLatin1String("SM") + QLatin1String(picture), std::move(todayTooltip)};
}

} // namespace

const std::vector<ConditionRule> ConditionRules = {
    rule({Clear}, "SUN"),
    rule({VariableCloudiness, CloudyWithClearSpells, FewClouds, FewCloudsNoPrecipitation},
         "SUNCLOUD"),
    rule({Cloudy}, "CLOUDY"),
    rule({CloudyRainAtTimes}, "PASMURNO"),
    // Short rain has one list for the current text and another for the days.
    {{VariableRainAtTimes, FewCloudsNoPrecipitation, CloudyLightRain, VariableRainThunderPossible,
      ClearSpellsLightRain},
     {VariableRainAtTimes, FewCloudsNoPrecipitation, VariableRainThunderPossible,
      ClearSpellsLightRain, VariableLightRain},
     QStringLiteral("BSHORTRAIN"),
     QStringLiteral("SMSHORTRAIN"),
     std::nullopt},
    rule({CloudyRain}, "RAIN"),
    rule({CloudyRainThunder}, "LIGHTNING"),
    rule({CloudySleetAtTimes, LightSleet}, "RAINSNOW"),
    rule({CloudySnowAtTimes, CloudyLightSnow, ClearSpellsSnowAtTimes}, "SNOW", SnowTooltip),
    rule({CloudySnow}, "HEAVYSNOW"),
};

const std::vector<NightRule> NightRules = {
    {{Clear}, QStringLiteral("SUN")},
    {{VariableCloudiness, CloudyWithClearSpells, FewClouds, FewCloudsNoPrecipitation, Cloudy},
     QStringLiteral("CLOUDY")},
    {{CloudyRainAtTimes, VariableRainAtTimes, FewCloudsNoPrecipitation, CloudyLightRain,
      VariableRainThunderPossible, ClearSpellsLightRain, CloudyRain},
     QStringLiteral("RAIN")},
    {{CloudyRainThunder}, QStringLiteral("LIGHTNING")},
    {{CloudySleetAtTimes, LightSleet, CloudySnowAtTimes, CloudyLightSnow, ClearSpellsSnowAtTimes,
      CloudySnow},
     QStringLiteral("SNOW")},
};

bool isNight(const QTime &time)
{
    return time.hour() >= NightStartHour || time.hour() <= NightEndHour;
}

std::optional<QString> nightPicture(const QString &caption)
{
    std::optional<QString> picture;
    for (const NightRule &night : NightRules) {
        if (night.captions.contains(caption, Qt::CaseSensitive))
            picture = night.picture;
    }
    return picture;
}

void TForm1::CloudConvert()
{
    const std::array<TImage *, 5> dayPictures = {CurrentClouds, TomorrowClouds, ThreeClouds,
                                                 FourClouds, FifthClouds};
    for (const ConditionRule &rule : ConditionRules) {
        if (rule.currentTexts.contains(shared.FactWeatherType, Qt::CaseSensitive)) {
            CloudLabel->setText(shared.FactWeatherType);
            MainCloud->setPicture(rule.bigPicture);
        }
        for (int day = 1; day <= 5; ++day) {
            const QString &text = shared.DayWeatherTypes[day];
            if (!rule.dayTexts.contains(text, Qt::CaseSensitive))
                continue;
            dayPictures[day - 1]->setPicture(rule.smallPicture);
            dayPictures[day - 1]->setToolTip(day == 1 && rule.todayTooltip ? *rule.todayTooltip
                                                                           : text);
        }
    }
    // The fallbacks look at what the controls show, not at whether a rule matched.
    if (shared.FactWeatherType.isEmpty() || MainCloud->isEmpty()) {
        CloudLabel->setText(NoDataText);
        MainCloud->setPicture(NoDataBigPicture);
    }
    for (int day = 1; day <= 5; ++day) {
        TImage *picture = dayPictures[day - 1];
        if (shared.DayWeatherTypes[day].isEmpty() || picture->isEmpty()) {
            picture->setPicture(NoDataSmallPicture);
            picture->setToolTip(NoDataText);
        }
    }
    Nigth();
}

// At night the big picture follows the caption; a caption without a night picture keeps the
// day one.
void TForm1::Nigth()
{
    if (!isNight(context.platform.now().time()))
        return;
    if (const std::optional<QString> picture = nightPicture(CloudLabel->text()))
        MainCloud->setPicture(*picture);
}

} // namespace tervalo
