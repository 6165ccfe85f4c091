// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>
#include <vector>

namespace tervalo {

// The service's condition texts, matched whole and case-sensitive, with the pictures they
// show. Rules are applied in order and every rule is tried; a later match wins.
struct ConditionRule {
    QStringList currentTexts; // matched against the current observation's text
    QStringList dayTexts;     // matched against each forecast day's text
    QString bigPicture;       // shown in MainCloud
    QString smallPicture;     // shown in the day's small picture
    // The tooltip today's small picture gets instead of the day text, if any.
    std::optional<QString> todayTooltip;
};

struct NightRule {
    QStringList captions;
    QString picture;
};

extern const std::vector<ConditionRule> ConditionRules;
extern const std::vector<NightRule> NightRules;

// The caption and tooltip of a control whose text is empty or has never matched a rule.
inline const QString NoDataText = QStringLiteral("Нет данных");
inline const QString NoDataBigPicture = QStringLiteral("BNA");
inline const QString NoDataSmallPicture = QStringLiteral("SMNA");

// From 22:00:00 to 06:59:59.
bool isNight(const QTime &time);

// The night picture for a caption; nothing when the caption keeps the day picture.
std::optional<QString> nightPicture(const QString &caption);

} // namespace tervalo
