#include "NumberFormat.h"

#include "Convert.h"
#include "SystemLocale.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <QDateTime>
#include <QStringList>
#include <string_view>
#include <utility>

namespace platform {

namespace {

// A non-negative decimal number: digits with the decimal point after `intDigits` of them.
struct Decimal {
    QString digits; // no leading zeros except a single "0" when the value is below 1
    int intDigits = 0;

    bool isZero() const {
        for (QChar c : digits)
            if (c != '0') return false;
        return true;
    }
};

// The exact decimal value of a finite double, cut after 80 decimals (rounded there). A double m * 2^-k with m
// odd has exactly k decimals, so only as many as that are asked for: the digits are the same, and the
// short request saves writing and then dropping up to 80 zeros for every cell of a grid.
Decimal decimalOfDouble(double magnitude) {
    if (!std::isfinite(magnitude)) {
        // No digits at all: "inf" or "nan" as the digits, cut as they always were.
        const QString s = QString::fromLatin1(std::isinf(magnitude) ? "inf" : "nan");
        Decimal d;
        d.intDigits = -1;
        d.digits = s + s;
        return d;
    }
    constexpr int kMostPlaces = 80;
    int exponent = 0;
    const double mantissa = std::frexp(magnitude, &exponent);
    const auto bits = std::uint64_t(std::ldexp(mantissa, 53)); // exact: below 2^53
    const int places = bits == 0 ? 0 : std::clamp(53 - exponent - std::countr_zero(bits), 0, kMostPlaces);
    // Room for the 309 integer digits of the largest double, the point and the decimals.
    std::array<char, 400> buf;
    const auto [end, ec] =
        std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, std::chars_format::fixed, places);
    const std::string_view s(buf.data(), ec == std::errc() ? size_t(end - buf.data()) : 0);
    Decimal d;
    const size_t dot = s.find('.');
    d.intDigits = int(dot == std::string_view::npos ? s.size() : dot);
    std::string_view frac = dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1);
    while (!frac.empty() && frac.back() == '0')
        frac.remove_suffix(1);
    d.digits.reserve(d.intDigits + int(frac.size()));
    d.digits += QLatin1String(s.data(), d.intDigits);
    d.digits += QLatin1String(frac.data(), qsizetype(frac.size()));
    return d;
}

Decimal decimalOfText(const QString& plain) {
    // plain: digits with an optional '.', possibly in scientific form d.dddE+xx
    Decimal d;
    QString mant = plain;
    int exp = 0;
    const int e = plain.indexOf('E');
    if (e >= 0) {
        mant = plain.left(e);
        exp = plain.mid(e + 1).toInt();
    }
    const int dot = mant.indexOf('.');
    QString digits = dot < 0 ? mant : mant.left(dot) + mant.mid(dot + 1);
    int intDigits = (dot < 0 ? mant.size() : dot) + exp;
    if (intDigits <= 0) {
        digits = QString(1 - intDigits, '0') + digits;
        intDigits = 1;
    }
    if (digits.size() < intDigits) digits += QString(intDigits - digits.size(), '0');
    d.digits = digits;
    d.intDigits = intDigits;
    return d;
}

// Rounds to `places` decimals, a half going away from zero.
Decimal roundDecimal(Decimal d, int places) {
    const int keep = d.intDigits + places;
    if (d.digits.size() <= keep) {
        d.digits.resize(keep, QLatin1Char('0'));
        return d;
    }
    const bool up = d.digits[keep] >= '5';
    QString kept = std::move(d.digits);
    kept.truncate(keep);
    if (up) {
        int i = kept.size() - 1;
        while (i >= 0) {
            if (kept[i] == '9') {
                kept[i] = '0';
                --i;
            } else {
                kept[i] = QChar(kept[i].unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            kept.prepend('1');
            d.intDigits += 1;
        }
    }
    d.digits = kept;
    return d;
}

struct Section {
    QString text;
};

QStringList splitSections(const QString& pattern) {
    QStringList sections;
    QString current;
    bool quoted = false;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == '"') quoted = !quoted;
        if (c == '\\' && i + 1 < pattern.size()) {
            current += c;
            current += pattern[++i];
            continue;
        }
        if (c == ';' && !quoted) {
            sections << current;
            current.clear();
        } else {
            current += c;
        }
    }
    sections << current;
    return sections;
}

bool isDatePattern(const QString& p) {
    bool quoted = false;
    for (int i = 0; i < p.size(); ++i) {
        const QChar c = p[i];
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\\') {
            ++i;
            continue;
        }
        const QChar l = c.toLower();
        if (l == 'h' || l == 'n' || l == 's' || l == 'd' || l == 'y' || l == 'm') return true;
        if (l == '0' || l == '#') return false;
    }
    return false;
}

