// SPDX-License-Identifier: MIT
#include "support/WeatherFace.h"

namespace tervalo::test {

namespace {

void showWeatherFace(TForm1 &form)
{
    form.resize(520, 235);
    form.DateLabel->move(16, form.DateLabel->y());
    for (QWidget *weather : std::initializer_list<QWidget *>{
             form.CityNameLabel, form.CloudLabel, form.MainCloud, form.AddBackground,
             form.CurrentClouds, form.TomorrowClouds, form.ThreeClouds, form.FourClouds,
             form.FifthClouds, form.TommorowDay})
        weather->show();
    form.Hours->move(10, form.Hours->y());
    form.Minutes->move(144, form.Minutes->y());
    form.AddPanel->setChecked(true);
}

} // namespace

void fetchAndShowWeather(TForm1 &form)
{
    form.GetWeather();
    form.CloudConvert();
    form.WindConvert();
    form.DayConvert();
    form.DateConvert();
    form.FlickTemp();
    showWeatherFace(form);
    form.ChangePanels();
    form.ClockTimer();
    form.TimerModernTimer();
}

} // namespace tervalo::test
