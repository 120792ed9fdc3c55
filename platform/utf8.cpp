#include "platform/utf8.h"

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The bytes of the well-formed sequence that starts at text[at], or 0 where
// none starts there. The second byte's range rules out overlong forms,
// surrogates and code points past U+10FFFF.
size_t SequenceLength(const std::string& text, size_t at) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() - at < length || byte(1) < low || byte(1) > high) return 0;
    for (size_t k = 2; k < length; ++k)
        if (!IsContinuation(byte(k))) return 0;
    return length;
}

}  // namespace

size_t CountCharacters(const std::string& text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); ++count) {
        const size_t length = SequenceLength(text, at);
        at += length == 0 ? 1 : length;
    }
    return count;
}