QString formatDate(double days, const QString& p) {
    const QDateTime base(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    const QDateTime t = base.addMSecs(qint64(std::llround(days * 86400000.0)));
    QString out;
    bool afterHour = false;
    for (int i = 0; i < p.size();) {
        const QChar c = p[i];
        if (c == '\\' && i + 1 < p.size()) {
            out += p[i + 1];
            i += 2;
            continue;
        }
        if (c == '"') {
            const int end = p.indexOf('"', i + 1);
            out += p.mid(i + 1, (end < 0 ? p.size() : end) - i - 1);
            i = end < 0 ? p.size() : end + 1;
            continue;
        }
        const QChar l = c.toLower();
        int run = 1;
        while (i + run < p.size() && p[i + run].toLower() == l)
            ++run;
        if (l == 'd') {
            out += run >= 2 ? QString::number(t.date().day()).rightJustified(2, '0')
                            : QString::number(t.date().day());
        } else if (l == 'y') {
            out += run >= 3 ? QString::number(t.date().year())
                            : QString::number(t.date().year() % 100).rightJustified(2, '0');
        } else if (l == 'h') {
            out += run >= 2 ? QString::number(t.time().hour()).rightJustified(2, '0')
                            : QString::number(t.time().hour());
            afterHour = true;
        } else if (l == 'n' || (l == 'm' && afterHour)) {
            out += run >= 2 ? QString::number(t.time().minute()).rightJustified(2, '0')
                            : QString::number(t.time().minute());
        } else if (l == 'm') {
            out += run >= 2 ? QString::number(t.date().month()).rightJustified(2, '0')
                            : QString::number(t.date().month());
        } else if (l == 's') {
            out += run >= 2 ? QString::number(t.time().second()).rightJustified(2, '0')
                            : QString::number(t.time().second());
        } else {
            out += QString(run, c);
        }
        i += run;
    }
    return out;
}

QString formatNumber(double value, bool isSingle, float singleValue, const QString& section, bool applySign,
                     const QString& dec) {
    // Analyse the section: integer placeholders, decimal placeholders, percent, grouping, exponent.
    int intZeros = 0, intPlaces = 0, fracZeros = 0, fracPlaces = 0;
    bool seenDot = false, percent = false, grouping = false, scientific = false;
    int expDigits = 0;
    bool expPlus = false;
    bool quoted = false;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (quoted) continue;
        if (c == '\\') {
            ++i;
            continue;
        }
        if ((c == 'E' || c == 'e') && i + 1 < section.size() &&
            (section[i + 1] == '+' || section[i + 1] == '-')) {
            scientific = true;
            expPlus = section[i + 1] == '+';
            i += 2;
            while (i < section.size() && (section[i] == '0' || section[i] == '#')) {
                ++expDigits;
                ++i;
            }
            --i;
            continue;
        }
        if (c == '0' || c == '#') {
            if (seenDot) {
                ++fracPlaces;
                if (c == '0') fracZeros = fracPlaces;
            } else {
                ++intPlaces;
                if (c == '0') ++intZeros;
            }
        } else if (c == '.') {
            seenDot = true;
        } else if (c == ',' && !seenDot) {
            grouping = true;
        } else if (c == '%') {
            percent = true;
        }
    }

    const bool negative = value < 0 || (isSingle && singleValue < 0);
    Decimal d;
    int exponent = 0;
    if (isSingle && !percent) {
        QString plain = SingleText(std::fabs(singleValue), QStringLiteral("."));
        d = decimalOfText(plain);
    } else {
        double magnitude = std::fabs(value);
        if (percent) {
            // Scale the decimal text, not the binary value, so 0.125 gives exactly 12.5.
            Decimal base = isSingle ? decimalOfText(SingleText(std::fabs(singleValue), QStringLiteral(".")))
                                    : decimalOfDouble(magnitude);
            base.intDigits += 2;
            if (base.digits.size() < base.intDigits)
                base.digits += QString(base.intDigits - base.digits.size(), '0');
            d = base;
        } else {
            d = decimalOfDouble(magnitude);
        }
    }
    // Normalise leading zeros of the integer part.
    while (d.intDigits > 1 && d.digits.startsWith('0')) {
        d.digits.remove(0, 1);
        --d.intDigits;
    }
    if (scientific) {
        // Shift so that the integer part has intPlaces digits (at least one).
        const int firstNonZero = [&] {
            for (int i = 0; i < d.digits.size(); ++i)
                if (d.digits[i] != '0') return i;
            return -1;
        }();
        if (firstNonZero >= 0) {
            const int want = std::max(1, intPlaces);
            exponent = (d.intDigits - firstNonZero) - want;
            QString digits = d.digits.mid(firstNonZero);
            d.digits = digits;
            d.intDigits = want;
            if (d.digits.size() < want) d.digits += QString(want - d.digits.size(), '0');
        }
    }
    d = roundDecimal(std::move(d), fracPlaces);
    if (scientific && d.intDigits > std::max(1, intPlaces)) {
        // Rounding carried into a new digit.
        d.intDigits -= 1;
        exponent += 1;
    }
    QString intPart = d.digits.left(d.intDigits);
    QString fracPart = d.digits.mid(d.intDigits);
    while (intPart.size() > 1 && intPart.startsWith('0'))
        intPart.remove(0, 1);
    if (intPart == QLatin1String("0") && intZeros == 0) intPart.clear();
    if (intPart.size() < intZeros) intPart = QString(intZeros - intPart.size(), '0') + intPart;
    // Trailing optional decimals.
    while (fracPart.size() > fracZeros && fracPart.endsWith('0'))
        fracPart.chop(1);
    if (grouping && intPart.size() > 3) {
        const QString sep = dec == QLatin1String(",") ? QStringLiteral(".") : QStringLiteral(",");
        QString g;
        int count = 0;
        for (int i = intPart.size() - 1; i >= 0; --i) {
            g.prepend(intPart[i]);
            if (++count % 3 == 0 && i > 0) g.prepend(sep);
        }
        intPart = g;
    }
    const bool allZero = (intPart.isEmpty() ||
                          intPart.count('0') + intPart.count('.') + intPart.count(',') == intPart.size()) &&
                         fracPart.count('0') == fracPart.size();

    // Emit: the integer digits go where the integer placeholders stand, the rest of the text as it is.
    QString out;
    out.reserve(section.size() + intPart.size() + fracPart.size() + dec.size() + 8);
    bool intEmitted = false, dotEmitted = false, expEmitted = false;
    int fracIndex = 0;
    quoted = false;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == '"') {
            const int end = section.indexOf('"', i + 1);
            out += section.mid(i + 1, (end < 0 ? section.size() : end) - i - 1);
            i = end < 0 ? section.size() : end;
            continue;
        }
        if (c == '\\' && i + 1 < section.size()) {
            out += section[++i];
            continue;
        }
        if (scientific && !expEmitted && (c == 'E' || c == 'e') && i + 1 < section.size() &&
            (section[i + 1] == '+' || section[i + 1] == '-')) {
            out += c;
            if (exponent < 0)
                out += '-';
            else if (expPlus)
                out += '+';
            out += QString::number(std::abs(exponent)).rightJustified(expDigits, '0');
            i += 1 + expDigits;
            expEmitted = true;
            continue;
        }
        if ((c == '0' || c == '#' || c == ',') && !dotEmitted) {
            if (!intEmitted) {
                out += intPart;
                intEmitted = true;
            }
            continue;
        }
        if (c == '.' && !dotEmitted) {
            if (!intEmitted) {
                out += intPart;
                intEmitted = true;
            }
            dotEmitted = true;
            if (!fracPart.isEmpty()) out += dec;
            continue;
        }
        if ((c == '0' || c == '#') && dotEmitted) {
            if (fracIndex < fracPart.size()) out += fracPart[fracIndex];
            ++fracIndex;
            continue;
        }
        out += c;
    }
    if (!intEmitted && !dotEmitted && intPlaces == 0 && fracPlaces == 0) {
        // A pattern without placeholders (for example "%" alone) still shows nothing of the number.
    }
    if (applySign && negative && !allZero) out.prepend('-');
    return out;
}

} // namespace

