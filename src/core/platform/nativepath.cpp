// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 HANGARDECK developers
#include "core/platform/nativepath.h"

#include <algorithm>

#include "core/platform/textdecoding.h"

#include <QDir>
#include <QFile>

namespace hangardeck::core {

std::filesystem::path toNativePath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    const QByteArray bytes = QFile::encodeName(path);
    return std::filesystem::path(std::string(bytes.constData(), size_t(bytes.size())));
#endif
}

QString fromNativePath(const std::filesystem::path &path)
{
#ifdef Q_OS_WIN
    // A path given with slashes and joined with backslashes shows as Windows writes paths.
    return QDir::toNativeSeparators(QString::fromStdWString(path.native()));
#else
    return decodeFileName(path.native());
#endif
}

QString fromNativeName(NativeNameView name)
{
#ifdef Q_OS_WIN
    return QString::fromWCharArray(name.data(), qsizetype(name.size()));
#else
    return decodeFileName(std::string(name));
#endif
}

NativeName pathBelow(NativeNameView folder, NativeNameView name)
{
    NativeName path(folder);
    path += std::filesystem::path::preferred_separator;
    path += name;
    return path;
}

bool equalsIgnoringAsciiCase(NativeNameView a, NativeNameView b)
{
    const auto lower = [](auto c) { return c >= 'A' && c <= 'Z' ? decltype(c)(c + ('a' - 'A')) : c; };
    return a.size() == b.size()
           && std::equal(a.begin(), a.end(), b.begin(), [&](auto x, auto y) { return lower(x) == lower(y); });
}

} // namespace hangardeck::core
