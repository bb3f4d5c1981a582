// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/ozi/TextDecoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

bool isAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Letters of both code pages: 0xC0-0xFF are letters in each (but for the
// multiplication and division signs of windows-1252, which end a word
// either way), 0xA8/0xB8 are Cyrillic Yo.
bool isHighLetter(unsigned char c) { return c >= 0xC0 || c == 0xA8 || c == 0xB8; }

bool isValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

const char* LegacyCodecName(const QByteArray& bytes)
{
    return GuessLegacyCodePage(bytes) == LegacyCodePage::Windows1251 ? "windows-1251" : "windows-1252";
}

const QByteArray kBom("\xEF\xBB\xBF");

}  // namespace

LegacyCodePage GuessLegacyCodePage(const QByteArray& bytes)
{
    // A Russian word is written wholly in high bytes; a Western word has its
    // accented letters between plain ASCII ones.
    int cyrillicWords = 0;
    int westernWords = 0;
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (!isAsciiLetter(c) && !isHighLetter(c)) {
            ++i;
            continue;
        }
        bool hasHigh = false;
        bool hasAscii = false;
        for (; i < n; ++i) {
            const auto w = static_cast<unsigned char>(bytes[i]);
            if (isAsciiLetter(w))
                hasAscii = true;
            else if (isHighLetter(w))
                hasHigh = true;
            else
                break;
        }
        if (hasHigh)
            ++(hasAscii ? westernWords : cyrillicWords);
    }
    return cyrillicWords > westernWords ? LegacyCodePage::Windows1251 : LegacyCodePage::Windows1252;
}

QString DecodeMapText(const QByteArray& bytes)
{
    if (bytes.startsWith(kBom))
        return QString::fromUtf8(QByteArrayView(bytes).sliced(kBom.size()));
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(LegacyCodecName(bytes));
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray EncodeLikeMapText(const QString& text, const QByteArray& fileBytes)
{
    if (fileBytes.startsWith(kBom) || isValidUtf8(fileBytes))
        return text.toUtf8();
    QStringEncoder encoder(LegacyCodecName(fileBytes));
    if (!encoder.isValid())
        return text.toUtf8();
    const QByteArray bytes = encoder.encode(text);
    return encoder.hasError() ? text.toUtf8() : bytes;
}
