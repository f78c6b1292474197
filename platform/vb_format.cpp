#include "platform/vb_format.h"

#include "platform/vb_numbers.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace {

struct MaskToken {
    enum Kind { Zero, Hash, Point, Comma, Percent, Literal };
    Kind kind;
    QString text; // for literals

    bool isDigit() const { return kind == Zero || kind == Hash; }
};

// Splits a mask into placeholders and literal text. Only the first "." is the
// decimal point; later ones are shown as they are.
std::vector<MaskToken> tokenize(const QString& mask)
{
    std::vector<MaskToken> tokens;
    bool pointSeen = false;
    auto literal = [&tokens](const QString& text) { tokens.push_back({ MaskToken::Literal, text }); };
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (c == u'0') {
            tokens.push_back({ MaskToken::Zero, {} });
        } else if (c == u'#') {
            tokens.push_back({ MaskToken::Hash, {} });
        } else if (c == u'.' && !pointSeen) {
            pointSeen = true;
            tokens.push_back({ MaskToken::Point, {} });
        } else if (c == u',') {
            tokens.push_back({ MaskToken::Comma, {} });
        } else if (c == u'%') {
            tokens.push_back({ MaskToken::Percent, {} });
        } else if (c == u'\\' && i + 1 < mask.size()) {
            literal(mask.mid(++i, 1));
        } else if (c == u'"') {
            const qsizetype close = mask.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? mask.size() : close;
            literal(mask.mid(i + 1, end - i - 1));
            i = end;
        } else {
            literal(QString(c));
        }
    }
    return tokens;
}

// The decimal digits of a non-negative number rounded to `decimals` places, a
// half away from zero: the whole part without leading zeros ("" for zero) and
// exactly `decimals` fraction digits. The number is first written with 15
// significant digits, the precision the runtime keeps of a Double.
struct DecimalDigits {
    std::string whole;
    std::string fraction;
};

DecimalDigits roundedDigits(double magnitude, int decimals)
{
    char buffer[64];
    const auto written
        = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    const std::string text(buffer, written.ptr);
    const std::size_t ePos = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, ePos - 2);
    const int exponent = std::stoi(text.substr(ePos + 1));

    std::string whole;
    std::string fraction;
    if (exponent >= 0) {
        const std::size_t wholeCount = std::size_t(exponent) + 1;
        if (digits.size() <= wholeCount) {
            whole = digits + std::string(wholeCount - digits.size(), '0');
        } else {
            whole = digits.substr(0, wholeCount);
            fraction = digits.substr(wholeCount);
        }
    } else {
        fraction = std::string(std::size_t(-exponent - 1), '0') + digits;
    }

    const std::size_t kept = std::size_t(decimals);
    if (fraction.size() > kept) {
        const bool roundUp = fraction[kept] >= '5';
        fraction.resize(kept);
        if (roundUp) {
            std::string all = whole + fraction;
            std::size_t i = all.size();
            while (i > 0 && all[i - 1] == '9')
                all[--i] = '0';
            if (i == 0)
                all.insert(all.begin(), '1');
            else
                ++all[i - 1];
            whole = all.substr(0, all.size() - kept);
            fraction = all.substr(all.size() - kept);
        }
    } else {
        fraction.append(kept - fraction.size(), '0');
    }
    const std::size_t firstSignificant = whole.find_first_not_of('0');
    whole = firstSignificant == std::string::npos ? std::string() : whole.substr(firstSignificant);
    return { whole, fraction };
}

std::string grouped(const std::string& digits)
{
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

// What the mask asks of the number, read from its tokens.
struct MaskLayout {
    std::vector<std::size_t> wholePlaceholders; // token indexes before the point
    std::vector<std::size_t> fractionPlaceholders; // token indexes after the point
    std::size_t pointIndex = std::string::npos;
    std::vector<bool> silentComma; // per token: a grouping or scaling comma, not shown
    bool grouping = false;
    int scalingCommas = 0;
    int percents = 0;
};

MaskLayout layoutOf(const std::vector<MaskToken>& tokens)
{
    MaskLayout layout;
    layout.silentComma.assign(tokens.size(), false);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == MaskToken::Point)
            layout.pointIndex = i;
        else if (tokens[i].kind == MaskToken::Percent)
            ++layout.percents;
        else if (tokens[i].isDigit())
            (layout.pointIndex == std::string::npos ? layout.wholePlaceholders : layout.fractionPlaceholders)
                .push_back(i);
    }
    if (layout.wholePlaceholders.empty())
        return layout;
    const std::size_t first = layout.wholePlaceholders.front();
    const std::size_t last = layout.wholePlaceholders.back();
    // Commas right after the last whole placeholder scale the number by 1000 each.
    for (std::size_t i = last + 1; i < tokens.size() && tokens[i].kind == MaskToken::Comma; ++i) {
        layout.silentComma[i] = true;
        ++layout.scalingCommas;
    }
    // Commas between whole placeholders switch on the grouping.
    for (std::size_t i = first + 1; i < last; ++i) {
        if (tokens[i].kind == MaskToken::Comma) {
            layout.silentComma[i] = true;
            layout.grouping = true;
        }
    }
    return layout;
}

