// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Errors.h"

#include <cstring>

TessError::TessError(const QString& message) : std::runtime_error(message.toStdString()) {}

namespace Errors {

TessError invalidInteger(const QString& text)
{
    return TessError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

TessError invalidFloat(const QString& text)
{
    return TessError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

TessError listIndexOutOfBounds(qint64 index)
{
    return TessError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

TessError cannotOpenFile(const QString& path, const QString& reason)
{
    return TessError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason));
}

TessError cannotCreateFile(const QString& path, const QString& reason)
{
    return TessError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason));
}

TessError divisionByZero()
{
    return TessError(QStringLiteral("Floating point division by zero"));
}

TessError invalidFloatOperation()
{
    return TessError(QStringLiteral("Invalid floating point operation"));
}

TessError floatOverflow()
{
    return TessError(QStringLiteral("Floating point overflow"));
}

TessError unableToWrite(const QString& path)
{
    return TessError(QStringLiteral("Unable to write to %1").arg(path));
}

TessError jpegError(int code, const QString& message)
{
    return TessError(QStringLiteral("JPEG error #%1: %2").arg(code).arg(message));
}

TessError imageTooLarge(qint64 width, qint64 height, const QString& why)
{
    return TessError(QStringLiteral("An image of %1 x %2 pixels %3").arg(width).arg(height).arg(why));
}

QString systemReason(int errnoValue)
{
    return QString::fromLocal8Bit(std::strerror(errnoValue));
}

}  // namespace Errors
