#include "platform/vb_numbers.h"

#include "platform/vb_runtime_errors.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

enum class ParseStatus { Ok, NotNumeric, Overflow };

struct ScannedNumber {
    qsizetype length = 0; // characters that belong to the number; 0 = no number
    double value = 0.0;
    bool overflow = false;
};

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

int digitValue(QChar c, int radix)
{
    const char16_t u = c.unicode();
    int d = -1;
    if (u >= u'0' && u <= u'9')
        d = u - u'0';
    else if (u >= u'a' && u <= u'f')
        d = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        d = u - u'A' + 10;
    return d < radix ? d : -1;
}

// "&H" or "&O" digits at the start of text, as the runtime's literals: up to
// 16 bits they are an Integer, up to 32 bits a Long, wider is an overflow.
ScannedNumber scanRadixNumber(QStringView text)
{
    ScannedNumber result;
    if (text.size() < 3 || text[0] != u'&')
        return result;
    const QChar kind = text[1].toUpper();
    const int radix = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
    if (radix == 0)
        return result;
    quint64 value = 0;
    qsizetype i = 2;
    for (; i < text.size(); ++i) {
        const int d = digitValue(text[i], radix);
        if (d < 0)
            break;
        if (value <= 0xFFFFFFFFull)
            value = value * radix + d;
    }
    if (i == 2)
        return result;
    result.length = i;
    if (value > 0xFFFFFFFFull)
        result.overflow = true;
    else if (value <= 0xFFFF)
        result.value = static_cast<qint16>(static_cast<quint16>(value));
    else
        result.value = static_cast<qint32>(static_cast<quint32>(value));
    return result;
}

// A decimal number at the start of text: sign, digits, ".", digits, and an
// exponent ("E" or "D") only when digits follow it. The digits are handed to
// from_chars, which reads them exactly and independently of the locale.
ScannedNumber scanDecimalNumber(QStringView text)
{
    ScannedNumber result;
    std::string digits;
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    int mantissaDigits = 0;
    int leadingMagnitude = 0; // decimal position of the first non-zero digit, for range errors
    bool seenNonZero = false;
    for (; i < text.size() && isAsciiDigit(text[i]); ++i, ++mantissaDigits) {
        digits += char(text[i].unicode());
        if (!seenNonZero && text[i] != u'0')
            seenNonZero = true;
        if (seenNonZero)
            ++leadingMagnitude;
    }
    if (i < text.size() && text[i] == u'.') {
        digits += '.';
        int position = 0;
        for (++i; i < text.size() && isAsciiDigit(text[i]); ++i, ++mantissaDigits) {
            digits += char(text[i].unicode());
            --position;
            if (!seenNonZero && text[i] != u'0') {
                seenNonZero = true;
                leadingMagnitude = position + 1;
            }
        }
    }
    if (mantissaDigits == 0)
        return result;
    result.length = i;
    long long exponent = 0;
    if (i < text.size() && QStringView(u"EeDd").contains(text[i])) {
        qsizetype j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            negativeExponent = text[j++] == u'-';
        const qsizetype exponentStart = j;
        for (; j < text.size() && isAsciiDigit(text[j]); ++j) {
            if (exponent < 100000)
                exponent = exponent * 10 + (text[j].unicode() - u'0');
        }
        if (j > exponentStart) {
            result.length = j;
            if (negativeExponent)
                exponent = -exponent;
            digits += 'e';
            digits += std::to_string(exponent);
        }
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    Q_UNUSED(end);
    if (error == std::errc::result_out_of_range) {
        // Too large overflows; too small is zero, as the runtime reads it.
        if (seenNonZero && leadingMagnitude + exponent > 0)
            result.overflow = true;
        value = 0.0;
    }
    result.value = negative ? -value : value;
    return result;
}

ScannedNumber scanNumber(QStringView text)
{
    if (!text.isEmpty() && text[0] == u'&')
        return scanRadixNumber(text);
    return scanDecimalNumber(text);
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

QStringView trimmedBlanks(QStringView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

ParseStatus parseWholeNumber(const QString& text, double& value)
{
    const QStringView number = trimmedBlanks(text);
    const ScannedNumber scanned = scanNumber(number);
    if (scanned.length == 0 || scanned.length != number.size())
        return ParseStatus::NotNumeric;
    if (scanned.overflow)
        return ParseStatus::Overflow;
    value = scanned.value;
    return ParseStatus::Ok;
}

double numberFromText(const QString& text)
{
    double value = 0.0;
    switch (parseWholeNumber(text, value)) {
    case ParseStatus::Ok:
        return value;
    case ParseStatus::Overflow:
        raiseRuntimeError(RuntimeError::Overflow);
    case ParseStatus::NotNumeric:
        break;
    }
    raiseRuntimeError(RuntimeError::TypeMismatch);
}

// The runtime's general form of a number with the given significant digits.
QString generalText(double value, int significantDigits, bool isSingle)
{
    if (std::isnan(value))
        return QStringLiteral("-1.#IND");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("1.#INF") : QStringLiteral("-1.#INF");
    if (value == 0.0)
        return QStringLiteral("0");

    char buffer[64];
    const auto written = isSingle
        ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value), std::chars_format::scientific,
            significantDigits - 1)
        : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, significantDigits - 1);
    const std::string text(buffer, written.ptr);

    // text is "[-]d.ddd...e[+-]xx"
    const bool negative = text[0] == '-';
    const std::size_t ePos = text.find('e');
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < ePos; ++i) {
        if (text[i] != '.')
            digits += text[i];
    }
    const int exponent = std::stoi(text.substr(ePos + 1));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= -5 && exponent < significantDigits) {
        if (exponent >= 0) {
            const std::size_t integerCount = std::size_t(exponent) + 1;
            if (digits.size() <= integerCount) {
                out += digits + std::string(integerCount - digits.size(), '0');
            } else {
                out.append(digits, 0, integerCount).append(1, '.').append(digits, integerCount);
            }
        } else {
            out += "0." + std::string(std::size_t(-exponent - 1), '0') + digits;
        }
    } else {
        out += digits.substr(0, 1);
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += exponent < 0 ? "E-" : "E+";
        const std::string magnitude = std::to_string(std::abs(exponent));
        out += (magnitude.size() < 2 ? "0" : "") + magnitude;
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

QString withSignBlank(const QString& text)
{
    if (text.startsWith(u"0."))
        return u' ' + text.mid(1);
    if (text.startsWith(u"-0."))
        return u'-' + text.mid(2);
    return text.startsWith(u'-') ? text : u' ' + text;
}

} // namespace

