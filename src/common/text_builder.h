// The two ways a text is put together from pieces: one that grows on the heap as pieces
// come, and one that fills a buffer of the caller's, never past its end. Portable: no
// windows.h.
#pragma once

#include <cstddef>
#include <cstdint>

// A text that grows as pieces are added; once memory runs short it stays failed and
// hands nothing over.
class GrowingText {
public:
    GrowingText() = default;
    GrowingText(const GrowingText&) = delete;
    GrowingText& operator=(const GrowingText&) = delete;
    ~GrowingText() { delete[] data_; }

    // A null piece adds nothing.
    GrowingText& add(const char* piece);
    GrowingText& add(const char* piece, size_t length);
    GrowingText& quad(uint32_t address);  // "a.b.c.d"
    GrowingText& number(int value);       // decimal; a negative value counts as 0
    size_t length() const { return length_; }
    // Moves the text into a new[] buffer at *out: 1, or 0 with *out null when memory ran
    // short. The builder is empty afterwards.
    int hand(char** out);

private:
    char* data_ = nullptr;
    size_t length_ = 0;
    size_t capacity_ = 0;
    bool failed_ = false;
};

// Appends pieces to the caller's buffer of `size` bytes, terminated after each piece; a
// piece that does not fit whole is not added, and the text is then no longer whole.
class BoundedText {
public:
    BoundedText(char* out, size_t size);

    // A null piece adds nothing.
    BoundedText& add(const char* piece);
    BoundedText& add(const char* piece, size_t length);
    // As much of the piece as leaves `reserve` bytes free, cut at a character boundary;
    // the text stays whole.
    BoundedText& addCut(const char* piece, size_t reserve);
    BoundedText& quad(uint32_t address);
    size_t length() const { return length_; }
    // 1 when every piece fit; otherwise 0 and the buffer is left empty.
    int finish();

private:
    char* out_;
    size_t size_;
    size_t length_ = 0;
    bool fits_;
};
