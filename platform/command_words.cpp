#include "platform/command_words.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads the run of backslashes at `text` and what it stands for: before a
// quote, half of them (and a literal quote for an odd run); elsewhere all of
// them. Leaves `text` on the first character it did not use.
void ReadBackslashes(const char*& text, std::string& word) {
    size_t count = 0;
    while (*text == '\\') ++count, ++text;
    const bool literalQuote = *text == '"' && count % 2 == 1;
    word.append(*text == '"' ? count / 2 : count, '\\');
    if (literalQuote) word += '"', ++text;
}

}  // namespace

std::vector<std::string> SplitCommandWords(const char* text) {
    std::vector<std::string> words;
    if (!text) return words;
    for (;;) {
        while (IsBlank(*text)) ++text;
        if (*text == '\0') return words;
        std::string word;
        bool quoted = false;
        while (*text != '\0' && (quoted || !IsBlank(*text))) {
            if (*text == '\\') {
                ReadBackslashes(text, word);
            } else if (*text == '"') {
                // Inside quotes a doubled quote is a literal one.
                if (quoted && text[1] == '"') {
                    word += '"';
                    text += 2;
                } else {
                    quoted = !quoted;
                    ++text;
                }
            } else {
                word += *text++;
            }
        }
        words.push_back(word);
    }
}
