// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small file and image helpers shared by the test suites.

#include "core/image/MemoryImage.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QtTest>

namespace testing {

/// Whole contents of a file; empty when it cannot be read.
inline QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

/// Replaces a file's contents; fails the running test when it cannot.
inline void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

/// The offsets where two images differ.
inline QList<int> ImageDifferences(const MemoryImage &a, const MemoryImage &b)
{
    QList<int> diff;
    for (int i = 0; i < mem::ImageSize; ++i)
        if (a.at(i) != b.at(i))
            diff << i;
    return diff;
}

} // namespace testing
