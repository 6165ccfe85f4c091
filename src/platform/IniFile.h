// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Platform.h"

#include <QString>

#include <optional>
#include <vector>

namespace tervalo {

// One value of an INI file: the key in its section.
struct IniValue {
    QString section;
    QString key;
    QString value;
};

// One INI file read and written by values, with the conventions of the classic profile-string
// functions: section and key names match without regard to case, blanks around a value are
// dropped, one pair of surrounding quotes is stripped, and a value is read up to 2047
// characters. The file is read anew for every value and rewritten whole for every write,
// atomically and with mode 0600 (it holds the proxy password). It is kept in UTF-8; a file in
// UTF-16, or with lines in Windows-1251, is still read, and written back as UTF-8.
class IniFile {
public:
    static constexpr qsizetype MaxValueLength = 2047;

    IniFile(QString path, FileStore &files);

    const QString &path() const { return filePath; }

    // The value of the key, or nothing when the file, the section or the key is missing.
    std::optional<QString> read(const QString &section, const QString &key) const;

    // Writes the value, adding the key or the section where they are missing. Line breaks in
    // the value become spaces, so a value can never add lines of its own to the file.
    // Throws AppError "Unable to write to <path>" when the file cannot be written; the file
    // is then unchanged.
    void write(const QString &section, const QString &key, const QString &value);

    // Writes the values in order as `write` would, with a single replacement of the file:
    // the file then holds all of them, or, after a failure, none.
    void write(const std::vector<IniValue> &values);

private:
    QString filePath;
    FileStore &store;
};

} // namespace tervalo
