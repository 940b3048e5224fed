// Sample data for the LZARI tests and benchmark: UTF-16LE text shaped like the
// language archive (sections of "id=text" lines in several scripts), and noise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lzari_sample {

// Small deterministic generator, so that every run sees the same data.
class Xorshift {
public:
    explicit Xorshift(uint32_t seed) : state_(seed != 0 ? seed : 1) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

private:
    uint32_t state_;
};

inline std::vector<uint8_t> RandomBytes(size_t size, uint32_t seed) {
    Xorshift random(seed);
    std::vector<uint8_t> bytes(size);
    for (auto& b : bytes) b = static_cast<uint8_t>(random.Next() >> 24);
    return bytes;
}

// About byteCount bytes (rounded to whole UTF-16 units) of archive-like text.
inline std::vector<uint8_t> Utf16ArchiveText(size_t byteCount, uint32_t seed = 7) {
    static const char16_t* const kLanguages[] = {u"Deutsch", u"English", u"Fran\u00e7ais",
                                                 u"\u0420\u0443\u0441\u0441\u043a\u0438\u0439",
                                                 u"\u65e5\u672c\u8a9e", u"Espa\u00f1ol",
                                                 u"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac"};
    static const char16_t* const kWords[][8] = {
        {u"Helligkeit", u"Farbe", u"Einstellungen", u"beim", u"Start", u"wiederherstellen",
         u"\u00f6ffnen", u"Fenster"},
        {u"brightness", u"colour", u"settings", u"at", u"start", u"restore", u"open", u"window"},
        {u"luminosit\u00e9", u"couleur", u"r\u00e9glages", u"au", u"d\u00e9marrage",
         u"restaurer", u"ouvrir", u"fen\u00eatre"},
        {u"\u044f\u0440\u043a\u043e\u0441\u0442\u044c", u"\u0446\u0432\u0435\u0442",
         u"\u043d\u0430\u0441\u0442\u0440\u043e\u0439\u043a\u0438", u"\u043f\u0440\u0438",
         u"\u0437\u0430\u043f\u0443\u0441\u043a\u0435",
         u"\u0432\u043e\u0441\u0441\u0442\u0430\u043d\u043e\u0432\u0438\u0442\u044c",
         u"\u043e\u0442\u043a\u0440\u044b\u0442\u044c", u"\u043e\u043a\u043d\u043e"},
        {u"\u660e\u308b\u3055", u"\u8272", u"\u8a2d\u5b9a", u"\u306e", u"\u8d77\u52d5",
         u"\u5fa9\u5143", u"\u958b\u304f", u"\u30a6\u30a3\u30f3\u30c9\u30a6"},
        {u"brillo", u"color", u"ajustes", u"al", u"inicio", u"restaurar", u"abrir", u"ventana"},
        {u"\u03c6\u03c9\u03c4\u03b5\u03b9\u03bd\u03cc\u03c4\u03b7\u03c4\u03b1",
         u"\u03c7\u03c1\u03ce\u03bc\u03b1", u"\u03c1\u03c5\u03b8\u03bc\u03af\u03c3\u03b5\u03b9\u03c2",
         u"\u03c3\u03c4\u03b7\u03bd", u"\u03ad\u03bd\u03b1\u03c1\u03be\u03b7",
         u"\u03b5\u03c0\u03b1\u03bd\u03b1\u03c6\u03bf\u03c1\u03ac", u"\u03ac\u03bd\u03bf\u03b9\u03b3\u03bc\u03b1",
         u"\u03c0\u03b1\u03c1\u03ac\u03b8\u03c5\u03c1\u03bf"}};
    constexpr size_t kLanguageCount = sizeof kLanguages / sizeof kLanguages[0];

    Xorshift random(seed);
    std::u16string text;
    const size_t unitCount = byteCount / 2;
    for (size_t section = 0; text.size() < unitCount; ++section) {
        const size_t language = section % kLanguageCount;
        text += u"##=";
        text += kLanguages[language];
        text += u"\r\n";
        for (int id = 1; id <= 60 && text.size() < unitCount; ++id) {
            const std::string number = std::to_string(id);
            text.append(number.begin(), number.end());
            text += u"=";
            const uint32_t wordCount = 2 + random.Next() % 6;
            for (uint32_t w = 0; w < wordCount; ++w) {
                if (w > 0) text += u" ";
                // Half the words recur often; the rest are made up, as real
                // translations use a large vocabulary.
                if (random.Next() % 2 == 0) {
                    text += kWords[language][random.Next() % 8];
                } else {
                    const uint32_t syllables = 1 + random.Next() % 3;
                    for (uint32_t k = 0; k < syllables; ++k) {
                        const std::u16string& word = kWords[language][random.Next() % 8];
                        const size_t from = random.Next() % word.size();
                        text += word.substr(from, 2 + random.Next() % 2);
                    }
                }
            }
            text += u"\r\n";
        }
    }
    text.resize(unitCount);
    std::vector<uint8_t> bytes;
    bytes.reserve(unitCount * 2);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return bytes;
}

}  // namespace lzari_sample
