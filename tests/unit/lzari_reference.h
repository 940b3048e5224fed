// A second, deliberately plain LZARI codec for cross-checking the program's
// decoder and the build-time encoder. It keeps the classic 1989 program's shape
// (binary-tree match finder, StartModel/UpdateModel, EncodeChar/EncodePosition/
// EncodeEnd, DecodeChar/DecodePosition) with N = 4096, F = 60, THRESHOLD = 2,
// 15-bit coder, and reads bits past the end of its input as 1 like getc's EOF.
// Test-only; large, so create it with std::make_unique.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lzari_reference {

class ClassicLzari {
public:
    static constexpr int N = 4096;
    static constexpr int F = 60;
    static constexpr int THRESHOLD = 2;
    static constexpr int NIL = N;
    static constexpr int N_CHAR = 256 - THRESHOLD + F;
    static constexpr uint32_t Q1 = 1u << 15;
    static constexpr uint32_t Q2 = 2 * Q1;
    static constexpr uint32_t Q3 = 3 * Q1;
    static constexpr uint32_t Q4 = 4 * Q1;

    // maxCum is the symbol total at which the model is halved; the format uses
    // Q1 - 1. Other values exist only to show that tests notice the difference.
    explicit ClassicLzari(uint32_t maxCum = Q1 - 1) : maxCum_(maxCum) {}

    // Whole-file compression: length header, LZSS parse, arithmetic coding.
    std::vector<uint8_t> Encode(const std::vector<uint8_t>& in) {
        out_.clear();
        PutHeader(static_cast<uint32_t>(in.size()));
        if (in.empty()) return out_;
        StartModel();
        InitTree();
        int s = 0;
        int r = N - F;
        for (int i = s; i < r; i++) textBuf_[i] = ' ';
        size_t next = 0;
        int len = 0;
        for (; len < F && next < in.size(); len++) textBuf_[r + len] = in[next++];
        for (int i = 1; i <= F; i++) InsertNode(r - i);
        InsertNode(r);
        do {
            if (matchLength_ > len) matchLength_ = len;
            if (matchLength_ <= THRESHOLD) {
                matchLength_ = 1;
                EncodeChar(textBuf_[r]);
            } else {
                EncodeChar(255 - THRESHOLD + matchLength_);
                EncodePosition(matchPosition_ - 1);
            }
            const int lastMatchLength = matchLength_;
            int i = 0;
            for (; i < lastMatchLength && next < in.size(); i++) {
                const uint8_t c = in[next++];
                DeleteNode(s);
                textBuf_[s] = c;
                if (s < F - 1) textBuf_[s + N] = c;
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                InsertNode(r);
            }
            while (i++ < lastMatchLength) {
                DeleteNode(s);
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                if (--len) InsertNode(r);
            }
        } while (len > 0);
        EncodeEnd();
        return out_;
    }

    // Whole-stream expansion; a final match may run past the declared length and
    // is kept whole, as the classic program wrote it out.
    std::vector<uint8_t> Decode(const std::vector<uint8_t>& stream) {
        std::vector<uint8_t> out;
        in_ = &stream;
        inPos_ = 0;
        getBuf_ = 0;
        getMask_ = 0;
        uint32_t size = 0;
        for (int k = 0; k < 4; k++) size |= (static_cast<uint32_t>(NextByte()) & 0xFF) << (8 * k);
        if (size == 0) return out;
        StartDecode();
        StartModel();
        for (int i = 0; i < N - F; i++) textBuf_[i] = ' ';
        int r = N - F;
        for (uint32_t count = 0; count < size;) {
            int c = DecodeChar();
            if (c < 256) {
                out.push_back(static_cast<uint8_t>(c));
                textBuf_[r++] = static_cast<uint8_t>(c);
                r &= N - 1;
                count++;
            } else {
                const int i = (r - DecodePosition() - 1) & (N - 1);
                const int j = c - 255 + THRESHOLD;
                for (int k = 0; k < j; k++) {
                    c = textBuf_[(i + k) & (N - 1)];
                    out.push_back(static_cast<uint8_t>(c));
                    textBuf_[r++] = static_cast<uint8_t>(c);
                    r &= N - 1;
                    count++;
                }
            }
        }
        return out;
    }

