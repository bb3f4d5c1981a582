// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/MemoryBudget.h"

#include "core/Errors.h"

#include <QFile>

#include <climits>
#include <optional>

namespace {

std::optional<qint64> ReadNumberFile(const char* path)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool ok = false;
    const qint64 value = file.readAll().trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

std::optional<qint64> MemAvailable()
{
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.startsWith("MemAvailable:"))
            continue;
        const QList<QByteArray> fields = line.simplified().split(' ');
        bool ok = false;
        const qint64 kib = fields.size() >= 2 ? fields[1].toLongLong(&ok) : 0;
        if (ok)
            return kib * 1024;
    }
    return std::nullopt;
}

// A container's limit is invisible in /proc/meminfo, which shows the host.
std::optional<qint64> CgroupHeadroom()
{
    const auto limit = ReadNumberFile("/sys/fs/cgroup/memory.max");  // "max" reads as no number
    const auto current = ReadNumberFile("/sys/fs/cgroup/memory.current");
    if (!limit || !current)
        return std::nullopt;
    return *limit > *current ? *limit - *current : 0;
}

constexpr qint64 kMiB = 1024 * 1024;

}  // namespace

qint64 AvailableMemoryBytes()
{
    const auto system = MemAvailable();
    const auto cgroup = CgroupHeadroom();
    if (system && cgroup)
        return std::min(*system, *cgroup);
    if (system)
        return *system;
    return cgroup.value_or(-1);
}

void CheckImageFits(qint64 width, qint64 height, qint64 availableBytes)
{
    // QImage keeps a row's bit count in an int.
    constexpr qint64 kMaxQImageWidth = (INT_MAX - 31) / 32;
    if (width <= 0 || height <= 0 || width > kMaxQImageWidth)
        throw Errors::imageTooLarge(width, height, QStringLiteral("is beyond what an image can hold"));
    const qint64 bytes = 4 * width * height;
    if (availableBytes >= 0 && 2 * bytes > availableBytes)
        throw Errors::imageTooLarge(
            width, height,
            QStringLiteral("takes %1 MB and needs twice that free; %2 MB are free")
                .arg((bytes + kMiB - 1) / kMiB)
                .arg(availableBytes / kMiB));
}
