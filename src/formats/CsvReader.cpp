// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/CsvReader.h"

#include <QStringDecoder>

namespace {

// The first line holding bytes that are not UTF-8; a character never spans
// a line end, so each line decodes on its own.
int FirstBadUtf8Line(QByteArrayView bytes)
{
    int line = 1;
    for (qsizetype start = 0; start <= bytes.size(); ++line) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        [[maybe_unused]] const QString text = decoder(bytes.sliced(start, end - start));
        if (decoder.hasError())
            return line;
        start = end + 1;
    }
    return line - 1;
}

class Parser {
public:
    explicit Parser(const QString& text) : text_(text) {}

    std::variant<std::vector<QStringList>, CsvError> records()
    {
        const qsizetype n = text_.size();
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = text_[i];
            if (inQuotes_) {
                if (c == u'"' && i + 1 < n && text_[i + 1] == u'"') {
                    field_ += c;
                    ++i;
                } else if (c == u'"') {
                    inQuotes_ = false;
                    closed_ = true;
                } else {
                    if (c == u'\n')
                        ++line_;
                    field_ += c;
                }
                continue;
            }
            const bool lineEnd = c == u'\n' || (c == u'\r' && i + 1 < n && text_[i + 1] == u'\n');
            if (closed_ && c != u',' && !lineEnd)
                return CsvError{line_, QStringLiteral("text after a closing quote")};
            if (c == u',') {
                endField();
            } else if (lineEnd) {
                if (c == u'\r')
                    ++i;
                endRecord();
                ++line_;
                recordLine_ = line_;
            } else if (c == u'"' && field_.isEmpty()) {
                inQuotes_ = quoted_ = true;
                quoteLine_ = line_;
            } else {
                // A quote inside a field that does not start with one is
                // taken as text, as spreadsheets read it.
                field_ += c;
            }
        }
        if (inQuotes_)
            return CsvError{quoteLine_, QStringLiteral("a quoted field is not closed")};
        endRecord();
        return std::move(records_);
    }

    const std::vector<int>& lines() const { return lines_; }

private:
    void endField()
    {
        record_.append(field_);
        field_.clear();
        quoted_ = closed_ = false;
    }

    void endRecord()
    {
        const bool emptyLine = record_.isEmpty() && field_.isEmpty() && !quoted_;
        endField();
        if (!emptyLine) {
            records_.push_back(std::move(record_));
            lines_.push_back(recordLine_);
        }
        record_ = QStringList();
    }

    const QString& text_;
    std::vector<QStringList> records_;
    std::vector<int> lines_;
    QStringList record_;
    QString field_;
    bool inQuotes_ = false;
    bool quoted_ = false;  // the field started with a quote
    bool closed_ = false;  // and its closing quote is behind
    int line_ = 1;
    int recordLine_ = 1;
    int quoteLine_ = 1;
};

}  // namespace

std::variant<CsvTable, CsvError> ReadCsv(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return CsvError{FirstBadUtf8Line(bytes), QStringLiteral("not UTF-8")};

    Parser parser(text);
    auto parsed = parser.records();
    if (auto* error = std::get_if<CsvError>(&parsed))
        return *error;
    auto& records = std::get<std::vector<QStringList>>(parsed);
    if (records.empty())
        return CsvError{1, QStringLiteral("no header row")};

    CsvTable table;
    table.header = std::move(records.front());
    const qsizetype columns = table.header.size();
    table.rows.reserve(records.size() - 1);
    for (std::size_t r = 1; r < records.size(); ++r) {
        QStringList& row = records[r];
        const int line = parser.lines()[r];
        if (row.size() > columns)
            return CsvError{line, QStringLiteral("%1 fields where the header has %2").arg(row.size()).arg(columns)};
        while (row.size() < columns)
            row.append(QString());
        table.rows.push_back(std::move(row));
        table.rowLines.push_back(line);
    }
    return table;
}