    // Symbol-level writing, for streams no LZSS parse would produce.
    void BeginStream(uint32_t declaredLength) {
        out_.clear();
        PutHeader(declaredLength);
        StartModel();
    }
    void EncodeChar(int c) {
        const int sym = charToSym_[c];
        const uint32_t range = high_ - low_;
        high_ = low_ + range * symCum_[sym - 1] / symCum_[0];
        low_ += range * symCum_[sym] / symCum_[0];
        ShiftOut();
        UpdateModel(sym);
    }
    void EncodePosition(int position) {
        const uint32_t range = high_ - low_;
        high_ = low_ + range * positionCum_[position] / positionCum_[0];
        low_ += range * positionCum_[position + 1] / positionCum_[0];
        ShiftOut();
    }
    std::vector<uint8_t> EncodeEnd() {
        shifts_++;
        Output(low_ < Q1 ? 0 : 1);
        for (int i = 0; i < 7; i++) PutBit(0);  // flush the partial byte
        return out_;
    }

private:
    void PutHeader(uint32_t size) {
        for (int k = 0; k < 4; k++) out_.push_back(static_cast<uint8_t>(size >> (8 * k)));
        putBuf_ = 0;
        putMask_ = 128;
        low_ = 0;
        high_ = Q4;
        shifts_ = 0;
    }

    // --- binary search tree of ring positions, keyed by the F bytes at each ---
    void InitTree() {
        for (int i = N + 1; i <= N + 256; i++) rson_[i] = NIL;  // one root per first byte
        for (int i = 0; i < N; i++) dad_[i] = NIL;
    }

    void InsertNode(int r) {
        int cmp = 1;
        const uint8_t* key = &textBuf_[r];
        int p = N + 1 + key[0];
        rson_[r] = lson_[r] = NIL;
        matchLength_ = 0;
        for (;;) {
            if (cmp >= 0) {
                if (rson_[p] == NIL) {
                    rson_[p] = r;
                    dad_[r] = p;
                    return;
                }
                p = rson_[p];
            } else {
                if (lson_[p] == NIL) {
                    lson_[p] = r;
                    dad_[r] = p;
                    return;
                }
                p = lson_[p];
            }
            int i = 1;
            for (; i < F; i++) {
                cmp = key[i] - textBuf_[p + i];
                if (cmp != 0) break;
            }
            if (i > THRESHOLD) {
                const int distance = (r - p) & (N - 1);
                if (i > matchLength_) {
                    matchPosition_ = distance;
                    matchLength_ = i;
                    if (matchLength_ >= F) break;
                } else if (i == matchLength_ && distance < matchPosition_) {
                    matchPosition_ = distance;
                }
            }
        }
        // Equal keys: r takes p's place, p leaves the tree.
        dad_[r] = dad_[p];
        lson_[r] = lson_[p];
        rson_[r] = rson_[p];
        dad_[lson_[p]] = r;
        dad_[rson_[p]] = r;
        if (rson_[dad_[p]] == p) {
            rson_[dad_[p]] = r;
        } else {
            lson_[dad_[p]] = r;
        }
        dad_[p] = NIL;
    }

    void DeleteNode(int p) {
        if (dad_[p] == NIL) return;
        int q;
        if (rson_[p] == NIL) {
            q = lson_[p];
        } else if (lson_[p] == NIL) {
            q = rson_[p];
        } else {
            q = lson_[p];
            if (rson_[q] != NIL) {
                while (rson_[q] != NIL) q = rson_[q];
                rson_[dad_[q]] = lson_[q];
                dad_[lson_[q]] = dad_[q];
                lson_[q] = lson_[p];
                dad_[lson_[p]] = q;
            }
            rson_[q] = rson_[p];
            dad_[rson_[p]] = q;
        }
        dad_[q] = dad_[p];
        if (rson_[dad_[p]] == p) {
            rson_[dad_[p]] = q;
        } else {
            lson_[dad_[p]] = q;
        }
        dad_[p] = NIL;
    }

    // --- models ---
    void StartModel() {
        symCum_[N_CHAR] = 0;
        for (int sym = N_CHAR; sym >= 1; sym--) {
            const int ch = sym - 1;
            charToSym_[ch] = sym;
            symToChar_[sym] = ch;
            symFreq_[sym] = 1;
            symCum_[sym - 1] = symCum_[sym] + symFreq_[sym];
        }
        symFreq_[0] = 0;
        positionCum_[N] = 0;
        for (int i = N; i >= 1; i--) positionCum_[i - 1] = positionCum_[i] + 10000 / (i + 200);
    }

    void UpdateModel(int sym) {
        if (symCum_[0] >= maxCum_) {
            uint32_t c = 0;
            for (int i = N_CHAR; i > 0; i--) {
                symCum_[i] = c;
                symFreq_[i] = (symFreq_[i] + 1) >> 1;
                c += symFreq_[i];
            }
            symCum_[0] = c;
        }
        int i = sym;
        while (symFreq_[i] == symFreq_[i - 1]) i--;
        if (i < sym) {
            const int chI = symToChar_[i];
            const int chSym = symToChar_[sym];
            symToChar_[i] = chSym;
            symToChar_[sym] = chI;
            charToSym_[chI] = sym;
            charToSym_[chSym] = i;
        }
        symFreq_[i]++;
        while (--i >= 0) symCum_[i]++;
    }

