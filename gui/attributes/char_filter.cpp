#include "gui/attributes/char_filter.h"

namespace kestro {

namespace {

const QString kLetterPunctuation = QStringLiteral("_-+ ,.");
const QString kNumberSigns = QStringLiteral("eE+-.");
// The letters that scale a number: kilo, mega, giga, milli, micro, nano, pico.
const QString kSuffixLetters = QStringLiteral("kMGmunp");

bool IsAsciiLetter(QChar c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::optional<QString> WithSuffix(const QString& text, QChar suffix) {
    qsizetype lastDigit = -1;
    for (qsizetype i = text.size() - 1; i >= 0; --i)
        if (text[i] >= '0' && text[i] <= '9') {
            lastDigit = i;
            break;
        }
    // "0" alone cannot be scaled, nor can a text without a number.
    if (lastDigit < 0 || (lastDigit == 0 && text[0] == '0')) return std::nullopt;
    return text.left(lastDigit + 1) + suffix;
}

}  // namespace

uint16_t CharacterClass(QChar c, uint16_t set) {
    if (c.unicode() < 32 || c.unicode() == 127) return 0;
    if (c >= '0' && c <= '9') return kCharDigits;
    if ((set & kCharNumberSigns) && kNumberSigns.contains(c)) return kCharNumberSigns;
    if (IsAsciiLetter(c) || kLetterPunctuation.contains(c)) return kCharLetters;
    return kCharOthers;
}

std::optional<QString> TypeOutsideSet(const QString& text, QChar c, uint16_t set, bool readOnly) {
    if ((set & kCharLetters) || readOnly) return std::nullopt;
    if (c == '-') {
        if (text.startsWith('-')) return std::nullopt;
        return QStringLiteral("-") + text;
    }
    if (c == '+') {
        if (!text.startsWith('-')) return std::nullopt;
        return text.mid(1);
    }
    if ((set & kCharSuffixLetters) && kSuffixLetters.contains(c)) return WithSuffix(text, c);
    return std::nullopt;
}

}  // namespace kestro
