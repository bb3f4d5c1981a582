// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <stdexcept>

// An error that ends the running operation and reaches the user with the
// runtime's own wording: the window shows it in its error box, the batch tool
// prints it and exits 3.
class TessError : public std::runtime_error {
public:
    explicit TessError(const QString& message);
    QString text() const { return QString::fromUtf8(what()); }
};

namespace Errors {
TessError invalidInteger(const QString& text);
TessError invalidFloat(const QString& text);
TessError listIndexOutOfBounds(qint64 index);
TessError cannotOpenFile(const QString& path, const QString& reason);
TessError cannotCreateFile(const QString& path, const QString& reason);
TessError divisionByZero();
TessError invalidFloatOperation();
TessError floatOverflow();
TessError unableToWrite(const QString& path);
// libjpeg's message number and its own formatted text.
TessError jpegError(int code, const QString& message);
// An image too large to decode here; `why` completes the sentence.
TessError imageTooLarge(qint64 width, qint64 height, const QString& why);
// The system's own text for an errno value, e.g. "No such file or directory".
QString systemReason(int errnoValue);
}  // namespace Errors