    // --- encoder bits ---
    void PutBit(int bit) {
        if (bit) putBuf_ |= putMask_;
        putMask_ >>= 1;
        if (putMask_ == 0) {
            out_.push_back(static_cast<uint8_t>(putBuf_));
            putBuf_ = 0;
            putMask_ = 128;
        }
    }
    void Output(int bit) {
        PutBit(bit);
        for (; shifts_ > 0; shifts_--) PutBit(!bit);
    }
    void ShiftOut() {
        for (;;) {
            if (high_ <= Q2) {
                Output(0);
            } else if (low_ >= Q2) {
                Output(1);
                low_ -= Q2;
                high_ -= Q2;
            } else if (low_ >= Q1 && high_ <= Q3) {
                shifts_++;
                low_ -= Q1;
                high_ -= Q1;
            } else {
                break;
            }
            low_ += low_;
            high_ += high_;
        }
    }

    // --- decoder bits ---
    int NextByte() { return inPos_ < in_->size() ? (*in_)[inPos_++] : -1; }
    int GetBit() {
        getMask_ >>= 1;
        if (getMask_ == 0) {
            getBuf_ = NextByte();  // -1 past the end: all bits set
            getMask_ = 128;
        }
        return (getBuf_ & getMask_) != 0;
    }
    void StartDecode() {
        value_ = 0;
        for (int i = 0; i < 15 + 2; i++) value_ = 2 * value_ + GetBit();
        low_ = 0;
        high_ = Q4;
    }
    void ShiftIn() {
        for (;;) {
            if (low_ >= Q2) {
                value_ -= Q2;
                low_ -= Q2;
                high_ -= Q2;
            } else if (low_ >= Q1 && high_ <= Q3) {
                value_ -= Q1;
                low_ -= Q1;
                high_ -= Q1;
            } else if (high_ > Q2) {
                break;
            }
            low_ += low_;
            high_ += high_;
            value_ = 2 * value_ + GetBit();
        }
    }
    int SearchCode(uint32_t x) const {
        int i = 1;
        int j = N_CHAR;
        while (i < j) {
            const int k = (i + j) / 2;
            if (symCum_[k] > x) {
                i = k + 1;
            } else {
                j = k;
            }
        }
        return i;
    }
    int SearchPosition(uint32_t x) const {
        int i = 1;
        int j = N;
        while (i < j) {
            const int k = (i + j) / 2;
            if (positionCum_[k] > x) {
                i = k + 1;
            } else {
                j = k;
            }
        }
        return i - 1;
    }
    int DecodeChar() {
        const uint32_t range = high_ - low_;
        const int sym = SearchCode(((value_ - low_ + 1) * symCum_[0] - 1) / range);
        high_ = low_ + range * symCum_[sym - 1] / symCum_[0];
        low_ += range * symCum_[sym] / symCum_[0];
        ShiftIn();
        const int ch = symToChar_[sym];
        UpdateModel(sym);
        return ch;
    }
    int DecodePosition() {
        const uint32_t range = high_ - low_;
        const int position = SearchPosition(((value_ - low_ + 1) * positionCum_[0] - 1) / range);
        high_ = low_ + range * positionCum_[position] / positionCum_[0];
        low_ += range * positionCum_[position + 1] / positionCum_[0];
        ShiftIn();
        return position;
    }

    const uint32_t maxCum_;
    uint8_t textBuf_[N + F - 1] = {};
    int lson_[N + 1] = {};
    int rson_[N + 257] = {};
    int dad_[N + 1] = {};
    int matchPosition_ = 0;
    int matchLength_ = 0;
    int charToSym_[N_CHAR] = {};
    int symToChar_[N_CHAR + 1] = {};
    uint32_t symFreq_[N_CHAR + 1] = {};
    uint32_t symCum_[N_CHAR + 1] = {};
    uint32_t positionCum_[N + 1] = {};
    uint32_t low_ = 0;
    uint32_t high_ = Q4;
    uint32_t value_ = 0;
    int shifts_ = 0;
    int putBuf_ = 0;
    int putMask_ = 128;
    const std::vector<uint8_t>* in_ = nullptr;
    size_t inPos_ = 0;
    int getBuf_ = 0;
    int getMask_ = 0;
    std::vector<uint8_t> out_;
};

}  // namespace lzari_reference
