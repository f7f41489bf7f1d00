#include "base/text_file.h"

#include "base/atomic_file.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace kq {

namespace {

constexpr const char *kCodePage = "windows-31j";
constexpr qint64 kReadChunk = 64 * 1024;

// Single bytes that Windows maps but the converter refuses (0x80, 0xA0,
// 0xFD..0xFF) or swaps among themselves (0x1A, 0x1C, 0x7F). They are never
// part of a double-byte character, so they can be handled around it.
struct SingleByte {
    quint8 byte;
    char16_t character;
};
constexpr SingleByte kWindowsSingleBytes[] = {
    {0x1A, u'\x1A'},   {0x1C, u'\x1C'},   {0x7F, u'\x7F'},   {0x80, u'\x80'},
    {0xA0, u'\uF8F0'}, {0xFD, u'\uF8F1'}, {0xFE, u'\uF8F2'}, {0xFF, u'\uF8F3'},
};

// What Linux input methods type, and the character Windows' CP932 holds in
// its place.
constexpr std::pair<char16_t, char16_t> kCp932Counterparts[] = {
    {u'\u301C', u'\uFF5E'},  // WAVE DASH: FULLWIDTH TILDE
    {u'\u2016', u'\u2225'},  // DOUBLE VERTICAL LINE: PARALLEL TO
    {u'\u2212', u'\uFF0D'},  // MINUS SIGN: FULLWIDTH HYPHEN-MINUS
    {u'\u2014', u'\u2015'},  // EM DASH: HORIZONTAL BAR
    {u'\u00A2', u'\uFFE0'},  // CENT SIGN: FULLWIDTH CENT SIGN
    {u'\u00A3', u'\uFFE1'},  // POUND SIGN: FULLWIDTH POUND SIGN
    {u'\u00AC', u'\uFFE2'},  // NOT SIGN: FULLWIDTH NOT SIGN
};

bool IsLeadByte(quint8 byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(quint8 byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

std::optional<char16_t> WindowsCharacterOf(quint8 byte)
{
    for (const SingleByte &single : kWindowsSingleBytes) {
        if (single.byte == byte)
            return single.character;
    }
    return std::nullopt;
}

std::optional<char> WindowsByteOf(char16_t character)
{
    for (const SingleByte &single : kWindowsSingleBytes) {
        if (single.character == character)
            return char(single.byte);
    }
    return std::nullopt;
}

char16_t Cp932Counterpart(char16_t character)
{
    for (const auto &[typed, held] : kCp932Counterparts) {
        if (typed == character)
            return held;
    }
    return character;
}

QStringList SplitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

// The text converted as EncodeTextLines does, with the characters of
// kWindowsSingleBytes put in as their bytes.
class Cp932Writer {
public:
    void Append(QStringView text)
    {
        for (const QChar c : text) {
            if (const std::optional<char> byte = WindowsByteOf(c.unicode())) {
                Flush();
                m_bytes.append(*byte);
            } else {
                m_pending.append(QChar(Cp932Counterpart(c.unicode())));
            }
        }
    }

    // nullopt when some character could not be encoded.
    std::optional<QByteArray> Finish()
    {
        Flush();
        if (m_encoder.hasError())
            return std::nullopt;
        return m_bytes;
    }

private:
    void Flush()
    {
        if (m_pending.isEmpty())
            return;
        m_bytes.append(m_encoder.encode(m_pending));
        m_pending.clear();
    }

    QStringEncoder m_encoder{kCodePage};
    QByteArray m_bytes;
    QString m_pending;  // characters for the converter, a surrogate pair never split
};

// The first character (a whole surrogate pair, or a lone surrogate) that the
// writer cannot encode. Only looked for once the encoding has failed.
QString FirstUnencodable(const QStringList &lines)
{
    for (const QString &line : lines) {
        for (qsizetype i = 0; i < line.size();) {
            const qsizetype length =
                line.at(i).isHighSurrogate() && i + 1 < line.size() && line.at(i + 1).isLowSurrogate() ? 2 : 1;
            const QString character = line.mid(i, length);
            if (length == 1 && character.front().isSurrogate())  // half of a pair
                return character;
            Cp932Writer writer;
            writer.Append(character);
            if (!writer.Finish())
                return character;
            i += length;
        }
    }
    return QString();
}

}  // namespace

TextFileContent DecodeTextLines(QByteArrayView bytes)
{
    QStringDecoder decoder(kCodePage);
    QString text;
    text.reserve(bytes.size());  // a byte never gives more than one UTF-16 unit
    bool incomplete = false;
    // Runs of bytes the converter reads as Windows does; they end on character
    // boundaries, so the converter carries nothing from one run to the next.
    qsizetype runStart = 0;
    const auto decodeRun = [&](qsizetype end) {
        if (end > runStart)
            text.append(decoder.decode(bytes.sliced(runStart, end - runStart)));
    };
    for (qsizetype i = 0; i < bytes.size();) {
        const quint8 byte = quint8(bytes[i]);
        if (IsLeadByte(byte)) {
            if (i + 1 < bytes.size() && IsTrailByte(quint8(bytes[i + 1]))) {
                i += 2;
                continue;
            }
            // Half a character: the converter would drop it at the end of the
            // bytes without a word.
            decodeRun(i);
            text.append(QChar::ReplacementCharacter);
            incomplete = true;
        } else if (const std::optional<char16_t> character = WindowsCharacterOf(byte)) {
            decodeRun(i);
            text.append(QChar(*character));
        } else {
            ++i;
            continue;
        }
        runStart = ++i;
    }
    decodeRun(bytes.size());

    return {SplitLines(text), incomplete || decoder.hasError()};
}

std::optional<TextFileContent> ReadTextLines(const QString &path, qint64 sizeLimit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A regular file tells its size; a device or pipe may have no end, so it
    // is read only until it shows itself too long.
    if (!file.isSequential() && file.size() > sizeLimit)
        return std::nullopt;
    QByteArray bytes;
    bytes.reserve(file.isSequential() ? 0 : file.size());
    while (bytes.size() <= sizeLimit) {
        const QByteArray chunk = file.read(std::min<qint64>(kReadChunk, sizeLimit + 1 - bytes.size()));
        if (chunk.isEmpty())
            break;
        bytes.append(chunk);
    }
    if (file.error() != QFileDevice::NoError || bytes.size() > sizeLimit)
        return std::nullopt;
    return DecodeTextLines(bytes);
}

EncodedLines EncodeTextLines(const QStringList &lines)
{
    Cp932Writer writer;
    for (const QString &line : lines) {
        writer.Append(line);
        writer.Append(u"\r\n");
    }
    std::optional<QByteArray> bytes = writer.Finish();
    if (!bytes)
        return {{}, FirstUnencodable(lines)};
    return {std::move(bytes), {}};
}

TextWriteResult WriteTextLines(const QString &path, const QStringList &lines)
{
    const EncodedLines bytes = EncodeTextLines(lines);
    if (!bytes)
        return {false, bytes.unencodable};
    return {WriteFileAtomically(path, *bytes), {}};
}

}  // namespace kq
