// SPDX-License-Identifier: MIT
// The town directory, of any bytes, read into the settings dialog's town box. Only the
// program's own error may come out, and the box holds exactly the entries that a reading by
// child index finds: every town element of every group element, in order, up to the first that
// cannot be read. The dialog walks sibling by sibling, so this checks the walk against the index.
#include "FuzzSupport.h"

#include "platform/AppError.h"
#include "settings/DataFiles.h"
#include "settings/Settings.h"
#include "settings/TownChoice.h"
#include "support/WidgetHarness.h"

#include <QComboBox>

using namespace tervalo;

namespace {

QString attributeOf(const XmlNode &node, const char *name)
{
    return node.attribute(QLatin1String(name)).value_or(QString());
}

// The entries by index; `failed` tells whether the reading stopped at an error.
QStringList entriesByIndex(const QByteArray &bytes, bool &failed)
{
    QStringList entries;
    failed = false;
    try {
        XmlDocument document;
        document.loadFromBytes(bytes);
        const XmlNode root = document.documentElement();
        for (int g = 0; g < root.childCount(); ++g) {
            const XmlNode group = root.child(g);
            if (!group.isElement())
                continue;
            for (int t = 0; t < group.childCount(); ++t) {
                const XmlNode town = group.child(t);
                if (town.isElement())
                    entries << townEntry(town.text(), attributeOf(group, "name"),
                                         attributeOf(town, "id"));
            }
        }
    } catch (const AppError &) {
        failed = true;
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::startWidgets();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static test::WidgetHarness harness;
    static TForm2 dialog(harness.context, *harness.form);
    const QByteArray bytes = fuzz::bytesOf(data, size);
    harness.platform.writeDataFile(TownDirectoryFileName, bytes);

    dialog.CityNameComboBox->clear();
    harness.platform.messages.clear();
    bool failed = false;
    try {
        dialog.GetCityID();
    } catch (const AppError &) {
        failed = true;
    }
    QStringList box;
    for (int i = 0; i < dialog.CityNameComboBox->count(); ++i)
        box << dialog.CityNameComboBox->itemText(i);

    bool failedByIndex = false;
    const QStringList expected = entriesByIndex(bytes, failedByIndex);
    fuzz::check(failed == failedByIndex, "the box fails where the index reading fails",
                failed ? QStringLiteral("the box failed") : QStringLiteral("the box read"));
    fuzz::check(box == expected, "the box holds the directory's entries",
                box.join(QLatin1Char('\n')) + QStringLiteral("\n--- by index:\n") +
                    expected.join(QLatin1Char('\n')));
    return 0;
}