QString Format(const Variant& value, const QString& pattern) {
    return Format(value, pattern, SystemLocale::decimalSign());
}

QString Format(const Variant& value, const QString& pattern, const QString& dec) {
    if (value.isNull() || value.isEmpty())
        return value.isEmpty() && !pattern.isEmpty() ? QString() : QString();
    Variant v = value;
    if (v.isString()) {
        const auto n = ReadNumber(v.asString(), dec);
        if (!n) return v.asString();
        v = *n;
    }
    if (pattern.isEmpty()) {
        if (v.type() == VarType::Single) return SingleText(v.asSingle(), dec);
        if (v.type() == VarType::Double) return DoubleText(v.asDouble(), dec);
        return CStr(v);
    }
    if (v.type() == VarType::Date || isDatePattern(pattern)) return formatDate(CDbl(v), pattern);
    const bool isSingle = v.type() == VarType::Single;
    const float single = isSingle ? v.asSingle() : 0.0f;
    const double number = v.number();
    // Most patterns have one section: the pattern itself, without splitting it into a list.
    const QStringList sections = pattern.contains(';') ? splitSections(pattern) : QStringList();
    if (sections.isEmpty()) return formatNumber(number, isSingle, single, pattern, true, dec);
    if (sections.size() >= 3 && number == 0.0) return formatNumber(0.0, false, 0.0f, sections[2], false, dec);
    if (sections.size() >= 2 && number < 0)
        return formatNumber(number, isSingle, single, sections[1], false, dec);
    return formatNumber(number, isSingle, single, sections[0], true, dec);
}

} // namespace platform