void raiseConversionOverflow() { raiseRuntimeError(RuntimeError::Overflow); }

float CSng(double value)
{
    if (std::isfinite(value) && std::isinf(static_cast<float>(value)))
        raiseRuntimeError(RuntimeError::Overflow);
    return static_cast<float>(value);
}

double Int(double value) { return std::floor(value); }
double Fix(double value) { return std::trunc(value); }

double Val(const QString& text)
{
    QString packed;
    packed.reserve(text.size());
    for (const QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            packed += c;
    }
    const ScannedNumber scanned = scanNumber(packed);
    if (scanned.overflow)
        raiseRuntimeError(RuntimeError::Overflow);
    return scanned.length > 0 ? scanned.value : 0.0;
}

bool IsNumeric(const QString& text)
{
    double value = 0.0;
    return parseWholeNumber(text, value) == ParseStatus::Ok;
}

bool CBool(const QString& text)
{
    const QStringView word = trimmedBlanks(text);
    if (word.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    return numberFromText(text) != 0.0;
}

quint8 CByte(const QString& text) { return CByte(numberFromText(text)); }
qint16 CInt(const QString& text) { return CInt(numberFromText(text)); }
qint32 CLng(const QString& text) { return CLng(numberFromText(text)); }
float CSng(const QString& text) { return CSng(numberFromText(text)); }
double CDbl(const QString& text) { return numberFromText(text); }

QString CStr(double value) { return generalText(value, 15, false); }
QString CStr(float value) { return generalText(value, 7, true); }
QString CStr(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }
QString CStr(int value) { return QString::number(value); }
QString CStr(unsigned int value) { return QString::number(value); }
QString CStr(long value) { return QString::number(value); }
QString CStr(long long value) { return QString::number(value); }

QString Str(double value) { return withSignBlank(CStr(value)); }
QString Str(float value) { return withSignBlank(CStr(value)); }
QString Str(int value) { return withSignBlank(CStr(value)); }
QString Str(long value) { return withSignBlank(CStr(value)); }
QString Str(long long value) { return withSignBlank(CStr(value)); }

std::optional<double> numericValue(const QString& text)
{
    if (!IsNumeric(text)) {
        return std::nullopt;
    }
    try {
        return CDbl(text);
    } catch (const VbError&) {
        return std::nullopt;
    }
}

QString typedNumberText(const QString& text)
{
    const QString separator = QLocale().decimalPoint();
    // With a point beside the separator, or two separators, one of them
    // would have to be a thousands separator.
    if (separator.isEmpty() || separator == u"." || text.count(separator) != 1 || text.contains(u'.')) {
        return text;
    }
    QString pointed = text;
    pointed.replace(separator, QStringLiteral("."));
    return IsNumeric(pointed) ? pointed : text;
}

std::optional<double> typedNumberValue(const QString& text)
{
    return numericValue(typedNumberText(text));
}