// The text each whole-number placeholder shows: digits right-aligned into the
// placeholders, extra digits at the first, the grouped number all at the first.
std::vector<std::string> wholeDigitsPerPlaceholder(
    const std::vector<MaskToken>& tokens, const MaskLayout& layout, std::string digits)
{
    const std::size_t count = layout.wholePlaceholders.size();
    std::size_t minimumDigits = 0;
    for (std::size_t k = 0; k < count; ++k) {
        if (tokens[layout.wholePlaceholders[k]].kind == MaskToken::Zero) {
            minimumDigits = count - k;
            break;
        }
    }
    if (digits.size() < minimumDigits)
        digits.insert(0, minimumDigits - digits.size(), '0');

    std::vector<std::string> shown(count);
    if (layout.grouping) {
        shown[0] = grouped(digits);
        return shown;
    }
    const std::size_t empty = count > digits.size() ? count - digits.size() : 0;
    std::size_t next = 0;
    for (std::size_t k = empty; k < count; ++k) {
        const std::size_t take = k == empty ? digits.size() - (count - empty - 1) : 1;
        shown[k] = digits.substr(next, take);
        next += take;
    }
    return shown;
}

} // namespace

QString Format(double value, const QString& mask)
{
    if (mask.isEmpty() || !std::isfinite(value))
        return CStr(value);

    const std::vector<MaskToken> tokens = tokenize(mask);
    const MaskLayout layout = layoutOf(tokens);

    double magnitude = std::fabs(value);
    for (int i = 0; i < layout.percents; ++i)
        magnitude *= 100.0;
    for (int i = 0; i < layout.scalingCommas; ++i)
        magnitude /= 1000.0;

    const int decimals = int(layout.fractionPlaceholders.size());
    const DecimalDigits digits = roundedDigits(magnitude, decimals);

    // Trailing "#" placeholders after the point drop their zeros.
    std::size_t fractionShown = digits.fraction.size();
    while (fractionShown > 0 && tokens[layout.fractionPlaceholders[fractionShown - 1]].kind == MaskToken::Hash
        && digits.fraction[fractionShown - 1] == '0')
        --fractionShown;

    std::vector<std::string> whole;
    if (!layout.wholePlaceholders.empty())
        whole = wholeDigitsPerPlaceholder(tokens, layout, digits.whole);

    std::string out = value < 0 ? "-" : "";
    std::size_t wholeIndex = 0;
    std::size_t fractionIndex = 0;
    QString result;
    auto flush = [&out, &result]() {
        result += QString::fromLatin1(out.data(), qsizetype(out.size()));
        out.clear();
    };
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const MaskToken& token = tokens[i];
        switch (token.kind) {
        case MaskToken::Zero:
        case MaskToken::Hash:
            if (i < layout.pointIndex || layout.pointIndex == std::string::npos) {
                out += whole[wholeIndex++];
            } else {
                if (fractionIndex < fractionShown)
                    out += digits.fraction[fractionIndex];
                ++fractionIndex;
            }
            break;
        case MaskToken::Point:
            if (layout.wholePlaceholders.empty())
                out += digits.whole; // a mask like ".00" still shows the whole part
            out += '.';
            break;
        case MaskToken::Comma:
            if (!layout.silentComma[i])
                out += ',';
            break;
        case MaskToken::Percent:
            out += '%';
            break;
        case MaskToken::Literal:
            flush();
            result += token.text;
            break;
        }
    }
    flush();
    return result;
}

QString Format(const QString& value, const QString& mask)
{
    if (mask.isEmpty() || !IsNumeric(value))
        return value;
    return Format(CDbl(value), mask);
}
